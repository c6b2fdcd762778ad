#pragma once

#include <ctime>
#include <optional>

#include "imaging/Files.h"

namespace quillane {

// When the picture was taken, as its EXIF data records it (the original capture time,
// else the digitised time, else the picture's own date), in the camera's local time.
// Nothing for a picture that records none or cannot be read.
std::optional<std::tm> CaptureTime(const TPath& file) noexcept;

}  // namespace quillane
