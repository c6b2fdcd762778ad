#include "imaging/Graphics.h"
#include "imaging/LibraryGuard.h"
#include "imaging/Pixels.h"
#include "imaging/Watermark.h"
#include "imaging/WatermarkDrawing.h"
#include "imaging/WatermarkWriting.h"

namespace quillane {

namespace {

bool DrawPicture(TGPImage& picture, const TGPImage& mark, const TColorMatrix& matrix, std::int32_t x, std::int32_t y)
{
    TGPGraphics graphics(picture);
    graphics.SetInterpolationMode(imHighQualityBilinear);
    const vips::VImage transformed = ApplyColorMatrix(pixels::ToRgba8(mark.Pixels()), matrix);
    return graphics.DrawPixels(transformed, x, y);
}

TOutcome StampPicture(const TPath& source, const TPath& target, const TPath& picturePath, const TColorMatrix& matrix,
                      TPointF offset, bool overwrite, bool fromBottomRight, std::int32_t minWidth)
{
    const TGPImage mark(picturePath);
    // Stamping nothing and reporting success would hide an unreadable watermark.
    if (mark.IsEmpty())
        return TOutcome::Failure(TReason::rsWatermarkUnreadable, mark.LoadOutcome().Detail());
    if (!StampTargetIsFree(target, overwrite))
        return TOutcome::Failure(TReason::rsTargetExists);
    TGPImage picture(source);
    if (picture.IsEmpty())
        return picture.LoadOutcome();
    if (NarrowerThan(picture, minWidth))
        return TOutcome::Failure(TReason::rsTooNarrow);

    const int width = static_cast<int>(picture.GetWidth());
    const int height = static_cast<int>(picture.GetHeight());
    const int markWidth = static_cast<int>(mark.GetWidth());
    const int markHeight = static_cast<int>(mark.GetHeight());
    const TPointF origin = MarkOrigin(width, height, static_cast<float>(markWidth), static_cast<float>(markHeight),
                                      offset, fromBottomRight);
    const std::int32_t x = PixelPosition(origin.x);
    const std::int32_t y = PixelPosition(origin.y);
    // A mark wholly off the picture would be an unchanged copy reported as stamped.
    if (!MarkOverlaps(width, height, x, y, markWidth, markHeight))
        return TOutcome::Failure(TReason::rsMarkOutside);
    if (!DrawPicture(picture, mark, matrix, x, y))
        return TOutcome::Failure(TReason::rsCannotDraw);
    return WriteStamped(picture, source, target, overwrite);
}

}  // namespace

TOutcome StampPictureWatermark(const TPath& source, const TPath& target, const TPath& picturePath,
                               const TColorMatrix& matrix, TPointF offset, bool overwrite, bool fromBottomRight,
                               std::int32_t minWidth)
{
    return GuardedOutcome(TReason::rsDamaged, [&] {
        return StampPicture(source, target, picturePath, matrix, offset, overwrite, fromBottomRight, minWidth);
    });
}

}  // namespace quillane
