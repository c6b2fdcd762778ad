#pragma once

#include <filesystem>
#include <string>

#include "imaging/Outcome.h"

// What every image routine shares about files: the target check, extensions and
// their MIME types, the temporary folder and whole-file copies.
namespace quillane {

using TPath = std::filesystem::path;

// First step of every routine. False when a file exists at the target and overwrite
// is false (nothing is touched). With overwrite, an existing target is made
// writable by its owner so it can be replaced. A missing target passes.
bool PrepareTarget(const TPath& target, bool overwrite);

// The part of the path from its last "." to the end, when no "/" follows that dot;
// otherwise empty.
std::string ExtractExtension(const TPath& path);

// True when the two extensions are equal regardless of ASCII letter case.
bool SameExtension(const std::string& a, const std::string& b);

// "image/jpeg" and the like for the path's extension, or empty for any other.
std::string MimeForExtension(const TPath& path);

// The system temporary folder, ending in "/".
std::string TempFolderPath();

// True when both paths name the same file: the same device and inode when both
// exist, otherwise the same normalised path.
bool SameFile(const TPath& a, const TPath& b);

// Adds the owner's write permission (the "archive only" reset). A symbolic link is
// not followed and stays as it is. Errors are ignored.
void MakeWritable(const TPath& path);

// Copies the source's bytes over the target through a temporary file in the
// target's folder; an existing target stays as it was when the copy fails. Without
// overwrite, a file that appeared at the target meanwhile stays and the copy fails.
TOutcome CopyFileReplacing(const TPath& source, const TPath& target, bool overwrite);

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const TPath& path, std::string& bytes);

}  // namespace quillane
