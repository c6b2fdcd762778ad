#pragma once

#include <string>
#include <vector>

#include "jobs/JobHost.h"
#include "jobs/Overwrite.h"
#include "jobs/StepExecutor.h"

namespace quillane {

// What the item loop and every walk level of one run share.
struct TRunContext {
    TJobHost& Host;
    TJobPage Page;
    std::vector<std::string> CheckedTypes;
    TOverwriteState Overwrite;
    TStepExecutor& Executor;
};

}  // namespace quillane
