#include "jobs/CropJob.h"

#include <utility>

#include "jobs/ControlNames.h"
#include "jobs/JobChecks.h"
#include "jobs/NewFileFolder.h"

namespace quillane {

namespace {

namespace fs = std::filesystem;

const char* const kSaveField = control::EdtCutSave;
const char* const kNoFiles = "没有需要进行剪裁的文件！";
const char* const kCropped = "剪裁完成！";
const char* const kNotCropped = "剪裁失败！";

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

TWritePlan CropPlan(const TCropJob& job, const TCropRoutine& routine)
{
    TWritePlan plan;
    plan.Output = job.Output;
    plan.SuccessText = kCropped;
    plan.FailureText = kNotCropped;
    plan.MakeCall = [routine, job](const fs::path& source, const fs::path& target, bool overwrite) {
        return std::function<TOutcome()>([routine, job, source, target, overwrite] {
            return routine(source, target, job.Left, job.Top, job.Width, job.Height, overwrite);
        });
    };
    return plan;
}

TCropBatch::TCropBatch(TCropFields fields, TCropRoutine routine)
    : fields_(std::move(fields)), routine_(std::move(routine))
{
}

bool TCropBatch::Check(TJobHost& host)
{
    checked_ = false;
    // A start button that is disabled cannot be clicked.
    if (!CropStartEnabled(fields_.Width, fields_.Height)) {
        return false;
    }
    if (!CheckListNotEmpty(host, kNoFiles) ||
        !CheckSaveFolder(host, {kSaveField, fields_.SavePath}, NewFileSaveFolderTexts())) {
        return false;
    }
    host.ClearResults(TJobPage::jpCrop);
    host.ShowResults(TJobPage::jpCrop);
    if (!ReadRectangle(host)) {
        return false;
    }
    job_.Output = MakeOutputRule(fields_.SavePath, fields_.Affix, fields_.AffixPosition);
    checked_ = true;
    return true;
}

// Left, top, width, height, in this order; the first text that is no whole number
// ends the click through the general error display.
bool TCropBatch::ReadRectangle(TJobHost& host)
{
    const auto left = ReadIntegerField(host, {control::EdtLeft, fields_.Left});
    const auto top = left ? ReadIntegerField(host, {control::EdtTop, fields_.Top}) : std::nullopt;
    const auto width = top ? ReadIntegerField(host, {control::EdtW, fields_.Width}) : std::nullopt;
    const auto height = width ? ReadIntegerField(host, {control::EdtH, fields_.Height}) : std::nullopt;
    if (!height) {
        return false;
    }
    job_.Left = *left;
    job_.Top = *top;
    job_.Width = *width;
    job_.Height = *height;
    return true;
}

TRunOutcome TCropBatch::Run(TJobHost& host)
{
    if (!checked_) {
        return {};
    }
    const TWriteRun run{TJobPage::jpCrop, {kSaveField, fields_.SavePath}, false, kProcessingFinished};
    const TWritePlan plan = CropPlan(job_, routine_);
    return RunWriteJob(host, run, plan);
}

std::optional<TRunOutcome> BtnCutClick(TJobHost& host, const TCropFields& fields, const TCropRoutine& routine)
{
    TCropBatch job(fields, routine);
    return RunClick(job, host);
}

}  // namespace quillane
