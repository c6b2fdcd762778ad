#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/BatchProcess.h"

namespace quillane::test {

// quillane-batch started as a child process that the test may limit or kill.
class TChildBatch {
public:
    // Starts it in `workingFolder`, its outputs going to hidden files there. With a
    // file-size limit, a write beyond it fails with EFBIG (SIGXFSZ ignored), just
    // as a full disk fails a write. With an address-space limit, memory runs out as
    // under `ulimit -v`.
    TChildBatch(const std::vector<std::string>& arguments, const std::filesystem::path& workingFolder,
                std::uint64_t fileSizeLimit = 0, std::uint64_t addressSpaceLimit = 0);
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
