#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "imaging/Thumbnails.h"

// Text and picture watermarks: the font and colour-matrix values the watermark job
// hands over, and the two stamping routines.
namespace quillane {

// Style bits of a watermark font; they combine freely.
enum TFontStyle : std::int32_t {
    fsRegular = 0,
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeout = 8,
};

// A font family by name. A family that is not installed is replaced by the generic
// sans-serif family when the text is drawn.
class TGPFontFamily {
public:
    explicit TGPFontFamily(std::string name);
    static TGPFontFamily GenericSansSerif();
    const std::string& Name() const { return name_; }

private:
    std::string name_;
};

// A family, a size in points and style bits. The size becomes pixels at the
// stamped picture's own resolution (96 dpi where the picture records none).
class TGPFont {
public:
    TGPFont(const TGPFontFamily& family, float sizeInPoints, std::int32_t style);
    const TGPFontFamily& Family() const { return family_; }
    float SizeInPoints() const { return sizeInPoints_; }
    std::int32_t Style() const { return style_; }
    bool Has(TFontStyle bit) const { return (style_ & bit) != 0; }

private:
    TGPFontFamily family_;
    float sizeInPoints_;
    std::int32_t style_;
};

// A colour transform applied to a picture's pixels as it is drawn. A pixel is the
// row (r, g, b, a, 1) with components in 0..1; the drawn pixel is that row times the
// matrix, so row 4 holds the constant offsets.
struct TColorMatrix {
    std::array<std::array<float, 5>, 5> m{};
};

TColorMatrix IdentityMatrix();

// The identity with the alpha scaled by alphaScale (opacity / 100).
TColorMatrix OpacityMatrix(float alphaScale);

struct TPointF {
    float x = 0;
    float y = 0;
};

// Draws a line of UTF-8 text in the font and the ARGB colour. The offset runs from the
// picture's top-left corner to the text's top-left corner, or with fromBottomRight from
// the picture's bottom-right corner to the text's. A picture narrower than minWidth is
// not stamped (a failure). Writes in the source's format; the target may be the source.
TOutcome StampTextWatermark(const TPath& source, const TPath& target, const std::string& text, const TGPFont& font,
                            TArgb colour, TPointF offset, bool overwrite, bool fromBottomRight, std::int32_t minWidth);

// Draws the picture at its own size through the colour matrix, placed like the text.
// An unreadable watermark picture or source gives a failure.
TOutcome StampPictureWatermark(const TPath& source, const TPath& target, const TPath& picturePath,
                               const TColorMatrix& matrix, TPointF offset, bool overwrite, bool fromBottomRight,
                               std::int32_t minWidth);

}  // namespace quillane
