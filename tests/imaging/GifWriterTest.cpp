#include <gtest/gtest.h>

#include <string>

#include "GraphicsFixture.h"
#include "TestPictures.h"
#include "imaging/Convert.h"
#include "imaging/GifWriter.h"

namespace quillane {
namespace {

using test::PixelAt;
using test::TPixel;
using vips::VImage;

class GifWriterTest : public test::GraphicsTest {
protected:
    // The GIF of the picture, read back.
    VImage RoundTrip(const VImage& picture)
    {
        std::string bytes;
        EXPECT_TRUE(WriteGif(picture, [&](const char* data, std::size_t size) {
            bytes.append(data, size);
            return true;
        }));
        test::WriteBytes(File("out.gif"), bytes);
        return test::ReadPicture(File("out.gif"));
    }
};

// Four flat quadrants need four palette entries: every colour comes back exactly.
TEST_F(GifWriterTest, FewColoursComeBackExactlyInEveryLayout)
{
    const VImage colour = test::QuadrantImage(40, 30);
    const VImage grey = colour.extract_band(0).copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_B_W));
    const struct {
        const char* name;
        VImage picture;
    } cases[] = {{"rgb", colour}, {"grey", grey}};
    for (const auto& c : cases) {
        const VImage back = RoundTrip(c.picture);
        ASSERT_EQ(back.width(), 40) << c.name;
        ASSERT_EQ(back.height(), 30) << c.name;
        EXPECT_EQ(back.bands(), 4) << c.name << ": a spare transparent entry, as the library's saver writes";
        for (const auto& [x, y] : {std::pair{3, 3}, {35, 3}, {3, 25}, {35, 25}}) {
            TPixel expected = PixelAt(c.picture, x, y);
            if (expected.size() <= 2)
                expected = {expected[0], expected[0], expected[0]};
            expected.resize(3);
            TPixel actual = PixelAt(back, x, y);
            actual.resize(3);
            EXPECT_EQ(actual, expected) << c.name << " at " << x << "," << y;
        }
    }
}

// Up to 256 colours come back exactly however close they lie: a ramp of neighbouring
// reds is not dithered into its neighbours. At 257 colours the palette is chosen.
TEST_F(GifWriterTest, UpTo256ColoursComeBackExactly)
{
    for (const int width : {2, 200, 256}) {
        const VImage ramp = test::RampImage(width, 3);
        const VImage back = RoundTrip(ramp);
        ASSERT_EQ(back.width(), width);
        EXPECT_EQ(back.extract_band(0, VImage::option()->set("n", 3)).cast(VIPS_FORMAT_UCHAR).max(), ramp.max());
        EXPECT_EQ((back.extract_band(0, VImage::option()->set("n", 3)) - ramp).abs().max(), 0.0) << width;
    }
}

// Pictures with alpha go to the library's saver, which keeps what is transparent.
TEST_F(GifWriterTest, ConvertingAPictureWithAlphaKeepsItsTransparency)
{
    const VImage rgb = test::SolidImage(20, 10, {200, 40, 10});
    const VImage alpha = VImage::black(20, 10).insert(VImage::black(10, 10).linear({1.0}, {255.0}), 10, 0);
    test::WritePicture(rgb.bandjoin(alpha.cast(VIPS_FORMAT_UCHAR)), File("half.png"));
    ASSERT_TRUE(ConvertImage(File("half.png"), File("half.gif"), ifGif, false));
    const VImage back = test::ReadPicture(File("half.gif"));
    ASSERT_EQ(back.bands(), 4);
    EXPECT_EQ(PixelAt(back, 2, 5)[3], 0);
    EXPECT_EQ(PixelAt(back, 15, 5), (TPixel{200, 40, 10, 255}));
}

TEST_F(GifWriterTest, RefusesWhatAGifCannotHoldAndAFailingSink)
{
    const auto never = [](const char*, std::size_t) { return true; };
    EXPECT_FALSE(WriteGif(test::SolidImage(70000, 1, {1, 2, 3}), never));
    EXPECT_FALSE(WriteGif(test::SolidImage(4, 4, {1, 2, 3}).cast(VIPS_FORMAT_USHORT), never));
    EXPECT_FALSE(WriteGif(test::SolidImage(4, 4, {1, 2, 3, 255}), never));
    EXPECT_FALSE(WriteGif(test::NoiseImage(64, 64), [](const char*, std::size_t) { return false; }));
}

}  // namespace
}  // namespace quillane
