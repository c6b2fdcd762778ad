#pragma once

#include <cstddef>
#include <string>

#include "jobs/BatchJob.h"
#include "jobs/JobHost.h"

namespace quillane {

// "已停止：已处理 n 个文件，列表中还有 m 项未处理。": files with a line, list items the
// run never got to (a folder counting as one item).
std::string StoppedRunLine(std::size_t filesDone, std::size_t itemsLeft);

// Tells the host how far a stopped run got; nothing for a run that was not stopped.
// `itemsBegun` counts the list items up to the last folder item whose walk began.
void ReportIfStopped(TJobHost& host, TJobPage page, TRunOutcome& outcome, std::size_t itemCount,
                     std::size_t itemsBegun);

}  // namespace quillane
