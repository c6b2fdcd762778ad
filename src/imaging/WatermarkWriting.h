#pragma once

#include <cstdint>

#include "imaging/Graphics.h"

// What the two watermark routines share about their target.
namespace quillane {

// False when a file exists at the target and overwrite is false. Unlike the other
// routines, a stamp leaves the target's permissions alone at this point.
bool StampTargetIsFree(const TPath& target, bool overwrite);

// True when the picture is narrower than the minimum width; compared as 64-bit
// numbers, so a negative minimum never skips.
bool NarrowerThan(const TGPImage& picture, std::int32_t minWidth);

// Writes the stamped picture in the source's format. A target that is the source
// itself is replaced in one piece; another target that its owner may not write is
// left alone and gives a failure. Without overwrite, a file that appeared at the
// target meanwhile stays and gives a failure.
TOutcome WriteStamped(const TGPImage& stamped, const TPath& source, const TPath& target, bool overwrite);

}  // namespace quillane
