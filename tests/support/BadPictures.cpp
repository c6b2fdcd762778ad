#include "BadPictures.h"

#include "imaging/BmpWriter.h"

namespace quillane::test {

using vips::VImage;

namespace {

constexpr int kWidth = 40;
constexpr int kHeight = 30;

VImage Interpreted(const VImage& image, VipsInterpretation interpretation)
{
    return image.copy(VImage::option()->set("interpretation", interpretation));
}

// The one colour an encoded picture has, decoded and turned into 8-bit sRGB by the
// library itself (the reference for conversions such as CMYK).
TPixel ColourOfEncoded(const std::string& bytes)
{
    VImage image = VImage::new_from_buffer(bytes.data(), bytes.size(), "");
    image = image.colourspace(VIPS_INTERPRETATION_sRGB);
    if (image.format() == VIPS_FORMAT_USHORT)
        image = image / 257;
    return {image.extract_band(0).avg(), image.extract_band(1).avg(), image.extract_band(2).avg()};
}

std::string BmpOf(const VImage& image)
{
    const VImage pixels = image.cast(VIPS_FORMAT_UCHAR).copy_memory();
    const auto* data = static_cast<const std::uint8_t*>(vips_image_get_data(pixels.get_image()));
    return EncodeBmp(data, static_cast<std::uint32_t>(pixels.width()), static_cast<std::uint32_t>(pixels.height()),
                     pixels.bands());
}

TSample Bad(std::string name, std::string bytes, TExpect expect = TExpect::exFails)
{
    TSample sample;
    sample.Name = std::move(name);
    sample.Bytes = std::move(bytes);
    sample.Expect = expect;
    return sample;
}

TSample Good(std::string name, std::string bytes, int width = kWidth, int height = kHeight,
             TPixel colour = SampleColour())
{
    TSample sample = Bad(std::move(name), std::move(bytes), TExpect::exDecodes);
    sample.Width = width;
    sample.Height = height;
    sample.Colour = std::move(colour);
    return sample;
}

VImage Solid()
{
    return SolidImage(kWidth, kHeight, SampleColour());
}

// Pages of `height` rows stacked into one tall image, the first of the sample colour.
VImage Pages(int width, int height, int count)
{
    std::vector<VImage> pages{SolidImage(width, height, SampleColour())};
    for (int i = 1; i < count; ++i)
        pages.push_back(SolidImage(width, height, {30.0 * i, 200, 90}));
    VImage joined = VImage::arrayjoin(pages, VImage::option()->set("across", 1));
    joined = joined.copy();
    joined.set("page-height", height);
    return joined;
}

// Left half the sample colour, right half fully transparent.
VImage HalfTransparent()
{
    const VImage left = SolidImage(kWidth / 2, kHeight, {200, 60, 30, 255});
    const VImage right = SolidImage(kWidth / 2, kHeight, {0, 0, 0, 0});
    return Interpreted(left.join(right, VIPS_DIRECTION_HORIZONTAL), VIPS_INTERPRETATION_sRGB);
}

VImage WithProfile(const VImage& image, const std::string& profile)
{
    VImage tagged = image.copy();
    vips_image_set_blob_copy(tagged.get_image(), VIPS_META_ICC_NAME, profile.data(), profile.size());
    return tagged;
}

std::string SrgbProfile()
{
    VipsBlob* blob = VImage::profile_load("srgb");
    std::size_t size = 0;
    const void* data = vips_blob_get(blob, &size);
    std::string bytes(static_cast<const char*>(data), size);
    vips_area_unref(VIPS_AREA(blob));
    return bytes;
}

VImage Oriented(int orientation)
{
    VImage tagged = Solid().copy();
    tagged.set(VIPS_META_ORIENTATION, orientation);
    return tagged;
}

void AddJpegs(std::vector<TSample>& samples)
{
    samples.push_back(Good("progressive.jpg", EncodedPicture(Solid(), "jpg", "[Q=95,interlace=true]")));
    samples.push_back(Good("grey.jpg", EncodedPicture(SolidImage(kWidth, kHeight, {128}), "jpg", "[Q=95]"), kWidth,
                           kHeight, {128, 128, 128}));
    const std::string cmyk = EncodedPicture(
        Interpreted(SolidImage(kWidth, kHeight, {20, 180, 200, 40}), VIPS_INTERPRETATION_CMYK), "jpg", "[Q=95]");
    samples.push_back(Good("cmyk.jpg", cmyk, kWidth, kHeight, ColourOfEncoded(cmyk)));
    samples.push_back(Good("arithmetic.jpg", ArithmeticJpeg(kWidth, kHeight, SampleColour())));
    samples.push_back(Good("turned6.jpg", EncodedPicture(Oriented(6), "jpg", "[Q=95]"), kHeight, kWidth));
    samples.push_back(Good("turned8.jpg", EncodedPicture(Oriented(8), "jpg", "[Q=95]"), kHeight, kWidth));
    samples.push_back(Good("icc.jpg", EncodedPicture(WithProfile(Solid(), SrgbProfile()), "jpg", "[Q=95]")));
    samples.push_back(Good("bad-icc.jpg", EncodedPicture(WithProfile(Solid(), RandomBytes(300, 7)), "jpg", "[Q=95]")));
    samples.push_back(Good("photo.jpg", EncodedPicture(NoiseImage(64, 48), "jpg", "[Q=90]"), 64, 48, {}));
}

void AddPngs(std::vector<TSample>& samples)
{
    const VImage deep = Interpreted((Solid() * 257).cast(VIPS_FORMAT_USHORT), VIPS_INTERPRETATION_RGB16);
    samples.push_back(Good("deep16.png", EncodedPicture(deep, "png")));
    samples.push_back(Good("grey-alpha.png", EncodedPicture(SolidImage(kWidth, kHeight, {90, 255}), "png"), kWidth,
                           kHeight, {90, 90, 90}));
    samples.push_back(
        Good("palette.png", EncodedPicture(HalfTransparent(), "png", "[palette=true]"), kWidth, kHeight, {}));
    samples.push_back(Good("interlaced.png", EncodedPicture(Solid(), "png", "[interlace=true]")));
    samples.push_back(Good("single.png", EncodedPicture(SolidImage(1, 1, SampleColour()), "png"), 1, 1));
    samples.push_back(Good("bad-icc-png.png", EncodedPicture(WithProfile(Solid(), RandomBytes(300, 8)), "png")));
}

void AddGifsAndTiffs(std::vector<TSample>& samples)
{
    VImage animated = Pages(20, 10, 3).copy();
    animated.set("delay", std::vector<int>{10, 10, 10});
    samples.push_back(Good("animated.gif", EncodedPicture(animated, "gif"), 20, 10));
    samples.push_back(Good("transparent.gif", EncodedPicture(HalfTransparent(), "gif"), kWidth, kHeight, {}));
    samples.push_back(Good("pages.tif", EncodedPicture(Pages(20, 10, 3), "tif"), 20, 10));
    const VImage deep = Interpreted((Solid() * 257).cast(VIPS_FORMAT_USHORT), VIPS_INTERPRETATION_RGB16);
    samples.push_back(Good("deep16-tiff.tif", EncodedPicture(deep, "tif")));
    const std::string cmyk =
        EncodedPicture(Interpreted(SolidImage(kWidth, kHeight, {20, 180, 200, 40}), VIPS_INTERPRETATION_CMYK), "tif");
    samples.push_back(Good("cmyk-tiff.tif", cmyk, kWidth, kHeight, ColourOfEncoded(cmyk)));
    samples.push_back(Good("tiled.tif", EncodedPicture(Solid(), "tif", "[tile=true,tile_width=16,tile_height=16]")));
    samples.push_back(Good("lzw.tif", EncodedPicture(Solid(), "tif", "[compression=lzw]")));
    samples.push_back(Good("deflate.tif", EncodedPicture(Solid(), "tif", "[compression=deflate]")));
    samples.push_back(Good("jpeg-compressed.tiff", EncodedPicture(Solid(), "tif", "[compression=jpeg,Q=95]")));
    samples.push_back(Good("onebit-tiff.tif", EncodedPicture(SolidImage(kWidth, kHeight, {255}), "tif", "[bitdepth=1]"),
                           kWidth, kHeight, {255, 255, 255}));
}

void AddBmps(std::vector<TSample>& samples)
{
    samples.push_back(Good("rgb24.bmp", BmpOf(Solid())));
    samples.push_back(Good("rgba32.bmp", BmpOf(SolidImage(kWidth, kHeight, {200, 60, 30, 255}))));
    samples.push_back(Good("onebit.bmp", HandMadeBmp(kWidth, kHeight, 1, false, SampleColour())));
    samples.push_back(Good("rle8.bmp", HandMadeBmp(kWidth, kHeight, 8, true, SampleColour())));
    samples.push_back(Good("rle4.bmp", HandMadeBmp(kWidth, kHeight, 4, true, SampleColour())));
    samples.push_back(Good("topdown.bmp", HandMadeBmp(kWidth, -kHeight, 24, false, SampleColour())));
}

void AddMislabelled(std::vector<TSample>& samples)
{
    samples.push_back(Good("png-inside.jpg", EncodedPicture(Solid(), "png")));
    samples.push_back(Good("jpeg-inside.png", EncodedPicture(Solid(), "jpg", "[Q=95]")));
}

void AddNotPictures(std::vector<TSample>& samples)
{
    for (const char* extension : {".jpg", ".jpeg", ".png", ".bmp", ".gif", ".tif", ".tiff"})
        samples.push_back(Bad(std::string("empty-") + (extension + 1) + extension, ""));
    std::uint32_t seed = 1;
    for (const char* extension : {".jpg", ".png", ".bmp", ".gif", ".tif"})
        samples.push_back(Bad(std::string("random-") + (extension + 1) + extension, RandomBytes(2000, seed++)));
    samples.push_back(Bad("drawing.png",
                          "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40\" "
                          "height=\"30\"><rect width=\"40\" height=\"30\" fill=\"red\"/></svg>\n"));
    samples.push_back(Bad("notes.png", "These are not pixels, only a note someone saved as .png\n"));
    samples.push_back(
        Bad("page.jpg", "%PDF-1.4\n1 0 obj << /Type /Catalog >> endobj\ntrailer << /Root 1 0 R >>\n%%EOF\n"));
}

// Cuts and flips of one real file: in its header, in the middle, just before the end.
void AddDamaged(std::vector<TSample>& samples, const std::string& stem, const std::string& extension,
                const std::string& bytes, std::size_t headerFlip, TExpect middleFlip)
{
    samples.push_back(Bad("cut-header-" + stem + "-" + extension.substr(1) + extension, Truncated(bytes, 24)));
    samples.push_back(
        Bad("cut-middle-" + stem + "-" + extension.substr(1) + extension, Truncated(bytes, bytes.size() / 2)));
    samples.push_back(
        Bad("cut-end-" + stem + "-" + extension.substr(1) + extension, Truncated(bytes, bytes.size() - 24)));
    samples.push_back(
        Bad("flip-header-" + stem + "-" + extension.substr(1) + extension, WithBitFlipped(bytes, headerFlip, 2)));
    samples.push_back(Bad("flip-data-" + stem + "-" + extension.substr(1) + extension,
                          WithBitFlipped(bytes, bytes.size() / 2, 5), middleFlip));
}

void AddCutsAndFlips(std::vector<TSample>& samples)
{
    // Whether a decoder notices a flipped bit depends on the bytes around it: the same
    // noise every run, so every run meets the same damage.
    const auto noise = [] { return NoiseImage(64, 48, /*seed=*/19); };
    const std::string jpeg = EncodedPicture(noise(), "jpg", "[Q=90]");
    // The frame header's component count: 3 becomes 7.
    AddDamaged(samples, "photo", ".jpg", jpeg, FindJpegFrame(jpeg) + 9, TExpect::exEither);
    const std::string png = EncodedPicture(noise(), "png");
    AddDamaged(samples, "photo", ".png", png, 17, TExpect::exFails);  // width, caught by the CRC
    const std::string gif = EncodedPicture(noise(), "gif");
    AddDamaged(samples, "photo", ".gif", gif, 2, TExpect::exEither);  // "GIF" signature
    const std::string tiff = EncodedPicture(noise(), "tif", "[compression=lzw]");
    AddDamaged(samples, "photo", ".tif", tiff, 0, TExpect::exEither);  // the byte order mark
    const std::string bmp = BmpOf(noise());
    AddDamaged(samples, "photo", ".bmp", bmp, 0, TExpect::exEither);  // "BM"
    samples.push_back(Bad("twelve-bit.jpg", JpegWithPrecision(EncodedPicture(Solid(), "jpg", "[Q=95]"), 12)));
}

void AddGiants(std::vector<TSample>& samples)
{
    const std::string jpeg = EncodedPicture(NoiseImage(80, 60), "jpg", "[Q=90]");
    samples.push_back(Bad("giant.jpg", JpegClaimingSize(jpeg, 64250, 64250)));
    samples.push_back(Bad("giant-png.png", PngClaimingSize(EncodedPicture(Solid(), "png"), 30000, 30000)));
    samples.push_back(Bad("giant-tiff.tif", TiffClaimingSize(EncodedPicture(Solid(), "tif"), 100000, 100000)));
    samples.push_back(Bad("giant-bmp.bmp", BmpClaimingSize(BmpOf(Solid()), 60000, 60000)));
}

}  // namespace

const TPixel& SampleColour()
{
    static const TPixel colour{200, 60, 30};
    return colour;
}

std::vector<TSample> UnusualPictures()
{
    std::vector<TSample> samples;
    AddJpegs(samples);
    AddPngs(samples);
    AddGifsAndTiffs(samples);
    AddBmps(samples);
    AddMislabelled(samples);
    return samples;
}

std::vector<TSample> DamagedPictures()
{
    std::vector<TSample> samples;
    AddNotPictures(samples);
    AddCutsAndFlips(samples);
    AddGiants(samples);
    return samples;
}

std::vector<TSample> AllSamples()
{
    std::vector<TSample> samples = UnusualPictures();
    for (TSample& sample : DamagedPictures())
        samples.push_back(std::move(sample));
    return samples;
}

void WriteSamples(const std::filesystem::path& folder, const std::vector<TSample>& samples)
{
    for (const TSample& sample : samples)
        WriteBytes(folder / sample.Name, sample.Bytes);
}

}  // namespace quillane::test
