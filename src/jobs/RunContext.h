#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "jobs/JobHost.h"
#include "jobs/JobPlan.h"
#include "jobs/Overwrite.h"
#include "jobs/RunJournal.h"
#include "jobs/StepExecutor.h"

namespace quillane {

// What the item loop and every walk level of one run share.
struct TRunContext {
    TJobHost& Host;
    TJobPage Page;
    std::vector<std::string> CheckedTypes;
    TOverwriteState Overwrite;
    TStepExecutor& Executor;
    // Output folders this run made (device, inode): a walk never enters them, so a
    // save folder inside the walked tree cannot feed the walk with its own results.
    std::set<std::pair<std::uintmax_t, std::uintmax_t>> MadeFolders{};
    // The list item in progress, and how many items the loop has begun (a folder item
    // counts as reached once its walk begins).
    std::size_t Item = 0;
    std::size_t ItemsBegun = 0;
    // How the run's pictures are written; none for a run that writes no pictures.
    std::optional<TOutputSettings> Output{};
    // A rehearsal lists the steps and changes nothing: no folder made, nothing asked.
    bool Rehearsal = false;
    // Where renames and trashed files are written down; none in a rehearsal.
    TRunJournal* Journal = nullptr;
    TReplacePolicy Policy{};
};

}  // namespace quillane
