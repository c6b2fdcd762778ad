#pragma once

#include <optional>
#include <string_view>

#include <vips/vips8>

namespace quillane {

// Decodes the commonest BMP, 24 bits a pixel, uncompressed, with the plain 40-byte
// info header, into the same picture the library's general loader gives (three sRGB
// bands, the resolution in pixels a millimetre). Nothing for every other BMP, and for
// one whose pixels do not all fit in the bytes: those keep going to the general loader,
// which decides about them as before. That loader measures each picture's bit depth
// over a table of 65,536 entries, which made a small BMP cost six times a small JPEG.
std::optional<vips::VImage> DecodePlainBmp(std::string_view bytes);

}  // namespace quillane
