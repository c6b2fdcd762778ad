#pragma once

#include <cstdint>
#include <vector>

#include "imaging/PixelRows.h"

namespace quillane {

// For grey (1 band) or RGB (3 bands) pixels: the index of a palette entry (red, green,
// blue per entry, 1 to 256 entries) for every pixel. Each pixel takes the entry nearest
// to it once three quarters of its neighbours' errors are added (Floyd-Steinberg,
// alternating direction row by row): a gradient keeps its average tone without the
// full-strength noise. The nearest entry is looked up once per cell of 4 x 4 x 4 levels
// and remembered.
std::vector<std::uint8_t> DitherToPalette(const TPixelRows& rows, const std::vector<std::uint8_t>& palette);

}  // namespace quillane
