#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
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
    std::string IccProfile;    // empty when none
    int CompressionLevel = 6;  // 0 (stored) to 9; 6 is zlib's default
};

// A width x height picture of 8-bit samples with room for its rows, each set to
// filter byte 0 (none); no resolution and no profile yet.
TPngPicture PngPicture(std::uint32_t width, std::uint32_t height, int bands);

// Where row `y`'s samples go.
std::uint8_t* RowSamples(TPngPicture& picture, std::uint32_t y);

// Receives the file's bytes in order; false stops the writing.
using TPngSink = std::function<bool(const char* bytes, std::size_t size)>;

// Hands the file to `write` piece by piece, the deflated rows without a copy. False,
// having written nothing, for a picture this writer cannot write; false as well when
// `write` fails.
bool WritePng(const TPngPicture& picture, const TPngSink& write);

}  // namespace quillane
