#include <gtest/gtest.h>

#include <filesystem>

#include "GraphicsFixture.h"
#include "TestPictures.h"
#include "imaging/Crop.h"

namespace quillane {
namespace {

using test::CoordinateImage;
using test::FormatOf;
using test::MakePicture;
using test::PixelAt;
using test::ReadPicture;
using test::SizeOf;
using test::TPixel;
using test::WritePicture;

class CropImageTest : public test::GraphicsTest {
protected:
    // A 640 x 480 PNG whose pixel (x, y) is (x mod 256, y mod 256, 128).
    std::filesystem::path CoordinatePng(const std::string& name = "source.png") {
        WritePicture(CoordinateImage(640, 480), File(name));
        return File(name);
    }
};

TEST_F(CropImageTest, CopiesTheRectangleOneToOne) {
    const auto source = CoordinatePng();
    ASSERT_TRUE(CropImage(source, File("out.png"), 10, 20, 100, 50, false));
    EXPECT_EQ(SizeOf(File("out.png")), (test::TPictureSize{100, 50}));
    const vips::VImage out = ReadPicture(File("out.png"));
    for (const auto& [x, y] : {std::pair{0, 0}, {99, 0}, {0, 49}, {99, 49}, {57, 31}})
        EXPECT_EQ(PixelAt(out, x, y), (TPixel{10.0 + x, 20.0 + y, 128})) << x << "," << y;

    // The whole picture: the source's pixels again.
    ASSERT_TRUE(CropImage(source, File("whole.png"), 0, 0, 640, 480, false));
    const vips::VImage whole = ReadPicture(File("whole.png"));
    EXPECT_EQ((whole - ReadPicture(source)).abs().max(), 0.0);
}

TEST_F(CropImageTest, PixelsBeyondTheEdgeAreTransparentBlack) {
    ASSERT_TRUE(CropImage(CoordinatePng(), File("out.png"), 600, 0, 100, 50, false));
    const vips::VImage out = ReadPicture(File("out.png"));
    ASSERT_EQ(out.bands(), 4);
    EXPECT_EQ(PixelAt(out, 39, 10), (TPixel{639 % 256, 10, 128, 255}));
    EXPECT_EQ(PixelAt(out, 40, 10), (TPixel{0, 0, 0, 0}));
    EXPECT_EQ(out.extract_area(40, 0, 60, 50).max(), 0.0);

    // Formats without alpha show them black.
    MakePicture(File("white.jpg"), 64, 48, {255, 255, 255});
    ASSERT_TRUE(CropImage(File("white.jpg"), File("out.jpg"), 32, 24, 64, 48, false));
    const vips::VImage jpeg = ReadPicture(File("out.jpg"));
    EXPECT_GT(test::MeanOf(jpeg, 2, 2, 26, 18)[0], 250.0);
    EXPECT_LT(test::MeanOf(jpeg, 36, 28, 26, 18)[0], 5.0);
}

TEST_F(CropImageTest, RectangleWhollyOutsideGivesABlankPicture) {
    const auto source = CoordinatePng();
    for (const auto& [left, top] : {std::pair{700, 0}, {0, 999}, {-200, -200}}) {
        const auto target = File("blank" + std::to_string(left) + "_" + std::to_string(top) + ".png");
        ASSERT_TRUE(CropImage(source, target, left, top, 30, 20, false)) << left << "," << top;
        EXPECT_EQ(SizeOf(target), (test::TPictureSize{30, 20}));
        EXPECT_EQ(ReadPicture(target).max(), 0.0);
    }
    ASSERT_TRUE(CropImage(source, File("extreme.png"), INT32_MIN, INT32_MAX, 5, 5, false));
    EXPECT_EQ(ReadPicture(File("extreme.png")).max(), 0.0);
}

TEST_F(CropImageTest, WritesTheSourcesFormatWhateverTheTargetIsCalled) {
    MakePicture(File("a.gif"), 40, 30, {255, 0, 0});
    ASSERT_TRUE(CropImage(File("a.gif"), File("out.png"), 5, 5, 10, 10, false));
    EXPECT_EQ(FormatOf(File("out.png")), "gif");

    MakePicture(File("b.JPEG"), 40, 30, {0, 0, 255});
    ASSERT_TRUE(CropImage(File("b.JPEG"), File("out.bmp"), 5, 5, 10, 10, false));
    EXPECT_EQ(FormatOf(File("out.bmp")), "jpeg");

    // An extension without an encoder: nothing is written.
    WritePicture(CoordinateImage(40, 30), File("c.jfif"), "jpeg");
    EXPECT_FALSE(CropImage(File("c.jfif"), File("out.jpg"), 0, 0, 10, 10, false));
    EXPECT_FALSE(std::filesystem::exists(File("out.jpg")));
}

TEST_F(CropImageTest, TargetEqualToSourceIsReplacedByItsCrop) {
    const auto source = CoordinatePng();
    ASSERT_TRUE(CropImage(source, source, 300, 200, 80, 60, true));
    EXPECT_EQ(SizeOf(source), (test::TPictureSize{80, 60}));
    EXPECT_EQ(PixelAt(source, 0, 0), (TPixel{300 % 256, 200, 128}));
    EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"source.png"});
}

TEST_F(CropImageTest, ExistingTargetNeedsOverwriteAndLosesItsReadOnlyMark) {
    const auto source = CoordinatePng();
    MakePicture(File("out.png"), 7, 7, {1, 2, 3});
    const std::string before = test::ReadBytes(File("out.png"));
    EXPECT_FALSE(CropImage(source, File("out.png"), 0, 0, 20, 20, false));
    EXPECT_EQ(test::ReadBytes(File("out.png")), before);

    std::filesystem::permissions(File("out.png"), std::filesystem::perms::owner_read);
    ASSERT_TRUE(CropImage(source, File("out.png"), 0, 0, 20, 20, true));
    EXPECT_EQ(SizeOf(File("out.png")), (test::TPictureSize{20, 20}));
}

TEST_F(CropImageTest, UnreadableSourceOrEmptyRectangleWritesNothing) {
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
