#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <utility>

namespace quillane {

// A path taken down once so that later comparisons need no file system calls: its
// normalised form (links of the existing part resolved) and, when the file exists,
// its device and inode.
struct TPathKey {
    std::filesystem::path Normal;
    std::optional<std::pair<std::uintmax_t, std::uintmax_t>> Identity;
};

TPathKey KeyOf(const std::filesystem::path& path);

// Whether two keys may name one file: the same normalised path, or the same file
// seen under two names. A file replaced meanwhile gets a new inode, so the path alone
// is enough to match.
bool SameFileKey(const TPathKey& a, const TPathKey& b);

// The key of the folder that holds `file`.
TPathKey FolderKeyOf(const TPathKey& file);

}  // namespace quillane
