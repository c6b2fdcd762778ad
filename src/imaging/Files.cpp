#include "imaging/Files.h"

#include "imaging/Descriptor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <system_error>

#include "imaging/AtomicFile.h"
#include "imaging/ImageFormat.h"
#include "imaging/MemoryTarget.h"

namespace quillane {

namespace {

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool PrepareTarget(const TPath& target, bool overwrite)
{
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(target, error)))
        return true;
    if (!overwrite)
        return false;
    if (TMemoryTarget::OfThisThread() == nullptr)  // a save to memory leaves the file alone
        MakeWritable(target);
    return true;
}

std::string ExtractExtension(const TPath& path)
{
    const std::string text = path.string();
    const std::size_t dot = text.rfind('.');
    if (dot == std::string::npos)
        return {};
    if (text.find('/', dot) != std::string::npos)
        return {};
    return text.substr(dot);
}

bool SameExtension(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return true;
}

std::string MimeForExtension(const TPath& path)
{
    const std::optional<TImageFormat> format = FormatOfExtension(path);
    return format ? MimeOfFormat(*format) : std::string();
}

std::string TempFolderPath()
{
    std::error_code error;
    std::string folder = std::filesystem::temp_directory_path(error).string();
    if (error || folder.empty())
        folder = "/tmp";
    if (folder.back() != '/')
        folder += '/';
    return folder;
}

bool SameFile(const TPath& a, const TPath& b)
{
    struct stat first {};
    struct stat second {};
    if (::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0)
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    std::error_code error;
    const TPath left = std::filesystem::weakly_canonical(a, error);
    if (error)
        return a.lexically_normal() == b.lexically_normal();
    const TPath right = std::filesystem::weakly_canonical(b, error);
    if (error)
        return a.lexically_normal() == b.lexically_normal();
    return left == right;
}

void MakeWritable(const TPath& path)
{
    // nofollow: a link is left as it is, and so is the file it points to.
    std::error_code error;
    std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add | std::filesystem::perm_options::nofollow, error);
}

TOutcome CopyFileReplacing(const TPath& source, const TPath& target, bool overwrite)
{
    TDescriptor input(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (input.Get() < 0)
        return TOutcome::Failure(TReason::rsSourceUnreadable, SystemErrorText(errno));
    TAtomicFile output(target, overwrite);
    if (!output.IsOpen())
        return WriteFailure(output);
    std::array<char, 1 << 16> buffer{};
    for (;;) {
        const ssize_t got = ::read(input.Get(), buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return TOutcome::Failure(TReason::rsSourceUnreadable, SystemErrorText(errno));
        if (got == 0)
            break;
        if (!output.Write(buffer.data(), static_cast<std::size_t>(got)))
            return WriteFailure(output);
    }
    return output.Commit() ? TOutcome::Success() : WriteFailure(output);
}

bool ReadWholeFile(const TPath& path, std::string& bytes)
{
    TDescriptor input(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (input.Get() < 0)
        return false;
    bytes.clear();
    std::array<char, 1 << 16> buffer{};
    for (;;) {
        const ssize_t got = ::read(input.Get(), buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;  // also a folder given as a file
        if (got == 0)
            return true;
        bytes.append(buffer.data(), static_cast<std::size_t>(got));
    }
}

}  // namespace quillane
