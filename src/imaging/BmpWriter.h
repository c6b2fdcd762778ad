#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quillane {

// Encodes 8-bit interleaved RGB (3 bands) or RGBA (4 bands) pixels, top row first,
// as a bottom-up BMP: 24-bit with a plain info header for RGB, 32-bit with bit
// fields and an alpha mask for RGBA. Returns an empty string for other band counts
// or a size of 0.
std::string EncodeBmp(const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height, int bands);

// Where the parts of such a file go: the header first, then the rows, bottom-up, each
// padded to RowSize bytes. An empty Header where EncodeBmp() would return nothing, or
// for a file over 4 GiB.
struct TBmpLayout {
    std::string Header;
    std::uint64_t PixelOffset = 0;
    std::uint64_t RowSize = 0;
    std::uint32_t Height = 0;
    // The file offset of row y, 0 being the top row.
    std::uint64_t RowOffset(std::uint32_t y) const { return PixelOffset + RowSize * (Height - 1 - y); }
};
TBmpLayout BmpLayout(std::uint32_t width, std::uint32_t height, int bands);

// One row as the file stores it: blue, green, red (, alpha) a pixel, then zeros up to
// the layout's RowSize.
void PutBmpRow(const std::uint8_t* row, std::uint32_t width, int bands, const TBmpLayout& layout, std::uint8_t* out);

}  // namespace quillane
