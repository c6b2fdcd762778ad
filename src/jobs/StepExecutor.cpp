#include "jobs/StepExecutor.h"

#include <algorithm>
#include <utility>

namespace quillane {

bool RunStepCall(const std::function<bool()>& call) noexcept
{
    try {
        return call && call();
    } catch (...) {
        return false;
    }
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

TInlineExecutor::TInlineExecutor(TJobHost& host, TJobPage page, std::optional<std::size_t> filesTotal)
    : host_(host), page_(page), filesTotal_(filesTotal)
{
}

void TInlineExecutor::Submit(TFileStep step)
{
    const std::size_t done = outcome_.Succeeded + outcome_.Failed;
    host_.ReportProgress(TProgress{done, filesTotal_, step.Source});
    const bool succeeded = RunStepCall(step.Call);
    CountLogged(outcome_, step, succeeded);
    host_.AppendResult(page_, ResultLine(step, succeeded));
}

void TInlineExecutor::Finish()
{
    const std::size_t done = outcome_.Succeeded + outcome_.Failed;
    host_.ReportProgress(TProgress{done, done, {}});
}

}  // namespace quillane
