#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/CliRequest.h"
#include "jobs/JobHost.h"

namespace quillane {

// The streams of the command line and whether a person sits at them.
struct TTerminal {
    std::ostream& Out;  // result lines, exactly as the results box holds them
    std::ostream& Err;  // messages, one line each; the progress line
    std::istream& In;   // answers to questions
    bool InIsTty = false;
    bool ErrIsTty = false;
};

// The engine's host on a terminal. Questions are asked on the terminal only when
// standard input is one; otherwise they are answered No without waiting.
class TTerminalHost final : public TJobHost {
public:
    TTerminalHost(TTerminal terminal, const TCliRequest& request);

    // The pictures the window's file list would show for the source folder, now.
    TSourceList SourceList() const;

    TMessageAnswer ShowMessage(const std::string& text, TMessageStyle style) override;
    void ShowError(const std::string& text) override;
    TOverwriteAnswer ShowOverwritePrompt(const std::filesystem::path& target) override;

    void ClearResults(TJobPage) override {}
    void ShowResults(TJobPage) override {}
    void AppendResult(TJobPage page, const std::string& line) override;
    // "PATH: REASON" on standard error, right after the file's line on standard output.
    void ReportFailure(TJobPage page, const std::filesystem::path& source, const TFailure& failure) override;
    // Standard output holds result lines only; how far a stopped run got is a message.
    void ReportStop(TJobPage page, const std::string& line) override;

    void RefreshSourceList() override {}
    void ReportProgress(const TProgress& progress) override;
    std::size_t RoutineWorkers() override { return routineWorkers_; }
    TOutputSettings OutputSettings() override { return output_; }

private:
    void ClearProgressLine();
    std::string AskLine(const std::string& question);
    TOverwriteAnswer AskOverwriteOnTerminal(const std::filesystem::path& target);

    TTerminal terminal_;
    std::filesystem::path sourceRoot_;
    bool subFolders_;
    std::vector<std::string> checkedTypes_;
    bool yesToCreate_;
    TOverwriteMode overwriteMode_;
    bool progressShown_ = false;
    std::size_t routineWorkers_;
    TOutputSettings output_;
};

// The folder the list shows, as a full path without a trailing "/".
std::filesystem::path FullFolderPath(const std::filesystem::path& folder);

}  // namespace quillane
