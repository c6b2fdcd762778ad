#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/BatchProcess.h"

namespace quillane::test {

// Limits of the child's resources, in bytes; 0 leaves one as it is.
struct TChildLimits {
    // A write beyond it fails with EFBIG (SIGXFSZ ignored), as a full disk fails a write.
    std::uint64_t FileSize = 0;
    // Memory runs out as under `ulimit -v`.
    std::uint64_t AddressSpace = 0;
    // Every new thread asks for a stack this large, so thread creation fails.
    std::uint64_t Stack = 0;
};

// quillane-batch started as a child process that the test may limit or kill.
class TChildBatch {
public:
    // Starts it in `workingFolder`, its outputs going to hidden files there; its input
    // is /dev/null, or `input` when one is given (a terminal, for questions).
    TChildBatch(const std::vector<std::string>& arguments, const std::filesystem::path& workingFolder,
                TChildLimits limits = {}, int input = -1);
    ~TChildBatch();
    TChildBatch(const TChildBatch&) = delete;
    TChildBatch& operator=(const TChildBatch&) = delete;

    void Kill();
    void Signal(int signal);
    // Waits for the end; the exit status is -1 when a signal ended it.
    TBatchResult Wait();

private:
    pid_t pid_ = -1;
    std::filesystem::path out_, err_;
};

}  // namespace quillane::test
