#pragma once

#include <string>
#include <string_view>

#include <vips/vips8>

#include "imaging/Files.h"
#include "imaging/Outcome.h"

// Checks made before a picture is decoded. The decoders let some damage pass as a
// mere warning and fill what is missing with grey, which would make a cut-off photo
// a "successful" half-grey thumbnail; such files are refused here, up front.
namespace quillane {

// False for damage the decoders would let pass: a JPEG without its end marker after
// the first scan (cut short), a PNG whose critical chunks stop short, fail their
// checksum or never reach the end chunk. Other formats pass.
bool LooksComplete(std::string_view bytes);

// LooksComplete on the file's bytes; false as well when the path is not a regular
// file (a FIFO is never read, so it cannot block) or cannot be read.
bool FileLooksComplete(const TPath& file);

// Why a source file cannot be read at all (missing, no regular file, no permission),
// told by the system before any byte is decoded; rsNone when it can be opened.
TReason SourceFileReason(const TPath& file);

// Only JPEG, PNG, GIF, TIFF, BMP, WebP, HEIF (HEIC and AVIF) and JPEG XL are read; every other decoder of the library
// (vector, document, scientific and raw formats) is switched off. Called once at start-up.
void RestrictDecoders();

}  // namespace quillane
