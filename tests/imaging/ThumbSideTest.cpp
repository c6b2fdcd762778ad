#include <gtest/gtest.h>
#include <sys/stat.h>

#include "GraphicsFixture.h"
#include "TestPictures.h"
#include "imaging/Thumbnails.h"

// Single-side thumbnails: one side fixed, the other following; copies where no
// scaling is needed or wanted.
namespace quillane {
namespace {

using test::FormatOf;
using test::MakePicture;
using test::ReadBytes;
using test::SizeOf;
using test::TPictureSize;

struct TForm {
    const char* name;
    TOutcome (*routine)(const TPath&, const TPath&, bool, std::int32_t, bool, bool);
};

class ThumbSide : public test::GraphicsTest, public ::testing::WithParamInterface<TForm> {
protected:
    TOutcome Run(const std::string& source, const std::string& target, bool byWidth, int size, bool overwrite = false,
                 bool skipSmaller = false)
    {
        return GetParam().routine(File(source), File(target), byWidth, size, overwrite, skipSmaller);
    }
};

TEST_P(ThumbSide, TheOtherSideFollowsRoundedDown)
{
    MakePicture(File("photo.jpg"), 1000, 751, {40, 80, 120});
    ASSERT_TRUE(Run("photo.jpg", "by-width.jpg", true, 400));
    ASSERT_TRUE(Run("photo.jpg", "by-height.png", false, 300));
    EXPECT_EQ(SizeOf(File("by-width.jpg")), (TPictureSize{400, 300}));
    EXPECT_EQ(SizeOf(File("by-height.png")), (TPictureSize{399, 300}));
    EXPECT_EQ(FormatOf(File("by-height.png")), "png");
}

TEST_P(ThumbSide, AnEqualSideIsCopiedByteForByte)
{
    MakePicture(File("a.jpg"), 400, 90, {40, 80, 120});
    test::WriteBytes(File("t.png"), "older");
    ASSERT_TRUE(Run("a.jpg", "t.png", true, 400, true));
    EXPECT_EQ(ReadBytes(File("t.png")), ReadBytes(File("a.jpg"))) << "not re-encoded, whatever the name";
}

TEST_P(ThumbSide, AnEqualSideWhoseCopyCannotBeWrittenIsAFailure)
{
    MakePicture(File("a.jpg"), 400, 90, {40, 80, 120});
    EXPECT_FALSE(Run("a.jpg", "missing-folder/t.jpg", true, 400, true));
    EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"a.jpg"});
}

TEST_P(ThumbSide, SkipSmallerCopiesAndReportsFalseOtherwiseItEnlarges)
{
    MakePicture(File("a.png"), 40, 90, {40, 80, 120});
    EXPECT_FALSE(Run("a.png", "skipped.png", true, 80, false, true));
    EXPECT_EQ(ReadBytes(File("skipped.png")), ReadBytes(File("a.png")));
    ASSERT_TRUE(Run("a.png", "enlarged.png", true, 80, false, false));
    EXPECT_EQ(SizeOf(File("enlarged.png")), (TPictureSize{80, 180}));
    ASSERT_TRUE(Run("a.png", "smaller.png", true, 20, false, true)) << "skip smaller still shrinks";
    EXPECT_EQ(SizeOf(File("smaller.png")), (TPictureSize{20, 45}));
}

TEST_P(ThumbSide, AnUndecodableSourceIsCopiedAndReportedAsFailed)
{
    test::WriteBytes(File("junk.jpg"), "no picture here");
    EXPECT_FALSE(Run("junk.jpg", "out.jpg", true, 100));
    EXPECT_EQ(ReadBytes(File("out.jpg")), "no picture here");
}

TEST_P(ThumbSide, TheSourceAsItsOwnTargetWithAnEqualSideStaysUntouched)
{
    MakePicture(File("a.jpg"), 64, 48, {40, 80, 120});
    const std::string before = ReadBytes(File("a.jpg"));
    ::chmod(File("a.jpg").c_str(), 0444);
    ASSERT_TRUE(Run("a.jpg", "a.jpg", true, 64, true));
    EXPECT_EQ(ReadBytes(File("a.jpg")), before);
    struct stat info {};
    ASSERT_EQ(::stat(File("a.jpg").c_str(), &info), 0);
    EXPECT_NE(info.st_mode & S_IWUSR, 0u) << "made writable as with any overwritten target";
    ASSERT_TRUE(Run("a.jpg", "a.jpg", false, 24, true));
    EXPECT_EQ(SizeOf(File("a.jpg")), (TPictureSize{32, 24}));
    EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"a.jpg"});
}

TEST_P(ThumbSide, NothingHappensToAnExistingTargetWithoutOverwrite)
{
    MakePicture(File("a.png"), 40, 90, {40, 80, 120});
    test::WriteBytes(File("t.png"), "existing");
    EXPECT_FALSE(Run("a.png", "t.png", true, 40));
    EXPECT_FALSE(Run("a.png", "t.png", true, 20));
    EXPECT_EQ(ReadBytes(File("t.png")), "existing");
}

TEST_P(ThumbSide, AnUnknownTargetExtensionWritesNothingWhenScaling)
{
    MakePicture(File("a.png"), 40, 90, {40, 80, 120});
    EXPECT_FALSE(Run("a.png", "t.jfif", true, 20));
    EXPECT_FALSE(Run("a.png", "t.jpe", true, 20));
    EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"a.png"});
}

INSTANTIATE_TEST_SUITE_P(Forms, ThumbSide, ::testing::Values(TForm{"Fast", ThumbSideFast}, TForm{"HQ", ThumbSideHQ}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillane
