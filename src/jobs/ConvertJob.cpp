#include "jobs/ConvertJob.h"

#include <array>
#include <utility>

#include "imaging/Files.h"
#include "jobs/ControlNames.h"
#include "jobs/JobChecks.h"
#include "jobs/NewFileFolder.h"

namespace quillane {

namespace {

namespace fs = std::filesystem;

const char* const kSaveField = control::lbEdtSavePath2;
const char* const kNoFiles = "没有需要进行类型转换的文件！";
const char* const kNoType = "请选择新文件类型？";
const char* const kConverted = "类型转换成功！";
const char* const kNotConverted = "没有进行类型转换！";

const std::array<TConvertTarget, 5> kTargets{{
    {"JPG格式文件(*.jpg)", ".jpg", ifJpeg},
    {"Bmp位图文件(*.bmp)", ".bmp", ifBmp},
    {"GIF格式文件(*.gif)", ".gif", ifGif},
    {"PNG格式文件(*.png)", ".png", ifPng},
    {"TIF格式文件(*.tif)", ".tif", ifTiff},
}};

// The path without the extension of its file name; a dot in a folder name is no
// extension.
std::string WithoutExtension(const fs::path& path)
{
    const std::string text = path.string();
    const std::size_t slash = text.rfind('/');
    const std::size_t dot = text.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return text;
    }
    return text.substr(0, dot);
}

}  // namespace

std::optional<TConvertTarget> ConvertTargetAt(int targetType)
{
    if (targetType < 0 || targetType >= static_cast<int>(kTargets.size())) {
        return std::nullopt;
    }
    return kTargets[static_cast<std::size_t>(targetType)];
}

fs::path ConvertedTarget(const fs::path& source, const std::string& targetFolder, const TOutputRule& rule,
                         const std::string& newExtension)
{
    return WithoutExtension(AffixedTarget(source, targetFolder, rule)) + newExtension;
}

TWritePlan ConvertPlan(const TConvertJob& job, const TConvertRoutine& routine)
{
    const std::optional<TConvertTarget> target = ConvertTargetAt(job.TargetType);
    TWritePlan plan;
    plan.Output = job.Output;
    plan.SuccessText = kConverted;
    plan.FailureText = kNotConverted;
    const std::string extension = target ? target->Extension : "";
    plan.TargetFor = [rule = job.Output, extension](const fs::path& source, const std::string& folder) {
        return ConvertedTarget(source, folder, rule, extension);
    };
    plan.SettledWithoutCall = [known = target.has_value()](const fs::path& source,
                                                           const fs::path& targetPath) -> std::optional<TOutcome> {
        if (!known) {
            return TOutcome::Failure(TReason::rsUnknownFormat);
        }
        if (SameFile(source, targetPath)) {
            return TOutcome::Success();  // already a file of that type, where it would be written
        }
        return std::nullopt;
    };
    const int format = target ? target->Format : -1;
    plan.MakeCall = [routine, format](const fs::path& source, const fs::path& targetPath, bool overwrite) {
        return std::function<TOutcome()>([routine, source, targetPath, format, overwrite] {
            return routine(source, targetPath, format, overwrite);
        });
    };
    return plan;
}

TConvertBatch::TConvertBatch(TConvertFields fields, TConvertRoutine routine)
    : fields_(std::move(fields)), routine_(std::move(routine))
{
}

bool TConvertBatch::Check(TJobHost& host)
{
    checked_ = false;
    if (!CheckListNotEmpty(host, kNoFiles)) {
        return false;
    }
    if (TrimField(fields_.SavePath).empty()) {
        host.ShowMessage(NewFileSaveFolderTexts().Empty, TMessageStyle::msQuestionOk);
        if (TFormHost* form = host.Form()) {
            form->FocusField(kSaveField);
        }
        return false;
    }
    if (fields_.TargetType < 0) {
        host.ShowMessage(kNoType, TMessageStyle::msQuestionOk);
        return false;
    }
    if (!CheckSaveFolder(host, {kSaveField, fields_.SavePath}, NewFileSaveFolderTexts())) {
        return false;
    }
    job_ = TConvertJob{fields_.TargetType, MakeOutputRule(fields_.SavePath, fields_.Affix, fields_.AffixPosition)};
    checked_ = true;
    return true;
}

TRunOutcome TConvertBatch::Run(TJobHost& host)
{
    if (!checked_) {
        return {};
    }
    const TWriteRun run{TJobPage::jpConvert, {kSaveField, fields_.SavePath}, false, kProcessingFinished};
    const TWritePlan plan = ConvertPlan(job_, routine_);
    return RunWriteJob(host, run, plan);
}

std::optional<TRunOutcome> BtnConvertClick(TJobHost& host, const TConvertFields& fields, const TConvertRoutine& routine)
{
    TConvertBatch job(fields, routine);
    return RunClick(job, host);
}

}  // namespace quillane
