#pragma once

#include <QImage>

#include <filesystem>

namespace quillane {

// Reads a picture for the preview, upright (its EXIF orientation applied), through the
// same loading as the runs: a file every run refuses shows no picture. Returns a null
// image when the file is refused or cannot be decoded.
QImage LoadPreviewPicture(const std::filesystem::path& file);

}  // namespace quillane
