#include "jobs/PixelJob.h"

#include <cstdio>
#include <string>
#include <utility>

#include "jobs/ControlNames.h"
#include "jobs/JobChecks.h"
#include "jobs/RunFrame.h"
#include "jobs/ThumbChecks.h"
#include "jobs/JobTexts.h"
#include "jobs/TypeFilter.h"

namespace quillane {

namespace {

const char* const kWidthField = control::lbEdtWidth;
const char* const kHeightField = control::lbEdtHeight;
const char* const kSaveField = control::EdtSavePixel;

// "RRGGBB", as the command line's --fill takes it.
std::string ColourText(TArgb colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(colour & 0xFFFFFFu));
    return text;
}

TRoutineSettings SizeSettings(const TPixelJob& job)
{
    return {{"width", std::to_string(job.Width)}, {"height", std::to_string(job.Height)}};
}

TRoutineCall PixelCall(const TPixelJob& job, const TThumbRoutines& routines, const TPath& source, const TPath& target)
{
    const std::int32_t w = job.Width;
    const std::int32_t h = job.Height;
    switch (job.Mode) {
    case pmFill: {
        const auto& routine = job.Fast ? routines.FillFast : routines.FillHQ;
        const TArgb colour = job.BackColour;
        TRoutineSettings settings = SizeSettings(job);
        settings.emplace_back("fill", ColourText(colour));
        return {job.Fast ? "ThumbFillFast" : "ThumbFillHQ", settings,
                [=](bool replace) { return routine(source, target, w, h, colour, replace); }};
    }
    case pmCut: {
        const bool fast = job.Fast && !IsTiffPath(source.string());
        const auto& routine = fast ? routines.CutFast : routines.CutHQ;
        return {fast ? "ThumbCutFast" : "ThumbCutHQ", SizeSettings(job),
                [=](bool replace) { return routine(source, target, w, h, replace); }};
    }
    case pmExact:
        break;
    }
    const auto& routine = job.Fast ? routines.ExactFast : routines.ExactHQ;
    return {job.Fast ? "ThumbExactFast" : "ThumbExactHQ", SizeSettings(job),
            [=](bool replace) { return routine(source, target, w, h, replace); }};
}

}  // namespace

TPixelBatch::TPixelBatch(TPixelFields fields, TThumbRoutines routines)
    : fields_(std::move(fields)), routines_(std::move(routines))
{
}

std::optional<TJobPlan> TPixelBatch::Check(TJobHost& host, const TSourceList& sources)
{
    const TNamedField saveField{kSaveField, fields_.SavePath};
    const auto size =
        CheckThumbSizeAndFolder(host, sources, {kWidthField, fields_.Width}, {kHeightField, fields_.Height}, saveField);
    if (!size) {
        return std::nullopt;
    }
    const TArgb opaque = 0xFF000000u | (fields_.BackColourRgb & 0x00FFFFFFu);
    const TPixelJob job{size->Width,  size->Height,
                        fields_.Mode, opaque,
                        fields_.Fast, MakeOutputRule(fields_.SavePath, fields_.Affix, fields_.AffixPosition)};
    TJobPlan plan = NewFilePlan(TJobPage::jpPixel, sources, saveField, job.Output, kThumbSucceeded, kThumbFailed);
    plan.Rule.Routine = [job, routines = routines_](const TPath& source, const TPath& target) {
        return PixelCall(job, routines, source, target);
    };
    return plan;
}

}  // namespace quillane
