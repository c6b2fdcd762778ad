// Whether two paths of a run may name one file: what decides that a later file waits
// for an earlier one.
#include <gtest/gtest.h>

#include <unistd.h>

#include "TempFolder.h"
#include "jobs/EngineTestFiles.h"
#include "jobs/PathKey.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;

TEST(PathKey, OneFileUnderEveryNameItCanBeGiven)
{
    TTempFolder folder;
    Touch(folder / "out" / "a.gif");
    fs::create_directory_symlink(folder / "out", folder / "link");
    ASSERT_EQ(::link((folder / "out" / "a.gif").c_str(), (folder / "out" / "hard.gif").c_str()), 0);
    const TPathKey plain = KeyOf(folder / "out" / "a.gif");

    EXPECT_TRUE(SameFileKey(plain, KeyOf(folder.Path().string() + "/out//a.gif")));
    EXPECT_TRUE(SameFileKey(plain, KeyOf(folder / "out" / ".." / "out" / "a.gif")));
    EXPECT_TRUE(SameFileKey(plain, KeyOf(folder / "link" / "a.gif")));
    EXPECT_TRUE(SameFileKey(plain, KeyOf(folder / "out" / "hard.gif")));
    // Names differ in letter case only: two files here.
    EXPECT_FALSE(SameFileKey(plain, KeyOf(folder / "out" / "A.gif")));
    EXPECT_FALSE(SameFileKey(plain, KeyOf(folder / "out" / "a.jpg")));
}

TEST(PathKey, ATargetStillToBeWrittenOrReplacedIsKnownByItsPath)
{
    TTempFolder folder;
    const TPathKey before = KeyOf(folder / "out" / "new.gif");  // not there yet
    Touch(folder / "out" / "new.gif");
    EXPECT_TRUE(SameFileKey(before, KeyOf(folder / "out" / "new.gif")));

    const TPathKey old = KeyOf(folder / "out" / "new.gif");
    Touch(folder / "out" / "next.gif", "replacement");
    fs::rename(folder / "out" / "next.gif", folder / "out" / "new.gif");  // a new inode, as a save makes
    EXPECT_TRUE(SameFileKey(old, KeyOf(folder / "out" / "new.gif")));
}

TEST(PathKey, TheFolderOfATargetIsTheFolderAWalkLists)
{
    TTempFolder folder;
    fs::create_directories(folder / "src" / "b" / "a");
    const TPathKey target = KeyOf(folder / "src" / "b" / "a" / "p1.gif");
    EXPECT_TRUE(SameFileKey(FolderKeyOf(target), KeyOf(folder.Path().string() + "/src/b/a/")));
    EXPECT_FALSE(SameFileKey(FolderKeyOf(target), KeyOf(folder / "src" / "b")));
}

}  // namespace
}  // namespace quillane::test
