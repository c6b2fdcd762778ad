#include "imaging/Crop.h"

#include <exception>
#include <utility>

#include "imaging/Graphics.h"
#include "imaging/LibraryGuard.h"
#include "imaging/PictureChecks.h"

namespace quillane {

namespace {

bool Overlaps(const TGPImage& picture, std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height)
{
    return left < picture.GetWidth() && top < picture.GetHeight() && left + width > 0 && top + height > 0;
}

// Why a source's bytes could not be read: the system's reason when it has one.
TOutcome Unread(const TPath& source)
{
    const TReason reason = SourceFileReason(source);
    return TOutcome::Failure(reason == TReason::rsNone ? TReason::rsSourceUnreadable : reason);
}

TOutcome Crop(const TPath& source, const TPath& target, std::int32_t left, std::int32_t top, std::int32_t width,
              std::int32_t height, bool overwrite)
{
    // Decoded from a copy in memory, so the target may be the source itself.
    std::string bytes;
    if (!ReadWholeFile(source, bytes))
        return Unread(source);
    const TGPImage picture = TGPImage::FromMemory(std::move(bytes));
    if (picture.IsEmpty())
        return picture.LoadOutcome();

    TGPBitmap canvas(width, height);
    if (canvas.IsEmpty())
        return canvas.LoadOutcome();
    // A rectangle wholly outside the picture leaves the canvas transparent black.
    if (Overlaps(picture, left, top, width, height)) {
        TGPGraphics graphics(canvas);
        graphics.SetInterpolationMode(imHighQualityBicubic);
        if (!graphics.DrawImage(picture, TRect{0, 0, width, height}, TRect{left, top, width, height}))
            return graphics.LastFailure();
    }
    canvas.CopyMetadataFrom(picture);
    return canvas.Save(target, EncoderForExtension(source), overwrite);
}

}  // namespace

TOutcome CropImage(const TPath& source, const TPath& target, std::int32_t left, std::int32_t top, std::int32_t width,
                   std::int32_t height, bool overwrite)
{
    if (!PrepareTarget(target, overwrite))
        return TOutcome::Failure(TReason::rsTargetExists);
    // Out of memory, or a library error that slipped through.
    return GuardedOutcome(TReason::rsDamaged,
                          [&] { return Crop(source, target, left, top, width, height, overwrite); });
}

}  // namespace quillane
