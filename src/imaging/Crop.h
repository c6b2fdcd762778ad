#pragma once

#include "imaging/Thumbnails.h"

namespace quillane {

// Cuts width x height pixels from (left, top) of the source, 1:1, and writes them in
// the source's format. Pixels outside the source stay transparent black.
TOutcome CropImage(const TPath& source, const TPath& target, std::int32_t left, std::int32_t top, std::int32_t width,
                   std::int32_t height, bool overwrite);

}  // namespace quillane
