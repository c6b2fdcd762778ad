#include "cli/CliRequest.h"

#include <CLI/CLI.hpp>

#include <ostream>
#include <sstream>

#include "cli/FileJobOptions.h"
#include "cli/JobNames.h"
#include "imaging/GraphicsLibrary.h"
#include "cli/TypeOptions.h"
#include "jobs/TypeNames.h"

namespace quillane {

namespace {

TPixelMode PixelModeNamed(const std::string& name)
{
    return name == "fill" ? pmFill : name == "cut" ? pmCut : pmExact;
}

// Everything the parser fills in before the request is complete.
struct TParseState {
    TCliRequest Request;
    TFileJobOptions Options;
    std::string PixelMode = "exact";
    std::string Fill = "FFFFFF";
    CLI::Option* SideWidth = nullptr;
    CLI::Option* SideHeight = nullptr;
};

void AddThumbnailOptions(CLI::App& job, TParseState& state, std::string& savePath, std::string& affix, bool& fast)
{
    AddOutputOptions(job, state.Request, state.Options, savePath, affix);
    job.add_flag("--fast", fast, "faster scaling of lower quality (default: high quality)");
}

void AddPercentJob(CLI::App& app, TParseState& state)
{
    TPercentFields& fields = state.Request.Percent;
    CLI::App* job = AddJobCommand(app, "percent");
    AddThumbnailOptions(*job, state, fields.SavePath, fields.Affix, fields.Fast);
    job->add_option("--width", fields.Width, "new width as a percentage of the old (required)")->type_name("PERCENT");
    job->add_option("--height", fields.Height, "new height as a percentage of the old (required)")
        ->type_name("PERCENT");
}

void AddPixelJob(CLI::App& app, TParseState& state)
{
    TPixelFields& fields = state.Request.Pixel;
    CLI::App* job = AddJobCommand(app, "pixel");
    AddThumbnailOptions(*job, state, fields.SavePath, fields.Affix, fields.Fast);
    job->add_option("--width", fields.Width, "width in pixels (required)")->type_name("PIXELS");
    job->add_option("--height", fields.Height, "height in pixels (required)")->type_name("PIXELS");
    job->add_option("--mode", state.PixelMode,
                    "exact (default: stretched to the size), fill (fitted, the rest filled; JPEG) or cut (fitted and "
                    "cut to the size; JPEG)")
        ->check(CLI::IsMember({"exact", "fill", "cut"}));
    job->add_option("--fill", state.Fill, "the fill colour as RRGGBB in hexadecimal (default: FFFFFF, white)")
        ->check(RgbHex());
}

void AddSideJob(CLI::App& app, TParseState& state)
{
    TWOrHFields& fields = state.Request.Side;
    CLI::App* job = AddJobCommand(app, "side");
    AddThumbnailOptions(*job, state, fields.SavePath, fields.Affix, fields.Fast);
    state.SideWidth = job->add_option("--width", fields.WidthText, "the new width in pixels (this or --height)");
    state.SideHeight = job->add_option("--height", fields.HeightText, "the new height in pixels (this or --width)");
    state.SideWidth->type_name("PIXELS")->excludes(state.SideHeight);
    state.SideHeight->type_name("PIXELS");
    job->add_flag("--skip-smaller", fields.SkipSmaller, "copy pictures already smaller than the size unchanged");
}

// The options every job has, which may stand before or after the job's name.
CLI::Validator ShardText()
{
    return CLI::Validator(
        [](std::string& text) -> std::string {
            return ParseShard(text) ? std::string() : "expected K/N with 1 <= K <= N, got '" + text + "'";
        },
        "K/N");
}

void AddRunOptions(CLI::App& app, TCliRequest& request, std::string& shard)
{
    app.add_option("--jobs", request.Jobs, "pictures processed at once (default: one per core)")
        ->type_name("N")
        ->check(CLI::Range(1, 1024));
    app.add_flag("--json", request.Json,
                 "one JSON object per file on standard output instead of the result line, then one closing object");
    app.add_flag("--dry-run", request.DryRun,
                 "run the checks and print what would happen to each file; nothing is written, created or renamed");
    app.add_option("--files-from", request.FilesFrom,
                   "the files named in FILE (- for standard input), one per line, instead of a folder's pictures")
        ->type_name("FILE");
    app.add_flag("--null", request.NullSeparated, "the names of --files-from end in a NUL byte, not a line break");
    app.add_option("--base", request.Base,
                   "with --files-from and --subfolders, results mirror the files' folders below DIR (default: the "
                   "working folder)")
        ->type_name("DIR");
    app.add_option("--shard", shard,
                   "only the files whose path hashes to shard K of N, so that N machines share one run")
        ->check(ShardText());
}

// The options that belong together, and the source they name.
std::optional<std::string> RunOptionsRefusal(const TCliRequest& request, const std::string& job)
{
    if (request.FilesFrom.empty() && request.SourceFolder.empty()) {
        return job + ": SOURCE_FOLDER (or --files-from) is required";
    }
    if (!request.FilesFrom.empty() && !request.SourceFolder.empty()) {
        return job + ": SOURCE_FOLDER and --files-from exclude each other";
    }
    if (request.FilesFrom.empty() && (request.NullSeparated || !request.Base.empty())) {
        return "--null and --base belong to --files-from";
    }
    if (job == "rename" && request.Shard && request.FilesFrom.empty()) {
        return "rename: --shard needs --files-from, a list that renaming cannot change under the other shards";
    }
    return std::nullopt;
}

// The choices that are not plain field texts, turned into the page's states.
TCliRequest FinishRequest(TParseState& state, const std::string& job)
{
    TCliRequest& request = state.Request;
    request.Job = job;
    const int position = FinishSharedOptions(request, state.Options);
    request.Percent.AffixPosition = request.Pixel.AffixPosition = request.Side.AffixPosition = position;
    request.Pixel.Mode = PixelModeNamed(state.PixelMode);
    request.Pixel.BackColourRgb = static_cast<std::uint32_t>(std::stoul(state.Fill, nullptr, 16));
    request.Side.WidthChosen = state.SideWidth->count() > 0;
    request.Side.HeightChosen = state.SideHeight->count() > 0;
    return request;
}

std::string TopLevelFooter()
{
    std::string footer = "Examples:\n";
    for (const TJobEntry& job : JobEntries()) {
        footer += "  " + job.Example + "\n    " + job.Result + "\n";
    }
    footer +=
        "\nTaking a run back:\n"
        "  quillane-batch undo [--list] [RUN]\n"
        "    takes back the last run that renamed files or replaced them in place (see undo --help)\n";
    return footer +
           "\nExit status:\n"
           "  0  the run finished and every file succeeded\n"
           "  1  some file failed, or the run was stopped\n"
           "  2  a check stopped the job, or the arguments are wrong\n";
}

std::string VersionText()
{
    return std::string("quillane-batch ") + QUILLANE_VERSION + "\nlibvips " + GraphicsLibraryVersion();
}

// The help, then each job's help indented under a heading of its own (the manual
// page is made from it).
std::string HelpOfEveryJob(const CLI::App& app)
{
    std::string text = app.help();
    for (const TJobEntry& job : JobEntries()) {
        text += "\nJob " + job.Name + ":\n";
        std::istringstream lines(app.get_subcommand(job.Name)->help(app.get_name()));
        for (std::string line; std::getline(lines, line);) {
            text += line.empty() ? "\n" : "  " + line + "\n";
        }
    }
    return text;
}

// A usage error for a first word that is no job; empty when there is none.
std::optional<std::string> UnknownJobIn(const CLI::App& app)
{
    if (!app.get_subcommands().empty()) {
        return std::nullopt;
    }
    for (const std::string& word : app.remaining()) {
        if (!word.empty() && word.front() != '-') {
            return UnknownJobMessage(word);
        }
    }
    return std::nullopt;
}

}  // namespace

std::variant<TCliRequest, int> ParseCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    CLI::App app{"Applies one image operation to every picture of a folder, as the Quillane window does.",
                 "quillane-batch"};
    app.require_subcommand(1);
    // The run options may stand before or after the job's own options.
    app.fallthrough();
    app.get_formatter()->column_width(32);
    app.get_formatter()->label("Subcommands", "Jobs");
    app.get_formatter()->label("SUBCOMMAND", "JOB");
    app.set_help_flag("-h,--help", "print this help and exit");
    app.set_version_flag("-V,--version", VersionText, "print the version of quillane-batch and of libvips");
    app.add_flag_callback(
        "--help-all", [&app] { throw CLI::CallForAllHelp(); }, "print this help and that of every job");
    app.footer(TopLevelFooter());
    TParseState state;
    std::string shard;
    AddRunOptions(app, state.Request, shard);
    std::string language;
    app.add_option("--lang", language, "language of the result lines and messages: en or zh (default: the locale's)")
        ->check(CLI::IsMember({"en", "zh"}));
    AddPercentJob(app, state);
    AddPixelJob(app, state);
    AddSideJob(app, state);
    AddFileJobCommands(app, state.Request, state.Options);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForAllHelp&) {
        out << HelpOfEveryJob(app);
        return 0;
    } catch (const CLI::ParseError& error) {
        if (const auto unknown = UnknownJobIn(app)) {
            err << *unknown << '\n';
            return 2;
        }
        return app.exit(error, out, err) == 0 ? 0 : 2;
    }
    state.Request.Language = ChosenLanguage(language);
    const std::string job = app.get_subcommands().front()->get_name();
    state.Request.Shard = shard.empty() ? std::nullopt : ParseShard(shard);
    if (const auto refusal = RunOptionsRefusal(state.Request, job)) {
        err << *refusal << '\n';
        return 2;
    }
    if (IsFileJob(job)) {
        state.Request.Job = job;
        if (const auto refusal = FinishFileJobRequest(state.Request, state.Options)) {
            err << *refusal << '\n';
            return 2;
        }
        return state.Request;
    }
    return FinishRequest(state, job);
}

}  // namespace quillane
