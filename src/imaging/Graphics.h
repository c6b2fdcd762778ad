#pragma once

#include <cstdint>
#include <vips/vips8>

#include "imaging/Encoders.h"
#include "imaging/Files.h"
#include "imaging/Outcome.h"

// Owning wrappers over the image library, named after the drawing interface the
// routines are written against: a decoded picture, a blank canvas, a drawing surface
// and a brush. Nothing here throws: a failed call yields an empty picture (width and
// height 0) or false.
namespace quillane {

using TArgb = std::uint32_t;  // alpha in the top byte, then red, green, blue

enum TInterpolationMode : int { imDefault = 0, imHighQualityBilinear = 6, imHighQualityBicubic = 7 };

struct TRect {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

class TGPImage {
public:
    TGPImage() = default;
    // Loads a JPEG, PNG, GIF, TIFF or BMP file (known by its content), upright (its
    // EXIF orientation applied). Any other file, one that cannot be opened or
    // decoded, or a header claiming an absurd size gives an empty image; damage
    // inside the pixel data makes the later save fail. The pixels stream from the file: draw or save
    // a loaded picture once (its thumbnail reads the file afresh).
    explicit TGPImage(const TPath& file);
    // Loads from an in-memory copy of a picture file; the copy is kept as needed.
    static TGPImage FromMemory(std::string bytes);

    std::uint32_t GetWidth() const;
    std::uint32_t GetHeight() const;
    bool IsEmpty() const { return !loaded_; }
    // Why an empty image has no pixels (unreadable, damaged, not a picture, too large).
    TOutcome LoadOutcome() const { return loaded_ ? TOutcome::Success() : TOutcome::Failure(failure_); }

    // A scaled copy of exactly width x height, made the fast way (shrink-on-load
    // where the format allows) and decoded at once. Empty when it cannot be made,
    // damaged pixel data included.
    TGPImage GetThumbnail(std::int32_t width, std::int32_t height) const;
    // The whole picture scaled to exactly width x height in that mode, in 8-bit sRGB,
    // with its metadata: what drawing it onto a blank canvas of that size gives, made
    // without the canvas. Nothing is decoded until it is saved.
    TGPImage ScaledTo(std::int32_t width, std::int32_t height, TInterpolationMode mode) const;

    // Writes the picture with the encoder of that id, atomically. A failure when the
    // id names no encoder or the picture cannot be decoded or written, and, without
    // overwrite, when a file is at the target by the time it would be replaced.
    TOutcome Save(const TPath& target, const TEncoderId& encoder, bool overwrite = true) const&;
    // As above, for a picture used once: its decoder is let go of as soon as the
    // pixels are read, so a large photo is not held twice while it is encoded.
    TOutcome Save(const TPath& target, const TEncoderId& encoder, bool overwrite = true) &&;

    // Takes over the other picture's EXIF (orientation excluded), ICC, XMP and IPTC data.
    void CopyMetadataFrom(const TGPImage& other);

    // The library image behind the picture, for drawing extensions (text, colour
    // matrices). Undefined when IsEmpty().
    const vips::VImage& Pixels() const { return image_; }
    // True when the picture is known to have no transparent pixel.
    bool KnownOpaque() const { return knownOpaque_; }

protected:
    friend class TGPGraphics;

    // Takes a decoded picture, or none (an empty image) when it has no pixels.
    void Adopt(const vips::VImage& image);
    void Refuse(TFailure failure);
    // Empties this picture and refuses it for the failure's reason.
    void RefuseInstead(const TOutcome& failure);
    bool CanScaleTo(std::int32_t width, std::int32_t height, TGPImage& result) const;
    // The part of the picture to scale to width x height, cut out. A JPEG still as in its
    // file is read again at a fraction of its size where the scaling allows, for a
    // fraction of the decoding; the part is then cut to within a quarter of a pixel of
    // the scaled result.
    vips::VImage PartToScale(const TRect& part, std::int32_t width, std::int32_t height) const;

    vips::VImage image_;
    bool loaded_ = false;
    bool knownOpaque_ = false;
    bool blank_ = false;                        // every pixel still transparent black
    TPath file_;                                // set while the pixels are those of this file, re-readable
    TFailure failure_{TReason::rsDamaged, {}};  // why it is empty
};

// A new canvas: width x height pixels of 8-bit sRGB with alpha, all transparent
// black. Empty when either side is below 1 or too large for the library.
class TGPBitmap : public TGPImage {
public:
    TGPBitmap(std::int64_t width, std::int64_t height);
};

class TGPSolidBrush {
public:
    explicit TGPSolidBrush(TArgb colour) : colour_(colour) {}
    TArgb GetColor() const { return colour_; }

private:
    TArgb colour_;
};

// A drawing surface on a picture. Every drawing composites "over" what is already
// there and is clipped to the picture; parts outside it are dropped.
class TGPGraphics {
public:
    explicit TGPGraphics(TGPImage& surface) : surface_(surface) {}

    void SetInterpolationMode(TInterpolationMode mode) { mode_ = mode; }
    TInterpolationMode GetInterpolationMode() const { return mode_; }

    bool FillRectangle(const TGPSolidBrush& brush, const TRect& area);
    // The whole image at (x, y), in its own size.
    bool DrawImage(const TGPImage& image, std::int32_t x, std::int32_t y);
    // The whole image scaled into the rectangle.
    bool DrawImage(const TGPImage& image, const TRect& target);
    // The part of the image scaled into the rectangle; parts of it outside the
    // image count as transparent.
    bool DrawImage(const TGPImage& image, const TRect& target, const TRect& part);
    // Why the last DrawImage failed: the damage met reading its picture's pixels while
    // scaling it, or rsCannotDraw.
    TOutcome LastFailure() const { return TOutcome::Failure(lastFailure_); }
    // 8-bit sRGB pixels (alpha optional) at (x, y), their alpha scaled by alphaScale.
    // The primitive for text and colour-matrix drawing.
    bool DrawPixels(const vips::VImage& pixels, std::int32_t x, std::int32_t y, double alphaScale = 1.0);

private:
    bool Composite(vips::VImage overlay, std::int32_t x, std::int32_t y, bool overlayOpaque);

    TGPImage& surface_;
    TInterpolationMode mode_ = imDefault;
    TFailure lastFailure_{TReason::rsCannotDraw, {}};
};

}  // namespace quillane
