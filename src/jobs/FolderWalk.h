#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "jobs/RunContext.h"

namespace quillane {

enum TEntryClass { ecFile = 0, ecFolder = 1, ecOther = 2 };

// 1 for a folder (a link to one included), 0 for a regular file (or a link to one,
// or a dangling link), 2 for anything else: "." and "..", FIFOs, devices, sockets.
int ClassifyEntry(const std::filesystem::directory_entry& entry);

// The output folder of a walked folder: `folder` with the first occurrence of
// `sourceRoot`, found without regard to ASCII letter case, replaced by `targetRoot`.
// All three end in "/".
std::string MirrorFolder(const std::string& folder, const std::string& sourceRoot, const std::string& targetRoot);

// The walk every job's walker is built on. Each folder's sub-folders are listed first,
// then its files matching the ticked types go to `eachFile`, then the sub-folders are
// walked in listing order. Without a target root (the rename walk) no output folder is
// made and `eachFile` gets an empty target folder. The target root's subtree is never
// walked, unless it holds the source root.
class TFolderWalk {
public:
    using TEachFile = std::function<void(const std::filesystem::path& source, const std::string& targetFolder)>;

    TFolderWalk(TRunContext& context, const std::string& sourceRoot, std::optional<std::string> targetRoot,
                TEachFile eachFile);
    void Walk(const std::string& folder);

private:
    bool EnterOnce(const std::string& folder);
    bool IsSkippedOutput(const std::string& folder) const;
    std::vector<std::string> ListSubFolders(const std::string& folder) const;
    void ProcessFiles(const std::string& folder);
    std::string TargetFolderFor(const std::string& folder);
    void RememberMadeFolders(const std::vector<std::filesystem::path>& folders);

    TRunContext& context_;
    std::string sourceRoot_;
    std::optional<std::string> targetRoot_;
    TEachFile eachFile_;
    bool skipsOutput_ = false;
    std::set<std::pair<std::uintmax_t, std::uintmax_t>> entered_;  // device, inode
};

}  // namespace quillane
