#include "imaging/ThumbnailSteps.h"

namespace quillane::thumbnail {

namespace {
constexpr std::int64_t kLargestSide = 10000000;
}

bool ValidSize(const TSize64& size)
{
    return size.width >= 1 && size.height >= 1 && size.width <= kLargestSide && size.height <= kLargestSide;
}

TRect ToRect(const TRect64& rect)
{
    return {static_cast<std::int32_t>(rect.x), static_cast<std::int32_t>(rect.y), static_cast<std::int32_t>(rect.width),
            static_cast<std::int32_t>(rect.height)};
}

TEncoderId JpegEncoder()
{
    TEncoderId encoder{};
    EncoderForMime("image/jpeg", encoder);
    return encoder;
}

TOutcome SaveFast(const TGPImage& source, const TSize64& size, const TPath& target, const TEncoderId& encoder,
                  bool overwrite)
{
    if (source.IsEmpty())
        return source.LoadOutcome();
    if (!ValidSize(size))
        return TOutcome::Failure(TReason::rsBadSize);
    const TGPImage thumbnail =
        source.GetThumbnail(static_cast<std::int32_t>(size.width), static_cast<std::int32_t>(size.height));
    return thumbnail.Save(target, encoder, overwrite);
}

TOutcome SaveHighQuality(const TGPImage& source, const TSize64& size, const TPath& target, const TEncoderId& encoder,
                         bool overwrite)
{
    if (source.IsEmpty())
        return source.LoadOutcome();
    if (!ValidSize(size))
        return TOutcome::Failure(TReason::rsBadSize);
    // Drawn onto nothing, the scaled picture is the canvas: a small picture is then not
    // copied through a canvas it covers whole.
    const TGPImage scaled = source.ScaledTo(static_cast<std::int32_t>(size.width),
                                            static_cast<std::int32_t>(size.height), imHighQualityBicubic);
    return scaled.IsEmpty() ? scaled.LoadOutcome() : scaled.Save(target, encoder, overwrite);
}

TOutcome TargetTaken()
{
    return TOutcome::Failure(TReason::rsTargetExists);
}

}  // namespace quillane::thumbnail
