// quillane-batch writing where others write too: a second run into the same output
// folder, and targets that are links to files somewhere else.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "GraphicsFixture.h"
#include "TestPictures.h"
#include "cli/BatchProcess.h"
#include "cli/ChildBatch.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;

bool HasLine(const TBatchResult& result, const std::string& line)
{
    const std::vector<std::string> lines = result.OutLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::vector<std::string> HiddenEntries(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().front() == '.') {
            names.push_back(entry.path().filename().string());
        }
    }
    return names;
}

class SharedTargetCommand : public GraphicsTest {};

// Both runs look before the other has written anything, so each sees no target and
// may replace nothing: the first file committed stays, the other run reports a failure.
TEST_F(SharedTargetCommand, TwoRunsWithoutOverwriteNeverBothClaimATarget)
{
    constexpr int kPictures = 60;
    fs::create_directories(File("src"));
    fs::create_directories(File("out"));
    for (int i = 0; i < kPictures; ++i) {
        WritePicture(NoiseImage(96, 64), File("src") / ("p" + std::to_string(i) + ".png"));
    }
    // Each run in a folder of its own, where its outputs are kept.
    const auto percent = [this](const char* size) {
        fs::create_directories(File(size));
        return TChildBatch({"percent", "--width", size, "--height", size, "--out", File("out").string(), "--overwrite",
                            "no", File("src").string()},
                           File(size));
    };
    TChildBatch halfRun = percent("50");
    TChildBatch quarterRun = percent("25");
    const TBatchResult half = halfRun.Wait();
    const TBatchResult quarter = quarterRun.Wait();

    for (int i = 0; i < kPictures; ++i) {
        const std::string name = "p" + std::to_string(i);
        const std::string source = (File("src") / (name + ".png")).string();
        const bool halfMade = HasLine(half, source + "创建缩略图成功！");
        const bool quarterMade = HasLine(quarter, source + "创建缩略图成功！");
        ASSERT_NE(halfMade, quarterMade) << name << " claimed by both runs or by neither";
        EXPECT_TRUE(HasLine(halfMade ? quarter : half, source + "创建缩略图失败！")) << name;
        const TPictureSize expected = halfMade ? TPictureSize{48, 32} : TPictureSize{24, 16};
        EXPECT_EQ(SizeOf(File("out") / (name + "_s.png")), expected) << name;
    }
    EXPECT_TRUE(HiddenEntries(File("out")).empty());
}

struct TLinkCase {
    const char* Name;
    const char* Job;
    std::vector<std::string> Options;
    const char* Target;
    const char* Line;
    mode_t OutsideMode;
    TPictureSize Size;
    const char* Format;
};

class LinkTargetCommand : public GraphicsTest, public ::testing::WithParamInterface<TLinkCase> {};

// The link is replaced by the new picture; the file it pointed to keeps its mode
// and its bytes.
TEST_P(LinkTargetCommand, ReplacesTheLinkAndLeavesTheFileItPointsTo)
{
    const TLinkCase& c = GetParam();
    fs::create_directories(File("src"));
    fs::create_directories(File("out"));
    fs::create_directories(File("elsewhere"));
    WritePicture(CoordinateImage(80, 60), File("src") / "a.jpg");
    MakePicture(File("mark.png"), 10, 10, {255, 0, 0});
    const fs::path outside = File("elsewhere") / "kept.jpg";
    WriteBytes(outside, "not to be touched");
    ASSERT_EQ(::chmod(outside.c_str(), c.OutsideMode), 0);
    const fs::path target = File("out") / c.Target;
    fs::create_symlink(outside, target);

    std::vector<std::string> arguments{c.Job};
    arguments.insert(arguments.end(), c.Options.begin(), c.Options.end());
    arguments.insert(arguments.end(), {"--out", "out", "--overwrite", "yes", "src"});
    const TBatchResult result = RunBatch(arguments, folder_.Path());

    EXPECT_EQ(result.ExitStatus, 0) << result.Err;
    EXPECT_TRUE(HasLine(result, (File("src") / "a.jpg").string() + c.Line)) << result.Out;
    struct stat info {};
    ASSERT_EQ(::lstat(outside.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, c.OutsideMode);
    EXPECT_EQ(ReadBytes(outside), "not to be touched");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(target)));
    EXPECT_EQ(FormatOf(target), c.Format);
    EXPECT_EQ(SizeOf(target), c.Size);
    EXPECT_TRUE(HiddenEntries(File("out")).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, LinkTargetCommand,
    ::testing::Values(
        TLinkCase{"Percent",
                  "percent",
                  {"--width", "50", "--height", "50"},
                  "a_s.jpg",
                  "创建缩略图成功！",
                  0444,
                  {40, 30},
                  "jpeg"},
        TLinkCase{"PixelCut",
                  "pixel",
                  {"--width", "20", "--height", "20", "--mode", "cut", "--fast"},
                  "a_s.jpg",
                  "创建缩略图成功！",
                  0444,
                  {20, 20},
                  "jpeg"},
        // The same width: the source is copied as it is.
        TLinkCase{"SideCopy", "side", {"--width", "80"}, "a_s.jpg", "创建缩略图成功。", 0444, {80, 60}, "jpeg"},
        TLinkCase{"ConvertDecoded", "convert", {"--to", "png"}, "a.png", "类型转换成功！", 0400, {80, 60}, "png"},
        TLinkCase{"ConvertCopied", "convert", {"--to", "jpg"}, "a.jpg", "类型转换成功！", 0400, {80, 60}, "jpeg"},
        TLinkCase{"Crop", "crop", {"--width", "30", "--height", "20"}, "a_c.jpg", "剪裁完成！", 0444, {30, 20}, "jpeg"},
        TLinkCase{"TextWatermark",
                  "watermark",
                  {"--text", "Q", "--x", "0", "--y", "0"},
                  "a_w.jpg",
                  "增加水印标签完成！",
                  0444,
                  {80, 60},
                  "jpeg"},
        TLinkCase{"PictureWatermark",
                  "watermark",
                  {"--picture", "mark.png", "--x", "0", "--y", "0"},
                  "a_w.jpg",
                  "增加水印标签完成！",
                  0444,
                  {80, 60},
                  "jpeg"}),
    [](const ::testing::TestParamInfo<TLinkCase>& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace quillane::test
