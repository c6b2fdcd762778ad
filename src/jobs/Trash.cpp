#include "jobs/Trash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <system_error>

namespace quillane {

namespace fs = std::filesystem;

namespace {

// Where a trash keeps its entries, and the folder its Path= lines are relative to
// (none for the home trash, whose paths are absolute).
struct TTrashFolder {
    fs::path Root;
    std::optional<fs::path> TopDir;
};

std::optional<struct stat> StatOf(const fs::path& path, bool followLinks = true)
{
    struct stat info {};
    const int result = followLinks ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info);
    return result == 0 ? std::optional(info) : std::nullopt;
}

// A folder of ours, mode 0700, made with its parents where missing.
bool MakePrivateFolder(const fs::path& folder)
{
    std::error_code error;
    fs::create_directories(folder.parent_path(), error);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return false;
    }
    const auto info = StatOf(folder, false);
    return info && S_ISDIR(info->st_mode) && info->st_uid == ::getuid();
}

bool MakeTrashFolders(const fs::path& root)
{
    return MakePrivateFolder(root) && MakePrivateFolder(root / "files") && MakePrivateFolder(root / "info");
}

// The top of the file system that holds `folder`: its highest parent on the same device.
fs::path TopDirectory(const fs::path& folder)
{
    const auto device = StatOf(folder);
    fs::path at = folder;
    while (device && at != at.parent_path()) {
        const auto parent = StatOf(at.parent_path());
        if (!parent || parent->st_dev != device->st_dev) {
            break;
        }
        at = at.parent_path();
    }
    return at;
}

// The trash for a file: the home trash on its own file system, else the top
// directory's shared `.Trash/$uid` (only when .Trash is a real folder with the sticky
// bit), else `.Trash-$uid`.
std::optional<TTrashFolder> TrashFolderFor(const fs::path& file)
{
    std::error_code error;
    const fs::path folder = fs::absolute(file, error).parent_path();
    const auto fileDevice = StatOf(folder);
    if (!fileDevice) {
        return std::nullopt;
    }
    const fs::path home = HomeTrash();
    if (MakeTrashFolders(home)) {
        if (const auto homeDevice = StatOf(home); homeDevice && homeDevice->st_dev == fileDevice->st_dev) {
            return TTrashFolder{home, std::nullopt};
        }
    }
    const fs::path top = TopDirectory(folder);
    const std::string uid = std::to_string(::getuid());
    const auto shared = StatOf(top / ".Trash", false);
    if (shared && S_ISDIR(shared->st_mode) && (shared->st_mode & S_ISVTX) && MakeTrashFolders(top / ".Trash" / uid)) {
        return TTrashFolder{top / ".Trash" / uid, top};
    }
    if (MakeTrashFolders(top / (".Trash-" + uid))) {
        return TTrashFolder{top / (".Trash-" + uid), top};
    }
    return std::nullopt;
}

bool WriteAll(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// Claims a name in the trash by creating its .trashinfo exclusively: two entries, of
// this run or of any other program, never share a name.
std::optional<TTrashEntry> ClaimEntry(const TTrashFolder& trash, const fs::path& file, const std::string& infoText)
{
    const std::string base = file.filename().string();
    for (int attempt = 1; attempt < 10000; ++attempt) {
        const std::string name = attempt == 1 ? base : base + "." + std::to_string(attempt);
        const fs::path info = trash.Root / "info" / (name + ".trashinfo");
        const int fd = ::open(info.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST) {
            continue;
        }
        if (fd >= 0 && StatOf(trash.Root / "files" / name, false)) {
            ::close(fd);  // content left without its .trashinfo: keep clear of it
            ::unlink(info.c_str());
            continue;
        }
        if (fd < 0) {
            return std::nullopt;
        }
        const bool written = WriteAll(fd, infoText);
        const bool closed = ::close(fd) == 0;
        if (!written || !closed) {
            ::unlink(info.c_str());
            return std::nullopt;
        }
        return TTrashEntry{trash.Root / "files" / name, info};
    }
    return std::nullopt;
}

TOutcome CannotTrash(int error)
{
    return TOutcome::Failure(TReason::rsCannotTrash, error != 0 ? SystemErrorText(error) : std::string());
}

// The content at `path` under a second name: a link where the file system has them,
// a copy where it has not.
bool LinkOrCopy(const fs::path& path, const fs::path& copy)
{
    if (::link(path.c_str(), copy.c_str()) == 0) {
        return true;
    }
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(path, error))) {
        fs::copy_symlink(path, copy, error);
    } else {
        fs::copy_file(path, copy, fs::copy_options::none, error);
    }
    return !error;
}

}  // namespace

fs::path DataHome()
{
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && dataHome[0] == '/') {
        return dataHome;
    }
    const char* home = std::getenv("HOME");
    return fs::path(home != nullptr ? home : "/") / ".local/share";
}

fs::path HomeTrash()
{
    return DataHome() / "Trash";
}

std::string LocalTimestamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

std::string TrashInfoPath(const std::string& path)
{
    static const char* const kHex = "0123456789ABCDEF";
    std::string encoded;
    for (const unsigned char c : path) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                           std::string_view("/-._~!$&'()*+,;=:@").find(static_cast<char>(c)) != std::string::npos;
        if (plain) {
            encoded += static_cast<char>(c);
        } else {
            encoded += '%';
            encoded += kHex[c >> 4];
            encoded += kHex[c & 0x0F];
        }
    }
    return encoded;
}

TOutcome KeepInTrash(const fs::path& path, TTrashEntry& entry)
{
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error).lexically_normal();
    const std::optional<TTrashFolder> trash = TrashFolderFor(absolute);
    if (!trash) {
        return CannotTrash(errno);
    }
    const std::string original =
        trash->TopDir ? absolute.lexically_relative(*trash->TopDir).string() : absolute.string();
    const std::string info =
        "[Trash Info]\nPath=" + TrashInfoPath(original) + "\nDeletionDate=" + LocalTimestamp() + "\n";
    const std::optional<TTrashEntry> claimed = ClaimEntry(*trash, absolute, info);
    if (!claimed) {
        return CannotTrash(errno);
    }
    if (!LinkOrCopy(absolute, claimed->File)) {
        const int reason = errno;
        ::unlink(claimed->Info.c_str());
        return CannotTrash(reason);
    }
    entry = *claimed;
    return TOutcome::Success();
}

void DiscardTrashEntry(const TTrashEntry& entry)
{
    ::unlink(entry.File.c_str());
    ::unlink(entry.Info.c_str());
}

TOutcome RestoreFromTrash(const TTrashEntry& entry, const fs::path& original)
{
    if (!StatOf(entry.File, false)) {
        return TOutcome::Failure(TReason::rsNotInTrash);
    }
    if (::rename(entry.File.c_str(), original.c_str()) != 0) {
        return TOutcome::Failure(TReason::rsCannotRename, SystemErrorText(errno));
    }
    ::unlink(entry.Info.c_str());
    return TOutcome::Success();
}

}  // namespace quillane
