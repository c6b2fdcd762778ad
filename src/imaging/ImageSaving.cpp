#include "imaging/ImageSaving.h"

#include <cstring>
#include <string_view>

#include "imaging/AtomicFile.h"
#include "imaging/BmpWriter.h"
#include "imaging/GifWriter.h"
#include "imaging/ImageFormat.h"
#include "imaging/LibraryGuard.h"
#include "imaging/MemoryBudget.h"
#include "imaging/Pixels.h"
#include "imaging/PngWriter.h"

namespace quillane {

using vips::VImage;

namespace {

// 8 bits per band, and no alpha band where every pixel is opaque.
VImage PreparePixels(const VImage& image, bool knownOpaque)
{
    const VImage pixels = pixels::ToEightBit(image);
    if (knownOpaque && pixels::HasAlpha(pixels))
        return pixels::WithoutAlpha(pixels);
    return pixels::WithoutNeedlessAlpha(pixels);
}

bool WriteBmp(const VImage& image, TAtomicFile& file)
{
    VImage rgb = image.bands() <= 2 ? image.colourspace(VIPS_INTERPRETATION_sRGB) : image;
    rgb = rgb.cast(VIPS_FORMAT_UCHAR).copy_memory();
    const void* data = vips_image_get_data(rgb.get_image());
    const std::string bytes = EncodeBmp(static_cast<const std::uint8_t*>(data), static_cast<std::uint32_t>(rgb.width()),
                                        static_cast<std::uint32_t>(rgb.height()), rgb.bands());
    return !bytes.empty() && file.Write(bytes.data(), bytes.size());
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
TPngPicture PngPictureOf(const VImage& image)
{
    TPngPicture picture = PngPicture(static_cast<std::uint32_t>(image.width()),
                                     static_cast<std::uint32_t>(image.height()), image.bands());
    const std::size_t rowBytes = VIPS_IMAGE_SIZEOF_LINE(image.get_image());
    pixels::ForEachRow(image, [&](int y, const VipsPel* row) {
        std::memcpy(RowSamples(picture, static_cast<std::uint32_t>(y)), row, rowBytes);
    });
    picture.XPixelsPerMm = image.xres();
    picture.YPixelsPerMm = image.yres();
    if (image.get_typeof(VIPS_META_ICC_NAME) != 0) {
        std::size_t size = 0;
        const void* profile = image.get_blob(VIPS_META_ICC_NAME, &size);
        picture.IccProfile.assign(static_cast<const char*>(profile), size);
    }
    return picture;
}

bool WritePngFile(const VImage& image, TAtomicFile& file)
{
    return WritePng(PngPictureOf(image),
                    [&file](const char* bytes, std::size_t size) { return file.Write(bytes, size); });
}

bool WriteGifFile(VImage image, TAtomicFile& file)
{
    return WriteGif(pixels::HandOver(image),
                    [&file](const char* bytes, std::size_t size) { return file.Write(bytes, size); });
}

// What saving a picture of this size holds at its peak, beyond what the library streams:
// an alpha band whose opacity is to be read brings the picture into memory first.
std::uint64_t SaveNeed(const VImage& image, bool knownOpaque, TImageFormat format)
{
    const std::uint64_t pixels = static_cast<std::uint64_t>(image.width()) * static_cast<std::uint64_t>(image.height());
    const std::uint64_t bands = static_cast<std::uint64_t>(image.bands());
    const std::uint64_t decoded = !knownOpaque && pixels::HasAlpha(image) ? pixels * bands : 0;
    switch (format) {
    case ifGif:
        return decoded + GifEncodeBytes(image.width(), image.height(), image.bands());
    case ifBmp:
        return decoded + pixels * 3 * 2;  // the pixels and the file
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

void WriteWithLibrary(const VImage& image, TImageFormat format, TAtomicFile& file)
{
    vips::VTarget target = vips::VTarget::new_to_descriptor(file.Descriptor());
    switch (format) {
    case ifJpeg: {
        // JPEG has no alpha: what is transparent shows the black of a blank canvas.
        VImage opaque =
            pixels::HasAlpha(image)
                ? image.flatten(VImage::option()->set("background", std::vector<double>{0.0})).cast(VIPS_FORMAT_UCHAR)
                : image;
        opaque.jpegsave_target(target, VImage::option()->set("Q", 75));
        break;
    }
    case ifPng:
        image.pngsave_target(target);
        break;
    case ifGif:
        KeepQuantiserOnThisThread();
        image.gifsave_target(target);
        break;
    case ifTiff:
        image.tiffsave_target(target, VImage::option()->set("compression", VIPS_FOREIGN_TIFF_COMPRESSION_LZW));
        break;
    default:
        break;
    }
}

// A write through our own writers that stopped: the file's error when it has one.
TOutcome StoppedWriting(const TAtomicFile& file)
{
    return file.Error() != 0 ? WriteFailure(file) : TOutcome::Failure(TReason::rsCannotEncode);
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
        // Checked before a pixel is decoded: the library ends the process when it runs out.
        const TMemoryReservation memory(ProcessMemoryBudget(), WorthReserving(SaveNeed(image, knownOpaque, format)));
        if (!memory.Granted())
            return TOutcome::Failure(TReason::rsOutOfMemory);
        VImage pixels = PreparePixels(image, knownOpaque);
        image = VImage();  // the saver below may then let go of the decoder early
        TAtomicFile file(target, overwrite);
        if (!file.IsOpen())
            return WriteFailure(file);
        if (format == ifBmp) {
            if (!WriteBmp(pixels, file))
                return StoppedWriting(file);
        } else if (format == ifPng && pixels.bands() <= 4 && !CarriesTextMetadata(pixels)) {
            if (!WritePngFile(pixels, file))
                return StoppedWriting(file);
        } else if (format == ifGif && (pixels.bands() == 1 || pixels.bands() == 3)) {
            if (!WriteGifFile(pixels::HandOver(pixels), file))
                return StoppedWriting(file);
        } else {
            WriteWithLibrary(pixels, format, file);
        }
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
