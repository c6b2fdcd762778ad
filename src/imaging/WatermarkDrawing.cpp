#include "imaging/WatermarkDrawing.h"

#include <cmath>
#include <cstdint>

namespace quillane {

namespace {

vips::VImage Tagged(const vips::VImage& image, VipsInterpretation interpretation) {
    return image.copy(vips::VImage::option()->set("interpretation", interpretation));
}

// Files without a recognised colour space (a bare three-band TIFF) are taken as sRGB
// or grey by their band count rather than refused.
vips::VImage WithKnownInterpretation(const vips::VImage& picture) {
    if (picture.interpretation() != VIPS_INTERPRETATION_MULTIBAND) return picture;
    return Tagged(picture, vips_image_guess_interpretation(picture.get_image()));
}

}  // namespace

TPointF MarkOrigin(int pictureWidth, int pictureHeight, float markWidth, float markHeight, TPointF offset,
                   bool fromBottomRight) {
    if (!fromBottomRight) return offset;
    const double x = static_cast<double>(pictureWidth) - offset.x - markWidth;
    const double y = static_cast<double>(pictureHeight) - offset.y - markHeight;
    return TPointF{static_cast<float>(x), static_cast<float>(y)};
}

int PixelPosition(float position) {
    const double rounded = std::round(static_cast<double>(position));
    if (!(rounded > -1e9)) return -1000000000;  // far outside: nothing gets drawn
    if (rounded > 1e9) return 1000000000;
    return static_cast<int>(rounded);
}

vips::VImage AsSrgb8(const vips::VImage& picture) {
    vips::VImage image = WithKnownInterpretation(picture);
    if (image.interpretation() != VIPS_INTERPRETATION_sRGB || image.format() != VIPS_FORMAT_UCHAR) {
        image = image.colourspace(VIPS_INTERPRETATION_sRGB);
        // A grey or CMYK profile no longer fits the converted pixels.
        image = image.copy();
        image.remove(VIPS_META_ICC_NAME);
    }
    if (image.format() != VIPS_FORMAT_UCHAR) image = image.cast(VIPS_FORMAT_UCHAR);
    return Tagged(image, VIPS_INTERPRETATION_sRGB);
}

vips::VImage AsSrgba8(const vips::VImage& picture) {
    vips::VImage image = AsSrgb8(picture);
    if (image.bands() > 4) image = image.extract_band(0, vips::VImage::option()->set("n", 4));
    if (image.bands() == 3) image = image.bandjoin_const({255});
    return Tagged(image, VIPS_INTERPRETATION_sRGB);
}

vips::VImage TextOverlay(const TTextInk& ink, TArgb colour) {
    const double alpha = static_cast<double>((colour >> 24) & 0xFF);
    const std::vector<double> rgb{static_cast<double>((colour >> 16) & 0xFF),
                                  static_cast<double>((colour >> 8) & 0xFF), static_cast<double>(colour & 0xFF)};
    const vips::VImage coverage = ink.mask.linear(alpha / 255.0, 0.5).cast(VIPS_FORMAT_UCHAR);
    const vips::VImage paint = ink.mask.new_from_image(rgb).cast(VIPS_FORMAT_UCHAR);
    return Tagged(paint.bandjoin(coverage), VIPS_INTERPRETATION_sRGB);
}

static bool Overlaps(const vips::VImage& base, const vips::VImage& overlay, int x, int y) {
    const std::int64_t left = x;
    const std::int64_t top = y;
    return left < base.width() && top < base.height() && left + overlay.width() > 0 && top + overlay.height() > 0;
}

vips::VImage DrawOver(const vips::VImage& picture, const vips::VImage& overlay, int x, int y) {
    vips::VImage base = AsSrgb8(picture);
    if (!Overlaps(base, overlay, x, y)) return base;
    const bool hadAlpha = base.bands() >= 4;
    base = AsSrgba8(base);
    vips::VImage blended = base.composite2(overlay, VIPS_BLEND_MODE_OVER,
                                           vips::VImage::option()->set("x", x)->set("y", y));
    blended = blended.cast(VIPS_FORMAT_UCHAR);
    if (!hadAlpha) blended = blended.extract_band(0, vips::VImage::option()->set("n", 3));
    return Tagged(blended, VIPS_INTERPRETATION_sRGB);
}

}  // namespace quillane
