#include "imaging/Files.h"
#include "imaging/ThumbnailSteps.h"
#include "imaging/Thumbnails.h"

// Single side: one side set to the size, the other following the proportions.
namespace quillane {

namespace {

// A source that needs no scaling (or must not be enlarged) goes over unchanged.
TOutcome CopyUnlessSameFile(const TPath& source, const TPath& target, bool overwrite)
{
    if (SameFile(source, target))
        return TOutcome::Success();
    return CopyFileReplacing(source, target, overwrite);
}

// Why a source is copied instead of scaled: it could not be read, or it is smaller
// than the size and must not be enlarged.
TOutcome NotScaled(const TGPImage& source)
{
    return source.IsEmpty() ? source.LoadOutcome() : TOutcome::Failure(TReason::rsSmallerThanSize);
}

TOutcome ThumbSide(bool highQuality, const TPath& sourcePath, const TPath& target, bool byWidth, std::int32_t size,
                   bool overwrite, bool skipSmaller)
{
    return thumbnail::Guarded([&] {
        if (!PrepareTarget(target, overwrite))
            return thumbnail::TargetTaken();
        const TGPImage source(sourcePath);
        const std::int64_t fixed = byWidth ? source.GetWidth() : source.GetHeight();
        // A copy that could not be made (another run's file took the name) is no success.
        if (fixed == size)
            return CopyUnlessSameFile(sourcePath, target, overwrite);
        if (fixed == 0 || (skipSmaller && size > fixed)) {
            CopyUnlessSameFile(sourcePath, target, overwrite);
            return NotScaled(source);
        }
        const TSize64 newSize = SideSize(source.GetWidth(), source.GetHeight(), byWidth, size);
        const TEncoderId encoder = EncoderForExtension(target);
        return highQuality ? thumbnail::SaveHighQuality(source, newSize, target, encoder, overwrite)
                           : thumbnail::SaveFast(source, newSize, target, encoder, overwrite);
    });
}

}  // namespace

TOutcome ThumbSideFast(const TPath& source, const TPath& target, bool byWidth, std::int32_t size, bool overwrite,
                       bool skipSmaller)
{
    return ThumbSide(false, source, target, byWidth, size, overwrite, skipSmaller);
}

TOutcome ThumbSideHQ(const TPath& source, const TPath& target, bool byWidth, std::int32_t size, bool overwrite,
                     bool skipSmaller)
{
    return ThumbSide(true, source, target, byWidth, size, overwrite, skipSmaller);
}

}  // namespace quillane
