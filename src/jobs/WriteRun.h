#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "imaging/Outcome.h"
#include "jobs/BatchJob.h"
#include "jobs/FieldText.h"
#include "jobs/OutputRule.h"
#include "jobs/RunContext.h"

namespace quillane {

// What a job that writes new files adds to the frame, per file.
struct TWritePlan {
    TOutputRule Output;
    std::string SuccessText;
    std::string FailureText;
    // The target of a source going to `targetFolder`. When empty: the folder, the
    // source's file name, then the affix.
    std::function<std::filesystem::path(const std::filesystem::path& source, const std::string& targetFolder)>
        TargetFor;
    // The routine call for one file, with its arguments bound.
    std::function<std::function<TOutcome()>(const std::filesystem::path& source, const std::filesystem::path& target,
                                            bool overwrite)>
        MakeCall;
    // A file whose result is known before the prompt (a conversion whose target is the
    // source itself): no prompt and no routine call. Empty: the routine decides.
    std::function<std::optional<TOutcome>(const std::filesystem::path& source, const std::filesystem::path& target)>
        SettledWithoutCall;
};

// The usual target: folder + the source's file name, with the affix applied.
std::filesystem::path AffixedTarget(const std::filesystem::path& source, const std::string& targetFolder,
                                    const TOutputRule& rule);

// One file: its target, the overwrite answer, then the step for the executor.
void SubmitWriteStep(TRunContext& context, const TWritePlan& plan, const std::filesystem::path& source,
                     const std::string& targetFolder);

// The walk of a folder item for a writing job: results mirror the source tree below
// `sourceRoot` inside `targetRoot`.
void WalkWriteFolder(TRunContext& context, const TWritePlan& plan, const std::string& sourceRoot,
                     const std::string& targetRoot, const std::string& folder);

// How a writing job's run starts and ends.
struct TWriteRun {
    TJobPage Page = TJobPage::jpPercent;
    TNamedField SaveField;       // the save-path edit; gets its trailing "/" here
    bool LockTypeList = false;   // only the percentage job locks the type list
    std::string ClosingMessage;  // e.g. "处理完成！"
};

// The run of a writing job after its checks passed: the results box, the save
// folder's "/", the busy cursor, one overwrite state, the item loop, the closing
// message. `plan.Output.SaveFolder` is the save field's text with its "/".
TRunOutcome RunWriteJob(TJobHost& host, const TWriteRun& run, const TWritePlan& plan);

}  // namespace quillane
