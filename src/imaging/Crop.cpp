#include "imaging/Crop.h"

#include <exception>
#include <utility>

#include "imaging/Graphics.h"

namespace quillane {

namespace {

bool Overlaps(const TGPImage& picture, std::int64_t left, std::int64_t top, std::int64_t width,
              std::int64_t height) {
    return left < picture.GetWidth() && top < picture.GetHeight() && left + width > 0 && top + height > 0;
}

bool Crop(const TPath& source, const TPath& target, std::int32_t left, std::int32_t top, std::int32_t width,
          std::int32_t height, bool overwrite) {
    // Decoded from a copy in memory, so the target may be the source itself.
    std::string bytes;
    if (!ReadWholeFile(source, bytes)) return false;
    const TGPImage picture = TGPImage::FromMemory(std::move(bytes));
    if (picture.IsEmpty()) return false;

    TGPBitmap canvas(width, height);
    if (canvas.IsEmpty()) return false;
    // A rectangle wholly outside the picture leaves the canvas transparent black.
    if (Overlaps(picture, left, top, width, height)) {
        TGPGraphics graphics(canvas);
        graphics.SetInterpolationMode(imHighQualityBicubic);
        if (!graphics.DrawImage(picture, TRect{0, 0, width, height}, TRect{left, top, width, height})) return false;
    }
    canvas.CopyMetadataFrom(picture);
    return canvas.Save(target, EncoderForExtension(source), overwrite);
}

}  // namespace

bool CropImage(const TPath& source, const TPath& target, std::int32_t left, std::int32_t top, std::int32_t width,
               std::int32_t height, bool overwrite) {
    if (!PrepareTarget(target, overwrite)) return false;
    try {
        return Crop(source, target, left, top, width, height, overwrite);
    } catch (const std::exception&) {  // out of memory, or a library error that slipped through
        vips_error_clear();
        return false;
    }
}

}  // namespace quillane
