// Our own PNG writer: the library must read back every sample, the resolution and the
// colour profile, whatever the layout and size.
#include <gtest/gtest.h>

#include <cstring>

#include "GraphicsFixture.h"
#include "TestPictures.h"
#include "imaging/Graphics.h"
#include "imaging/PngWriter.h"

namespace quillane::test {
namespace {

class PngWriter : public GraphicsTest {
protected:
    // `image` (8-bit) as our writer's picture.
    static TPngPicture PictureOf(const vips::VImage& image)
    {
        const vips::VImage decoded = image.copy_memory();
        const auto* pixels = static_cast<const std::uint8_t*>(vips_image_get_data(decoded.get_image()));
        const std::size_t rowBytes = VIPS_IMAGE_SIZEOF_LINE(decoded.get_image());
        TPngPicture picture = PngPicture(static_cast<std::uint32_t>(decoded.width()),
                                         static_cast<std::uint32_t>(decoded.height()), decoded.bands());
        for (std::uint32_t y = 0; y < picture.Height; ++y)
            std::memcpy(RowSamples(picture, y), pixels + y * rowBytes, rowBytes);
        return picture;
    }

    // The file's bytes; empty when the writer refused.
    static std::string EncodePng(const TPngPicture& picture)
    {
        std::string bytes;
        const bool written = WritePng(picture, [&bytes](const char* data, std::size_t size) {
            bytes.append(data, size);
            return true;
        });
        EXPECT_EQ(written, !bytes.empty());
        return bytes;
    }

    static bool SameSamples(const vips::VImage& a, const vips::VImage& b)
    {
        return a.width() == b.width() && a.height() == b.height() && a.bands() == b.bands() &&
               (a.cast(VIPS_FORMAT_INT) - b.cast(VIPS_FORMAT_INT)).abs().max() == 0;
    }
};

TEST_F(PngWriter, EverySampleOfEveryLayoutReadsBack)
{
    const vips::VImage noise = NoiseImage(37, 23);
    const vips::VImage layouts[] = {noise.extract_band(0), noise.extract_band(0, vips::VImage::option()->set("n", 2)),
                                    noise, noise.bandjoin(noise.extract_band(1))};
    for (const vips::VImage& image : layouts) {
        SCOPED_TRACE(image.bands());
        WriteBytes(File("out.png"), EncodePng(PictureOf(image)));
        ASSERT_EQ(FormatOf(File("out.png")), "png");
        const vips::VImage back = ReadPicture(File("out.png"));
        EXPECT_TRUE(SameSamples(back, image));
    }
}

TEST_F(PngWriter, ResolutionAndProfileReadBack)
{
    TPngPicture picture = PictureOf(NoiseImage(16, 9));
    picture.XPixelsPerMm = 96 / 25.4;
    picture.YPixelsPerMm = 300 / 25.4;
    std::size_t size = 0;
    VipsBlob* srgb = nullptr;
    ASSERT_EQ(vips_profile_load("srgb", &srgb, nullptr), 0);
    const void* data = vips_blob_get(srgb, &size);
    picture.IccProfile.assign(static_cast<const char*>(data), size);
    vips_area_unref(VIPS_AREA(srgb));
    WriteBytes(File("out.png"), EncodePng(picture));

    const vips::VImage back = ReadPicture(File("out.png"));
    EXPECT_NEAR(back.xres(), 96 / 25.4, 0.001);
    EXPECT_NEAR(back.yres(), 300 / 25.4, 0.001);
    ASSERT_NE(back.get_typeof(VIPS_META_ICC_NAME), 0u);
    std::size_t backSize = 0;
    const void* backProfile = back.get_blob(VIPS_META_ICC_NAME, &backSize);
    EXPECT_EQ(std::string(static_cast<const char*>(backProfile), backSize), picture.IccProfile);
}

TEST_F(PngWriter, APictureLargerThanOneDataChunkReadsBack)
{
    const vips::VImage noise = NoiseImage(800, 600);  // about 1.4 MB deflated: two chunks
    const std::string bytes = EncodePng(PictureOf(noise));
    ASSERT_GT(bytes.size(), std::size_t{1} << 20);
    WriteBytes(File("big.png"), bytes);
    EXPECT_TRUE(SameSamples(ReadPicture(File("big.png")), noise));
}

TEST_F(PngWriter, WritesNothingForWhatItCannotWrite)
{
    TPngPicture picture = PictureOf(NoiseImage(4, 4));
    TPngPicture fiveBands = picture;
    fiveBands.Bands = 5;
    EXPECT_TRUE(EncodePng(fiveBands).empty());
    TPngPicture shortRows = picture;
    shortRows.Rows.pop_back();
    EXPECT_TRUE(EncodePng(shortRows).empty());
    EXPECT_TRUE(EncodePng(TPngPicture{}).empty());
}

// Written through the graphics layer: a picture with EXIF data keeps it (the library
// writes it, with the orientation reset), one without gets our writer; both read back
// with their pixels.
TEST_F(PngWriter, PicturesWithAndWithoutExifKeepTheirPixelsAndData)
{
    const vips::VImage stored = CoordinateImage(30, 50).rot90();
    vips::VImage tagged = stored.copy();
    tagged.set("exif-ifd0-Artist", "Quillane tester");
    MakeOrientedJpeg(File("tagged.jpg"), tagged, 6);
    WritePicture(CoordinateImage(30, 50), File("plain.png"));
    for (const char* name : {"tagged.jpg", "plain.png"}) {
        SCOPED_TRACE(name);
        const TGPImage image(File(name));
        ASSERT_TRUE(image.Save(File("out.png"), EncoderForExtension("out.png")));
        const vips::VImage back = ReadPicture(File("out.png"));
        EXPECT_EQ(back.width(), 30);
        EXPECT_EQ(back.height(), 50);
        const bool exif = back.get_typeof(VIPS_META_EXIF_NAME) != 0;
        EXPECT_EQ(exif, std::string(name) == "tagged.jpg");
        if (exif) {
            const int orientation = back.get_typeof("orientation") ? back.get_int("orientation") : 1;
            EXPECT_EQ(orientation, 1);
        }
    }
    EXPECT_TRUE(SameSamples(ReadPicture(File("out.png")), CoordinateImage(30, 50)));
}

}  // namespace
}  // namespace quillane::test
