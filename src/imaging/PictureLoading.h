#pragma once

#include <string>
#include <vips/vips8>

#include "imaging/Files.h"
#include "imaging/Outcome.h"

// Decoding of the picture formats the program reads (JPEG, PNG, GIF, TIFF, BMP,
// WebP, HEIC, AVIF, JPEG XL), recognised by their first bytes whatever the name
// says; of an animation or a file of several pictures, the first. Anything else,
// and a header claiming more pixels than a picture can sensibly have, is refused
// before any pixel is decoded.
namespace quillane::loading {

struct TLoaded {
    vips::VImage image;                 // upright; no image (get_image() null) when refused
    bool streamable = false;            // re-readable from its file by the fast thumbnail
    TReason refusal = TReason::rsNone;  // why there is no image, when refused
};

// Both throw vips::VError when the library fails.
TLoaded LoadPictureFile(const TPath& file);
TLoaded LoadPictureBytes(const std::string& bytes);

// A fast thumbnail of a streamable picture file, read afresh (shrink-on-load).
vips::VImage ThumbnailFromFile(const TPath& file, int width, int height);

// For a scaling of a colour or grey JPEG file, upright uprightWidth x uprightHeight, to
// width x height: the picture decoded at 1/2, 1/4 or 1/8 of its size, the smallest that
// still leaves at least a halving to the resize in both directions, upright. No image
// when the file is no such JPEG or the scaling shrinks it by less than 4.
vips::VImage ShrunkForScaling(const TPath& file, int uprightWidth, int uprightHeight, int width, int height);

}  // namespace quillane::loading
