#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quillane {

// 8-bit grey (1 band) or RGB (3 bands) pixels, row after row.
struct TPixelRows {
    const std::uint8_t* Bytes = nullptr;
    std::size_t RowBytes = 0;
    int Bands = 0;
    int Width = 0;
    int Height = 0;
};

// The index of a palette entry (red, green, blue per entry, 1 to 256 entries) for every
// pixel. Each pixel takes the entry nearest to it once three quarters of its
// neighbours' errors are added (Floyd-Steinberg, alternating direction row by row):
// a gradient keeps its average tone without the full-strength noise. The nearest entry
// is looked up once per cell of 4 x 4 x 4 levels and remembered.
std::vector<std::uint8_t> DitherToPalette(const TPixelRows& rows, const std::vector<std::uint8_t>& palette);

}  // namespace quillane
