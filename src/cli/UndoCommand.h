#pragma once

#include <iosfwd>

namespace quillane {

// `quillane-batch undo [--list] [RUN]`: lists the journals of runs that changed files in
// place, or takes one back (the newest not yet undone, or RUN). Exit status 0 when
// every step was undone, 1 when one was skipped or there was nothing to undo, 2 for
// wrong arguments.
int RunUndoCommand(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace quillane
