#pragma once

#include <exception>

#include "imaging/Graphics.h"
#include "imaging/ThumbnailGeometry.h"

// Steps shared by the thumbnail routines.
namespace quillane::thumbnail {

// Both sides at least 1 and within the library's limits.
bool ValidSize(const TSize64& size);

TRect ToRect(const TRect64& rect);

TEncoderId JpegEncoder();

// Fast form: the library's thumbnail of exactly that size, saved as it is.
bool SaveFast(const TGPImage& source, const TSize64& size, const TPath& target, const TEncoderId& encoder,
              bool overwrite);

// High-quality form: a canvas of that size with the whole source drawn into it
// bicubically, saved with the source's metadata. False when the source cannot be drawn.
bool SaveHighQuality(const TGPImage& source, const TSize64& size, const TPath& target, const TEncoderId& encoder,
                     bool overwrite);

// Runs a routine's body so that nothing escapes it: whatever is thrown means false.
template <class TBody>
bool Guarded(TBody&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return false;
    }
}

}  // namespace quillane::thumbnail
