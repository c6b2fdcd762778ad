#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include <vips/vips8>

namespace quillane {

using TGifSink = std::function<bool(const char* bytes, std::size_t size)>;

// What a GIF of that size takes to write, in bytes, at its peak: with WriteGif for 1 or
// 3 bands, with the library's saver (which holds the picture several times) with alpha.
std::uint64_t GifEncodeBytes(std::int64_t width, std::int64_t height, int bands);

// Keeps the colour quantiser (ours and the library's saver's) on the calling thread.
// The engine runs one picture per core already: the quantiser's own threads would only
// compete with it, and their library ends the process when one cannot start.
void KeepQuantiserOnThisThread();

// Writes an 8-bit grey or sRGB picture without alpha as a one-frame GIF of up to 256
// colours, dithered, as the library's saver would. The pixels are held once, as they
// are, and let go of before the encoder takes the indexed copy: far less than the
// library's saver holds. Decodes the picture (VError on damage); false for other
// pictures, or when quantising, encoding or the sink fails. The encoder crashes when
// out of memory: reserve GifEncodeBytes() first.
bool WriteGif(const vips::VImage& image, const TGifSink& sink);

}  // namespace quillane
