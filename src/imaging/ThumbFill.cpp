#include "imaging/Files.h"
#include "imaging/ThumbnailSteps.h"
#include "imaging/Thumbnails.h"

// Keep ratio with fill: the picture fitted inside the box, the rest in a colour.
namespace quillane {

namespace {

// Draws the fitted picture; a side that rounds to nothing leaves just the fill. A
// thumbnail that cannot be made says why (damage met while scaling).
TOutcome DrawFitted(TGPGraphics& graphics, bool highQuality, const TGPImage& source, const TRect64& placed)
{
    if (placed.width < 1 || placed.height < 1)
        return TOutcome::Success();
    bool drawn = false;
    if (highQuality) {
        drawn = graphics.DrawImage(source, thumbnail::ToRect(placed));
    } else {
        const TGPImage fitted =
            source.GetThumbnail(static_cast<std::int32_t>(placed.width), static_cast<std::int32_t>(placed.height));
        if (fitted.IsEmpty())
            return fitted.LoadOutcome();
        drawn = graphics.DrawImage(fitted, static_cast<std::int32_t>(placed.x), static_cast<std::int32_t>(placed.y));
    }
    return drawn ? TOutcome::Success() : graphics.LastFailure();
}

TOutcome ThumbFill(bool highQuality, const TPath& sourcePath, const TPath& target, std::int32_t width,
                   std::int32_t height, TArgb fillColour, bool overwrite)
{
    return thumbnail::Guarded([&] {
        if (!PrepareTarget(target, overwrite))
            return thumbnail::TargetTaken();
        const TGPImage source(sourcePath);
        const std::optional<TRect64> placed = FillPlacement(source.GetWidth(), source.GetHeight(), width, height);
        if (!placed)
            return source.LoadOutcome();
        if (!thumbnail::ValidSize({width, height}))
            return TOutcome::Failure(TReason::rsBadSize);

        TGPBitmap canvas(width, height);
        if (canvas.IsEmpty())
            return canvas.LoadOutcome();
        TGPGraphics graphics(canvas);
        if (highQuality)
            graphics.SetInterpolationMode(imHighQualityBicubic);
        if (!graphics.FillRectangle(TGPSolidBrush(fillColour), {0, 0, width, height}))
            return TOutcome::Failure(TReason::rsCannotDraw);
        if (TOutcome drawn = DrawFitted(graphics, highQuality, source, *placed); !drawn)
            return drawn;
        canvas.CopyMetadataFrom(source);
        return canvas.Save(target, thumbnail::JpegEncoder(), overwrite);
    });
}

}  // namespace

TOutcome ThumbFillFast(const TPath& source, const TPath& target, std::int32_t width, std::int32_t height,
                       TArgb fillColour, bool overwrite)
{
    return ThumbFill(false, source, target, width, height, fillColour, overwrite);
}

TOutcome ThumbFillHQ(const TPath& source, const TPath& target, std::int32_t width, std::int32_t height,
                     TArgb fillColour, bool overwrite)
{
    return ThumbFill(true, source, target, width, height, fillColour, overwrite);
}

}  // namespace quillane
