#pragma once

#include <vips/vips8>

#include "imaging/Encoders.h"
#include "imaging/Outcome.h"

namespace quillane {

// Encodes the picture with the encoder of that id and puts it at the target in one
// piece (see TAtomicFile). An alpha band whose pixels are all opaque is left out;
// knownOpaque says so without reading the pixels. A failure for an unknown id, a
// picture that cannot be decoded or encoded, or a file that cannot be written; the
// target is then as it was. Without overwrite a file found at the target when the
// picture is committed stays, and the save fails. Throws nothing.
// The image is taken by value: given the only reference, the decoder behind it is let
// go of as soon as the pixels are read, before the encoder needs its memory.
TOutcome SaveImage(vips::VImage image, bool knownOpaque, const TPath& target, const TEncoderId& encoder,
                   bool overwrite);

}  // namespace quillane
