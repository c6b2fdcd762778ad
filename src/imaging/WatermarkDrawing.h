#pragma once

#include <vips/vips8>

#include "imaging/Watermark.h"
#include "imaging/WatermarkText.h"

// Placing a watermark and turning it into pixels to draw.
namespace quillane {

// The mark's top-left corner: the offset itself from the top-left corner, or the
// picture's size less the offset and the mark's size from the bottom-right corner.
TPointF MarkOrigin(int pictureWidth, int pictureHeight, float markWidth, float markHeight, TPointF offset,
                   bool fromBottomRight);

// The pixel a float position falls on (nearest, halves away from zero), kept within
// a range where sums with a picture's size cannot overflow.
std::int32_t PixelPosition(float position);

// Whether a mark of the given size with its top-left corner at (x, y) covers some
// pixel of the picture.
bool MarkOverlaps(int pictureWidth, int pictureHeight, std::int32_t x, std::int32_t y, int markWidth, int markHeight);

// Whether some inked pixel of the text, drawn with its origin at (x, y), falls on the
// picture. Text without ink lands nowhere.
bool InkLandsOn(const TTextInk& ink, int pictureWidth, int pictureHeight, std::int32_t x, std::int32_t y);

// Text ink as 8-bit sRGB + alpha in the ARGB colour: alpha = ink x colour alpha.
vips::VImage TextOverlay(const TTextInk& ink, TArgb colour);

// 8-bit sRGB + alpha pixels transformed by the colour matrix.
vips::VImage ApplyColorMatrix(const vips::VImage& rgba, const TColorMatrix& matrix);

}  // namespace quillane
