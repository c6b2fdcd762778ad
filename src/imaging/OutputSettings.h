#pragma once

#include <functional>

#include "imaging/Files.h"
#include "imaging/Outcome.h"

// How pictures are written: encoder quality and effort, what metadata goes along, and
// whether a written file takes its source's time. The defaults write what the program
// always wrote.
namespace quillane {

enum class TMetadataMode : int {
    mdKeep = 0,      // EXIF (orientation reset to upright), ICC, XMP and IPTC go along
    mdStrip = 1,     // nothing but the pixels
    mdStripGps = 2,  // everything but the EXIF location tags
};

struct TOutputSettings {
    int JpegQuality = 75;
    int WebpQuality = 75;
    int AvifQuality = 50;
    int HeicQuality = 50;
    int JxlQuality = 75;
    bool Lossless = false;  // WebP and JPEG XL
    int PngCompression = 6;
    // AVIF effort 0 keeps a 12-megapixel photo well under a second; every step above
    // costs about as much again. The HEVC encoder of this libheif ignores the effort.
    // JPEG XL's own default (7) takes several seconds per photo; 3 takes a third of one.
    int AvifEffort = 0;
    int HeicEffort = 4;
    int JxlEffort = 3;
    TMetadataMode Metadata = TMetadataMode::mdKeep;
    bool KeepTimes = false;
    // Every replaced file's old content goes to the Trash first, not only a run's own
    // sources, so that undo can restore it.
    bool TrashReplaced = false;

    bool operator==(const TOutputSettings&) const = default;
};

struct TSettingRange {
    int Lowest;
    int Highest;
    bool Holds(int value) const { return value >= Lowest && value <= Highest; }
};

constexpr TSettingRange kQualityRange{1, 100};
constexpr TSettingRange kEffortRange{0, 9};  // JPEG XL takes 3 for 0 to 2, its fastest
constexpr TSettingRange kPngCompressionRange{0, 9};

// True when every number lies in its range.
bool ValidOutputSettings(const TOutputSettings& settings);

// The settings the saves of this thread use: those of the innermost live
// TOutputScope, the defaults without one.
const TOutputSettings& CurrentOutputSettings();

// Makes the settings this thread's for as long as the object lives.
class TOutputScope {
public:
    explicit TOutputScope(const TOutputSettings& settings);
    ~TOutputScope();
    TOutputScope(const TOutputScope&) = delete;
    TOutputScope& operator=(const TOutputScope&) = delete;

private:
    const TOutputSettings* previous_;
};

// Runs one routine that writes the target from the source under the settings and,
// when it succeeded and the settings keep times, gives the target the source's
// modification time.
TOutcome WriteWithSettings(const TOutputSettings& settings, const TPath& source, const TPath& target,
                           const std::function<TOutcome()>& routine);

// Gives the target the source's modification time; false when either cannot be
// reached. A link at the target is left alone (nothing is changed through a link).
bool CopyModificationTime(const TPath& source, const TPath& target);

}  // namespace quillane
