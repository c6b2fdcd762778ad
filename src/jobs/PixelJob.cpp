#include "jobs/PixelJob.h"

#include <utility>

#include "jobs/ControlNames.h"
#include "jobs/JobChecks.h"
#include "jobs/ThumbChecks.h"
#include "jobs/ThumbTexts.h"
#include "jobs/TypeFilter.h"

namespace quillane {

namespace {

const char* const kWidthField = control::lbEdtWidth;
const char* const kHeightField = control::lbEdtHeight;
const char* const kSaveField = control::EdtSavePixel;

std::function<TOutcome()> PixelCall(const TPixelJob& job, const TThumbRoutines& routines, const TPath& source,
                                    const TPath& target, bool overwrite)
{
    const std::int32_t w = job.Width;
    const std::int32_t h = job.Height;
    switch (job.Mode) {
    case pmFill: {
        const auto& routine = job.Fast ? routines.FillFast : routines.FillHQ;
        const TArgb colour = job.BackColour;
        return [=] { return routine(source, target, w, h, colour, overwrite); };
    }
    case pmCut: {
        const bool fast = job.Fast && !IsTiffPath(source.string());
        const auto& routine = fast ? routines.CutFast : routines.CutHQ;
        return [=] { return routine(source, target, w, h, overwrite); };
    }
    case pmExact:
        break;
    }
    const auto& routine = job.Fast ? routines.ExactFast : routines.ExactHQ;
    return [=] { return routine(source, target, w, h, overwrite); };
}

}  // namespace

TWritePlan PixelPlan(const TPixelJob& job, const TThumbRoutines& routines)
{
    TWritePlan plan;
    plan.Output = job.Output;
    plan.SuccessText = kThumbSucceeded;
    plan.FailureText = kThumbFailed;
    plan.MakeCall = [job, routines](const TPath& source, const TPath& target, bool overwrite) {
        return PixelCall(job, routines, source, target, overwrite);
    };
    return plan;
}

TPixelBatch::TPixelBatch(TPixelFields fields, TThumbRoutines routines)
    : fields_(std::move(fields)), routines_(std::move(routines))
{
}

bool TPixelBatch::Check(TJobHost& host)
{
    checked_ = false;
    const auto size = CheckThumbSizeAndFolder(host, {kWidthField, fields_.Width}, {kHeightField, fields_.Height},
                                              {kSaveField, fields_.SavePath});
    if (!size) {
        return false;
    }
    const TArgb opaque = 0xFF000000u | (fields_.BackColourRgb & 0x00FFFFFFu);
    job_ = TPixelJob{size->Width, size->Height, fields_.Mode,
                     opaque,      fields_.Fast, MakeOutputRule(fields_.SavePath, fields_.Affix, fields_.AffixPosition)};
    checked_ = true;
    return true;
}

TRunOutcome TPixelBatch::Run(TJobHost& host)
{
    if (!checked_) {
        return {};
    }
    const TWriteRun run{TJobPage::jpPixel, {kSaveField, fields_.SavePath}, false, kProcessingFinished};
    return RunWriteJob(host, run, PixelPlan(job_, routines_));
}

std::optional<TRunOutcome> BtnPixelClick(TJobHost& host, const TPixelFields& fields, const TThumbRoutines& routines)
{
    TPixelBatch job(fields, routines);
    return RunClick(job, host);
}

}  // namespace quillane
