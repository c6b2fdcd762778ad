#include "jobs/RenameJob.h"

#include <sys/stat.h>

#include <cerrno>

#include <cstdint>
#include <memory>
#include <random>
#include <set>
#include <tuple>
#include <utility>

#include "imaging/Files.h"
#include "imaging/NoReplaceRename.h"
#include "imaging/PictureChecks.h"
#include "jobs/JobChecks.h"
#include "jobs/JobTexts.h"

namespace quillane {

namespace {

namespace fs = std::filesystem;

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

TRenameBatch::TRenameBatch(TRenameFields fields, TSeedSource seeds)
    : fields_(std::move(fields)), seeds_(std::move(seeds))
{
}

namespace {

// What one rename run remembers: its random tags and the names it gave, the folder
// known by device and inode, so a folder reached again under another path still knows
// them.
struct TRenameState {
    std::mt19937 Generator;
    std::set<TNameKey> Given;
};

}  // namespace

std::optional<TJobPlan> TRenameBatch::Check(TJobHost& host, const TSourceList& sources)
{
    if (!CheckListNotEmpty(host, sources, kNoFilesToRename)) {
        return std::nullopt;
    }
    TJobPlan plan;
    plan.Page = TJobPage::jpRename;
    plan.Sources = sources;
    plan.KeepsEarlierResults = true;
    plan.OneAtATime = true;
    plan.RefreshesList = true;
    plan.ClosingMessage = kProcessingFinished;
    plan.Rule.SuccessText = kRenamed;
    plan.Rule.FailureText = kNotRenamed;
    plan.Rule.AsksOverwrite = false;
    plan.Rule.JournalsRenames = true;
    const auto state = std::make_shared<TRenameState>(TRenameState{std::mt19937(seeds_()), {}});
    plan.Rule.PassesOver = [state](const fs::path& file) {
        const auto key = NameKey(file);
        return key && state->Given.contains(*key);  // a name this run gave; its file has had its turn
    };
    plan.Rule.TargetFor = [state, fields = fields_](const fs::path& file, const std::string&, std::size_t number) {
        const std::string tag = fields.Mode == rmRandom ? RandomThreeChars(state->Generator) : std::to_string(number);
        return RenamedPath(file, fields.Prefix, tag);
    };
    // A prefix holding a "/" would move the file elsewhere: that rename fails.
    plan.Rule.Settled = [](const fs::path& file, const fs::path& target) -> std::optional<TOutcome> {
        if (target.parent_path() != file.parent_path()) {
            return TOutcome::Failure(TReason::rsBadName);
        }
        return std::nullopt;
    };
    plan.Rule.Routine = [state](const fs::path& from, const fs::path& to) {
        return TRoutineCall{"RenameNoReplace", {{"to", to.filename().string()}}, [state, from, to](bool) {
                                const auto given = NameKey(to);
                                if (!RenameNoReplace(from, to)) {
                                    return RenameFailure(errno);
                                }
                                if (given) {
                                    state->Given.insert(*given);
                                }
                                return TOutcome::Success();
                            }};
    };
    return plan;
}

}  // namespace quillane
