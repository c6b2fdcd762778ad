#pragma once

#include <cstddef>
#include <optional>

#include "jobs/JobHost.h"
#include "jobs/JobPlan.h"

namespace quillane {

// What a run did, for the host's own summary (the command line's exit status).
struct TRunOutcome {
    std::size_t Succeeded = 0;
    std::size_t Failed = 0;
    bool Stopped = false;  // a stop request ended the run early
    // List items the run got to: a file item with its line, a folder item whose walk began.
    std::size_t ItemsReached = 0;
};

// One start button's job, built from its page's field texts.
class TBatchJob {
public:
    virtual ~TBatchJob() = default;
    // The page's checks in their order, on the host's thread (see JobHost.h); the plan
    // of the run when they pass, nothing when a check stopped the click.
    virtual std::optional<TJobPlan> Check(TJobHost& host, const TSourceList& sources) = 0;
};

}  // namespace quillane
