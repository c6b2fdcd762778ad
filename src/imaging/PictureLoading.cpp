#include "imaging/PictureLoading.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <optional>

#include "imaging/DiskWait.h"
#include "imaging/FreedMemory.h"
#include "imaging/ImageFormat.h"
#include "imaging/PictureChecks.h"
#include "imaging/PlainBmp.h"
#include "imaging/Pixels.h"
#include "imaging/ProgressiveJpeg.h"

namespace quillane::loading {

using vips::VImage;
using vips::VSource;

namespace {

// 16384 x 16384 pixels; more is a lie or beyond what one picture at a time may
// take (the README promises this limit).
constexpr std::int64_t kLargestPixelCount = std::int64_t{16384} * 16384;

// The brand of an ISO media file ("ftyp" box) that names AVIF rather than HEIC: the
// major brand, or a compatible brand of a file whose major brand is the generic "mif1".
bool BrandsNameAvif(const std::string& head)
{
    const std::string major = head.substr(8, 4);
    if (major == "avif" || major == "avis")
        return true;
    for (std::size_t at = 16; at + 4 <= head.size(); at += 4)
        if (head.compare(at, 4, "avif") == 0)
            return true;
    return false;
}

// The format the first bytes announce, whatever the name says; none for anything else.
std::optional<TImageFormat> FormatOfContent(const std::string& head)
{
    auto starts = [&head](const std::string& magic) { return head.compare(0, magic.size(), magic) == 0; };
    auto at = [&head](std::size_t offset, const std::string& magic) {
        return head.size() >= offset + magic.size() && head.compare(offset, magic.size(), magic) == 0;
    };
    if (starts("\xFF\xD8\xFF"))
        return ifJpeg;
    if (starts("\x89PNG\r\n\x1A\n"))
        return ifPng;
    if (starts("GIF87a") || starts("GIF89a"))
        return ifGif;
    if (starts(std::string("II*\0", 4)) || starts(std::string("MM\0*", 4)))
        return ifTiff;
    if (starts("BM"))
        return ifBmp;
    if (starts("RIFF") && at(8, "WEBP"))
        return ifWebp;
    if (at(4, "ftyp") && head.size() >= 12)
        return BrandsNameAvif(head) ? ifAvif : ifHeic;
    if (starts("\xFF\x0A") || starts(std::string("\0\0\0\x0CJXL \r\n\x87\n", 12)))
        return ifJxl;
    return std::nullopt;
}

// Enough for the signatures above and the first brands of an ISO media file.
constexpr std::size_t kHeadSize = 32;

std::string FileHead(const TPath& file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    char head[kHeadSize] = {};
    const ssize_t got = ::read(fd, head, sizeof head);
    ::close(fd);
    return got > 0 ? std::string(head, static_cast<std::size_t>(got)) : std::string();
}

// Decoding errors and truncation fail the load (or the later read of the pixels)
// rather than giving a grey-filled picture. A JPEG may be decoded at 1/shrink of
// its size.
VImage LoadStream(TImageFormat format, const VSource& source, VipsAccess access, int jpegShrink = 1)
{
    vips::VOption* options = VImage::option()->set("access", access)->set("fail_on", VIPS_FAIL_ON_ERROR);
    switch (format) {
    case ifJpeg:
        return VImage::jpegload_source(source, options->set("shrink", jpegShrink));
    case ifPng:
        return VImage::pngload_source(source, options);
    case ifGif:
        return VImage::gifload_source(source, options);
    case ifWebp:
        return VImage::webpload_source(source, options);
    case ifHeic:
    case ifAvif:
        return VImage::heifload_source(source, options);
    case ifJxl:
        return VImage::jxlload_source(source, options);
    default:
        return VImage::tiffload_source(source, options);
    }
}

bool Plausible(const VImage& image)
{
    return image.width() > 0 && image.height() > 0 &&
           std::int64_t{image.width()} * image.height() <= kLargestPixelCount;
}

int Orientation(const VImage& image)
{
    return image.get_typeof(VIPS_META_ORIENTATION) == 0 ? 1 : image.get_int(VIPS_META_ORIENTATION);
}

bool NeedsTurning(const VImage& image)
{
    const int orientation = Orientation(image);
    return orientation >= 2 && orientation <= 8;
}

// Streams the picture top to bottom when it is already upright; a turned picture
// is read in another order, so it is opened for random access and turned.
VImage LoadUpright(TImageFormat format, const std::function<VSource()>& open)
{
    const VImage image = LoadStream(format, open(), VIPS_ACCESS_SEQUENTIAL);
    if (!Plausible(image))
        return VImage();
    if (!NeedsTurning(image))
        return image;
    return LoadStream(format, open(), VIPS_ACCESS_RANDOM).autorot();
}

VImage MagickDecode(const std::string& bytes)
{
    VipsBlob* blob = vips_blob_copy(bytes.data(), bytes.size());
    VImage image;
    try {
        image = VImage::magickload_buffer(blob, VImage::option()->set("fail_on", VIPS_FAIL_ON_ERROR));
    } catch (...) {
        vips_area_unref(VIPS_AREA(blob));
        throw;
    }
    vips_area_unref(VIPS_AREA(blob));
    return image;
}

// BMP has no streaming decoder here: it is decoded at once from the bytes, the
// commonest kind by our own decoder, the rest by ImageMagick.
VImage DecodeBmp(const std::string& bytes)
{
    const std::optional<VImage> plain = DecodePlainBmp(bytes);
    VImage image = plain ? *plain : MagickDecode(bytes);
    if (!Plausible(image))
        return VImage();
    image = image.copy_memory();
    return NeedsTurning(image) ? image.autorot() : image;
}

TLoaded Refused(TReason reason)
{
    TLoaded refused;
    refused.refusal = reason;
    return refused;
}

// A decoded picture, or the size refusal when the decoder gave none.
TLoaded Decoded(const VImage& image, bool streamable)
{
    if (image.get_image() == nullptr)
        return Refused(TReason::rsTooLarge);
    const std::int64_t pixels = static_cast<std::int64_t>(image.width()) * image.height();
    NotePictureOpened(pixels);
    KeepFreedMemoryOnceLarge(pixels);
    return {image, streamable};
}

}  // namespace

TLoaded LoadPictureFile(const TPath& file)
{
    // Also keeps a FIFO or a device from ever being opened for reading. Why a file
    // failed is asked only then, so a good file is opened no more often than before.
    if (!FileLooksComplete(file)) {
        const TReason unreadable = SourceFileReason(file);
        return Refused(unreadable != TReason::rsNone ? unreadable : TReason::rsDamaged);
    }
    const std::optional<TImageFormat> format = FormatOfContent(FileHead(file));
    if (!format)
        return Refused(TReason::rsUnsupported);
    if (*format == ifBmp) {
        std::string bytes;
        if (!ReadWholeFile(file, bytes))
            return Refused(TReason::rsSourceUnreadable);
        return LoadPictureBytes(bytes);
    }
    return Decoded(LoadUpright(*format, [&file] { return VSource::new_from_file(file.c_str()); }), true);
}

TLoaded LoadPictureBytes(const std::string& bytes)
{
    if (!LooksComplete(bytes))
        return Refused(TReason::rsDamaged);
    const std::optional<TImageFormat> format = FormatOfContent(bytes.substr(0, kHeadSize));
    if (!format)
        return Refused(TReason::rsUnsupported);
    if (*format == ifBmp)
        return Decoded(DecodeBmp(bytes), false);
    // The blob keeps a copy of the bytes for as long as the picture's sources need it.
    VipsBlob* blob = vips_blob_copy(bytes.data(), bytes.size());
    TLoaded loaded;
    try {
        loaded.image = LoadUpright(*format, [blob] { return VSource(vips_source_new_from_blob(blob)); });
    } catch (...) {
        vips_area_unref(VIPS_AREA(blob));
        throw;
    }
    vips_area_unref(VIPS_AREA(blob));
    return Decoded(loaded.image, false);
}

namespace {

// The decoder scales a JPEG by 1/2, 1/4 or 1/8 for little more than the cost of
// reading its data: take the smallest scale that still leaves the resize after it to
// shrink by at least `leftToShrink` in both directions (and so by less than twice that).
int JpegShrinkFor(int uprightWidth, int uprightHeight, int width, int height, double leftToShrink)
{
    const double factor =
        std::min(static_cast<double>(uprightWidth) / width, static_cast<double>(uprightHeight) / height) / leftToShrink;
    int shrink = 8;
    while (shrink > 1 && shrink > factor)
        shrink /= 2;
    return shrink;
}

VImage ResizedTo(const VImage& image, int width, int height)
{
    const double hscale = static_cast<double>(width) / image.width();
    const double vscale = static_cast<double>(height) / image.height();
    if (hscale == 1.0 && vscale == 1.0)
        return image;
    return image.resize(hscale, VImage::option()->set("vscale", vscale));
}

// A progressive JPEG at 1/8, read only as far as the scans its pixels need, with the
// header's metadata and still as stored; no image when it takes the usual decoder.
VImage ProgressiveAtEighth(const TPath& file, const VImage& header)
{
    jpeg::TEighthPicture picture;
    switch (jpeg::DecodeProgressiveAtEighth(file, picture)) {
    case jpeg::TEighthResult::NotApplicable:
        return VImage();
    case jpeg::TEighthResult::Damaged:
        throw vips::VError("damaged JPEG");
    case jpeg::TEighthResult::Decoded:
        break;
    }
    VipsImage* copy = vips_image_new_from_memory_copy(picture.Pixels.data(), picture.Pixels.size(), picture.Width,
                                                      picture.Height, picture.Bands, VIPS_FORMAT_UCHAR);
    if (copy == nullptr)
        throw vips::VError();
    const VImage decoded(copy);
    const VImage described = decoded.copy(
        VImage::option()
            ->set("interpretation", picture.Bands == 1 ? VIPS_INTERPRETATION_B_W : VIPS_INTERPRETATION_sRGB)
            ->set("xres", header.xres())
            ->set("yres", header.yres()));
    VImage result = pixels::WithMetadataOf(described, header);
    result.set(VIPS_META_ORIENTATION, Orientation(header));
    return result;
}

int JpegShrinkOf(const VImage& header, int width, int height, double leftToShrink)
{
    const bool sideways = Orientation(header) >= 5 && Orientation(header) <= 8;
    return sideways ? JpegShrinkFor(header.height(), header.width(), width, height, leftToShrink)
                    : JpegShrinkFor(header.width(), header.height(), width, height, leftToShrink);
}

// The JPEG decoded at 1/shrink of its size, upright.
VImage JpegAtShrink(const TPath& file, const VImage& header, int shrink)
{
    const bool turned = NeedsTurning(header);
    VImage image = shrink == 8 ? ProgressiveAtEighth(file, header) : VImage();
    if (image.get_image() == nullptr)
        image = LoadStream(ifJpeg, VSource::new_from_file(file.c_str()),
                           turned ? VIPS_ACCESS_RANDOM : VIPS_ACCESS_SEQUENTIAL, shrink);
    return turned ? image.autorot() : image;
}

// The header of a JPEG file in colour or grey; no image for CMYK, which goes through the
// library's thumbnailer, which also brings it into sRGB with its profile.
VImage ColourJpegHeader(const TPath& file)
{
    const VImage header = LoadStream(ifJpeg, VSource::new_from_file(file.c_str()), VIPS_ACCESS_SEQUENTIAL);
    return header.bands() == 1 || header.bands() == 3 ? header : VImage();
}

VImage LibraryThumbnail(const VImage& picture, int width, int height)
{
    return picture.thumbnail_image(width, VImage::option()->set("height", height)->set("size", VIPS_SIZE_FORCE));
}

// The library's thumbnailer scales a picture with alpha premultiplied, in floating point
// and at full size: several times the work of decoding a PNG. Most such pictures are
// opaque throughout. So the picture is first scaled as it is stored, alpha and all, in
// 8 bits. Where the scaled alpha is opaque everywhere, what lies under any transparent
// pixel weighs less than half a level in every thumbnail pixel, and the colour alone is
// the thumbnail. Otherwise no image: the picture is then read again and scaled
// premultiplied. Only for upright pictures (a turn needs the file read in another order).
VImage OpaqueThumbnail(const VImage& picture, int width, int height)
{
    if (!pixels::HasAlpha(picture) || picture.format() != VIPS_FORMAT_UCHAR || NeedsTurning(picture))
        return VImage();
    const VImage scaled = pixels::ComputedInThisThread(ResizedTo(picture, width, height));
    return pixels::AlphaIsOpaque(scaled) ? pixels::WithoutAlpha(scaled) : VImage();
}

}  // namespace

VImage ThumbnailFromFile(const TPath& file, int width, int height)
{
    const std::optional<TImageFormat> format = FormatOfContent(FileHead(file));
    const VImage jpeg = format == ifJpeg ? ColourJpegHeader(file) : VImage();
    if (jpeg.get_image() != nullptr)
        return ResizedTo(JpegAtShrink(file, jpeg, JpegShrinkOf(jpeg, width, height, 1.0)), width, height);
    // Formats the thumbnailer cannot shrink while decoding: opened once for both ways.
    if (format == ifPng || format == ifGif) {
        const VImage picture = LoadStream(*format, VSource::new_from_file(file.c_str()), VIPS_ACCESS_SEQUENTIAL);
        if (!pixels::HasAlpha(picture))
            return LibraryThumbnail(picture, width, height);
        const VImage opaque = OpaqueThumbnail(picture, width, height);
        if (opaque.get_image() != nullptr)
            return opaque;
    }
    return VImage::thumbnail_source(
        VSource::new_from_file(file.c_str()), width,
        VImage::option()->set("height", height)->set("size", VIPS_SIZE_FORCE)->set("option_string", "fail_on=error"));
}

VImage ShrunkForScaling(const TPath& file, int uprightWidth, int uprightHeight, int width, int height)
{
    // Decided before the file is opened: most scalings of small pictures shrink too little.
    const int shrink = JpegShrinkFor(uprightWidth, uprightHeight, width, height, 2.0);
    if (shrink == 1)
        return VImage();
    const VImage jpeg = FormatOfContent(FileHead(file)) == ifJpeg ? ColourJpegHeader(file) : VImage();
    return jpeg.get_image() == nullptr ? VImage() : JpegAtShrink(file, jpeg, shrink);
}

}  // namespace quillane::loading
