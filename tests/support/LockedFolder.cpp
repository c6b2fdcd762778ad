#include "LockedFolder.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace quillane::test {

bool TLockedFolder::Set(bool locked)
{
    namespace fs = std::filesystem;
    if (::geteuid() != 0) {
        fs::permissions(folder_, fs::perms::owner_write, locked ? fs::perm_options::remove : fs::perm_options::add);
        return true;
    }
    const int fd = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = locked ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return done;
}

}  // namespace quillane::test
