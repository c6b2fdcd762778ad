#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <utility>

#include "jobs/BatchJob.h"
#include "jobs/RandomTags.h"
#include "jobs/RunContext.h"

namespace quillane {

enum TRenameMode { rmNumber = 0, rmRandom = 1 };

// The rename page's fields as the page holds them.
struct TRenameFields {
    std::string Prefix;           // EdtNewName, taken as typed
    TRenameMode Mode = rmNumber;  // RbRenameNumber ticked; RbRenameRandom gives rmRandom
};

using TRenameJob = TRenameFields;

// The new name of a file in its own folder: prefix + tag + the file's extension as
// it was, letter case included.
std::filesystem::path RenamedPath(const std::filesystem::path& file, const std::string& prefix, const std::string& tag);

// What the item loop and the walk of one rename run share.
class TRenameRun {
public:
    TRenameRun(TRunContext& context, const TRenameJob& job, std::uint32_t seed);

    // One file under its tag: renamed, its line logged. A name this run gave is never
    // taken again; every other name gets its line, a second name of the same file too.
    void RenameFile(const std::filesystem::path& file, std::size_t number);
    // The tag for the running number `number`.
    std::string Tag(std::size_t number);

    TRunContext& Context() { return context_; }

private:
    TRunContext& context_;
    TRenameJob job_;
    std::mt19937 generator_;
    // The names this run gave: the folder's device and inode, then the file name, so a
    // folder reached again under another path still knows them.
    std::set<std::tuple<std::uintmax_t, std::uintmax_t, std::string>> given_;
};

// Every matching picture of `folder` and the folders below it, renamed in place;
// each folder numbers its own files from 0.
void WalkRenameFolder(TRenameRun& run, const std::string& sourceRoot, const std::string& folder);

// "文件重命名(&R)". The results box keeps the lines of earlier runs.
class TRenameBatch final : public TBatchJob {
public:
    explicit TRenameBatch(TRenameFields fields, TSeedSource seeds = EntropySeed);
    bool Check(TJobHost& host) override;
    TRunOutcome Run(TJobHost& host) override;

private:
    TRenameFields fields_;
    TSeedSource seeds_;
    bool checked_ = false;
};

std::optional<TRunOutcome> BtnRenameClick(TJobHost& host, const TRenameFields& fields,
                                          const TSeedSource& seeds = EntropySeed);

}  // namespace quillane
