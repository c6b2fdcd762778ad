#pragma once

#include <cstdint>
#include <string>
#include <vector>

// PNG files deflated by libdeflate, which takes about half of zlib's time at the same
// level for a slightly smaller result; deflating is most of the cost of writing a PNG.
// Eight bits a sample and unfiltered rows, as the library's own saver writes them.
namespace quillane {

struct TPngPicture {
    std::uint32_t Width = 0;
    std::uint32_t Height = 0;
    int Bands = 0;  // 1 grey, 2 grey and alpha, 3 RGB, 4 RGBA
    // Each row is a filter byte (0, none) followed by its samples.
    std::vector<std::uint8_t> Rows;
    double XPixelsPerMm = 0;  // 0 when unknown: no resolution is written
    double YPixelsPerMm = 0;
    std::string IccProfile;  // empty when none
};

// A width x height picture of 8-bit samples, given row after row without padding;
// no resolution and no profile yet.
TPngPicture PngPicture(const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height, int bands);

// The bytes of the file; empty when the picture is not one this writer can write.
std::string EncodePng(const TPngPicture& picture);

}  // namespace quillane
