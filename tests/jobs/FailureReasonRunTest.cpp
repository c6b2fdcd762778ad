// Every failure line of a run comes with its reason, handed to the host right after
// that line, one-at-a-time and with several workers alike; successes come with none.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>

#include "TempFolder.h"
#include "jobs/ConvertJob.h"
#include "jobs/EngineTestFiles.h"
#include "jobs/ReasonTexts.h"
#include "jobs/RenameJob.h"
#include "jobs/ScriptedHost.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;

const int kToGif = 2;
const std::string kNotConverted = "没有进行类型转换！";

class TWorkersHost : public TScriptedHost {
public:
    std::size_t Workers = 1;
    std::size_t RoutineWorkers() override { return Workers; }
};

// Each reported failure names the source of the line logged just before it.
void ExpectEachReasonFollowsItsLine(const TScriptedHost& host)
{
    for (const TReportedFailure& reported : host.Failures) {
        ASSERT_GT(reported.LinesBefore, 0u);
        EXPECT_EQ(host.Lines[reported.LinesBefore - 1], reported.Source.string() + kNotConverted);
    }
}

std::map<std::string, TFailure> FailuresByName(const TScriptedHost& host)
{
    std::map<std::string, TFailure> byName;
    for (const TReportedFailure& reported : host.Failures) {
        byName[reported.Source.filename().string()] = reported.Failure;
    }
    return byName;
}

class FailureReasonRun : public ::testing::TestWithParam<std::size_t> {};

TEST_P(FailureReasonRun, EachFailureLineIsFollowedByItsOwnReason)
{
    TTempFolder folder;
    for (const char* name : {"a.png", "b.png", "c.png", "d.png", "e.png"}) {
        Touch(folder / "src" / name);
    }
    fs::create_directories(folder / "out");
    TWorkersHost host;
    host.Workers = GetParam();
    host.ShowFolder(folder / "src", false);
    // Early files take longest, so with several workers later ones finish first.
    const TConvertRoutine routine = [](const TPath& source, const TPath& target, int, bool) -> TOutcome {
        const std::string name = source.filename().string();
        std::this_thread::sleep_for(std::chrono::milliseconds(name == "a.png" ? 60 : name == "b.png" ? 30 : 0));
        if (name == "a.png") {
            return TOutcome::Failure(TReason::rsDamaged, "jpegload: premature end");
        }
        if (name == "c.png") {
            throw std::runtime_error("decoder gave up");
        }
        if (name == "d.png") {
            return TOutcome::Failure(TReason::rsTooLarge);
        }
        Touch(target);
        return TOutcome::Success();
    };

    ASSERT_TRUE(ClickStart(host, TConvertBatch(TConvertFields{kToGif, (folder / "out").string(), "", 0}, routine)));

    ASSERT_EQ(host.Lines.size(), 5u);
    ASSERT_EQ(host.Failures.size(), 3u);
    ExpectEachReasonFollowsItsLine(host);
    auto failures = FailuresByName(host);
    EXPECT_EQ(failures["a.png"].Reason, TReason::rsDamaged);
    EXPECT_EQ(failures["a.png"].Detail, "jpegload: premature end");
    EXPECT_EQ(failures["c.png"].Reason, TReason::rsUnexpected);
    EXPECT_EQ(failures["c.png"].Detail, "decoder gave up");
    EXPECT_EQ(failures["d.png"].Reason, TReason::rsTooLarge);
    EXPECT_FALSE(failures.contains("b.png"));
    EXPECT_FALSE(failures.contains("e.png"));
}

INSTANTIATE_TEST_SUITE_P(Workers, FailureReasonRun, ::testing::Values(1u, 3u));

// Steps that fail before any routine is called still say why.
TEST(FailureReasonWithoutCall, ItemsThatAreNoFileAndNamesThatLeaveTheirFolder)
{
    TTempFolder folder;
    Touch(folder / "src" / "kept.png");
    ASSERT_EQ(::mkfifo((folder / "src" / "pipe.png").c_str(), 0600), 0);
    fs::create_directories(folder / "out");
    TScriptedHost host;
    host.Root = folder / "src";
    host.Items = {{folder / "src" / "gone.png", false}, {folder / "src" / "pipe.png", false}};
    int calls = 0;
    const TConvertRoutine routine = [&calls](const TPath&, const TPath&, int, bool) {
        ++calls;
        return TOutcome::Success();
    };
    ASSERT_TRUE(ClickStart(host, TConvertBatch(TConvertFields{kToGif, (folder / "out").string(), "", 0}, routine)));
    EXPECT_EQ(calls, 0);
    ExpectEachReasonFollowsItsLine(host);
    auto failures = FailuresByName(host);
    EXPECT_EQ(failures["gone.png"].Reason, TReason::rsSourceMissing);
    EXPECT_EQ(failures["pipe.png"].Reason, TReason::rsNotRegularFile);

    TScriptedHost renaming;
    renaming.Root = folder / "src";
    renaming.Items = {{folder / "src" / "kept.png", false}};
    ASSERT_TRUE(ClickStart(renaming, TRenameBatch(TRenameFields{"sub/x", rmNumber})));
    ASSERT_EQ(renaming.Failures.size(), 1u);
    EXPECT_EQ(renaming.Failures[0].Failure.Reason, TReason::rsBadName);
    EXPECT_TRUE(fs::exists(folder / "src" / "kept.png"));
}

TEST(FailureReasonWithoutCall, ARenameOntoATakenNameSaysTheNameIsTaken)
{
    TTempFolder folder;
    Touch(folder / "src" / "b.png", "b");
    Touch(folder / "src" / "x0.png", "taken");
    TScriptedHost host;
    host.Root = folder / "src";
    host.Items = {{folder / "src" / "b.png", false}};
    ASSERT_TRUE(ClickStart(host, TRenameBatch(TRenameFields{"x", rmNumber})));
    ASSERT_EQ(host.Failures.size(), 1u);
    EXPECT_EQ(host.Failures[0].Failure.Reason, TReason::rsTargetExists);
    EXPECT_EQ(Slurp(folder / "src" / "x0.png"), "taken");
}

// The texts the hosts show: one per reason, each its own, on one line.
TEST(ReasonTexts, EveryReasonHasItsOwnTextAndADetailStaysOnOneLine)
{
    std::set<std::string> texts;
    for (int id = static_cast<int>(TReason::rsNone); id <= static_cast<int>(TReason::rsUnexpected); ++id) {
        const std::string text = ReasonText(static_cast<TReason>(id));
        EXPECT_FALSE(text.empty()) << id;
        EXPECT_TRUE(texts.insert(text).second) << "shared text: " << text;
    }
    EXPECT_EQ(FailureText({TReason::rsDamaged, ""}), "文件已损坏，无法解码");
    EXPECT_EQ(FailureText({TReason::rsDamaged, "VipsJpeg: Premature end\njpegload: read error\n"}),
              "文件已损坏，无法解码（VipsJpeg: Premature end jpegload: read error）");
    EXPECT_EQ(FailureText({TReason::rsCannotWrite, "\x1b[2J"}), "无法写入目标文件（[2J）");
}

}  // namespace
}  // namespace quillane::test
