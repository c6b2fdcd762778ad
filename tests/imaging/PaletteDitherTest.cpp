#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <set>
#include <vector>

#include "imaging/PaletteDither.h"

namespace quillane {
namespace {

using TBytes = std::vector<std::uint8_t>;

TBytes Dither(const TBytes& pixels, int bands, int width, int height, const TBytes& palette, std::size_t padding = 0)
{
    const std::size_t rowBytes = static_cast<std::size_t>(width * bands) + padding;
    TBytes rows(rowBytes * static_cast<std::size_t>(height), 0xEE);
    for (int y = 0; y < height; ++y)
        std::copy_n(&pixels[static_cast<std::size_t>(y * width * bands)], width * bands, &rows[rowBytes * y]);
    return DitherToPalette(TPixelRows{rows.data(), rowBytes, bands, width, height}, palette);
}

// A picture drawn only in palette colours carries no error to spread: every pixel
// gets its own entry back, whatever the layout of its rows.
TEST(PaletteDither, PaletteColoursKeepTheirOwnEntries)
{
    const TBytes palette = {0, 0, 0, 255, 255, 255, 200, 30, 10, 12, 130, 250, 77, 77, 77};
    const TBytes colours = {2, 3, 0, 1, 4, 3, 2, 0};  // entry per pixel, 4 x 2
    TBytes rgb;
    for (std::uint8_t entry : colours)
        rgb.insert(rgb.end(), &palette[entry * 3u], &palette[entry * 3u + 3]);
    const TBytes greys = {0, 4, 1, 4, 0, 1, 1, 4};  // the grey entries only
    TBytes grey;
    for (std::uint8_t entry : greys)
        grey.push_back(palette[entry * 3u]);
    const struct {
        const char* name;
        TBytes pixels;
        int bands;
        std::size_t padding;
        TBytes expected;
    } cases[] = {
        {"rgb", rgb, 3, 0, colours},
        {"rgb, padded rows", rgb, 3, 5, colours},
        {"grey", grey, 1, 0, greys},
        {"grey, padded rows", grey, 1, 3, greys},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Dither(c.pixels, c.bands, 4, 2, palette, c.padding), c.expected) << c.name;
}

// A flat tone between black and white comes out as a mix of the two whose average
// follows the tone; mapped to the nearest entry alone, each would be one flat entry.
TEST(PaletteDither, ToneBetweenEntriesKeepsItsAverage)
{
    const TBytes palette = {0, 0, 0, 255, 255, 255};
    const int width = 64;
    const int height = 64;
    double previousMean = -1;
    for (const int tone : {40, 96, 128, 160, 216}) {
        const TBytes indexes =
            Dither(TBytes(width * height * 3, static_cast<std::uint8_t>(tone)), 3, width, height, palette);
        const double mean = 255.0 * std::accumulate(indexes.begin(), indexes.end(), 0.0) / indexes.size();
        EXPECT_NEAR(mean, tone, 24) << tone;
        EXPECT_GT(mean, previousMean) << tone;
        EXPECT_EQ(std::set<std::uint8_t>(indexes.begin(), indexes.end()).size(), 2u) << tone;
        previousMean = mean;
    }
}

// A palette of one colour: every pixel takes it, however far away it is.
TEST(PaletteDither, SingleEntryTakesEveryPixel)
{
    const TBytes indexes = Dither(TBytes{0, 0, 0, 255, 255, 255, 9, 200, 90}, 3, 3, 1, TBytes{128, 0, 255});
    EXPECT_EQ(indexes, (TBytes{0, 0, 0}));
}

}  // namespace
}  // namespace quillane
