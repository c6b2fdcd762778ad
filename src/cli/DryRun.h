#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/CliRequest.h"
#include "jobs/JobPlan.h"
#include "jobs/StepExecutor.h"

namespace quillane {

// What a run would do with one file.
enum class TPlannedAction {
    paWrite,      // a new file at the target
    paReplace,    // the target exists and is replaced
    paAsk,        // the target exists and the question would be asked
    paSkip,       // the target exists and is left alone: the file fails
    paRename,     // renamed in place to the target
    paUnchanged,  // nothing to do: succeeds as it is (a file already of its new type)
    paFail,       // fails for a reason known beforehand
};

struct TPlannedFile {
    std::filesystem::path Source;
    std::filesystem::path Target;
    TPlannedAction Action = TPlannedAction::paWrite;
    bool WrittenEarlier = false;  // the target exists because an earlier file writes it
    std::string Code;             // why it fails or why the target is there
};

// The files of a plan's listing as the run would treat them, under the overwrite
// mode of the command line. A missing output folder makes every write fail.
std::vector<TPlannedFile> PlannedFiles(const TJobPlan& plan, const std::vector<TFileStep>& steps,
                                       TOverwriteMode overwrite);

bool WouldSucceed(const TPlannedFile& file);

// One file of the plan: "SOURCE<tab>TARGET<tab>ACTION", the names escaped as result
// lines are, or one JSON object.
std::string PlanLine(const TPlannedFile& file, bool json);

// The JSON object that closes a plan.
std::string PlanClosingLine(const std::vector<TPlannedFile>& files);

}  // namespace quillane
