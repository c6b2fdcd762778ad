#pragma once

#include <cstdint>
#include <vector>

#include "imaging/BoxAverages.h"
#include "imaging/PixelRows.h"

namespace quillane {

enum class TFilter { Triangle, CatmullRom };

struct TScaledPixels {
    std::vector<std::uint8_t> Bytes;  // row after row, no padding
    int Bands = 0;
};

// Scales 8-bit pixels down (or keeps a direction's size) to width x height with a
// separable filter whose reach grows with the shrink, so fine detail averages out
// rather than aliasing. Pixel centres stay where they were: output pixel x covers the
// input around (x + 0.5) * shrink - 0.5; rows and columns past the edge repeat it.
// With `alpha` (the last band), colour is weighted by it so that what lies under a
// transparent pixel leaves no fringe; an alpha band that is opaque everywhere is
// dropped, as the colour alone then says everything. Sizes of at least one and at most
// the input's.
TScaledPixels ScaledDown(const TPixelRows& rows, int width, int height, TFilter filter, bool alpha);

// How far a picture reaches in boxes: fewer than there are where the last column or row
// of boxes stands for only part of a box.
struct TExtent {
    double Width = 0.0;
    double Height = 0.0;
};

// The same filter over the averages of boxes of a picture without alpha, the shrink
// being the extent over the output's size.
TScaledPixels ScaledDown(const TBoxAverages& boxes, int width, int height, TFilter filter, TExtent extent);

}  // namespace quillane
