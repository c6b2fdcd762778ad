#include "jobs/WOrHJob.h"

#include <utility>

#include "jobs/ControlNames.h"
#include "jobs/JobChecks.h"
#include "jobs/ThumbTexts.h"
#include "jobs/TypeFilter.h"

namespace quillane {

namespace {

const char* const kWidthField = control::EdtWOnly;
const char* const kHeightField = control::EdtHOnly;
const char* const kSaveField = control::EdtWOrHPath;
const char* const kNoSideChosen = "请选择创建缩略图的方式！";

}  // namespace

TWritePlan WOrHPlan(const TWOrHJob& job, const TThumbRoutines& routines)
{
    TWritePlan plan;
    plan.Output = job.Output;
    plan.SuccessText = kSideSucceeded;
    plan.FailureText = kSideNotCreated;
    plan.MakeCall = [job, routines](const TPath& source, const TPath& target, bool overwrite) {
        const bool fast = job.Fast && !(job.ByWidth && IsTiffPath(source.string()));
        const auto& routine = fast ? routines.SideFast : routines.SideHQ;
        return std::function<TOutcome()>([routine, source, target, job, overwrite] {
            return routine(source, target, job.ByWidth, job.Size, overwrite, job.SkipSmaller);
        });
    };
    return plan;
}

TWOrHBatch::TWOrHBatch(TWOrHFields fields, TThumbRoutines routines)
    : fields_(std::move(fields)), routines_(std::move(routines))
{
}

// Only the chosen side's edit is tested: an empty one leaves the focus where it is,
// a 0 moves it there.
std::optional<std::int32_t> TWOrHBatch::CheckSize(TJobHost& host) const
{
    const TNamedField width{kWidthField, fields_.WidthText};
    const TNamedField height{kHeightField, fields_.HeightText};
    if ((fields_.WidthChosen && TrimField(width.Text).empty()) ||
        (fields_.HeightChosen && TrimField(height.Text).empty())) {
        host.ShowMessage(kBadThumbRule, TMessageStyle::msInformationOk);
        return std::nullopt;
    }
    std::optional<std::int32_t> size;
    if (fields_.WidthChosen) {
        size = CheckNonZeroField(host, width, kBadThumbRule);
        if (!size) {
            return std::nullopt;
        }
    }
    if (fields_.HeightChosen) {
        const auto heightSize = CheckNonZeroField(host, height, kBadThumbRule);
        if (!heightSize) {
            return std::nullopt;
        }
        size = fields_.WidthChosen ? size : heightSize;
    }
    return size;
}

bool TWOrHBatch::Check(TJobHost& host)
{
    checked_ = false;
    if (!CheckListNotEmpty(host, kNoThumbFiles)) {
        return false;
    }
    if (!fields_.WidthChosen && !fields_.HeightChosen) {
        host.ShowMessage(kNoSideChosen, TMessageStyle::msInformationOk);
        return false;
    }
    const auto size = CheckSize(host);
    if (!size || !CheckSaveFolder(host, {kSaveField, fields_.SavePath}, ThumbSaveFolderTexts())) {
        return false;
    }
    job_ = TWOrHJob{fields_.WidthChosen, *size, fields_.SkipSmaller, fields_.Fast,
                    MakeOutputRule(fields_.SavePath, fields_.Affix, fields_.AffixPosition)};
    checked_ = true;
    return true;
}

TRunOutcome TWOrHBatch::Run(TJobHost& host)
{
    if (!checked_) {
        return {};
    }
    const TWriteRun run{TJobPage::jpWOrH, {kSaveField, fields_.SavePath}, false, kProcessingFinished};
    return RunWriteJob(host, run, WOrHPlan(job_, routines_));
}

std::optional<TRunOutcome> BtnWOrHClick(TJobHost& host, const TWOrHFields& fields, const TThumbRoutines& routines)
{
    TWOrHBatch job(fields, routines);
    return RunClick(job, host);
}

}  // namespace quillane
