#pragma once

#include <cstdint>
#include <filesystem>

#include "imaging/Outcome.h"

// The thumbnail routines. Each reads one source, writes one target and returns
// true when the target was written; none throws, shows a message or makes a folder.
namespace quillane {

using TPath = std::filesystem::path;
using TArgb = std::uint32_t;  // alpha in the top byte, then red, green, blue

TOutcome ThumbPercentFast(const TPath& source, const TPath& target, std::int32_t widthPercent,
                          std::int32_t heightPercent, bool overwrite);
TOutcome ThumbPercentHQ(const TPath& source, const TPath& target, std::int32_t widthPercent, std::int32_t heightPercent,
                        bool overwrite);

TOutcome ThumbExactFast(const TPath& source, const TPath& target, std::int32_t width, std::int32_t height,
                        bool overwrite);
TOutcome ThumbExactHQ(const TPath& source, const TPath& target, std::int32_t width, std::int32_t height,
                      bool overwrite);

TOutcome ThumbFillFast(const TPath& source, const TPath& target, std::int32_t width, std::int32_t height,
                       TArgb fillColour, bool overwrite);
TOutcome ThumbFillHQ(const TPath& source, const TPath& target, std::int32_t width, std::int32_t height,
                     TArgb fillColour, bool overwrite);

TOutcome ThumbCutFast(const TPath& source, const TPath& target, std::int32_t width, std::int32_t height,
                      bool overwrite);
TOutcome ThumbCutHQ(const TPath& source, const TPath& target, std::int32_t width, std::int32_t height, bool overwrite);

TOutcome ThumbSideFast(const TPath& source, const TPath& target, bool byWidth, std::int32_t size, bool overwrite,
                       bool skipSmaller);
TOutcome ThumbSideHQ(const TPath& source, const TPath& target, bool byWidth, std::int32_t size, bool overwrite,
                     bool skipSmaller);

}  // namespace quillane
