#pragma once

#include <vips/vips8>

#include "imaging/Watermark.h"
#include "imaging/WatermarkText.h"

// Placing and blending a watermark onto a picture.
namespace quillane {

// The mark's top-left corner: the offset itself from the top-left corner, or the
// picture's size less the offset and the mark's size from the bottom-right corner.
TPointF MarkOrigin(int pictureWidth, int pictureHeight, float markWidth, float markHeight, TPointF offset,
                   bool fromBottomRight);

// The pixel a float position falls on (nearest, halves away from zero).
int PixelPosition(float position);

// The picture as 8-bit sRGB, with its alpha band when it has one.
vips::VImage AsSrgb8(const vips::VImage& picture);

// The picture as 8-bit sRGB with alpha, as the colour matrix expects it.
vips::VImage AsSrgba8(const vips::VImage& picture);

// Text ink as an sRGB + alpha overlay in the ARGB colour: alpha = ink x colour alpha.
vips::VImage TextOverlay(const TTextInk& ink, TArgb colour);

vips::VImage ApplyColorMatrix(const vips::VImage& rgba, const TColorMatrix& matrix);

// Blends the overlay over the picture with its top-left corner at (x, y); what falls
// outside the picture is clipped. The result keeps the picture's size, and has an
// alpha band only when the picture had one.
vips::VImage DrawOver(const vips::VImage& picture, const vips::VImage& overlay, int x, int y);

}  // namespace quillane
