#pragma once

#include "imaging/Thumbnails.h"

namespace quillane {

enum TImageFormat : int { ifBmp = 0, ifJpeg = 1, ifGif = 2, ifPng = 3, ifTiff = 4 };

// Writes the source in the given format (a plain copy when it already has it).
// Takes an int so that a value outside the enumeration reaches the routine and fails.
TOutcome ConvertImage(const TPath& source, const TPath& target, int format, bool overwrite);

}  // namespace quillane
