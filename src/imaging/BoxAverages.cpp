#include "imaging/BoxAverages.h"

#include <algorithm>
#include <cstddef>

namespace quillane {

namespace {

int BoxesAlong(int size, int box)
{
    return (size + box - 1) / box;
}

}  // namespace

TBoxAverages::TBoxAverages(int width, int height, int bands, int across, int down)
    : width_(width),
      height_(height),
      bands_(bands),
      across_(across),
      down_(down),
      boxesAcross_(BoxesAlong(width, across)),
      boxesDown_(BoxesAlong(height, down)),
      sums_(static_cast<std::size_t>(boxesAcross_) * static_cast<std::size_t>(bands), 0U),
      averages_(sums_.size() * static_cast<std::size_t>(boxesDown_), 0.0F)
{
}

void TBoxAverages::AddRow(int y, const std::uint8_t* row)
{
    const std::uint8_t* pixel = row;
    std::uint32_t* sum = sums_.data();
    for (int box = 0; box < boxesAcross_; ++box, sum += bands_) {
        const int pixels = std::min(across_, width_ - box * across_);
        for (int x = 0; x < pixels; ++x, pixel += bands_)
            for (int band = 0; band < bands_; ++band)
                sum[band] += pixel[band];
    }
    const bool lastOfBox = (y + 1) % down_ == 0 || y + 1 == height_;
    if (lastOfBox)
        FinishBoxRow(y / down_, y % down_ + 1);
}

void TBoxAverages::FinishBoxRow(int boxRow, int rowsInBox)
{
    float* average = &averages_[static_cast<std::size_t>(boxRow) * sums_.size()];
    std::uint32_t* sum = sums_.data();
    for (int box = 0; box < boxesAcross_; ++box) {
        const int pixels = std::min(across_, width_ - box * across_) * rowsInBox;
        for (int band = 0; band < bands_; ++band, ++sum, ++average) {
            *average = static_cast<float>(*sum) / static_cast<float>(pixels);
            *sum = 0;
        }
    }
}

}  // namespace quillane
