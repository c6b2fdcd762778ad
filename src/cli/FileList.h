#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "jobs/JobHost.h"

namespace quillane {

// The names of a list of files, one per line or, with `nullSeparated`, each ended by
// a NUL byte. Empty entries are left out; every other byte is part of the name.
std::vector<std::string> ReadFileList(std::istream& in, bool nullSeparated);

// The source list of a list of files: the names in the order given, made full paths,
// filtered by the ticked types as a folder's list is; a listed folder is a folder item.
// `root` is the folder the list stands for (--base, or the working folder).
TSourceList ListedSources(const std::vector<std::string>& names, const std::filesystem::path& root, bool subFolders,
                          const std::vector<std::string>& checkedTypes);

// The folder of `file` relative to `base`, as "a/b/" (empty for `base` itself); none
// when the file is not below `base`.
std::optional<std::string> RelativeFolder(const std::filesystem::path& file, const std::filesystem::path& base);

}  // namespace quillane
