// The picture layer over unusual and damaged files: what decodes comes out upright,
// 8-bit and in the right colour; what is damaged yields no picture or a failed save,
// never a partial file.
#include <gtest/gtest.h>

#include "BadPictures.h"
#include "GraphicsFixture.h"
#include "imaging/Encoders.h"
#include "imaging/Graphics.h"

namespace quillane::test {
namespace {

class BadPictureLoading : public GraphicsTest {
protected:
    // Saves the picture as a PNG in a folder of its own; true when written.
    bool SaveAsPng(const TGPImage& picture, const std::string& name)
    {
        out_ = folder_ / ("out-" + name);
        std::filesystem::create_directory(out_);
        return static_cast<bool>(picture.Save(out_ / "result.png", EncoderForExtension("x.png")));
    }
    // The written result's colour at its centre, as 8-bit RGB.
    static TPixel CentreColour(const std::filesystem::path& file)
    {
        vips::VImage image = ReadPicture(file);
        if (image.bands() == 2 || image.bands() == 4)
            image = image.extract_band(0, vips::VImage::option()->set("n", image.bands() - 1));
        if (image.bands() == 1)
            image = vips::VImage::bandjoin({image, image, image});
        return PixelAt(image, image.width() / 2, image.height() / 2);
    }

    std::filesystem::path out_;
};

TEST_F(BadPictureLoading, UnusualPicturesLoadUprightAndSaveInTheirColour)
{
    const std::vector<TSample> samples = UnusualPictures();
    WriteSamples(folder_.Path(), samples);
    for (const TSample& sample : samples) {
        SCOPED_TRACE(sample.Name);
        const TGPImage picture(File(sample.Name));
        ASSERT_FALSE(picture.IsEmpty());
        EXPECT_EQ(picture.GetWidth(), static_cast<std::uint32_t>(sample.Width));
        EXPECT_EQ(picture.GetHeight(), static_cast<std::uint32_t>(sample.Height));
        ASSERT_TRUE(SaveAsPng(picture, sample.Name));
        const vips::VImage written = ReadPicture(out_ / "result.png");
        EXPECT_EQ(written.format(), VIPS_FORMAT_UCHAR);
        if (!sample.Colour.empty()) {
            const TPixel centre = CentreColour(out_ / "result.png");
            EXPECT_TRUE(Near(centre, sample.Colour, sample.Tolerance))
                << Describe(centre) << " expected " << Describe(sample.Colour);
        }
    }
}

TEST_F(BadPictureLoading, UnusualPicturesMakeFastThumbnails)
{
    const std::vector<TSample> samples = UnusualPictures();
    WriteSamples(folder_.Path(), samples);
    for (const TSample& sample : samples) {
        SCOPED_TRACE(sample.Name);
        const TGPImage picture(File(sample.Name));
        const int width = std::max(1, sample.Width / 2);
        const int height = std::max(1, sample.Height / 2);
        const TGPImage thumbnail = picture.GetThumbnail(width, height);
        ASSERT_FALSE(thumbnail.IsEmpty());
        ASSERT_TRUE(SaveAsPng(thumbnail, sample.Name));
        EXPECT_EQ(SizeOf(out_ / "result.png"), (TPictureSize{width, height}));
        if (!sample.Colour.empty()) {
            const TPixel centre = CentreColour(out_ / "result.png");
            EXPECT_TRUE(Near(centre, sample.Colour, sample.Tolerance + 4))
                << Describe(centre) << " expected " << Describe(sample.Colour);
        }
    }
}

// A damaged file gives an empty picture, or one whose save fails and leaves nothing.
TEST_F(BadPictureLoading, DamagedPicturesNeverGiveAPartialFile)
{
    const std::vector<TSample> samples = DamagedPictures();
    WriteSamples(folder_.Path(), samples);
    for (const TSample& sample : samples) {
        SCOPED_TRACE(sample.Name);
        const TGPImage picture(File(sample.Name));
        const bool saved = !picture.IsEmpty() && SaveAsPng(picture, sample.Name);
        const bool thumbnailSaved = !picture.IsEmpty() && SaveAsPng(picture.GetThumbnail(8, 6), sample.Name + "-fast");
        if (sample.Expect == TExpect::exFails) {
            EXPECT_FALSE(saved);
            EXPECT_FALSE(thumbnailSaved);
        }
        for (const std::string& name : {sample.Name, sample.Name + "-fast"}) {
            const std::filesystem::path out = folder_ / ("out-" + name);
            if (!std::filesystem::exists(out))
                continue;
            std::vector<std::string> left;
            for (const auto& entry : std::filesystem::directory_iterator(out))
                left.push_back(entry.path().filename());
            if (left.empty())
                continue;
            // A save the decoder did not object to must be a whole picture.
            EXPECT_EQ(left, std::vector<std::string>{"result.png"});
            EXPECT_NO_THROW(ReadPicture(out / "result.png"));
        }
    }
}

TEST_F(BadPictureLoading, HeadersClaimingGiantSizesAreRefusedBeforeDecoding)
{
    for (const TSample& sample : DamagedPictures()) {
        if (sample.Name.rfind("giant", 0) != 0)
            continue;
        SCOPED_TRACE(sample.Name);
        WriteBytes(File(sample.Name), sample.Bytes);
        const TGPImage picture(File(sample.Name));
        EXPECT_TRUE(picture.IsEmpty());
        EXPECT_EQ(picture.GetWidth(), 0u);
        EXPECT_TRUE(TGPImage::FromMemory(sample.Bytes).IsEmpty());
    }
}

TEST_F(BadPictureLoading, TheLimitIsSixteenThousandThreeHundredAndEightyFourSquared)
{
    const std::string png = EncodedPicture(SolidImage(4, 4, SampleColour()), "png");
    // At the limit the header is believed (the missing pixels fail later, at the save)...
    const TGPImage atLimit = TGPImage::FromMemory(PngClaimingSize(png, 16384, 16384));
    EXPECT_EQ(atLimit.GetWidth(), 16384u);
    // ...one row or column more is refused at once.
    EXPECT_TRUE(TGPImage::FromMemory(PngClaimingSize(png, 16385, 16384)).IsEmpty());
    EXPECT_TRUE(TGPImage::FromMemory(PngClaimingSize(png, 16384, 16385)).IsEmpty());
    // A long panorama within the pixel count is no lie.
    EXPECT_EQ(TGPImage::FromMemory(PngClaimingSize(png, 65536, 4096)).GetWidth(), 65536u);
}

TEST_F(BadPictureLoading, ContentOtherThanTheFivePictureFormatsIsNotDecoded)
{
    // An SVG, a PDF and a PPM named like pictures: readable by some decoder, but not
    // pictures this program reads, so they give no picture.
    WriteBytes(File("drawing.png"),
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40\" height=\"30\"><rect width=\"40\" "
               "height=\"30\"/></svg>");
    WriteBytes(File("portable.jpg"), "P6\n2 2\n255\n" + std::string(12, '\x7f'));
    for (const char* name : {"drawing.png", "portable.jpg"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(TGPImage(File(name)).IsEmpty());
        EXPECT_TRUE(TGPImage::FromMemory(ReadBytes(File(name))).IsEmpty());
    }
}

}  // namespace
}  // namespace quillane::test
