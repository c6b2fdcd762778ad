#pragma once

#include <cstdint>
#include <optional>

// The sizes and positions of the thumbnail routines, as plain arithmetic:
// integer products in 64 bits, div truncating toward zero, Round to the nearest
// with halves to the even neighbour, Floor.
namespace quillane {

struct TSize64 {
    std::int64_t width = 0;
    std::int64_t height = 0;
};

struct TRect64 {
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
};

// Each side times its percentage, div 100.
TSize64 PercentSize(std::uint32_t sourceWidth, std::uint32_t sourceHeight, std::int32_t widthPercent,
                    std::int32_t heightPercent);

// Where the fitted picture lies in a width x height box; the rest is fill colour.
// Empty for a source of no size.
std::optional<TRect64> FillPlacement(std::uint32_t sourceWidth, std::uint32_t sourceHeight, std::int32_t width,
                                     std::int32_t height);

// Fast cut: the covering thumbnail's size and the box-sized window taken from it.
struct TCutFast {
    TSize64 thumbnail;
    TRect64 window;
};
std::optional<TCutFast> CutWindowFast(std::uint32_t sourceWidth, std::uint32_t sourceHeight, std::int32_t width,
                                      std::int32_t height);

// High-quality cut: the part of the source, in source pixels, scaled into the box.
std::optional<TRect64> CutPartHQ(std::uint32_t sourceWidth, std::uint32_t sourceHeight, std::int32_t width,
                                 std::int32_t height);

// Single side: the new size when one side is fixed to size and the other follows.
TSize64 SideSize(std::uint32_t sourceWidth, std::uint32_t sourceHeight, bool byWidth, std::int32_t size);

}  // namespace quillane
