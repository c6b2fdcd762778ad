#include "imaging/Files.h"
#include "imaging/ThumbnailSteps.h"
#include "imaging/Thumbnails.h"

// Keep ratio with cut: the picture covers the box and the overflow is cut off
// equally on both sides.
namespace quillane {

namespace {

// Fast: a covering thumbnail, and the box-sized window of it copied 1:1.
// A thumbnail that cannot be made says why (damage met while scaling).
TOutcome DrawCutFast(TGPGraphics& graphics, const TGPImage& source, const TCutFast& cut)
{
    if (!thumbnail::ValidSize(cut.thumbnail))
        return TOutcome::Failure(TReason::rsBadSize);
    const TGPImage covering = source.GetThumbnail(static_cast<std::int32_t>(cut.thumbnail.width),
                                                  static_cast<std::int32_t>(cut.thumbnail.height));
    if (covering.IsEmpty())
        return covering.LoadOutcome();
    const TRect box{0, 0, static_cast<std::int32_t>(cut.window.width), static_cast<std::int32_t>(cut.window.height)};
    if (!graphics.DrawImage(covering, box, thumbnail::ToRect(cut.window)))
        return graphics.LastFailure();
    return TOutcome::Success();
}

// High quality: the middle part of the source scaled bicubically into the box.
TOutcome DrawCutHighQuality(TGPGraphics& graphics, const TGPImage& source, const TRect64& part, std::int32_t width,
                            std::int32_t height)
{
    graphics.SetInterpolationMode(imHighQualityBicubic);
    if (!graphics.DrawImage(source, TRect{0, 0, width, height}, thumbnail::ToRect(part)))
        return graphics.LastFailure();
    return TOutcome::Success();
}

TOutcome ThumbCut(bool highQuality, const TPath& sourcePath, const TPath& target, std::int32_t width,
                  std::int32_t height, bool overwrite)
{
    return thumbnail::Guarded([&] {
        if (!PrepareTarget(target, overwrite))
            return thumbnail::TargetTaken();
        const TGPImage source(sourcePath);
        if (source.IsEmpty())
            return source.LoadOutcome();
        if (!thumbnail::ValidSize({width, height}))
            return TOutcome::Failure(TReason::rsBadSize);
        TGPBitmap canvas(width, height);
        if (canvas.IsEmpty())
            return canvas.LoadOutcome();
        TGPGraphics graphics(canvas);
        TOutcome drawn = TOutcome::Failure(TReason::rsCannotDraw);
        if (highQuality) {
            const std::optional<TRect64> part = CutPartHQ(source.GetWidth(), source.GetHeight(), width, height);
            if (part)
                drawn = DrawCutHighQuality(graphics, source, *part, width, height);
        } else {
            const std::optional<TCutFast> cut = CutWindowFast(source.GetWidth(), source.GetHeight(), width, height);
            if (cut)
                drawn = DrawCutFast(graphics, source, *cut);
        }
        if (!drawn)
            return drawn;
        canvas.CopyMetadataFrom(source);
        return canvas.Save(target, thumbnail::JpegEncoder(), overwrite);
    });
}

}  // namespace

TOutcome ThumbCutFast(const TPath& source, const TPath& target, std::int32_t width, std::int32_t height, bool overwrite)
{
    return ThumbCut(false, source, target, width, height, overwrite);
}

TOutcome ThumbCutHQ(const TPath& source, const TPath& target, std::int32_t width, std::int32_t height, bool overwrite)
{
    return ThumbCut(true, source, target, width, height, overwrite);
}

}  // namespace quillane
