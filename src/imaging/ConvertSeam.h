#pragma once

// A way for tests to reach the conversion's fallback path: our JPEG encoder takes
// practically every TIFF, so a test makes the next JPEG save refuse instead.
namespace quillane::seams {

// The next JPEG save of ConvertImage fails as if the encoder had refused the picture.
void RefuseNextJpegSave();

}  // namespace quillane::seams
