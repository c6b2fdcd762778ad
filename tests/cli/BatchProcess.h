#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quillane::test {

// What one run of quillane-batch left behind.
struct TBatchResult {
    int ExitStatus = -1;
    std::string Out;
    std::string Err;
    std::vector<std::string> OutLines() const;
    std::vector<std::string> ErrLines() const;
};

// Runs the real quillane-batch in `workingFolder` with standard input from
// /dev/null (no terminal), its two outputs collected.
TBatchResult RunBatch(const std::vector<std::string>& arguments, const std::filesystem::path& workingFolder);

}  // namespace quillane::test
