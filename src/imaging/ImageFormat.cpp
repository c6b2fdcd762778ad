#include "imaging/ImageFormat.h"

#include <array>

namespace quillane {

namespace {

struct TFormatInfo {
    TImageFormat format;
    std::array<const char*, 2> extensions;  // the second may be absent
    const char* mime;
};

// Indexed by the format's value.
constexpr std::array<TFormatInfo, 9> kFormats{{
    {ifBmp, {".bmp", nullptr}, "image/bmp"},
    {ifJpeg, {".jpg", ".jpeg"}, "image/jpeg"},
    {ifGif, {".gif", nullptr}, "image/gif"},
    {ifPng, {".png", nullptr}, "image/png"},
    {ifTiff, {".tif", ".tiff"}, "image/tiff"},
    {ifWebp, {".webp", nullptr}, "image/webp"},
    {ifHeic, {".heic", ".heif"}, "image/heic"},
    {ifAvif, {".avif", nullptr}, "image/avif"},
    {ifJxl, {".jxl", nullptr}, "image/jxl"},
}};

const TFormatInfo& InfoOf(TImageFormat format)
{
    return kFormats[static_cast<std::size_t>(format)];
}

bool NamesFormat(const std::string& extension, const TFormatInfo& info)
{
    for (const char* candidate : info.extensions)
        if (candidate != nullptr && SameExtension(extension, candidate))
            return true;
    return false;
}

}  // namespace

std::optional<TImageFormat> FormatOfValue(int value)
{
    if (value < ifBmp || value > ifJxl)
        return std::nullopt;
    return static_cast<TImageFormat>(value);
}

std::optional<TImageFormat> FormatOfExtension(const TPath& path)
{
    // No two formats share an extension, so the order of the search does not matter.
    const std::string extension = ExtractExtension(path);
    for (const TFormatInfo& info : kFormats)
        if (NamesFormat(extension, info))
            return info.format;
    return std::nullopt;
}

bool HasExtensionOf(const TPath& path, TImageFormat format)
{
    return NamesFormat(ExtractExtension(path), InfoOf(format));
}

std::string MimeOfFormat(TImageFormat format)
{
    return InfoOf(format).mime;
}

TEncoderId EncoderForFormat(TImageFormat format)
{
    TEncoderId encoder{};
    EncoderForMime(MimeOfFormat(format), encoder);
    return encoder;
}

std::optional<TImageFormat> FormatOfEncoder(const TEncoderId& encoder)
{
    for (const TImageCodecInfo& codec : GetImageEncoders())
        if (codec.Clsid == encoder)
            for (const TFormatInfo& info : kFormats)
                if (codec.MimeType == info.mime)
                    return info.format;
    return std::nullopt;
}

}  // namespace quillane
