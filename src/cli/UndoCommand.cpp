#include "cli/UndoCommand.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <ostream>
#include <string>

#include "cli/BatchCommand.h"
#include "cli/EscapedText.h"
#include "jobs/JobTexts.h"
#include "jobs/Language.h"
#include "jobs/RunJournal.h"
#include "texts/HostTexts.h"

namespace quillane {

namespace {

void ListRuns(std::ostream& out, const THostTexts& texts)
{
    for (const TJournalRun& run : ReadJournals()) {
        out << run.Id << '\t' << run.Time << '\t' << EscapedForTerminal(UndoCaption(run, texts.Lookup()))
            << (run.Undone ? '\t' + texts.Message(kAlreadyUndone) : std::string()) << '\n';
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

// A restored file as a result line on standard output; a skipped one, with its reason,
// on standard error; then the summary the window shows.
int TakeBack(const TJournalRun& run, const THostTexts& texts, std::ostream& out, std::ostream& err)
{
    err << EscapedForTerminal(UndoCaption(run, texts.Lookup())) << '\n';
    std::size_t restored = 0;
    std::size_t skipped = 0;
    for (const TUndoneStep& step : UndoRun(run)) {
        const std::string path = EscapedForTerminal(step.Path.string());
        if (step.Result) {
            out << texts.ResultLine(path + kUndoneLine) << '\n';
            ++restored;
        } else {
            err << path << ": " << texts.Failure({step.Result.Reason(), {}}) << '\n';
            ++skipped;
        }
    }
    err << UndoSummary(restored, skipped, texts.Lookup()) << '\n';
    return skipped == 0 ? esAllSucceeded : esSomeFailed;
}

}  // namespace

std::optional<std::vector<const char*>> UndoCommandArguments(int argc, const char* const* argv)
{
    std::vector<const char*> language;
    int word = 1;
    while (word < argc) {
        const std::string argument = argv[word];
        if (argument == "--lang" && word + 1 < argc) {
            language.assign({argv[word], argv[word + 1]});
            word += 2;
        } else if (argument.rfind("--lang=", 0) == 0) {
            language.assign({argv[word]});
            ++word;
        } else {
            break;
        }
    }
    if (word >= argc || std::string(argv[word]) != "undo") {
        return std::nullopt;
    }
    std::vector<const char*> arguments(argv + word, argv + argc);
    arguments.insert(arguments.end(), language.begin(), language.end());
    return arguments;
}

int RunUndoCommand(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    CLI::App app{"Takes back the last run that renamed files or replaced them in place.", "quillane-batch undo"};
    bool list = false;
    std::string id;
    std::string language;
    app.add_flag("--list", list, "list the runs that can be taken back, newest first");
    app.add_option("RUN", id, "the run to take back, as --list names it (default: the newest not yet undone)");
    app.add_option("--lang", language, "language of the lines and messages: en or zh (default: the locale's)")
        ->check(CLI::IsMember({"en", "zh"}));
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error, out, err) == 0 ? esAllSucceeded : esNotRun;
    }
    const THostTexts texts(ChosenLanguage(language));
    if (list) {
        ListRuns(out, texts);
        return esAllSucceeded;
    }
    const std::optional<TJournalRun> run = RunNamed(id);
    if (!run) {
        err << texts.Message(kNothingToUndo) << '\n';
        return esSomeFailed;
    }
    return TakeBack(*run, texts, out, err);
}

}  // namespace quillane
