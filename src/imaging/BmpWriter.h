#pragma once

#include <cstdint>
#include <string>

namespace quillane {

// Encodes 8-bit interleaved RGB (3 bands) or RGBA (4 bands) pixels, top row first,
// as a bottom-up BMP: 24-bit with a plain info header for RGB, 32-bit with bit
// fields and an alpha mask for RGBA. Returns an empty string for other band counts
// or a size of 0.
std::string EncodeBmp(const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height, int bands);

}  // namespace quillane
