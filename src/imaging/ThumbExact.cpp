#include "imaging/Files.h"
#include "imaging/ThumbnailSteps.h"
#include "imaging/Thumbnails.h"

// Exact size: stretched to the box, proportions not kept.
namespace quillane {

namespace {

TOutcome ThumbExact(bool highQuality, const TPath& sourcePath, const TPath& target, std::int32_t width,
                    std::int32_t height, bool overwrite)
{
    return thumbnail::Guarded([&] {
        if (!PrepareTarget(target, overwrite))
            return thumbnail::TargetTaken();
        const TGPImage source(sourcePath);
        const TEncoderId encoder = EncoderForExtension(target);
        return highQuality ? thumbnail::SaveHighQuality(source, {width, height}, target, encoder, overwrite)
                           : thumbnail::SaveFast(source, {width, height}, target, encoder, overwrite);
    });
}

}  // namespace

TOutcome ThumbExactFast(const TPath& source, const TPath& target, std::int32_t width, std::int32_t height,
                        bool overwrite)
{
    return ThumbExact(false, source, target, width, height, overwrite);
}

TOutcome ThumbExactHQ(const TPath& source, const TPath& target, std::int32_t width, std::int32_t height, bool overwrite)
{
    return ThumbExact(true, source, target, width, height, overwrite);
}

}  // namespace quillane
