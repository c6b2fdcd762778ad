#include <gtest/gtest.h>

#include <filesystem>

#include "GraphicsFixture.h"
#include "TempFolder.h"
#include "TestPictures.h"
#include "imaging/Watermark.h"

namespace quillane {
namespace {

using test::FormatOf;
using test::MakePicture;
using test::PixelAt;
using test::ReadBytes;
using test::ReadPicture;
using test::SizeOf;
using test::SolidImage;
using test::TPixel;
using test::WritePicture;

class PictureWatermarkTest : public test::GraphicsTest {
protected:
    void SetUp() override
    {
        // A 10 x 8 orange mark.
        MakePicture(File("mark.png"), 10, 8, {200, 100, 50});
    }

    TOutcome Stamp(const std::filesystem::path& source, const std::filesystem::path& target, TPointF offset,
                   bool fromBottomRight, float opacity = 1.0f, bool overwrite = false, std::int32_t minWidth = 0)
    {
        return StampPictureWatermark(source, target, File("mark.png"), OpacityMatrix(opacity), offset, overwrite,
                                     fromBottomRight, minWidth);
    }
};

TEST_F(PictureWatermarkTest, HalfOpacityHalvesAlphaAndKeepsColour)
{
    WritePicture(SolidImage(60, 40, {0, 0, 0, 0}), File("clear.png"));
    ASSERT_TRUE(Stamp(File("clear.png"), File("out.png"), TPointF{5, 6}, false, 0.5f));
    const vips::VImage out = ReadPicture(File("out.png"));
    EXPECT_EQ(PixelAt(out, 5, 6), (TPixel{200, 100, 50, 128}));
    EXPECT_EQ(PixelAt(out, 14, 13), (TPixel{200, 100, 50, 128}));
    EXPECT_EQ(PixelAt(out, 4, 6)[3], 0.0);
    EXPECT_EQ(PixelAt(out, 15, 14)[3], 0.0);

    // Over an opaque picture the mark blends half-way.
    MakePicture(File("black.png"), 60, 40, {0, 0, 0});
    ASSERT_TRUE(Stamp(File("black.png"), File("blend.png"), TPointF{5, 6}, false, 0.5f));
    EXPECT_TRUE(test::Near(PixelAt(File("blend.png"), 9, 9), {100, 50, 25}, 1.01));
}

TEST_F(PictureWatermarkTest, MarkKeepsItsOwnTransparency)
{
    // Left half of the mark clear, right half half-transparent green.
    const vips::VImage mark =
        SolidImage(4, 4, {0, 0, 0, 0}).join(SolidImage(4, 4, {0, 255, 0, 128}), VIPS_DIRECTION_HORIZONTAL);
    WritePicture(mark, File("mark.png"));
    WritePicture(SolidImage(20, 20, {0, 0, 0, 0}), File("clear.png"));
    ASSERT_TRUE(Stamp(File("clear.png"), File("out.png"), TPointF{0, 0}, false, 0.5f));
    EXPECT_EQ(PixelAt(File("out.png"), 1, 1)[3], 0.0);
    EXPECT_EQ(PixelAt(File("out.png"), 6, 1), (TPixel{0, 255, 0, 64}));

    MakePicture(File("blue.png"), 20, 20, {0, 0, 255});
    ASSERT_TRUE(Stamp(File("blue.png"), File("blue-out.png"), TPointF{0, 0}, false, 1.0f));
    EXPECT_EQ(PixelAt(File("blue-out.png"), 1, 1), (TPixel{0, 0, 255}));
    EXPECT_TRUE(test::Near(PixelAt(File("blue-out.png"), 6, 1), {0, 128, 127}, 1.01));
}

TEST_F(PictureWatermarkTest, PlacedFromEitherCornerAndClippedAtTheEdge)
{
    MakePicture(File("grey.png"), 100, 80, {90, 90, 90});
    const TPixel mark{200, 100, 50};
    const TPixel grey{90, 90, 90};

    ASSERT_TRUE(Stamp(File("grey.png"), File("br.png"), TPointF{10, 5}, true));
    const vips::VImage br = ReadPicture(File("br.png"));
    EXPECT_EQ(PixelAt(br, 80, 67), mark);  // the mark covers x 80..89, y 67..74
    EXPECT_EQ(PixelAt(br, 89, 74), mark);
    EXPECT_EQ(PixelAt(br, 79, 67), grey);
    EXPECT_EQ(PixelAt(br, 90, 74), grey);
    EXPECT_EQ(PixelAt(br, 89, 75), grey);

    ASSERT_TRUE(Stamp(File("grey.png"), File("tl.png"), TPointF{0, 0}, false));
    EXPECT_EQ(PixelAt(File("tl.png"), 0, 0), mark);
    EXPECT_EQ(PixelAt(File("tl.png"), 10, 8), grey);

    ASSERT_TRUE(Stamp(File("grey.png"), File("clipped.png"), TPointF{-4, -3}, true));
    EXPECT_EQ(SizeOf(File("clipped.png")), (test::TPictureSize{100, 80}));
    EXPECT_EQ(PixelAt(File("clipped.png"), 94, 75), mark);
    EXPECT_EQ(PixelAt(File("clipped.png"), 99, 79), mark);
    EXPECT_EQ(PixelAt(File("clipped.png"), 93, 75), grey);
}

TEST_F(PictureWatermarkTest, TurnedPhotoIsStampedUpright)
{
    // Stored 40 x 20 with a tag that turns it a quarter clockwise: upright it is 20 x 40.
    test::MakeOrientedJpeg(File("turned.jpg"), SolidImage(40, 20, {90, 90, 90}), 6);
    ASSERT_TRUE(Stamp(File("turned.jpg"), File("out.jpg"), TPointF{0, 0}, true));
    const vips::VImage out = ReadPicture(File("out.jpg"));
    EXPECT_EQ(SizeOf(File("out.jpg")), (test::TPictureSize{20, 40}));
    EXPECT_TRUE(test::Near(PixelAt(out, 15, 36), {200, 100, 50}, 12));
    EXPECT_TRUE(test::Near(PixelAt(out, 4, 4), {90, 90, 90}, 12));
    // Written upright, so no viewer turns it again.
    EXPECT_TRUE(out.get_typeof(VIPS_META_ORIENTATION) == 0 || out.get_int(VIPS_META_ORIENTATION) == 1);
}

TEST_F(PictureWatermarkTest, MinimumWidthAndInPlaceWriting)
{
    MakePicture(File("wide.gif"), 800, 12, {90, 90, 90});
    MakePicture(File("narrow.gif"), 799, 12, {90, 90, 90});
    const std::string narrow = ReadBytes(File("narrow.gif"));
    EXPECT_FALSE(Stamp(File("narrow.gif"), File("narrow.gif"), TPointF{0, 0}, false, 1.0f, true, 800));
    EXPECT_EQ(ReadBytes(File("narrow.gif")), narrow);

    const test::TTempFolder elsewhere;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(elsewhere.Path());
    const TOutcome stamped = Stamp(File("wide.gif"), File("wide.gif"), TPointF{0, 0}, false, 1.0f, true, 800);
    std::filesystem::current_path(previous);

    ASSERT_TRUE(stamped);
    EXPECT_EQ(FormatOf(File("wide.gif")), "gif");
    EXPECT_TRUE(test::Near(PixelAt(File("wide.gif"), 2, 2), {200, 100, 50, 255}, 12));  // GIF reads back as RGBA
    EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"mark.png", "narrow.gif", "wide.gif"}));
    EXPECT_TRUE(elsewhere.Entries().empty());
}

TEST_F(PictureWatermarkTest, UnreadableMarkWritesNothing)
{
    MakePicture(File("grey.png"), 40, 40, {90, 90, 90});
    test::WriteBytes(File("broken.png"), "not a picture");
    for (const char* mark : {"broken.png", "missing.png"})
        EXPECT_FALSE(
            StampPictureWatermark(File("grey.png"), File("out.png"), File(mark), OpacityMatrix(1), {}, false, false, 0))
            << mark;
    EXPECT_FALSE(std::filesystem::exists(File("out.png")));
}

}  // namespace
}  // namespace quillane
