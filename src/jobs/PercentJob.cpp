#include "jobs/PercentJob.h"

#include <utility>

#include "jobs/ControlNames.h"
#include "jobs/JobChecks.h"
#include "jobs/ThumbChecks.h"
#include "jobs/ThumbTexts.h"
#include "jobs/TypeFilter.h"

namespace quillane {

namespace {

const char* const kWidthField = control::lbEdtRWidth;
const char* const kHeightField = control::lbEdtRHeight;
const char* const kSaveField = control::lbEdtSavePath;

}  // namespace

TWritePlan PercentPlan(const TPercentJob& job, const TThumbRoutines& routines)
{
    TWritePlan plan;
    plan.Output = job.Output;
    plan.SuccessText = kThumbSucceeded;
    plan.FailureText = kThumbFailed;
    plan.MakeCall = [job, routines](const TPath& source, const TPath& target, bool overwrite) {
        const bool fast = job.Fast && !IsTiffPath(source.string());
        const auto& routine = fast ? routines.PercentFast : routines.PercentHQ;
        return std::function<TOutcome()>([routine, source, target, job, overwrite] {
            return routine(source, target, job.WidthPercent, job.HeightPercent, overwrite);
        });
    };
    return plan;
}

TPercentBatch::TPercentBatch(TPercentFields fields, TThumbRoutines routines)
    : fields_(std::move(fields)), routines_(std::move(routines))
{
}

bool TPercentBatch::Check(TJobHost& host)
{
    checked_ = false;
    const auto size = CheckThumbSizeAndFolder(host, {kWidthField, fields_.Width}, {kHeightField, fields_.Height},
                                              {kSaveField, fields_.SavePath});
    if (!size) {
        return false;
    }
    job_ = TPercentJob{size->Width, size->Height, fields_.Fast,
                       MakeOutputRule(fields_.SavePath, fields_.Affix, fields_.AffixPosition)};
    checked_ = true;
    return true;
}

TRunOutcome TPercentBatch::Run(TJobHost& host)
{
    if (!checked_) {
        return {};
    }
    const TWriteRun run{TJobPage::jpPercent, {kSaveField, fields_.SavePath}, true, kProcessingFinished};
    return RunWriteJob(host, run, PercentPlan(job_, routines_));
}

std::optional<TRunOutcome> BtnPercentClick(TJobHost& host, const TPercentFields& fields, const TThumbRoutines& routines)
{
    TPercentBatch job(fields, routines);
    return RunClick(job, host);
}

}  // namespace quillane
