#include "cli/OutputOptions.h"

#include <CLI/CLI.hpp>

namespace quillane {

namespace {

CLI::Range RangeOf(TSettingRange range)
{
    return CLI::Range(range.Lowest, range.Highest);
}

}  // namespace

void AddWritingOptions(CLI::App& command, TOutputOptions& options)
{
    command.add_option("--quality", options.Quality, "quality of JPEG, WebP, AVIF, HEIC and JPEG XL, 1 to 100")
        ->check(RangeOf(kQualityRange));
    command.add_flag("--lossless", options.Lossless, "lossless WebP and JPEG XL");
    command
        .add_option("--effort", options.Effort,
                    "encoder effort of AVIF, HEIC and JPEG XL, 0 to 9 (the HEVC encoder of HEIC ignores it)")
        ->check(RangeOf(kEffortRange));
    command.add_option("--png-compression", options.PngCompression, "PNG deflate level, 0 to 9 (default 6)")
        ->check(RangeOf(kPngCompressionRange));
    command.add_option("--metadata", options.Metadata, "keep (default), strip, or strip-gps")
        ->check(CLI::IsMember({"keep", "strip", "strip-gps"}));
    command.add_flag("--keep-times", options.KeepTimes, "give each written file its source's modification time");
}

TOutputSettings OutputSettingsOf(const TOutputOptions& options)
{
    TOutputSettings settings;
    if (options.Quality) {
        for (int* quality : {&settings.JpegQuality, &settings.WebpQuality, &settings.AvifQuality, &settings.HeicQuality,
                             &settings.JxlQuality})
            *quality = *options.Quality;
    }
    if (options.Effort) {
        for (int* effort : {&settings.AvifEffort, &settings.HeicEffort, &settings.JxlEffort})
            *effort = *options.Effort;
    }
    settings.PngCompression = options.PngCompression.value_or(settings.PngCompression);
    settings.Lossless = options.Lossless;
    settings.Metadata = options.Metadata == "strip"       ? TMetadataMode::mdStrip
                        : options.Metadata == "strip-gps" ? TMetadataMode::mdStripGps
                                                          : TMetadataMode::mdKeep;
    settings.KeepTimes = options.KeepTimes;
    return settings;
}

}  // namespace quillane
