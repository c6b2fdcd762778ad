#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "imaging/Outcome.h"

// The desktop's Trash as freedesktop.org lays it out: a `files/` and an
// `info/` folder, the home trash in $XDG_DATA_HOME/Trash for files on its file system,
// `.Trash/$uid` or `.Trash-$uid` at the top of any other. Quillane writes its entries
// itself, so that it knows where each one went and can take it back.
namespace quillane {

// One entry: the trashed content and its .trashinfo file.
struct TTrashEntry {
    std::filesystem::path File;
    std::filesystem::path Info;
};

// The user's data folder: $XDG_DATA_HOME, or ~/.local/share.
std::filesystem::path DataHome();

// The home trash: the data folder's Trash.
std::filesystem::path HomeTrash();

// Now in local time, as "2026-12-08T19:59:27" (a .trashinfo's DeletionDate).
std::string LocalTimestamp();

// Puts the content of `path` in the Trash while leaving `path` itself as it is (a
// second link to the same file, or a copy where the file system has no links), so
// that a following write can replace it. Fails with rsCannotTrash and its reason when
// there is no Trash on that file system or no room in it.
TOutcome KeepInTrash(const std::filesystem::path& path, TTrashEntry& entry);

// Takes an entry out again without restoring it (the write it was made for failed).
void DiscardTrashEntry(const TTrashEntry& entry);

// Moves an entry's content back to `original`, replacing what is there, and removes
// its .trashinfo. Fails when the entry is gone from the Trash.
TOutcome RestoreFromTrash(const TTrashEntry& entry, const std::filesystem::path& original);

// The value of a .trashinfo's Path= line: the path percent-encoded as a URL path.
std::string TrashInfoPath(const std::string& path);

}  // namespace quillane
