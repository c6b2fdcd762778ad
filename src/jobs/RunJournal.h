#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "imaging/Outcome.h"
#include "jobs/EngineTexts.h"
#include "jobs/JobHost.h"
#include "jobs/Trash.h"

// The journal of a run that changed a user's files in place: each rename, and each
// replaced file whose old content went to the Trash, written as it completes, so that
// the run can be taken back. Journals live in $XDG_DATA_HOME/quillane/runs/; the last
// 20 are kept.
namespace quillane {

// A file as a run left it: what an undo must find before it acts.
struct TFileIdentity {
    std::uintmax_t Device = 0;
    std::uintmax_t Inode = 0;
    std::uintmax_t Size = 0;
    std::int64_t ModifiedNs = 0;
    bool operator==(const TFileIdentity&) const = default;
};

std::optional<TFileIdentity> IdentityOf(const std::filesystem::path& path);

struct TJournalStep {
    enum TKind { jsRename, jsReplace };
    TKind Kind = jsRename;
    std::filesystem::path Path;     // the renamed file's old name; the replaced file
    std::filesystem::path NewName;  // a rename's new name
    TTrashEntry Trash;              // where a replaced file's old content went
    TFileIdentity Left;             // the file the run left (under the new name)
};

struct TJournalRun {
    std::filesystem::path File;
    std::string Id;  // the journal's name without its extension
    std::string Time;
    TJobPage Page = TJobPage::jpRename;
    std::filesystem::path Folder;
    std::vector<TJournalStep> Steps;
    bool Undone = false;
};

std::filesystem::path JournalFolder();

// Writes one run's journal; the file is made with the first step, so a run that
// changes nothing in place leaves none. Safe to call from several threads.
class TRunJournal {
public:
    TRunJournal(TJobPage page, std::filesystem::path folder);
    ~TRunJournal();
    TRunJournal(const TRunJournal&) = delete;
    TRunJournal& operator=(const TRunJournal&) = delete;

    // Written before the rename is made, so a killed run's journal holds every rename it
    // made; undo tells the ones never made by the file still being at its old name.
    void RecordRename(const std::filesystem::path& from, const std::filesystem::path& to);
    void RecordReplace(const std::filesystem::path& path, const TTrashEntry& trash);

private:
    void Append(const std::string& line);
    bool Open();

    TJobPage page_;
    std::filesystem::path folder_;
    std::mutex mutex_;
    int fd_ = -1;
    bool failed_ = false;
};

// The journals, newest first.
std::vector<TJournalRun> ReadJournals();
std::optional<TJournalRun> ReadJournal(const std::filesystem::path& file);

// The newest run that can still be undone.
std::optional<TJournalRun> LastUndoableRun();

// "撤销重命名：/photos，37 个文件", or its translation by the host's lookup.
std::string UndoCaption(const TJournalRun& run, const TTextLookup& text = ChineseText);
// "撤销完成：已恢复 n 个文件，跳过 m 个。", or its translation.
std::string UndoSummary(std::size_t restored, std::size_t skipped, const TTextLookup& text = ChineseText);

struct TUndoneStep {
    std::filesystem::path Path;  // the name the file gets back
    TOutcome Result;
};

// Takes a run back, last step first: renames back and restores replaced files from
// the Trash. A step whose file has changed since, or whose old name is taken, is
// skipped with its reason; the rest is undone. The journal then says so.
std::vector<TUndoneStep> UndoRun(const TJournalRun& run);

}  // namespace quillane
