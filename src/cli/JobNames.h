#pragma once

#include <string>
#include <vector>

namespace quillane {

// The command that takes a run back; not a job, but a word the first place may hold.
inline constexpr const char* kUndoCommand = "undo";

// A job of quillane-batch as its help presents it.
struct TJobEntry {
    std::string Name;
    std::string Summary;  // one line, plain English
    std::string Example;  // a command line that works as it stands
    std::string Result;   // what the example does
};

// The seven jobs in the order the help lists them.
const std::vector<TJobEntry>& JobEntries();

// The help's closing part for one job: its example and what it does.
std::string JobExampleText(const TJobEntry& job);

// The usage error for a word that is no job: it names the word and, when one is
// near enough to be a slip of the keyboard, the nearest job.
std::string UnknownJobMessage(const std::string& word);

}  // namespace quillane
