#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/CliRequest.h"
#include "jobs/BatchJob.h"
#include "jobs/JobHost.h"
#include "texts/HostTexts.h"

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
// standard input is one (and the output is not JSON); otherwise they are answered No
// without waiting.
class TTerminalHost final : public TJobHost {
public:
    TTerminalHost(TTerminal terminal, const TCliRequest& request);

    // The pictures the window's file list would show for the source folder, now.
    static TSourceList FolderSources(const TCliRequest& request);

    // A dry run only lists the plan.
    bool Rehearses() const override { return rehearses_; }

    TMessageAnswer ShowMessage(const std::string& text, TMessageStyle style) override;
    void ShowError(const std::string& text) override;
    TOverwriteAnswer ShowOverwritePrompt(const std::filesystem::path& target) override;

    void ClearResults(TJobPage) override {}
    void ShowResults(TJobPage) override {}
    // The line with its control characters and backslashes escaped, so that one line
    // is always one file.
    void AppendResult(TJobPage page, const std::string& line) override;
    // With --json, one object per file instead of the line.
    void ReportFile(TJobPage page, const TFileReport& report) override;
    // "PATH: REASON" on standard error, right after the file's line on standard output.
    void ReportFailure(TJobPage page, const std::filesystem::path& source, const TFailure& failure) override;
    // Standard output holds result lines only; how far a stopped run got is a message.
    void ReportStop(TJobPage page, const std::string& line) override;

    void RefreshSourceList() override {}
    void ReportProgress(const TProgress& progress) override;
    std::size_t RoutineWorkers() override { return routineWorkers_; }
    TOutputSettings OutputSettings() override { return output_; }

    // With --json, the object that closes a run: its counts and its closing message
    // (or the stopped-run line).
    void ReportRunEnd(const TRunOutcome& outcome);

private:
    void ClearProgressLine();
    std::string AskLine(const std::string& question);
    TOverwriteAnswer AskOverwriteOnTerminal(const std::filesystem::path& target);

    TTerminal terminal_;
    bool yesToCreate_;
    TOverwriteMode overwriteMode_;
    bool progressShown_ = false;
    std::size_t routineWorkers_;
    bool json_;
    bool rehearses_;
    std::string closingMessage_;
    THostTexts texts_;
    TOutputSettings output_;
};

// The folder the list shows, as a full path without a trailing "/".
std::filesystem::path FullFolderPath(const std::filesystem::path& folder);

}  // namespace quillane
