#include "cli/DryRun.h"

#include <algorithm>
#include <system_error>

#include "cli/EscapedText.h"
#include "cli/JsonLines.h"
#include "cli/PlanShaping.h"
#include "jobs/ReasonTexts.h"

namespace quillane {

namespace fs = std::filesystem;

namespace {

const char* const kNoOutputFolder = "no-output-folder";

const char* ActionName(TPlannedAction action)
{
    switch (action) {
    case TPlannedAction::paWrite:
        return "write";
    case TPlannedAction::paReplace:
        return "replace";
    case TPlannedAction::paAsk:
        return "ask";
    case TPlannedAction::paSkip:
        return "skip";
    case TPlannedAction::paRename:
        return "rename";
    case TPlannedAction::paUnchanged:
        return "unchanged";
    case TPlannedAction::paFail:
        return "fail";
    }
    return "fail";
}

bool OutputFolderMissing(const TJobPlan& plan)
{
    std::error_code error;
    return plan.OutputFolder && !fs::is_directory(*plan.OutputFolder, error);
}

// A target that is there when the file's turn comes, under the overwrite mode.
TPlannedAction ExistingTarget(TOverwriteMode overwrite)
{
    return overwrite == TOverwriteMode::omYes  ? TPlannedAction::paReplace
           : overwrite == TOverwriteMode::omNo ? TPlannedAction::paSkip
                                               : TPlannedAction::paAsk;
}

TPlannedFile Planned(const TJobPlan& plan, const TFileStep& step, bool writtenEarlier, TOverwriteMode overwrite)
{
    TPlannedFile file{step.Source, step.Target, TPlannedAction::paWrite, writtenEarlier, {}};
    if (!step.Call || step.Routine.empty()) {
        // Known without a routine call: a refused source, or a result settled beforehand.
        const TOutcome known = RunStepCall(step);
        file.Action = known ? TPlannedAction::paUnchanged : TPlannedAction::paFail;
        file.Code = known ? "" : ReasonCode(known.Reason());
    } else if (!plan.Rule.AsksOverwrite) {
        const bool taken = step.TargetExisted || writtenEarlier;
        file.Action = taken ? TPlannedAction::paFail : TPlannedAction::paRename;
        file.Code = taken ? ReasonCode(TReason::rsTargetExists) : "";
    } else if (OutputFolderMissing(plan)) {
        file.Action = TPlannedAction::paFail;
        file.Code = kNoOutputFolder;
    } else if (step.TargetExisted || writtenEarlier) {
        file.Action = ExistingTarget(overwrite);
        file.Code = ReasonCode(TReason::rsTargetExists);
    }
    return file;
}

}  // namespace

std::vector<TPlannedFile> PlannedFiles(const TJobPlan& plan, const std::vector<TFileStep>& steps,
                                       TOverwriteMode overwrite)
{
    const std::vector<bool> earlier = TargetsWrittenEarlier(steps);
    std::vector<TPlannedFile> files;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        files.push_back(Planned(plan, steps[i], earlier[i], overwrite));
    }
    return files;
}

bool WouldSucceed(const TPlannedFile& file)
{
    return file.Action == TPlannedAction::paWrite || file.Action == TPlannedAction::paReplace ||
           file.Action == TPlannedAction::paRename || file.Action == TPlannedAction::paUnchanged;
}

std::string PlanLine(const TPlannedFile& file, bool json)
{
    if (json) {
        TJsonObject object;
        object.Text("source", file.Source.string()).Text("target", file.Target.string());
        object.Text("action", ActionName(file.Action)).Bool("written_earlier", file.WrittenEarlier);
        if (file.Code.empty()) {
            object.Null("code");
        } else {
            object.Text("code", file.Code);
        }
        return object.Line();
    }
    std::string action = ActionName(file.Action);
    if (file.WrittenEarlier) {
        action += ": written earlier in this run";
    } else if (!file.Code.empty()) {
        action += ": " + file.Code;
    }
    return EscapedResultLine(file.Source.string()) + '\t' + EscapedResultLine(file.Target.string()) + '\t' + action;
}

std::string PlanClosingLine(const std::vector<TPlannedFile>& files)
{
    const auto succeeding = static_cast<std::size_t>(std::count_if(files.begin(), files.end(), WouldSucceed));
    return TJsonObject()
        .Bool("closing", true)
        .Bool("dry_run", true)
        .Count("files", files.size())
        .Count("would_succeed", succeeding)
        .Count("would_fail", files.size() - succeeding)
        .Line();
}

}  // namespace quillane
