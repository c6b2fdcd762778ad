#include "ui/PreviewLoader.h"

#include <memory>
#include <utility>

#include "imaging/PicturePixels.h"

namespace quillane {

QImage LoadPreviewPicture(const std::filesystem::path& file)
{
    std::optional<TRgbaPixels> pixels = ReadRgbaPixels(file);
    if (!pixels)
        return {};
    // The image shares the decoded bytes rather than copying them; it frees them when
    // its last copy goes.
    auto owned = std::make_unique<TRgbaPixels>(std::move(*pixels));
    QImage picture(
        owned->bytes.data(), owned->width, owned->height, static_cast<qsizetype>(owned->width) * 4,
        QImage::Format_RGBA8888, [](void* data) { delete static_cast<TRgbaPixels*>(data); }, owned.get());
    if (!picture.isNull())
        owned.release();
    return picture;
}

}  // namespace quillane
