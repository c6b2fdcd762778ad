#pragma once

#include <filesystem>
#include <string>

namespace quillane {

// Reads a whole file. A missing or unreadable file gives false and leaves `text` empty.
bool ReadTextFile(const std::filesystem::path& file, std::string& text);

// Replaces a file's content as one step: the new text goes to a temporary file beside
// it that is then renamed over it, so an interrupted write never leaves a half file.
// A file whose owner may not write it is left alone (false). Missing parent folders
// are created. When the folder itself refuses new files, an existing writable file is
// rewritten in place instead. A link is followed and its target replaced.
bool ReplaceTextFile(const std::filesystem::path& file, const std::string& text);

}  // namespace quillane
