#include "cli/CliRequest.h"

#include <CLI/CLI.hpp>

#include <map>
#include <ostream>

#include "cli/FileJobOptions.h"
#include "cli/TypeOptions.h"
#include "jobs/TypeFilter.h"
#include "jobs/TypeNames.h"

namespace quillane {

namespace {

// The options every writing job shares, bound to its page's fields.
struct TCommonOptions {
    std::vector<std::string> Types = TypeNames();
    std::string Overwrite = "ask";
    bool Prefix = false;
};

void AddCommonOptions(CLI::App& job, TCliRequest& request, TCommonOptions& common, std::string& savePath,
                      std::string& affix, bool& fast)
{
    job.add_option("SOURCE_FOLDER", request.SourceFolder, "the folder the file list shows")->required();
    job.add_option("--types", common.Types, TypesHelp())->delimiter(',')->check(TypeName());
    job.add_flag("--subfolders", request.SubFolders, "\"包含子目录中图片\": walk the sub-folders too");
    job.add_option("--out", savePath, "the save-path field");
    job.add_option("--affix", affix, "the affix field (default \"_s\")");
    job.add_flag("--prefix", common.Prefix, "affix position \"前缀\" (default \"后缀\")");
    job.add_flag("--fast", fast, "\"快速创建\" (default \"高质量创建\")");
    job.add_flag("--yes", request.YesToCreate, "create a missing output folder without asking");
    job.add_option("--overwrite", common.Overwrite, "ask (default), yes or no")
        ->check(CLI::IsMember({"ask", "yes", "no"}));
    AddTrashOptions(job, request.Replacing);
    AddWritingOptions(job, request.Output);
}

CLI::Validator RgbHex()
{
    return CLI::Validator(
        [](std::string& text) -> std::string {
            const bool hex = text.size() == 6 && text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
            return hex ? std::string() : "expected RRGGBB in hexadecimal, got '" + text + "'";
        },
        "RRGGBB");
}

TPixelMode PixelModeNamed(const std::string& name)
{
    return name == "fill" ? pmFill : name == "cut" ? pmCut : pmExact;
}

// Everything the parser fills in before the request is complete.
struct TParseState {
    TCliRequest Request;
    TCommonOptions Common;
    std::string PixelMode = "exact";
    std::string Fill = "FFFFFF";
    CLI::Option* SideWidth = nullptr;
    CLI::Option* SideHeight = nullptr;
};

void AddPercentJob(CLI::App& app, TParseState& state)
{
    TPercentFields& fields = state.Request.Percent;
    CLI::App* job = app.add_subcommand("percent", "thumbnails by a percentage of width and height");
    AddCommonOptions(*job, state.Request, state.Common, fields.SavePath, fields.Affix, fields.Fast);
    job->add_option("--width", fields.Width, "width percentage (lbEdtRWidth)");
    job->add_option("--height", fields.Height, "height percentage (lbEdtRHeight)");
}

void AddPixelJob(CLI::App& app, TParseState& state)
{
    TPixelFields& fields = state.Request.Pixel;
    CLI::App* job = app.add_subcommand("pixel", "thumbnails of an exact width and height");
    AddCommonOptions(*job, state.Request, state.Common, fields.SavePath, fields.Affix, fields.Fast);
    job->add_option("--width", fields.Width, "width in pixels (lbEdtWidth)");
    job->add_option("--height", fields.Height, "height in pixels (lbEdtHeight)");
    job->add_option("--mode", state.PixelMode, "exact (default), fill or cut")
        ->check(CLI::IsMember({"exact", "fill", "cut"}));
    job->add_option("--fill", state.Fill, "fill colour of the fill mode (default FFFFFF)")->check(RgbHex());
}

void AddSideJob(CLI::App& app, TParseState& state)
{
    TWOrHFields& fields = state.Request.Side;
    CLI::App* job = app.add_subcommand("side", "thumbnails by width only or by height only");
    AddCommonOptions(*job, state.Request, state.Common, fields.SavePath, fields.Affix, fields.Fast);
    state.SideWidth = job->add_option("--width", fields.WidthText, "the width (RbWOnly + EdtWOnly)");
    state.SideHeight = job->add_option("--height", fields.HeightText, "the height (RbHOnly + EdtHOnly)");
    state.SideWidth->excludes(state.SideHeight);
    job->add_flag("--skip-smaller", fields.SkipSmaller, "leave sources already smaller than the size");
}

// The choices that are not plain field texts, turned into the page's states.
TCliRequest FinishRequest(TParseState& state, const std::string& job)
{
    TCliRequest& request = state.Request;
    request.Job = job;
    for (const std::string& type : state.Common.Types) {
        request.CheckedTypes.push_back(TypeCaptions()[static_cast<std::size_t>(*TypeIndexNamed(type))]);
    }
    request.Overwrite = state.Common.Overwrite == "yes"  ? TOverwriteMode::omYes
                        : state.Common.Overwrite == "no" ? TOverwriteMode::omNo
                                                         : TOverwriteMode::omAsk;
    const int position = state.Common.Prefix ? 1 : 0;
    request.Percent.AffixPosition = request.Pixel.AffixPosition = request.Side.AffixPosition = position;
    request.Pixel.Mode = PixelModeNamed(state.PixelMode);
    request.Pixel.BackColourRgb = static_cast<std::uint32_t>(std::stoul(state.Fill, nullptr, 16));
    request.Side.WidthChosen = state.SideWidth->count() > 0;
    request.Side.HeightChosen = state.SideHeight->count() > 0;
    return request;
}

}  // namespace

std::variant<TCliRequest, int> ParseCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    CLI::App app{"Applies one image operation to every picture the folder's file list shows.", "quillane-batch"};
    app.require_subcommand(1);
    // --jobs may stand before or after the command's own options.
    app.fallthrough();
    TParseState state;
    app.add_option("--jobs", state.Request.Jobs, "pictures processed at once (default: one per core)")
        ->check(CLI::Range(1, 1024));
    AddPercentJob(app, state);
    AddPixelJob(app, state);
    AddSideJob(app, state);
    TFileJobOptions fileJobOptions;
    AddFileJobCommands(app, state.Request, fileJobOptions);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error, out, err) == 0 ? 0 : 2;
    }
    const std::string job = app.get_subcommands().front()->get_name();
    if (IsFileJob(job)) {
        state.Request.Job = job;
        if (const auto refusal = FinishFileJobRequest(state.Request, fileJobOptions)) {
            err << *refusal << '\n';
            return 2;
        }
        return state.Request;
    }
    return FinishRequest(state, job);
}

}  // namespace quillane
