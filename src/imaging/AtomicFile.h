#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "imaging/Outcome.h"

namespace quillane {

class TMemoryTarget;

// A target written in one piece: the bytes go to a hidden temporary file in the
// target's own folder, which becomes the target only on Commit(). Until then the
// target is untouched and the temporary file is private to its owner; an
// uncommitted temporary file is removed on destruction. Under a TMemoryTarget the bytes
// go to memory and the commit hands them to it; nothing on disk is touched.
class TAtomicFile {
public:
    // With `replace` false the commit never replaces a file: one that appeared at the
    // target meanwhile (another run's) stays, and the commit fails.
    TAtomicFile(const std::filesystem::path& target, bool replace);
    ~TAtomicFile();
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    int Descriptor() const { return fd_; }
    const std::filesystem::path& TemporaryPath() const { return temporary_; }
    // The system's error number of the last step that failed (EEXIST: a file took the
    // target before a commit that may not replace); 0 when none failed.
    int Error() const { return error_; }

    // Writes all bytes, retrying short writes; false on any error.
    bool Write(const void* data, std::size_t size);
    // The same at a given offset, leaving the position for Write() where it was.
    bool WriteAt(std::uint64_t offset, const void* data, std::size_t size);
    // Lets the disk start on bytes already written, so that less is left for the
    // flush at the commit. Only a hint: the commit still flushes everything.
    void StartWriting(std::uint64_t offset, std::uint64_t size) const;

    // Flushes to disk and renames the temporary file to the target. A symbolic link
    // at the target is replaced, never followed.
    bool Commit();

private:
    // At the offset, or else at the file's position.
    bool WriteAll(const void* data, std::size_t size, std::optional<std::uint64_t> offset);
    bool CommitToMemory();
    bool Publish() const;
    void Discard();

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    bool replace_;
    int fd_ = -1;
    int error_ = 0;
    bool committed_ = false;
    TMemoryTarget* memory_;
};

// The failure of a file that could not be created, written or committed: the target
// taken meanwhile, or a target that cannot be written, with the system's text.
TOutcome WriteFailure(const TAtomicFile& file);

}  // namespace quillane
