#pragma once

#include <exception>
#include <utility>

#include "imaging/Graphics.h"
#include "imaging/LibraryGuard.h"
#include "imaging/ThumbnailGeometry.h"

// Steps shared by the thumbnail routines.
namespace quillane::thumbnail {

// Both sides at least 1 and within the library's limits.
bool ValidSize(const TSize64& size);

TRect ToRect(const TRect64& rect);

TEncoderId JpegEncoder();

// Fast form: the library's thumbnail of exactly that size, saved as it is.
TOutcome SaveFast(const TGPImage& source, const TSize64& size, const TPath& target, const TEncoderId& encoder,
                  bool overwrite);

// High-quality form: a canvas of that size with the whole source drawn into it
// bicubically, saved with the source's metadata. A failure when the source cannot be drawn.
TOutcome SaveHighQuality(const TGPImage& source, const TSize64& size, const TPath& target, const TEncoderId& encoder,
                         bool overwrite);

// The failure of a routine that found its target taken, nothing touched.
TOutcome TargetTaken();

// Runs a routine's body so that nothing escapes it: whatever is thrown is a failure.
template <class TBody>
TOutcome Guarded(TBody&& body) noexcept
{
    return GuardedOutcome(TReason::rsDamaged, std::forward<TBody>(body));
}

}  // namespace quillane::thumbnail
