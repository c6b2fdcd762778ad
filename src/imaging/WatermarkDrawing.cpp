#include "imaging/WatermarkDrawing.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace quillane {

namespace {

constexpr double kFarOutside = 1e9;

struct TSpan {
    std::int64_t from = 0;
    std::int64_t to = 0;  // one past the last
    bool IsEmpty() const { return to <= from; }
};

// The part of [start, start + length) inside [0, limit).
TSpan Clipped(std::int64_t start, std::int64_t length, std::int64_t limit)
{
    return TSpan{std::max<std::int64_t>(start, 0), std::min(start + length, limit)};
}

}  // namespace

TPointF MarkOrigin(int pictureWidth, int pictureHeight, float markWidth, float markHeight, TPointF offset,
                   bool fromBottomRight)
{
    if (!fromBottomRight)
        return offset;
    const double x = static_cast<double>(pictureWidth) - offset.x - markWidth;
    const double y = static_cast<double>(pictureHeight) - offset.y - markHeight;
    return TPointF{static_cast<float>(x), static_cast<float>(y)};
}

std::int32_t PixelPosition(float position)
{
    const double rounded = std::round(static_cast<double>(position));
    if (!(rounded > -kFarOutside))
        return static_cast<std::int32_t>(-kFarOutside);  // also NaN
    if (rounded > kFarOutside)
        return static_cast<std::int32_t>(kFarOutside);
    return static_cast<std::int32_t>(rounded);
}

bool MarkOverlaps(int pictureWidth, int pictureHeight, std::int32_t x, std::int32_t y, int markWidth, int markHeight)
{
    return !Clipped(x, markWidth, pictureWidth).IsEmpty() && !Clipped(y, markHeight, pictureHeight).IsEmpty();
}

bool InkLandsOn(const TTextInk& ink, int pictureWidth, int pictureHeight, std::int32_t x, std::int32_t y)
{
    if (!ink.HasInk())
        return false;
    const std::int64_t left = std::int64_t{x} + ink.left;
    const std::int64_t top = std::int64_t{y} + ink.top;
    const TSpan across = Clipped(left, ink.mask.width(), pictureWidth);
    const TSpan down = Clipped(top, ink.mask.height(), pictureHeight);
    if (across.IsEmpty() || down.IsEmpty())
        return false;
    // The mask's box holds blank pixels too (around and between the glyphs).
    const vips::VImage inside =
        ink.mask.crop(static_cast<int>(across.from - left), static_cast<int>(down.from - top),
                      static_cast<int>(across.to - across.from), static_cast<int>(down.to - down.from));
    return inside.max() > 0;
}

vips::VImage TextOverlay(const TTextInk& ink, TArgb colour)
{
    const double alpha = static_cast<double>((colour >> 24) & 0xFF);
    const std::vector<double> rgb{static_cast<double>((colour >> 16) & 0xFF), static_cast<double>((colour >> 8) & 0xFF),
                                  static_cast<double>(colour & 0xFF)};
    // +0.5: the cast truncates.
    const vips::VImage coverage = ink.mask.linear(alpha / 255.0, 0.5).cast(VIPS_FORMAT_UCHAR);
    const vips::VImage paint = ink.mask.new_from_image(rgb).cast(VIPS_FORMAT_UCHAR);
    return paint.bandjoin(coverage).copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
}

}  // namespace quillane
