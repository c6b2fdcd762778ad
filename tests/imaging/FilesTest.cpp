#include <gtest/gtest.h>
#include <sys/stat.h>

#include "GraphicsFixture.h"
#include "TestPictures.h"
#include "imaging/AtomicFile.h"
#include "imaging/Encoders.h"
#include "imaging/Files.h"

namespace quillane {
namespace {

using test::ReadBytes;
using test::TTempFolder;
using test::WriteBytes;

bool OwnerMayWrite(const TPath& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && (info.st_mode & S_IWUSR) != 0;
}

mode_t ModeOf(const TPath& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// Sets the file creation mask for a test and puts the old one back.
class TUmask {
public:
    explicit TUmask(mode_t mask) : previous_(::umask(mask)) {}
    ~TUmask() { ::umask(previous_); }

private:
    mode_t previous_;
};

TEST(Extension, IsTheTextFromTheLastDotUnlessAFolderSeparatorFollows)
{
    EXPECT_EQ(ExtractExtension("/pics/photo.JPG"), ".JPG");
    EXPECT_EQ(ExtractExtension("/pics/archive.tar.gz"), ".gz");
    EXPECT_EQ(ExtractExtension("/pics/holiday.2024/photo"), "");
    EXPECT_EQ(ExtractExtension("photo"), "");
    EXPECT_EQ(ExtractExtension("/pics/photo."), ".");
}

TEST(MimeForExtension, FollowsTheTableRegardlessOfLetterCase)
{
    EXPECT_EQ(MimeForExtension("a.jpg"), "image/jpeg");
    EXPECT_EQ(MimeForExtension("a.JPEG"), "image/jpeg");
    EXPECT_EQ(MimeForExtension("a.Png"), "image/png");
    EXPECT_EQ(MimeForExtension("a.gif"), "image/gif");
    EXPECT_EQ(MimeForExtension("a.BMP"), "image/bmp");
    EXPECT_EQ(MimeForExtension("a.tif"), "image/tiff");
    EXPECT_EQ(MimeForExtension("a.TIFF"), "image/tiff");
}

TEST(MimeForExtension, GivesNothingForOtherOrMissingExtensions)
{
    EXPECT_EQ(MimeForExtension("a.jfif"), "");
    EXPECT_EQ(MimeForExtension("a.jpe"), "");
    EXPECT_EQ(MimeForExtension("a.jpgx"), "");
    EXPECT_EQ(MimeForExtension("/pics/holiday.jpg/photo"), "");
    EXPECT_EQ(MimeForExtension("photo"), "");
}

TEST(EncoderForMime, FindsEachFormatAndCopiesItsId)
{
    const auto& encoders = GetImageEncoders();
    for (const char* mime : {"image/bmp", "image/jpeg", "image/gif", "image/tiff", "image/png"}) {
        TEncoderId id{};
        const int index = EncoderForMime(mime, id);
        ASSERT_GE(index, 0) << mime;
        EXPECT_EQ(encoders[static_cast<std::size_t>(index)].MimeType, mime);
        EXPECT_EQ(id, encoders[static_cast<std::size_t>(index)].Clsid);
        EXPECT_NE(id, TEncoderId{}) << mime;
    }
}

TEST(EncoderForMime, LeavesTheIdAloneWhenNothingMatchesExactly)
{
    TEncoderId id{};
    id.fill(7);
    const TEncoderId before = id;
    EXPECT_EQ(EncoderForMime("IMAGE/JPEG", id), -1);
    EXPECT_EQ(EncoderForMime("image/jpg", id), -1);
    EXPECT_EQ(EncoderForMime("", id), -1);
    EXPECT_EQ(id, before);
}

TEST(TempFolderPath, EndsInASeparatorAndHonoursTmpdir)
{
    TTempFolder folder;
    const char* old = std::getenv("TMPDIR");
    const std::string saved = old ? old : "";
    ::setenv("TMPDIR", folder.Path().c_str(), 1);
    const std::string path = TempFolderPath();
    if (old)
        ::setenv("TMPDIR", saved.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
    EXPECT_EQ(path, folder.Path().string() + "/");
}

TEST(PrepareTarget, RefusesAnExistingTargetWithoutOverwriteAndLeavesItAlone)
{
    TTempFolder folder;
    const TPath target = folder / "t.jpg";
    WriteBytes(target, "old");
    ::chmod(target.c_str(), 0444);
    EXPECT_FALSE(PrepareTarget(target, false));
    EXPECT_FALSE(OwnerMayWrite(target));
    EXPECT_EQ(ReadBytes(target), "old");
}

TEST(PrepareTarget, MakesAReadOnlyTargetWritableWithOverwrite)
{
    TTempFolder folder;
    const TPath target = folder / "t.jpg";
    WriteBytes(target, "old");
    ::chmod(target.c_str(), 0444);
    EXPECT_TRUE(PrepareTarget(target, true));
    EXPECT_TRUE(OwnerMayWrite(target));
    EXPECT_TRUE(PrepareTarget(folder / "missing.jpg", false));
}

TEST(SameFile, ComparesFilesNotSpellings)
{
    TTempFolder folder;
    WriteBytes(folder / "a.jpg", "x");
    WriteBytes(folder / "A.jpg", "y");
    EXPECT_TRUE(SameFile(folder / "a.jpg", folder.Path() / "." / "a.jpg"));
    EXPECT_FALSE(SameFile(folder / "a.jpg", folder / "A.jpg"));
    EXPECT_TRUE(SameFile(folder / "new.jpg", folder.Path() / "sub" / ".." / "new.jpg"));
    EXPECT_FALSE(SameFile(folder / "new.jpg", folder / "other.jpg"));
}

TEST(CopyFileReplacing, ReplacesTheTargetByteForByteAndLeavesNoTemporaryFile)
{
    TTempFolder folder;
    const std::string bytes("\x00\x01 binary \xff", 12);
    WriteBytes(folder / "src.bin", bytes);
    WriteBytes(folder / "dst.bin", "an older and longer content");
    ASSERT_TRUE(CopyFileReplacing(folder / "src.bin", folder / "dst.bin", true));
    EXPECT_EQ(ReadBytes(folder / "dst.bin"), bytes);
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"dst.bin", "src.bin"}));
}

TEST(CopyFileReplacing, FailsWithoutTouchingAnythingWhenTheSourceIsMissingOrTheFolderIs)
{
    TTempFolder folder;
    WriteBytes(folder / "dst.bin", "keep");
    EXPECT_FALSE(CopyFileReplacing(folder / "missing.bin", folder / "dst.bin", true));
    EXPECT_EQ(ReadBytes(folder / "dst.bin"), "keep");
    WriteBytes(folder / "src.bin", "data");
    EXPECT_FALSE(CopyFileReplacing(folder / "src.bin", folder / "no-such-folder" / "dst.bin", true));
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"dst.bin", "src.bin"}));
}

TEST(AtomicFile, ReplacesTheTargetOnlyOnCommit)
{
    TTempFolder folder;
    const TPath target = folder / "t.txt";
    WriteBytes(target, "old");
    {
        TAtomicFile file(target, true);
        ASSERT_TRUE(file.IsOpen());
        ASSERT_TRUE(file.Write("new", 3));
        EXPECT_EQ(ReadBytes(target), "old");
        EXPECT_EQ(file.TemporaryPath().parent_path(), folder.Path());
    }
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"t.txt"});
    {
        TAtomicFile file(target, true);
        ASSERT_TRUE(file.Write("new", 3));
        ASSERT_TRUE(file.Commit());
    }
    EXPECT_EQ(ReadBytes(target), "new");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"t.txt"});
}

TEST(AtomicFile, AReplacedFileKeepsItsPermissionsAndBecomesWritable)
{
    TTempFolder folder;
    const TPath target = folder / "private.txt";
    WriteBytes(target, "old");
    ::chmod(target.c_str(), 0400);
    TAtomicFile file(target, true);
    ASSERT_TRUE(file.Write("new", 3));
    ASSERT_TRUE(file.Commit());
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(ReadBytes(target), "new");
}

TEST(AtomicFile, AFolderInTheWayFailsTheCommitAndLeavesNoTemporaryFile)
{
    TTempFolder folder;
    std::filesystem::create_directory(folder / "t.jpg");
    WriteBytes(folder / "t.jpg" / "inside", "x");
    TAtomicFile file(folder / "t.jpg", true);
    ASSERT_TRUE(file.Write("data", 4));
    EXPECT_FALSE(file.Commit());
    EXPECT_TRUE(std::filesystem::is_directory(folder / "t.jpg"));
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"t.jpg"});
}

TEST(AtomicFile, WithoutReplaceAFileThatAppearedBeforeTheCommitStays)
{
    TTempFolder folder;
    const TPath target = folder / "t.jpg";
    {
        TAtomicFile file(target, false);
        ASSERT_TRUE(file.Write("mine", 4));
        WriteBytes(target, "theirs");  // another writer's file, made meanwhile
        EXPECT_FALSE(file.Commit());
    }
    EXPECT_EQ(ReadBytes(target), "theirs");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"t.jpg"});

    // A link holds the name just as well, even one that leads nowhere.
    std::filesystem::create_symlink(folder / "nowhere", folder / "link.jpg");
    TAtomicFile linked(folder / "link.jpg", false);
    ASSERT_TRUE(linked.Write("mine", 4));
    EXPECT_FALSE(linked.Commit());
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.jpg"));

    TAtomicFile unclaimed(folder / "free.jpg", false);
    ASSERT_TRUE(unclaimed.Write("mine", 4));
    EXPECT_TRUE(unclaimed.Commit());
    EXPECT_EQ(ReadBytes(folder / "free.jpg"), "mine");
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"free.jpg", "link.jpg", "t.jpg"}));
}

TEST(AtomicFile, TheTemporaryFileIsPrivateAndANewTargetGetsWhatTheUmaskAllows)
{
    TTempFolder folder;
    const TUmask mask(027);
    TAtomicFile file(folder / "new.jpg", false);
    ASSERT_TRUE(file.Write("pixels", 6));
    EXPECT_EQ(ModeOf(file.TemporaryPath()), 0600u);
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(ModeOf(folder / "new.jpg"), 0640u);
}

TEST(AtomicFile, ALinkAtTheTargetIsReplacedAndTheFileItLeadsToIsLeftAlone)
{
    TTempFolder folder;
    const TUmask mask(022);
    std::filesystem::create_directory(folder / "elsewhere");
    const TPath outside = folder / "elsewhere" / "kept.jpg";
    WriteBytes(outside, "outside");
    ::chmod(outside.c_str(), 0400);
    const TPath target = folder / "t.jpg";
    std::filesystem::create_symlink(outside, target);

    EXPECT_TRUE(PrepareTarget(target, true));
    EXPECT_EQ(ModeOf(outside), 0400u);
    TAtomicFile file(target, true);
    ASSERT_TRUE(file.Write("new", 3));
    ASSERT_TRUE(file.Commit());

    EXPECT_EQ(ModeOf(outside), 0400u);
    EXPECT_EQ(ReadBytes(outside), "outside");
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(target)));
    EXPECT_EQ(ReadBytes(target), "new");
    EXPECT_EQ(ModeOf(target), 0644u);  // a new file's mode, not the one the link led to
}

}  // namespace
}  // namespace quillane
