#include "jobs/StepExecutor.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "imaging/LibraryGuard.h"

namespace quillane {

TOutcome RunStepCall(const TFileStep& step) noexcept
{
    return GuardedOutcome(TReason::rsUnexpected,
                          [&] { return step.Call ? step.Call() : TOutcome::Failure(step.Refusal); });
}

TStepResult RunTimedStepCall(const TFileStep& step) noexcept
{
    const auto start = std::chrono::steady_clock::now();
    TOutcome outcome = RunStepCall(step);
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    return TStepResult{std::move(outcome), elapsed.count()};
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

void LogResult(TJobHost& host, TJobPage page, const TFileStep& step, const TStepResult& result)
{
    const bool succeeded = static_cast<bool>(result.Outcome);
    // A success may carry a note (how a name was made); it goes where a failure's reason goes.
    const TFailure reason = succeeded ? TFailure{result.Outcome.Note(), {}} : result.Outcome.AsFailure();
    host.ReportFile(page, TFileReport{step.Source, step.Target, ResultLine(step, succeeded), succeeded, reason,
                                      result.Milliseconds});
}

TInlineExecutor::TInlineExecutor(TJobHost& host, TJobPage page, std::optional<std::size_t> filesTotal)
    : host_(host), page_(page), filesTotal_(filesTotal)
{
}

void TInlineExecutor::Submit(TFileStep step)
{
    const std::size_t done = outcome_.Succeeded + outcome_.Failed;
    host_.ReportProgress(TProgress{done, filesTotal_, step.Source});
    const TStepResult result = RunTimedStepCall(step);
    CountLogged(outcome_, step, static_cast<bool>(result.Outcome));
    LogResult(host_, page_, step, result);
}

void TInlineExecutor::Finish()
{
    const std::size_t done = outcome_.Succeeded + outcome_.Failed;
    host_.ReportProgress(TProgress{done, done, {}});
}

}  // namespace quillane
