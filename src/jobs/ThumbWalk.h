#pragma once

#include <string>

#include "jobs/RunContext.h"
#include "jobs/WriteRun.h"

namespace quillane {

// Which thumbnail job a walk serves.
enum TThumbKind { tkPercent = 0, tkPixel = 1, tkWOrH = 2 };

// A thumbnail job's per-file rules: its affix rule, routine choice and result lines.
struct TThumbPlan {
    TThumbKind Kind = tkPercent;
    TWritePlan Write;
};

// The walker of the three thumbnail jobs: every matching picture of `folder` and of
// the folders below it, into the mirrored folder below `targetRoot`.
void WalkThumbFolder(TRunContext& context, const std::string& sourceRoot, const std::string& targetRoot,
                     const std::string& folder, const TThumbPlan& plan);

// The run of a thumbnail job once its checks passed.
TRunOutcome RunThumbJob(TJobHost& host, const TWriteRun& run, const TThumbPlan& plan);

// The thumbnail jobs' closing message.
inline constexpr const char* kThumbClosingMessage = "处理完成！";

}  // namespace quillane
