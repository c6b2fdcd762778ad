#pragma once

#include <filesystem>

namespace quillane::test {

// A folder in which nothing can be created, root included: the immutable attribute
// where we run as root, the permission bits otherwise. Undone on destruction.
class TLockedFolder {
public:
    explicit TLockedFolder(std::filesystem::path folder) : folder_(std::move(folder)) {}
    ~TLockedFolder() { Set(false); }
    TLockedFolder(const TLockedFolder&) = delete;
    TLockedFolder& operator=(const TLockedFolder&) = delete;

    // False when the file system cannot lock the folder for root.
    bool Set(bool locked);

private:
    std::filesystem::path folder_;
};

}  // namespace quillane::test
