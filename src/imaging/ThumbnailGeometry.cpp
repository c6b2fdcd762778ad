#include "imaging/ThumbnailGeometry.h"

#include <cmath>

namespace quillane {

namespace {

// The default rounding mode sends exact halves to the even neighbour.
std::int64_t Round(long double value)
{
    return static_cast<std::int64_t>(std::nearbyint(value));
}

struct TRatios {
    double width;   // source width / box width
    double height;  // source height / box height
};

std::optional<TRatios> RatiosOf(std::uint32_t sourceWidth, std::uint32_t sourceHeight, std::int32_t width,
                                std::int32_t height)
{
    const TRatios ratios{static_cast<double>(sourceWidth) / width, static_cast<double>(sourceHeight) / height};
    if (ratios.width == 0 || ratios.height == 0)
        return std::nullopt;
    return ratios;
}

}  // namespace

TSize64 PercentSize(std::uint32_t sourceWidth, std::uint32_t sourceHeight, std::int32_t widthPercent,
                    std::int32_t heightPercent)
{
    return {std::int64_t{sourceWidth} * widthPercent / 100, std::int64_t{sourceHeight} * heightPercent / 100};
}

std::optional<TRect64> FillPlacement(std::uint32_t sourceWidth, std::uint32_t sourceHeight, std::int32_t width,
                                     std::int32_t height)
{
    const std::optional<TRatios> r = RatiosOf(sourceWidth, sourceHeight, width, height);
    if (!r)
        return std::nullopt;
    if (r->width > r->height) {  // relatively wider than the box: bars above and below
        const std::int64_t drawnHeight = Round(static_cast<long double>(sourceHeight) / r->width);
        return TRect64{0, (height - drawnHeight) / 2, width, drawnHeight};
    }
    const std::int64_t drawnWidth = Round(static_cast<long double>(sourceWidth) / r->height);
    return TRect64{(width - drawnWidth) / 2, 0, drawnWidth, height};
}

std::optional<TCutFast> CutWindowFast(std::uint32_t sourceWidth, std::uint32_t sourceHeight, std::int32_t width,
                                      std::int32_t height)
{
    const std::optional<TRatios> r = RatiosOf(sourceWidth, sourceHeight, width, height);
    if (!r)
        return std::nullopt;
    if (r->height > r->width) {  // relatively taller: cut above and below
        const std::int64_t scaledHeight = Round(static_cast<long double>(sourceHeight) / r->width);
        return TCutFast{{width, scaledHeight}, {0, (scaledHeight - height) / 2, width, height}};
    }
    const std::int64_t scaledWidth = Round(static_cast<long double>(sourceWidth) / r->height);
    return TCutFast{{scaledWidth, height}, {(scaledWidth - width) / 2, 0, width, height}};
}

std::optional<TRect64> CutPartHQ(std::uint32_t sourceWidth, std::uint32_t sourceHeight, std::int32_t width,
                                 std::int32_t height)
{
    const std::optional<TRatios> r = RatiosOf(sourceWidth, sourceHeight, width, height);
    if (!r)
        return std::nullopt;
    if (r->height > r->width) {
        std::int64_t top = Round(sourceHeight - static_cast<long double>(height) * r->width) / 2;
        // A sliver thinner than a pixel still keeps one source row to scale.
        if (sourceHeight - 2 * top < 1)
            top = (std::int64_t{sourceHeight} - 1) / 2;
        return TRect64{0, top, sourceWidth, sourceHeight - 2 * top};
    }
    std::int64_t left = Round(sourceWidth - static_cast<long double>(width) * r->height) / 2;
    if (sourceWidth - 2 * left < 1)
        left = (std::int64_t{sourceWidth} - 1) / 2;
    return TRect64{left, 0, sourceWidth - 2 * left, sourceHeight};
}

TSize64 SideSize(std::uint32_t sourceWidth, std::uint32_t sourceHeight, bool byWidth, std::int32_t size)
{
    const std::int64_t fixed = byWidth ? sourceWidth : sourceHeight;
    const std::int64_t other = byWidth ? sourceHeight : sourceWidth;
    if (fixed == 0)
        return {};
    const std::int64_t follows =
        static_cast<std::int64_t>(std::floor(static_cast<long double>(other * size) / static_cast<long double>(fixed)));
    return byWidth ? TSize64{size, follows} : TSize64{follows, size};
}

}  // namespace quillane
