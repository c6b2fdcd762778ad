#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <iosfwd>
#include <string>
#include <variant>
#include <vector>

#include "cli/OutputOptions.h"
#include "cli/Shard.h"
#include "jobs/ConvertJob.h"
#include "jobs/CropJob.h"
#include "jobs/Language.h"
#include "jobs/PercentJob.h"
#include "jobs/PixelJob.h"
#include "jobs/RenameJob.h"
#include "jobs/WOrHJob.h"
#include "jobs/WatermarkJob.h"

namespace quillane {

enum class TOverwriteMode { omAsk, omYes, omNo };

// What the command line asked for: the job, the source list's settings and the
// page's fields as texts, exactly as the window's page would hold them.
struct TCliRequest {
    std::string Job;  // "percent", "pixel", "side", "rename", "convert", "crop" or "watermark"
    std::filesystem::path SourceFolder;
    std::vector<std::string> CheckedTypes;  // captions of the ticked type entries
    bool SubFolders = false;
    bool YesToCreate = false;
    TOverwriteMode Overwrite = TOverwriteMode::omAsk;
    std::size_t Jobs = 0;  // pictures processed at once; 0 is one per core
    TReplacePolicy Replacing;
    bool Json = false;      // JSON objects on standard output instead of result lines
    bool DryRun = false;    // list what the run would do, and change nothing
    std::string FilesFrom;  // a list of files instead of the folder's ("-": standard input)
    bool NullSeparated = false;
    std::filesystem::path Base;  // the folder a list's files are mirrored from
    std::optional<TShard> Shard;
    TLanguage Language = TLanguage::lgChinese;  // of the result lines and messages
    TPercentFields Percent;
    TPixelFields Pixel;
    TWOrHFields Side;
    TRenameFields Rename;
    TConvertFields Convert;
    TCropFields Crop;
    TWatermarkFields Watermark;
    TOutputOptions Output;  // how a job that writes pictures writes them
};

// The request, or the exit status when parsing ended the command (--help and
// --version: 0, wrong arguments: 2, with the reason written to `err`).
std::variant<TCliRequest, int> ParseCommandLine(int argc, const char* const* argv, std::ostream& out,
                                                std::ostream& err);

}  // namespace quillane
