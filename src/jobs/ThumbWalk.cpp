#include "jobs/ThumbWalk.h"

namespace quillane {

void WalkThumbFolder(TRunContext& context, const std::string& sourceRoot, const std::string& targetRoot,
                     const std::string& folder, const TThumbPlan& plan)
{
    WalkWriteFolder(context, plan.Write, sourceRoot, targetRoot, folder);
}

TRunOutcome RunThumbJob(TJobHost& host, const TWriteRun& run, const TThumbPlan& plan)
{
    return RunWriteJob(host, run, plan.Write,
                       [&plan](TRunContext& context, const std::string& sourceRoot, const std::string& targetRoot,
                               const std::string& folder) {
                           WalkThumbFolder(context, sourceRoot, targetRoot, folder, plan);
                       });
}

}  // namespace quillane
