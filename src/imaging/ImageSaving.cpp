#include "imaging/ImageSaving.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "imaging/AtomicFile.h"
#include "imaging/BmpWriter.h"
#include "imaging/GifWriter.h"
#include "imaging/ImageFormat.h"
#include "imaging/LibraryGuard.h"
#include "imaging/MemoryBudget.h"
#include "imaging/OutputMetadata.h"
#include "imaging/OutputSettings.h"
#include "imaging/Pixels.h"
#include "imaging/PngWriter.h"
#include "imaging/TiffExif.h"

namespace quillane {

using vips::VImage;

namespace {

// A JPEG keeps no alpha: its saver flattens the picture on black, which leaves opaque
// pixels exactly as they are, so nothing is decoded first to learn whether any is not.
bool FlattensAlpha(TImageFormat format)
{
    return format == ifJpeg;
}

// 8 bits per band, and no alpha band where every pixel is opaque.
VImage PreparePixels(const VImage& image, bool knownOpaque, TImageFormat format)
{
    const VImage pixels = pixels::ToEightBit(image);
    if (knownOpaque && pixels::HasAlpha(pixels))
        return pixels::WithoutAlpha(pixels);
    return FlattensAlpha(format) ? pixels : pixels::WithoutNeedlessAlpha(pixels);
}

constexpr std::uint64_t kBmpStripBytes = std::uint64_t{4} << 20;

// Rows are decoded top to bottom and stored bottom-up: each strip of rows goes to its
// place in the file once complete, and the disk starts on it while the next strip is
// decoded. The picture is never held whole.
bool WriteBmp(const VImage& image, TAtomicFile& file)
{
    VImage rgb = image.bands() <= 2 ? image.colourspace(VIPS_INTERPRETATION_sRGB) : image;
    rgb = rgb.cast(VIPS_FORMAT_UCHAR);
    const auto width = static_cast<std::uint32_t>(rgb.width());
    const auto height = static_cast<std::uint32_t>(rgb.height());
    const TBmpLayout layout = BmpLayout(width, height, rgb.bands());
    if (layout.Header.empty() || !file.Write(layout.Header.data(), layout.Header.size()))
        return false;
    const std::uint32_t rowsPerStrip =
        static_cast<std::uint32_t>(std::clamp<std::uint64_t>(kBmpStripBytes / layout.RowSize, 1, height));
    std::vector<std::uint8_t> strip(static_cast<std::size_t>(rowsPerStrip * layout.RowSize));
    std::uint32_t stripTop = 0;
    bool written = true;
    pixels::ForEachRow(rgb, [&](int row, const VipsPel* pels) {
        const auto y = static_cast<std::uint32_t>(row);
        const std::uint32_t stripBottom = std::min(height, stripTop + rowsPerStrip) - 1;
        if (!written)
            return;
        // Within the strip, as in the file, the bottom row comes first.
        PutBmpRow(pels, width, rgb.bands(), layout, &strip[(stripBottom - y) * layout.RowSize]);
        if (y < stripBottom)
            return;
        const std::uint64_t size = (stripBottom - stripTop + 1) * layout.RowSize;
        written = file.WriteAt(layout.RowOffset(stripBottom), strip.data(), static_cast<std::size_t>(size));
        file.StartWriting(layout.RowOffset(stripBottom), size);
        stripTop = stripBottom + 1;
    });
    return written;
}

// EXIF, XMP and IPTC data go through the library's saver, which also brings the EXIF
// block in line with the picture it now describes (size, orientation).
bool CarriesTextMetadata(const VImage& image)
{
    for (const char* name : {VIPS_META_EXIF_NAME, VIPS_META_XMP_NAME, VIPS_META_IPTC_NAME})
        if (image.get_typeof(name) != 0)
            return true;
    return false;
}

// The picture's rows, computed strip by strip, are the one full copy of its pixels.
TPngPicture PngPictureOf(const VImage& image, int compressionLevel)
{
    TPngPicture picture = PngPicture(static_cast<std::uint32_t>(image.width()),
                                     static_cast<std::uint32_t>(image.height()), image.bands());
    const std::size_t rowBytes = VIPS_IMAGE_SIZEOF_LINE(image.get_image());
    pixels::ForEachRow(image, [&](int y, const VipsPel* row) {
        std::memcpy(RowSamples(picture, static_cast<std::uint32_t>(y)), row, rowBytes);
    });
    picture.XPixelsPerMm = image.xres();
    picture.YPixelsPerMm = image.yres();
    picture.CompressionLevel = compressionLevel;
    if (image.get_typeof(VIPS_META_ICC_NAME) != 0) {
        std::size_t size = 0;
        const void* profile = image.get_blob(VIPS_META_ICC_NAME, &size);
        picture.IccProfile.assign(static_cast<const char*>(profile), size);
    }
    return picture;
}

bool WritePngFile(const VImage& image, int compressionLevel, TAtomicFile& file)
{
    return WritePng(PngPictureOf(image, compressionLevel),
                    [&file](const char* bytes, std::size_t size) { return file.Write(bytes, size); });
}

// The encoder hands over its headers and blocks a few bytes at a time and the picture's
// data in one piece: the small pieces reach the file together, the large one as it is.
bool WriteGifFile(VImage image, TAtomicFile& file)
{
    constexpr std::size_t kBlockBytes = 64 << 10;
    std::string pending;
    const auto flush = [&] {
        const bool written = file.Write(pending.data(), pending.size());
        pending.clear();
        return written;
    };
    const bool encoded = WriteGif(pixels::HandOver(image), [&](const char* bytes, std::size_t size) {
        if (pending.size() + size < kBlockBytes) {
            pending.append(bytes, size);
            return true;
        }
        return flush() && file.Write(bytes, size);
    });
    return encoded && flush();
}

// What saving a picture of this size holds at its peak, beyond what the library streams:
// an alpha band whose opacity is to be read brings the picture into memory first.
std::uint64_t SaveNeed(const VImage& image, bool knownOpaque, TImageFormat format)
{
    const std::uint64_t pixels = static_cast<std::uint64_t>(image.width()) * static_cast<std::uint64_t>(image.height());
    const std::uint64_t bands = static_cast<std::uint64_t>(image.bands());
    const std::uint64_t decoded =
        !knownOpaque && pixels::HasAlpha(image) && !FlattensAlpha(format) ? pixels * bands : 0;
    switch (format) {
    case ifGif:
        return decoded + GifEncodeBytes(image.width(), image.height(), image.bands());
    case ifBmp:
        return decoded + std::min(pixels * 4, kBmpStripBytes);  // a strip of rows
    case ifPng:
        return decoded + pixels * bands * 2;  // the rows and their deflated copy
    default:
        return decoded;  // streamed by the library
    }
}

// A picture this small is never what runs a process out of memory, and asking the
// system what is left for every small thumbnail would cost more than the thumbnail.
std::uint64_t WorthReserving(std::uint64_t need)
{
    constexpr std::uint64_t kReservedFrom = std::uint64_t{16} << 20;
    return need >= kReservedFrom ? need : 0;
}

// JPEG has no alpha: what is transparent shows the black of a blank canvas.
VImage WithoutAlphaOnBlack(const VImage& image)
{
    if (!pixels::HasAlpha(image))
        return image;
    return image.flatten(VImage::option()->set("background", std::vector<double>{0.0})).cast(VIPS_FORMAT_UCHAR);
}

// The JPEG XL saver's lowest effort; 0 to 2 ask for the fastest it has.
constexpr int kJxlLowestEffort = 3;

// HEIC and AVIF share one saver; the codec tells them apart.
void WriteHeif(const VImage& image, vips::VTarget& target, VipsForeignHeifCompression codec, int quality, int effort,
               bool strip)
{
    image.heifsave_target(
        target,
        VImage::option()->set("compression", codec)->set("Q", quality)->set("effort", effort)->set("strip", strip));
}

// The WebP saver of libvips 8.14 writes an EXIF chunk even when told to strip: a
// stripped file is made in memory and the chunk taken out again.
void WriteWebp(const VImage& image, vips::VTarget& target, const TOutputSettings& settings, TAtomicFile& file)
{
    vips::VOption* options = VImage::option()->set("Q", settings.WebpQuality)->set("lossless", settings.Lossless);
    if (settings.Metadata != TMetadataMode::mdStrip) {
        image.webpsave_target(target, options);
        return;
    }
    const std::unique_ptr<VipsBlob, void (*)(VipsBlob*)> saved(
        image.webpsave_buffer(options->set("strip", true)), [](VipsBlob* blob) { vips_area_unref(VIPS_AREA(blob)); });
    std::size_t size = 0;
    const void* data = vips_blob_get(saved.get(), &size);
    const std::string bytes = metadata::WebpWithoutExif(std::string_view(static_cast<const char*>(data), size));
    if (bytes.empty() || !file.Write(bytes.data(), bytes.size()))
        throw vips::VError("webpsave: the file without its metadata could not be written\n");
}

void WriteWithLibrary(const VImage& image, TImageFormat format, const TOutputSettings& settings, TAtomicFile& file)
{
    vips::VTarget target = vips::VTarget::new_to_descriptor(file.Descriptor());
    // Without it a saver makes up an EXIF block of its own for a picture that has none.
    const bool strip = settings.Metadata == TMetadataMode::mdStrip;
    switch (format) {
    case ifJpeg:
        WithoutAlphaOnBlack(image).jpegsave_target(
            target, VImage::option()->set("Q", settings.JpegQuality)->set("strip", strip));
        break;
    case ifPng:
        image.pngsave_target(target,
                             VImage::option()->set("compression", settings.PngCompression)->set("strip", strip));
        break;
    case ifGif:
        KeepQuantiserOnThisThread();
        image.gifsave_target(target);
        break;
    case ifTiff:
        image.tiffsave_target(
            target, VImage::option()->set("compression", VIPS_FOREIGN_TIFF_COMPRESSION_LZW)->set("strip", strip));
        break;
    case ifWebp:
        WriteWebp(image, target, settings, file);
        break;
    case ifHeic:
        WriteHeif(image, target, VIPS_FOREIGN_HEIF_COMPRESSION_HEVC, settings.HeicQuality, settings.HeicEffort, strip);
        break;
    case ifAvif:
        WriteHeif(image, target, VIPS_FOREIGN_HEIF_COMPRESSION_AV1, settings.AvifQuality, settings.AvifEffort, strip);
        break;
    case ifJxl:
        // The library takes efforts from 3 up; below that it would silently keep its slow 7.
        image.jxlsave_target(target, VImage::option()
                                         ->set("Q", settings.JxlQuality)
                                         ->set("lossless", settings.Lossless)
                                         ->set("effort", std::max(settings.JxlEffort, kJxlLowestEffort))
                                         ->set("strip", strip));
        break;
    default:
        break;
    }
}

// The library's TIFF saver writes no EXIF: it is added to the written file.
bool AddTiffExif(const VImage& image, const TAtomicFile& file)
{
    if (image.get_typeof(VIPS_META_EXIF_NAME) == 0)
        return true;
    std::size_t size = 0;
    const void* block = image.get_blob(VIPS_META_EXIF_NAME, &size);
    return tiffexif::AddExif(file.TemporaryPath(), std::string(static_cast<const char*>(block), size));
}

// A write through our own writers that stopped: the file's error when it has one.
TOutcome StoppedWriting(const TAtomicFile& file)
{
    return file.Error() != 0 ? WriteFailure(file) : TOutcome::Failure(TReason::rsCannotEncode);
}

// Encodes the picture into the file: a failure, or nothing once every byte is written.
// The pixels and their memory are let go of on return, before the commit waits for the disk.
std::optional<TOutcome> Encode(VImage image, bool knownOpaque, TImageFormat format, TAtomicFile& file)
{
    // Checked before a pixel is decoded: the library ends the process when it runs out.
    const TMemoryReservation memory(ProcessMemoryBudget(), WorthReserving(SaveNeed(image, knownOpaque, format)));
    if (!memory.Granted())
        return TOutcome::Failure(TReason::rsOutOfMemory);
    const TOutputSettings& settings = CurrentOutputSettings();
    VImage pixels = metadata::ForOutput(PreparePixels(image, knownOpaque, format), settings.Metadata);
    image = VImage();  // the saver below may then let go of the decoder early
    if (format == ifBmp) {
        if (!WriteBmp(pixels, file))
            return StoppedWriting(file);
    } else if (format == ifPng && pixels.bands() <= 4 && !CarriesTextMetadata(pixels)) {
        if (!WritePngFile(pixels, settings.PngCompression, file))
            return StoppedWriting(file);
    } else if (format == ifGif && (pixels.bands() == 1 || pixels.bands() == 3)) {
        if (!WriteGifFile(pixels::HandOver(pixels), file))
            return StoppedWriting(file);
    } else {
        WriteWithLibrary(pixels, format, settings, file);
        if (format == ifTiff && !AddTiffExif(pixels, file))
            return TOutcome::Failure(TReason::rsCannotEncode, "the EXIF data could not be added to the TIFF file");
    }
    return std::nullopt;
}

}  // namespace

TOutcome SaveImage(VImage image, bool knownOpaque, const TPath& target, const TEncoderId& encoder, bool overwrite)
{
    const std::optional<TImageFormat> known = FormatOfEncoder(encoder);
    if (!known)
        return TOutcome::Failure(TReason::rsUnknownFormat);
    const TImageFormat format = *known;
    if (image.get_image() == nullptr)
        return TOutcome::Failure(TReason::rsDamaged);
    try {
        TAtomicFile file(target, overwrite);
        if (!file.IsOpen())
            return WriteFailure(file);
        if (std::optional<TOutcome> failed = Encode(pixels::HandOver(image), knownOpaque, format, file))
            return std::move(*failed);
        return file.Commit() ? TOutcome::Success() : WriteFailure(file);
    } catch (const vips::VError& error) {
        // Pixels are decoded as they are written: an error the savers ("jpegsave",
        // "vips2tiff", ...) did not name is damage in the source's data.
        const std::string_view text = error.what();
        const bool encoding = text.find("save") != text.npos || text.find("vips2") != text.npos;
        return LibraryFailure(error, encoding ? TReason::rsCannotEncode : TReason::rsDamaged);
    } catch (const std::bad_alloc&) {
        return TOutcome::Failure(TReason::rsOutOfMemory);
    } catch (const std::exception& error) {
        return FailureWithText(TReason::rsUnexpected, error.what());
    }
}

}  // namespace quillane
