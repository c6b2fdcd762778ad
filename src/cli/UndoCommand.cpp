#include "cli/UndoCommand.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <ostream>
#include <string>

#include "cli/BatchCommand.h"
#include "cli/EscapedText.h"
#include "jobs/JobTexts.h"
#include "jobs/ReasonTexts.h"
#include "jobs/RunJournal.h"

namespace quillane {

namespace {

void ListRuns(std::ostream& out)
{
    for (const TJournalRun& run : ReadJournals()) {
        out << run.Id << '\t' << run.Time << '\t' << EscapedForTerminal(UndoCaption(run))
            << (run.Undone ? std::string("\t") + kAlreadyUndone : std::string()) << '\n';
    }
}

std::optional<TJournalRun> RunNamed(const std::string& id)
{
    if (id.empty()) {
        return LastUndoableRun();
    }
    for (TJournalRun& run : ReadJournals()) {
        if (run.Id == id && !run.Undone) {
            return std::move(run);
        }
    }
    return std::nullopt;
}

}  // namespace

int RunUndoCommand(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    CLI::App app{"Takes back the last run that renamed files or replaced them in place.", "quillane-batch undo"};
    bool list = false;
    std::string id;
    app.add_flag("--list", list, "list the runs that can be taken back, newest first");
    app.add_option("RUN", id, "the run to take back, as --list names it (default: the newest not yet undone)");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error, out, err) == 0 ? esAllSucceeded : esNotRun;
    }
    if (list) {
        ListRuns(out);
        return esAllSucceeded;
    }
    const std::optional<TJournalRun> run = RunNamed(id);
    if (!run) {
        err << kNothingToUndo << '\n';
        return esSomeFailed;
    }
    err << UndoCaption(*run) << '\n';
    int status = esAllSucceeded;
    for (const TUndoneStep& step : UndoRun(*run)) {
        if (step.Result) {
            out << EscapedForTerminal(step.Path.string()) << kUndoneLine << '\n';
        } else {
            err << EscapedForTerminal(step.Path.string()) << ": " << ReasonText(step.Result.Reason()) << '\n';
            status = esSomeFailed;
        }
    }
    return status;
}

}  // namespace quillane
