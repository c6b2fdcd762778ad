#pragma once

#include <iosfwd>
#include <optional>
#include <vector>

namespace quillane {

// `quillane-batch undo [--list] [RUN]`: lists the journals of runs that changed files in
// place, or takes one back (the newest not yet undone, or RUN). Exit status 0 when
// every step was undone, 1 when one was skipped or there was nothing to undo, 2 for
// wrong arguments. Lines and messages are in the language of --lang or the locale.
int RunUndoCommand(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

// The undo command's arguments, from "undo" on, when the command line asks for it; a
// --lang before "undo" (where it stands for a job) goes along at the end.
std::optional<std::vector<const char*>> UndoCommandArguments(int argc, const char* const* argv);

}  // namespace quillane
