#include "jobs/WatermarkValues.h"

#include <charconv>
#include <cmath>

#include "jobs/FieldText.h"

namespace quillane {

TGPFont MakeGraphicsFont(const TWatermarkFont& font)
{
    std::int32_t style = fsRegular;
    style |= font.Bold ? fsBold : fsRegular;
    style |= font.Italic ? fsItalic : fsRegular;
    style |= font.Underline ? fsUnderline : fsRegular;
    style |= font.StrikeOut ? fsStrikeout : fsRegular;
    return TGPFont(TGPFontFamily(font.Name), static_cast<float>(font.Size), style);
}

std::uint32_t OpacityAlpha(std::int32_t opacity)
{
    const std::int64_t scaled = static_cast<std::int64_t>(opacity) * 255;
    std::int64_t alpha = scaled / 100;
    const std::int64_t rest = scaled % 100;
    if (rest > 50 || (rest == 50 && alpha % 2 != 0)) {
        ++alpha;
    }
    return static_cast<std::uint32_t>(alpha) & 0xFFu;
}

TArgb WatermarkTextColour(std::uint32_t storedColour, std::int32_t opacity)
{
    const std::uint32_t red = storedColour & 0xFFu;
    const std::uint32_t green = (storedColour >> 8) & 0xFFu;
    const std::uint32_t blue = (storedColour >> 16) & 0xFFu;
    return (OpacityAlpha(opacity) << 24) | (red << 16) | (green << 8) | blue;
}

std::optional<float> ParseFloat(std::string_view text)
{
    const std::string trimmed = TrimField(text);
    const char* begin = trimmed.data();
    const char* end = begin + trimmed.size();
    if (begin != end && *begin == '+') {
        ++begin;
    }
    float value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (begin == end || error != std::errc() || stop != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string NotAFloatMessage(std::string_view text)
{
    return "'" + std::string(text) + "' is not a valid floating point value";
}

}  // namespace quillane
