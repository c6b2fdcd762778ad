#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/Files.h"

namespace quillane {

// The 16-byte class id of one encoder; all zero means "no encoder".
using TEncoderId = std::array<std::uint8_t, 16>;

struct TImageCodecInfo {
    TEncoderId Clsid;
    std::string CodecName;
    std::string FilenameExtension;
    std::string MimeType;
};

// The installed encoders: BMP, JPEG, GIF, TIFF, PNG, WebP, HEIC, AVIF and JPEG XL,
// in that order.
const std::vector<TImageCodecInfo>& GetImageEncoders();

// Compares every encoder's MIME type with the given one (exact, letter case counts).
// On a match copies that encoder's id into encoder; the last match wins. Returns the
// index of the match, or -1 with encoder untouched.
int EncoderForMime(const std::string& mime, TEncoderId& encoder);

// The encoder id for the target's extension; all zero when the extension has none.
TEncoderId EncoderForExtension(const TPath& target);

}  // namespace quillane
