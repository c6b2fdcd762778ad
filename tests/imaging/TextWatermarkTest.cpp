#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <vector>

#include "GraphicsFixture.h"
#include "TempFolder.h"
#include "TestPictures.h"
#include "imaging/Watermark.h"

namespace quillane {
namespace {

using test::FormatOf;
using test::MakePicture;
using test::ReadBytes;
using test::ReadPicture;
using test::SizeOf;
using test::SolidImage;
using test::TPixel;
using test::WritePicture;

struct TBox {
    int left = -1;
    int top = -1;
    int right = -1;  // one past the last column
    int bottom = -1;
    bool operator==(const TBox&) const = default;
};

std::vector<std::uint8_t> Bytes(const vips::VImage& image) {
    std::size_t size = 0;
    void* data = image.cast(VIPS_FORMAT_UCHAR).write_to_memory(&size);
    std::vector<std::uint8_t> bytes(static_cast<std::uint8_t*>(data), static_cast<std::uint8_t*>(data) + size);
    g_free(data);
    return bytes;
}

// The smallest box around every pixel that differs between the two pictures.
TBox ChangedBox(const vips::VImage& before, const vips::VImage& after) {
    const std::vector<std::uint8_t> a = Bytes(before);
    const std::vector<std::uint8_t> b = Bytes(after);
    const int bands = before.bands();
    TBox box{before.width(), before.height(), 0, 0};
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            const std::size_t at = (static_cast<std::size_t>(y) * before.width() + x) * bands;
            bool changed = false;
            for (int band = 0; band < bands; ++band) changed = changed || a[at + band] != b[at + band];
            if (!changed) continue;
            box = TBox{std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1)};
        }
    }
    return box.right == 0 ? TBox{} : box;
}

class TextWatermarkTest : public test::GraphicsTest {
protected:
    const TGPFont font_{TGPFontFamily("DejaVu Sans"), 20, fsRegular};

    std::filesystem::path White(const std::string& name, int width = 200, int height = 100) {
        MakePicture(File(name), width, height, {255, 255, 255});
        return File(name);
    }

    bool Stamp(const std::filesystem::path& source, const std::filesystem::path& target, TPointF offset,
               bool fromBottomRight, bool overwrite = false, std::int32_t minWidth = 0) {
        return StampTextWatermark(source, target, "Hg", font_, 0xFFFF0000u, offset, overwrite, fromBottomRight,
                                  minWidth);
    }
};

TEST_F(TextWatermarkTest, TextLandsInsideItsMeasuredBoxFromEitherCorner) {
    const auto source = White("white.png");
    ASSERT_TRUE(Stamp(source, File("br.png"), TPointF{10, 10}, true));
    const TBox fromBottomRight = ChangedBox(ReadPicture(source), ReadPicture(File("br.png")));
    // The box's far edges sit at the offset from the picture's far edges.
    EXPECT_EQ(fromBottomRight.right, 190);
    EXPECT_EQ(fromBottomRight.bottom, 90);
    EXPECT_GT(fromBottomRight.left, 120);
    EXPECT_GT(fromBottomRight.top, 50);

    ASSERT_TRUE(Stamp(source, File("tl.png"), TPointF{30, 20}, false));
    const TBox fromTopLeft = ChangedBox(ReadPicture(source), ReadPicture(File("tl.png")));
    // The same text, the same box, moved to start near the offset.
    EXPECT_EQ(fromTopLeft.right - fromTopLeft.left, fromBottomRight.right - fromBottomRight.left);
    EXPECT_EQ(fromTopLeft.bottom - fromTopLeft.top, fromBottomRight.bottom - fromBottomRight.top);
    EXPECT_GE(fromTopLeft.left, 30);
    EXPECT_LT(fromTopLeft.left, 35);
    EXPECT_GE(fromTopLeft.top, 20);
    EXPECT_LT(fromTopLeft.top, 32);
    EXPECT_TRUE(test::Near(test::PixelAt(File("tl.png"), 0, 0), {255, 255, 255}, 0));
}

TEST_F(TextWatermarkTest, MarkPartlyOutsideIsClipped) {
    const auto source = White("white.png", 60, 40);
    ASSERT_TRUE(Stamp(source, File("out.png"), TPointF{-12, -15}, false));
    EXPECT_EQ(SizeOf(File("out.png")), (test::TPictureSize{60, 40}));
    const TBox box = ChangedBox(ReadPicture(source), ReadPicture(File("out.png")));
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);

    ASSERT_TRUE(Stamp(source, File("gone.png"), TPointF{5000, 5000}, false));
    EXPECT_EQ(ChangedBox(ReadPicture(source), ReadPicture(File("gone.png"))), TBox{});
}

TEST_F(TextWatermarkTest, TextTakesTheColourAndItsAlpha) {
    WritePicture(SolidImage(120, 60, {0, 0, 0, 0}), File("clear.png"));
    const TGPFont block(TGPFontFamily("DejaVu Sans"), 24, fsBold);
    for (const auto& [colour, alpha] : {std::pair{0x80204060u, 128.0}, {0x4C204060u, 76.0}}) {
        ASSERT_TRUE(StampTextWatermark(File("clear.png"), File("out.png"), "\u2588\u2588", block, colour,
                                       TPointF{4, 4}, true, false, 0));
        const vips::VImage out = ReadPicture(File("out.png"));
        ASSERT_EQ(out.bands(), 4);
        // Fully inked pixels carry the colour with exactly its alpha; none more.
        EXPECT_EQ(out[3].max(), alpha);
        const vips::VImage inked = out[3] == alpha;
        EXPECT_GT(inked.avg(), 255 * 0.1);
        EXPECT_EQ(((out[0] == 0x20) & inked).avg(), inked.avg());
        EXPECT_EQ(((out[1] == 0x40) & inked).avg(), inked.avg());
        EXPECT_EQ(((out[2] == 0x60) & inked).avg(), inked.avg());
    }
}

TEST_F(TextWatermarkTest, PointSizeFollowsThePicturesResolution) {
    vips::VImage white = SolidImage(300, 200, {255, 255, 255});
    WritePicture(white, File("plain.png"));
    WritePicture(white.copy(vips::VImage::option()->set("xres", 192 / 25.4)->set("yres", 192 / 25.4)),
                 File("fine.png"));
    ASSERT_TRUE(Stamp(File("plain.png"), File("plain-out.png"), TPointF{5, 5}, false));
    ASSERT_TRUE(Stamp(File("fine.png"), File("fine-out.png"), TPointF{5, 5}, false));
    const TBox at96 = ChangedBox(ReadPicture(File("plain.png")), ReadPicture(File("plain-out.png")));
    const TBox at192 = ChangedBox(ReadPicture(File("fine.png")), ReadPicture(File("fine-out.png")));
    EXPECT_NEAR(at192.bottom - at192.top, 2 * (at96.bottom - at96.top), 3);
}

TEST_F(TextWatermarkTest, MinimumWidthSkipsNarrowerPictures) {
    const auto wide = White("wide.png", 800, 16);
    const auto narrow = White("narrow.png", 799, 16);
    EXPECT_TRUE(Stamp(wide, File("wide-out.png"), TPointF{0, 0}, false, false, 800));
    EXPECT_FALSE(Stamp(narrow, File("narrow-out.png"), TPointF{0, 0}, false, false, 800));
    EXPECT_FALSE(std::filesystem::exists(File("narrow-out.png")));
    EXPECT_TRUE(Stamp(narrow, File("negative-out.png"), TPointF{0, 0}, false, false, INT32_MIN));
}

TEST_F(TextWatermarkTest, WritesInTheSourcesFormat) {
    White("photo.jpg");
    ASSERT_TRUE(Stamp(File("photo.jpg"), File("photo-out.png"), TPointF{10, 10}, true));
    EXPECT_EQ(FormatOf(File("photo-out.png")), "jpeg");
    MakePicture(File("photo.jfif"), 50, 50, {255, 255, 255}, "jpeg");
    EXPECT_FALSE(Stamp(File("photo.jfif"), File("jfif-out.jpg"), TPointF{10, 10}, true));
    EXPECT_FALSE(std::filesystem::exists(File("jfif-out.jpg")));
}

TEST_F(TextWatermarkTest, InPlaceStampLeavesNoTemporaryFileAnywhere) {
    const auto source = White("photo.png");
    const std::string before = ReadBytes(source);
    EXPECT_FALSE(Stamp(source, source, TPointF{10, 10}, true, false));
    EXPECT_EQ(ReadBytes(source), before);

    // Run from another folder, which must stay empty as well.
    const test::TTempFolder elsewhere;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(elsewhere.Path());
    std::filesystem::permissions(source, std::filesystem::perms::owner_read);
    const bool stamped = Stamp(source, source, TPointF{10, 10}, true, true);
    std::filesystem::current_path(previous);

    ASSERT_TRUE(stamped);
    EXPECT_NE(ReadBytes(source), before);
    EXPECT_EQ(ChangedBox(SolidImage(200, 100, {255, 255, 255}), ReadPicture(source)).right, 190);
    EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"photo.png"});
    EXPECT_TRUE(elsewhere.Entries().empty());
}

TEST_F(TextWatermarkTest, RefusalsWriteNothing) {
    const auto source = White("white.png");
    MakePicture(File("locked.png"), 8, 8, {0, 0, 0});
    std::filesystem::permissions(File("locked.png"), std::filesystem::perms::owner_read);
    MakePicture(File("kept.png"), 8, 8, {0, 0, 0});
    const std::string locked = ReadBytes(File("locked.png"));
    const std::string kept = ReadBytes(File("kept.png"));

    // A read-only target other than the source is not made writable.
    EXPECT_FALSE(Stamp(source, File("locked.png"), TPointF{0, 0}, false, true));
    EXPECT_EQ(ReadBytes(File("locked.png")), locked);
    EXPECT_EQ(std::filesystem::status(File("locked.png")).permissions() & std::filesystem::perms::owner_write,
              std::filesystem::perms::none);

    EXPECT_FALSE(Stamp(source, File("kept.png"), TPointF{0, 0}, false, false));
    EXPECT_EQ(ReadBytes(File("kept.png")), kept);

    test::WriteBytes(File("broken.png"), "not a picture");
    EXPECT_FALSE(Stamp(File("broken.png"), File("a.png"), TPointF{0, 0}, false));
    EXPECT_FALSE(Stamp(File("missing.png"), File("b.png"), TPointF{0, 0}, false));
    EXPECT_FALSE(StampTextWatermark(source, File("c.png"), "bad \xff utf-8", font_, 0xFF000000u, TPointF{}, false,
                                    false, 0));
    EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"broken.png", "kept.png", "locked.png", "white.png"}));
}

}  // namespace
}  // namespace quillane
