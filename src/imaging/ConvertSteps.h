#pragma once

#include <functional>

#include "imaging/Convert.h"

// The conversion with its one library-bound step given from outside, so that the
// TIFF-to-JPEG fallback can be driven where our JPEG encoder would never refuse.
namespace quillane {

// Decodes the source and saves it in the format (a value outside the enumeration
// fails).
using TSaveDecoded = std::function<TOutcome(const TPath& source, const TPath& target, int format, bool overwrite)>;

// The real step: the decoded picture itself, first frame of a multi-frame file.
TOutcome SaveDecoded(const TPath& source, const TPath& target, int format, bool overwrite);

// ConvertImage saving through the given step, in the fallback's inner conversions too.
TOutcome ConvertImageWith(const TSaveDecoded& save, const TPath& source, const TPath& target, int format,
                          bool overwrite);

}  // namespace quillane
