#include "imaging/Graphics.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "imaging/ImageSaving.h"
#include "imaging/LibraryGuard.h"
#include "imaging/PictureLoading.h"
#include "imaging/Pixels.h"

namespace quillane {

using vips::VImage;

namespace {

constexpr std::int64_t kLargestSide = 10000000;  // the library's limit on a side

std::vector<double> BandsOf(TArgb colour)
{
    return {static_cast<double>((colour >> 16) & 0xff), static_cast<double>((colour >> 8) & 0xff),
            static_cast<double>(colour & 0xff), static_cast<double>(colour >> 24)};
}

pixels::TKernel KernelFor(TInterpolationMode mode)
{
    return mode == imHighQualityBicubic ? pixels::TKernel::Bicubic : pixels::TKernel::Bilinear;
}

bool PartInside(const TRect& part, const VImage& image)
{
    return part.x >= 0 && part.y >= 0 && static_cast<std::int64_t>(part.x) + part.width <= image.width() &&
           static_cast<std::int64_t>(part.y) + part.height <= image.height();
}

bool IsWhole(const TRect& part, const VImage& image)
{
    return part.x == 0 && part.y == 0 && part.width == image.width() && part.height == image.height();
}

// The source part, cut out; what lies outside the picture is transparent black.
VImage CutPart(const VImage& image, const TRect& part)
{
    if (IsWhole(part, image))
        return image;
    if (PartInside(part, image))
        return image.crop(part.x, part.y, part.width, part.height);
    return pixels::ToRgba8(image).embed(-part.x, -part.y, part.width, part.height);
}

}  // namespace

TGPImage::TGPImage(const TPath& file)
{
    try {
        const loading::TLoaded loaded = loading::LoadPictureFile(file);
        Adopt(loaded.image);
        if (loaded_ && loaded.streamable)
            file_ = file;
        if (!loaded_)
            Refuse({loaded.refusal, {}});
    } catch (const vips::VError& error) {
        Adopt(VImage());
        Refuse(LibraryFailure(error, TReason::rsDamaged).AsFailure());
    } catch (const std::bad_alloc&) {
        Adopt(VImage());
        Refuse({TReason::rsOutOfMemory, {}});
    }
}

TGPImage TGPImage::FromMemory(std::string bytes)
{
    TGPImage result;
    try {
        const loading::TLoaded loaded = loading::LoadPictureBytes(bytes);
        result.Adopt(loaded.image);
        if (!result.loaded_)
            result.Refuse({loaded.refusal, {}});
    } catch (const vips::VError& error) {
        result.Adopt(VImage());
        result.Refuse(LibraryFailure(error, TReason::rsDamaged).AsFailure());
    } catch (const std::bad_alloc&) {
        result.Adopt(VImage());
        result.Refuse({TReason::rsOutOfMemory, {}});
    }
    return result;
}

void TGPImage::Refuse(TFailure failure)
{
    if (failure.Reason == TReason::rsNone)
        failure.Reason = TReason::rsDamaged;
    failure_ = std::move(failure);
}

void TGPImage::RefuseInstead(const TOutcome& failure)
{
    *this = TGPImage();
    Refuse(failure.AsFailure());
}

void TGPImage::Adopt(const VImage& image)
{
    loaded_ = image.get_image() != nullptr && image.width() > 0 && image.height() > 0;
    image_ = loaded_ ? image : VImage();
    knownOpaque_ = loaded_ && !pixels::HasAlpha(image_);
    blank_ = false;
    file_.clear();
}

// False, with `result` refused for the reason, when this picture cannot be scaled to
// width x height.
bool TGPImage::CanScaleTo(std::int32_t width, std::int32_t height, TGPImage& result) const
{
    if (!loaded_) {
        result.Refuse(failure_);
        return false;
    }
    if (width < 1 || height < 1 || width > kLargestSide || height > kLargestSide) {
        result.Refuse({TReason::rsBadSize, {}});
        return false;
    }
    return true;
}

TGPImage TGPImage::ScaledTo(std::int32_t width, std::int32_t height, TInterpolationMode mode) const
{
    TGPImage result;
    if (!CanScaleTo(width, height, result))
        return result;
    // A small picture, or one shrunk fourfold in high quality, is scaled at once, reading
    // its pixels: a library error is damage.
    const TOutcome scaled = GuardedOutcome(TReason::rsDamaged, [&] {
        const TRect whole{0, 0, image_.width(), image_.height()};
        const VImage resized = pixels::ResizeTo(PartToScale(whole, width, height), width, height, KernelFor(mode));
        result.image_ = pixels::WithMetadataOf(pixels::ToRgb8(resized), image_);
        result.loaded_ = true;
        result.knownOpaque_ = knownOpaque_;
        return TOutcome::Success();
    });
    if (!scaled)
        result.RefuseInstead(scaled);
    return result;
}

VImage TGPImage::PartToScale(const TRect& part, std::int32_t width, std::int32_t height) const
{
    if (file_.empty() || !PartInside(part, image_))
        return CutPart(image_, part);
    // The whole picture's size at the scale the part is drawn at.
    const auto across = static_cast<int>(std::ceil(static_cast<double>(image_.width()) * width / part.width));
    const auto down = static_cast<int>(std::ceil(static_cast<double>(image_.height()) * height / part.height));
    const VImage shrunk = loading::ShrunkForScaling(file_, image_.width(), image_.height(), across, down);
    if (shrunk.get_image() == nullptr)
        return CutPart(image_, part);
    if (IsWhole(part, image_))
        return shrunk;
    const double xScale = static_cast<double>(shrunk.width()) / image_.width();
    const double yScale = static_cast<double>(shrunk.height()) / image_.height();
    const int left = std::min(static_cast<int>(std::lround(part.x * xScale)), shrunk.width() - 1);
    const int top = std::min(static_cast<int>(std::lround(part.y * yScale)), shrunk.height() - 1);
    const int partWidth = std::clamp(static_cast<int>(std::lround(part.width * xScale)), 1, shrunk.width() - left);
    const int partHeight = std::clamp(static_cast<int>(std::lround(part.height * yScale)), 1, shrunk.height() - top);
    return shrunk.crop(left, top, partWidth, partHeight);
}

std::uint32_t TGPImage::GetWidth() const
{
    return loaded_ ? static_cast<std::uint32_t>(image_.width()) : 0;
}

std::uint32_t TGPImage::GetHeight() const
{
    return loaded_ ? static_cast<std::uint32_t>(image_.height()) : 0;
}

TGPImage TGPImage::GetThumbnail(std::int32_t width, std::int32_t height) const
{
    TGPImage result;
    if (!CanScaleTo(width, height, result))
        return result;
    // Computed here, reading the picture's pixels: a library error is damage.
    const TOutcome made = GuardedOutcome(TReason::rsDamaged, [&] {
        VImage thumbnail;
        if (!file_.empty()) {
            thumbnail = loading::ThumbnailFromFile(file_, width, height);
        } else {
            thumbnail = image_.thumbnail_image(
                width, VImage::option()->set("height", height)->set("size", VIPS_SIZE_FORCE)->set("no_rotate", true));
        }
        result.image_ = pixels::ComputedInThisThread(pixels::FitExactly(thumbnail, width, height));
        result.loaded_ = true;
        result.knownOpaque_ = !pixels::HasAlpha(result.image_);
        return TOutcome::Success();
    });
    if (!made)
        result.RefuseInstead(made);
    return result;
}

TOutcome TGPImage::Save(const TPath& target, const TEncoderId& encoder, bool overwrite) const&
{
    if (!loaded_)
        return TOutcome::Failure(failure_);
    return SaveImage(image_, knownOpaque_, target, encoder, overwrite);
}

TOutcome TGPImage::Save(const TPath& target, const TEncoderId& encoder, bool overwrite) &&
{
    if (!loaded_)
        return TOutcome::Failure(failure_);
    return SaveImage(pixels::HandOver(image_), knownOpaque_, target, encoder, overwrite);
}

void TGPImage::CopyMetadataFrom(const TGPImage& other)
{
    if (!loaded_ || !other.loaded_)
        return;
    try {
        image_ = pixels::WithMetadataOf(image_, other.image_);
    } catch (const vips::VError&) {
        vips_error_clear();
    }
}

TGPBitmap::TGPBitmap(std::int64_t width, std::int64_t height)
{
    if (width < 1 || height < 1 || width > kLargestSide || height > kLargestSide) {
        Refuse({TReason::rsBadSize, {}});
        return;
    }
    try {
        image_ = VImage::black(static_cast<int>(width), static_cast<int>(height), VImage::option()->set("bands", 4))
                     .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
        loaded_ = true;
        blank_ = true;
    } catch (const vips::VError& error) {
        image_ = VImage();
        Refuse(LibraryFailure(error, TReason::rsOutOfMemory).AsFailure());
    }
}

bool TGPGraphics::FillRectangle(const TGPSolidBrush& brush, const TRect& area)
{
    if (surface_.IsEmpty() || area.width < 1 || area.height < 1)
        return false;
    const std::int64_t left = std::max<std::int64_t>(area.x, 0);
    const std::int64_t top = std::max<std::int64_t>(area.y, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{area.x} + area.width, surface_.image_.width());
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{area.y} + area.height, surface_.image_.height());
    if (right <= left || bottom <= top)
        return true;  // wholly outside: nothing to paint
    return Guarded([&] {
        const VImage patch =
            (VImage::black(static_cast<int>(right - left), static_cast<int>(bottom - top)) + BandsOf(brush.GetColor()))
                .cast(VIPS_FORMAT_UCHAR)
                .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
        return Composite(patch, static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
                         (brush.GetColor() >> 24) == 0xff);
    });
}

bool TGPGraphics::DrawImage(const TGPImage& image, std::int32_t x, std::int32_t y)
{
    lastFailure_ = {TReason::rsCannotDraw, {}};
    if (image.IsEmpty())
        return false;
    return Guarded([&] { return Composite(pixels::ToRgba8(image.image_), x, y, image.knownOpaque_); });
}

bool TGPGraphics::DrawImage(const TGPImage& image, const TRect& target)
{
    return DrawImage(
        image, target,
        TRect{0, 0, static_cast<std::int32_t>(image.GetWidth()), static_cast<std::int32_t>(image.GetHeight())});
}

bool TGPGraphics::DrawImage(const TGPImage& image, const TRect& target, const TRect& part)
{
    lastFailure_ = {TReason::rsCannotDraw, {}};
    if (image.IsEmpty() || target.width < 1 || target.height < 1 || part.width < 1 || part.height < 1)
        return false;
    // A small picture, or one shrunk fourfold in high quality, is scaled at once, reading
    // its pixels: damage met there is the picture's.
    VImage scaled;
    const TOutcome read = GuardedOutcome(TReason::rsDamaged, [&] {
        const VImage cut = image.PartToScale(part, target.width, target.height);
        scaled = pixels::ResizeTo(cut, target.width, target.height, KernelFor(mode_));
        return TOutcome::Success();
    });
    if (!read) {
        lastFailure_ = read.AsFailure();
        return false;
    }
    const bool opaque = image.knownOpaque_ && PartInside(part, image.image_);
    return Guarded([&] { return Composite(pixels::ToRgba8(scaled), target.x, target.y, opaque); });
}

bool TGPGraphics::DrawPixels(const VImage& pixels, std::int32_t x, std::int32_t y, double alphaScale)
{
    if (pixels.get_image() == nullptr)
        return false;
    return Guarded([&] {
        VImage overlay = pixels::ToRgba8(pixels);
        const bool opaque = !pixels::HasAlpha(pixels) && alphaScale >= 1.0;
        if (alphaScale != 1.0)
            overlay = overlay.linear({1.0, 1.0, 1.0, std::clamp(alphaScale, 0.0, 1.0)}, {0.0, 0.0, 0.0, 0.5})
                          .cast(VIPS_FORMAT_UCHAR);
        return Composite(overlay, x, y, opaque);
    });
}

// Puts an 8-bit RGBA overlay "over" the surface at (x, y), clipped to the surface.
bool TGPGraphics::Composite(VImage overlay, std::int32_t x, std::int32_t y, bool overlayOpaque)
{
    if (surface_.IsEmpty())
        return false;
    const VImage base = surface_.image_;
    const std::int64_t left = std::max<std::int64_t>(x, 0);
    const std::int64_t top = std::max<std::int64_t>(y, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{x} + overlay.width(), base.width());
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{y} + overlay.height(), base.height());
    if (right <= left || bottom <= top)
        return true;  // wholly outside: nothing to draw
    const int width = static_cast<int>(right - left);
    const int height = static_cast<int>(bottom - top);
    if (width != overlay.width() || height != overlay.height())
        overlay = overlay.crop(static_cast<int>(left - x), static_cast<int>(top - y), width, height);

    const bool covers = width == base.width() && height == base.height();
    VImage result;
    bool opaque = surface_.knownOpaque_;
    if (covers && (surface_.blank_ || overlayOpaque)) {
        // Over transparent black, or opaque over anything, leaves just the overlay.
        result = pixels::WithMetadataOf(overlay, base);
        opaque = overlayOpaque;
    } else {
        result = pixels::ToRgba8(base)
                     .composite2(overlay, VIPS_BLEND_MODE_OVER,
                                 VImage::option()->set("x", static_cast<int>(left))->set("y", static_cast<int>(top)))
                     .cast(VIPS_FORMAT_UCHAR);
    }
    surface_.image_ = result.copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
    surface_.blank_ = false;
    surface_.knownOpaque_ = opaque;
    surface_.file_.clear();  // its pixels are no longer those of its file
    return true;
}

}  // namespace quillane
