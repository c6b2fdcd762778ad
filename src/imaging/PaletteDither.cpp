#include "imaging/PaletteDither.h"

#include <algorithm>
#include <array>
#include <limits>

namespace quillane {

namespace {

using TRgb = std::array<int, 3>;

// Errors are carried in sixteenths, the weights of the diffusion; three quarters of
// them reach the next pixels. Full strength scores lower against the picture and
// looks noisier; without any, gradients band.
constexpr int kErrorShare = 12;  // of 16
constexpr int kLevelBits = 6;    // per channel in the lookup cache
constexpr int kCellShift = 8 - kLevelBits;

class TNearestEntry {
public:
    explicit TNearestEntry(const std::vector<std::uint8_t>& palette)
        : cache_(std::size_t{1} << (3 * kLevelBits), kUnknown)
    {
        for (std::size_t i = 0; i + 2 < palette.size(); i += 3)
            entries_.push_back({palette[i], palette[i + 1], palette[i + 2]});
    }

    int Of(const TRgb& colour)
    {
        const std::size_t cell = static_cast<std::size_t>(colour[0] >> kCellShift) << (2 * kLevelBits) |
                                 static_cast<std::size_t>(colour[1] >> kCellShift) << kLevelBits |
                                 static_cast<std::size_t>(colour[2] >> kCellShift);
        std::int16_t& found = cache_[cell];
        if (found == kUnknown)
            found = static_cast<std::int16_t>(Search(CentreOf(colour)));
        return found;
    }

    const TRgb& Entry(int index) const { return entries_[static_cast<std::size_t>(index)]; }

private:
    static constexpr std::int16_t kUnknown = -1;

    // The cell's centre stands for every colour in it, so the answer does not depend
    // on which colour asked first.
    static TRgb CentreOf(const TRgb& colour)
    {
        constexpr int kHalfCell = (1 << kCellShift) / 2;
        TRgb centre{};
        for (std::size_t c = 0; c < 3; ++c)
            centre[c] = (colour[c] >> kCellShift << kCellShift) + kHalfCell;
        return centre;
    }

    int Search(const TRgb& colour) const
    {
        int best = 0;
        int bestDistance = std::numeric_limits<int>::max();
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            int distance = 0;
            for (std::size_t c = 0; c < 3; ++c)
                distance += (entries_[i][c] - colour[c]) * (entries_[i][c] - colour[c]);
            if (distance < bestDistance) {
                bestDistance = distance;
                best = static_cast<int>(i);
            }
        }
        return best;
    }

    std::vector<TRgb> entries_;
    std::vector<std::int16_t> cache_;
};

TRgb PixelAt(const TPixelRows& rows, const std::uint8_t* row, int x)
{
    if (rows.Bands == 1)
        return {row[x], row[x], row[x]};
    const std::uint8_t* pixel = row + 3 * static_cast<std::size_t>(x);
    return {pixel[0], pixel[1], pixel[2]};
}

}  // namespace

std::vector<std::uint8_t> DitherToPalette(const TPixelRows& rows, const std::vector<std::uint8_t>& palette)
{
    const auto width = static_cast<std::size_t>(rows.Width);
    std::vector<std::uint8_t> indexes(width * static_cast<std::size_t>(rows.Height));
    TNearestEntry nearest(palette);
    // One pixel of margin on each side, so the diffusion needs no edge cases.
    std::vector<TRgb> errors((width + 2)), nextErrors((width + 2));
    for (int y = 0; y < rows.Height; ++y) {
        const std::uint8_t* row = rows.Bytes + rows.RowBytes * static_cast<std::size_t>(y);
        const bool forward = y % 2 == 0;
        const int step = forward ? 1 : -1;
        std::fill(nextErrors.begin(), nextErrors.end(), TRgb{});
        for (int i = 0; i < rows.Width; ++i) {
            const int x = forward ? i : rows.Width - 1 - i;
            const std::size_t at = static_cast<std::size_t>(x) + 1;
            TRgb wanted = PixelAt(rows, row, x);
            for (std::size_t c = 0; c < 3; ++c)
                wanted[c] = std::clamp(wanted[c] + errors[at][c] * kErrorShare / 256, 0, 255);
            const int index = nearest.Of(wanted);
            indexes[static_cast<std::size_t>(y) * width + static_cast<std::size_t>(x)] =
                static_cast<std::uint8_t>(index);
            for (std::size_t c = 0; c < 3; ++c) {
                const int error = wanted[c] - nearest.Entry(index)[c];
                errors[at + step][c] += error * 7;
                nextErrors[at - step][c] += error * 3;
                nextErrors[at][c] += error * 5;
                nextErrors[at + step][c] += error;
            }
        }
        std::swap(errors, nextErrors);
    }
    return indexes;
}

}  // namespace quillane
