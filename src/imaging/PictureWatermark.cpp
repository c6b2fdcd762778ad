#include "imaging/Graphics.h"
#include "imaging/LibraryGuard.h"
#include "imaging/Pixels.h"
#include "imaging/Watermark.h"
#include "imaging/WatermarkDrawing.h"
#include "imaging/WatermarkWriting.h"

namespace quillane {

namespace {

bool DrawPicture(TGPImage& picture, const TGPImage& mark, const TColorMatrix& matrix, TPointF origin) {
    TGPGraphics graphics(picture);
    graphics.SetInterpolationMode(imHighQualityBilinear);
    const vips::VImage transformed = ApplyColorMatrix(pixels::ToRgba8(mark.Pixels()), matrix);
    return graphics.DrawPixels(transformed, PixelPosition(origin.x), PixelPosition(origin.y));
}

bool StampPicture(const TPath& source, const TPath& target, const TPath& picturePath, const TColorMatrix& matrix,
                  TPointF offset, bool overwrite, bool fromBottomRight, std::int32_t minWidth) {
    const TGPImage mark(picturePath);
    // Stamping nothing and reporting success would hide an unreadable watermark.
    if (mark.IsEmpty()) return false;
    if (!StampTargetIsFree(target, overwrite)) return false;
    TGPImage picture(source);
    if (picture.IsEmpty() || NarrowerThan(picture, minWidth)) return false;

    const TPointF origin =
        MarkOrigin(static_cast<int>(picture.GetWidth()), static_cast<int>(picture.GetHeight()),
                   static_cast<float>(mark.GetWidth()), static_cast<float>(mark.GetHeight()), offset, fromBottomRight);
    if (!DrawPicture(picture, mark, matrix, origin)) return false;
    return WriteStamped(picture, source, target, overwrite);
}

}  // namespace

bool StampPictureWatermark(const TPath& source, const TPath& target, const TPath& picturePath,
                           const TColorMatrix& matrix, TPointF offset, bool overwrite, bool fromBottomRight,
                           std::int32_t minWidth) {
    return Guarded([&] {
        return StampPicture(source, target, picturePath, matrix, offset, overwrite, fromBottomRight, minWidth);
    });
}

}  // namespace quillane
