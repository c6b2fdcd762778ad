#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "GraphicsFixture.h"
#include "TempFolder.h"
#include "TestPictures.h"
#include "imaging/Watermark.h"

namespace quillane {
namespace {

using test::MakePicture;
using test::ReadBytes;
using test::ReadPicture;
using test::SolidImage;

struct TBox {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom: one past the last changed pixel
    bool operator==(const TBox&) const = default;
};

// The smallest box around every pixel that differs between two pictures of one size.
TBox ChangedBox(const vips::VImage& before, const vips::VImage& after)
{
    const vips::VImage changed = (before != after).bandor();
    std::size_t size = 0;
    std::uint8_t* bytes = static_cast<std::uint8_t*>(changed.write_to_memory(&size));
    TBox box{changed.width(), changed.height(), 0, 0};
    for (int y = 0; y < changed.height(); ++y)
        for (int x = 0; x < changed.width(); ++x)
            if (bytes[static_cast<std::size_t>(y) * changed.width() + x] != 0)
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1)};
    g_free(bytes);
    return box.right == 0 ? TBox{} : box;
}

class TextWatermarkTest : public test::GraphicsTest {
protected:
    std::filesystem::path White(const std::string& name, int width = 200, int height = 100)
    {
        MakePicture(File(name), width, height, {255, 255, 255});
        return File(name);
    }

    TBox StampedBox(const std::filesystem::path& source, TPointF offset, bool fromBottomRight)
    {
        const auto target = File("stamped.png");
        EXPECT_TRUE(StampTextWatermark(source, target, "Hg", font_, 0xFFFF0000u, offset, true, fromBottomRight, 0));
        return ChangedBox(ReadPicture(source), ReadPicture(target));
    }

    TOutcome Stamp(const std::filesystem::path& source, const std::filesystem::path& target, bool overwrite,
                   std::int32_t minWidth = 0)
    {
        return StampTextWatermark(source, target, "Hg", font_, 0xFFFF0000u, TPointF{10, 10}, overwrite, true, minWidth);
    }

    const TGPFont font_{TGPFontFamily("DejaVu Sans"), 20, fsRegular};
};

TEST_F(TextWatermarkTest, TextLandsInsideItsMeasuredBoxFromEitherCorner)
{
    const auto source = White("white.png");
    const TBox fromBottomRight = StampedBox(source, TPointF{10, 10}, true);
    // The box's far edges sit at the offset from the picture's far edges.
    EXPECT_EQ(fromBottomRight.right, 190);
    EXPECT_EQ(fromBottomRight.bottom, 90);
    EXPECT_GT(fromBottomRight.left, 120);
    EXPECT_GT(fromBottomRight.top, 50);

    // The same ink from the top-left corner, starting just after the offset.
    const TBox fromTopLeft = StampedBox(source, TPointF{30, 20}, false);
    EXPECT_EQ(fromTopLeft.right - fromTopLeft.left, fromBottomRight.right - fromBottomRight.left);
    EXPECT_EQ(fromTopLeft.bottom - fromTopLeft.top, fromBottomRight.bottom - fromBottomRight.top);
    EXPECT_TRUE(fromTopLeft.left >= 30 && fromTopLeft.left < 35) << fromTopLeft.left;
    EXPECT_TRUE(fromTopLeft.top >= 20 && fromTopLeft.top < 32) << fromTopLeft.top;

    // Partly outside: clipped at the edge; wholly outside: nothing drawn, nothing written.
    const TBox clipped = StampedBox(source, TPointF{-12, -15}, false);
    EXPECT_EQ(clipped.left, 0);
    EXPECT_EQ(clipped.top, 0);
    EXPECT_FALSE(
        StampTextWatermark(source, File("outside.png"), "Hg", font_, 0xFFFF0000u, TPointF{5000, 5000}, true, false, 0));
    EXPECT_FALSE(std::filesystem::exists(File("outside.png")));
}

TEST_F(TextWatermarkTest, TextTakesTheColourWithItsAlpha)
{
    test::WritePicture(SolidImage(120, 60, {0, 0, 0, 0}), File("clear.png"));
    const TGPFont block(TGPFontFamily("DejaVu Sans"), 24, fsBold);
    // Alpha Round(opacity x 255 / 100): 50 % gives 128, 30 % gives 76.
    for (const auto& [colour, alpha] : {std::pair{0x80204060u, 128.0}, {0x4C204060u, 76.0}}) {
        ASSERT_TRUE(StampTextWatermark(File("clear.png"), File("out.png"), "\u2588\u2588", block, colour, TPointF{4, 4},
                                       true, false, 0));
        const vips::VImage out = ReadPicture(File("out.png"));
        ASSERT_EQ(out.bands(), 4);
        // Fully inked pixels carry the colour with exactly its alpha; none has more.
        EXPECT_EQ(out[3].max(), alpha);
        const vips::VImage inked = out[3] == alpha;
        EXPECT_GT(inked.avg(), 255 * 0.1);
        const double rgb[] = {0x20, 0x40, 0x60};
        for (int band = 0; band < 3; ++band)
            EXPECT_EQ(((out[band] == rgb[band]) & inked).avg(), inked.avg()) << band;
    }
}

TEST_F(TextWatermarkTest, PointSizeFollowsThePicturesResolution)
{
    const vips::VImage white = SolidImage(300, 200, {255, 255, 255});
    test::WritePicture(white, File("plain.png"));
    test::WritePicture(white.copy(vips::VImage::option()->set("xres", 192 / 25.4)->set("yres", 192 / 25.4)),
                       File("fine.png"));
    const TBox at96 = StampedBox(File("plain.png"), TPointF{5, 5}, false);
    const TBox at192 = StampedBox(File("fine.png"), TPointF{5, 5}, false);
    EXPECT_NEAR(at192.bottom - at192.top, 2 * (at96.bottom - at96.top), 3);
}

TEST_F(TextWatermarkTest, MinimumWidthAndSourceFormat)
{
    const auto wide = White("wide.jpg", 800, 16);
    const auto narrow = White("narrow.jpg", 799, 16);
    EXPECT_TRUE(Stamp(wide, File("wide-out.png"), false, 800));
    EXPECT_EQ(test::FormatOf(File("wide-out.png")), "jpeg");
    EXPECT_FALSE(Stamp(narrow, File("narrow-out.png"), false, 800));
    EXPECT_TRUE(Stamp(narrow, File("negative-out.png"), false, INT32_MIN));
    MakePicture(File("photo.jfif"), 50, 50, {255, 255, 255}, "jpeg");  // no encoder for .jfif
    EXPECT_FALSE(Stamp(File("photo.jfif"), File("jfif-out.jpg"), false));
    EXPECT_EQ(folder_.Entries(),
              (std::vector<std::string>{"narrow.jpg", "negative-out.png", "photo.jfif", "wide-out.png", "wide.jpg"}));
}

TEST_F(TextWatermarkTest, InPlaceStampLeavesNoTemporaryFileAnywhere)
{
    const auto source = White("photo.png");
    const std::string before = ReadBytes(source);
    EXPECT_FALSE(Stamp(source, source, false));
    EXPECT_EQ(ReadBytes(source), before);

    // Run from another folder, which must stay empty too; a read-only source is replaced.
    const test::TTempFolder elsewhere;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(elsewhere.Path());
    std::filesystem::permissions(source, std::filesystem::perms::owner_read);
    const TOutcome stamped = Stamp(source, source, true);
    std::filesystem::current_path(previous);

    ASSERT_TRUE(stamped);
    EXPECT_EQ(ChangedBox(SolidImage(200, 100, {255, 255, 255}), ReadPicture(source)).right, 190);
    EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"photo.png"});
    EXPECT_TRUE(elsewhere.Entries().empty());
}

TEST_F(TextWatermarkTest, RefusalsWriteNothing)
{
    const auto source = White("white.png");
    MakePicture(File("locked.png"), 8, 8, {0, 0, 0});
    std::filesystem::permissions(File("locked.png"), std::filesystem::perms::owner_read);
    const std::string locked = ReadBytes(File("locked.png"));

    // A read-only target other than the source is not made writable.
    EXPECT_FALSE(Stamp(source, File("locked.png"), true));
    EXPECT_EQ(ReadBytes(File("locked.png")), locked);
    EXPECT_EQ(std::filesystem::status(File("locked.png")).permissions() & std::filesystem::perms::owner_write,
              std::filesystem::perms::none);

    test::WriteBytes(File("broken.png"), "not a picture");
    EXPECT_FALSE(Stamp(File("broken.png"), File("a.png"), false));
    EXPECT_FALSE(Stamp(File("missing.png"), File("b.png"), false));
    EXPECT_FALSE(
        StampTextWatermark(source, File("c.png"), "bad \xff utf-8", font_, 0xFF000000u, TPointF{}, false, false, 0));
    EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"broken.png", "locked.png", "white.png"}));
}

}  // namespace
}  // namespace quillane
