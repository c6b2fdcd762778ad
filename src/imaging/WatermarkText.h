#pragma once

#include <string>

#include <vips/vips8>

#include "imaging/Watermark.h"

// Turning a watermark text into ink: the font description, the markup and the
// rendered coverage mask with its measured box.
namespace quillane {

// The rendered text as drawn with its origin at (0, 0).
struct TTextInk {
    vips::VImage mask;  // one band, 0 (no ink) to 255 (full ink); unset when there is no ink
    int left = 0;       // where the mask starts, relative to the origin
    int top = 0;

    bool HasInk() const { return mask.get_image() != nullptr; }
    // The measured box: from the origin to the far edges of the ink.
    float BoxWidth() const { return HasInk() ? static_cast<float>(left + mask.width()) : 0.0f; }
    float BoxHeight() const { return HasInk() ? static_cast<float>(top + mask.height()) : 0.0f; }
};

std::string FontDescription(const TGPFont& font);
std::string TextMarkup(const std::string& text, const TGPFont& font);

// The resolution a picture records, in dots per inch; 96 when it records none.
int PictureDpi(const vips::VImage& picture);

// Renders the text anti-aliased at the given resolution. Text of blanks only gives
// no ink and true; text that cannot be rendered (invalid UTF-8, no usable font) false.
bool RenderText(const std::string& text, const TGPFont& font, int dpi, TTextInk& ink);

}  // namespace quillane
