#include "jobs/RenameJob.h"

#include <sys/stat.h>

#include <cerrno>

#include <cstdint>
#include <memory>
#include <random>
#include <set>
#include <tuple>
#include <utility>

#include "imaging/CaptureTime.h"
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

fs::path RenamedPath(const fs::path& file, const std::string& stem)
{
    return file.parent_path() / (stem + ExtractExtension(file.filename()));
}

std::string NumberTag(std::size_t number, int pad)
{
    const std::string digits = std::to_string(number);
    const std::size_t width = pad > 0 ? static_cast<std::size_t>(pad) : 0;
    return digits.size() < width ? std::string(width - digits.size(), '0') + digits : digits;
}

std::string ExpandPattern(const std::string& pattern, const std::string& tag, const std::tm& captured)
{
    std::string stem;
    for (std::size_t at = 0; at < pattern.size();) {
        const std::size_t close = pattern[at] == '{' ? pattern.find('}', at) : std::string::npos;
        const std::string field = close == std::string::npos ? std::string() : pattern.substr(at + 1, close - at - 1);
        if (field == "n") {
            stem += tag;
        } else if (field == "date" || field.rfind("date:", 0) == 0) {
            const std::string format = field == "date" ? "%Y%m%d" : field.substr(5);
            char text[256];
            const std::size_t length = std::strftime(text, sizeof text, format.c_str(), &captured);
            stem.append(text, length);
        } else {
            stem += close == std::string::npos ? pattern.substr(at, 1) : "{" + field + "}";
        }
        at = close == std::string::npos ? at + 1 : close + 1;
    }
    return stem;
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
    std::set<fs::path> NamedByFileTime;  // pictures that recorded no capture time
};

std::tm FileTime(const fs::path& file)
{
    struct stat info {};
    std::tm local{};
    if (::stat(file.c_str(), &info) == 0) {
        ::localtime_r(&info.st_mtim.tv_sec, &local);
    }
    return local;
}

// The new stem of one file: prefix + tag, or the pattern with the tag and the
// picture's capture time put in (its file's time where it records none).
std::string NewStem(const TRenameFields& fields, TRenameState& state, const fs::path& file, std::size_t number)
{
    const std::string tag = fields.Mode == rmRandom ? RandomThreeChars(state.Generator) : NumberTag(number, fields.Pad);
    if (fields.Pattern.empty()) {
        return fields.Prefix + tag;
    }
    std::tm captured{};
    if (fields.Pattern.find("{date") != std::string::npos) {
        const std::optional<std::tm> recorded = CaptureTime(file);
        if (!recorded) {
            state.NamedByFileTime.insert(file);
        }
        captured = recorded ? *recorded : FileTime(file);
    }
    return ExpandPattern(fields.Pattern, tag, captured);
}

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
    const auto state = std::make_shared<TRenameState>(TRenameState{std::mt19937(seeds_()), {}, {}});
    plan.Rule.PassesOver = [state](const fs::path& file) {
        const auto key = NameKey(file);
        return key && state->Given.contains(*key);  // a name this run gave; its file has had its turn
    };
    plan.Rule.TargetFor = [state, fields = fields_](const fs::path& file, const std::string&, std::size_t number) {
        return RenamedPath(file, NewStem(fields, *state, file, number));
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
                                return state->NamedByFileTime.contains(from)
                                           ? TOutcome::SuccessNoting(TReason::rsDateFromFileTime)
                                           : TOutcome::Success();
                            }};
    };
    return plan;
}

}  // namespace quillane
