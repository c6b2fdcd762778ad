#include "jobs/NoReplaceRename.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>

namespace quillane {

namespace {

// For file systems without an atomic no-replace rename: a hard link fails when the
// name is taken, and only once it exists is the old name dropped.
bool LinkThenUnlink(const char* from, const char* to)
{
    if (::link(from, to) != 0) {
        return false;
    }
    if (::unlink(from) != 0) {
        ::unlink(to);  // keep the file under its old name only
        return false;
    }
    return true;
}

}  // namespace

bool RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno == EINVAL || errno == ENOSYS || errno == ENOTSUP) {
        return LinkThenUnlink(from.c_str(), to.c_str());
    }
    return false;
}

}  // namespace quillane
