// quillane-batch undo: the journal of a rename run listed and taken back through the
// real binary.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <chrono>
#include <thread>

#include "cli/BatchProcess.h"
#include "cli/ChildBatch.h"
#include "cli/LocaleEnvironment.h"
#include "cli/SourceAndOutFolders.h"

namespace quillane::test {
namespace {

class UndoCommand : public SourceAndOutFolders {
protected:
    void SetUp() override
    {
        SourceAndOutFolders::SetUp();
        ::setenv("XDG_DATA_HOME", (folder_.Path() / "data").c_str(), 1);
        std::ofstream(Src("a.jpg")) << "a";
        std::ofstream(Src("b.png")) << "b";
    }
};

TEST_F(UndoCommand, ListsTheRunAndTakesItBackOnce)
{
    ASSERT_EQ(RunBatch({"rename", "--name-prefix", "n", Src().string()}, folder_.Path()).ExitStatus, 0);
    ASSERT_TRUE(std::filesystem::exists(Src("n0.jpg")));

    const TBatchResult list = RunBatch({"undo", "--list"}, folder_.Path());
    ASSERT_EQ(list.ExitStatus, 0);
    ASSERT_EQ(list.OutLines().size(), 1u);
    EXPECT_NE(list.Out.find("撤销重命名：" + (folder_.Path() / "src").string() + "，2 个文件"), std::string::npos)
        << list.Out;

    const std::string id = list.OutLines()[0].substr(0, list.OutLines()[0].find('\t'));
    const TBatchResult undo = RunBatch({"undo", id}, folder_.Path());
    EXPECT_EQ(undo.ExitStatus, 0) << undo.Err;
    EXPECT_EQ(undo.OutLines().size(), 2u);
    EXPECT_TRUE(std::filesystem::exists(Src("a.jpg")));
    EXPECT_TRUE(std::filesystem::exists(Src("b.png")));

    const TBatchResult again = RunBatch({"undo"}, folder_.Path());
    EXPECT_EQ(again.ExitStatus, 1);
    EXPECT_EQ(again.Err, "没有可以撤销的操作。\n");
}

struct TUndoLanguageCase {
    const char* what;
    std::map<std::string, std::string> locale;
    std::vector<std::string> langBefore;  // --lang where a job's run options stand
    std::vector<std::string> langAfter;   // --lang among the undo command's own options
    bool english;
};

TEST_F(UndoCommand, ListingAndTakingBackSpeakTheLocaleOrLang)
{
    const TUndoLanguageCase cases[] = {
        {"English locale", {{"LANG", "en_US.UTF-8"}}, {}, {}, true},
        {"C locale", {{"LANG", "C"}}, {}, {}, false},
        {"no locale", {}, {}, {}, false},
        {"--lang en before undo under C", {{"LANG", "C"}}, {"--lang", "en"}, {}, true},
        {"--lang=zh after undo under English", {{"LANG", "en_US.UTF-8"}}, {}, {"--lang=zh"}, false},
    };
    const std::string folder = (folder_.Path() / "src").string();
    const std::vector<std::string> chineseLines = {Src("b.png").string() + "撤销成功！",
                                                   Src("a.jpg").string() + "撤销成功！"};
    const std::vector<std::string> englishLines = {Src("b.png").string() + ": restored",
                                                   Src("a.jpg").string() + ": restored"};
    for (const TUndoLanguageCase& c : cases) {
        SCOPED_TRACE(c.what);
        {
            const TLocaleEnvironment chinese(std::map<std::string, std::string>{{"LANG", "C"}});
            ASSERT_EQ(RunBatch({"rename", "--name-prefix", "n", Src().string()}, folder_.Path()).ExitStatus, 0);
        }
        const TLocaleEnvironment environment(c.locale);
        const auto undo = [&](std::vector<std::string> options) {
            std::vector<std::string> arguments = c.langBefore;
            arguments.push_back("undo");
            arguments.insert(arguments.end(), options.begin(), options.end());
            arguments.insert(arguments.end(), c.langAfter.begin(), c.langAfter.end());
            return RunBatch(arguments, folder_.Path());
        };
        const std::string caption =
            c.english ? "Undo Rename in " + folder + " (2 files)" : "撤销重命名：" + folder + "，2 个文件";

        const TBatchResult list = undo({"--list"});
        ASSERT_EQ(list.ExitStatus, 0) << list.Err;
        ASSERT_FALSE(list.OutLines().empty());
        const std::string newest = list.OutLines()[0];
        EXPECT_EQ(newest.substr(newest.rfind('\t') + 1), caption);

        const TBatchResult taken = undo({});
        EXPECT_EQ(taken.ExitStatus, 0) << taken.Err;
        EXPECT_EQ(taken.OutLines(), c.english ? englishLines : chineseLines);
        EXPECT_EQ(taken.ErrLines(),
                  (std::vector<std::string>{caption, c.english ? "Undo finished: 2 files restored, 0 skipped."
                                                               : "撤销完成：已恢复 2 个文件，跳过 0 个。"}));

        const TBatchResult again = undo({});
        EXPECT_EQ(again.ExitStatus, 1);
        EXPECT_EQ(again.Err, c.english ? "There is nothing to undo.\n" : "没有可以撤销的操作。\n");

        const TBatchResult listed = undo({"--list"});
        ASSERT_FALSE(listed.OutLines().empty());
        EXPECT_EQ(listed.OutLines()[0], newest + (c.english ? "\tundone" : "\t已撤销"));
    }
}

// A folder's name is written as it is, never read as a placeholder or a line break.
TEST_F(UndoCommand, TheCaptionShowsAnOddFolderNameOnOneLine)
{
    const std::filesystem::path odd = folder_.Path() / "%2 %3\nx";
    std::filesystem::create_directories(odd);
    std::ofstream(odd / "a.jpg") << "a";
    ASSERT_EQ(RunBatch({"rename", "--name-prefix", "n", odd.string()}, folder_.Path()).ExitStatus, 0);
    const std::string shown = (folder_.Path() / "%2 %3\\nx").string();
    for (const char* lang : {"zh", "en"}) {
        SCOPED_TRACE(lang);
        const TBatchResult list = RunBatch({"undo", "--list", "--lang", lang}, folder_.Path());
        ASSERT_EQ(list.OutLines().size(), 1u) << list.Out;
        EXPECT_NE(list.Out.find(shown), std::string::npos) << list.Out;
    }
    const TBatchResult taken = RunBatch({"undo", "--lang", "en"}, folder_.Path());
    EXPECT_EQ(taken.ExitStatus, 0) << taken.Err;
    ASSERT_EQ(taken.ErrLines().size(), 2u) << taken.Err;
    EXPECT_EQ(taken.ErrLines()[0], "Undo Rename in " + shown + " (1 files)");
    EXPECT_TRUE(std::filesystem::exists(odd / "a.jpg"));
}

TEST_F(UndoCommand, ARunKilledInTheMiddleIsTakenBackWhole)
{
    for (int i = 0; i < 400; ++i) {
        std::ofstream(Src("p" + std::to_string(1000 + i) + ".jpg")) << i;
    }
    const auto renamed = [this] {
        int count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(Src())) {
            count += entry.path().filename().string().rfind("n", 0) == 0;
        }
        return count;
    };
    {
        TChildBatch child({"rename", "--name-prefix", "n", Src().string()}, folder_.Path());
        for (int waited = 0; renamed() < 20 && waited < 10000; ++waited) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        child.Kill();
        child.Wait();
    }
    ASSERT_GT(renamed(), 0);
    EXPECT_EQ(RunBatch({"undo"}, folder_.Path()).ExitStatus, 0);
    EXPECT_EQ(renamed(), 0);
    for (int i = 0; i < 400; ++i) {
        EXPECT_EQ(std::filesystem::exists(Src("p" + std::to_string(1000 + i) + ".jpg")), true) << i;
    }
}

}  // namespace
}  // namespace quillane::test
