#include "cli/CliRequest.h"

#include <CLI/CLI.hpp>

#include <map>
#include <ostream>

#include "jobs/TypeFilter.h"

namespace quillane {

namespace {

const std::map<std::string, int> kTypeIndexes{{"jpeg", 0}, {"png", 1}, {"bmp", 2}, {"gif", 3}, {"tiff", 4}};

// The options every writing job shares, bound to its page's fields.
struct TCommonOptions {
    std::vector<std::string> Types{"jpeg", "png", "bmp", "gif", "tiff"};
    std::string Overwrite = "ask";
    bool Prefix = false;
};

void AddCommonOptions(CLI::App& job, TCliRequest& request, TCommonOptions& common, std::string& savePath,
                      std::string& affix, bool& fast)
{
    job.add_option("SOURCE_FOLDER", request.SourceFolder, "the folder the file list shows")->required();
    job.add_option("--types", common.Types, "ticked type entries: jpeg,png,bmp,gif,tiff (default: all)")
        ->delimiter(',')
        ->check(CLI::IsMember({"jpeg", "png", "bmp", "gif", "tiff"}));
    job.add_flag("--subfolders", request.SubFolders, "\"包含子目录中图片\": walk the sub-folders too");
    job.add_option("--out", savePath, "the save-path field");
    job.add_option("--affix", affix, "the affix field (default \"_s\")");
    job.add_flag("--prefix", common.Prefix, "affix position \"前缀\" (default \"后缀\")");
    job.add_flag("--fast", fast, "\"快速创建\" (default \"高质量创建\")");
    job.add_flag("--yes", request.YesToCreate, "create a missing output folder without asking");
    job.add_option("--overwrite", common.Overwrite, "ask (default), yes or no")
        ->check(CLI::IsMember({"ask", "yes", "no"}));
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

void FinishRequest(TCliRequest& request, const TCommonOptions& common, int& affixPosition)
{
    for (const std::string& type : common.Types) {
        request.CheckedTypes.push_back(TypeCaptions()[kTypeIndexes.at(type)]);
    }
    request.Overwrite = common.Overwrite == "yes"  ? TOverwriteMode::omYes
                        : common.Overwrite == "no" ? TOverwriteMode::omNo
                                                   : TOverwriteMode::omAsk;
    affixPosition = common.Prefix ? 1 : 0;
}

}  // namespace

std::variant<TCliRequest, int> ParseCommandLine(int argc, const char* const* argv, std::ostream& out,
                                                 std::ostream& err)
{
    CLI::App app{"Applies one thumbnail operation to every picture the folder's file list shows.",
                 "quillane-batch"};
    app.require_subcommand(1);
    TCliRequest request;
    TCommonOptions common;
    std::string pixelMode = "exact";
    std::string fill = "FFFFFF";

    CLI::App* percent = app.add_subcommand("percent", "thumbnails by a percentage of width and height");
    AddCommonOptions(*percent, request, common, request.Percent.SavePath, request.Percent.Affix, request.Percent.Fast);
    percent->add_option("--width", request.Percent.Width, "width percentage (lbEdtRWidth)");
    percent->add_option("--height", request.Percent.Height, "height percentage (lbEdtRHeight)");

    CLI::App* pixel = app.add_subcommand("pixel", "thumbnails of an exact width and height");
    AddCommonOptions(*pixel, request, common, request.Pixel.SavePath, request.Pixel.Affix, request.Pixel.Fast);
    pixel->add_option("--width", request.Pixel.Width, "width in pixels (lbEdtWidth)");
    pixel->add_option("--height", request.Pixel.Height, "height in pixels (lbEdtHeight)");
    pixel->add_option("--mode", pixelMode, "exact (default), fill or cut")
        ->check(CLI::IsMember({"exact", "fill", "cut"}));
    pixel->add_option("--fill", fill, "fill colour of the fill mode (default FFFFFF)")->check(RgbHex());

    CLI::App* side = app.add_subcommand("side", "thumbnails by width only or by height only");
    AddCommonOptions(*side, request, common, request.Side.SavePath, request.Side.Affix, request.Side.Fast);
    CLI::Option* width = side->add_option("--width", request.Side.WidthText, "the width (RbWOnly + EdtWOnly)");
    CLI::Option* height = side->add_option("--height", request.Side.HeightText, "the height (RbHOnly + EdtHOnly)");
    width->excludes(height);
    side->add_flag("--skip-smaller", request.Side.SkipSmaller, "leave sources already smaller than the size");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error, out, err);
        return status == 0 ? 0 : 2;
    }
    request.Job = app.get_subcommands().front()->get_name();
    FinishRequest(request, common,
                  request.Job == "percent" ? request.Percent.AffixPosition
                  : request.Job == "pixel" ? request.Pixel.AffixPosition
                                           : request.Side.AffixPosition);
    request.Pixel.Mode = PixelModeNamed(pixelMode);
    request.Pixel.BackColourRgb = static_cast<std::uint32_t>(std::stoul(fill, nullptr, 16));
    request.Side.WidthChosen = width->count() > 0;
    request.Side.HeightChosen = height->count() > 0;
    return request;
}

}  // namespace quillane
