#include "jobs/ConvertJob.h"

#include <array>
#include <utility>

#include "imaging/Files.h"
#include "jobs/ControlNames.h"
#include "jobs/JobChecks.h"
#include "jobs/JobTexts.h"
#include "jobs/RunFrame.h"

namespace quillane {

namespace {

namespace fs = std::filesystem;

const char* const kSaveField = control::lbEdtSavePath2;

const std::array<TConvertTarget, 9> kTargets{{
    {"JPG格式文件(*.jpg)", ".jpg", ifJpeg},
    {"Bmp位图文件(*.bmp)", ".bmp", ifBmp},
    {"GIF格式文件(*.gif)", ".gif", ifGif},
    {"PNG格式文件(*.png)", ".png", ifPng},
    {"TIF格式文件(*.tif)", ".tif", ifTiff},
    {"WebP格式文件(*.webp)", ".webp", ifWebp},
    {"AVIF格式文件(*.avif)", ".avif", ifAvif},
    {"HEIC格式文件(*.heic)", ".heic", ifHeic},
    {"JPEG XL格式文件(*.jxl)", ".jxl", ifJxl},
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

TConvertBatch::TConvertBatch(TConvertFields fields, TConvertRoutine routine)
    : fields_(std::move(fields)), routine_(std::move(routine))
{
}

std::optional<TJobPlan> TConvertBatch::Check(TJobHost& host, const TSourceList& sources)
{
    if (!CheckListNotEmpty(host, sources, kNoFilesToConvert)) {
        return std::nullopt;
    }
    const TNamedField saveField{kSaveField, fields_.SavePath};
    if (TrimField(fields_.SavePath).empty()) {
        host.ShowMessage(NewFileSaveFolderTexts().Empty, TMessageStyle::msQuestionOk);
        if (TFormHost* form = host.Form()) {
            form->FocusField(kSaveField);
        }
        return std::nullopt;
    }
    if (fields_.TargetType < 0) {
        host.ShowMessage(kNoTargetType, TMessageStyle::msQuestionOk);
        return std::nullopt;
    }
    if (!CheckSaveFolder(host, saveField, NewFileSaveFolderTexts())) {
        return std::nullopt;
    }
    const TOutputRule output = MakeOutputRule(fields_.SavePath, fields_.Affix, fields_.AffixPosition);
    const std::optional<TConvertTarget> type = ConvertTargetAt(fields_.TargetType);
    TJobPlan plan = NewFilePlan(TJobPage::jpConvert, sources, saveField, output, kConverted, kNotConverted);
    const std::string extension = type ? type->Extension : "";
    plan.Rule.TargetFor = [output, extension](const fs::path& source, const std::string& folder, std::size_t) {
        return ConvertedTarget(source, folder, output, extension);
    };
    plan.Rule.Settled = [known = type.has_value()](const fs::path& source,
                                                   const fs::path& target) -> std::optional<TOutcome> {
        if (!known) {
            return TOutcome::Failure(TReason::rsUnknownFormat);
        }
        if (SameFile(source, target)) {
            return TOutcome::Success();  // already a file of that type, where it would be written
        }
        return std::nullopt;
    };
    const int format = type ? type->Format : -1;
    plan.Rule.Routine = [routine = routine_, format, extension](const fs::path& source, const fs::path& target) {
        return TRoutineCall{
            "ConvertImage",
            {{"to", extension.empty() ? extension : extension.substr(1)}},
            [routine, source, target, format](bool replace) { return routine(source, target, format, replace); }};
    };
    return plan;
}

}  // namespace quillane
