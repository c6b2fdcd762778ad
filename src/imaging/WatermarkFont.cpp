#include <charconv>
#include <utility>

#include "imaging/Watermark.h"
#include "imaging/WatermarkText.h"

#include <glib.h>

namespace quillane {

namespace {

const char* const kGenericSansSerif = "sans-serif";

// A comma in a family name would start a second family in a font description.
std::string CleanFamilyName(std::string name)
{
    for (char& c : name) {
        if (c == ',')
            c = ' ';
    }
    const auto first = name.find_first_not_of(" \t");
    if (first == std::string::npos)
        return kGenericSansSerif;
    const auto last = name.find_last_not_of(" \t");
    return name.substr(first, last - first + 1);
}

// Locale-independent: the font description parser always expects a dot.
std::string PointsText(float points)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, points);
    return std::string(buffer, result.ptr);
}

std::string EscapedMarkup(const std::string& text)
{
    gchar* escaped = g_markup_escape_text(text.c_str(), static_cast<gssize>(text.size()));
    std::string result(escaped);
    g_free(escaped);
    return result;
}

}  // namespace

TGPFontFamily::TGPFontFamily(std::string name) : name_(CleanFamilyName(std::move(name))) {}

TGPFontFamily TGPFontFamily::GenericSansSerif()
{
    return TGPFontFamily(kGenericSansSerif);
}

TGPFont::TGPFont(const TGPFontFamily& family, float sizeInPoints, std::int32_t style)
    : family_(family), sizeInPoints_(sizeInPoints), style_(style)
{
}

// "Family, Bold Italic 12": the trailing comma ends the family list, so a family
// whose name ends in a style word ("Arial Black") keeps its whole name. Fontconfig
// replaces a family that is not installed by its default sans-serif family.
std::string FontDescription(const TGPFont& font)
{
    std::string description = font.Family().Name() + ",";
    if (font.Has(fsBold))
        description += " Bold";
    if (font.Has(fsItalic))
        description += " Italic";
    return description + " " + PointsText(font.SizeInPoints());
}

// The text renderer reads markup, so the text itself is escaped; underline and
// strike-out have no place in a font description and are spans instead.
std::string TextMarkup(const std::string& text, const TGPFont& font)
{
    std::string markup = EscapedMarkup(text);
    if (font.Has(fsUnderline))
        markup = "<u>" + markup + "</u>";
    if (font.Has(fsStrikeout))
        markup = "<s>" + markup + "</s>";
    return markup;
}

}  // namespace quillane
