#pragma once

#include <string>
#include <string_view>
#include <vips/vips8>

#include "imaging/OutputSettings.h"

// The metadata a written picture carries, as the output settings ask.
namespace quillane::metadata {

// The picture with the metadata the mode lets through: all of it, none (EXIF, ICC,
// XMP, IPTC gone), or all but the EXIF location (GPS) tags.
vips::VImage ForOutput(const vips::VImage& image, TMetadataMode mode);

// The EXIF block (as the library keeps it, "Exif\0\0" first) without its GPS
// directory; the block unchanged when it has none or cannot be read.
std::string WithoutLocation(const std::string& exif);

// A WebP file without its EXIF chunk; empty when the bytes are no WebP file.
std::string WebpWithoutExif(std::string_view webp);

}  // namespace quillane::metadata
