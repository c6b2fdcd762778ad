#include <gtest/gtest.h>

#include <vips/vips8>

#include "imaging/WatermarkDrawing.h"

namespace quillane {
namespace {

vips::VImage Solid(int width, int height, std::vector<double> pixel) {
    return vips::VImage::black(width, height)
        .new_from_image(pixel)
        .cast(VIPS_FORMAT_UCHAR)
        .copy(vips::VImage::option()->set("interpretation", pixel.size() >= 3 ? VIPS_INTERPRETATION_sRGB
                                                                               : VIPS_INTERPRETATION_B_W));
}

std::vector<double> Pixel(const vips::VImage& image, int x, int y) { return image.getpoint(x, y); }

TEST(MarkOriginTest, BothCorners) {
    const TPointF bottomRight = MarkOrigin(800, 600, 120, 30, TPointF{10, 10}, true);
    EXPECT_EQ(bottomRight.x, 670.0f);
    EXPECT_EQ(bottomRight.y, 560.0f);
    const TPointF topLeft = MarkOrigin(800, 600, 120, 30, TPointF{10, 10}, false);
    EXPECT_EQ(topLeft.x, 10.0f);
    EXPECT_EQ(topLeft.y, 10.0f);
    const TPointF outside = MarkOrigin(100, 50, 120, 30, TPointF{-5.5f, 0}, true);
    EXPECT_EQ(outside.x, -14.5f);
    EXPECT_EQ(outside.y, 20.0f);
}

TEST(MarkOriginTest, PixelPositionRoundsToNearest) {
    EXPECT_EQ(PixelPosition(670.0f), 670);
    EXPECT_EQ(PixelPosition(10.4f), 10);
    EXPECT_EQ(PixelPosition(10.6f), 11);
    EXPECT_EQ(PixelPosition(-14.5f), -15);
    EXPECT_LT(PixelPosition(-3e30f), -100000);
    EXPECT_GT(PixelPosition(3e30f), 100000);
}

TEST(ColorMatrixTest, OpacityScalesAlphaAndKeepsColour) {
    const vips::VImage picture = Solid(4, 4, {10, 200, 30, 255}).insert(Solid(2, 4, {40, 50, 60, 100}), 2, 0);
    const vips::VImage half = ApplyColorMatrix(picture, OpacityMatrix(0.5f));
    EXPECT_EQ(Pixel(half, 0, 0), (std::vector<double>{10, 200, 30, 128}));
    EXPECT_EQ(Pixel(half, 3, 3), (std::vector<double>{40, 50, 60, 50}));
    const vips::VImage same = ApplyColorMatrix(picture, IdentityMatrix());
    EXPECT_EQ((same - picture).abs().max(), 0.0);
    const vips::VImage none = ApplyColorMatrix(picture, OpacityMatrix(0.0f));
    EXPECT_EQ(none[3].max(), 0.0);
}

TEST(ColorMatrixTest, OffsetsAndMixingAreClamped) {
    TColorMatrix matrix = IdentityMatrix();
    matrix.m[4][0] = 0.5f;   // red plus half
    matrix.m[0][2] = -2.0f;  // blue minus twice the red
    const vips::VImage out = ApplyColorMatrix(Solid(2, 2, {200, 10, 100, 255}), matrix);
    EXPECT_EQ(Pixel(out, 1, 1), (std::vector<double>{255, 10, 0, 255}));
}

TEST(TextOverlayTest, InkTakesTheColourAndScalesItsAlpha) {
    TTextInk ink;
    ink.mask = Solid(2, 1, {255}).insert(Solid(1, 1, {0}), 1, 0);
    const vips::VImage overlay = TextOverlay(ink, 0x80FF2010u);
    EXPECT_EQ(Pixel(overlay, 0, 0), (std::vector<double>{255, 32, 16, 128}));
    EXPECT_EQ(Pixel(overlay, 1, 0)[3], 0.0);
    const vips::VImage faint = TextOverlay(ink, 0x4C000000u);  // 30 %: Round(76.5) = 76
    EXPECT_EQ(Pixel(faint, 0, 0)[3], 76.0);
}

}  // namespace
}  // namespace quillane
