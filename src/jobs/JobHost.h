#pragma once

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "imaging/Outcome.h"
#include "imaging/OutputSettings.h"

// What a batch job needs of the program that runs it. The window and quillane-batch
// are the two hosts; the engine knows nothing else about them.
//
// Threading contract. A click has two halves:
//  - job.Check(host, sources) runs the page's checks in their order, may ask questions
//    and create the output folder, and returns the plan to run (or none). It is called
//    on the host's own (GUI) thread.
//  - RunPlan(host, plan) does the run. It may be called on a worker thread: a window
//    host then marshals every call below to its GUI thread itself (blocking where an
//    answer is needed), so the engine never locks or waits on its own.
// The command line calls both halves inline, on one thread.
// RequestStop(), ClearStopRequest() and StopRequested() are the only members that any
// thread may call directly; a stop ends a run after the file in progress.
namespace quillane {

enum class TMessageStyle {
    msInformationOk,  // information icon, OK
    msQuestionOk,     // question icon, OK
    msQuestionYesNo,  // question icon, Yes and No
};

enum class TMessageAnswer { maOk, maYes, maNo };

// How the overwrite prompt closed: Yes unless "否" was pressed, and whether its
// "不再提示" box was ticked at that moment.
struct TOverwriteAnswer {
    bool Yes = true;
    bool DontAskAgain = false;
};

// One item of the source list: its full path and whether it is a folder.
struct TSourceItem {
    std::filesystem::path Path;
    bool IsFolder = false;
};

// The source list as the file list showed it when the start button was clicked.
struct TSourceList {
    std::vector<TSourceItem> Items;  // in list order
    std::filesystem::path Root;      // the folder the list shows
    bool SubFolders = false;         // "包含子目录中图片" ticked: folder items are walked
    std::vector<std::string> CheckedTypes;
};

// The page whose results box a job writes to.
enum class TJobPage { jpPercent, jpPixel, jpWOrH, jpRename, jpConvert, jpCrop, jpWatermark };

// One file's outcome in full: the result line, the target it was to write and how
// long its routine took.
struct TFileReport {
    std::filesystem::path Source;
    std::filesystem::path Target;
    std::string Line;
    bool Succeeded = false;
    TFailure Failure;  // why, when it failed; a success's note (rsNone when it has none)
    double Milliseconds = 0;
};

struct TProgress {
    std::size_t FilesDone = 0;
    std::optional<std::size_t> FilesTotal;  // empty while folders are still being walked
    std::filesystem::path CurrentFile;
};

// What a host with a form adds: the engine fills in and focuses its fields, shows the
// busy cursor and locks the type list. Fields are named by their control names, e.g.
// "lbEdtRWidth", "lbEdtSavePath".
class TFormHost {
public:
    virtual ~TFormHost() = default;
    virtual void SetFieldText(const std::string& field, const std::string& text) = 0;
    virtual void FocusField(const std::string& field) = 0;
    virtual void SetBusyCursor(bool busy) = 0;
    virtual void SetTypeListEnabled(bool enabled) = 0;
};

class TJobHost {
public:
    virtual ~TJobHost() = default;

    // A message box titled with the application's name; returns the button pressed
    // (maOk for the two OK styles).
    virtual TMessageAnswer ShowMessage(const std::string& text, TMessageStyle style) = 0;
    // The application's general error display (e.g. "'12a' is not a valid integer value").
    virtual void ShowError(const std::string& text) = 0;
    // The modal overwrite prompt "要创建的文件已存在，是否覆盖？" for an existing target.
    virtual TOverwriteAnswer ShowOverwritePrompt(const std::filesystem::path& target) = 0;

    // The page's results box.
    virtual void ClearResults(TJobPage page) = 0;
    virtual void ShowResults(TJobPage page) = 0;
    virtual void AppendResult(TJobPage page, const std::string& line) = 0;
    // Why the file of the failure line just appended failed (its id and the library's
    // detail), or the note of a success line (a name made from the file's time); the
    // line itself stays as it is. Hosts that show no reasons ignore it.
    virtual void ReportFailure(TJobPage page, const std::filesystem::path& source, const TFailure& failure)
    {
        (void)page;
        (void)source;
        (void)failure;
    }
    // A file's outcome, in list order: by default its result line, then its reason
    // when it failed. Hosts that report more than the line (the command line's JSON)
    // take it whole.
    virtual void ReportFile(TJobPage page, const TFileReport& report)
    {
        AppendResult(page, report.Line);
        if (!report.Succeeded || report.Failure.Reason != TReason::rsNone) {
            ReportFailure(page, report.Source, report.Failure);
        }
    }
    // The line that closes a stopped run, after its result lines; the results box by
    // default.
    virtual void ReportStop(TJobPage page, const std::string& line) { AppendResult(page, line); }

    // A host that only lists what a run would do (a dry run): the checks report a
    // missing output folder instead of making it.
    virtual bool Rehearses() const { return false; }

    // The form of a host that has one (the window); none for the command line.
    virtual TFormHost* Form() { return nullptr; }

    virtual void RefreshSourceList() = 0;
    virtual void ReportProgress(const TProgress& progress) = 0;

    // How many image routines a run may have going at once; read once as a run starts.
    // With 1 every routine runs on the run's own thread, one after another.
    virtual std::size_t RoutineWorkers() { return 1; }

    // How the pictures of a run are written (quality, metadata, file times); read once
    // as a run that writes pictures starts.
    virtual TOutputSettings OutputSettings() { return {}; }

    void RequestStop() noexcept { stop_.store(true); }
    void ClearStopRequest() noexcept { stop_.store(false); }
    bool StopRequested() const noexcept { return stop_.load(); }

private:
    std::atomic<bool> stop_{false};
};

}  // namespace quillane
