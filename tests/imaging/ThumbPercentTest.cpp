#include <gtest/gtest.h>
#include <sys/stat.h>

#include "GraphicsFixture.h"
#include "TestPictures.h"
#include "imaging/Thumbnails.h"

namespace quillane {
namespace {

using test::FormatOf;
using test::MakePicture;
using test::Near;
using test::PixelAt;
using test::SizeOf;
using test::TPictureSize;
using test::WritePicture;

using TPercentRoutine = TOutcome (*)(const TPath&, const TPath&, std::int32_t, std::int32_t, bool);

struct TPercentForm {
    const char* name;
    TPercentRoutine routine;
};

class ThumbPercent : public test::GraphicsTest, public ::testing::WithParamInterface<TPercentForm> {
protected:
    TOutcome Run(const std::string& source, const std::string& target, int widthPercent, int heightPercent,
                 bool overwrite = false)
    {
        return GetParam().routine(File(source), File(target), widthPercent, heightPercent, overwrite);
    }
};

TEST_P(ThumbPercent, WorkedExamplesTruncateEachSide)
{
    MakePicture(File("photo.jpg"), 1023, 767, {90, 120, 200});
    ASSERT_TRUE(Run("photo.jpg", "half.jpg", 50, 50));
    EXPECT_EQ(SizeOf(File("half.jpg")), (TPictureSize{511, 383}));
    ASSERT_TRUE(Run("photo.jpg", "odd.jpg", 33, 200));
    EXPECT_EQ(SizeOf(File("odd.jpg")), (TPictureSize{337, 1534}));
    EXPECT_EQ(FormatOf(File("odd.jpg")), "jpeg");
}

TEST_P(ThumbPercent, KeepsEveryPartOfThePictureInPlace)
{
    WritePicture(test::QuadrantImage(200, 100), File("q.png"));
    ASSERT_TRUE(Run("q.png", "small.png", 50, 50));
    ASSERT_TRUE(Run("q.png", "big.png", 300, 100));
    EXPECT_EQ(SizeOf(File("small.png")), (TPictureSize{100, 50}));
    EXPECT_EQ(SizeOf(File("big.png")), (TPictureSize{600, 100}));
    const vips::VImage small = test::ReadPicture(File("small.png"));
    EXPECT_TRUE(Near(PixelAt(small, 10, 10), test::kRed, 3));
    EXPECT_TRUE(Near(PixelAt(small, 90, 10), test::kGreen, 3));
    EXPECT_TRUE(Near(PixelAt(small, 10, 40), test::kBlue, 3));
    EXPECT_TRUE(Near(PixelAt(small, 90, 40), test::kWhite, 3));
    EXPECT_TRUE(Near(PixelAt(File("big.png"), 590, 90), test::kWhite, 3));
}

TEST_P(ThumbPercent, HundredPercentReencodesAtTheSourceSizeByTheTargetsExtension)
{
    MakePicture(File("a.png"), 31, 17, {10, 20, 30});
    for (const char* target : {"a.gif", "a.bmp", "a.tif", "a.JPEG"}) {
        ASSERT_TRUE(Run("a.png", target, 100, 100)) << target;
        EXPECT_EQ(SizeOf(File(target)), (TPictureSize{31, 17})) << target;
    }
    EXPECT_EQ(FormatOf(File("a.gif")), "gif");
    EXPECT_EQ(FormatOf(File("a.bmp")), "bmp");
    EXPECT_EQ(FormatOf(File("a.tif")), "tiff");
    EXPECT_EQ(FormatOf(File("a.JPEG")), "jpeg");
}

TEST_P(ThumbPercent, WritesNothingWhenThereIsNoSizeNoPictureOrNoEncoder)
{
    MakePicture(File("dot.png"), 1, 1, {1, 2, 3});
    MakePicture(File("a.png"), 20, 20, {1, 2, 3});
    test::WriteBytes(File("junk.jpg"), "not a picture at all");
    EXPECT_FALSE(Run("dot.png", "dot.jpg", 50, 50));
    EXPECT_FALSE(Run("junk.jpg", "junk-out.jpg", 50, 50));
    EXPECT_FALSE(Run("missing.jpg", "missing-out.jpg", 50, 50));
    EXPECT_FALSE(Run("a.png", "a.jfif", 50, 50));
    EXPECT_FALSE(Run("a.png", "a", 50, 50));
    EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"a.png", "dot.png", "junk.jpg"}));
}

TEST_P(ThumbPercent, ADamagedJpegIsNoSuccessAndLeavesNoFile)
{
    WritePicture(test::NoiseImage(320, 240), File("whole.jpg"));
    const std::string bytes = test::ReadBytes(File("whole.jpg"));
    test::WriteBytes(File("cut.jpg"), bytes.substr(0, bytes.size() * 2 / 3));
    EXPECT_FALSE(Run("cut.jpg", "out.jpg", 50, 50));
    EXPECT_FALSE(Run("cut.jpg", "out.png", 10, 10));
    EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"cut.jpg", "whole.jpg"}));
}

// The damage lies in the last rows only; no attempt may pass it off as a thumbnail.
TEST_P(ThumbPercent, AJpegCutNearItsEndFailsEveryTime)
{
    WritePicture(test::NoiseImage(640, 480), File("whole.jpg"), "jpeg", "[Q=90]");
    const std::string bytes = test::ReadBytes(File("whole.jpg"));
    test::WriteBytes(File("cut.jpg"), bytes.substr(0, bytes.size() - 2000));
    int written = 0;
    for (int attempt = 0; attempt < 10; ++attempt)
        written += Run("cut.jpg", "out.png", 12, 12) ? 1 : 0;
    EXPECT_EQ(written, 0);
    EXPECT_FALSE(std::filesystem::exists(File("out.png")));
}

TEST_P(ThumbPercent, AnExistingTargetIsLeftAloneWithoutOverwrite)
{
    MakePicture(File("a.png"), 20, 20, {1, 2, 3});
    test::WriteBytes(File("t.png"), "existing");
    EXPECT_FALSE(Run("a.png", "t.png", 50, 50, false));
    EXPECT_EQ(test::ReadBytes(File("t.png")), "existing");
}

TEST_P(ThumbPercent, AReadOnlyTargetIsReplacedWithOverwrite)
{
    MakePicture(File("a.png"), 20, 20, {1, 2, 3});
    test::WriteBytes(File("t.png"), "existing");
    ::chmod(File("t.png").c_str(), 0444);
    ASSERT_TRUE(Run("a.png", "t.png", 50, 50, true));
    EXPECT_EQ(SizeOf(File("t.png")), (TPictureSize{10, 10}));
}

TEST_P(ThumbPercent, TheSourceAsItsOwnTargetIsReplacedByItsThumbnail)
{
    WritePicture(test::NoiseImage(300, 200), File("self.jpg"));
    ASSERT_TRUE(Run("self.jpg", "self.jpg", 50, 50, true));
    EXPECT_EQ(SizeOf(File("self.jpg")), (TPictureSize{150, 100}));
    EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"self.jpg"});
}

TEST_P(ThumbPercent, AFailedSaveLeavesTheExistingTargetAndNoPartialFile)
{
    MakePicture(File("a.png"), 20, 20, {1, 2, 3});
    std::filesystem::create_directory(File("t.png"));
    test::WriteBytes(File("t.png") / "kept", "x");
    EXPECT_FALSE(Run("a.png", "t.png", 50, 50, true));
    EXPECT_EQ(test::ReadBytes(File("t.png") / "kept"), "x");
    EXPECT_FALSE(Run("a.png", "no-folder/t.png", 50, 50, true));
    EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"a.png", "t.png"}));
}

TEST_P(ThumbPercent, ATurnedPhotoGivesAnUprightThumbnail)
{
    // Upright it is 60 wide and 40 high, red left and blue right; stored turned.
    const vips::VImage upright =
        test::SolidImage(30, 40, test::kRed).join(test::SolidImage(30, 40, test::kBlue), VIPS_DIRECTION_HORIZONTAL);
    test::MakeOrientedJpeg(File("portrait.jpg"), upright.rot270(), 6);
    ASSERT_TRUE(Run("portrait.jpg", "thumb.png", 50, 50));
    EXPECT_EQ(SizeOf(File("thumb.png")), (TPictureSize{30, 20}));
    EXPECT_TRUE(Near(PixelAt(File("thumb.png"), 3, 10), test::kRed, 40));
    EXPECT_TRUE(Near(PixelAt(File("thumb.png"), 26, 10), test::kBlue, 40));
}

TEST_P(ThumbPercent, ThumbnailsKeepTheSourcesExifAndColourProfile)
{
    vips::VImage tagged = test::CoordinateImage(60, 40).rot270();
    tagged.set("exif-ifd0-Artist", "Quillane tester (ASCII, 16 components, 16 bytes)");
    tagged.set(VIPS_META_ORIENTATION, 6);
    WritePicture(tagged, File("tagged.jpg"), "jpeg", "[profile=srgb]");
    ASSERT_TRUE(Run("tagged.jpg", "thumb.jpg", 50, 50));
    const vips::VImage thumb = test::ReadPicture(File("thumb.jpg"));
    EXPECT_EQ(thumb.width(), 30);
    EXPECT_NE(thumb.get_typeof(VIPS_META_ICC_NAME), 0u);
    ASSERT_NE(thumb.get_typeof("exif-ifd0-Artist"), 0u);
    EXPECT_NE(std::string(thumb.get_string("exif-ifd0-Artist")).find("Quillane tester"), std::string::npos);
    const int orientation = thumb.get_typeof(VIPS_META_ORIENTATION) ? thumb.get_int(VIPS_META_ORIENTATION) : 1;
    EXPECT_EQ(orientation, 1);
}

INSTANTIATE_TEST_SUITE_P(Forms, ThumbPercent,
                         ::testing::Values(TPercentForm{"Fast", ThumbPercentFast}, TPercentForm{"HQ", ThumbPercentHQ}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillane
