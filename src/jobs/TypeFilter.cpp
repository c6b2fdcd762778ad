#include "jobs/TypeFilter.h"

#include <algorithm>

namespace quillane {

namespace {

bool IsUtf8Continuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The last `count` characters, counting a UTF-8 sequence as one character.
std::string_view LastCharacters(std::string_view text, int count)
{
    std::size_t start = text.size();
    while (start > 0 && count > 0) {
        --start;
        if (!IsUtf8Continuation(text[start])) {
            --count;
        }
    }
    return text.substr(start);
}

std::string AsciiUpper(std::string_view text)
{
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
    return upper;
}

}  // namespace

const std::vector<std::string>& TypeCaptions()
{
    static const std::vector<std::string> captions{
        "JPEG (*.JPG;*.JPEG)",
        "PNG (*.PNG)",
        "BMP (*.BMP)",
        "GIF (*.GIF)",
        "TIFF (*.TIF;*.TIFF)",
        "WEBP (*.WEBP)",
        "HEIC (*.HEIC;*.HEIF)",
        "AVIF (*.AVIF)",
        // Not "JPEG XL": the test searches captions, and "JPEG" would let .jpeg files in.
        "JXL (*.JXL)",
    };
    return captions;
}

bool MatchesCheckedType(std::string_view name, const std::vector<std::string>& checkedCaptions)
{
    const std::string searched = AsciiUpper(LastCharacters(name, 4));
    return std::any_of(checkedCaptions.begin(), checkedCaptions.end(),
                       [&](const std::string& caption) { return caption.find(searched) != std::string::npos; });
}

bool IsTiffPath(std::string_view path)
{
    const auto slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos) {
        return false;
    }
    const std::string extension = AsciiUpper(name.substr(dot));
    return extension == ".TIF" || extension == ".TIFF";
}

}  // namespace quillane
