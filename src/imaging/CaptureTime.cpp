#include "imaging/CaptureTime.h"

#include <cstdio>

#include "imaging/PictureLoading.h"

namespace quillane {

namespace {

// "2019:05:04 12:34:56", as EXIF writes dates; libvips adds a description after it.
std::optional<std::tm> ParseExifDate(const char* text)
{
    std::tm time{};
    if (std::sscanf(text, "%4d:%2d:%2d %2d:%2d:%2d", &time.tm_year, &time.tm_mon, &time.tm_mday, &time.tm_hour,
                    &time.tm_min, &time.tm_sec) != 6 ||
        time.tm_year < 1 || time.tm_mon < 1 || time.tm_mon > 12 || time.tm_mday < 1 || time.tm_mday > 31) {
        return std::nullopt;
    }
    time.tm_year -= 1900;
    time.tm_mon -= 1;
    time.tm_isdst = -1;
    return time;
}

}  // namespace

std::optional<std::tm> CaptureTime(const TPath& file) noexcept
{
    try {
        const loading::TLoaded loaded = loading::LoadPictureFile(file);
        VipsImage* image = loaded.image.get_image();
        if (image == nullptr) {
            return std::nullopt;
        }
        for (const char* field : {"exif-ifd2-DateTimeOriginal", "exif-ifd2-DateTimeDigitized", "exif-ifd0-DateTime"}) {
            const char* text = nullptr;
            if (vips_image_get_typeof(image, field) != 0 && vips_image_get_string(image, field, &text) == 0) {
                if (const auto time = ParseExifDate(text)) {
                    return time;
                }
            }
        }
    } catch (...) {
        vips_error_clear();
    }
    return std::nullopt;
}

}  // namespace quillane
