#include "imaging/WatermarkDrawing.h"

#include <cmath>
#include <vector>

namespace quillane {

namespace {

constexpr double kFarOutside = 1e9;

}  // namespace

TPointF MarkOrigin(int pictureWidth, int pictureHeight, float markWidth, float markHeight, TPointF offset,
                   bool fromBottomRight) {
    if (!fromBottomRight) return offset;
    const double x = static_cast<double>(pictureWidth) - offset.x - markWidth;
    const double y = static_cast<double>(pictureHeight) - offset.y - markHeight;
    return TPointF{static_cast<float>(x), static_cast<float>(y)};
}

std::int32_t PixelPosition(float position) {
    const double rounded = std::round(static_cast<double>(position));
    if (!(rounded > -kFarOutside)) return static_cast<std::int32_t>(-kFarOutside);  // also NaN
    if (rounded > kFarOutside) return static_cast<std::int32_t>(kFarOutside);
    return static_cast<std::int32_t>(rounded);
}

vips::VImage TextOverlay(const TTextInk& ink, TArgb colour) {
    const double alpha = static_cast<double>((colour >> 24) & 0xFF);
    const std::vector<double> rgb{static_cast<double>((colour >> 16) & 0xFF),
                                  static_cast<double>((colour >> 8) & 0xFF), static_cast<double>(colour & 0xFF)};
    // +0.5: the cast truncates.
    const vips::VImage coverage = ink.mask.linear(alpha / 255.0, 0.5).cast(VIPS_FORMAT_UCHAR);
    const vips::VImage paint = ink.mask.new_from_image(rgb).cast(VIPS_FORMAT_UCHAR);
    return paint.bandjoin(coverage).copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
}

}  // namespace quillane
