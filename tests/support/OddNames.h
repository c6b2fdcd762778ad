#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A folder of awkward names and entries people meet on old disks and shares.
namespace quillane::test {

// A file the source list shows and whether a thumbnail of it can be written.
struct TOddFile {
    std::string Name;  // path below the folder, exact bytes
    bool Succeeds = true;
};

struct TOddFolder {
    std::vector<TOddFile> Files;        // the list's files, top level
    std::vector<TOddFile> WalkedFiles;  // below the folder item "album.jpg"
};

// Makes, in `folder`: 40 x 30 pictures under Chinese, spaced, dotted, upper-case,
// extensionless, shell-hostile, bracketed, 255-byte and GBK (not UTF-8) names; a
// hidden picture, a FIFO and a dangling link named like pictures; a folder named
// like a picture holding more of them and a link back to itself.
TOddFolder MakeOddFolder(const std::filesystem::path& folder);

// The names the source list must not show: the FIFO and the hidden picture.
std::vector<std::string> OddUnlistedNames();

}  // namespace quillane::test
