#include "cli/TerminalHost.h"

#include <istream>
#include <ostream>
#include <system_error>

#include "cli/EscapedText.h"
#include "cli/JsonLines.h"
#include "jobs/ParallelExecutor.h"
#include "jobs/ReasonTexts.h"
#include "jobs/JobTexts.h"
#include "jobs/SourceList.h"

namespace quillane {

std::filesystem::path FullFolderPath(const std::filesystem::path& folder)
{
    std::error_code error;
    std::string full = std::filesystem::absolute(folder, error).lexically_normal().string();
    while (full.size() > 1 && full.back() == '/') {
        full.pop_back();
    }
    return full;
}

namespace {

// Nobody is there to answer a script (JSON output), a machine of a shared run, a dry
// run or a list of files read from standard input.
TTerminal ForRequest(TTerminal terminal, const TCliRequest& request)
{
    const bool unattended = request.Json || request.Shard || request.DryRun || request.FilesFrom == "-";
    terminal.InIsTty = terminal.InIsTty && !unattended;
    return terminal;
}

}  // namespace

TTerminalHost::TTerminalHost(TTerminal terminal, const TCliRequest& request)
    : terminal_(ForRequest(terminal, request)),
      yesToCreate_(request.YesToCreate),
      overwriteMode_(request.Overwrite),
      routineWorkers_(request.Jobs > 0 ? request.Jobs : DefaultRoutineWorkers()),
      json_(request.Json),
      rehearses_(request.DryRun),
      texts_(request.Language),
      output_(OutputSettingsOf(request.Output))
{
}

TSourceList TTerminalHost::FolderSources(const TCliRequest& request)
{
    const std::filesystem::path root = FullFolderPath(request.SourceFolder);
    return TSourceList{ListSourceItems(root, request.SubFolders, request.CheckedTypes), root, request.SubFolders,
                       request.CheckedTypes};
}

TMessageAnswer TTerminalHost::ShowMessage(const std::string& engineText, TMessageStyle style)
{
    const std::string text = texts_.Message(engineText);
    ClearProgressLine();
    if (style != TMessageStyle::msQuestionYesNo) {
        closingMessage_ = text;
        terminal_.Err << text << '\n' << std::flush;
        return TMessageAnswer::maOk;
    }
    if (yesToCreate_ || !terminal_.InIsTty) {
        terminal_.Err << text << '\n' << std::flush;
        return yesToCreate_ ? TMessageAnswer::maYes : TMessageAnswer::maNo;
    }
    const std::string answer = AskLine(text + " [y/N] ");
    return answer == "y" || answer == "yes" ? TMessageAnswer::maYes : TMessageAnswer::maNo;
}

void TTerminalHost::ShowError(const std::string& text)
{
    ClearProgressLine();
    terminal_.Err << texts_.Message(text) << '\n' << std::flush;
}

TOverwriteAnswer TTerminalHost::ShowOverwritePrompt(const std::filesystem::path& target)
{
    switch (overwriteMode_) {
    case TOverwriteMode::omYes:
        return {true, true};
    case TOverwriteMode::omNo:
        return {false, true};
    case TOverwriteMode::omAsk:
        break;
    }
    if (!terminal_.InIsTty) {
        ClearProgressLine();
        terminal_.Err << texts_.Message(kOverwriteQuestion) << ' ' << target.string() << '\n' << std::flush;
        return {false, false};
    }
    return AskOverwriteOnTerminal(target);
}

TOverwriteAnswer TTerminalHost::AskOverwriteOnTerminal(const std::filesystem::path& target)
{
    const std::string question = texts_.Message(kOverwriteQuestion) + ' ' + target.string() +
                                 " [y = yes, n = no, a = yes to all, s = no to all] ";
    while (terminal_.In) {
        const std::string answer = AskLine(question);
        if (answer == "y" || answer == "yes") {
            return {true, false};
        }
        if (answer == "n" || answer == "no") {
            return {false, false};
        }
        if (answer == "a") {
            return {true, true};
        }
        if (answer == "s") {
            return {false, true};
        }
    }
    return {false, true};  // input ended: nobody is left to ask
}

std::string TTerminalHost::AskLine(const std::string& question)
{
    ClearProgressLine();
    terminal_.Err << question << std::flush;
    std::string answer;
    if (!std::getline(terminal_.In, answer)) {
        terminal_.Err << '\n';
        return {};
    }
    return answer;
}

void TTerminalHost::AppendResult(TJobPage, const std::string& line)
{
    ClearProgressLine();
    terminal_.Out << EscapedResultLine(texts_.ResultLine(line)) << '\n' << std::flush;
}

void TTerminalHost::ReportFile(TJobPage page, const TFileReport& report)
{
    if (!json_) {
        TJobHost::ReportFile(page, report);
        return;
    }
    TJsonObject object;
    object.Text("source", report.Source.string()).Text("target", report.Target.string()).Bool("ok", report.Succeeded);
    // A success has no reason, unless it carries a note.
    const bool hasReason = report.Failure.Reason != TReason::rsNone;
    if (hasReason) {
        object.Text("reason", texts_.Failure(report.Failure)).Text("code", ReasonCode(report.Failure.Reason));
    } else {
        object.Null("reason").Null("code");
    }
    object.Milliseconds("ms", report.Milliseconds);
    ClearProgressLine();
    terminal_.Out << object.Line() << '\n' << std::flush;
    if (hasReason) {
        ReportFailure(page, report.Source, report.Failure);
    }
}

void TTerminalHost::ReportRunEnd(const TRunOutcome& outcome)
{
    if (!json_) {
        return;
    }
    TJsonObject object;
    object.Bool("closing", true)
        .Count("files", outcome.Succeeded + outcome.Failed)
        .Count("succeeded", outcome.Succeeded)
        .Count("failed", outcome.Failed)
        .Bool("stopped", outcome.Stopped)
        .Text("message", closingMessage_);
    terminal_.Out << object.Line() << '\n' << std::flush;
}

void TTerminalHost::ReportFailure(TJobPage, const std::filesystem::path& source, const TFailure& failure)
{
    ClearProgressLine();
    terminal_.Err << EscapedForTerminal(source.string()) << ": " << texts_.Failure(failure) << '\n' << std::flush;
}

void TTerminalHost::ReportStop(TJobPage, const std::string& line)
{
    closingMessage_ = texts_.StopLine(line);
    ShowError(closingMessage_);
}

void TTerminalHost::ReportProgress(const TProgress& progress)
{
    if (!terminal_.ErrIsTty) {
        return;
    }
    if (progress.CurrentFile.empty()) {
        ClearProgressLine();
        return;
    }
    terminal_.Err << "\r\033[K[" << progress.FilesDone;
    if (progress.FilesTotal) {
        terminal_.Err << '/' << *progress.FilesTotal;
    }
    terminal_.Err << "] " << progress.CurrentFile.string() << std::flush;
    progressShown_ = true;
}

void TTerminalHost::ClearProgressLine()
{
    if (progressShown_) {
        terminal_.Err << "\r\033[K" << std::flush;
        progressShown_ = false;
    }
}

}  // namespace quillane
