#include "imaging/Graphics.h"
#include "imaging/LibraryGuard.h"
#include "imaging/Watermark.h"
#include "imaging/WatermarkDrawing.h"
#include "imaging/WatermarkText.h"
#include "imaging/WatermarkWriting.h"

namespace quillane {

namespace {

bool DrawText(TGPImage& picture, const TTextInk& ink, TArgb colour, TPointF origin) {
    if (!ink.HasInk()) return true;  // blank text: nothing to draw
    TGPGraphics graphics(picture);
    graphics.SetInterpolationMode(imHighQualityBilinear);
    return graphics.DrawPixels(TextOverlay(ink, colour), PixelPosition(origin.x) + ink.left,
                               PixelPosition(origin.y) + ink.top);
}

bool StampText(const TPath& source, const TPath& target, const std::string& text, const TGPFont& font,
               TArgb colour, TPointF offset, bool overwrite, bool fromBottomRight, std::int32_t minWidth) {
    if (!StampTargetIsFree(target, overwrite)) return false;
    TGPImage picture(source);
    if (picture.IsEmpty() || NarrowerThan(picture, minWidth)) return false;

    TTextInk ink;
    if (!RenderText(text, font, PictureDpi(picture.Pixels()), ink)) return false;
    const TPointF origin = MarkOrigin(static_cast<int>(picture.GetWidth()), static_cast<int>(picture.GetHeight()),
                                      ink.BoxWidth(), ink.BoxHeight(), offset, fromBottomRight);
    // A mark that could not be drawn is a failure, not a clean copy of the source.
    if (!DrawText(picture, ink, colour, origin)) return false;
    return WriteStamped(picture, source, target, overwrite);
}

}  // namespace

bool StampTextWatermark(const TPath& source, const TPath& target, const std::string& text, const TGPFont& font,
                        TArgb colour, TPointF offset, bool overwrite, bool fromBottomRight, std::int32_t minWidth) {
    return Guarded([&] { return StampText(source, target, text, font, colour, offset, overwrite, fromBottomRight, minWidth); });
}

}  // namespace quillane
