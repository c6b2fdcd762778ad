#pragma once

#include <optional>
#include <string>

#include "imaging/Encoders.h"

// The picture formats the program writes, with what belongs to each: the extensions
// that name it, the MIME type of its encoder and the encoder itself.
namespace quillane {

enum TImageFormat : int {
    ifBmp = 0,
    ifJpeg = 1,
    ifGif = 2,
    ifPng = 3,
    ifTiff = 4,
    ifWebp = 5,
    ifHeic = 6,
    ifAvif = 7,
    ifJxl = 8,
};

// The format for a plain number; none outside the enumeration.
std::optional<TImageFormat> FormatOfValue(int value);

// The format one of whose extensions the path has, regardless of ASCII letter case;
// none for any other extension and for none at all.
std::optional<TImageFormat> FormatOfExtension(const TPath& path);

// True when the path's extension is one of the format's.
bool HasExtensionOf(const TPath& path, TImageFormat format);

// "image/jpeg" and the like.
std::string MimeOfFormat(TImageFormat format);

// The id of the encoder that writes the format, found by its MIME type.
TEncoderId EncoderForFormat(TImageFormat format);

// The format the encoder of that id writes; none for an id no encoder has.
std::optional<TImageFormat> FormatOfEncoder(const TEncoderId& encoder);

}  // namespace quillane
