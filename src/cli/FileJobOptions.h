#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "jobs/BatchJob.h"
#include "jobs/TypeNames.h"

namespace CLI {
class App;
}

namespace quillane {

struct TCliRequest;

// What the options of the rename, convert, crop and watermark commands are parsed
// into before they become page fields.
struct TFileJobOptions {
    std::vector<std::string> Types = TypeNames();
    std::string Overwrite = "ask";
    bool Prefix = false;
    bool Random = false;
    std::string To;
    std::string Colour = "000000";
    std::string Origin = "bottom-right";
    bool PictureGiven = false;
};

// Adds the four commands to the application.
void AddFileJobCommands(CLI::App& app, TCliRequest& request, TFileJobOptions& options);

// "rename", "convert", "crop" or "watermark".
bool IsFileJob(const std::string& job);

// Turns the parsed options into the request's fields. Returns why the job cannot
// start when its start button would be disabled.
std::optional<std::string> FinishFileJobRequest(TCliRequest& request, const TFileJobOptions& options);

// The job of one of the four commands; empty for any other command.
std::unique_ptr<TBatchJob> MakeFileJob(const TCliRequest& request);

// --no-trash and --trash-replaced, for every job that may replace a file.
void AddTrashOptions(CLI::App& job, TReplacePolicy& policy);

}  // namespace quillane
