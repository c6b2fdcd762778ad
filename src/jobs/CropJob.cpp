#include "jobs/CropJob.h"

#include <utility>

#include "jobs/ControlNames.h"
#include "jobs/JobChecks.h"
#include "jobs/JobTexts.h"
#include "jobs/RunFrame.h"

namespace quillane {

namespace {

namespace fs = std::filesystem;

const char* const kSaveField = control::EdtCutSave;

}  // namespace

bool CropStartEnabled(const std::string& widthText, const std::string& heightText)
{
    if (widthText.empty() || heightText.empty()) {
        return false;
    }
    const auto width = ParseInteger(widthText);
    const auto height = ParseInteger(heightText);
    return width && height && static_cast<std::int64_t>(*width) * *height > 0;
}

TCropBatch::TCropBatch(TCropFields fields, TCropRoutine routine)
    : fields_(std::move(fields)), routine_(std::move(routine))
{
}

std::optional<TJobPlan> TCropBatch::Check(TJobHost& host, const TSourceList& sources)
{
    // A start button that is disabled cannot be clicked.
    if (!CropStartEnabled(fields_.Width, fields_.Height)) {
        return std::nullopt;
    }
    const TNamedField saveField{kSaveField, fields_.SavePath};
    if (!CheckListNotEmpty(host, sources, kNoFilesToCrop) ||
        !CheckSaveFolder(host, saveField, NewFileSaveFolderTexts())) {
        return std::nullopt;
    }
    host.ClearResults(TJobPage::jpCrop);
    host.ShowResults(TJobPage::jpCrop);
    std::optional<TCropJob> job = ReadRectangle(host);
    if (!job) {
        return std::nullopt;
    }
    job->Output = MakeOutputRule(fields_.SavePath, fields_.Affix, fields_.AffixPosition);
    TJobPlan plan = NewFilePlan(TJobPage::jpCrop, sources, saveField, job->Output, kCropped, kNotCropped);
    plan.Rule.Routine = [routine = routine_, job = *job](const fs::path& source, const fs::path& target) {
        return TRoutineCall{"CropImage",
                            {{"left", std::to_string(job.Left)},
                             {"top", std::to_string(job.Top)},
                             {"width", std::to_string(job.Width)},
                             {"height", std::to_string(job.Height)}},
                            [routine, job, source, target](bool replace) {
                                return routine(source, target, job.Left, job.Top, job.Width, job.Height, replace);
                            }};
    };
    return plan;
}

// Left, top, width, height, in this order; the first text that is no whole number
// ends the click through the general error display.
std::optional<TCropJob> TCropBatch::ReadRectangle(TJobHost& host) const
{
    const auto left = ReadIntegerField(host, {control::EdtLeft, fields_.Left});
    const auto top = left ? ReadIntegerField(host, {control::EdtTop, fields_.Top}) : std::nullopt;
    const auto width = top ? ReadIntegerField(host, {control::EdtW, fields_.Width}) : std::nullopt;
    const auto height = width ? ReadIntegerField(host, {control::EdtH, fields_.Height}) : std::nullopt;
    if (!height) {
        return std::nullopt;
    }
    return TCropJob{*left, *top, *width, *height, {}};
}

}  // namespace quillane
