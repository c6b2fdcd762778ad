#pragma once

#include "imaging/ImageFormat.h"
#include "imaging/Thumbnails.h"

namespace quillane {

// Writes the source in the given format (a plain copy when it already has it).
// Takes an int so that a value outside the enumeration reaches the routine and fails.
TOutcome ConvertImage(const TPath& source, const TPath& target, int format, bool overwrite);

}  // namespace quillane
