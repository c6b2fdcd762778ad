#include "imaging/WatermarkText.h"

#include <cmath>

#include <glib.h>

namespace quillane {

namespace {

constexpr int kDefaultDpi = 96;
// Loaders leave 1 pixel per millimetre when a file records no resolution.
constexpr double kUnrecordedPixelsPerMm = 1.0;
constexpr double kMmPerInch = 25.4;

bool OnlyBlanks(const std::string& text)
{
    for (const gchar* p = text.c_str(); *p != '\0'; p = g_utf8_next_char(p)) {
        if (!g_unichar_isspace(g_utf8_get_char(p)))
            return false;
    }
    return true;
}

}  // namespace

int PictureDpi(const vips::VImage& picture)
{
    const double pixelsPerMm = picture.xres();
    if (!std::isfinite(pixelsPerMm) || pixelsPerMm <= kUnrecordedPixelsPerMm + 1e-6)
        return kDefaultDpi;
    const double dpi = std::round(pixelsPerMm * kMmPerInch);
    return dpi > 1e6 ? kDefaultDpi : static_cast<int>(dpi);
}

bool RenderText(const std::string& text, const TGPFont& font, int dpi, TTextInk& ink)
{
    ink = TTextInk{};
    if (!g_utf8_validate(text.c_str(), static_cast<gssize>(text.size()), nullptr))
        return false;
    if (OnlyBlanks(text))
        return true;
    if (!(font.SizeInPoints() > 0.0f))
        return false;
    try {
        vips::VImage mask =
            vips::VImage::text(TextMarkup(text, font).c_str(),
                               vips::VImage::option()->set("font", FontDescription(font).c_str())->set("dpi", dpi));
        ink.left = mask.xoffset();
        ink.top = mask.yoffset();
        ink.mask = mask;
        return true;
    } catch (const vips::VError&) {
        vips_error_clear();
        return false;
    }
}

}  // namespace quillane
