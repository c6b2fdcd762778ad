#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "imaging/Watermark.h"

namespace quillane {

// The watermark font as the page's font field holds it.
struct TWatermarkFont {
    std::string Name = "Noto Sans CJK SC";
    std::int32_t Size = 12;    // points
    std::uint32_t Colour = 0;  // the stored colour value: red in the low byte, then green, then blue
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
};

// The graphics font of a run: the family by name, the size in points, the style bits.
TGPFont MakeGraphicsFont(const TWatermarkFont& font);

// Opacity x 255 / 100 rounded to the nearest integer, halves to the even one:
// 30 gives 76, 50 gives 128, 100 gives 255.
std::uint32_t OpacityAlpha(std::int32_t opacity);

// The brush colour of a text watermark: the opacity's alpha over the red, green and
// blue of the stored font colour.
TArgb WatermarkTextColour(std::uint32_t storedColour, std::int32_t opacity);

// The text read as a floating point number; empty when it is not one.
std::optional<float> ParseFloat(std::string_view text);

// "'%s' is not a valid floating point value" with the text in place of %s.
std::string NotAFloatMessage(std::string_view text);

}  // namespace quillane
