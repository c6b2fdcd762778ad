#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <vips/vips8>

// Pixel-level helpers shared by the graphics layer and the encoders. They throw
// vips::VError like the library; the layer's public calls catch it.
namespace quillane::pixels {

// Up to this many pixels a picture is small: compiling a resize's loops costs more than
// they save, and its file's flush is a large share of its time.
constexpr std::int64_t kSmallPicturePixels = 256 * 1024;

// The picture, with `from` emptied: passed to a by-value parameter, the callee then
// holds the only reference and can let go of the picture (and its decoder) early.
// (The library's handles copy on std::move.)
inline vips::VImage HandOver(vips::VImage& from)
{
    vips::VImage taken = from;
    from = vips::VImage();
    return taken;
}

// Interpolation used when a picture is scaled.
enum class TKernel { Bilinear, Bicubic };

// The names of every field of the picture's header, metadata included.
std::vector<std::string> FieldNames(const vips::VImage& image);

// True when the last band is alpha (not the K of a CMYK picture).
bool HasAlpha(const vips::VImage& image);

// 8-bit sRGB, or 8-bit grey for grey pictures; CMYK, 16-bit and other spaces are converted.
vips::VImage ToEightBit(const vips::VImage& image);

// 8-bit sRGB, with alpha only where the picture has it.
vips::VImage ToRgb8(const vips::VImage& image);

// 8-bit sRGB with an alpha band: the form of every drawing surface.
vips::VImage ToRgba8(const vips::VImage& image);

// Drops the last band (the alpha).
vips::VImage WithoutAlpha(const vips::VImage& image);

// True when every pixel of an image with alpha is fully opaque; reads every pixel.
bool AlphaIsOpaque(const vips::VImage& image);

// An 8-bit image without its alpha band when every pixel is opaque (many PNGs
// carry one for nothing), which spares the weighting below. Reads every pixel:
// an image with alpha comes back decoded into memory.
vips::VImage WithoutNeedlessAlpha(const vips::VImage& image);

// Scales to exactly width x height, filtering when it shrinks and weighting colour
// by alpha so transparent pixels leave no dark fringe. A small picture made smaller
// comes back without its metadata: callers take that from the source.
vips::VImage ResizeTo(const vips::VImage& image, int width, int height, TKernel kernel);

// Makes an image that is a pixel off its wanted size exactly that size.
vips::VImage FitExactly(const vips::VImage& image, int width, int height);

// Computes the rows in the calling thread, top to bottom, a strip at a time, and
// hands each to `take` with its index; a row's bytes last until the next strip.
void ForEachRow(const vips::VImage& image, const std::function<void(int, const VipsPel*)>& take);

// Computes every pixel now, in the calling thread, top to bottom, into memory;
// metadata, interpretation and resolution come along. A decoding error surfaces
// here as VError: with several threads libvips' scaled JPEG decoding may lose it.
vips::VImage ComputedInThisThread(const vips::VImage& image);

// The source's EXIF, ICC, XMP and IPTC data (without the orientation) on a copy of target.
vips::VImage WithMetadataOf(const vips::VImage& target, const vips::VImage& source);

}  // namespace quillane::pixels
