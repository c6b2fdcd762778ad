#pragma once

#include <cstdint>
#include <vector>

namespace quillane {

// How many boxes of `box` pixels cover `size` pixels, the last one perhaps in part.
int BoxesAlong(int size, int box);

// The exact averages of boxes of `across` x `down` pixels of an 8-bit picture, built
// up row by row as it is read, without rounding: the boxes of the last column and row
// may reach past the edge and average only the pixels that are there.
class TBoxAverages {
public:
    TBoxAverages(int width, int height, int bands, int across, int down);

    // The rows come in order, from the first.
    void AddRow(int y, const std::uint8_t* row);

    int Width() const { return boxesAcross_; }
    int Height() const { return boxesDown_; }
    int Bands() const { return bands_; }
    // Box after box, row after row, every band: complete once the last row is added.
    const std::vector<float>& Averages() const { return averages_; }

private:
    void FinishBoxRow(int boxRow, int rowsInBox);

    int width_;
    int height_;
    int bands_;
    int across_;
    int down_;
    int boxesAcross_;
    int boxesDown_;
    std::vector<std::uint32_t> columnSums_;  // every sample's column, over the box row being read
    std::vector<float> averages_;
};

}  // namespace quillane
