#include "jobs/WOrHJob.h"

#include <utility>

#include "jobs/ControlNames.h"
#include "jobs/JobChecks.h"
#include "jobs/RunFrame.h"
#include "jobs/JobTexts.h"
#include "jobs/TypeFilter.h"

namespace quillane {

namespace {

const char* const kWidthField = control::EdtWOnly;
const char* const kHeightField = control::EdtHOnly;
const char* const kSaveField = control::EdtWOrHPath;

}  // namespace

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

std::optional<TJobPlan> TWOrHBatch::Check(TJobHost& host, const TSourceList& sources)
{
    if (!CheckListNotEmpty(host, sources, kNoThumbFiles)) {
        return std::nullopt;
    }
    if (!fields_.WidthChosen && !fields_.HeightChosen) {
        host.ShowMessage(kNoSideChosen, TMessageStyle::msInformationOk);
        return std::nullopt;
    }
    const TNamedField saveField{kSaveField, fields_.SavePath};
    const auto size = CheckSize(host);
    if (!size || !CheckSaveFolder(host, saveField, ThumbSaveFolderTexts())) {
        return std::nullopt;
    }
    const TWOrHJob job{fields_.WidthChosen, *size, fields_.SkipSmaller, fields_.Fast,
                       MakeOutputRule(fields_.SavePath, fields_.Affix, fields_.AffixPosition)};
    TJobPlan plan = NewFilePlan(TJobPage::jpWOrH, sources, saveField, job.Output, kSideSucceeded, kSideNotCreated);
    plan.Rule.Routine = [job, routines = routines_](const TPath& source, const TPath& target) {
        const bool fast = job.Fast && !(job.ByWidth && IsTiffPath(source.string()));
        const auto& routine = fast ? routines.SideFast : routines.SideHQ;
        return TRoutineCall{fast ? "ThumbSideFast" : "ThumbSideHQ",
                            {{job.ByWidth ? "width" : "height", std::to_string(job.Size)},
                             {"skip-smaller", job.SkipSmaller ? "yes" : "no"}},
                            [routine, source, target, job](bool replace) {
                                return routine(source, target, job.ByWidth, job.Size, replace, job.SkipSmaller);
                            }};
    };
    return plan;
}

}  // namespace quillane
