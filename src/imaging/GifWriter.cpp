#include "imaging/GifWriter.h"

#include <cgif.h>
#include <libimagequant.h>
#include <omp.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "imaging/Pixels.h"

namespace quillane {

namespace {

constexpr std::int64_t kLargestSide = 65535;  // the format's limit
// The quantiser's histogram and the encoder's tables, whatever the size; and a
// picture small enough has its colours cached as four floats a pixel, up to 64 MiB.
constexpr std::uint64_t kFixedBytes = std::uint64_t{32} << 20;
constexpr std::uint64_t kLargestColourCache = std::uint64_t{64} << 20;

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

bool Quantise(TSamples& samples, int width, int height, TIndexed& indexed)
{
    const TAttr attr(liq_attr_create());
    if (!attr || liq_set_max_colors(attr.get(), 256) != LIQ_OK || liq_set_speed(attr.get(), 4) != LIQ_OK ||
        liq_set_quality(attr.get(), 0, 100) != LIQ_OK)
        return false;
    const TLiqImage image(liq_image_create_custom(attr.get(), RgbaRow, &samples, width, height, 0));
    liq_result* quantised = nullptr;
    if (!image || liq_image_quantize(image.get(), attr.get(), &quantised) != LIQ_OK)
        return false;
    const TResult result(quantised);
    liq_set_dithering_level(result.get(), 1.0f);
    indexed.Indexes.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    if (liq_write_remapped_image(result.get(), image.get(), indexed.Indexes.data(), indexed.Indexes.size()) != LIQ_OK)
        return false;
    const liq_palette* palette = liq_get_palette(result.get());
    for (unsigned i = 0; i < palette->count; ++i) {
        const liq_color& colour = palette->entries[i];
        indexed.Palette.insert(indexed.Palette.end(), {colour.r, colour.g, colour.b});
    }
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
    // Quantising holds the samples and the indexes; encoding the indexes twice, the
    // codes (two bytes a pixel) and the compressed data.
    const std::uint64_t quantising = pixels * (static_cast<std::uint64_t>(bands) + 1);
    const std::uint64_t encoding = pixels * 6;
    return kFixedBytes + std::min(pixels * 16, kLargestColourCache) + std::max(quantising, encoding);
}

// The limit belongs to the calling thread, so it is set where the quantiser is called.
void KeepQuantiserOnThisThread()
{
    omp_set_num_threads(1);
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
