#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "jobs/JobHost.h"
#include "jobs/RunFrame.h"

namespace quillane::test {

// A failure reason as the host received it, and how many lines were logged by then.
struct TReportedFailure {
    std::size_t LinesBefore = 0;
    std::filesystem::path Source;
    TFailure Failure;
};

struct TShownMessage {
    std::string Text;
    TMessageStyle Style;
    bool operator==(const TShownMessage&) const = default;
};

// A host that records everything a job shows and answers questions from a script.
class TScriptedHost : public TJobHost, public TFormHost {
public:
    // The source list: what the file list would show for `folder`.
    void ShowFolder(const std::filesystem::path& folder, bool includeSubFolders);

    std::vector<TSourceItem> Items;
    std::filesystem::path Root;
    bool SubFolders = false;
    std::vector<std::string> Captions;  // ticked types; all five unless a test says otherwise

    std::deque<TMessageAnswer> YesNoAnswers;                // maNo once the script is used up
    std::deque<TOverwriteAnswer> OverwriteAnswers;          // Yes, unticked once used up
    std::function<void(const std::string& line)> OnResult;  // runs after a line is logged

    std::vector<TShownMessage> Messages;
    std::vector<std::string> Errors;
    std::vector<std::string> Focus;
    std::vector<std::filesystem::path> Prompts;
    std::vector<std::string> Lines;
    std::vector<std::string> StopLines;
    std::vector<TReportedFailure> Failures;
    std::map<std::string, std::string> FieldTexts;
    std::vector<std::string> Events;  // "clear", "show", "busy", "idle", "types off", "types on"
    TOutputSettings Output;           // what OutputSettings() gives a run

    TScriptedHost();

    TSourceList Sources() const { return TSourceList{Items, Root, SubFolders, Captions}; }
    TMessageAnswer ShowMessage(const std::string& text, TMessageStyle style) override;
    void ShowError(const std::string& text) override { Errors.push_back(text); }
    TOverwriteAnswer ShowOverwritePrompt(const std::filesystem::path& target) override;
    void ClearResults(TJobPage) override { Events.push_back("clear"); }
    void ShowResults(TJobPage) override { Events.push_back("show"); }
    void AppendResult(TJobPage, const std::string& line) override;
    void ReportStop(TJobPage, const std::string& line) override { StopLines.push_back(line); }
    void ReportFailure(TJobPage, const std::filesystem::path& source, const TFailure& failure) override
    {
        Failures.push_back({Lines.size(), source, failure});
    }
    TFormHost* Form() override { return this; }
    void SetFieldText(const std::string& field, const std::string& text) override { FieldTexts[field] = text; }
    void FocusField(const std::string& field) override { Focus.push_back(field); }
    void SetBusyCursor(bool busy) override { Events.push_back(busy ? "busy" : "idle"); }
    void SetTypeListEnabled(bool enabled) override { Events.push_back(enabled ? "types on" : "types off"); }
    void RefreshSourceList() override {}
    void ReportProgress(const TProgress&) override {}
    TOutputSettings OutputSettings() override { return Output; }
};

// A start button's click on the scripted list: the job's checks, then its run. Empty
// when a check stopped the click.
template <typename TJob>
std::optional<TRunOutcome> ClickStart(TScriptedHost& host, TJob job)
{
    return RunClick(job, host, host.Sources());
}

}  // namespace quillane::test
