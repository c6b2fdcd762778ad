#include "cli/FileJobOptions.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <map>

#include "cli/CliRequest.h"
#include "cli/JobNames.h"
#include "cli/OutputOptions.h"
#include "cli/TypeOptions.h"
#include "jobs/TypeFilter.h"
#include "jobs/TypeNames.h"

namespace quillane {

namespace {

const char* const kSharedOptionsNote =
    "\nOptions for every job (before or after the job's name): --jobs, --json, --dry-run,\n"
    "--files-from, --null, --base and --shard; see quillane-batch --help.\n";

void AddRename(CLI::App& app, TCliRequest& request, TFileJobOptions& options)
{
    CLI::App* rename = AddJobCommand(app, "rename");
    AddSourceOptions(*rename, request, options);
    rename->add_option("--name-prefix", request.Rename.Prefix, "text that every new name starts with (default: none)")
        ->type_name("TEXT");
    rename->add_flag("--random", options.Random, "three random characters instead of a running number");
    rename->add_option("--pad", request.Rename.Pad, "the running number's width, zero-padded (default: 0, as it is)")
        ->check(CLI::Range(0, 9));
    rename->add_option("--pattern", request.Rename.Pattern,
                       "the new name instead of prefix + number: {n} the number, {date:%Y%m%d} the capture time");
}

void AddConvert(CLI::App& app, TCliRequest& request, TFileJobOptions& options)
{
    CLI::App* convert = AddJobCommand(app, "convert");
    AddOutputOptions(*convert, request, options, request.Convert.SavePath, request.Convert.Affix);
    convert->add_option("--to", options.To, ToHelp())->required()->check(ConvertTargetName());
}

void AddCrop(CLI::App& app, TCliRequest& request, TFileJobOptions& options)
{
    CLI::App* crop = AddJobCommand(app, "crop");
    AddOutputOptions(*crop, request, options, request.Crop.SavePath, request.Crop.Affix);
    crop->add_option("--left", request.Crop.Left, "left edge of the rectangle in pixels (default: 0)");
    crop->add_option("--top", request.Crop.Top, "top edge of the rectangle in pixels (default: 0)");
    crop->add_option("--width", request.Crop.Width, "width of the rectangle in pixels (default: 100)");
    crop->add_option("--height", request.Crop.Height, "height of the rectangle in pixels (default: 100)");
}

void AddWatermark(CLI::App& app, TCliRequest& request, TFileJobOptions& options)
{
    TWatermarkFields& fields = request.Watermark;
    CLI::App* mark = AddJobCommand(app, "watermark");
    AddOutputOptions(*mark, request, options, fields.SavePath, fields.Affix);
    CLI::Option* text = mark->add_option("--text", fields.Text, "the text to stamp");
    mark->add_option("--font", fields.Font.Name, "font family (default: " + fields.Font.Name + ")");
    mark->add_option("--size", fields.Font.Size, "font size in points (default: 12)")->check(CLI::PositiveNumber);
    mark->add_flag("--bold", fields.Font.Bold, "bold text");
    mark->add_flag("--italic", fields.Font.Italic, "italic text");
    mark->add_flag("--underline", fields.Font.Underline, "underlined text");
    mark->add_flag("--strikeout", fields.Font.StrikeOut, "struck-out text");
    mark->add_option("--colour", options.Colour, "text colour as RRGGBB in hexadecimal (default: 000000, black)")
        ->check(RgbHex());
    mark->add_option("--picture", fields.PicturePath, "a picture to stamp instead of a text")
        ->excludes(text)
        ->each([&options](const std::string&) { options.PictureGiven = true; });
    mark->add_option("--x", fields.X, "horizontal distance from the corner in pixels (required)");
    mark->add_option("--y", fields.Y, "vertical distance from the corner in pixels (required)");
    mark->add_option("--opacity", fields.Opacity, "opacity in percent, 1 to 100 (default: 100)");
    mark->add_option("--origin", options.Origin,
                     "the corner the distances are measured from: bottom-right (default) or top-left")
        ->check(CLI::IsMember({"bottom-right", "top-left"}));
    mark->add_option("--min-width", fields.MinWidth,
                     "leave pictures narrower than this many pixels unmarked (default: 0)");
}

// The stored font colour keeps red in its low byte.
std::uint32_t StoredColour(const std::string& rrggbb)
{
    const std::uint32_t rgb = static_cast<std::uint32_t>(std::stoul(rrggbb, nullptr, 16));
    return ((rgb >> 16) & 0xFFu) | (rgb & 0xFF00u) | ((rgb & 0xFFu) << 16);
}

}  // namespace

CLI::Validator RgbHex()
{
    return CLI::Validator(
        [](std::string& text) -> std::string {
            const bool hex = text.size() == 6 && text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
            return hex ? std::string() : "expected RRGGBB in hexadecimal, got '" + text + "'";
        },
        "RRGGBB");
}

void AddTrashOptions(CLI::App& job, TReplacePolicy& policy)
{
    job.add_flag(
        "--no-trash", [&policy](std::int64_t) { policy.TrashOwnSource = false; },
        "replace a source written over in place without putting its old content in the Trash first");
    job.add_flag("--trash-replaced", policy.TrashOtherTargets,
                 "put every other replaced file in the Trash first too, so that undo can restore it");
}

CLI::App* AddJobCommand(CLI::App& app, const std::string& name)
{
    const std::vector<TJobEntry>& jobs = JobEntries();
    const auto job = std::find_if(jobs.begin(), jobs.end(), [&](const TJobEntry& entry) { return entry.Name == name; });
    CLI::App* command = app.add_subcommand(name, job->Summary);
    command->group("Jobs");
    command->footer(JobExampleText(*job) + kSharedOptionsNote);
    return command;
}

void AddSourceOptions(CLI::App& job, TCliRequest& request, TFileJobOptions& options)
{
    job.add_option("SOURCE_FOLDER", request.SourceFolder,
                   "the folder whose pictures are processed (none with --files-from)")
        ->type_name("FOLDER");
    job.add_option("--types", options.Types, TypesHelp())->delimiter(',')->check(TypeName());
    job.add_flag("--subfolders", request.SubFolders,
                 "take the pictures of the sub-folders too, with their results in matching sub-folders");
}

void AddOutputOptions(CLI::App& job, TCliRequest& request, TFileJobOptions& options, std::string& savePath,
                      std::string& affix)
{
    AddSourceOptions(job, request, options);
    job.add_option("--out", savePath, "the output folder (required)")->type_name("DIR");
    job.add_option("--affix", affix,
                   "text added to every output name (default: " + (affix.empty() ? std::string("none") : affix) + ")")
        ->type_name("TEXT");
    job.add_flag("--prefix", options.Prefix, "put the affix before the name (default: before the extension)");
    job.add_flag("--yes", request.YesToCreate, "create a missing output folder without asking");
    job.add_option("--overwrite", options.Overwrite,
                   "an existing output file: ask (default; answered no without a terminal), yes or no")
        ->check(CLI::IsMember({"ask", "yes", "no"}));
    AddTrashOptions(job, request.Replacing);
    AddWritingOptions(job, request.Output);
}

int FinishSharedOptions(TCliRequest& request, const TFileJobOptions& options)
{
    for (const std::string& type : options.Types) {
        request.CheckedTypes.push_back(TypeCaptions()[static_cast<std::size_t>(*TypeIndexNamed(type))]);
    }
    request.Overwrite = options.Overwrite == "yes"  ? TOverwriteMode::omYes
                        : options.Overwrite == "no" ? TOverwriteMode::omNo
                                                    : TOverwriteMode::omAsk;
    return options.Prefix ? 1 : 0;
}

void AddFileJobCommands(CLI::App& app, TCliRequest& request, TFileJobOptions& options)
{
    AddRename(app, request, options);
    AddConvert(app, request, options);
    AddCrop(app, request, options);
    AddWatermark(app, request, options);
}

bool IsFileJob(const std::string& job)
{
    return job == "rename" || job == "convert" || job == "crop" || job == "watermark";
}

std::optional<std::string> FinishFileJobRequest(TCliRequest& request, const TFileJobOptions& options)
{
    const int position = FinishSharedOptions(request, options);
    request.Rename.Mode = options.Random ? rmRandom : rmNumber;
    request.Convert.TargetType = options.To.empty() ? -1 : ConvertTargetNamed(options.To).value_or(-1);
    request.Convert.AffixPosition = position;
    request.Crop.AffixPosition = position;
    request.Watermark.AffixPosition = position;
    request.Watermark.UseText = !options.PictureGiven;
    request.Watermark.Font.Colour = StoredColour(options.Colour);
    request.Watermark.Origin = options.Origin == "top-left" ? 1 : 0;
    if (request.Job == "crop" && !CropStartEnabled(request.Crop.Width, request.Crop.Height)) {
        return "crop: --width and --height must both be whole numbers above 0; nothing was started";
    }
    return std::nullopt;
}

std::unique_ptr<TBatchJob> MakeFileJob(const TCliRequest& request)
{
    if (request.Job == "rename") {
        return std::make_unique<TRenameBatch>(request.Rename);
    }
    if (request.Job == "convert") {
        return std::make_unique<TConvertBatch>(request.Convert);
    }
    if (request.Job == "crop") {
        return std::make_unique<TCropBatch>(request.Crop);
    }
    if (request.Job == "watermark") {
        return std::make_unique<TWatermarkBatch>(request.Watermark);
    }
    return nullptr;
}

}  // namespace quillane
