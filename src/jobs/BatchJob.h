#pragma once

#include <cstddef>
#include <optional>

#include "jobs/JobHost.h"

namespace quillane {

// What a run did, for the host's own summary (the command line's exit status).
struct TRunOutcome {
    std::size_t Succeeded = 0;
    std::size_t Failed = 0;
    bool Stopped = false;  // a stop request ended the run early
    // List items the run got to: a file item with its line, a folder item whose walk began.
    std::size_t ItemsReached = 0;
};

// One start button's job, built from its page's field texts. Check() on the host's
// thread, then Run() — see the threading contract in JobHost.h.
class TBatchJob {
public:
    virtual ~TBatchJob() = default;
    virtual bool Check(TJobHost& host) = 0;
    virtual TRunOutcome Run(TJobHost& host) = 0;
};

// A click handled inline: the checks, then the run when they pass. Empty when a
// check stopped the click.
inline std::optional<TRunOutcome> RunClick(TBatchJob& job, TJobHost& host)
{
    if (!job.Check(host)) {
        return std::nullopt;
    }
    return job.Run(host);
}

}  // namespace quillane
