#include "imaging/BoxAverages.h"

#include <algorithm>
#include <cstddef>

namespace quillane {

int BoxesAlong(int size, int box)
{
    return (size + box - 1) / box;
}

TBoxAverages::TBoxAverages(int width, int height, int bands, int across, int down)
    : width_(width),
      height_(height),
      bands_(bands),
      across_(across),
      down_(down),
      boxesAcross_(BoxesAlong(width, across)),
      boxesDown_(BoxesAlong(height, down)),
      columnSums_(static_cast<std::size_t>(width) * static_cast<std::size_t>(bands), 0U),
      averages_(static_cast<std::size_t>(boxesAcross_) * static_cast<std::size_t>(bands) *
                    static_cast<std::size_t>(boxesDown_),
                0.0F)
{
}

// Rows are added up sample by sample, the loop the compiler widens; the boxes across
// are summed once a box row is complete.
void TBoxAverages::AddRow(int y, const std::uint8_t* row)
{
    for (std::size_t i = 0; i < columnSums_.size(); ++i)
        columnSums_[i] += row[i];
    const bool lastOfBox = (y + 1) % down_ == 0 || y + 1 == height_;
    if (lastOfBox)
        FinishBoxRow(y / down_, y % down_ + 1);
}

void TBoxAverages::FinishBoxRow(int boxRow, int rowsInBox)
{
    const std::size_t boxRowSize = static_cast<std::size_t>(boxesAcross_) * static_cast<std::size_t>(bands_);
    float* average = &averages_[static_cast<std::size_t>(boxRow) * boxRowSize];
    const std::uint32_t* column = columnSums_.data();
    for (int box = 0; box < boxesAcross_; ++box, average += bands_) {
        const int pixels = std::min(across_, width_ - box * across_);
        for (int band = 0; band < bands_; ++band) {
            std::uint32_t sum = 0;
            for (int x = 0; x < pixels; ++x)
                sum += column[x * bands_ + band];
            average[band] = static_cast<float>(sum) / static_cast<float>(pixels * rowsInBox);
        }
        column += static_cast<std::size_t>(pixels) * static_cast<std::size_t>(bands_);
    }
    std::fill(columnSums_.begin(), columnSums_.end(), 0U);
}

}  // namespace quillane
