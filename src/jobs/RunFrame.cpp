#include "jobs/RunFrame.h"

#include <algorithm>
#include <memory>
#include <set>
#include <system_error>
#include <utility>

#include "imaging/Files.h"
#include "imaging/PictureChecks.h"
#include "jobs/FolderWalk.h"
#include "jobs/Overwrite.h"
#include "jobs/ParallelExecutor.h"
#include "jobs/RunContext.h"
#include "jobs/RunGuard.h"
#include "jobs/JobTexts.h"
#include "jobs/StoppedRun.h"

namespace quillane {

namespace fs = std::filesystem;

namespace {

// The total is known up front only when no folder will be walked.
std::optional<std::size_t> KnownTotal(const TSourceList& sources)
{
    const auto& items = sources.Items;
    const bool anyFolder = std::any_of(items.begin(), items.end(), [](const TSourceItem& i) { return i.IsFolder; });
    return sources.SubFolders && anyFolder ? std::nullopt : std::optional(items.size());
}

void ShowOutputFolderWithSlash(TJobHost& host, const TJobPlan& plan)
{
    TFormHost* form = host.Form();
    if (form && plan.SaveField && plan.OutputFolder && *plan.OutputFolder != plan.SaveField->Text) {
        form->SetFieldText(plan.SaveField->Name, *plan.OutputFolder);
    }
}

bool IsRegularFile(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// The overwrite answer for one file; in a rehearsal nothing is asked and the step
// only says whether it would be.
bool DecideReplace(TRunContext& context, TFileStep& step)
{
    if (context.Rehearsal) {
        step.Asked = OverwritePromptDue(step.Target, context.Overwrite);
        return !step.Asked && step.TargetExisted && context.Overwrite.Overwrite;
    }
    if (OverwritePromptDue(step.Target, context.Overwrite)) {
        context.Executor.SettleAll();  // the question comes after the lines before it
    }
    return AskOverwrite(context.Host, step.Target, context.Overwrite);
}

// Whether the old content of a target this step replaces goes to the Trash first.
bool TrashesTarget(const TReplacePolicy& policy, const TFileStep& step)
{
    if (!step.Replace || !step.TargetExisted) {
        return false;
    }
    return SameFile(step.Source, step.Target) ? policy.TrashOwnSource : policy.TrashOtherTargets;
}

// The routine call of a step, with what makes it undoable around it: a replaced file's
// old content put in the Trash first (the file fails, untouched, when that cannot be
// done), and the journal written once the step has succeeded.
std::function<TOutcome()> JournaledCall(TRunContext& context, const TFileRule& rule, const TFileStep& step,
                                        std::function<TOutcome(bool)> run)
{
    TRunJournal* journal = context.Journal;
    const bool trash = journal != nullptr && TrashesTarget(context.Policy, step);
    const bool journalsRename = journal != nullptr && rule.JournalsRenames;
    return [run = std::move(run), replace = step.Replace, trash, journalsRename, journal, source = step.Source,
            target = step.Target] {
        TTrashEntry entry;
        if (trash) {
            if (TOutcome kept = KeepInTrash(target, entry); !kept) {
                return kept;
            }
        }
        if (journalsRename) {
            journal->RecordRename(source, target);  // before the rename: a killed run's journal has it
        }
        TOutcome result = run(replace);
        if (trash && !result) {
            DiscardTrashEntry(entry);
        } else if (trash) {
            journal->RecordReplace(target, entry);
        }
        return result;
    };
}

// One file: its target, what is known without a call, the overwrite answer, then the
// step for the executor.
void SubmitStep(TRunContext& context, const TFileRule& rule, const fs::path& source, const std::string& targetFolder,
                std::size_t number)
{
    if (rule.PassesOver && rule.PassesOver(source)) {
        return;
    }
    TFileStep step;
    step.Source = source;
    step.Target = rule.TargetFor(source, targetFolder, number);
    step.SuccessText = rule.SuccessText;
    step.FailureText = rule.FailureText;
    step.Item = context.Item;
    context.Executor.Settle(step.Target);
    step.TargetExisted = SomethingAt(step.Target);
    const std::optional<TOutcome> settled = rule.Settled ? rule.Settled(source, step.Target) : std::nullopt;
    if (settled) {
        step.Call = [result = *settled] { return result; };
    } else if (!IsRegularFile(source)) {
        // A list item that is no regular file (a FIFO, a vanished file) is never opened.
        step.Refusal = SourceFileReason(source);
    } else {
        step.Replace = rule.AsksOverwrite && DecideReplace(context, step);
        TRoutineCall call = rule.Routine(source, step.Target);
        if (!call.RunEndingError.empty()) {
            context.Host.ShowError(call.RunEndingError);
            context.Host.RequestStop();  // the run ends at this file, which gets no line
            return;
        }
        step.Routine = std::move(call.Name);
        step.Settings = std::move(call.Settings);
        std::function<TOutcome(bool)> run = std::move(call.Run);
        if (context.Output) {
            run = [run = std::move(run), output = *context.Output, source, target = step.Target](bool replace) {
                return WriteWithSettings(output, source, target, [&] { return run(replace); });
            };
        }
        step.Call = JournaledCall(context, rule, step, std::move(run));
    }
    context.Executor.Submit(std::move(step));
}

// A walked folder's files, each counted within its own folder from 0.
void WalkFolderItem(TRunContext& context, const TJobPlan& plan, const fs::path& folder)
{
    fs::path counted;
    std::size_t number = 0;
    TFolderWalk walk(context, plan.Sources.Root.string(), plan.OutputFolder,
                     [&](const fs::path& source, const std::string& targetFolder) {
                         if (source.parent_path() != counted) {
                             counted = source.parent_path();
                             number = 0;
                         }
                         SubmitStep(context, plan.Rule, source, targetFolder, number++);
                     });
    walk.Walk(folder.string());
}

// The items in list order: files straight to their step, folder items walked when
// sub-folders are included.
void RunItems(TRunContext& context, const TJobPlan& plan)
{
    const std::vector<TSourceItem>& items = plan.Sources.Items;
    const std::string outputFolder = plan.OutputFolder.value_or(std::string());
    for (context.Item = 0; context.Item < items.size(); ++context.Item) {
        const TSourceItem& item = items[context.Item];
        if (context.Host.StopRequested()) {
            return;
        }
        if (item.IsFolder && plan.Sources.SubFolders) {
            context.ItemsBegun = context.Item + 1;
            WalkFolderItem(context, plan, item.Path);
        } else {
            SubmitStep(context, plan.Rule, item.Path, outputFolder, context.Item);
        }
    }
}

std::unique_ptr<TStepExecutor> ExecutorFor(TJobHost& host, const TJobPlan& plan)
{
    if (plan.OneAtATime) {
        return std::make_unique<TInlineExecutor>(host, plan.Page, KnownTotal(plan.Sources));
    }
    return MakeStepExecutor(host, plan.Page, KnownTotal(plan.Sources));
}

// Keeps the steps instead of running them.
class TStepRecorder final : public TStepExecutor {
public:
    void Submit(TFileStep step) override { Steps.push_back(std::move(step)); }
    void Finish() override {}
    TRunOutcome Outcome() const override { return {}; }

    std::vector<TFileStep> Steps;
};

}  // namespace

fs::path AffixedTarget(const fs::path& source, const std::string& targetFolder, const TOutputRule& rule)
{
    return ApplyAffix(targetFolder + source.filename().string(), rule);
}

TJobPlan NewFilePlan(TJobPage page, const TSourceList& sources, const TNamedField& saveField, const TOutputRule& output,
                     std::string successText, std::string failureText)
{
    TJobPlan plan;
    plan.Page = page;
    plan.Sources = sources;
    plan.OutputFolder = output.SaveFolder;
    plan.SaveField = saveField;
    plan.ClosingMessage = kProcessingFinished;
    plan.WritesPictures = true;
    plan.Rule.SuccessText = std::move(successText);
    plan.Rule.FailureText = std::move(failureText);
    plan.Rule.TargetFor = [output](const fs::path& source, const std::string& folder, std::size_t) {
        return AffixedTarget(source, folder, output);
    };
    return plan;
}

TRunOutcome RunPlan(TJobHost& host, const TJobPlan& plan)
{
    if (!plan.KeepsEarlierResults) {
        host.ClearResults(plan.Page);
    }
    host.ShowResults(plan.Page);
    ShowOutputFolderWithSlash(host, plan);
    TRunOutcome outcome;
    {
        TRunGuard guard(host, plan.LocksTypeList);
        TRunJournal journal(plan.Page, plan.Sources.Root);  // outlives the executor's steps
        const std::unique_ptr<TStepExecutor> executor = ExecutorFor(host, plan);
        TRunContext context{host, plan.Page, plan.Sources.CheckedTypes, TOverwriteState{}, *executor};
        context.Journal = &journal;
        context.Policy = plan.Replacing;
        if (plan.WritesPictures) {
            context.Output = host.OutputSettings();
            context.Policy.TrashOtherTargets = context.Policy.TrashOtherTargets || context.Output->TrashReplaced;
        }
        RunItems(context, plan);
        executor->Finish();
        outcome = executor->Outcome();
        outcome.Stopped = host.StopRequested();
        ReportIfStopped(host, plan.Page, outcome, plan.Sources.Items.size(), context.ItemsBegun);
    }
    if (!outcome.Stopped) {
        host.ShowMessage(plan.ClosingMessage, TMessageStyle::msInformationOk);
    }
    if (plan.RefreshesList) {
        host.RefreshSourceList();
    }
    return outcome;
}

std::vector<TFileStep> ListPlan(TJobHost& host, const TJobPlan& plan)
{
    TStepRecorder recorder;
    TRunContext context{host, plan.Page, plan.Sources.CheckedTypes, TOverwriteState{}, recorder};
    context.Rehearsal = true;
    RunItems(context, plan);
    return std::move(recorder.Steps);
}

std::optional<TRunOutcome> RunClick(TBatchJob& job, TJobHost& host, const TSourceList& sources,
                                    const TReplacePolicy& replacing)
{
    std::optional<TJobPlan> plan = job.Check(host, sources);
    if (!plan) {
        return std::nullopt;
    }
    plan->Replacing = replacing;
    return RunPlan(host, *plan);
}

}  // namespace quillane
