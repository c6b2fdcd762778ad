#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "jobs/BatchJob.h"
#include "jobs/TypeNames.h"

namespace CLI {
class App;
class Validator;
}  // namespace CLI

namespace quillane {

struct TCliRequest;

// What the options every job shares, and those of the rename, convert, crop and
// watermark commands, are parsed into before they become page fields.
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

// A job's command, with its summary and its example in its help.
CLI::App* AddJobCommand(CLI::App& app, const std::string& name);

// A colour as RRGGBB in hexadecimal.
CLI::Validator RgbHex();

// The source folder, --types and --subfolders, which every job has.
void AddSourceOptions(CLI::App& job, TCliRequest& request, TFileJobOptions& options);

// The source options and those of every job that writes new files.
void AddOutputOptions(CLI::App& job, TCliRequest& request, TFileJobOptions& options, std::string& savePath,
                      std::string& affix);

// Turns the shared options into the request's type list and overwrite mode; the
// affix position they give is returned.
int FinishSharedOptions(TCliRequest& request, const TFileJobOptions& options);

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
