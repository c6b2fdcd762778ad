#include <gtest/gtest.h>

#include <vips/vips8>

#include "GraphicsFixture.h"
#include "TestPictures.h"
#include "imaging/WatermarkDrawing.h"

namespace quillane {
namespace {

using test::PixelAt;
using test::SolidImage;
using test::TPixel;

class WatermarkDrawingTest : public test::GraphicsTest {};

TEST_F(WatermarkDrawingTest, MarkOriginFromEitherCorner)
{
    const TPointF bottomRight = MarkOrigin(800, 600, 120, 30, TPointF{10, 10}, true);
    EXPECT_EQ(bottomRight.x, 670.0f);
    EXPECT_EQ(bottomRight.y, 560.0f);
    const TPointF topLeft = MarkOrigin(800, 600, 120, 30, TPointF{10, 10}, false);
    EXPECT_EQ(topLeft.x, 10.0f);
    EXPECT_EQ(topLeft.y, 10.0f);
    EXPECT_EQ(PixelPosition(-3e30f), PixelPosition(-1e20f));  // far outside stays far outside, no overflow
}

TEST_F(WatermarkDrawingTest, ColorMatrixScalesMixesAndClamps)
{
    const vips::VImage picture = SolidImage(2, 1, {10, 200, 30, 255}).insert(SolidImage(1, 1, {40, 50, 60, 100}), 1, 0);
    const vips::VImage half = ApplyColorMatrix(picture, OpacityMatrix(0.5f));
    EXPECT_EQ(PixelAt(half, 0, 0), (TPixel{10, 200, 30, 128}));
    EXPECT_EQ(PixelAt(half, 1, 0), (TPixel{40, 50, 60, 50}));

    TColorMatrix matrix = IdentityMatrix();
    matrix.m[4][0] = 0.5f;   // red plus half
    matrix.m[0][2] = -2.0f;  // blue less twice the red
    const vips::VImage mixed = ApplyColorMatrix(picture, matrix);
    EXPECT_EQ(PixelAt(mixed, 0, 0), (TPixel{138, 200, 10, 255}));
    EXPECT_EQ(PixelAt(mixed, 1, 0), (TPixel{168, 50, 0, 100}));
}

}  // namespace
}  // namespace quillane
