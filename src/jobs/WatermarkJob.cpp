#include "jobs/WatermarkJob.h"

#include <system_error>
#include <utility>

#include "jobs/ControlNames.h"
#include "jobs/JobChecks.h"
#include "jobs/NewFileFolder.h"
#include "jobs/RunTexts.h"

namespace quillane {

namespace {

namespace fs = std::filesystem;

const char* const kSaveField = control::EdtWatermarkSave;
const char* const kOpacityField = control::EdtWatermarkOpacity;
const char* const kNoFiles = "没有需要进行处理的文件！";
const char* const kBadOpacity = "请正确输入水印标签不透明度(100%为完全不透明)？";
const char* const kOpacityOutOfRange = "请输入水印标签不透明度(100%为完全不透明)？";
const char* const kNoPosition = "请输入水印标签位置！";
const char* const kNoText = "请输入水印标签？";
const char* const kNoPicture = "请输入水印标签图片文件？";
const char* const kStamped = "增加水印标签完成！";
const char* const kNotStamped = "增加水印标签失败！";

bool Ask(TJobHost& host, const std::string& message, const std::string& focusField)
{
    host.ShowMessage(message, TMessageStyle::msQuestionOk);
    if (!focusField.empty()) {
        if (TFormHost* form = host.Form()) {
            form->FocusField(focusField);
        }
    }
    return false;
}

bool IsExistingFile(const std::string& path)
{
    std::error_code error;
    return !path.empty() && fs::is_regular_file(path, error);
}

// The position of one file, or nothing after the conversion error was shown.
std::optional<TPointF> ReadPosition(TJobHost& host, const TWatermarkJob& job)
{
    const auto x = ParseFloat(job.X);
    if (!x) {
        host.ShowError(NotAFloatMessage(job.X));
        return std::nullopt;
    }
    const auto y = ParseFloat(job.Y);
    if (!y) {
        host.ShowError(NotAFloatMessage(job.Y));
        return std::nullopt;
    }
    return TPointF{*x, *y};
}

}  // namespace

TWatermarkRoutines LibraryWatermarkRoutines()
{
    return TWatermarkRoutines{StampTextWatermark, StampPictureWatermark};
}

TWritePlan WatermarkPlan(TJobHost& host, const TWatermarkJob& job, const std::optional<TGPFont>& font,
                         const TWatermarkRoutines& routines)
{
    TWritePlan plan;
    plan.Output = job.Output;
    plan.SuccessText = kStamped;
    plan.FailureText = kNotStamped;
    plan.MakeCall = [&host, &font, job, routines](const fs::path& source, const fs::path& target, bool overwrite) {
        const std::optional<TPointF> position = ReadPosition(host, job);
        if (!position) {
            host.RequestStop();  // the run ends at this file
            return std::function<TOutcome()>();
        }
        if (job.UseText && font) {
            const TArgb colour = WatermarkTextColour(job.Font.Colour, job.Opacity);
            return std::function<TOutcome()>([=, &font] {
                return routines.Text(source, target, job.Text, *font, colour, *position, overwrite, job.FromBottomRight,
                                     job.MinWidth);
            });
        }
        const TColorMatrix matrix = OpacityMatrix(static_cast<float>(job.Opacity) / 100.0f);
        return std::function<TOutcome()>([=] {
            return routines.Picture(source, target, job.PicturePath, matrix, *position, overwrite, job.FromBottomRight,
                                    job.MinWidth);
        });
    };
    return plan;
}

TWatermarkBatch::TWatermarkBatch(TWatermarkFields fields, TWatermarkRoutines routines)
    : fields_(std::move(fields)), routines_(std::move(routines))
{
}

bool TWatermarkBatch::Check(TJobHost& host)
{
    checked_ = false;
    if (!CheckListNotEmpty(host, kNoFiles)) {
        return false;
    }
    if (TrimField(fields_.SavePath).empty()) {
        return Ask(host, NewFileSaveFolderTexts().Empty, kSaveField);
    }
    const std::optional<std::int32_t> opacity = CheckOpacity(host);
    if (!opacity || !CheckPosition(host)) {
        return false;
    }
    const auto minWidth = fields_.MinWidth.empty() ? std::optional<std::int32_t>(0)
                                                   : ReadIntegerField(host, {control::EdtMinWidth, fields_.MinWidth});
    if (!minWidth || !CheckSaveFolder(host, {kSaveField, fields_.SavePath}, NewFileSaveFolderTexts()) ||
        !CheckMark(host)) {
        return false;
    }
    job_ = TWatermarkJob{fields_.UseText, fields_.Text,
                         fields_.Font,    fields_.PicturePath,
                         fields_.X,       fields_.Y,
                         *opacity,        fields_.Origin != 1,
                         *minWidth,       MakeOutputRule(fields_.SavePath, fields_.Affix, fields_.AffixPosition)};
    checked_ = true;
    return true;
}

// An empty field is taken as fully opaque and shows "100"; a value outside 1 to 100
// is refused and the field set back to "100".
std::optional<std::int32_t> TWatermarkBatch::CheckOpacity(TJobHost& host)
{
    if (TrimField(fields_.Opacity).empty()) {
        fields_.Opacity = "100";
        if (TFormHost* form = host.Form()) {
            form->SetFieldText(kOpacityField, fields_.Opacity);
        }
    }
    const std::optional<std::int32_t> opacity = ParseInteger(fields_.Opacity);
    if (!opacity) {
        Ask(host, kBadOpacity, kOpacityField);
        return std::nullopt;
    }
    if (*opacity < 1 || *opacity > 100) {
        host.ShowMessage(kOpacityOutOfRange, TMessageStyle::msQuestionOk);
        fields_.Opacity = "100";
        if (TFormHost* form = host.Form()) {
            form->SetFieldText(kOpacityField, fields_.Opacity);
            form->FocusField(kOpacityField);
        }
        return std::nullopt;
    }
    return opacity;
}

bool TWatermarkBatch::CheckPosition(TJobHost& host)
{
    if (fields_.X.empty()) {
        return Ask(host, kNoPosition, control::EdtWatermarkX);
    }
    if (fields_.Y.empty()) {
        return Ask(host, kNoPosition, control::EdtWatermarkY);
    }
    return true;
}

// Tested only after the output folder exists, which a stop here leaves made.
bool TWatermarkBatch::CheckMark(TJobHost& host)
{
    if (fields_.UseText && fields_.Text.empty()) {
        return Ask(host, kNoText, control::EdtWatermark);
    }
    if (!fields_.UseText && !IsExistingFile(fields_.PicturePath)) {
        return Ask(host, kNoPicture, {});
    }
    return true;
}

TRunOutcome TWatermarkBatch::Run(TJobHost& host)
{
    if (!checked_) {
        return {};
    }
    // One graphics font for the whole run, released when the run ends however it ends.
    const std::optional<TGPFont> font =
        job_.UseText ? std::optional<TGPFont>(MakeGraphicsFont(job_.Font)) : std::nullopt;
    const TWriteRun run{TJobPage::jpWatermark, {kSaveField, fields_.SavePath}, false, kWatermarkFinished};
    const TWritePlan plan = WatermarkPlan(host, job_, font, routines_);
    return RunWriteJob(host, run, plan);
}

std::optional<TRunOutcome> BtnWatermarkClick(TJobHost& host, const TWatermarkFields& fields,
                                             const TWatermarkRoutines& routines)
{
    TWatermarkBatch job(fields, routines);
    return RunClick(job, host);
}

}  // namespace quillane
