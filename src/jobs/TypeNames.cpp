#include "jobs/TypeNames.h"

#include <array>

#include "imaging/ImageFormat.h"
#include "jobs/ConvertJob.h"

namespace quillane {

namespace {

// The format of each entry of the type list, in list order.
constexpr std::array<TImageFormat, 9> kTypeFormats{ifJpeg, ifPng, ifBmp, ifGif, ifTiff, ifWebp, ifHeic, ifAvif, ifJxl};

std::optional<TImageFormat> FormatNamed(std::string_view name)
{
    if (name.empty() || name.find_first_of("./") != std::string_view::npos)
        return std::nullopt;
    return FormatOfExtension("." + std::string(name));
}

}  // namespace

const std::vector<std::string>& TypeNames()
{
    static const std::vector<std::string> names{"jpeg", "png", "bmp", "gif", "tiff", "webp", "heic", "avif", "jxl"};
    return names;
}

std::optional<int> TypeIndexNamed(std::string_view name)
{
    const std::optional<TImageFormat> format = FormatNamed(name);
    for (std::size_t i = 0; format && i < kTypeFormats.size(); ++i)
        if (kTypeFormats[i] == *format)
            return static_cast<int>(i);
    return std::nullopt;
}

const std::vector<std::string>& ConvertTargetNames()
{
    static const std::vector<std::string> names{"jpg", "bmp", "gif", "png", "tif", "webp", "avif", "heic", "jxl"};
    return names;
}

std::optional<int> ConvertTargetNamed(std::string_view name)
{
    const std::optional<TImageFormat> format = FormatNamed(name);
    for (int i = 0; format && ConvertTargetAt(i); ++i)
        if (ConvertTargetAt(i)->Format == *format)
            return i;
    return std::nullopt;
}

}  // namespace quillane
