#pragma once

#include <filesystem>
#include <functional>

// A way for tests to reach the conversion's fallback path: our JPEG encoder takes
// practically every TIFF, so a test makes the next JPEG save refuse instead.
// Both hold for the calling thread only, so fallbacks on several threads can be
// tested at once.
namespace quillane::seams {

// The next JPEG save of ConvertImage fails as if the encoder had refused the picture.
void RefuseNextJpegSave();

// Called with the fallback's temporary bitmap once it is written, before the JPEG is
// made from it. An empty function stops the watching.
void WatchFallbackBitmap(std::function<void(const std::filesystem::path&)> watcher);

}  // namespace quillane::seams
