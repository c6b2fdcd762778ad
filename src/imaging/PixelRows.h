#pragma once

#include <cstddef>
#include <cstdint>

namespace quillane {

// 8-bit pixels, row after row, `Bands` samples a pixel, seen in memory owned elsewhere.
struct TPixelRows {
    const std::uint8_t* Bytes = nullptr;
    std::size_t RowBytes = 0;
    int Bands = 0;
    int Width = 0;
    int Height = 0;
};

}  // namespace quillane
