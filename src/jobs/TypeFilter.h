#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillane {

// The entries of the type list, in list order: the five classic formats, then WebP,
// HEIC, AVIF and JPEG XL. Their captions are what the type test searches.
const std::vector<std::string>& TypeCaptions();

// The file type test: the last four characters of the name (all of it when shorter),
// upper-cased, must occur in the caption of a ticked type entry.
bool MatchesCheckedType(std::string_view name, const std::vector<std::string>& checkedCaptions);

// Whether the path's extension is ".tif" or ".tiff", in any letter case.
bool IsTiffPath(std::string_view path);

}  // namespace quillane
