#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "imaging/Outcome.h"
#include "jobs/FieldText.h"
#include "jobs/JobHost.h"

namespace quillane {

// A routine's settings by name, as a reader of the plan sees them ("width" → "50").
using TRoutineSettings = std::vector<std::pair<std::string, std::string>>;

// The routine one file goes to: its name and settings, and the call itself.
struct TRoutineCall {
    std::string Name;  // e.g. "ThumbPercentHQ"
    TRoutineSettings Settings;
    // The call with its arguments bound; `replace` is the overwrite answer.
    std::function<TOutcome(bool replace)> Run;
    // When the call cannot be made (a watermark position that cannot be read): the
    // error that ends the run at this file.
    std::string RunEndingError{};
};

// What a job does with each file; everything else about a run is the frame's.
struct TFileRule {
    std::string SuccessText;
    std::string FailureText;
    // The target of a file going to `targetFolder` (empty for a job that works in place).
    // `number` counts the files of a walked folder from 0; a file item has its index.
    std::function<std::filesystem::path(const std::filesystem::path& source, const std::string& targetFolder,
                                        std::size_t number)>
        TargetFor;
    // A file that gets no line at all (a name this rename run gave). Empty: none.
    std::function<bool(const std::filesystem::path& source)> PassesOver;
    // A file whose result is known before any question (a conversion whose target is
    // the source itself): no question and no routine call. Empty: the routine decides.
    std::function<std::optional<TOutcome>(const std::filesystem::path& source, const std::filesystem::path& target)>
        Settled;
    std::function<TRoutineCall(const std::filesystem::path& source, const std::filesystem::path& target)> Routine;
    bool AsksOverwrite = true;     // an existing target is asked about (new-file jobs)
    bool JournalsRenames = false;  // each rename is written to the run's journal, for undo
};

// What becomes of a file that a run replaces. Its old content goes to the Trash first
// (and the run's journal says where) when the file is the run's own source, unless
// turned off, and for any other replaced target when asked for.
struct TReplacePolicy {
    bool TrashOwnSource = true;
    bool TrashOtherTargets = false;
};

// A checked click: the sources, the rule per file and how the run starts and ends.
// A plan is run once: a job with state of its own (rename's given names) keeps it in
// the rule.
struct TJobPlan {
    TJobPage Page = TJobPage::jpPercent;
    TSourceList Sources;
    TFileRule Rule;
    // The output folder with its "/", and the field that shows it; none for a job that
    // works in place.
    std::optional<std::string> OutputFolder;
    std::optional<TNamedField> SaveField;
    bool KeepsEarlierResults = false;  // rename adds to its results box
    bool LocksTypeList = false;        // only the percentage job locks the type list
    bool OneAtATime = false;           // rename: in list order, on the run's own thread
    bool RefreshesList = false;        // rename: the list shows the new names
    bool WritesPictures = false;       // the host's output settings apply
    std::string ClosingMessage;        // e.g. "处理完成！"
    TReplacePolicy Replacing;          // the host's choice; the default keeps every own source
};

}  // namespace quillane
