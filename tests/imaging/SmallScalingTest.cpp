// Small pictures are scaled down by our own filter rather than the library's resize: it
// must give what the library gives, to within rounding.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <vector>

#include <vips/vips8>

#include "GraphicsFixture.h"
#include "imaging/Pixels.h"
#include "imaging/SmallScaling.h"

namespace quillane::test {
namespace {

using vips::VImage;
using TBytes = std::vector<std::uint8_t>;
using TContent = std::function<std::uint8_t(int x, int y, int band)>;

TBytes Drawn(int width, int height, int bands, const TContent& content)
{
    TBytes bytes;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int band = 0; band < bands; ++band)
                bytes.push_back(content(x, y, band));
    return bytes;
}

// Steep enough that half a pixel out of place shows as several levels.
std::uint8_t Waves(int x, int y, int band)
{
    return static_cast<std::uint8_t>(std::lround(128 + 110 * std::sin(x / 4.0 + band) * std::cos(y / 5.0)));
}

// Finer than the output: only a filter that reaches wider as it shrinks averages it away.
std::uint8_t Stripes(int x, int y, int band)
{
    return static_cast<std::uint8_t>(((x + y + band) % 3 == 0) ? 250 : 10);
}

TBytes BytesOf(const VImage& image)
{
    std::size_t size = 0;
    void* memory = image.write_to_memory(&size);
    TBytes bytes(static_cast<std::uint8_t*>(memory), static_cast<std::uint8_t*>(memory) + size);
    g_free(memory);
    return bytes;
}

struct TDifference {
    double Mean = 0.0;
    int Largest = 0;
};

TDifference DifferenceOf(const TBytes& ours, const TBytes& theirs)
{
    TDifference difference;
    for (std::size_t i = 0; i < theirs.size(); ++i) {
        const int apart = std::abs(ours[i] - theirs[i]);
        difference.Mean += apart;
        difference.Largest = std::max(difference.Largest, apart);
    }
    difference.Mean /= static_cast<double>(theirs.size());
    return difference;
}

// What the library's resize makes of the same pixels, alpha weighted as ours is.
TBytes LibraryScaled(const TBytes& bytes, int width, int height, int bands, int toWidth, int toHeight,
                     VipsKernel kernel, bool alpha)
{
    VImage image = VImage::new_from_memory(const_cast<std::uint8_t*>(bytes.data()), bytes.size(), width, height, bands,
                                           VIPS_FORMAT_UCHAR);
    if (alpha)
        image = image.premultiply();
    image =
        image.resize(static_cast<double>(toWidth) / width,
                     VImage::option()->set("vscale", static_cast<double>(toHeight) / height)->set("kernel", kernel));
    if (alpha)
        image = image.unpremultiply();
    return BytesOf((image + 0.5).cast(VIPS_FORMAT_UCHAR));
}

VImage ImageOf(const TBytes& bytes, int width, int height, int bands)
{
    return VImage::new_from_memory(const_cast<std::uint8_t*>(bytes.data()), bytes.size(), width, height, bands,
                                   VIPS_FORMAT_UCHAR)
        .copy(VImage::option()->set("interpretation", bands < 3 ? VIPS_INTERPRETATION_B_W : VIPS_INTERPRETATION_sRGB));
}

class SmallScaling : public GraphicsTest {};

// A high-quality shrink by four or more is a Catmull-Rom over the whole picture, to within
// rounding: its boxes are not rounded to levels, and a partial last box moves nothing.
TEST_F(SmallScaling, AHighQualityShrinkByFourOrMoreIsCatmullRomOverTheWholePicture)
{
    const struct {
        const char* name;
        int width, height, bands, toWidth, toHeight;
    } cases[] = {
        {"colour, boxes of two with a partial last one", 1003, 757, 3, 100, 75},
        {"grey, boxes of four", 2001, 1499, 1, 125, 93},
        {"one direction only", 1203, 90, 3, 100, 90},
        {"no boxes", 1005, 805, 3, 201, 161},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TBytes bytes = Drawn(c.width, c.height, c.bands, Waves);
        const VImage source = ImageOf(bytes, c.width, c.height, c.bands);
        const VImage truth =
            (source.cast(VIPS_FORMAT_FLOAT)
                 .reduce(static_cast<double>(c.width) / c.toWidth, static_cast<double>(c.height) / c.toHeight,
                         VImage::option()->set("kernel", VIPS_KERNEL_CUBIC)) +
             0.5)
                .cast(VIPS_FORMAT_UCHAR);
        const VImage ours = pixels::ResizeTo(source, c.toWidth, c.toHeight, pixels::TKernel::Bicubic);
        ASSERT_EQ(ours.width(), c.toWidth);
        ASSERT_EQ(ours.height(), c.toHeight);
        ASSERT_EQ(ours.bands(), c.bands);
        const TDifference difference = DifferenceOf(BytesOf(ours), BytesOf(truth));
        EXPECT_LE(difference.Mean, 0.4);  // the boxes' own blur; rounded boxes or a shifted centre give 1 to 3
        EXPECT_LE(difference.Largest, 1);
    }
}

TEST_F(SmallScaling, GivesWhatTheLibrarysResizeGivesToWithinRounding)
{
    const struct {
        const char* name;
        int width, height, bands, toWidth, toHeight;
        TFilter filter;
        TContent content;
        double meanLimit;
        int maxLimit;
    } cases[] = {
        {"half size, colour", 64, 48, 3, 32, 24, TFilter::CatmullRom, Waves, 0.3, 2},
        {"grey, a fifth", 200, 150, 1, 37, 29, TFilter::CatmullRom, Waves, 1.2, 6},
        {"one direction only, straight lines", 90, 60, 3, 45, 60, TFilter::Triangle, Waves, 0.3, 2},
        {"a single row", 64, 1, 3, 10, 1, TFilter::CatmullRom, Waves, 1.8, 4},
        {"down to one pixel", 5, 5, 3, 1, 1, TFilter::CatmullRom, Waves, 1.0, 1},
        {"detail finer than the output", 120, 90, 3, 30, 22, TFilter::CatmullRom, Stripes, 1.0, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TBytes bytes = Drawn(c.width, c.height, c.bands, c.content);
        const TScaledPixels ours = ScaledDown(
            TPixelRows{bytes.data(), static_cast<std::size_t>(c.width * c.bands), c.bands, c.width, c.height},
            c.toWidth, c.toHeight, c.filter, false);
        const TBytes theirs =
            LibraryScaled(bytes, c.width, c.height, c.bands, c.toWidth, c.toHeight,
                          c.filter == TFilter::CatmullRom ? VIPS_KERNEL_CUBIC : VIPS_KERNEL_LINEAR, false);
        ASSERT_EQ(ours.Bands, c.bands);
        ASSERT_EQ(ours.Bytes.size(), theirs.size());
        const TDifference difference = DifferenceOf(ours.Bytes, theirs);
        EXPECT_LE(difference.Mean, c.meanLimit);
        EXPECT_LE(difference.Largest, c.maxLimit);
    }
}

// Black under transparent pixels must not darken the visible colour next to them; an
// alpha band that is opaque everywhere goes.
TEST_F(SmallScaling, WeighsColourByAlphaAndDropsAnOpaqueAlphaBand)
{
    const int width = 64;
    const int height = 48;
    const TBytes halfClear = Drawn(width, height, 4, [](int x, int y, int band) -> std::uint8_t {
        const bool clear = x < 30;
        if (band == 3)
            return clear ? 0 : 255;
        return clear ? 0 : static_cast<std::uint8_t>(180 + band * 20 + (y % 7));
    });
    const TScaledPixels ours =
        ScaledDown(TPixelRows{halfClear.data(), width * 4u, 4, width, height}, 20, 15, TFilter::CatmullRom, true);
    const TBytes theirs = LibraryScaled(halfClear, width, height, 4, 20, 15, VIPS_KERNEL_CUBIC, true);
    ASSERT_EQ(ours.Bands, 4);
    ASSERT_EQ(ours.Bytes.size(), theirs.size());
    for (std::size_t i = 0; i < theirs.size(); ++i) {
        if (theirs[i - i % 4 + 3] < 64)
            continue;  // nearly clear: its colour barely shows, and rounds far
        EXPECT_NEAR(ours.Bytes[i], theirs[i], 2) << "sample " << i;
    }

    const TBytes opaque = Drawn(
        width, height, 4, [](int x, int y, int band) -> std::uint8_t { return band == 3 ? 255 : Waves(x, y, band); });
    const TScaledPixels withoutAlpha =
        ScaledDown(TPixelRows{opaque.data(), width * 4u, 4, width, height}, 32, 24, TFilter::CatmullRom, true);
    const TBytes colour = Drawn(width, height, 3, Waves);
    const TScaledPixels plain =
        ScaledDown(TPixelRows{colour.data(), width * 3u, 3, width, height}, 32, 24, TFilter::CatmullRom, false);
    EXPECT_EQ(withoutAlpha.Bands, 3);
    EXPECT_EQ(withoutAlpha.Bytes, plain.Bytes);
}

}  // namespace
}  // namespace quillane::test
