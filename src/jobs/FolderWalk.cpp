#include "jobs/FolderWalk.h"

#include <sys/stat.h>

#include <system_error>

#include "jobs/JobTexts.h"
#include "jobs/OutputRule.h"
#include "jobs/TypeFilter.h"

namespace quillane {

namespace {

namespace fs = std::filesystem;

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::size_t FindIgnoringCase(const std::string& text, const std::string& part)
{
    if (part.empty() || part.size() > text.size()) {
        return part.empty() ? 0 : std::string::npos;
    }
    for (std::size_t at = 0; at + part.size() <= text.size(); ++at) {
        std::size_t i = 0;
        while (i < part.size() && AsciiLower(text[at + i]) == AsciiLower(part[i])) {
            ++i;
        }
        if (i == part.size()) {
            return at;
        }
    }
    return std::string::npos;
}

// The entries of a folder as one listing; an unreadable folder yields none.
std::vector<fs::directory_entry> ListFolder(const std::string& folder)
{
    std::vector<fs::directory_entry> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        entries.push_back(*it);
    }
    return entries;
}

std::optional<std::pair<std::uintmax_t, std::uintmax_t>> FolderIdentity(const std::string& folder)
{
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return std::pair<std::uintmax_t, std::uintmax_t>(info.st_dev, info.st_ino);
}

// Whether `outer` is `inner` or one of its parents, on the path as given or as its
// links resolve; a missing `outer` holds nothing.
bool HoldsFolder(const std::string& outer, const std::string& inner)
{
    const auto outerIdentity = FolderIdentity(outer);
    if (!outerIdentity) {
        return false;
    }
    std::error_code error;
    const fs::path resolved = fs::canonical(inner, error);
    for (const fs::path& start : {fs::absolute(inner, error).lexically_normal(), resolved}) {
        for (fs::path at = start; !at.empty(); at = at.parent_path()) {
            if (FolderIdentity(at.string()) == outerIdentity) {
                return true;
            }
            if (at == at.parent_path()) {
                break;
            }
        }
    }
    return false;
}

// The folder and its parents that do not exist yet, deepest first.
std::vector<fs::path> MissingFolders(const fs::path& folder)
{
    std::vector<fs::path> missing;
    std::error_code error;
    for (fs::path at = folder; !at.empty() && !fs::exists(at, error); at = at.parent_path()) {
        missing.push_back(at);
        if (at == at.parent_path()) {
            break;
        }
    }
    return missing;
}

}  // namespace

int ClassifyEntry(const fs::directory_entry& entry)
{
    const std::string name = entry.path().filename().string();
    if (name == "." || name == "..") {
        return ecOther;
    }
    std::error_code error;
    const auto status = fs::status(entry.path(), error);  // follows links
    if (fs::is_directory(status)) {
        return ecFolder;
    }
    if (fs::is_regular_file(status)) {
        return ecFile;
    }
    // A link whose target is gone (or that loops) is listed like a file, so its job
    // reports it as a failure rather than passing over it in silence.
    return !fs::exists(status) && fs::is_symlink(entry.symlink_status(error)) ? ecFile : ecOther;
}

std::string MirrorFolder(const std::string& folder, const std::string& sourceRoot, const std::string& targetRoot)
{
    const std::size_t at = FindIgnoringCase(folder, sourceRoot);
    if (at == std::string::npos) {
        return folder;
    }
    std::string mirrored = folder;
    mirrored.replace(at, sourceRoot.size(), targetRoot);
    return mirrored;
}

TFolderWalk::TFolderWalk(TRunContext& context, const std::string& sourceRoot, std::optional<std::string> targetRoot,
                         TEachFile eachFile)
    : context_(context),
      sourceRoot_(WithTrailingSlash(sourceRoot)),
      targetRoot_(targetRoot ? std::optional(WithTrailingSlash(*targetRoot)) : std::nullopt),
      eachFile_(std::move(eachFile)),
      // An output folder holding the source folder is walked as before: skipping it
      // would skip every source.
      skipsOutput_(targetRoot_ && !HoldsFolder(*targetRoot_, sourceRoot_))
{
}

void TFolderWalk::Walk(const std::string& folderText)
{
    const std::string folder = WithTrailingSlash(folderText);
    if (!EnterOnce(folder)) {
        return;
    }
    const std::vector<std::string> subFolders = ListSubFolders(folder);
    ProcessFiles(folder);
    for (const std::string& subFolder : subFolders) {
        if (context_.Host.StopRequested()) {
            return;
        }
        Walk(subFolder);
    }
}

// A linked folder is entered, but never the same folder twice: link loops end.
bool TFolderWalk::EnterOnce(const std::string& folder)
{
    const auto identity = FolderIdentity(folder);
    if (!identity || context_.MadeFolders.contains(*identity) || IsSkippedOutput(folder)) {
        return false;
    }
    return entered_.insert(*identity).second;
}

// The output folder holds the results of this run and of earlier ones; walking it
// would make results of results. It may appear during the run, so it is looked up
// each time.
bool TFolderWalk::IsSkippedOutput(const std::string& folder) const
{
    return skipsOutput_ && HoldsFolder(*targetRoot_, folder);
}

std::vector<std::string> TFolderWalk::ListSubFolders(const std::string& folder) const
{
    std::vector<std::string> subFolders;
    for (const fs::directory_entry& entry : ListFolder(folder)) {
        if (ClassifyEntry(entry) == ecFolder) {
            subFolders.push_back(folder + entry.path().filename().string());
        }
    }
    return subFolders;
}

// The listing is taken whole before any file is written, so results that land in
// the walked folder itself are never taken up again as sources.
void TFolderWalk::ProcessFiles(const std::string& folder)
{
    // Earlier files of the run that write into this folder are written before it is
    // listed, as they would be one at a time.
    context_.Executor.SettleFolder(folder);
    for (const fs::directory_entry& entry : ListFolder(folder)) {
        if (context_.Host.StopRequested()) {
            return;
        }
        const std::string name = entry.path().filename().string();
        if (ClassifyEntry(entry) != ecFile || !MatchesCheckedType(name, context_.CheckedTypes)) {
            continue;
        }
        eachFile_(folder + name, TargetFolderFor(folder));
    }
}

// Made on demand, with all missing parents (not in a rehearsal); a failure is reported
// and the file still goes to its routine, which then fails on it.
std::string TFolderWalk::TargetFolderFor(const std::string& folder)
{
    if (!targetRoot_) {
        return {};
    }
    const std::string target = MirrorFolder(folder, sourceRoot_, *targetRoot_);
    std::error_code error;
    if (!context_.Rehearsal && !fs::is_directory(target, error)) {
        const std::vector<fs::path> missing = MissingFolders(fs::path(target).parent_path());
        fs::create_directories(target, error);
        if (!fs::is_directory(target, error)) {
            context_.Host.ShowMessage(kCannotMakeFolder + target, TMessageStyle::msInformationOk);
        }
        RememberMadeFolders(missing);
    }
    return target;
}

void TFolderWalk::RememberMadeFolders(const std::vector<fs::path>& folders)
{
    for (const fs::path& folder : folders) {
        if (const auto identity = FolderIdentity(folder.string())) {
            context_.MadeFolders.insert(*identity);
        }
    }
}

}  // namespace quillane
