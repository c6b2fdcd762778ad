#include "imaging/AtomicFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>

#include "imaging/DiskWait.h"
#include "imaging/MemoryTarget.h"
#include "imaging/NoReplaceRename.h"

namespace quillane {

namespace {

std::string RandomTag()
{
    static const char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<int> pick(0, sizeof(kAlphabet) - 2);
    std::string tag(8, 'x');
    for (char& c : tag)
        c = kAlphabet[pick(generator)];
    return tag;
}

std::filesystem::path FolderOf(const std::filesystem::path& target)
{
    const std::filesystem::path folder = target.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// The process's file creation mask, read without setting it: umask() would change
// it for every thread at once.
mode_t CreationMask()
{
    mode_t mask = 022;
    if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        while (std::fgets(line, sizeof line, status) != nullptr)
            if (std::string_view(line).substr(0, 6) == "Umask:")
                mask = static_cast<mode_t>(std::strtoul(line + 6, nullptr, 8) & 0777);
        std::fclose(status);
    }
    return mask;
}

// A replaced file keeps its permissions (a private file stays private), made
// writable by its owner like any target that is overwritten; a new file gets what
// the umask allows. lstat: a link at the target is replaced, not followed.
mode_t CommittedMode(const std::filesystem::path& target)
{
    struct stat existing {};
    if (::lstat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        return (existing.st_mode & 07777) | S_IWUSR;
    static const mode_t mask = CreationMask();  // the program never changes it
    return 0666 & ~mask;
}

// The bytes of an anonymous memory file, from the start.
bool ReadBack(int fd, std::string& bytes)
{
    if (::lseek(fd, 0, SEEK_SET) != 0)
        return false;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

}  // namespace

TAtomicFile::TAtomicFile(const std::filesystem::path& target, bool replace)
    : target_(target), replace_(replace), memory_(TMemoryTarget::OfThisThread())
{
    if (memory_ != nullptr) {
        fd_ = ::memfd_create("quillane-memory-target", MFD_CLOEXEC);
        if (fd_ < 0)
            error_ = errno;
        return;
    }
    const std::filesystem::path folder = FolderOf(target);
    // A fresh name each try; O_EXCL makes sure no other writer shares it. Private
    // while it is written: the final permissions are set at the commit.
    for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
        temporary_ = folder / (".~quillane-" + RandomTag() + ".tmp");
        fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd_ < 0 && errno != EEXIST)
            break;
    }
    if (fd_ < 0) {
        error_ = errno;
        temporary_.clear();
    }
}

TAtomicFile::~TAtomicFile()
{
    if (!committed_)
        Discard();
}

bool TAtomicFile::Write(const void* data, std::size_t size)
{
    return WriteAll(data, size, std::nullopt);
}

bool TAtomicFile::WriteAt(std::uint64_t offset, const void* data, std::size_t size)
{
    return WriteAll(data, size, offset);
}

bool TAtomicFile::WriteAll(const void* data, std::size_t size, std::optional<std::uint64_t> offset)
{
    const char* bytes = static_cast<const char*>(data);
    while (fd_ >= 0 && size > 0) {
        const ssize_t written =
            offset ? ::pwrite(fd_, bytes, size, static_cast<off_t>(*offset)) : ::write(fd_, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            error_ = written < 0 ? errno : ENOSPC;
            return false;
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
        if (offset)
            *offset += static_cast<std::uint64_t>(written);
    }
    return fd_ >= 0;
}

void TAtomicFile::StartWriting(std::uint64_t offset, std::uint64_t size) const
{
    if (fd_ >= 0 && memory_ == nullptr)
        ::sync_file_range(fd_, static_cast<off_t>(offset), static_cast<off_t>(size), SYNC_FILE_RANGE_WRITE);
}

bool TAtomicFile::Commit()
{
    if (fd_ < 0 || committed_)
        return false;
    if (memory_ != nullptr)
        return CommitToMemory();
    const bool permitted = ::fchmod(fd_, CommittedMode(target_)) == 0 || (error_ = errno, false);
    BeforeDiskWait();
    const bool flushed = ::fsync(fd_) == 0 || (error_ = errno, false);
    const bool closed = ::close(fd_) == 0 || (error_ = errno, false);
    fd_ = -1;
    if (!permitted || !flushed || !closed || !Publish()) {
        if (error_ == 0)
            error_ = errno;
        Discard();
        return false;
    }
    committed_ = true;
    return true;
}

bool TAtomicFile::CommitToMemory()
{
    std::string bytes;
    const bool read = ReadBack(fd_, bytes) || (error_ = errno, false);
    ::close(fd_);
    fd_ = -1;
    if (!read)
        return false;
    memory_->Keep(std::move(bytes));
    committed_ = true;
    return true;
}

bool TAtomicFile::Publish() const
{
    if (replace_)
        return ::rename(temporary_.c_str(), target_.c_str()) == 0;
    return RenameNoReplace(temporary_, target_);
}

void TAtomicFile::Discard()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    temporary_.clear();
}

TOutcome WriteFailure(const TAtomicFile& file)
{
    if (file.Error() == EEXIST)
        return TOutcome::Failure(TReason::rsTargetExists);
    return TOutcome::Failure(TReason::rsCannotWrite, SystemErrorText(file.Error()));
}

}  // namespace quillane
