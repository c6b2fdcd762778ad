#pragma once

#include <QImage>

#include <filesystem>

namespace quillane {

// Reads a picture for the preview, upright (its EXIF orientation applied). JPEG and BMP
// files go through the toolkit's reader, the other formats through the image library.
// Returns a null image when the file cannot be read or decoded.
QImage LoadPreviewPicture(const std::filesystem::path& file);

}  // namespace quillane
