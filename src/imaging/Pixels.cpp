#include "imaging/Pixels.h"

#include "imaging/OrcCodeLock.h"
#include "imaging/SmallScaling.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillane::pixels {

using vips::VImage;

namespace {

bool IsGrey(VipsInterpretation interpretation)
{
    return interpretation == VIPS_INTERPRETATION_B_W || interpretation == VIPS_INTERPRETATION_GREY16;
}

bool IsCarriedField(const std::string& name)
{
    if (name == "exif-data" || name == "icc-profile-data" || name == "xmp-data" || name == "iptc-data")
        return true;
    // The upright picture needs no turning, so its orientation entry stays behind.
    const bool orientation = name.find("Orientation") != std::string::npos;
    return name.rfind("exif-ifd", 0) == 0 && !orientation;
}

void* CollectName(VipsImage*, const char* name, GValue*, void* names)
{
    static_cast<std::vector<std::string>*>(names)->push_back(name);
    return nullptr;
}

}  // namespace

std::vector<std::string> FieldNames(const VImage& image)
{
    std::vector<std::string> names;
    vips_image_map(image.get_image(), CollectName, &names);
    return names;
}

bool HasAlpha(const VImage& image)
{
    // CMYK has four colour bands; its alpha would be a fifth.
    if (image.interpretation() == VIPS_INTERPRETATION_CMYK)
        return image.bands() == 5;
    return image.bands() == 2 || image.bands() == 4;
}

VImage ToEightBit(const VImage& image)
{
    const VipsInterpretation guessed = vips_image_guess_interpretation(image.get_image());
    const bool grey = image.bands() <= 2 && (IsGrey(guessed) || guessed == VIPS_INTERPRETATION_MULTIBAND);
    const VipsInterpretation wanted = grey ? VIPS_INTERPRETATION_B_W : VIPS_INTERPRETATION_sRGB;
    VImage result = image;
    if (guessed == VIPS_INTERPRETATION_MULTIBAND) {
        result = result.copy(VImage::option()->set("interpretation", wanted));
    } else if (guessed != wanted || image.format() != VIPS_FORMAT_UCHAR) {
        result = result.colourspace(wanted);
        // A CMYK profile no longer describes the converted pixels.
        if (guessed == VIPS_INTERPRETATION_CMYK)
            result.remove(VIPS_META_ICC_NAME);
    }
    if (result.format() != VIPS_FORMAT_UCHAR)
        result = result.cast(VIPS_FORMAT_UCHAR);
    return result;
}

VImage ToRgb8(const VImage& image)
{
    VImage result = ToEightBit(image);
    if (result.bands() <= 2)
        result = result.colourspace(VIPS_INTERPRETATION_sRGB);
    if (result.bands() > 4)
        result = result.extract_band(0, VImage::option()->set("n", 4));
    if (result.interpretation() == VIPS_INTERPRETATION_sRGB)
        return result;
    return result.copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
}

VImage ToRgba8(const VImage& image)
{
    const VImage result = ToRgb8(image);
    if (result.bands() == 4)
        return result;
    return result.bandjoin_const({255}).copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
}

VImage WithoutAlpha(const VImage& image)
{
    return image.extract_band(0, VImage::option()->set("n", image.bands() - 1));
}

bool AlphaIsOpaque(const VImage& image)
{
    return image.extract_band(image.bands() - 1).min() >= 255.0;
}

VImage WithoutNeedlessAlpha(const VImage& image)
{
    if (!HasAlpha(image) || image.format() != VIPS_FORMAT_UCHAR)
        return image;
    // Decoded once into memory so the alpha test and the resize share one read.
    const VImage decoded = image.copy_memory();
    return AlphaIsOpaque(decoded) ? WithoutAlpha(decoded) : decoded;
}

namespace {

// Every row, computed in this thread, one after another in memory.
std::vector<VipsPel> RowsInMemory(const VImage& image)
{
    const std::size_t line = VIPS_IMAGE_SIZEOF_LINE(image.get_image());
    std::vector<VipsPel> pixels(line * static_cast<std::size_t>(image.height()));
    ForEachRow(image,
               [&](int y, const VipsPel* row) { std::memcpy(&pixels[line * static_cast<std::size_t>(y)], row, line); });
    return pixels;
}

// An image of these pixels, described as `like` is (interpretation, resolution). Its
// header is filled in before anyone else can see it, without an operation of the library.
VImage ImageOfPixels(const void* bytes, std::size_t size, int width, int height, int bands, VipsBandFormat format,
                     const VImage& like)
{
    VipsImage* made = vips_image_new_from_memory_copy(bytes, size, width, height, bands, format);
    if (made == nullptr)
        throw vips::VError();
    made->Type = like.interpretation();
    made->Xres = like.xres();
    made->Yres = like.yres();
    return VImage(made);
}

// 8-bit colour or grey, with or without alpha, made no larger in either direction.
bool IsEightBitMadeNoLarger(const VImage& image, int width, int height)
{
    if (width > image.width() || height > image.height() || image.format() != VIPS_FORMAT_UCHAR)
        return false;
    const VipsInterpretation interpretation = image.interpretation();
    return (interpretation == VIPS_INTERPRETATION_sRGB && (image.bands() == 3 || image.bands() == 4)) ||
           (interpretation == VIPS_INTERPRETATION_B_W && image.bands() <= 2);
}

bool ScalesDownHere(const VImage& image, int width, int height)
{
    return static_cast<std::int64_t>(image.width()) * image.height() < kSmallPicturePixels &&
           IsEightBitMadeNoLarger(image, width, height);
}

// The library's resize sets up a dozen operations, each taking its process-wide locks:
// many times the work of scaling a small picture, which is done here instead, in this
// thread, as the library would (centres kept, a reach that grows with the shrink,
// colour weighted by alpha).
VImage ScaledDownHere(const VImage& image, int width, int height, TKernel kernel)
{
    const std::vector<VipsPel> bytes = RowsInMemory(image);
    const TPixelRows rows{bytes.data(), VIPS_IMAGE_SIZEOF_LINE(image.get_image()), image.bands(), image.width(),
                          image.height()};
    const TScaledPixels scaled = ScaledDown(
        rows, width, height, kernel == TKernel::Bicubic ? TFilter::CatmullRom : TFilter::Triangle, HasAlpha(image));
    return ImageOfPixels(scaled.Bytes.data(), scaled.Bytes.size(), width, height, scaled.Bands, VIPS_FORMAT_UCHAR,
                         image);
}

// Where a picture shrinks to a quarter or less, the library's resize averages boxes of
// pixels down to twice the final size, rounding each average to a level (a box of an
// even number of pixels rounds its halves up), and weighs the rest in 8-bit fixed
// point: on photos 0.8 dB short of a true Catmull-Rom. High quality averages boxes only
// down to four times the final size, exactly, and weighs the rest in floating point,
// both here: within about a tenth of a dB. Here, too, the weighing is centred on the
// picture rather than on its boxes, of which the last may be partial.
constexpr int kWeighedShrinkAtLeast = 4;
constexpr std::int64_t kMostBoxes = 2 * 1024 * 1024;  // held in memory, as floats, while weighed

struct TBoxes {
    int Across = 1;
    int Down = 1;
};

// The boxes to average before weighing here, if this scaling is weighed here.
std::optional<TBoxes> BoxesToWeighHere(const VImage& source, int width, int height, TKernel kernel)
{
    const bool shrinksFourfold =
        source.width() >= kWeighedShrinkAtLeast * width || source.height() >= kWeighedShrinkAtLeast * height;
    if (kernel != TKernel::Bicubic || !shrinksFourfold || HasAlpha(source) ||
        !IsEightBitMadeNoLarger(source, width, height))
        return std::nullopt;
    const TBoxes boxes{std::max(1, source.width() / (width * kWeighedShrinkAtLeast)),
                       std::max(1, source.height() / (height * kWeighedShrinkAtLeast))};
    const std::int64_t count =
        static_cast<std::int64_t>(BoxesAlong(source.width(), boxes.Across)) * BoxesAlong(source.height(), boxes.Down);
    if (count > kMostBoxes)
        return std::nullopt;
    return boxes;
}

VImage WeighedAfterBoxesHere(const VImage& source, int width, int height, TBoxes boxes)
{
    TBoxAverages averages(source.width(), source.height(), source.bands(), boxes.Across, boxes.Down);
    ForEachRow(source, [&](int y, const VipsPel* row) { averages.AddRow(y, row); });
    const TExtent extent{static_cast<double>(source.width()) / boxes.Across,
                         static_cast<double>(source.height()) / boxes.Down};
    const TScaledPixels scaled = ScaledDown(averages, width, height, TFilter::CatmullRom, extent);
    return ImageOfPixels(scaled.Bytes.data(), scaled.Bytes.size(), width, height, scaled.Bands, VIPS_FORMAT_UCHAR,
                         source);
}

}  // namespace

VImage ResizeTo(const VImage& image, int width, int height, TKernel kernel)
{
    if (image.width() == width && image.height() == height)
        return image;
    if (ScalesDownHere(image, width, height))
        return ScaledDownHere(image, width, height, kernel);
    const TPlainLoops plain(static_cast<std::int64_t>(image.width()) * image.height() < kSmallPicturePixels);
    const VipsKernel vipsKernel = kernel == TKernel::Bicubic ? VIPS_KERNEL_CUBIC : VIPS_KERNEL_LINEAR;
    const VImage source = WithoutNeedlessAlpha(image);
    if (const std::optional<TBoxes> boxes = BoxesToWeighHere(source, width, height, kernel))
        return WeighedAfterBoxesHere(source, width, height, *boxes);
    const bool alpha = HasAlpha(source);
    const VipsBandFormat format = source.format();
    VImage scaled = alpha ? source.premultiply() : source;
    scaled = scaled.resize(
        static_cast<double>(width) / image.width(),
        VImage::option()->set("vscale", static_cast<double>(height) / image.height())->set("kernel", vipsKernel));
    if (alpha)
        scaled = scaled.unpremultiply();
    // Round rather than truncate back to the integer format.
    if (scaled.format() != format)
        scaled = (scaled + 0.5).cast(format);
    return FitExactly(scaled, width, height);
}

VImage FitExactly(const VImage& image, int width, int height)
{
    if (image.width() == width && image.height() == height)
        return image;
    VImage result = image;
    if (result.width() < width || result.height() < height)
        result = result.embed(0, 0, std::max(width, result.width()), std::max(height, result.height()),
                              VImage::option()->set("extend", VIPS_EXTEND_COPY));
    return result.crop(0, 0, width, height);
}

void ForEachRow(const VImage& image, const std::function<void(int, const VipsPel*)>& take)
{
    constexpr int kStripHeight = 64;  // keeps the region's own buffer small
    const vips::VRegion region = vips::VRegion::new_from_image(image);
    for (int top = 0; top < image.height(); top += kStripHeight) {
        const int height = std::min(kStripHeight, image.height() - top);
        region.prepare(0, top, image.width(), height);
        for (int y = top; y < top + height; ++y)
            take(y, region.addr(0, y));
    }
}

VImage ComputedInThisThread(const VImage& image)
{
    const std::vector<VipsPel> pixels = RowsInMemory(image);
    return WithMetadataOf(ImageOfPixels(pixels.data(), pixels.size(), image.width(), image.height(), image.bands(),
                                        image.format(), image),
                          image);
}

VImage WithMetadataOf(const VImage& target, const VImage& source)
{
    const std::vector<std::string> names = FieldNames(source);
    VImage result = target.copy();
    for (const std::string& name : names) {
        if (!IsCarriedField(name))
            continue;
        GValue value = G_VALUE_INIT;
        if (vips_image_get(source.get_image(), name.c_str(), &value) != 0)
            continue;
        vips_image_set(result.get_image(), name.c_str(), &value);
        g_value_unset(&value);
    }
    // The EXIF block still holds the stored orientation; the saver rewrites it from this.
    if (result.get_typeof(VIPS_META_EXIF_NAME) != 0)
        result.set(VIPS_META_ORIENTATION, 1);
    return result;
}

}  // namespace quillane::pixels
