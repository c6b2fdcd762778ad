#include "jobs/StepExecutor.h"

#include <algorithm>
#include <utility>

#include "imaging/LibraryGuard.h"

namespace quillane {

TOutcome RunStepCall(const TFileStep& step) noexcept
{
    return GuardedOutcome(TReason::rsUnexpected,
                          [&] { return step.Call ? step.Call() : TOutcome::Failure(step.Refusal); });
}

void CountLogged(TRunOutcome& outcome, const TFileStep& step, bool succeeded)
{
    ++(succeeded ? outcome.Succeeded : outcome.Failed);
    outcome.ItemsReached = std::max(outcome.ItemsReached, step.Item + 1);
}

std::string ResultLine(const TFileStep& step, bool succeeded)
{
    return step.Source.string() + (succeeded ? step.SuccessText : step.FailureText);
}

void LogResult(TJobHost& host, TJobPage page, const TFileStep& step, const TOutcome& result)
{
    const bool succeeded = static_cast<bool>(result);
    host.AppendResult(page, ResultLine(step, succeeded));
    if (!succeeded) {
        host.ReportFailure(page, step.Source, result.AsFailure());
    } else if (result.Note() != TReason::rsNone) {
        host.ReportFailure(page, step.Source, TFailure{result.Note(), {}});
    }
}

TInlineExecutor::TInlineExecutor(TJobHost& host, TJobPage page, std::optional<std::size_t> filesTotal)
    : host_(host), page_(page), filesTotal_(filesTotal)
{
}

void TInlineExecutor::Submit(TFileStep step)
{
    const std::size_t done = outcome_.Succeeded + outcome_.Failed;
    host_.ReportProgress(TProgress{done, filesTotal_, step.Source});
    const TOutcome result = RunStepCall(step);
    CountLogged(outcome_, step, static_cast<bool>(result));
    LogResult(host_, page_, step, result);
}

void TInlineExecutor::Finish()
{
    const std::size_t done = outcome_.Succeeded + outcome_.Failed;
    host_.ReportProgress(TProgress{done, done, {}});
}

}  // namespace quillane
