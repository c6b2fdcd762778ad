#pragma once

#include <filesystem>

namespace quillane {

// Gives a file a new name without ever replacing a file that already carries it:
// false, and nothing changed, when the new name is taken or the rename fails.
bool RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to);

// The same for file systems without an atomic no-replace rename: a hard link under
// the new name, which fails when the name is taken, then the old name dropped.
bool RenameByLinking(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace quillane
