#pragma once

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

#include "jobs/BatchJob.h"
#include "jobs/RandomTags.h"

namespace quillane {

enum TRenameMode { rmNumber = 0, rmRandom = 1 };

// The rename page's fields as the page holds them.
struct TRenameFields {
    std::string Prefix;           // EdtNewName, taken as typed
    TRenameMode Mode = rmNumber;  // RbRenameNumber ticked; RbRenameRandom gives rmRandom
    int Pad = 0;                  // the running number's width, zero-padded; 0 leaves it as it is
    // Replaces prefix + tag when given: "{n}" is the tag, "{date:%Y%m%d}" (or "{date}")
    // the picture's capture time, anything else is taken literally.
    std::string Pattern{};
};

// The new name of a file in its own folder: the new stem + the file's extension as it
// was, letter case included.
std::filesystem::path RenamedPath(const std::filesystem::path& file, const std::string& stem);

// The running number as a tag: zero-padded to `pad` digits.
std::string NumberTag(std::size_t number, int pad);

// A pattern's stem for one file: its tag and its capture time put in.
std::string ExpandPattern(const std::string& pattern, const std::string& tag, const std::tm& captured);

// "文件重命名(&R)": every file renamed in place under the prefix and its running number
// (its index in the list, or its place in its walked folder counting from 0) or three
// random characters. The results box keeps the lines of earlier runs. A name this run
// gave is never taken again; every other name gets its line, a second name of the
// same file too.
class TRenameBatch final : public TBatchJob {
public:
    explicit TRenameBatch(TRenameFields fields, TSeedSource seeds = EntropySeed);
    std::optional<TJobPlan> Check(TJobHost& host, const TSourceList& sources) override;

private:
    TRenameFields fields_;
    TSeedSource seeds_;
};

}  // namespace quillane
