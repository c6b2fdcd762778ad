#include "imaging/Graphics.h"

#include <algorithm>
#include <functional>
#include <new>

#include "imaging/ImageSaving.h"
#include "imaging/Pixels.h"

namespace quillane {

using vips::VImage;
using vips::VSource;

namespace {

constexpr std::int64_t kLargestSide = 10000000;  // the library's limit on a side

// Loader options: decoding errors and truncation fail the load (or the later
// read of the pixels) rather than giving a grey-filled picture.
VImage LoadFromSource(const VSource& source, VipsAccess access) {
    return VImage::new_from_source(source, "",
                                   VImage::option()->set("access", access)->set("fail_on", VIPS_FAIL_ON_ERROR));
}

bool NeedsTurning(const VImage& image) {
    if (image.get_typeof(VIPS_META_ORIENTATION) == 0) return false;
    const int orientation = image.get_int(VIPS_META_ORIENTATION);
    return orientation >= 2 && orientation <= 8;
}

// Streams the picture top to bottom when it is already upright; a turned picture
// is read in another order, so it is opened for random access and turned.
VImage LoadUpright(const std::function<VSource()>& open) {
    VImage image = LoadFromSource(open(), VIPS_ACCESS_SEQUENTIAL);
    if (!NeedsTurning(image)) return image;
    return LoadFromSource(open(), VIPS_ACCESS_RANDOM).autorot();
}

bool HasSourceLoader(const VSource& source) {
    if (vips_foreign_find_load_source(source.get_source()) != nullptr) return true;
    vips_error_clear();
    return false;
}

// Formats with no streaming loader are decoded at once from the bytes, while they live.
VImage DecodeBytes(const std::string& bytes) {
    VImage image = VImage::new_from_buffer(bytes.data(), bytes.size(), "",
                                           VImage::option()->set("fail_on", VIPS_FAIL_ON_ERROR));
    image = image.copy_memory();
    return NeedsTurning(image) ? image.autorot() : image;
}

VSource SourceFromBlob(VipsBlob* blob) {
    return VSource(vips_source_new_from_blob(blob));
}

std::vector<double> BandsOf(TArgb colour) {
    return {static_cast<double>((colour >> 16) & 0xff), static_cast<double>((colour >> 8) & 0xff),
            static_cast<double>(colour & 0xff), static_cast<double>(colour >> 24)};
}

pixels::TKernel KernelFor(TInterpolationMode mode) {
    return mode == imHighQualityBicubic ? pixels::TKernel::Bicubic : pixels::TKernel::Bilinear;
}

bool PartInside(const TRect& part, const VImage& image) {
    return part.x >= 0 && part.y >= 0 && static_cast<std::int64_t>(part.x) + part.width <= image.width() &&
           static_cast<std::int64_t>(part.y) + part.height <= image.height();
}

// The source part, cut out; what lies outside the picture is transparent black.
VImage CutPart(const VImage& image, const TRect& part) {
    if (part.x == 0 && part.y == 0 && part.width == image.width() && part.height == image.height()) return image;
    if (PartInside(part, image)) return image.crop(part.x, part.y, part.width, part.height);
    return pixels::ToRgba8(image).embed(-part.x, -part.y, part.width, part.height);
}

}  // namespace

TGPImage::TGPImage(const TPath& file) {
    try {
        VSource probe = VSource::new_from_file(file.c_str());
        if (HasSourceLoader(probe)) {
            image_ = LoadUpright([&file] { return VSource::new_from_file(file.c_str()); });
            file_ = file;
        } else {
            std::string bytes;
            if (!ReadWholeFile(file, bytes)) return;
            image_ = DecodeBytes(bytes);
        }
        loaded_ = image_.width() > 0 && image_.height() > 0;
        knownOpaque_ = !pixels::HasAlpha(image_);
    } catch (const vips::VError&) {
        vips_error_clear();
        image_ = VImage();
        loaded_ = false;
    } catch (const std::bad_alloc&) {
        image_ = VImage();
        loaded_ = false;
    }
}

TGPImage TGPImage::FromMemory(std::string bytes) {
    TGPImage result;
    VipsBlob* blob = nullptr;
    try {
        // The blob owns a copy of the bytes for as long as the loaded picture needs them.
        blob = vips_blob_copy(bytes.data(), bytes.size());
        if (HasSourceLoader(SourceFromBlob(blob)))
            result.image_ = LoadUpright([blob] { return SourceFromBlob(blob); });
        else
            result.image_ = DecodeBytes(bytes);
        result.loaded_ = result.image_.width() > 0 && result.image_.height() > 0;
        result.knownOpaque_ = !pixels::HasAlpha(result.image_);
    } catch (const vips::VError&) {
        vips_error_clear();
        result = TGPImage();
    } catch (const std::bad_alloc&) {
        result = TGPImage();
    }
    if (blob != nullptr) vips_area_unref(VIPS_AREA(blob));
    return result;
}

std::uint32_t TGPImage::GetWidth() const {
    return loaded_ ? static_cast<std::uint32_t>(image_.width()) : 0;
}

std::uint32_t TGPImage::GetHeight() const {
    return loaded_ ? static_cast<std::uint32_t>(image_.height()) : 0;
}

TGPImage TGPImage::GetThumbnail(std::int32_t width, std::int32_t height) const {
    TGPImage result;
    if (!loaded_ || width < 1 || height < 1 || width > kLargestSide || height > kLargestSide) return result;
    try {
        VImage thumbnail;
        if (!file_.empty()) {
            thumbnail = VImage::thumbnail_source(VSource::new_from_file(file_.c_str()), width,
                                                 VImage::option()
                                                     ->set("height", height)
                                                     ->set("size", VIPS_SIZE_FORCE)
                                                     ->set("option_string", "fail_on=error"));
        } else {
            thumbnail = image_.thumbnail_image(
                width, VImage::option()->set("height", height)->set("size", VIPS_SIZE_FORCE)->set("no_rotate", true));
        }
        result.image_ = pixels::FitExactly(thumbnail, width, height);
        result.loaded_ = true;
        result.knownOpaque_ = !pixels::HasAlpha(result.image_);
    } catch (const vips::VError&) {
        vips_error_clear();
        result = TGPImage();
    } catch (const std::bad_alloc&) {
        result = TGPImage();
    }
    return result;
}

bool TGPImage::Save(const TPath& target, const TEncoderId& encoder) const {
    return loaded_ && SaveImage(image_, knownOpaque_, target, encoder);
}

void TGPImage::CopyMetadataFrom(const TGPImage& other) {
    if (!loaded_ || !other.loaded_) return;
    try {
        image_ = pixels::WithMetadataOf(image_, other.image_);
    } catch (const vips::VError&) {
        vips_error_clear();
    }
}

TGPBitmap::TGPBitmap(std::int64_t width, std::int64_t height) {
    if (width < 1 || height < 1 || width > kLargestSide || height > kLargestSide) return;
    try {
        image_ = VImage::black(static_cast<int>(width), static_cast<int>(height), VImage::option()->set("bands", 4))
                     .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
        loaded_ = true;
        blank_ = true;
    } catch (const vips::VError&) {
        vips_error_clear();
        image_ = VImage();
    }
}

bool TGPGraphics::FillRectangle(const TGPSolidBrush& brush, const TRect& area) {
    if (surface_.IsEmpty() || area.width < 1 || area.height < 1) return false;
    const std::int64_t left = std::max<std::int64_t>(area.x, 0);
    const std::int64_t top = std::max<std::int64_t>(area.y, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{area.x} + area.width, surface_.image_.width());
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{area.y} + area.height, surface_.image_.height());
    if (right <= left || bottom <= top) return true;  // wholly outside: nothing to paint
    try {
        const VImage patch = (VImage::black(static_cast<int>(right - left), static_cast<int>(bottom - top)) +
                              BandsOf(brush.GetColor()))
                                 .cast(VIPS_FORMAT_UCHAR)
                                 .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
        return Composite(patch, static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
                         (brush.GetColor() >> 24) == 0xff);
    } catch (const vips::VError&) {
        vips_error_clear();
        return false;
    }
}

bool TGPGraphics::DrawImage(const TGPImage& image, std::int32_t x, std::int32_t y) {
    if (image.IsEmpty()) return false;
    try {
        return Composite(pixels::ToRgba8(image.image_), x, y, image.knownOpaque_);
    } catch (const vips::VError&) {
        vips_error_clear();
        return false;
    }
}

bool TGPGraphics::DrawImage(const TGPImage& image, const TRect& target) {
    return DrawImage(image, target,
                     TRect{0, 0, static_cast<std::int32_t>(image.GetWidth()), static_cast<std::int32_t>(image.GetHeight())});
}

bool TGPGraphics::DrawImage(const TGPImage& image, const TRect& target, const TRect& part) {
    if (image.IsEmpty() || target.width < 1 || target.height < 1 || part.width < 1 || part.height < 1) return false;
    try {
        const bool opaque = image.knownOpaque_ && PartInside(part, image.image_);
        const VImage cut = CutPart(image.image_, part);
        const VImage scaled = pixels::ResizeTo(cut, target.width, target.height, KernelFor(mode_));
        return Composite(pixels::ToRgba8(scaled), target.x, target.y, opaque);
    } catch (const vips::VError&) {
        vips_error_clear();
        return false;
    }
}

bool TGPGraphics::DrawPixels(const VImage& pixels, std::int32_t x, std::int32_t y, double alphaScale) {
    if (pixels.get_image() == nullptr) return false;
    try {
        VImage overlay = pixels::ToRgba8(pixels);
        const bool opaque = !pixels::HasAlpha(pixels) && alphaScale >= 1.0;
        if (alphaScale != 1.0)
            overlay = overlay.linear({1.0, 1.0, 1.0, std::clamp(alphaScale, 0.0, 1.0)}, {0.0, 0.0, 0.0, 0.5})
                          .cast(VIPS_FORMAT_UCHAR);
        return Composite(overlay, x, y, opaque);
    } catch (const vips::VError&) {
        vips_error_clear();
        return false;
    }
}

// Puts an 8-bit RGBA overlay "over" the surface at (x, y), clipped to the surface.
bool TGPGraphics::Composite(VImage overlay, std::int32_t x, std::int32_t y, bool overlayOpaque) {
    if (surface_.IsEmpty()) return false;
    const VImage base = surface_.image_;
    const std::int64_t left = std::max<std::int64_t>(x, 0);
    const std::int64_t top = std::max<std::int64_t>(y, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{x} + overlay.width(), base.width());
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{y} + overlay.height(), base.height());
    if (right <= left || bottom <= top) return true;  // wholly outside: nothing to draw
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
    return true;
}

}  // namespace quillane
