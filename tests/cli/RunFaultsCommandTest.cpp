// quillane-batch struck by a full disk or killed in the middle of a write: every
// existing file stays whole (the old one or the new one, never a mixture), at most a
// temporary file of ours is left, and the next run is not disturbed by it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <regex>
#include <thread>

#include "ChildBatch.h"
#include "GraphicsFixture.h"
#include "SourceAndOutFolders.h"
#include "TestPictures.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;

bool IsOurTemporary(const std::string& name)
{
    static const std::regex kName(R"(\.~quillane-[a-z0-9]{8}\.tmp)");
    return std::regex_match(name, kName);
}

class RunFaultsCommand : public SourceAndOutFolders {
protected:
    std::vector<std::string> Entries(const fs::path& folder) const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // Waits until the child's temporary file in `folder` holds data, or the target
    // changed because the child got there first. Bounded, never asserted on.
    void AwaitWriting(const fs::path& folder, const fs::path& target, const std::string& old) const
    {
        for (int i = 0; i < 20000; ++i) {
            for (const auto& entry : fs::directory_iterator(folder)) {
                std::error_code error;
                if (IsOurTemporary(entry.path().filename().string()) && fs::file_size(entry.path(), error) > 0)
                    return;
            }
            if (ReadBytes(target) != old)
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    // The file is either exactly the old bytes or the whole new picture.
    static void ExpectOldOrWholeNew(const fs::path& file, const std::string& old, TPictureSize size)
    {
        const std::string now = ReadBytes(file);
        if (now == old)
            return;
        vips::VImage picture;
        ASSERT_NO_THROW(picture = ReadPicture(file));
        EXPECT_EQ((TPictureSize{picture.width(), picture.height()}), size);
        EXPECT_NO_THROW(picture.avg()) << "every pixel must decode";
    }
};

TEST_F(RunFaultsCommand, AFullDiskFailsTheFilesThatDoNotFitAndTheRunGoesOn)
{
    WritePicture(NoiseImage(16, 16), Src("a.png"));
    WritePicture(NoiseImage(300, 300), Src("big.png"));
    WritePicture(NoiseImage(16, 16), Src("c.png"));
    WriteBytes(Out("big_s.png"), "the thumbnail of an earlier run");
    const std::string bigSource = ReadBytes(Src("big.png"));

    TChildBatch child({"percent", "--width", "100", "--height", "100", "--out", "out", "--overwrite", "yes", "src"},
                      folder_.Path(), TChildLimits{.FileSize = 64 * 1024});
    const TBatchResult result = child.Wait();
    EXPECT_EQ(result.ExitStatus, 1) << result.Err;
    EXPECT_EQ(result.OutLines(), (std::vector<std::string>{Src("a.png").string() + "创建缩略图成功！",
                                                           Src("big.png").string() + "创建缩略图失败！",
                                                           Src("c.png").string() + "创建缩略图成功！"}));
    EXPECT_EQ(result.ErrLines().back(), "处理完成！");
    EXPECT_EQ(Entries(Out()), (std::vector<std::string>{"a_s.png", "big_s.png", "c_s.png"}));
    EXPECT_EQ(ReadBytes(Out("big_s.png")), "the thumbnail of an earlier run");
    EXPECT_EQ(ReadBytes(Src("big.png")), bigSource);
    EXPECT_EQ(SizeOf(Out("c_s.png")), (TPictureSize{16, 16}));
}

TEST_F(RunFaultsCommand, APictureTooLargeForTheMemoryLimitFailsAloneAndTheRunGoesOn)
{
    WritePicture(NoiseImage(30, 20), Src("a.jpg"));
    // A few hundred kilobytes on disk; decoded and quantised it needs more than the limit.
    WritePicture(SolidImage(10000, 10000, {40, 80, 120}), Src("b.png"));
    WritePicture(NoiseImage(30, 20), Src("c.png"));
    WritePicture(NoiseImage(30, 20), Src("d.jpg"));

    TChildBatch child({"--jobs", "2", "convert", "--to", "gif", "--out", "out", "src"}, folder_.Path(),
                      TChildLimits{.AddressSpace = std::uint64_t{640} << 20});
    const TBatchResult result = child.Wait();
    EXPECT_EQ(result.ExitStatus, 1) << "ended by a signal when -1\n" << result.Err;
    EXPECT_EQ(result.OutLines(),
              (std::vector<std::string>{
                  Src("a.jpg").string() + "类型转换成功！", Src("b.png").string() + "没有进行类型转换！",
                  Src("c.png").string() + "类型转换成功！", Src("d.jpg").string() + "类型转换成功！"}));
    ASSERT_FALSE(result.ErrLines().empty());
    EXPECT_EQ(result.ErrLines().back(), "处理完成！");
    EXPECT_EQ(Entries(Out()), (std::vector<std::string>{"a.gif", "c.gif", "d.gif"}));
    for (const char* name : {"a.gif", "c.gif", "d.gif"})
        EXPECT_EQ(SizeOf(Out(name)), (TPictureSize{30, 20})) << name;
}

// With every thread asking for a stack larger than the machine, no worker can start:
// each file still gets its line and the run ends by itself.
TEST_F(RunFaultsCommand, NoThreadToBeHadFailsFilesNotTheProcess)
{
    for (const char* name : {"a.png", "b.jpg", "c.png"})
        WritePicture(NoiseImage(30, 20), Src(name));
    TChildBatch child({"--jobs", "2", "percent", "--width", "50", "--height", "50", "--out", "out", "src"},
                      folder_.Path(), TChildLimits{.Stack = std::uint64_t{1} << 42});
    const TBatchResult result = child.Wait();
    EXPECT_NE(result.ExitStatus, -1) << "ended by a signal\n" << result.Err;
    ASSERT_EQ(result.OutLines().size(), 3u) << result.Err;
    for (const std::string& line : result.OutLines())
        EXPECT_TRUE(line.starts_with(Src().string())) << line;
    ASSERT_FALSE(result.ErrLines().empty());
    EXPECT_EQ(result.ErrLines().back(), "处理完成！");
}

TEST_F(RunFaultsCommand, KilledWhileReplacingATargetLeavesTheOldOrTheNewFileWhole)
{
    WritePicture(NoiseImage(900, 900), Src("big.png"));
    WritePicture(SolidImage(4, 4, {1, 2, 3}), Out("big_s.png"));
    const std::string old = ReadBytes(Out("big_s.png"));
    const std::vector<std::string> run{"percent", "--width", "100",         "--height", "100",
                                       "--out",   "out",     "--overwrite", "yes",      "src"};
    {
        TChildBatch child(run, folder_.Path());
        AwaitWriting(Out(), Out("big_s.png"), old);
        child.Kill();
        child.Wait();
    }
    ExpectOldOrWholeNew(Out("big_s.png"), old, {900, 900});
    for (const std::string& name : Entries(Out()))
        EXPECT_TRUE(name == "big_s.png" || IsOurTemporary(name)) << name;

    // A later run over the same folders: the leftover is no source and no obstacle.
    const TBatchResult again = TChildBatch(run, folder_.Path()).Wait();
    EXPECT_EQ(again.ExitStatus, 0) << again.Err;
    EXPECT_EQ(SizeOf(Out("big_s.png")), (TPictureSize{900, 900}));
    const TBatchResult over =
        TChildBatch({"percent", "--width", "10", "--height", "10", "--out", "out2", "--yes", "out"}, folder_.Path())
            .Wait();
    EXPECT_EQ(over.OutLines(), (std::vector<std::string>{Out("big_s.png").string() + "创建缩略图成功！"}));
}

TEST_F(RunFaultsCommand, KilledWhileStampingASourceInPlaceLeavesItWhole)
{
    WritePicture(NoiseImage(900, 900), Src("big.png"));
    const std::string old = ReadBytes(Src("big.png"));
    {
        TChildBatch child({"watermark", "--text", "Q", "--x", "1", "--y", "1", "--out", "src", "--affix", "",
                           "--overwrite", "yes", "src"},
                          folder_.Path());
        AwaitWriting(Src(), Src("big.png"), old);
        child.Kill();
        child.Wait();
    }
    ExpectOldOrWholeNew(Src("big.png"), old, {900, 900});
    for (const std::string& name : Entries(Src()))
        EXPECT_TRUE(name == "big.png" || IsOurTemporary(name)) << name;
    for (const std::string& name : Entries(folder_.Path()))
        EXPECT_TRUE(name == "src" || name == "out" || name.rfind(".child-", 0) == 0) << name;
}

// Ctrl+C, a hang-up and a polite kill all stop a run the same way: the files in
// progress end cleanly, every line stands for a file on disk, and standard error says
// how far the run got.
TEST_F(RunFaultsCommand, EveryStopSignalEndsTheRunCleanlyAndSaysHowFarItGot)
{
    constexpr int kPictures = 30;
    for (int i = 0; i < kPictures; ++i)
        WritePicture(NoiseImage(500, 400), Src("p" + std::to_string(100 + i) + ".png"));
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        fs::remove_all(Out());
        fs::create_directories(Out());
        fs::remove(folder_.Path() / ".child-stdout");
        TChildBatch child({"percent", "--width", "50", "--height", "50", "--out", "out", "src"}, folder_.Path());
        const auto noLineYet = [&] {
            std::error_code error;
            const auto size = fs::file_size(folder_.Path() / ".child-stdout", error);
            return error || size == 0;
        };
        for (int i = 0; i < 20000 && noLineYet(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        child.Signal(signal);
        const TBatchResult result = child.Wait();

        EXPECT_EQ(result.ExitStatus, 1) << result.Err;
        const std::size_t done = result.OutLines().size();
        ASSERT_LT(done, static_cast<std::size_t>(kPictures)) << "the run ended before the signal came";
        EXPECT_EQ(result.ErrLines().back(), "已停止：已处理 " + std::to_string(done) + " 个文件，列表中还有 " +
                                                std::to_string(kPictures - done) + " 项未处理。");
        std::vector<std::string> written;
        for (const std::string& line : result.OutLines())
            written.push_back(fs::path(line.substr(0, line.find(".png") + 4)).stem().string() + "_s.png");
        EXPECT_EQ(Entries(Out()), written) << "a temporary file, or a file without its line";
    }
}

}  // namespace
}  // namespace quillane::test
