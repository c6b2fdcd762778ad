#include "imaging/GifWriter.h"

#include <cgif.h>
#include <libimagequant.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>
#include <vector>

#include "imaging/PaletteDither.h"
#include "imaging/Pixels.h"
#include "imaging/SerialRegions.h"

namespace quillane {

namespace {

constexpr std::int64_t kLargestSide = 65535;  // the format's limit
// The quantiser's histogram and the encoder's tables, whatever the size; and in the
// library's saver a picture small enough has its colours cached as four floats a
// pixel, up to 64 MiB.
constexpr std::uint64_t kFixedBytes = std::uint64_t{32} << 20;
constexpr std::uint64_t kLargestColourCache = std::uint64_t{64} << 20;
constexpr std::int64_t kPaletteSamplePixels = std::int64_t{1} << 19;

struct TAttrFree {
    void operator()(liq_attr* attr) const { liq_attr_destroy(attr); }
};
struct TImageFree {
    void operator()(liq_image* image) const { liq_image_destroy(image); }
};
struct TResultFree {
    void operator()(liq_result* result) const { liq_result_destroy(result); }
};
using TAttr = std::unique_ptr<liq_attr, TAttrFree>;
using TLiqImage = std::unique_ptr<liq_image, TImageFree>;
using TResult = std::unique_ptr<liq_result, TResultFree>;

struct TSamples {
    std::vector<std::uint8_t> Bytes;
    std::size_t RowBytes = 0;
    int Bands = 0;
};

struct TIndexed {
    std::vector<std::uint8_t> Indexes;
    std::vector<std::uint8_t> Palette;  // red, green, blue per entry
};

TSamples SamplesOf(const vips::VImage& image)
{
    TSamples samples;
    samples.Bands = image.bands();
    samples.RowBytes = VIPS_IMAGE_SIZEOF_LINE(image.get_image());
    samples.Bytes.resize(samples.RowBytes * static_cast<std::size_t>(image.height()));
    pixels::ForEachRow(image, [&](int y, const VipsPel* row) {
        std::memcpy(&samples.Bytes[samples.RowBytes * static_cast<std::size_t>(y)], row, samples.RowBytes);
    });
    return samples;
}

// The quantiser asks for one RGBA row at a time, so the picture is never held as RGBA.
void RgbaRow(liq_color out[], int row, int width, void* user)
{
    const TSamples& samples = *static_cast<const TSamples*>(user);
    const std::uint8_t* in = &samples.Bytes[samples.RowBytes * static_cast<std::size_t>(row)];
    if (samples.Bands == 1) {
        for (int x = 0; x < width; ++x, ++in)
            out[x] = liq_color{in[0], in[0], in[0], 255};
    } else {
        for (int x = 0; x < width; ++x, in += 3)
            out[x] = liq_color{in[0], in[1], in[2], 255};
    }
}

// Every step-th pixel of every step-th row, with step the smallest that leaves at most
// kPaletteSamplePixels: the palette is chosen from these. A photo's colours are spread
// over thousands of pixels each, so the palette barely changes, and choosing it no
// longer grows with the picture.
TSamples Thinned(const TSamples& samples, int width, int height, int& thinWidth, int& thinHeight)
{
    int step = 1;
    while (std::int64_t{width / step} * (height / step) > kPaletteSamplePixels)
        ++step;
    thinWidth = std::max(1, width / step);
    thinHeight = std::max(1, height / step);
    TSamples thin;
    thin.Bands = samples.Bands;
    thin.RowBytes = static_cast<std::size_t>(thinWidth) * static_cast<std::size_t>(samples.Bands);
    thin.Bytes.reserve(thin.RowBytes * static_cast<std::size_t>(thinHeight));
    for (int y = 0; y < thinHeight; ++y) {
        const std::uint8_t* row = &samples.Bytes[samples.RowBytes * static_cast<std::size_t>(y * step)];
        for (int x = 0; x < thinWidth; ++x) {
            const std::uint8_t* pixel = row + static_cast<std::size_t>(x * step * samples.Bands);
            thin.Bytes.insert(thin.Bytes.end(), pixel, pixel + samples.Bands);
        }
    }
    return thin;
}

// The quantiser's slower settings refine the palette in rounds whose cost hardly
// depends on the picture's size: worth it for a photo (0.7 dB closer on a 4-megapixel
// one), while on a thumbnail they took four times the rest of its conversion for no
// visible gain.
int PaletteSpeed(std::int64_t samplePixels)
{
    constexpr std::int64_t kSmallPicture = 256 * 256;
    return samplePixels < kSmallPicture ? 8 : 4;
}

bool ChoosePalette(const TSamples& samples, int width, int height, std::vector<std::uint8_t>& palette)
{
    int thinWidth = 0;
    int thinHeight = 0;
    TSamples thin = Thinned(samples, width, height, thinWidth, thinHeight);
    const TAttr attr(liq_attr_create());
    if (!attr || liq_set_max_colors(attr.get(), 256) != LIQ_OK ||
        liq_set_speed(attr.get(), PaletteSpeed(std::int64_t{thinWidth} * thinHeight)) != LIQ_OK ||
        liq_set_quality(attr.get(), 0, 100) != LIQ_OK)
        return false;
    const TLiqImage image(liq_image_create_custom(attr.get(), RgbaRow, &thin, thinWidth, thinHeight, 0));
    liq_result* quantised = nullptr;
    if (!image || liq_image_quantize(image.get(), attr.get(), &quantised) != LIQ_OK)
        return false;
    const TResult result(quantised);
    const liq_palette* chosen = liq_get_palette(result.get());
    for (unsigned i = 0; i < chosen->count; ++i) {
        const liq_color& colour = chosen->entries[i];
        palette.insert(palette.end(), {colour.r, colour.g, colour.b});
    }
    return !palette.empty();
}

// A picture of at most 256 colours keeps them exactly: their palette, and each pixel
// the index of its own colour. False, having looked no further, at the 257th colour.
bool ExactlyIndexed(const TSamples& samples, int width, int height, TIndexed& indexed)
{
    std::unordered_map<std::uint32_t, std::uint8_t> indexOf;
    indexed.Indexes.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::size_t at = 0;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* pixel = &samples.Bytes[samples.RowBytes * static_cast<std::size_t>(y)];
        for (int x = 0; x < width; ++x, pixel += samples.Bands) {
            const std::uint8_t r = pixel[0];
            const std::uint8_t g = samples.Bands == 1 ? r : pixel[1];
            const std::uint8_t b = samples.Bands == 1 ? r : pixel[2];
            const std::uint32_t colour = std::uint32_t{r} << 16 | std::uint32_t{g} << 8 | b;
            auto found = indexOf.find(colour);
            if (found == indexOf.end()) {
                if (indexOf.size() == 256) {
                    indexed = TIndexed();
                    return false;
                }
                found = indexOf.emplace(colour, static_cast<std::uint8_t>(indexOf.size())).first;
                indexed.Palette.insert(indexed.Palette.end(), {r, g, b});
            }
            indexed.Indexes[at++] = found->second;
        }
    }
    return true;
}

// The quantiser picks the palette; our own dithering maps the pixels to it, in a
// sixth of the quantiser's time for the same closeness to the picture.
bool Quantise(const TSamples& samples, int width, int height, TIndexed& indexed)
{
    if (ExactlyIndexed(samples, width, height, indexed))
        return true;
    if (!ChoosePalette(samples, width, height, indexed.Palette))
        return false;
    const TPixelRows rows{samples.Bytes.data(), samples.RowBytes, samples.Bands, width, height};
    indexed.Indexes = DitherToPalette(rows, indexed.Palette);
    return true;
}

int ToSink(void* context, const std::uint8_t* bytes, std::size_t size)
{
    const TGifSink& sink = *static_cast<const TGifSink*>(context);
    return sink(reinterpret_cast<const char*>(bytes), size) ? 0 : -1;
}

// As the library's saver does, a palette with room to spare gets a transparent first
// entry, unused by the pixels: such a GIF reads back with an alpha band, as it did.
bool WithTransparentEntry(TIndexed& indexed)
{
    if (indexed.Palette.size() / 3 >= 256)
        return false;
    indexed.Palette.insert(indexed.Palette.begin(), {0, 0, 0});
    for (std::uint8_t& index : indexed.Indexes)
        ++index;
    return true;
}

bool Encode(TIndexed& indexed, int width, int height, const TGifSink& sink)
{
    CGIF_Config config{};
    // The encoder marks the entry in a frame header that it writes for animations only.
    config.attrFlags = WithTransparentEntry(indexed) ? CGIF_ATTR_HAS_TRANSPARENCY | CGIF_ATTR_IS_ANIMATED : 0;
    config.pGlobalPalette = indexed.Palette.data();
    config.width = static_cast<std::uint16_t>(width);
    config.height = static_cast<std::uint16_t>(height);
    config.numGlobalPaletteEntries = static_cast<std::uint16_t>(indexed.Palette.size() / 3);
    config.pWriteFn = ToSink;
    config.pContext = const_cast<TGifSink*>(&sink);
    CGIF* gif = cgif_newgif(&config);
    if (gif == nullptr)
        return false;
    CGIF_FrameConfig frame{};
    frame.pImageData = indexed.Indexes.data();
    const bool added = cgif_addframe(gif, &frame) == CGIF_OK;
    // The encoder keeps a copy of the frame; ours goes before it starts compressing.
    std::vector<std::uint8_t>().swap(indexed.Indexes);
    const bool closed = cgif_close(gif) == CGIF_OK;
    return added && closed;
}

}  // namespace

std::uint64_t GifEncodeBytes(std::int64_t width, std::int64_t height, int bands)
{
    const std::uint64_t pixels = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    // The library's saver: the RGBA frame, its copy for the next frame, the indexes,
    // and the encoder's share as below.
    if (bands == 2 || bands == 4)
        return kFixedBytes + std::min(pixels * 16, kLargestColourCache) + pixels * 15;
    // Quantising holds the samples and the indexes (the palette is chosen from a sample
    // whose share the fixed part covers); encoding the indexes twice, the codes (two
    // bytes a pixel) and the compressed data.
    const std::uint64_t quantising = pixels * (static_cast<std::uint64_t>(bands) + 1);
    const std::uint64_t encoding = pixels * 6;
    return kFixedBytes + std::max(quantising, encoding);
}

// The limit belongs to the calling thread, so it is set where the quantiser is called.
void KeepQuantiserOnThisThread()
{
    KeepParallelRegionsOnThisThread();
}

bool WriteGif(vips::VImage image, const TGifSink& sink)
{
    const int width = image.width();
    const int height = image.height();
    if (width < 1 || height < 1 || width > kLargestSide || height > kLargestSide ||
        (image.bands() != 1 && image.bands() != 3) || image.format() != VIPS_FORMAT_UCHAR)
        return false;
    KeepQuantiserOnThisThread();
    TIndexed indexed;
    {
        TSamples samples = SamplesOf(image);
        // A progressive JPEG's decoder holds every coefficient until it is released.
        image = vips::VImage();
        if (!Quantise(samples, width, height, indexed))
            return false;
    }
    return Encode(indexed, width, height, sink);
}

}  // namespace quillane
