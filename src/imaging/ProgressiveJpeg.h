#pragma once

#include <cstdint>
#include <vector>

#include "imaging/Files.h"

// An eighth-size decode of progressive JPEGs that stops reading once the scans have
// delivered every coefficient the output uses. At 1/8 a component stored at full
// resolution is its DC coefficients alone, so the refinement scans that make up most
// of such a file are never decoded (colour stored at half resolution needs all of its
// coefficients, brightness still only its DC). The pixels are exactly those of a
// decode of the whole file at 1/8.
namespace quillane::jpeg {

enum class TEighthResult {
    NotApplicable,  // baseline, CMYK or unreadable headers: decode it another way
    Decoded,
    Damaged,  // the scans read were damaged or cut short
};

struct TEighthPicture {
    int Width = 0;
    int Height = 0;
    int Bands = 0;                     // 3 (RGB) or 1 (grey)
    std::vector<std::uint8_t> Pixels;  // rows top to bottom, as stored (not turned)
};

TEighthResult DecodeProgressiveAtEighth(const TPath& file, TEighthPicture& picture);

}  // namespace quillane::jpeg
