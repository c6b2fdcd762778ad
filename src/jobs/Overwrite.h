#pragma once

#include <filesystem>

#include "jobs/JobHost.h"

namespace quillane {

// The overwrite answer of one run, shared by the item loop and every walk level.
struct TOverwriteState {
    bool Overwrite = true;  // the answer for a target that exists
    bool DontAsk = false;   // once set, no further prompt in this run
};

// Whether a file (or a link, whatever it points to) is at the target: what a write
// there would replace.
bool SomethingAt(const std::filesystem::path& target);

// Whether AskOverwrite would show the prompt for `target` now.
bool OverwritePromptDue(const std::filesystem::path& target, const TOverwriteState& state);

// Asks before an existing target is replaced, unless the run said "don't ask again".
// The answer holds until the next prompt. Gives the routine's overwrite flag: true
// only when a file is at the target now and the answer is Yes. A target that
// appears later (another run's file) is never replaced.
bool AskOverwrite(TJobHost& host, const std::filesystem::path& target, TOverwriteState& state);

}  // namespace quillane
