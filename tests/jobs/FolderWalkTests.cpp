// Folder items walked with sub-folders included: mirrored output folders made on
// demand, one line per picture, hidden folders, link loops, one overwrite answer.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <set>

#include "TempFolder.h"
#include "jobs/EngineTestFiles.h"
#include "jobs/FolderWalk.h"
#include "jobs/PercentJob.h"
#include "jobs/RoutineRecorder.h"
#include "jobs/ScriptedHost.h"
#include "jobs/TypeFilter.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;

class FolderWalk : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ = folder_ / "Photos";
        out_ = folder_ / "Thumbs";
        fs::create_directories(root_);
        fs::create_directories(out_);
    }
    std::optional<TRunOutcome> Run(const fs::path& save)
    {
        host_.ShowFolder(root_, true);
        TPercentFields fields;
        fields.Width = "50";
        fields.Height = "50";
        fields.SavePath = save.string();
        return ClickStart(host_, TPercentBatch(fields, recorder_.Table()));
    }
    std::optional<TRunOutcome> Run() { return Run(out_); }
    std::string Line(const fs::path& source) const { return source.string() + "创建缩略图成功！"; }
    std::vector<fs::path> Sources() const
    {
        std::vector<fs::path> sources;
        for (const TRecordedCall& call : recorder_.Calls) {
            sources.push_back(call.Source);
        }
        return sources;
    }

    TTempFolder folder_;
    fs::path root_;
    fs::path out_;
    TScriptedHost host_;
    TRoutineRecorder recorder_;
};

TEST_F(FolderWalk, MirrorsTheTreeBelowTheListedFolder)
{
    Touch(root_ / "2008" / "a.jpg");
    Touch(root_ / "2008" / "Trip" / "b.png");
    Touch(root_ / "top.gif");
    ASSERT_TRUE(Run());
    EXPECT_EQ(Slurp(out_ / "2008" / "a_s.jpg"), "PercentHQ");
    EXPECT_EQ(Slurp(out_ / "2008" / "Trip" / "b_s.png"), "PercentHQ");
    EXPECT_EQ(Slurp(out_ / "top_s.gif"), "PercentHQ");
    // No line for the folder item; files of a folder come before its sub-folders.
    EXPECT_EQ(host_.Lines,
              (std::vector<std::string>{Line(root_ / "2008" / "a.jpg"), Line(root_ / "2008" / "Trip" / "b.png"),
                                        Line(root_ / "top.gif")}));
}

TEST_F(FolderWalk, FolderWithoutMatchingPicturesGetsNoOutputFolder)
{
    host_.Captions = {TypeCaptions()[0]};
    Touch(root_ / "2008" / "a.jpe");
    Touch(root_ / "2008" / "pngs" / "x.png");
    Touch(root_ / "2008" / "notes" / "readme.txt");
    ASSERT_TRUE(Run());
    EXPECT_EQ(Sources(), (std::vector<fs::path>{root_ / "2008" / "a.jpe"}));
    EXPECT_TRUE(fs::exists(out_ / "2008" / "a_s.jpe"));
    EXPECT_FALSE(fs::exists(out_ / "2008" / "pngs"));
    EXPECT_FALSE(fs::exists(out_ / "2008" / "notes"));
}

TEST_F(FolderWalk, HiddenFoldersAndFilesAreWalked)
{
    Touch(root_ / "2008" / ".cache" / "h.jpg");
    Touch(root_ / "2008" / ".v.jpg");
    ASSERT_TRUE(Run());
    EXPECT_TRUE(fs::exists(out_ / "2008" / ".cache" / "h_s.jpg"));
    EXPECT_TRUE(fs::exists(out_ / "2008" / ".v_s.jpg"));
    EXPECT_EQ(host_.Lines.size(), 2u);
}

TEST_F(FolderWalk, LinkLoopEndsAndEachFolderIsWalkedOnce)
{
    Touch(root_ / "2008" / "a.jpg");
    Touch(root_ / "2008" / "Trip" / "b.jpg");
    fs::create_directory_symlink(root_ / "2008", root_ / "2008" / "Trip" / "back");
    fs::create_directory_symlink(root_ / "2008" / "Trip", root_ / "2008" / "Trip" / "self");
    ASSERT_TRUE(Run());
    EXPECT_EQ(Sources(), (std::vector<fs::path>{root_ / "2008" / "a.jpg", root_ / "2008" / "Trip" / "b.jpg"}));
}

TEST_F(FolderWalk, LinkedFolderIsEntered)
{
    Touch(folder_ / "elsewhere" / "e.jpg");
    Touch(root_ / "2008" / "a.jpg");
    fs::create_directory_symlink(folder_ / "elsewhere", root_ / "2008" / "linked");
    ASSERT_TRUE(Run());
    EXPECT_TRUE(fs::exists(out_ / "2008" / "linked" / "e_s.jpg"));
}

TEST_F(FolderWalk, OutputFolderThatCannotBeMadeIsReportedForEveryFile)
{
    Touch(root_ / "2008" / "a.jpg");
    Touch(root_ / "2008" / "b.jpg");
    Touch(out_ / "2008", "a file where the folder should go");
    const auto outcome = Run();
    ASSERT_TRUE(outcome);
    const TShownMessage cannot{"不能新建目录:" + (out_ / "2008").string() + "/", TMessageStyle::msInformationOk};
    EXPECT_EQ(std::count(host_.Messages.begin(), host_.Messages.end(), cannot), 2);
    EXPECT_EQ(recorder_.Calls.size(), 2u);  // the routine still gets them, and fails
    EXPECT_EQ(outcome->Failed, 2u);
    EXPECT_NE(
        std::find(host_.Lines.begin(), host_.Lines.end(), (root_ / "2008" / "a.jpg").string() + "创建缩略图失败！"),
        host_.Lines.end());
    EXPECT_EQ(host_.Messages.back().Text, "处理完成！");
}

TEST_F(FolderWalk, DontAskAgainHoldsAtEveryDepth)
{
    Touch(root_ / "2008" / "a.jpg");
    Touch(root_ / "2008" / "Trip" / "b.jpg");
    Touch(root_ / "c.jpg");
    Touch(out_ / "2008" / "a_s.jpg", "old");
    Touch(out_ / "2008" / "Trip" / "b_s.jpg", "old");
    Touch(out_ / "c_s.jpg", "old");
    host_.OverwriteAnswers = {{false, true}};
    const auto outcome = Run();
    ASSERT_TRUE(outcome);
    EXPECT_EQ(host_.Prompts.size(), 1u);
    EXPECT_EQ(outcome->Failed, 3u);
    EXPECT_EQ(Slurp(out_ / "2008" / "Trip" / "b_s.jpg"), "old");
    EXPECT_EQ(Slurp(out_ / "c_s.jpg"), "old");
}

TEST_F(FolderWalk, ResultsWrittenIntoTheWalkedFolderAreNotTakenAgain)
{
    Touch(root_ / "2008" / "a.jpg");
    Touch(root_ / "2008" / "b.jpg");
    Touch(root_ / "2008" / "c.jpg");
    ASSERT_TRUE(Run(root_));  // the save folder is the listed folder: results land beside their sources
    EXPECT_EQ(recorder_.Calls.size(), 3u);
    EXPECT_TRUE(fs::exists(root_ / "2008" / "b_s.jpg"));
}

TEST_F(FolderWalk, SaveFolderInsideTheWalkedTreeStillEnds)
{
    Touch(root_ / "2008" / "a.jpg");
    Touch(root_ / "2008" / "Trip" / "b.jpg");
    const fs::path save = root_ / "2008" / "Trip";
    ASSERT_TRUE(Run(save));
    // 2008/a.jpg -> Trip/2008/a_s.jpg; Trip itself is the save folder, so it is not walked.
    EXPECT_EQ(Sources(), std::vector<fs::path>{root_ / "2008" / "a.jpg"});
    EXPECT_TRUE(fs::exists(save / "2008" / "a_s.jpg"));
    EXPECT_FALSE(fs::exists(save / "2008" / "Trip"));
}

// Every file below the folder, as paths relative to it.
std::set<fs::path> FilesBelow(const fs::path& folder)
{
    std::set<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files.insert(fs::relative(entry.path(), folder));
        }
    }
    return files;
}

// A rerun must not take the earlier run's results for sources, however the save folder
// is spelled and whether the run made it or found it.
TEST_F(FolderWalk, SaveFolderInsideTheListedFolderIsNeverWalked)
{
    const fs::path link = folder_ / "link";
    fs::create_directory_symlink(root_ / "out", link);
    const struct {
        fs::path Save;
        bool MadeBefore;
    } cases[] = {{root_ / "out", false}, {root_ / "2008" / "out", false}, {link, true}};
    for (const auto& [save, madeBefore] : cases) {
        fs::remove_all(root_);
        Touch(root_ / "a.jpg");
        Touch(root_ / "2008" / "b.jpg");
        Touch(root_ / "2008" / "Trip" / "c.png");
        if (madeBefore) {
            fs::create_directories(root_ / "out");
        }
        std::vector<std::string> lines[2];
        std::set<fs::path> files[2];
        for (int run = 0; run < 2; ++run) {
            host_.Lines.clear();
            host_.YesNoAnswers = {TMessageAnswer::maYes};  // make the missing save folder
            ASSERT_TRUE(Run(save));
            lines[run] = host_.Lines;
            files[run] = FilesBelow(root_);
        }
        EXPECT_EQ(lines[0].size(), 3u) << save;
        EXPECT_EQ(lines[1], lines[0]) << save;
        EXPECT_EQ(files[1], files[0]) << save;
        EXPECT_EQ(files[0].size(), 6u) << save;
    }
}

// Results beside their sources (or mirrored beside the listed folder): every folder
// lies inside the save folder, and every one is still walked.
TEST_F(FolderWalk, SaveFolderHoldingTheListedFolderSkipsNothing)
{
    for (const fs::path& save : {root_, folder_.Path()}) {
        fs::remove_all(root_);
        recorder_.Calls.clear();
        Touch(root_ / "2008" / "a.jpg");
        Touch(root_ / "2008" / "Trip" / "b.png");
        ASSERT_TRUE(Run(save));
        EXPECT_EQ(Sources(), (std::vector<fs::path>{root_ / "2008" / "a.jpg", root_ / "2008" / "Trip" / "b.png"}))
            << save;
        EXPECT_TRUE(fs::exists(save / "2008" / "Trip" / "b_s.png")) << save;
    }
}

TEST_F(FolderWalk, PipesFoldersAndOtherTypesAreNoFilesOfTheWalk)
{
    Touch(root_ / "2008" / "a.jpg");
    Touch(root_ / "2008" / "b.jpg");
    Touch(root_ / "2008" / "notes.txt");
    fs::create_directories(root_ / "2008" / "empty");
    ASSERT_EQ(::mkfifo((root_ / "2008" / "pipe.jpg").c_str(), 0600), 0);
    ASSERT_TRUE(Run());
    ASSERT_EQ(recorder_.Calls.size(), 2u);
    const std::set<fs::path> called{recorder_.Calls[0].Source.filename(), recorder_.Calls[1].Source.filename()};
    EXPECT_EQ(called, (std::set<fs::path>{"a.jpg", "b.jpg"}));  // in listing order, which the folder decides
    EXPECT_EQ(host_.Lines.size(), 2u);                          // the pipe gets no line: the listing passes it over
}

TEST(ClassifyEntry, TellsFoldersFilesAndTheRestApart)
{
    TTempFolder folder;
    Touch(folder / "f.jpg");
    fs::create_directories(folder / "d");
    ASSERT_EQ(::mkfifo((folder / "p.jpg").c_str(), 0600), 0);
    fs::create_symlink(folder / "none", folder / "dangling.jpg");
    EXPECT_EQ(ClassifyEntry(fs::directory_entry(folder / "f.jpg")), ecFile);
    EXPECT_EQ(ClassifyEntry(fs::directory_entry(folder / "d")), ecFolder);
    EXPECT_EQ(ClassifyEntry(fs::directory_entry(folder / "p.jpg")), ecOther);
    EXPECT_EQ(ClassifyEntry(fs::directory_entry(folder / "dangling.jpg")), ecFile);  // its job reports it
}

}  // namespace
}  // namespace quillane::test
