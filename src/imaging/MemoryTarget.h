#pragma once

#include <string>

namespace quillane {

// While one lives on a thread, every file a routine on that thread writes goes to
// memory instead: the routines run unchanged, and no file or folder anywhere is created,
// replaced or touched. Keeps the bytes of the last file committed. One per thread at a time.
class TMemoryTarget {
public:
    TMemoryTarget();
    ~TMemoryTarget();
    TMemoryTarget(const TMemoryTarget&) = delete;
    TMemoryTarget& operator=(const TMemoryTarget&) = delete;

    // The calling thread's, or none.
    static TMemoryTarget* OfThisThread();

    bool Written() const { return written_; }
    const std::string& Bytes() const { return bytes_; }
    void Keep(std::string bytes);

private:
    TMemoryTarget* previous_;
    std::string bytes_;
    bool written_ = false;
};

}  // namespace quillane
