#pragma once

#include <cstdint>
#include <filesystem>

// The thumbnail routines. Each reads one source, writes one target and returns
// true when the target was written; none throws, shows a message or makes a folder.
namespace quillane {

using TPath = std::filesystem::path;
using TArgb = std::uint32_t;  // alpha in the top byte, then red, green, blue

bool ThumbPercentFast(const TPath& source, const TPath& target, std::int32_t widthPercent,
                      std::int32_t heightPercent, bool overwrite);
bool ThumbPercentHQ(const TPath& source, const TPath& target, std::int32_t widthPercent,
                    std::int32_t heightPercent, bool overwrite);

bool ThumbExactFast(const TPath& source, const TPath& target, std::int32_t width, std::int32_t height,
                    bool overwrite);
bool ThumbExactHQ(const TPath& source, const TPath& target, std::int32_t width, std::int32_t height,
                  bool overwrite);

bool ThumbFillFast(const TPath& source, const TPath& target, std::int32_t width, std::int32_t height,
                   TArgb fillColour, bool overwrite);
bool ThumbFillHQ(const TPath& source, const TPath& target, std::int32_t width, std::int32_t height,
                 TArgb fillColour, bool overwrite);

bool ThumbCutFast(const TPath& source, const TPath& target, std::int32_t width, std::int32_t height,
                  bool overwrite);
bool ThumbCutHQ(const TPath& source, const TPath& target, std::int32_t width, std::int32_t height,
                bool overwrite);

bool ThumbSideFast(const TPath& source, const TPath& target, bool byWidth, std::int32_t size, bool overwrite,
                   bool skipSmaller);
bool ThumbSideHQ(const TPath& source, const TPath& target, bool byWidth, std::int32_t size, bool overwrite,
                 bool skipSmaller);

}  // namespace quillane
