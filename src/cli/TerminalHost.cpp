#include "cli/TerminalHost.h"

#include <istream>
#include <ostream>
#include <system_error>

#include "cli/EscapedText.h"
#include "jobs/ParallelExecutor.h"
#include "jobs/ReasonTexts.h"
#include "jobs/JobTexts.h"
#include "jobs/SourceList.h"

namespace quillane {

namespace {

}  // namespace

std::filesystem::path FullFolderPath(const std::filesystem::path& folder)
{
    std::error_code error;
    std::string full = std::filesystem::absolute(folder, error).lexically_normal().string();
    while (full.size() > 1 && full.back() == '/') {
        full.pop_back();
    }
    return full;
}

TTerminalHost::TTerminalHost(TTerminal terminal, const TCliRequest& request)
    : terminal_(terminal),
      sourceRoot_(FullFolderPath(request.SourceFolder)),
      subFolders_(request.SubFolders),
      checkedTypes_(request.CheckedTypes),
      yesToCreate_(request.YesToCreate),
      overwriteMode_(request.Overwrite),
      routineWorkers_(request.Jobs > 0 ? request.Jobs : DefaultRoutineWorkers()),
      output_(OutputSettingsOf(request.Output))
{
}

TSourceList TTerminalHost::SourceList() const
{
    return TSourceList{ListSourceItems(sourceRoot_, subFolders_, checkedTypes_), sourceRoot_, subFolders_,
                       checkedTypes_};
}

TMessageAnswer TTerminalHost::ShowMessage(const std::string& text, TMessageStyle style)
{
    ClearProgressLine();
    if (style != TMessageStyle::msQuestionYesNo) {
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
    terminal_.Err << text << '\n' << std::flush;
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
        terminal_.Err << kOverwriteQuestion << ' ' << target.string() << '\n' << std::flush;
        return {false, false};
    }
    return AskOverwriteOnTerminal(target);
}

TOverwriteAnswer TTerminalHost::AskOverwriteOnTerminal(const std::filesystem::path& target)
{
    const std::string question =
        std::string(kOverwriteQuestion) + ' ' + target.string() + " [y = yes, n = no, a = yes to all, s = no to all] ";
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
    terminal_.Out << line << '\n' << std::flush;
}

void TTerminalHost::ReportFailure(TJobPage, const std::filesystem::path& source, const TFailure& failure)
{
    ClearProgressLine();
    terminal_.Err << EscapedForTerminal(source.string()) << ": " << FailureText(failure) << '\n' << std::flush;
}

void TTerminalHost::ReportStop(TJobPage, const std::string& line)
{
    ShowError(line);
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
