#pragma once

#include <filesystem>

namespace quillane {

// Gives a file a new name without ever replacing a file that already carries it:
// false, and nothing changed, when the new name is taken or the rename fails.
bool RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace quillane
