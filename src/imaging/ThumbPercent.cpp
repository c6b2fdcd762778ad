#include "imaging/Files.h"
#include "imaging/ThumbnailSteps.h"
#include "imaging/Thumbnails.h"

namespace quillane {

namespace {

TOutcome ThumbPercent(bool highQuality, const TPath& sourcePath, const TPath& target, std::int32_t widthPercent,
                      std::int32_t heightPercent, bool overwrite)
{
    return thumbnail::Guarded([&] {
        if (!PrepareTarget(target, overwrite))
            return thumbnail::TargetTaken();
        const TGPImage source(sourcePath);
        const TSize64 size = PercentSize(source.GetWidth(), source.GetHeight(), widthPercent, heightPercent);
        const TEncoderId encoder = EncoderForExtension(target);
        return highQuality ? thumbnail::SaveHighQuality(source, size, target, encoder, overwrite)
                           : thumbnail::SaveFast(source, size, target, encoder, overwrite);
    });
}

}  // namespace

TOutcome ThumbPercentFast(const TPath& source, const TPath& target, std::int32_t widthPercent,
                          std::int32_t heightPercent, bool overwrite)
{
    return ThumbPercent(false, source, target, widthPercent, heightPercent, overwrite);
}

TOutcome ThumbPercentHQ(const TPath& source, const TPath& target, std::int32_t widthPercent, std::int32_t heightPercent,
                        bool overwrite)
{
    return ThumbPercent(true, source, target, widthPercent, heightPercent, overwrite);
}

}  // namespace quillane
