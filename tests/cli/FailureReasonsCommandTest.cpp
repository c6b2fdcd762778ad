// quillane-batch says why each file failed: "PATH: REASON" on standard error, one line
// per failed file, while standard output keeps the result lines exactly as they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "BadPictures.h"
#include "BatchProcess.h"
#include "GraphicsFixture.h"
#include "SourceAndOutFolders.h"
#include "LockedFolder.h"
#include "TestPictures.h"
#include "cli/EscapedText.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;

const std::string kFailed = "创建缩略图失败！";

TEST(EscapedForTerminal, ControlBytesBecomeVisibleAndTheRestStays)
{
    const struct {
        std::string Text;
        std::string Expected;
    } kCases[] = {
        {"/photos/a.jpg", "/photos/a.jpg"},
        {"/photos/照片 1.jpg", "/photos/照片 1.jpg"},
        {"a\nb.png", "a\\nb.png"},
        {"a\rb", "a\\x0db"},
        {"tab\there", "tab\\x09here"},
        {std::string("nul\0x", 5), "nul\\x00x"},
        {"\x1b[31mred", "\\x1b[31mred"},
        {"del\x7f", "del\\x7f"},
        {"\x1f", "\\x1f"},
        {"back\\slash", "back\\slash"},
        {"", ""},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(EscapedForTerminal(c.Text), c.Expected) << c.Expected;
    }
}

class FailureReasonsCommand : public SourceAndOutFolders {
protected:
    TBatchResult Run(const std::string& overwrite) const
    {
        return RunBatch(
            {"percent", "--width", "50", "--height", "50", "--out", "out", "--yes", "--overwrite", overwrite, "src"},
            folder_.Path());
    }
    static std::string GoodJpeg() { return EncodedPicture(NoiseImage(64, 48), "jpeg"); }
};

// One file per case, each failing for its own reason.
TEST_F(FailureReasonsCommand, EachFailedFileGetsItsOwnReasonOnStandardError)
{
    struct TCase {
        std::string What;
        std::string Name;
        std::function<void(const fs::path& file, const fs::path& out)> Make;  // the source, the output folder
        std::string Overwrite;
        std::string Reason;
    };
    const std::vector<TCase> cases = {
        {"truncated JPEG", "cut.jpg",
         [](const fs::path& file, const fs::path&) {
             const std::string jpeg = GoodJpeg();
             WriteBytes(file, Truncated(jpeg, jpeg.size() / 2));
         },
         "no", "文件已损坏，无法解码"},
        {"text named .png", "notes.png",
         [](const fs::path& file, const fs::path&) { WriteBytes(file, "just some notes\n"); }, "no",
         "不是支持的图片格式"},
        {"over the size limit", "huge.jpg",
         [](const fs::path& file, const fs::path&) { WriteBytes(file, JpegClaimingSize(GoodJpeg(), 20000, 20000)); },
         "no", "图片过大（超过 16384 × 16384 像素）"},
        {"declined overwrite", "kept.jpg",
         [](const fs::path& file, const fs::path& out) {
             WriteBytes(file, GoodJpeg());
             WriteBytes(out / "kept_s.jpg", "old");
         },
         "no", "目标文件已存在，未覆盖"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        fs::remove_all(Src());
        fs::remove_all(Out());
        fs::create_directories(Src());
        fs::create_directories(Out());
        c.Make(Src(c.Name), Out());

        const TBatchResult result = Run(c.Overwrite);

        EXPECT_EQ(result.OutLines(), std::vector<std::string>{Src(c.Name).string() + kFailed});
        const std::string prefix = Src(c.Name).string() + ": " + c.Reason;
        const std::vector<std::string> errors = result.ErrLines();
        const auto reasons = std::count_if(errors.begin(), errors.end(), [&](const std::string& line) {
            return line.rfind(Src(c.Name).string() + ": ", 0) == 0;
        });
        EXPECT_EQ(reasons, 1) << result.Err;
        EXPECT_TRUE(std::any_of(errors.begin(), errors.end(), [&](const std::string& line) {
            return line.rfind(prefix, 0) == 0;
        })) << result.Err;
        if (c.Name == "kept.jpg") {
            EXPECT_EQ(ReadBytes(Out("kept_s.jpg")), "old");
        }
    }
}

TEST_F(FailureReasonsCommand, AnOutputFolderThatCannotBeWrittenIsTheReason)
{
    WriteBytes(Src("blocked.jpg"), GoodJpeg());
    TLockedFolder lock(Out());
    if (!lock.Set(true)) {
        GTEST_SKIP() << "this file system cannot make a folder read-only for root";
    }
    const TBatchResult result = Run("no");
    lock.Set(false);

    EXPECT_EQ(result.OutLines(), std::vector<std::string>{Src("blocked.jpg").string() + kFailed});
    const std::vector<std::string> errors = result.ErrLines();
    const std::string prefix = Src("blocked.jpg").string() + ": 无法写入目标文件";
    EXPECT_TRUE(std::any_of(errors.begin(), errors.end(), [&](const std::string& line) {
        return line.rfind(prefix, 0) == 0;
    })) << result.Err;
    EXPECT_TRUE(fs::is_empty(Out()));
}

TEST_F(FailureReasonsCommand, SucceededFilesGetNoReasonAndAHostileNameStaysOnOneLine)
{
    WriteBytes(Src("good.jpg"), GoodJpeg());
    const std::string hostile = "evil\nname\x1b[2J.png";
    WriteBytes(Src(hostile), "not a picture");

    const TBatchResult result = Run("no");

    // Standard output holds one line per file: the line break and the escape are escaped.
    EXPECT_NE(result.Out.find(Src("").string() + "evil\\nname\\x1b[2J.png" + kFailed + "\n"), std::string::npos)
        << result.Out;
    EXPECT_NE(result.Out.find(Src("good.jpg").string() + "创建缩略图成功！\n"), std::string::npos);
    const std::string escaped = Src("").string() + "evil\\nname\\x1b[2J.png: 不是支持的图片格式";
    const std::vector<std::string> errors = result.ErrLines();
    EXPECT_NE(std::find(errors.begin(), errors.end(), escaped), errors.end()) << result.Err;
    EXPECT_EQ(result.Err.find("\x1b"), std::string::npos);
    EXPECT_EQ(result.Err.find("good.jpg"), std::string::npos);
}

}  // namespace
}  // namespace quillane::test
