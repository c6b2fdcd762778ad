#pragma once

#include <filesystem>
#include <string>
#include <vips/vips8>

// EXIF blocks made in code, and what a written file's EXIF says when read back.
namespace quillane::test {

// An EXIF block (as the library keeps it, "Exif\0\0" first) naming the camera maker
// "Quillane Test" and, when asked, a GPS position (latitude 51 N).
std::string ExifBlock(bool withLocation);

// The picture carrying that block.
vips::VImage WithExif(const vips::VImage& image, bool withLocation);

// What the file's EXIF holds, read back by the library.
struct TExifContents {
    bool HasExif = false;
    bool HasMaker = false;     // the maker "Quillane Test"
    bool HasLocation = false;  // any GPS tag
};
TExifContents ExifOf(const std::filesystem::path& path);

}  // namespace quillane::test
