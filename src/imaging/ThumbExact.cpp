#include "imaging/Files.h"
#include "imaging/ThumbnailSteps.h"
#include "imaging/Thumbnails.h"

// Exact size: stretched to the box, proportions not kept.
namespace quillane {

namespace {

bool ThumbExact(bool highQuality, const TPath& sourcePath, const TPath& target, std::int32_t width,
                std::int32_t height, bool overwrite) {
    return thumbnail::Guarded([&] {
        if (!PrepareTarget(target, overwrite)) return false;
        const TGPImage source(sourcePath);
        const TEncoderId encoder = EncoderForExtension(target);
        return highQuality ? thumbnail::SaveHighQuality(source, {width, height}, target, encoder, overwrite)
                           : thumbnail::SaveFast(source, {width, height}, target, encoder, overwrite);
    });
}

}  // namespace

bool ThumbExactFast(const TPath& source, const TPath& target, std::int32_t width, std::int32_t height,
                    bool overwrite) {
    return ThumbExact(false, source, target, width, height, overwrite);
}

bool ThumbExactHQ(const TPath& source, const TPath& target, std::int32_t width, std::int32_t height,
                  bool overwrite) {
    return ThumbExact(true, source, target, width, height, overwrite);
}

}  // namespace quillane
