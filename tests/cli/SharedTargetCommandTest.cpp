// quillane-batch writing where others write too: a second run into the same output
// folder.
#include <gtest/gtest.h>

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
        return TChildBatch({"percent", "--width", size, "--height", size, "--out", File("out").string(),
                            "--overwrite", "no", File("src").string()},
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

}  // namespace
}  // namespace quillane::test
