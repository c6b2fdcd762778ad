#pragma once

#include <iosfwd>

namespace quillane {

// Exit statuses of quillane-batch.
enum TExitStatus {
    esAllSucceeded = 0,  // a run finished and every file succeeded
    esSomeFailed = 1,    // a run finished (or was stopped) and some file failed
    esNotRun = 2,        // a check stopped the click, or the arguments are wrong
};

// The whole command: parse, list the source folder, check and run the job.
int RunBatchCommand(int argc, const char* const* argv, std::ostream& out, std::ostream& err, std::istream& in,
                    bool inIsTty, bool errIsTty);

// As above on the process's own streams, with Ctrl+C ending the run after the
// file in progress.
int RunBatchCommand(int argc, const char* const* argv);

}  // namespace quillane
