#include "imaging/WatermarkWriting.h"

#include <sys/stat.h>

#include <cerrno>

namespace quillane {

namespace {

// lstat: a link has no permissions of its own and is replaced like a writable file;
// the file it points to is never looked at.
bool OwnerMayNotWrite(const TPath& path)
{
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && (status.st_mode & S_IWUSR) == 0;
}

}  // namespace

bool StampTargetIsFree(const TPath& target, bool overwrite)
{
    std::error_code error;
    return overwrite || !std::filesystem::exists(std::filesystem::symlink_status(target, error));
}

bool NarrowerThan(const TGPImage& picture, std::int32_t minWidth)
{
    return static_cast<std::int64_t>(minWidth) > static_cast<std::int64_t>(picture.GetWidth());
}

TOutcome WriteStamped(const TGPImage& stamped, const TPath& source, const TPath& target, bool overwrite)
{
    const TEncoderId encoder = EncoderForExtension(source);
    // The temporary file beside the target becomes the target, so the result of an
    // in-place stamp is a fresh file its owner may write, whatever the source was.
    if (SameFile(source, target))
        return stamped.Save(target, encoder, overwrite);
    // Tested by the permission bit: a privileged process could write the file anyway.
    if (OwnerMayNotWrite(target))
        return TOutcome::Failure(TReason::rsCannotWrite, SystemErrorText(EACCES));
    return stamped.Save(target, encoder, overwrite);
}

}  // namespace quillane
