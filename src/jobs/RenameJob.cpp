#include "jobs/RenameJob.h"

#include <sys/stat.h>

#include <cerrno>

#include <system_error>
#include <utility>
#include <vector>

#include "imaging/Files.h"
#include "imaging/NoReplaceRename.h"
#include "imaging/PictureChecks.h"
#include "jobs/FolderWalk.h"
#include "jobs/JobChecks.h"
#include "jobs/NewFileFolder.h"
#include "jobs/RunGuard.h"
#include "jobs/StepExecutor.h"
#include "jobs/StoppedRun.h"

namespace quillane {

namespace {

namespace fs = std::filesystem;

const char* const kNoFiles = "没有需要重命名的文件！";
const char* const kRenamed = "重命名成功！";
const char* const kNotRenamed = "重命名失败！";

using TNameKey = std::tuple<std::uintmax_t, std::uintmax_t, std::string>;

// A name in its folder, the folder known by device and inode.
std::optional<TNameKey> NameKey(const fs::path& file)
{
    struct stat info {};
    if (::stat(file.parent_path().c_str(), &info) != 0) {
        return std::nullopt;
    }
    return TNameKey(info.st_dev, info.st_ino, file.filename().string());
}

bool IsRegularFile(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// A taken name is the usual reason; the system tells any other.
TOutcome RenameFailure(int error)
{
    if (error == EEXIST) {
        return TOutcome::Failure(TReason::rsTargetExists);
    }
    return TOutcome::Failure(TReason::rsCannotRename, SystemErrorText(error));
}

}  // namespace

fs::path RenamedPath(const fs::path& file, const std::string& prefix, const std::string& tag)
{
    return file.parent_path() / (prefix + tag + ExtractExtension(file.filename()));
}

TRenameRun::TRenameRun(TRunContext& context, const TRenameJob& job, std::uint32_t seed)
    : context_(context), job_(job), generator_(seed)
{
}

std::string TRenameRun::Tag(std::size_t number)
{
    return job_.Mode == rmRandom ? RandomThreeChars(generator_) : std::to_string(number);
}

void TRenameRun::RenameFile(const fs::path& file, std::size_t number)
{
    const auto key = NameKey(file);
    if (key && given_.contains(*key)) {
        return;  // a name this run gave; its file has had its turn
    }
    TFileStep step{file, RenamedPath(file, job_.Prefix, Tag(number)), {}, kRenamed, kNotRenamed, context_.Item};
    // A prefix holding a "/" would move the file elsewhere: that rename fails.
    const bool staysInItsFolder = step.Target.parent_path() == file.parent_path();
    if (!staysInItsFolder) {
        step.Refusal = TReason::rsBadName;
    } else if (!key || !IsRegularFile(file)) {
        step.Refusal = SourceFileReason(file);
    } else {
        const TNameKey given(std::get<0>(*key), std::get<1>(*key), step.Target.filename().string());
        step.Call = [this, from = step.Source, to = step.Target, given] {
            if (!RenameNoReplace(from, to)) {
                return RenameFailure(errno);
            }
            given_.insert(given);
            return TOutcome::Success();
        };
    }
    context_.Executor.Submit(std::move(step));
}

void WalkRenameFolder(TRenameRun& run, const std::string& sourceRoot, const std::string& folder)
{
    fs::path counted;
    std::size_t counter = 0;
    TFolderWalk walk(run.Context(), sourceRoot, std::nullopt, [&](const fs::path& file, const std::string&) {
        // The walk hands over one folder's files together; each folder counts from 0.
        if (file.parent_path() != counted) {
            counted = file.parent_path();
            counter = 0;
        }
        run.RenameFile(file, counter++);
    });
    walk.Walk(folder);
}

TRenameBatch::TRenameBatch(TRenameFields fields, TSeedSource seeds)
    : fields_(std::move(fields)), seeds_(std::move(seeds))
{
}

bool TRenameBatch::Check(TJobHost& host)
{
    checked_ = CheckListNotEmpty(host, kNoFiles);
    return checked_;
}

TRunOutcome TRenameBatch::Run(TJobHost& host)
{
    if (!checked_) {
        return {};
    }
    host.ShowResults(TJobPage::jpRename);
    TRunOutcome outcome;
    {
        const TRunGuard guard(host);
        const bool walkFolders = host.SubFoldersIncluded();
        const std::size_t count = host.SourceItemCount();  // read once
        std::vector<TSourceItem> items;
        for (std::size_t index = 0; index < count; ++index) {
            items.push_back(host.SourceItem(index));
        }
        TInlineExecutor executor(host, TJobPage::jpRename, walkFolders ? std::nullopt : std::optional(count));
        TRunContext context{host, TJobPage::jpRename, host.CheckedTypeCaptions(), TOverwriteState{}, executor};
        TRenameRun run(context, fields_, seeds_());
        const std::string sourceRoot = host.SourceRoot().string();
        for (std::size_t& index = context.Item; index < items.size() && !host.StopRequested(); ++index) {
            if (items[index].IsFolder && walkFolders) {
                context.ItemsBegun = index + 1;
                WalkRenameFolder(run, sourceRoot, items[index].Path.string());
            } else {
                run.RenameFile(items[index].Path, index);
            }
        }
        executor.Finish();
        outcome = executor.Outcome();
        outcome.Stopped = host.StopRequested();
        ReportIfStopped(host, TJobPage::jpRename, outcome, items.size(), context.ItemsBegun);
    }
    if (!outcome.Stopped) {
        host.ShowMessage(kProcessingFinished, TMessageStyle::msInformationOk);
    }
    host.RefreshSourceList();  // the list shows the new names
    return outcome;
}

std::optional<TRunOutcome> BtnRenameClick(TJobHost& host, const TRenameFields& fields, const TSeedSource& seeds)
{
    TRenameBatch job(fields, seeds);
    return RunClick(job, host);
}

}  // namespace quillane
