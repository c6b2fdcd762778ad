// Pixels for the window's preview: exactly what the routines decode, refused exactly
// where they refuse.
#include <gtest/gtest.h>

#include <cstddef>
#include <optional>

#include "BadPictures.h"
#include "GraphicsFixture.h"
#include "imaging/PicturePixels.h"

namespace quillane::test {
namespace {

TPixel PixelOf(const TRgbaPixels& pixels, int x, int y)
{
    const std::size_t at = (static_cast<std::size_t>(y) * pixels.width + x) * 4;
    return {double(pixels.bytes[at]), double(pixels.bytes[at + 1]), double(pixels.bytes[at + 2]),
            double(pixels.bytes[at + 3])};
}

class PicturePixels : public GraphicsTest {};

TEST_F(PicturePixels, EverySampleShowsAsTheRoutinesReadIt)
{
    const std::vector<TSample> samples = AllSamples();
    WriteSamples(folder_.Path(), samples);
    for (const TSample& sample : samples) {
        SCOPED_TRACE(sample.Name);
        const std::optional<TRgbaPixels> pixels = ReadRgbaPixels(File(sample.Name));
        if (sample.Expect == TExpect::exFails) {
            EXPECT_FALSE(pixels);
            continue;
        }
        if (sample.Expect == TExpect::exEither)
            continue;
        ASSERT_TRUE(pixels);
        EXPECT_EQ(pixels->width, sample.Width);
        EXPECT_EQ(pixels->height, sample.Height);
        ASSERT_EQ(pixels->bytes.size(), std::size_t(sample.Width) * sample.Height * 4);
        if (sample.Colour.empty())
            continue;
        TPixel centre = PixelOf(*pixels, sample.Width / 2, sample.Height / 2);
        centre.pop_back();
        EXPECT_TRUE(Near(centre, sample.Colour, sample.Tolerance)) << Describe(centre);
    }
}

TEST_F(PicturePixels, RefusedWhateverTheNameSays)
{
    const std::string png = EncodedPicture(SolidImage(40, 30, SampleColour()), "png");
    const std::string jpeg = EncodedPicture(NoiseImage(64, 48), "jpg", "[Q=90]");
    const std::string tiff = EncodedPicture(SolidImage(40, 30, SampleColour()), "tif");
    const struct {
        const char* name;
        std::string bytes;
    } refused[] = {
        {"portable.tif", EncodedPicture(SolidImage(40, 30, SampleColour()), "ppm")},
        {"cut.jpg", Truncated(jpeg, jpeg.size() / 2)},
        {"claims-20000.jpg", JpegClaimingSize(jpeg, 20000, 20000)},
        {"claims-20000.png", PngClaimingSize(png, 20000, 20000)},
        {"claims-20000.tif", TiffClaimingSize(tiff, 20000, 20000)},
    };
    for (const auto& [name, bytes] : refused) {
        WriteBytes(File(name), bytes);
        EXPECT_FALSE(ReadRgbaPixels(File(name))) << name;
    }
    EXPECT_FALSE(ReadRgbaPixels(File("missing.png")));
}

}  // namespace
}  // namespace quillane::test
