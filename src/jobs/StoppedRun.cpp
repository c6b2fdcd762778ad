#include "jobs/StoppedRun.h"

#include <algorithm>

#include "jobs/EngineTexts.h"

namespace quillane {

std::string StoppedRunLine(std::size_t filesDone, std::size_t itemsLeft)
{
    return FilledPattern(kStoppedRunPattern, {std::to_string(filesDone), std::to_string(itemsLeft)});
}

void ReportIfStopped(TJobHost& host, TJobPage page, TRunOutcome& outcome, std::size_t itemCount, std::size_t itemsBegun)
{
    if (!outcome.Stopped) {
        return;
    }
    outcome.ItemsReached = std::min(itemCount, std::max(outcome.ItemsReached, itemsBegun));
    host.ReportStop(page, StoppedRunLine(outcome.Succeeded + outcome.Failed, itemCount - outcome.ItemsReached));
}

}  // namespace quillane
