#include "cli/FileJobOptions.h"

#include <CLI/CLI.hpp>

#include <map>

#include "cli/CliRequest.h"
#include "cli/OutputOptions.h"
#include "cli/TypeOptions.h"
#include "jobs/TypeFilter.h"
#include "jobs/TypeNames.h"

namespace quillane {

namespace {

void AddSourceOptions(CLI::App& job, TCliRequest& request, TFileJobOptions& options)
{
    job.add_option("SOURCE_FOLDER", request.SourceFolder, "the folder the file list shows")->required();
    job.add_option("--types", options.Types, TypesHelp())->delimiter(',')->check(TypeName());
    job.add_flag("--subfolders", request.SubFolders, "\"包含子目录中图片\": walk the sub-folders too");
}

void AddOutputOptions(CLI::App& job, TCliRequest& request, TFileJobOptions& options, std::string& savePath,
                      std::string& affix)
{
    AddSourceOptions(job, request, options);
    job.add_option("--out", savePath, "the save-path field");
    job.add_option("--affix", affix, "the affix field (default \"" + affix + "\")");
    job.add_flag("--prefix", options.Prefix, "affix position \"前缀\" (default \"后缀\")");
    job.add_flag("--yes", request.YesToCreate, "create a missing output folder without asking");
    job.add_option("--overwrite", options.Overwrite, "ask (default), yes or no")
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

}  // namespace

void AddTrashOptions(CLI::App& job, TReplacePolicy& policy)
{
    job.add_flag(
        "--no-trash", [&policy](std::int64_t) { policy.TrashOwnSource = false; },
        "replace a source written over in place without putting its old content in the Trash first");
    job.add_flag("--trash-replaced", policy.TrashOtherTargets,
                 "put every other replaced file in the Trash first too, so that undo can restore it");
}

namespace {

void AddRename(CLI::App& app, TCliRequest& request, TFileJobOptions& options)
{
    CLI::App* rename = app.add_subcommand("rename", "renames the pictures in place: prefix + number or random tag");
    AddSourceOptions(*rename, request, options);
    rename->add_option("--name-prefix", request.Rename.Prefix, "the new name's prefix (EdtNewName, default empty)");
    rename->add_flag("--random", options.Random, "three random characters instead of the running number");
    rename->add_option("--pad", request.Rename.Pad, "the running number's width, zero-padded (default 0: as it is)")
        ->check(CLI::Range(0, 9));
    rename->add_option("--pattern", request.Rename.Pattern,
                       "the new name instead of prefix + number: {n} the number, {date:%Y%m%d} the capture time");
}

void AddConvert(CLI::App& app, TCliRequest& request, TFileJobOptions& options)
{
    CLI::App* convert = app.add_subcommand("convert", "converts the pictures to another format");
    AddOutputOptions(*convert, request, options, request.Convert.SavePath, request.Convert.Affix);
    convert->add_option("--to", options.To, ToHelp())->required()->check(ConvertTargetName());
}

void AddCrop(CLI::App& app, TCliRequest& request, TFileJobOptions& options)
{
    CLI::App* crop = app.add_subcommand("crop", "cuts the same rectangle out of every picture");
    AddOutputOptions(*crop, request, options, request.Crop.SavePath, request.Crop.Affix);
    crop->add_option("--left", request.Crop.Left, "left edge of the rectangle (default 0)");
    crop->add_option("--top", request.Crop.Top, "top edge of the rectangle (default 0)");
    crop->add_option("--width", request.Crop.Width, "width of the rectangle (default 100)");
    crop->add_option("--height", request.Crop.Height, "height of the rectangle (default 100)");
}

void AddWatermark(CLI::App& app, TCliRequest& request, TFileJobOptions& options)
{
    TWatermarkFields& fields = request.Watermark;
    CLI::App* mark = app.add_subcommand("watermark", "stamps a text or a picture onto every picture");
    AddOutputOptions(*mark, request, options, fields.SavePath, fields.Affix);
    CLI::Option* text = mark->add_option("--text", fields.Text, "the watermark text");
    mark->add_option("--font", fields.Font.Name, "font family (default \"" + fields.Font.Name + "\")");
    mark->add_option("--size", fields.Font.Size, "font size in points (default 12)")->check(CLI::PositiveNumber);
    mark->add_flag("--bold", fields.Font.Bold, "bold text");
    mark->add_flag("--italic", fields.Font.Italic, "italic text");
    mark->add_flag("--underline", fields.Font.Underline, "underlined text");
    mark->add_flag("--strikeout", fields.Font.StrikeOut, "struck-out text");
    mark->add_option("--colour", options.Colour, "text colour RRGGBB (default 000000)")->check(RgbHex());
    mark->add_option("--picture", fields.PicturePath, "a picture to stamp instead of a text")
        ->excludes(text)
        ->each([&options](const std::string&) { options.PictureGiven = true; });
    mark->add_option("--x", fields.X, "distance from the corner, x (pixels)");
    mark->add_option("--y", fields.Y, "distance from the corner, y (pixels)");
    mark->add_option("--opacity", fields.Opacity, "opacity in percent, 1 to 100 (default 100)");
    mark->add_option("--origin", options.Origin, "bottom-right (default) or top-left")
        ->check(CLI::IsMember({"bottom-right", "top-left"}));
    mark->add_option("--min-width", fields.MinWidth, "leave pictures narrower than this alone (default 0)");
}

// The stored font colour keeps red in its low byte.
std::uint32_t StoredColour(const std::string& rrggbb)
{
    const std::uint32_t rgb = static_cast<std::uint32_t>(std::stoul(rrggbb, nullptr, 16));
    return ((rgb >> 16) & 0xFFu) | (rgb & 0xFF00u) | ((rgb & 0xFFu) << 16);
}

}  // namespace

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
    for (const std::string& type : options.Types) {
        request.CheckedTypes.push_back(TypeCaptions()[static_cast<std::size_t>(*TypeIndexNamed(type))]);
    }
    request.Overwrite = options.Overwrite == "yes"  ? TOverwriteMode::omYes
                        : options.Overwrite == "no" ? TOverwriteMode::omNo
                                                    : TOverwriteMode::omAsk;
    const int position = options.Prefix ? 1 : 0;
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
