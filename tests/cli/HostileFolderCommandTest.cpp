// quillane-batch over folders nobody curated: damaged pictures and awkward names.
// Every file is reported on standard output under its exact bytes, the closing
// message still comes, and the exit status tells that some file failed.
#include <gtest/gtest.h>

#include <set>

#include "BadPictures.h"
#include "GraphicsFixture.h"
#include "OddNames.h"
#include "cli/BatchProcess.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;

class HostileFolderCommand : public GraphicsTest {
protected:
    fs::path Src(const std::string& name = "") const { return folder_.Path() / "src" / name; }
    fs::path Out() const { return folder_.Path() / "out"; }
    static std::multiset<std::string> Set(const std::vector<std::string>& lines)
    {
        return std::multiset<std::string>(lines.begin(), lines.end());
    }
};

TEST_F(HostileFolderCommand, DamagedPicturesFailOneByOneAndTheRunEnds)
{
    fs::create_directories(Src());
    const std::vector<TSample> samples = AllSamples();
    WriteSamples(Src(), samples);
    const TBatchResult result = RunBatch(
        {"percent", "--width", "50", "--height", "50", "--out", "out", "--yes", "--fast", "src"}, folder_.Path());
    EXPECT_EQ(result.ExitStatus, 1) << result.Err;
    ASSERT_EQ(result.OutLines().size(), samples.size());
    std::size_t made = 0;
    for (const TSample& sample : samples) {
        const std::string madeLine = Src(sample.Name).string() + "创建缩略图成功！";
        const std::string failedLine = Src(sample.Name).string() + "创建缩略图失败！";
        const auto lines = Set(result.OutLines());
        const bool ok = lines.count(madeLine) == 1;
        EXPECT_TRUE(ok || lines.count(failedLine) == 1) << sample.Name;
        if (sample.Expect == TExpect::exFails) {
            EXPECT_FALSE(ok) << sample.Name;
        }
        made += ok ? 1 : 0;
    }
    ASSERT_FALSE(result.ErrLines().empty());
    EXPECT_EQ(result.ErrLines().back(), "处理完成！");
    std::size_t written = 0;
    for (const auto& entry : fs::directory_iterator(Out())) {
        EXPECT_NE(entry.path().filename().string().front(), '.') << "a temporary file was left: " << entry.path();
        ++written;
    }
    EXPECT_EQ(written, made);
}

TEST_F(HostileFolderCommand, AwkwardNamesAreReportedUnderTheirExactBytes)
{
    const TOddFolder odd = MakeOddFolder(Src());
    const TBatchResult result = RunBatch(
        {"percent", "--width", "50", "--height", "50", "--out", "out", "--yes", "--subfolders", "src"}, folder_.Path());
    EXPECT_EQ(result.ExitStatus, 1) << result.Err;  // the extensionless, the too long and the dangling ones
    std::multiset<std::string> expected;
    for (const std::vector<TOddFile>* files : {&odd.Files, &odd.WalkedFiles}) {
        for (const TOddFile& file : *files) {
            expected.insert(Src(file.Name).string() + (file.Succeeds ? "创建缩略图成功！" : "创建缩略图失败！"));
        }
    }
    EXPECT_EQ(Set(result.OutLines()), expected);
    EXPECT_EQ(result.ErrLines().back(), "处理完成！");
    EXPECT_TRUE(fs::exists(Out() / "\xd5\xd5\xc6\xac_s.jpg"));
    EXPECT_TRUE(fs::exists(Out() / "it's \"q\" $(touch x) `id` ;&|<>*?_s.jpg"));
    EXPECT_FALSE(fs::exists(folder_.Path() / "x"));  // nothing ran the name as a command
}

}  // namespace
}  // namespace quillane::test
