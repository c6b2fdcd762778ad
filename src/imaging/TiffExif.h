#pragma once

#include <filesystem>
#include <string>

// EXIF in TIFF files, which the library's TIFF saver leaves out: the EXIF and GPS
// directories are written with libtiff after the save, and the first directory points
// to them.
namespace quillane::tiffexif {

// Adds the EXIF block's EXIF and GPS tags, and its describing first-directory tags
// (maker, model, date, artist, copyright, description, software), to the written TIFF
// file. True as well when the block holds nothing to add; false when
// the file could not be read or rewritten, and it is then no longer to be trusted.
bool AddExif(const std::filesystem::path& file, const std::string& exif);

}  // namespace quillane::tiffexif
