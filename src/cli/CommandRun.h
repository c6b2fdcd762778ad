#pragma once

#include <variant>

#include "cli/CliRequest.h"
#include "cli/TerminalHost.h"
#include "jobs/BatchJob.h"

namespace quillane {

// The source list of the command: the folder's pictures, or the files of --files-from.
// A list that cannot be used is a usage error: its exit status, the reason on `err`.
std::variant<TSourceList, int> CommandSources(const TCliRequest& request, const TTerminal& terminal);

// The checks, then the run of the plan as the options shape it, or with --dry-run its
// listing. The exit status.
int CheckAndRun(TBatchJob& job, TTerminalHost& host, const TCliRequest& request, const TSourceList& sources,
                std::ostream& out);

}  // namespace quillane
