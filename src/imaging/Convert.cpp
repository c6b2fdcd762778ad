#include "imaging/Convert.h"

#include <atomic>
#include <mutex>
#include <exception>
#include <string>
#include <vector>

#include "imaging/ConvertSeam.h"
#include "imaging/Graphics.h"

namespace quillane {

namespace {

struct TFormatInfo {
    std::vector<std::string> extensions;  // sources that already have the format
    std::string mime;
};

const TFormatInfo* FormatInfo(int format) {
    static const TFormatInfo kFormats[] = {
        {{".bmp"}, "image/bmp"},         {{".jpg", ".jpeg"}, "image/jpeg"}, {{".gif"}, "image/gif"},
        {{".png"}, "image/png"},         {{".tif", ".tiff"}, "image/tiff"},
    };
    return format >= ifBmp && format <= ifTiff ? &kFormats[format] : nullptr;
}

bool HasExtension(const TPath& path, const std::vector<std::string>& extensions) {
    const std::string extension = ExtractExtension(path);
    for (const std::string& candidate : extensions) {
        if (SameExtension(extension, candidate)) return true;
    }
    return false;
}

std::atomic<bool> refuseNextJpegSave{false};

bool SaveDecoded(const TPath& source, const TPath& target, int format, bool overwrite) {
    const TFormatInfo* info = FormatInfo(format);
    TEncoderId encoder{};
    if (info != nullptr) EncoderForMime(info->mime, encoder);
    if (format == ifJpeg && refuseNextJpegSave.exchange(false)) return false;
    // The decoded picture itself, first frame of a multi-frame file, is written.
    const TGPImage picture(source);
    return picture.Save(target, encoder, overwrite);
}

// The fixed temporary name is shared by every fallback, so they take turns.
std::mutex fallbackTurn;

bool ConvertThroughBmp(const TPath& source, const TPath& target, bool overwrite) {
    const std::lock_guard<std::mutex> turn(fallbackTurn);
    const TPath temporary = TempFolderPath() + "~quillane_tmp.bmp";
    if (!ConvertImage(source, temporary, ifBmp, true)) return false;
    return ConvertImage(temporary, target, ifJpeg, overwrite);
}

bool Convert(const TPath& source, const TPath& target, int format, bool overwrite) {
    if (!PrepareTarget(target, overwrite)) return false;
    if (SameFile(source, target)) return true;
    const TFormatInfo* info = FormatInfo(format);
    if (info != nullptr && HasExtension(source, info->extensions))
        return CopyFileReplacing(source, target, overwrite);
    if (SaveDecoded(source, target, format, overwrite)) return true;
    // Some TIFFs go to JPEG only by way of a plain bitmap.
    if (format == ifJpeg && HasExtension(source, FormatInfo(ifTiff)->extensions))
        return ConvertThroughBmp(source, target, overwrite);
    return false;
}

}  // namespace

namespace seams {

void RefuseNextJpegSave() { refuseNextJpegSave = true; }

}  // namespace seams

bool ConvertImage(const TPath& source, const TPath& target, int format, bool overwrite) {
    try {
        return Convert(source, target, format, overwrite);
    } catch (const std::exception&) {  // out of memory, or a library error that slipped through
        vips_error_clear();
        return false;
    }
}

}  // namespace quillane
