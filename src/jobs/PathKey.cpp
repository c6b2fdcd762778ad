#include "jobs/PathKey.h"

#include <sys/stat.h>

#include <system_error>

namespace quillane {

namespace fs = std::filesystem;

namespace {

fs::path Normalised(const fs::path& path)
{
    std::error_code error;
    fs::path normal = fs::weakly_canonical(path, error);
    if (error) {
        normal = path.lexically_normal();
    }
    // "a/b/" and "a/b" are one folder.
    return normal.has_filename() ? normal : normal.parent_path();
}

std::optional<std::pair<std::uintmax_t, std::uintmax_t>> IdentityOf(const fs::path& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return std::pair<std::uintmax_t, std::uintmax_t>(info.st_dev, info.st_ino);
}

}  // namespace

TPathKey KeyOf(const fs::path& path)
{
    return TPathKey{Normalised(path), IdentityOf(path)};
}

bool SameFileKey(const TPathKey& a, const TPathKey& b)
{
    if (a.Normal == b.Normal) {
        return true;
    }
    return a.Identity && b.Identity && *a.Identity == *b.Identity;
}

TPathKey FolderKeyOf(const TPathKey& file)
{
    return KeyOf(file.Normal.parent_path());
}

}  // namespace quillane
