#include <gtest/gtest.h>

#include <vips/vips8>

#include "GraphicsFixture.h"
#include "imaging/WatermarkText.h"

namespace quillane {
namespace {

class WatermarkTextTest : public test::GraphicsTest {
protected:
    static TTextInk Render(const std::string& text, const std::string& family, std::int32_t style = fsRegular,
                           int dpi = 96)
    {
        TTextInk ink;
        EXPECT_TRUE(RenderText(text, TGPFont(TGPFontFamily(family), 20, style), dpi, ink)) << text;
        return ink;
    }

    static bool SamePixels(const TTextInk& a, const TTextInk& b)
    {
        return a.HasInk() && b.HasInk() && a.left == b.left && a.top == b.top && a.mask.width() == b.mask.width() &&
               a.mask.height() == b.mask.height() && (a.mask - b.mask).abs().max() == 0.0;
    }
};

TEST_F(WatermarkTextTest, MarkupCharactersAreDrawnAsText)
{
    EXPECT_GT(Render("a<b & c>", "DejaVu Sans").mask.width(), Render("a b c", "DejaVu Sans").mask.width());
    EXPECT_GT(Render("<b>x</b>", "DejaVu Sans").mask.width(), 4 * Render("x", "DejaVu Sans").mask.width());
}

TEST_F(WatermarkTextTest, FamilyFallsBackToSansSerifAndStylesApply)
{
    const TTextInk generic = Render("Quillane 12", TGPFontFamily::GenericSansSerif().Name());
    EXPECT_TRUE(SamePixels(Render("Quillane 12", "No Such Family Anywhere"), generic));
    EXPECT_TRUE(SamePixels(Render("Quillane 12", "  "), generic));
    // A family named after a style word keeps its whole name rather than turning bold.
    EXPECT_FALSE(SamePixels(Render("Quillane 12", "No Such Bold"), Render("Quillane 12", "No Such", fsBold)));

    for (const std::int32_t style : {fsBold, fsItalic, fsUnderline, fsStrikeout})
        EXPECT_FALSE(SamePixels(Render("Quillane 12", "DejaVu Sans", style), generic)) << style;
    // Without descenders the underline is the lowest ink.
    EXPECT_GT(Render("HAT", "DejaVu Sans", fsUnderline).BoxHeight(), Render("HAT", "DejaVu Sans").BoxHeight());
}

TEST_F(WatermarkTextTest, PointSizeBecomesPixelsAtThePictureResolution)
{
    // A capital H of 20 pt at 96 dpi (a 26.7 px em) is about 19 px tall; at 192 dpi twice that.
    EXPECT_NEAR(Render("HHHH", "DejaVu Sans", fsRegular, 96).mask.height(), 19, 2);
    EXPECT_NEAR(Render("HHHH", "DejaVu Sans", fsRegular, 192).mask.height(), 39, 3);

    const vips::VImage unrecorded = vips::VImage::black(8, 8);
    EXPECT_EQ(PictureDpi(unrecorded), 96);
    EXPECT_EQ(PictureDpi(unrecorded.copy(vips::VImage::option()->set("xres", 300 / 25.4))), 300);
}

TEST_F(WatermarkTextTest, ChineseTextIsDrawnWithACjkFont)
{
    const TTextInk latinFamily = Render("水印文字", "DejaVu Sans");
    bool fromCjkFont = false;
    for (const char* family : {"Noto Sans CJK SC", "Noto Sans CJK JP", "Noto Sans CJK TC", "Noto Sans CJK KR",
                               "Noto Sans CJK HK", "Noto Serif CJK SC", "Noto Serif CJK JP"})
        fromCjkFont = fromCjkFont || SamePixels(latinFamily, Render("水印文字", family));
    EXPECT_TRUE(fromCjkFont);
}

TEST_F(WatermarkTextTest, BlankTextHasNoInkAndBadTextFails)
{
    const TGPFont font(TGPFontFamily("DejaVu Sans"), 20, fsRegular);
    TTextInk ink;
    EXPECT_TRUE(RenderText(" \t ", font, 96, ink));
    EXPECT_FALSE(ink.HasInk());
    EXPECT_EQ(ink.BoxWidth(), 0.0f);
    EXPECT_FALSE(RenderText("bad \xff\xfe utf-8", font, 96, ink));
    EXPECT_FALSE(RenderText(std::string("nul\0inside", 10), font, 96, ink));
    EXPECT_FALSE(RenderText("text", TGPFont(TGPFontFamily("DejaVu Sans"), 0, fsRegular), 96, ink));
}

}  // namespace
}  // namespace quillane
