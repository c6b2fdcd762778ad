#include "jobs/StoppedRun.h"

#include <algorithm>

namespace quillane {

std::string StoppedRunLine(std::size_t filesDone, std::size_t itemsLeft)
{
    return "已停止：已处理 " + std::to_string(filesDone) + " 个文件，列表中还有 " + std::to_string(itemsLeft) +
           " 项未处理。";
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
