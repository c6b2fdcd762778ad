#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "imaging/Files.h"

// A picture's pixels for a caller outside the imaging layer (the window's preview).
namespace quillane {

// 8-bit sRGB with alpha, row after row from the top, 4 bytes a pixel.
struct TRgbaPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bytes;
};

// The picture in the file, upright, its alpha kept (opaque where it has none). Nothing
// for every file the routines refuse: not one of the formats read, by its content,
// damaged or cut short, or larger than a picture may be.
std::optional<TRgbaPixels> ReadRgbaPixels(const TPath& file);
// The same for a file's bytes held in memory.
std::optional<TRgbaPixels> DecodeRgbaPixels(const std::string& bytes);

}  // namespace quillane
