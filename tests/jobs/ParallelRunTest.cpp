// Runs with several routine workers mean exactly what one-at-a-time runs mean: the
// same lines in the same order, the same prompts and answers, the same files, also
// where a file of the run writes what a later file reads, lists or is prompted for.
#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "TempFolder.h"
#include "imaging/DiskWait.h"
#include "imaging/RoutineThreads.h"
#include "jobs/ConvertJob.h"
#include "jobs/EngineTestFiles.h"
#include "jobs/ParallelExecutor.h"
#include "jobs/ScriptedHost.h"
#include "jobs/StaggeredRoutine.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const int kToGif = 2;  // the type box's "GIF格式文件(*.gif)"
const std::string kConverted = "类型转换成功！";
const std::string kNotConverted = "没有进行类型转换！";

class TWorkersHost : public TScriptedHost {
public:
    std::size_t Workers = 1;
    std::vector<std::string> Progress;
    std::vector<std::string> Transcript;  // lines and questions as they came
    std::size_t RoutineWorkers() override { return Workers; }
    void AppendResult(TJobPage page, const std::string& line) override
    {
        Transcript.push_back(line);
        TScriptedHost::AppendResult(page, line);
    }
    TOverwriteAnswer ShowOverwritePrompt(const fs::path& target) override
    {
        Transcript.push_back("? " + target.string());
        return TScriptedHost::ShowOverwritePrompt(target);
    }
    void ReportProgress(const TProgress& progress) override
    {
        Progress.push_back(std::to_string(progress.FilesDone) + "/" +
                           (progress.FilesTotal ? std::to_string(*progress.FilesTotal) : "?") + " " +
                           progress.CurrentFile.string());
    }
};

// One run over a folder the test fills in.
struct TScenario {
    std::function<void(const fs::path& root)> Make;
    std::string SavePath = "out";  // below the root
    std::string Affix;
    bool SubFolders = false;
    std::deque<TOverwriteAnswer> Answers;
    std::function<void(TStaggeredRoutine&)> Stagger;  // only for the parallel run
    std::function<void(TStaggeredRoutine&, TJobHost&)> Interfere;
};

// What a user sees of a run, with the run's own folder cut out of every path.
struct TRunRecord {
    std::vector<std::string> Lines;
    std::vector<std::string> Prompts;
    std::vector<std::string> Messages;
    std::vector<std::string> Progress;
    std::vector<std::string> Transcript;
    std::vector<std::string> StopLines;
    std::map<std::string, std::string> Files;
    std::size_t Succeeded = 0;
    std::size_t Failed = 0;
    bool Stopped = false;
    bool operator==(const TRunRecord&) const = default;
};

std::string Relative(std::string text, const fs::path& root)
{
    const std::string prefix = root.string() + "/";
    for (std::size_t at = text.find(prefix); at != std::string::npos; at = text.find(prefix)) {
        text.erase(at, prefix.size());
    }
    return text;
}

std::map<std::string, std::string> FilesBelow(const fs::path& root)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files[Relative(entry.path().string(), root)] = Relative(Slurp(entry.path()), root);
        }
    }
    return files;
}

class ParallelRun : public ::testing::Test {
protected:
    void ExpectAThrowFailsOnlyItsFile(std::size_t workers);

    TRunRecord Run(const TScenario& scenario, std::size_t workers)
    {
        TTempFolder folder;
        scenario.Make(folder.Path());
        TWorkersHost host;
        host.Workers = workers;
        host.ShowFolder(folder / "src", scenario.SubFolders);
        host.OverwriteAnswers = scenario.Answers;
        TStaggeredRoutine& routine = workers > 1 ? parallel_ : sequential_;
        host.OnResult = [&routine](const std::string&) { ++routine.Logged; };
        if (workers > 1 && scenario.Stagger) {
            scenario.Stagger(routine);
        }
        if (scenario.Interfere) {
            scenario.Interfere(routine, host);
        }
        const std::string save = (folder.Path() / scenario.SavePath).string();
        const auto outcome =
            ClickStart(host, TConvertBatch(TConvertFields{kToGif, save, scenario.Affix, 0}, routine.Routine()));
        EXPECT_TRUE(outcome.has_value());
        return Record(host, outcome.value_or(TRunOutcome{}), folder.Path());
    }

    // The same run one at a time and with `workers`, which must agree in everything.
    TRunRecord RunBothWays(const TScenario& scenario, std::size_t workers = 3)
    {
        const TRunRecord oneAtATime = Run(scenario, 1);
        const TRunRecord parallel = Run(scenario, workers);
        EXPECT_EQ(parallel.Lines, oneAtATime.Lines);
        EXPECT_EQ(parallel.Prompts, oneAtATime.Prompts);
        EXPECT_EQ(parallel.Messages, oneAtATime.Messages);
        EXPECT_EQ(parallel.Files, oneAtATime.Files);
        EXPECT_EQ(parallel.Progress, oneAtATime.Progress);
        EXPECT_EQ(parallel.Transcript, oneAtATime.Transcript);
        EXPECT_EQ(parallel, oneAtATime);
        return oneAtATime;
    }

    static TRunRecord Record(const TWorkersHost& host, const TRunOutcome& outcome, const fs::path& root)
    {
        TRunRecord record;
        for (const std::string& line : host.Lines) {
            record.Lines.push_back(Relative(line, root));
        }
        record.StopLines = host.StopLines;
        for (const fs::path& prompt : host.Prompts) {
            record.Prompts.push_back(Relative(prompt.string(), root));
        }
        for (const TShownMessage& message : host.Messages) {
            record.Messages.push_back(Relative(message.Text, root));
        }
        for (const std::string& entry : host.Transcript) {
            record.Transcript.push_back(Relative(entry, root));
        }
        for (const std::string& progress : host.Progress) {
            record.Progress.push_back(Relative(progress, root));
        }
        record.Files = FilesBelow(root);
        record.Succeeded = outcome.Succeeded;
        record.Failed = outcome.Failed;
        record.Stopped = outcome.Stopped;
        return record;
    }

    static std::string Name(int index) { return (index < 10 ? "p0" : "p") + std::to_string(index); }

    static void MakeSources(const fs::path& folder, int count)
    {
        for (int i = 0; i < count; ++i) {
            Touch(folder / (Name(i) + ".png"), Name(i));
        }
    }

    TStaggeredRoutine sequential_;
    TStaggeredRoutine parallel_;
};

TEST_F(ParallelRun, LogsLinesInStepOrderWhileRoutinesFinishOutOfOrder)
{
    TScenario scenario;
    scenario.Make = [](const fs::path& root) {
        MakeSources(root / "src", 12);
        fs::create_directories(root / "out");
    };
    scenario.Stagger = [](TStaggeredRoutine& routine) { routine.HoldUntilOthersFinish("p00.png", 3); };
    const TRunRecord record = RunBothWays(scenario);

    ASSERT_EQ(record.Lines.size(), 12u);
    EXPECT_EQ(record.Lines.front(), "src/p00.png" + kConverted);
    EXPECT_EQ(record.Lines.back(), "src/p11.png" + kConverted);
    EXPECT_EQ(record.Files.at("out/p00.gif"), "p00>p00.gif");
    EXPECT_EQ(record.Progress.at(2), "2/12 src/p02.png");
    EXPECT_EQ(record.Progress.back(), "12/12 ");
    // The parallel run really did finish its files in another order, several at once.
    ASSERT_FALSE(parallel_.FinishOrder().empty());
    EXPECT_NE(parallel_.FinishOrder().front(), "p00.png");
    EXPECT_GE(parallel_.MaxConcurrent(), 2u);
    EXPECT_EQ(sequential_.MaxConcurrent(), 1u);
}

TEST_F(ParallelRun, KeepsABoundedNumberOfFilesInFlightAlsoInAWalk)
{
    TScenario scenario;
    scenario.SubFolders = true;
    scenario.Make = [](const fs::path& root) {
        MakeSources(root / "src" / "big", 40);
        fs::create_directories(root / "out");
    };
    scenario.Stagger = [](TStaggeredRoutine& routine) {
        routine.Delay("p00.png", 20ms);
        routine.Delay("p17.png", 10ms);
    };
    const TRunRecord record = RunBothWays(scenario, 2);

    EXPECT_EQ(record.Lines.size(), 40u);
    EXPECT_EQ(record.Files.count("out/big/p39.gif"), 1u);
    EXPECT_LE(parallel_.MaxConcurrent(), 2u);
    // Never more than eight steps a worker submitted and not yet logged: a big folder
    // is not read ahead.
    EXPECT_LE(parallel_.MaxUnlogged(), 16u);
    EXPECT_GE(parallel_.MaxUnlogged(), 2u);
}

struct TPromptCase {
    const char* Name;
    std::deque<TOverwriteAnswer> Answers;
    std::size_t Prompts;
};

void PrintTo(const TPromptCase& promptCase, std::ostream* out)
{
    *out << promptCase.Name;
}

class ParallelPrompts : public ParallelRun, public ::testing::WithParamInterface<TPromptCase> {};

TEST_P(ParallelPrompts, AreAskedInTheSameOrderWithTheSameAnswers)
{
    TScenario scenario;
    scenario.Make = [](const fs::path& root) {
        MakeSources(root / "src", 10);
        for (int i : {1, 3, 4, 7, 9}) {
            Touch(root / "out" / (Name(i) + ".gif"), "old");
        }
    };
    scenario.Answers = GetParam().Answers;
    scenario.Stagger = [](TStaggeredRoutine& routine) {
        routine.Delay("p00.png", 15ms);
        routine.Delay("p02.png", 10ms);
    };
    const TRunRecord record = RunBothWays(scenario);
    EXPECT_EQ(record.Prompts.size(), GetParam().Prompts);
    EXPECT_EQ(record.Prompts.front(), "out/p01.gif");
    // A question comes after the lines of every file before it.
    EXPECT_EQ(record.Transcript.at(1), "? out/p01.gif");
}

INSTANTIATE_TEST_SUITE_P(Answers, ParallelPrompts,
                         ::testing::Values(TPromptCase{"YesToEach", {}, 5},
                                           TPromptCase{"NoThenYesAndDontAsk", {{false, false}, {true, true}}, 2},
                                           TPromptCase{"NoAndDontAsk", {{false, true}}, 1},
                                           TPromptCase{"YesNoYes", {{true, false}, {false, false}, {true, false}}, 5}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(ParallelRun, ASecondSourceForOneTargetSeesTheFirstsFileAndIsPrompted)
{
    TScenario scenario;
    scenario.Make = [](const fs::path& root) {
        Touch(root / "src" / "a.jpg", "jpeg");
        Touch(root / "src" / "a.png", "png");
        MakeSources(root / "src", 4);
        fs::create_directories(root / "out");
    };
    scenario.Answers = {{false, false}};
    scenario.Stagger = [](TStaggeredRoutine& routine) { routine.Delay("a.jpg", 40ms); };
    const TRunRecord record = RunBothWays(scenario);

    EXPECT_EQ(record.Prompts, (std::vector<std::string>{"out/a.gif"}));
    EXPECT_EQ(record.Files.at("out/a.gif"), "jpeg>a.gif");
    EXPECT_EQ(record.Lines.at(1), "src/a.png" + kNotConverted);
}

TEST_F(ParallelRun, ALaterSourceThatAnEarlierFileWritesIsReadAfterThatWrite)
{
    TScenario scenario;
    scenario.SavePath = "src";
    scenario.Affix = "_s";
    scenario.Make = [](const fs::path& root) {
        Touch(root / "src" / "a.png", "new");
        Touch(root / "src" / "a_s.gif", "old");
    };
    scenario.Stagger = [](TStaggeredRoutine& routine) { routine.Delay("a.png", 40ms); };
    const TRunRecord record = RunBothWays(scenario);

    EXPECT_EQ(record.Files.at("src/a_s.gif"), "new>a_s.gif");
    EXPECT_EQ(record.Files.at("src/a_s_s.gif"), "new>a_s.gif>a_s_s.gif");
}

TEST_F(ParallelRun, AWalkListsAFolderOnlyAfterEarlierWritesIntoIt)
{
    // The save folder is the listed folder, so results land beside their sources; "b"
    // is a link to "a", whose walk lists "a" again after the files of "a" were written
    // and takes them up as sources of its own.
    TScenario scenario;
    scenario.SubFolders = true;
    scenario.SavePath = "src";
    scenario.Affix = "_c";
    scenario.Make = [](const fs::path& root) {
        MakeSources(root / "src" / "a", 6);
        fs::create_directory_symlink("a", root / "src" / "b");
    };
    scenario.Stagger = [](TStaggeredRoutine& routine) {
        for (int i = 0; i < 6; ++i) {
            routine.Delay(Name(i) + ".png", 10ms);
        }
    };
    const TRunRecord record = RunBothWays(scenario);

    EXPECT_EQ(record.Lines.size(), 18u);
    EXPECT_EQ(record.Files.at("src/a/p05_c_c.gif"), "p05>p05_c.gif>p05_c_c.gif");
}

TEST_F(ParallelRun, AStopEndsTheRunAfterTheFilesInFlightAndLogsThemInOrder)
{
    TScenario scenario;
    scenario.Make = [](const fs::path& root) {
        MakeSources(root / "src", 30);
        fs::create_directories(root / "out");
    };
    scenario.Interfere = [](TStaggeredRoutine& routine, TJobHost& host) {
        routine.OnCall = [&host](const fs::path& source) {
            if (source.filename() == "p05.png") {
                host.RequestStop();  // from a worker, as Ctrl+C or the window would
            }
        };
    };
    scenario.Stagger = [](TStaggeredRoutine& routine) { routine.Delay("p03.png", 20ms); };
    const TRunRecord record = Run(scenario, 2);

    EXPECT_TRUE(record.Stopped);
    EXPECT_TRUE(record.Messages.empty()) << "no closing message after a stop";
    ASSERT_GE(record.Lines.size(), 6u);
    // The stopping file and the one the other worker may have started with it; the
    // steps queued behind them never start.
    EXPECT_LE(record.Lines.size(), 6u + 1u);
    const std::size_t done = record.Lines.size();
    EXPECT_EQ(record.StopLines,
              std::vector<std::string>{"已停止：已处理 " + std::to_string(done) + " 个文件，列表中还有 " +
                                       std::to_string(30 - done) + " 项未处理。"});
    std::map<std::string, std::string> written;
    for (std::size_t i = 0; i < record.Lines.size(); ++i) {
        const std::string name = Name(static_cast<int>(i));
        EXPECT_EQ(record.Lines[i], "src/" + name + ".png" + kConverted);
        written["out/" + name + ".gif"] = name + ">" + name + ".gif";
    }
    for (const auto& [path, content] : record.Files) {
        if (path.starts_with("out/")) {
            EXPECT_EQ(written.count(path), 1u) << path << " written without a line";
        }
    }
    EXPECT_EQ(record.Files.size(), 30u + written.size());
}

// One worker or several, a throw inside a routine is that file's failure.
TEST_F(ParallelRun, ARoutineThatThrowsFailsOnlyItsOwnFile)
{
    for (const std::size_t workers : {std::size_t{1}, std::size_t{2}}) {
        SCOPED_TRACE(workers);
        ExpectAThrowFailsOnlyItsFile(workers);
    }
}

void ParallelRun::ExpectAThrowFailsOnlyItsFile(std::size_t workers)
{
    TWorkersHost host;
    host.Workers = workers;
    TTempFolder folder;
    MakeSources(folder / "src", 5);
    host.ShowFolder(folder / "src", false);
    const TConvertRoutine routine = [](const TPath& source, const TPath& target, int, bool) -> TOutcome {
        if (source.filename() == "p02.png") {
            throw std::runtime_error("decoder gave up");
        }
        Touch(target);
        return TOutcome::Success();
    };
    const auto outcome =
        ClickStart(host, TConvertBatch(TConvertFields{kToGif, folder.Path().string(), "", 0}, routine));
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->Succeeded, 4u);
    EXPECT_EQ(outcome->Failed, 1u);
    ASSERT_EQ(host.Lines.size(), 5u);
    EXPECT_EQ(host.Lines[2], (folder / "src" / "p02.png").string() + kNotConverted);
}

TEST(ParallelExecutor, IsChosenOnlyWhenTheHostAsksForMoreThanOneWorker)
{
    TWorkersHost host;
    host.Workers = 1;
    EXPECT_EQ(dynamic_cast<TParallelExecutor*>(MakeStepExecutor(host, TJobPage::jpConvert, 0).get()), nullptr);
    host.Workers = 3;
    const auto executor = MakeStepExecutor(host, TJobPage::jpConvert, 0);
    const auto* parallel = dynamic_cast<TParallelExecutor*>(executor.get());
    ASSERT_NE(parallel, nullptr);
    EXPECT_EQ(parallel->Capacity(), 24u);
}

// The machine's cores are shared out between the workers and the library's own threads.
TEST(ParallelExecutor, GivesEachPictureTheLibraryThreadsOfItsShareOfTheMachine)
{
    TWorkersHost host;
    const auto machine = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    for (const auto& [workers, threads] : {std::pair{1, machine}, {2 * machine, 1}}) {
        const TParallelExecutor executor(host, TJobPage::jpConvert, 0, static_cast<std::size_t>(workers));
        EXPECT_EQ(LibraryThreadsPerPicture(), threads) << workers << " workers";
    }
}

// A step waiting for the disk gives its core to the next step: with one core, the next
// step starts while the first still waits, and the lines keep their order. A step that
// opened a large picture may still hold it, and keeps its core.
TEST(ParallelExecutor, AStepWaitingForTheDiskLetsTheNextOneStartUnlessItHoldsALargePicture)
{
    const struct {
        std::int64_t OpenedPixels;
        bool NextStartsMeanwhile;
    } cases[] = {{64 * 48, true}, {256 * 1024, true}, {256 * 1024 + 1, false}};
    for (const auto& c : cases) {
        std::mutex mutex;
        std::condition_variable secondStarted;
        bool started = false;
        bool overlapped = false;
        TFileStep waiting;
        waiting.Source = "first";
        waiting.Target = "first.gif";
        waiting.Call = [&] {
            NotePictureOpened(c.OpenedPixels);
            BeforeDiskWait();
            std::unique_lock<std::mutex> lock(mutex);
            overlapped = secondStarted.wait_for(lock, c.NextStartsMeanwhile ? 10s : 300ms, [&] { return started; });
            return TOutcome::Success();
        };
        TFileStep next;
        next.Source = "second";
        next.Target = "second.gif";
        next.Call = [&] {
            const std::lock_guard<std::mutex> guard(mutex);
            started = true;
            secondStarted.notify_all();
            return TOutcome::Success();
        };
        TWorkersHost host;
        TParallelExecutor executor(host, TJobPage::jpConvert, 2, 1);
        ASSERT_EQ(executor.Cores(), 1u);
        executor.Submit(std::move(waiting));
        executor.Submit(std::move(next));
        executor.Finish();

        EXPECT_EQ(overlapped, c.NextStartsMeanwhile) << c.OpenedPixels;
        EXPECT_EQ(executor.Outcome().Succeeded, 2u);
        ASSERT_EQ(host.Lines.size(), 2u);
        EXPECT_EQ(host.Lines[0].rfind("first", 0), 0u);
        EXPECT_EQ(host.Lines[1].rfind("second", 0), 0u);
    }
}

}  // namespace
}  // namespace quillane::test
