// Undo: a run that renames files or writes over its own sources can be taken back,
// through its journal and the desktop's Trash.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "TempFolder.h"
#include "imaging/AtomicFile.h"
#include "jobs/CropJob.h"
#include "jobs/EngineTestFiles.h"
#include "jobs/RenameJob.h"
#include "jobs/RunJournal.h"
#include "jobs/ScriptedHost.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;

using TTree = std::map<std::string, std::string>;  // file name → content

class Undo : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("XDG_DATA_HOME", (folder_ / "data").c_str(), 1);  // journals and the home trash
        for (const auto& [name, content] : kPictures) {
            Touch(source_ / name, content);
        }
        host_.ShowFolder(source_, false);
    }
    TTree Tree() const
    {
        TTree tree;
        for (const auto& entry : fs::directory_iterator(source_)) {
            tree[entry.path().filename().string()] = Slurp(entry.path());
        }
        return tree;
    }
    // Stamps every picture in place (output folder = source folder, no affix): the
    // stand-in routine writes new content the way the real ones do, through a
    // temporary file renamed over the target.
    std::optional<TRunOutcome> StampInPlace()
    {
        TCropFields fields;
        fields.SavePath = source_.string();
        fields.Affix = "";
        return ClickStart(host_, TCropBatch(fields, [](const TPath&, const TPath& target, auto...) {
                              TAtomicFile file(target, true);
                              return file.Write("stamped", 7) && file.Commit()
                                         ? TOutcome::Success()
                                         : TOutcome::Failure(TReason::rsCannotWrite);
                          }));
    }
    std::vector<TUndoneStep> UndoLast()
    {
        const std::optional<TJournalRun> run = LastUndoableRun();
        return run ? UndoRun(*run) : std::vector<TUndoneStep>{};
    }

    const TTree kPictures{{"a.jpg", "AAA"}, {"b.png", "BBBB"}, {"c.gif", "C"}};
    TTempFolder folder_;
    fs::path source_ = folder_ / "src";
    TScriptedHost host_;
};

TEST_F(Undo, RenameThenUndoRestoresEveryNameAndByte)
{
    ASSERT_TRUE(ClickStart(host_, TRenameBatch(TRenameFields{"x", rmNumber})));
    ASSERT_EQ(Tree(), (TTree{{"x0.jpg", "AAA"}, {"x1.png", "BBBB"}, {"x2.gif", "C"}}));
    const auto run = LastUndoableRun();
    ASSERT_TRUE(run);
    EXPECT_EQ(UndoCaption(*run), "撤销重命名：" + source_.string() + "，3 个文件");

    const std::vector<TUndoneStep> undone = UndoRun(*run);
    EXPECT_EQ(undone.size(), 3u);
    EXPECT_EQ(Tree(), kPictures);
    EXPECT_FALSE(LastUndoableRun());  // not offered again
}

TEST_F(Undo, AStoppedRunsJournalHoldsWhatItDidAndNoMore)
{
    host_.OnResult = [this](const std::string&) { host_.RequestStop(); };  // ends after the first file
    ASSERT_TRUE(ClickStart(host_, TRenameBatch(TRenameFields{"x", rmNumber})));
    ASSERT_EQ(Tree(), (TTree{{"x0.jpg", "AAA"}, {"b.png", "BBBB"}, {"c.gif", "C"}}));
    EXPECT_EQ(UndoLast().size(), 1u);
    EXPECT_EQ(Tree(), kPictures);
}

TEST_F(Undo, AnOriginalNameTakenMeanwhileIsSkippedAndTheRestUndone)
{
    ASSERT_TRUE(ClickStart(host_, TRenameBatch(TRenameFields{"x", rmNumber})));
    Touch(source_ / "b.png", "someone else's");
    const std::vector<TUndoneStep> undone = UndoLast();
    ASSERT_EQ(undone.size(), 3u);
    for (const TUndoneStep& step : undone) {
        EXPECT_EQ(step.Result.Reason(), step.Path.filename() == "b.png" ? TReason::rsTargetExists : TReason::rsNone);
    }
    EXPECT_EQ(Tree(), (TTree{{"a.jpg", "AAA"}, {"b.png", "someone else's"}, {"x1.png", "BBBB"}, {"c.gif", "C"}}));
}

TEST_F(Undo, StampingInPlaceKeepsTheOldPicturesInTheTrashAndUndoRestoresEveryByte)
{
    ASSERT_TRUE(StampInPlace());
    ASSERT_EQ(host_.Prompts.size(), 3u);  // each own source is asked about, as before
    EXPECT_EQ(Tree(), (TTree{{"a.jpg", "stamped"}, {"b.png", "stamped"}, {"c.gif", "stamped"}}));

    const fs::path trash = folder_ / "data" / "Trash";
    EXPECT_EQ(Slurp(trash / "files" / "a.jpg"), "AAA");
    const std::string info = Slurp(trash / "info" / "a.jpg.trashinfo");
    EXPECT_EQ(info.rfind("[Trash Info]\nPath=" + (source_ / "a.jpg").string() + "\nDeletionDate=", 0), 0u) << info;
    EXPECT_EQ(info.size(), std::string("[Trash Info]\nPath=\nDeletionDate=2026-12-08T10:00:00\n").size() +
                               (source_ / "a.jpg").string().size());

    EXPECT_EQ(UndoLast().size(), 3u);
    EXPECT_EQ(Tree(), kPictures);
    EXPECT_TRUE(fs::is_empty(trash / "files"));
    EXPECT_TRUE(fs::is_empty(trash / "info"));
}

TEST_F(Undo, AFileChangedSinceTheRunIsLeftAsItIs)
{
    ASSERT_TRUE(StampInPlace());
    Touch(source_ / "a.jpg", "edited afterwards");
    const std::vector<TUndoneStep> undone = UndoLast();
    ASSERT_EQ(undone.size(), 3u);
    EXPECT_EQ(Tree(), (TTree{{"a.jpg", "edited afterwards"}, {"b.png", "BBBB"}, {"c.gif", "C"}}));
}

TEST_F(Undo, TrashNamesNeverClashAndNamesAreEncoded)
{
    Touch(source_ / "d e%.jpg", "D");
    host_.ShowFolder(source_, false);
    ASSERT_TRUE(StampInPlace());
    ASSERT_TRUE(StampInPlace());  // a second run trashes the first one's results under new names
    const fs::path info = folder_ / "data" / "Trash" / "info";
    EXPECT_TRUE(fs::exists(info / "a.jpg.trashinfo"));
    EXPECT_TRUE(fs::exists(info / "a.jpg.2.trashinfo"));
    EXPECT_NE(Slurp(info / "d e%.jpg.trashinfo").find("/d%20e%25.jpg\n"), std::string::npos);
}

// Replaced targets other than the run's own sources go to the Trash only when the
// output settings ask for it.
TEST_F(Undo, OtherReplacedTargetsAreKeptOnlyWhenAsked)
{
    class TTrashingHost : public TScriptedHost {
    public:
        TOutputSettings OutputSettings() override { return Output; }
        TOutputSettings Output;
    };
    for (const bool asked : {false, true}) {
        TTrashingHost host;
        host.ShowFolder(source_, false);
        host.Output.TrashReplaced = asked;
        Touch(folder_ / "out" / "a.jpg", "last week's");
        TCropFields fields;
        fields.SavePath = (folder_ / "out").string();
        fields.Affix = "";
        ASSERT_TRUE(ClickStart(host, TCropBatch(fields, [](const TPath&, const TPath& target, auto...) {
                                   TAtomicFile file(target, true);
                                   return file.Write("new", 3) && file.Commit()
                                              ? TOutcome::Success()
                                              : TOutcome::Failure(TReason::rsCannotWrite);
                               })));
        EXPECT_EQ(fs::exists(folder_ / "data" / "Trash" / "files" / "a.jpg"), asked);
        EXPECT_EQ(LastUndoableRun().has_value(), asked);
        if (asked) {
            UndoLast();
            EXPECT_EQ(Slurp(folder_ / "out" / "a.jpg"), "last week's");
        }
    }
}

TEST_F(Undo, WithoutTrashAnInPlaceRunLeavesNoJournal)
{
    TCropFields fields;
    fields.SavePath = source_.string();
    fields.Affix = "";
    TCropBatch job(fields, [](const TPath&, const TPath&, auto...) { return TOutcome::Success(); });
    ASSERT_TRUE(RunClick(job, host_, host_.Sources(), TReplacePolicy{false, false}));
    EXPECT_FALSE(LastUndoableRun());
    EXPECT_FALSE(fs::exists(folder_ / "data" / "Trash" / "files" / "a.jpg"));
}

}  // namespace
}  // namespace quillane::test
