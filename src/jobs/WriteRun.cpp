#include "jobs/WriteRun.h"

#include <algorithm>
#include <memory>
#include <system_error>
#include <vector>

#include "imaging/PictureChecks.h"
#include "jobs/FolderWalk.h"
#include "jobs/Overwrite.h"
#include "jobs/ParallelExecutor.h"
#include "jobs/RunGuard.h"
#include "jobs/StepExecutor.h"
#include "jobs/StoppedRun.h"

namespace quillane {

namespace fs = std::filesystem;

namespace {

std::vector<TSourceItem> ReadSourceItems(TJobHost& host)
{
    const std::size_t count = host.SourceItemCount();  // read once; the loop never sees the list change
    std::vector<TSourceItem> items;
    items.reserve(count);
    for (std::size_t index = 0; index < count; ++index) {
        items.push_back(host.SourceItem(index));
    }
    return items;
}

// The total is known up front only when no folder will be walked.
std::optional<std::size_t> KnownTotal(const std::vector<TSourceItem>& items, bool walkFolders)
{
    const bool anyFolder = std::any_of(items.begin(), items.end(), [](const TSourceItem& i) { return i.IsFolder; });
    return walkFolders && anyFolder ? std::nullopt : std::optional(items.size());
}

void AppendSlashToField(TJobHost& host, const TNamedField& field)
{
    const std::string folder = WithTrailingSlash(field.Text);
    if (folder != field.Text) {
        if (TFormHost* form = host.Form()) {
            form->SetFieldText(field.Name, folder);
        }
    }
}

bool IsRegularFile(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

}  // namespace

fs::path AffixedTarget(const fs::path& source, const std::string& targetFolder, const TOutputRule& rule)
{
    return ApplyAffix(targetFolder + source.filename().string(), rule);
}

void SubmitWriteStep(TRunContext& context, const TWritePlan& plan, const fs::path& source,
                     const std::string& targetFolder)
{
    TFileStep step;
    step.Source = source;
    step.Target =
        plan.TargetFor ? plan.TargetFor(source, targetFolder) : AffixedTarget(source, targetFolder, plan.Output);
    step.SuccessText = plan.SuccessText;
    step.FailureText = plan.FailureText;
    step.Item = context.Item;
    context.Executor.Settle(step.Target);
    const std::optional<TOutcome> settled =
        plan.SettledWithoutCall ? plan.SettledWithoutCall(source, step.Target) : std::nullopt;
    if (settled) {
        step.Call = [result = *settled] { return result; };
    } else if (!IsRegularFile(source)) {
        step.Refusal = SourceFileReason(source);
    } else {
        // A list item that is no regular file (a FIFO, a vanished file) is never opened.
        if (OverwritePromptDue(step.Target, context.Overwrite)) {
            context.Executor.SettleAll();
        }
        const bool overwrite = AskOverwrite(context.Host, step.Target, context.Overwrite);
        step.Call = plan.MakeCall(source, step.Target, overwrite);
        // A call that could not be made because the run was ended meanwhile (a field
        // that cannot be read) leaves no line for this file.
        if (!step.Call && context.Host.StopRequested()) {
            return;
        }
    }
    context.Executor.Submit(std::move(step));
}

void WalkWriteFolder(TRunContext& context, const TWritePlan& plan, const std::string& sourceRoot,
                     const std::string& targetRoot, const std::string& folder)
{
    TFolderWalk walk(context, sourceRoot, targetRoot, [&](const fs::path& source, const std::string& targetFolder) {
        SubmitWriteStep(context, plan, source, targetFolder);
    });
    walk.Walk(folder);
}

namespace {

// The item loop: files straight to their step, folder items to the job's walker.
void RunItems(TRunContext& context, const std::vector<TSourceItem>& items, bool walkFolders, const TWritePlan& plan)
{
    const std::string sourceRoot = context.Host.SourceRoot().string();
    for (context.Item = 0; context.Item < items.size(); ++context.Item) {
        const TSourceItem& item = items[context.Item];
        if (context.Host.StopRequested()) {
            return;
        }
        if (item.IsFolder && walkFolders) {
            context.ItemsBegun = context.Item + 1;
            WalkWriteFolder(context, plan, sourceRoot, plan.Output.SaveFolder, item.Path.string());
        } else {
            SubmitWriteStep(context, plan, item.Path, plan.Output.SaveFolder);
        }
    }
}

}  // namespace

TRunOutcome RunWriteJob(TJobHost& host, const TWriteRun& run, const TWritePlan& plan)
{
    host.ClearResults(run.Page);
    host.ShowResults(run.Page);
    AppendSlashToField(host, run.SaveField);
    TRunOutcome outcome;
    {
        TRunGuard guard(host, run.LockTypeList);
        const bool walkFolders = host.SubFoldersIncluded();
        const std::vector<TSourceItem> items = ReadSourceItems(host);
        const std::unique_ptr<TStepExecutor> executor =
            MakeStepExecutor(host, run.Page, KnownTotal(items, walkFolders));
        TRunContext context{host, run.Page, host.CheckedTypeCaptions(), TOverwriteState{}, *executor};
        RunItems(context, items, walkFolders, plan);
        executor->Finish();
        outcome = executor->Outcome();
        outcome.Stopped = host.StopRequested();
        ReportIfStopped(host, run.Page, outcome, items.size(), context.ItemsBegun);
    }
    if (!outcome.Stopped) {
        host.ShowMessage(run.ClosingMessage, TMessageStyle::msInformationOk);
    }
    return outcome;
}

}  // namespace quillane
