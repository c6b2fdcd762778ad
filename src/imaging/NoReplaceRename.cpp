#include "imaging/NoReplaceRename.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>

namespace quillane {

bool RenameByLinking(const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (::link(from.c_str(), to.c_str()) != 0)
        return false;
    if (::unlink(from.c_str()) != 0) {
        ::unlink(to.c_str());  // keep the file under its old name only
        return false;
    }
    return true;
}

bool RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EINVAL || errno == ENOSYS || errno == ENOTSUP)
        return RenameByLinking(from, to);
    return false;
}

}  // namespace quillane
