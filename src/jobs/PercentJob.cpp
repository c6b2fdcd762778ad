#include "jobs/PercentJob.h"

#include <utility>

#include "jobs/ControlNames.h"
#include "jobs/JobChecks.h"
#include "jobs/RunFrame.h"
#include "jobs/ThumbChecks.h"
#include "jobs/JobTexts.h"
#include "jobs/TypeFilter.h"

namespace quillane {

namespace {

const char* const kWidthField = control::lbEdtRWidth;
const char* const kHeightField = control::lbEdtRHeight;
const char* const kSaveField = control::lbEdtSavePath;

}  // namespace

TPercentBatch::TPercentBatch(TPercentFields fields, TThumbRoutines routines)
    : fields_(std::move(fields)), routines_(std::move(routines))
{
}

std::optional<TJobPlan> TPercentBatch::Check(TJobHost& host, const TSourceList& sources)
{
    const TNamedField saveField{kSaveField, fields_.SavePath};
    const auto size =
        CheckThumbSizeAndFolder(host, sources, {kWidthField, fields_.Width}, {kHeightField, fields_.Height}, saveField);
    if (!size) {
        return std::nullopt;
    }
    const TPercentJob job{size->Width, size->Height, fields_.Fast,
                          MakeOutputRule(fields_.SavePath, fields_.Affix, fields_.AffixPosition)};
    TJobPlan plan = NewFilePlan(TJobPage::jpPercent, sources, saveField, job.Output, kThumbSucceeded, kThumbFailed);
    plan.LocksTypeList = true;
    plan.Rule.Routine = [job, routines = routines_](const TPath& source, const TPath& target) {
        const bool fast = job.Fast && !IsTiffPath(source.string());
        const auto& routine = fast ? routines.PercentFast : routines.PercentHQ;
        return TRoutineCall{
            fast ? "ThumbPercentFast" : "ThumbPercentHQ",
            {{"width%", std::to_string(job.WidthPercent)}, {"height%", std::to_string(job.HeightPercent)}},
            [routine, source, target, job](bool replace) {
                return routine(source, target, job.WidthPercent, job.HeightPercent, replace);
            }};
    };
    return plan;
}

}  // namespace quillane
