#pragma once

#include <optional>
#include <string>

#include "imaging/OutputSettings.h"

namespace CLI {
class App;
}

namespace quillane {

// The options that say how pictures are written, as parsed; a number not given leaves
// each format's default.
struct TOutputOptions {
    std::optional<int> Quality;  // every lossy format
    bool Lossless = false;       // WebP and JPEG XL
    std::optional<int> Effort;   // AVIF, HEIC and JPEG XL
    std::optional<int> PngCompression;
    std::string Metadata = "keep";
    bool KeepTimes = false;
};

// Adds --quality, --lossless, --effort, --png-compression, --metadata and --keep-times to
// a command that writes pictures; a value out of range stops the parse.
void AddWritingOptions(CLI::App& command, TOutputOptions& options);

// The settings the options ask for.
TOutputSettings OutputSettingsOf(const TOutputOptions& options);

}  // namespace quillane
