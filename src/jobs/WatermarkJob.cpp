#include "jobs/WatermarkJob.h"

#include <memory>
#include <string>
#include <system_error>
#include <utility>
#include <variant>

#include "jobs/ControlNames.h"
#include "jobs/JobChecks.h"
#include "jobs/JobTexts.h"
#include "jobs/RunFrame.h"

namespace quillane {

namespace {

namespace fs = std::filesystem;

const char* const kSaveField = control::EdtWatermarkSave;
const char* const kOpacityField = control::EdtWatermarkOpacity;

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

// The position of one file, or the conversion error of its first unreadable field.
std::variant<TPointF, std::string> ReadPosition(const TWatermarkJob& job)
{
    const auto x = ParseFloat(job.X);
    if (!x) {
        return NotAFloatMessage(job.X);
    }
    const auto y = ParseFloat(job.Y);
    if (!y) {
        return NotAFloatMessage(job.Y);
    }
    return TPointF{*x, *y};
}

TRoutineSettings MarkSettings(const TWatermarkJob& job)
{
    TRoutineSettings settings;
    if (job.UseText) {
        settings.emplace_back("text", job.Text);
    } else {
        settings.emplace_back("picture", job.PicturePath);
    }
    settings.insert(settings.end(), {{"x", job.X},
                                     {"y", job.Y},
                                     {"opacity", std::to_string(job.Opacity)},
                                     {"origin", job.FromBottomRight ? "bottom-right" : "top-left"},
                                     {"min-width", std::to_string(job.MinWidth)}});
    return settings;
}

// The stamp of one file with its arguments bound; `font` is the run's graphics font
// (none for a picture mark).
TRoutineCall StampCall(const TWatermarkJob& job, const std::shared_ptr<const TGPFont>& font,
                       const TWatermarkRoutines& routines, const fs::path& source, const fs::path& target)
{
    const auto position = ReadPosition(job);
    if (const auto* error = std::get_if<std::string>(&position)) {
        return TRoutineCall{{}, {}, {}, *error};
    }
    const TPointF at = std::get<TPointF>(position);
    if (job.UseText && font) {
        const TArgb colour = WatermarkTextColour(job.Font.Colour, job.Opacity);
        return {"StampTextWatermark", MarkSettings(job), [=](bool replace) {
                    return routines.Text(source, target, job.Text, *font, colour, at, replace, job.FromBottomRight,
                                         job.MinWidth);
                }};
    }
    const TColorMatrix matrix = OpacityMatrix(static_cast<float>(job.Opacity) / 100.0f);
    return {"StampPictureWatermark", MarkSettings(job), [=](bool replace) {
                return routines.Picture(source, target, job.PicturePath, matrix, at, replace, job.FromBottomRight,
                                        job.MinWidth);
            }};
}

}  // namespace

TWatermarkRoutines LibraryWatermarkRoutines()
{
    return TWatermarkRoutines{StampTextWatermark, StampPictureWatermark};
}

TWatermarkBatch::TWatermarkBatch(TWatermarkFields fields, TWatermarkRoutines routines)
    : fields_(std::move(fields)), routines_(std::move(routines))
{
}

std::optional<TJobPlan> TWatermarkBatch::Check(TJobHost& host, const TSourceList& sources)
{
    if (!CheckListNotEmpty(host, sources, kNoFilesToStamp)) {
        return std::nullopt;
    }
    if (TrimField(fields_.SavePath).empty()) {
        Ask(host, NewFileSaveFolderTexts().Empty, kSaveField);
        return std::nullopt;
    }
    const std::optional<std::int32_t> opacity = CheckOpacity(host);
    if (!opacity || !CheckPosition(host)) {
        return std::nullopt;
    }
    const auto minWidth = fields_.MinWidth.empty() ? std::optional<std::int32_t>(0)
                                                   : ReadIntegerField(host, {control::EdtMinWidth, fields_.MinWidth});
    if (!minWidth || !CheckSaveFolder(host, {kSaveField, fields_.SavePath}, NewFileSaveFolderTexts()) ||
        !CheckMark(host)) {
        return std::nullopt;
    }
    const TWatermarkJob job{fields_.UseText, fields_.Text,
                            fields_.Font,    fields_.PicturePath,
                            fields_.X,       fields_.Y,
                            *opacity,        fields_.Origin != 1,
                            *minWidth,       MakeOutputRule(fields_.SavePath, fields_.Affix, fields_.AffixPosition)};
    return MakePlan(sources, job);
}

TJobPlan TWatermarkBatch::MakePlan(const TSourceList& sources, const TWatermarkJob& job) const
{
    TJobPlan plan =
        NewFilePlan(TJobPage::jpWatermark, sources, {kSaveField, fields_.SavePath}, job.Output, kStamped, kNotStamped);
    plan.ClosingMessage = kWatermarkFinished;
    // One graphics font for the whole run, released with the plan.
    const auto font = job.UseText ? std::make_shared<const TGPFont>(MakeGraphicsFont(job.Font)) : nullptr;
    plan.Rule.Routine = [job, font, routines = routines_](const fs::path& source, const fs::path& target) {
        return StampCall(job, font, routines, source, target);
    };
    return plan;
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
        return Ask(host, kNoMarkText, control::EdtWatermark);
    }
    if (!fields_.UseText && !IsExistingFile(fields_.PicturePath)) {
        return Ask(host, kNoMarkPicture, {});
    }
    return true;
}

}  // namespace quillane
