#include "jobs/RunJournal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <system_error>

#include "imaging/NoReplaceRename.h"

namespace quillane {

namespace fs = std::filesystem;

namespace {

constexpr const char* kMagic = "quillane-journal 1";
constexpr std::size_t kJournalsKept = 20;

const std::array<std::pair<TJobPage, const char*>, 7> kJobKeys{{
    {TJobPage::jpPercent, "percent"},
    {TJobPage::jpPixel, "pixel"},
    {TJobPage::jpWOrH, "side"},
    {TJobPage::jpRename, "rename"},
    {TJobPage::jpConvert, "convert"},
    {TJobPage::jpCrop, "crop"},
    {TJobPage::jpWatermark, "watermark"},
}};

// A field of a journal line: tabs, line breaks, other control bytes and the backslash
// escaped, so one line is one record whatever a file is called.
std::string Escaped(const std::string& text)
{
    static const char* const kHex = "0123456789abcdef";
    std::string out;
    for (const unsigned char c : text) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c < 0x20 || c == 0x7F) {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string Unescaped(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\') {
            out += '\\';
            ++i;
        } else if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x') {
            out += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '\t');) {
        fields.push_back(Unescaped(field));
    }
    return fields;
}

std::string Line(std::initializer_list<std::string> fields)
{
    std::string line;
    for (const std::string& field : fields) {
        line += (line.empty() ? "" : "\t") + Escaped(field);
    }
    return line + '\n';
}

std::string IdentityText(const TFileIdentity& identity)
{
    return std::to_string(identity.Device) + ":" + std::to_string(identity.Inode) + ":" +
           std::to_string(identity.Size) + ":" + std::to_string(identity.ModifiedNs);
}

TFileIdentity ParseIdentity(const std::string& text)
{
    TFileIdentity identity;
    std::istringstream in(text);
    char colon = 0;
    in >> identity.Device >> colon >> identity.Inode >> colon >> identity.Size >> colon >> identity.ModifiedNs;
    return identity;
}

std::string JournalName()
{
    static std::atomic<unsigned> counter{0};
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return std::string(stamp) + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".journal";
}

std::vector<fs::path> JournalFiles()
{
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::directory_iterator it(JournalFolder(), error), end; !error && it != end; it.increment(error)) {
        if (it->path().extension() == ".journal") {
            files.push_back(it->path());
        }
    }
    std::sort(files.begin(), files.end());  // names begin with their time
    return files;
}

// Room for one more: the oldest journals go, leaving the newest kJournalsKept - 1.
void PruneJournals()
{
    std::vector<fs::path> files = JournalFiles();
    while (files.size() >= kJournalsKept) {
        std::error_code error;
        fs::remove(files.front(), error);
        files.erase(files.begin());
    }
}

bool AppendLine(const fs::path& file, const std::string& line)
{
    const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool written = ::write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    return ::close(fd) == 0 && written;
}

TOutcome UndoRename(const TJournalStep& step)
{
    if (IdentityOf(step.NewName) != std::optional(step.Left)) {
        // Written down before it was done: a rename that failed, or that a killed run
        // never got to, left the file where it was.
        const bool neverDone = IdentityOf(step.Path) == std::optional(step.Left);
        return neverDone ? TOutcome::Success() : TOutcome::Failure(TReason::rsChangedSince);
    }
    if (!RenameNoReplace(step.NewName, step.Path)) {
        return errno == EEXIST ? TOutcome::Failure(TReason::rsTargetExists)
                               : TOutcome::Failure(TReason::rsCannotRename, SystemErrorText(errno));
    }
    return TOutcome::Success();
}

TOutcome UndoReplace(const TJournalStep& step)
{
    const std::optional<TFileIdentity> now = IdentityOf(step.Path);
    if (now && *now != step.Left) {
        return TOutcome::Failure(TReason::rsChangedSince);
    }
    return RestoreFromTrash(step.Trash, step.Path);
}

}  // namespace

std::optional<TFileIdentity> IdentityOf(const fs::path& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return TFileIdentity{info.st_dev, info.st_ino, static_cast<std::uintmax_t>(info.st_size),
                         static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

fs::path JournalFolder()
{
    return DataHome() / "quillane" / "runs";
}

TRunJournal::TRunJournal(TJobPage page, fs::path folder) : page_(page), folder_(std::move(folder)) {}

TRunJournal::~TRunJournal()
{
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

void TRunJournal::RecordRename(const fs::path& from, const fs::path& to)
{
    const auto left = IdentityOf(from);  // a rename keeps the file's identity
    Append(Line({"rename", from.string(), to.string(), IdentityText(left.value_or(TFileIdentity{}))}));
}

void TRunJournal::RecordReplace(const fs::path& path, const TTrashEntry& trash)
{
    const auto left = IdentityOf(path);
    Append(Line({"replace", path.string(), trash.File.string(), trash.Info.string(),
                 IdentityText(left.value_or(TFileIdentity{}))}));
}

// One write per step, in append mode: a killed run's journal ends with its last whole
// step.
void TRunJournal::Append(const std::string& line)
{
    const std::lock_guard lock(mutex_);
    if (!Open()) {
        return;
    }
    if (::write(fd_, line.data(), line.size()) != static_cast<ssize_t>(line.size())) {
        failed_ = true;
    }
}

bool TRunJournal::Open()
{
    if (fd_ >= 0 || failed_) {
        return fd_ >= 0;
    }
    std::error_code error;
    fs::create_directories(JournalFolder(), error);
    PruneJournals();
    const fs::path file = JournalFolder() / JournalName();
    fd_ = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600);
    const char* job = "rename";
    for (const auto& [page, key] : kJobKeys) {
        job = page == page_ ? key : job;
    }
    const std::string header = std::string(kMagic) + '\n' + Line({"time", LocalTimestamp()}) + Line({"job", job}) +
                               Line({"folder", folder_.string()});
    failed_ = fd_ < 0 || ::write(fd_, header.data(), header.size()) != static_cast<ssize_t>(header.size());
    return !failed_;
}

std::optional<TJournalRun> ReadJournal(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string line;
    if (!std::getline(in, line) || line != kMagic) {
        return std::nullopt;
    }
    TJournalRun run;
    run.File = file;
    run.Id = file.stem().string();
    while (std::getline(in, line)) {
        const std::vector<std::string> f = Fields(line);
        if (f.size() == 2 && f[0] == "time") {
            run.Time = f[1];
        } else if (f.size() == 2 && f[0] == "job") {
            for (const auto& [page, key] : kJobKeys) {
                run.Page = f[1] == key ? page : run.Page;
            }
        } else if (f.size() == 2 && f[0] == "folder") {
            run.Folder = f[1];
        } else if (f.size() == 4 && f[0] == "rename") {
            run.Steps.push_back({TJournalStep::jsRename, f[1], f[2], {}, ParseIdentity(f[3])});
        } else if (f.size() == 5 && f[0] == "replace") {
            run.Steps.push_back({TJournalStep::jsReplace, f[1], {}, {f[2], f[3]}, ParseIdentity(f[4])});
        } else if (!f.empty() && f[0] == "undone") {
            run.Undone = true;
        }
    }
    return run;
}

std::vector<TJournalRun> ReadJournals()
{
    std::vector<TJournalRun> runs;
    const std::vector<fs::path> files = JournalFiles();
    for (auto it = files.rbegin(); it != files.rend(); ++it) {
        if (auto run = ReadJournal(*it)) {
            runs.push_back(std::move(*run));
        }
    }
    return runs;
}

std::optional<TJournalRun> LastUndoableRun()
{
    for (TJournalRun& run : ReadJournals()) {
        if (!run.Undone && !run.Steps.empty()) {
            return std::move(run);
        }
    }
    return std::nullopt;
}

std::string UndoCaption(const TJournalRun& run, const TTextLookup& text)
{
    const TEngineText& job = UndoJobWord(run.Page);
    return FilledPattern(text("UndoCaption", kUndoCaptionPattern),
                         {text(job.Id, job.Chinese), run.Folder.string(), std::to_string(run.Steps.size())});
}

std::string UndoSummary(std::size_t restored, std::size_t skipped, const TTextLookup& text)
{
    return FilledPattern(text("UndoSummary", kUndoSummaryPattern), {std::to_string(restored), std::to_string(skipped)});
}

std::vector<TUndoneStep> UndoRun(const TJournalRun& run)
{
    std::vector<TUndoneStep> undone;
    for (auto step = run.Steps.rbegin(); step != run.Steps.rend(); ++step) {
        const TOutcome result = step->Kind == TJournalStep::jsRename ? UndoRename(*step) : UndoReplace(*step);
        undone.push_back({step->Path, result});
    }
    AppendLine(run.File, Line({"undone", LocalTimestamp()}));
    return undone;
}

}  // namespace quillane
