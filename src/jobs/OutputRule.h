#pragma once

#include <filesystem>
#include <string>

namespace quillane {

enum TAffixPosition { apSuffix = 0, apPrefix = 1 };

// Where a job writes its results and how it names them.
struct TOutputRule {
    std::string SaveFolder;  // ends in "/" from the start of a run on
    std::string Affix;       // trimmed; empty means no affix
    TAffixPosition AffixPosition = apSuffix;
};

// The affix position box's entry: 1 is "前缀", anything else "后缀".
TAffixPosition AffixPositionFromIndex(int comboIndex);

// The rule of a run: the save folder with its trailing "/", the affix trimmed.
TOutputRule MakeOutputRule(const std::string& saveFolder, const std::string& affix, int comboIndex);

// The text with a "/" appended unless it already ends in one.
std::string WithTrailingSlash(std::string text);

// A suffix goes right before the last "." of the path, a prefix right after its last
// "/". A path without that character is returned unchanged, and so is a path whose
// file name has no "." for a suffix.
std::filesystem::path ApplyAffix(const std::filesystem::path& path, const TOutputRule& rule);

}  // namespace quillane
