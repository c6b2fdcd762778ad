#include <gtest/gtest.h>

#include <vips/vips8>

#include "imaging/WatermarkText.h"

namespace quillane {
namespace {

class WatermarkTextTest : public ::testing::Test {
protected:
    static TTextInk Render(const std::string& text, const TGPFont& font, int dpi = 96) {
        TTextInk ink;
        EXPECT_TRUE(RenderText(text, font, dpi, ink)) << text;
        return ink;
    }

    static bool SamePixels(const TTextInk& a, const TTextInk& b) {
        if (!a.HasInk() || !b.HasInk()) return false;
        if (a.left != b.left || a.top != b.top) return false;
        if (a.mask.width() != b.mask.width() || a.mask.height() != b.mask.height()) return false;
        return (a.mask - b.mask).abs().max() == 0.0;
    }

    static TGPFont Font(const std::string& family, float points = 20, std::int32_t style = fsRegular) {
        return TGPFont(TGPFontFamily(family), points, style);
    }
};

TEST_F(WatermarkTextTest, MarkupCharactersAreDrawnAsText) {
    const TTextInk plain = Render("a b c", Font("DejaVu Sans"));
    const TTextInk marked = Render("a<b & c>", Font("DejaVu Sans"));
    ASSERT_TRUE(marked.HasInk());
    EXPECT_GT(marked.mask.width(), plain.mask.width());

    // Text that looks like markup is not taken as markup.
    const TTextInk tag = Render("<b>x</b>", Font("DejaVu Sans"));
    const TTextInk x = Render("x", Font("DejaVu Sans"));
    EXPECT_GT(tag.mask.width(), 4 * x.mask.width());
}

TEST_F(WatermarkTextTest, UnknownFamilyFallsBackToGenericSansSerif) {
    const TTextInk unknown = Render("Quillane 123", Font("No Such Family Anywhere"));
    const TTextInk generic = Render("Quillane 123", TGPFont(TGPFontFamily::GenericSansSerif(), 20, fsRegular));
    EXPECT_TRUE(SamePixels(unknown, generic));

    const TTextInk empty = Render("Quillane 123", Font("   "));
    EXPECT_TRUE(SamePixels(empty, generic));
}

TEST_F(WatermarkTextTest, FamilyNameEndingInAStyleWordIsKeptWhole) {
    // Were "Bold" read as a style, the two would render alike.
    const TTextInk named = Render("Quillane", Font("No Such Bold"));
    const TTextInk bold = Render("Quillane", Font("No Such", 20, fsBold));
    EXPECT_FALSE(SamePixels(named, bold));
}

TEST_F(WatermarkTextTest, StyleBitsChangeTheInk) {
    const TTextInk regular = Render("Quillane", Font("DejaVu Sans"));
    const TTextInk bold = Render("Quillane", Font("DejaVu Sans", 20, fsBold));
    const TTextInk italic = Render("Quillane", Font("DejaVu Sans", 20, fsItalic));
    const TTextInk underline = Render("Quillane", Font("DejaVu Sans", 20, fsUnderline));
    const TTextInk strikeout = Render("Quillane", Font("DejaVu Sans", 20, fsStrikeout));
    EXPECT_GT(bold.mask.avg() * bold.mask.width(), regular.mask.avg() * regular.mask.width());
    EXPECT_FALSE(SamePixels(italic, regular));
    // Without descenders the underline is the lowest ink.
    EXPECT_GT(Render("HAT", Font("DejaVu Sans", 20, fsUnderline)).BoxHeight(),
              Render("HAT", Font("DejaVu Sans")).BoxHeight());
    EXPECT_FALSE(SamePixels(underline, regular));
    EXPECT_FALSE(SamePixels(strikeout, regular));
    EXPECT_EQ(strikeout.BoxHeight(), regular.BoxHeight());  // the line crosses the letters
}

TEST_F(WatermarkTextTest, PointSizeBecomesPixelsAtThePictureResolution) {
    const TTextInk at96 = Render("HHHH", Font("DejaVu Sans", 30), 96);
    const TTextInk at192 = Render("HHHH", Font("DejaVu Sans", 30), 192);
    EXPECT_NEAR(at192.mask.height(), 2.0 * at96.mask.height(), 3.0);
    // A capital H of 30 pt at 96 dpi (40 px em) is about 29 px tall.
    EXPECT_NEAR(at96.mask.height(), 29, 3);

    vips::VImage unrecorded = vips::VImage::black(8, 8);
    EXPECT_EQ(PictureDpi(unrecorded), 96);
    vips::VImage at300 = unrecorded.copy(vips::VImage::option()->set("xres", 300 / 25.4)->set("yres", 300 / 25.4));
    EXPECT_EQ(PictureDpi(at300), 300);
    vips::VImage at72 = unrecorded.copy(vips::VImage::option()->set("xres", 72 / 25.4)->set("yres", 72 / 25.4));
    EXPECT_EQ(PictureDpi(at72), 72);
}

TEST_F(WatermarkTextTest, ChineseTextIsDrawnWithACjkFont) {
    const TTextInk latinFamily = Render("水印文字", Font("DejaVu Sans"));
    bool matchesCjkFont = false;
    for (const char* family : {"Noto Sans CJK SC", "Noto Sans CJK JP", "Noto Sans CJK TC", "Noto Sans CJK KR",
                               "Noto Sans CJK HK", "Noto Serif CJK SC", "Noto Serif CJK JP"}) {
        matchesCjkFont = matchesCjkFont || SamePixels(latinFamily, Render("水印文字", Font(family)));
    }
    EXPECT_TRUE(matchesCjkFont);
}

TEST_F(WatermarkTextTest, BlankInvalidOrSizelessText) {
    TTextInk ink;
    EXPECT_TRUE(RenderText("", Font("DejaVu Sans"), 96, ink));
    EXPECT_FALSE(ink.HasInk());
    EXPECT_EQ(ink.BoxWidth(), 0.0f);
    EXPECT_TRUE(RenderText(" \t ", Font("DejaVu Sans"), 96, ink));
    EXPECT_FALSE(ink.HasInk());

    EXPECT_FALSE(RenderText("bad \xff\xfe utf-8", Font("DejaVu Sans"), 96, ink));
    EXPECT_FALSE(RenderText(std::string("nul\0inside", 10), Font("DejaVu Sans"), 96, ink));
    EXPECT_FALSE(RenderText("text", Font("DejaVu Sans", 0), 96, ink));
}

}  // namespace
}  // namespace quillane
