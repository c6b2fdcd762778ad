#include <gtest/gtest.h>

#include <filesystem>

#include "GraphicsFixture.h"
#include "TestPictures.h"
#include "imaging/Crop.h"

namespace quillane {
namespace {

using test::FormatOf;
using test::MakePicture;
using test::PixelAt;
using test::ReadPicture;
using test::SizeOf;
using test::TPictureSize;
using test::TPixel;

class CropImageTest : public test::GraphicsTest {
protected:
    // A 640 x 480 PNG whose pixel (x, y) is (x mod 256, y mod 256, 128).
    std::filesystem::path CoordinatePng()
    {
        test::WritePicture(test::CoordinateImage(640, 480), File("source.png"));
        return File("source.png");
    }
};

TEST_F(CropImageTest, CopiesTheRectangleOneToOne)
{
    const auto source = CoordinatePng();
    ASSERT_TRUE(CropImage(source, File("out.png"), 10, 20, 100, 50, false));
    EXPECT_EQ(SizeOf(File("out.png")), (TPictureSize{100, 50}));
    const vips::VImage out = ReadPicture(File("out.png"));
    for (const auto& [x, y] : {std::pair{0, 0}, {99, 0}, {0, 49}, {99, 49}, {57, 31}})
        EXPECT_EQ(PixelAt(out, x, y), (TPixel{10.0 + x, 20.0 + y, 128})) << x << "," << y;

    ASSERT_TRUE(CropImage(source, File("whole.png"), 0, 0, 640, 480, false));
    EXPECT_EQ((ReadPicture(File("whole.png")) - ReadPicture(source)).abs().max(), 0.0);
}

TEST_F(CropImageTest, UncoveredPixelsAreTransparentBlack)
{
    const auto source = CoordinatePng();
    ASSERT_TRUE(CropImage(source, File("edge.png"), 600, 0, 100, 50, false));
    const vips::VImage edge = ReadPicture(File("edge.png"));
    EXPECT_EQ(PixelAt(edge, 39, 10), (TPixel{639 % 256, 10, 128, 255}));
    EXPECT_EQ(edge.extract_area(40, 0, 60, 50).max(), 0.0);

    // Wholly outside, even at the extremes: a blank picture of the asked size.
    ASSERT_TRUE(CropImage(source, File("blank.png"), 700, 0, 30, 20, false));
    EXPECT_EQ(SizeOf(File("blank.png")), (TPictureSize{30, 20}));
    EXPECT_EQ(ReadPicture(File("blank.png")).max(), 0.0);
    ASSERT_TRUE(CropImage(source, File("far.png"), INT32_MIN, INT32_MAX, 5, 5, false));
    EXPECT_EQ(ReadPicture(File("far.png")).max(), 0.0);

    // Formats without alpha show them black.
    MakePicture(File("white.jpg"), 64, 48, {255, 255, 255});
    ASSERT_TRUE(CropImage(File("white.jpg"), File("out.jpg"), 32, 24, 64, 48, false));
    EXPECT_GT(test::MeanOf(ReadPicture(File("out.jpg")), 2, 2, 26, 18)[0], 250.0);
    EXPECT_LT(test::MeanOf(ReadPicture(File("out.jpg")), 36, 28, 26, 18)[0], 5.0);
}

TEST_F(CropImageTest, WritesTheSourcesFormatWhateverTheTargetIsCalled)
{
    MakePicture(File("a.gif"), 40, 30, {255, 0, 0});
    ASSERT_TRUE(CropImage(File("a.gif"), File("out.png"), 5, 5, 10, 10, false));
    EXPECT_EQ(FormatOf(File("out.png")), "gif");

    MakePicture(File("b.jfif"), 40, 30, {0, 0, 255}, "jpeg");  // no encoder for .jfif
    EXPECT_FALSE(CropImage(File("b.jfif"), File("out.jpg"), 0, 0, 10, 10, false));
    EXPECT_FALSE(std::filesystem::exists(File("out.jpg")));
}

TEST_F(CropImageTest, TargetEqualToSourceIsReplacedByItsCrop)
{
    const auto source = CoordinatePng();
    ASSERT_TRUE(CropImage(source, source, 300, 200, 80, 60, true));
    EXPECT_EQ(SizeOf(source), (TPictureSize{80, 60}));
    EXPECT_EQ(PixelAt(source, 0, 0), (TPixel{300 % 256, 200, 128}));
    EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"source.png"});
}

TEST_F(CropImageTest, ExistingTargetNeedsOverwriteEvenWhenReadOnly)
{
    const auto source = CoordinatePng();
    MakePicture(File("out.png"), 7, 7, {1, 2, 3});
    const std::string before = test::ReadBytes(File("out.png"));
    EXPECT_FALSE(CropImage(source, File("out.png"), 0, 0, 20, 20, false));
    EXPECT_EQ(test::ReadBytes(File("out.png")), before);

    std::filesystem::permissions(File("out.png"), std::filesystem::perms::owner_read);
    ASSERT_TRUE(CropImage(source, File("out.png"), 0, 0, 20, 20, true));
    EXPECT_EQ(SizeOf(File("out.png")), (TPictureSize{20, 20}));
}

TEST_F(CropImageTest, UnreadableSourceOrEmptyRectangleWritesNothing)
{
    test::WriteBytes(File("text.png"), "not a picture at all");
    EXPECT_FALSE(CropImage(File("text.png"), File("a.png"), 0, 0, 10, 10, false));
    EXPECT_FALSE(CropImage(File("missing.png"), File("b.png"), 0, 0, 10, 10, false));
    const auto source = CoordinatePng();
    EXPECT_FALSE(CropImage(source, File("c.png"), 0, 0, 0, 10, false));
    EXPECT_FALSE(CropImage(source, File("d.png"), 0, 0, 10, -1, false));
    EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"source.png", "text.png"}));
}

}  // namespace
}  // namespace quillane
