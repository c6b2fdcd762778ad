#include "imaging/Graphics.h"
#include "imaging/LibraryGuard.h"
#include "imaging/Watermark.h"
#include "imaging/WatermarkDrawing.h"
#include "imaging/WatermarkText.h"
#include "imaging/WatermarkWriting.h"

namespace quillane {

namespace {

bool DrawText(TGPImage& picture, const TTextInk& ink, TArgb colour, std::int32_t x, std::int32_t y)
{
    TGPGraphics graphics(picture);
    graphics.SetInterpolationMode(imHighQualityBilinear);
    return graphics.DrawPixels(TextOverlay(ink, colour), x + ink.left, y + ink.top);
}

TOutcome StampText(const TPath& source, const TPath& target, const std::string& text, const TGPFont& font, TArgb colour,
                   TPointF offset, bool overwrite, bool fromBottomRight, std::int32_t minWidth)
{
    if (!StampTargetIsFree(target, overwrite))
        return TOutcome::Failure(TReason::rsTargetExists);
    TGPImage picture(source);
    if (picture.IsEmpty())
        return picture.LoadOutcome();
    if (NarrowerThan(picture, minWidth))
        return TOutcome::Failure(TReason::rsTooNarrow);

    TTextInk ink;
    if (!RenderText(text, font, PictureDpi(picture.Pixels()), ink))
        return TOutcome::Failure(TReason::rsTextNotDrawn);
    const int width = static_cast<int>(picture.GetWidth());
    const int height = static_cast<int>(picture.GetHeight());
    const TPointF origin = MarkOrigin(width, height, ink.BoxWidth(), ink.BoxHeight(), offset, fromBottomRight);
    const std::int32_t x = PixelPosition(origin.x);
    const std::int32_t y = PixelPosition(origin.y);
    // A mark that lands nowhere, blank text included, would be an unchanged copy
    // reported as stamped.
    if (!InkLandsOn(ink, width, height, x, y))
        return TOutcome::Failure(TReason::rsMarkOutside);
    // A mark that could not be drawn is a failure, not a clean copy of the source.
    if (!DrawText(picture, ink, colour, x, y))
        return TOutcome::Failure(TReason::rsCannotDraw);
    return WriteStamped(picture, source, target, overwrite);
}

}  // namespace

TOutcome StampTextWatermark(const TPath& source, const TPath& target, const std::string& text, const TGPFont& font,
                            TArgb colour, TPointF offset, bool overwrite, bool fromBottomRight, std::int32_t minWidth)
{
    return GuardedOutcome(TReason::rsDamaged, [&] {
        return StampText(source, target, text, font, colour, offset, overwrite, fromBottomRight, minWidth);
    });
}

}  // namespace quillane
