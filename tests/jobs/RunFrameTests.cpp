// A run once the checks passed: its start, its result lines, the overwrite answers,
// a stop request and its end.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "TempFolder.h"
#include "jobs/EngineTestFiles.h"
#include "jobs/PercentJob.h"
#include "jobs/PixelJob.h"
#include "jobs/RoutineRecorder.h"
#include "jobs/ScriptedHost.h"
#include "jobs/WOrHJob.h"

namespace quillane::test {
namespace {

class RunFrame : public ::testing::Test {
protected:
    void SetUp() override
    {
        source_ = folder_ / "src";
        out_ = (folder_ / "out").string();
        std::filesystem::create_directories(out_);
    }
    void List(std::initializer_list<const char*> names)
    {
        for (const char* name : names) {
            Touch(source_ / name);
        }
        host_.ShowFolder(source_, false);
    }
    TPercentFields Percent(const std::string& save) const
    {
        TPercentFields fields;
        fields.Width = "50";
        fields.Height = "25";
        fields.SavePath = save;
        return fields;
    }
    std::optional<TRunOutcome> RunPercent()
    {
        return ClickStart(host_, TPercentBatch(Percent(out_), recorder_.Table()));
    }
    std::string Line(const char* name, const char* text) const { return (source_ / name).string() + text; }

    TTempFolder folder_;
    std::filesystem::path source_;
    std::string out_;
    TScriptedHost host_;
    TRoutineRecorder recorder_;
};

TEST_F(RunFrame, StartsAndEndsInOrderAndLogsOneLinePerFile)
{
    List({"b.png", "a.jpg"});
    const auto outcome = RunPercent();
    ASSERT_TRUE(outcome);
    EXPECT_EQ(host_.Events, (std::vector<std::string>{"clear", "show", "busy", "types off", "idle", "types on"}));
    EXPECT_EQ(host_.FieldTexts.at("lbEdtSavePath"), out_ + "/");
    EXPECT_EQ(host_.Lines,
              (std::vector<std::string>{Line("a.jpg", "创建缩略图成功！"), Line("b.png", "创建缩略图成功！")}));
    EXPECT_EQ(host_.Messages, (std::vector<TShownMessage>{{"处理完成！", TMessageStyle::msInformationOk}}));
    EXPECT_EQ(outcome->Succeeded, 2u);
    EXPECT_EQ(outcome->Failed, 0u);
    EXPECT_EQ(Slurp(out_ + "/a_s.jpg"), "PercentHQ");
    EXPECT_EQ(recorder_.Calls[0].First, 50);
    EXPECT_EQ(recorder_.Calls[0].Second, 25);
}

TEST_F(RunFrame, SavePathWithItsSlashIsLeftAsItIs)
{
    List({"a.jpg"});
    ASSERT_TRUE(ClickStart(host_, TPercentBatch(Percent(out_ + "/"), recorder_.Table())));
    EXPECT_TRUE(host_.FieldTexts.empty());
    EXPECT_EQ(recorder_.Calls.at(0).Target, out_ + "/a_s.jpg");
}

TEST_F(RunFrame, OnlyThePercentageJobLocksTheTypeList)
{
    List({"a.jpg"});
    TPixelFields pixel;
    pixel.Width = "10";
    pixel.Height = "10";
    pixel.SavePath = out_;
    ASSERT_TRUE(ClickStart(host_, TPixelBatch(pixel, recorder_.Table())));
    EXPECT_EQ(host_.Events, (std::vector<std::string>{"clear", "show", "busy", "idle"}));
    EXPECT_EQ(host_.FieldTexts.at("EdtSavePixel"), out_ + "/");
}

TEST_F(RunFrame, ClosingMessageFollowsARunInWhichEveryFileFailed)
{
    List({"a.jpg", "b.jpg"});
    Touch(out_ + "/a_s.jpg", "old");
    Touch(out_ + "/b_s.jpg", "old");
    host_.OverwriteAnswers = {{false, true}};
    const auto outcome = RunPercent();
    ASSERT_TRUE(outcome);
    EXPECT_EQ(host_.Lines,
              (std::vector<std::string>{Line("a.jpg", "创建缩略图失败！"), Line("b.jpg", "创建缩略图失败！")}));
    EXPECT_EQ(host_.Messages.back().Text, "处理完成！");
    EXPECT_EQ(outcome->Failed, 2u);
}

// Two existing targets in one run, answered in the ways of the overwrite state table.
struct TOverwriteCase {
    const char* Name;
    std::vector<TOverwriteAnswer> Answers;
    std::size_t Prompts;
    std::vector<std::string> Contents;  // of a_s.jpg, b_s.jpg, c_s.jpg afterwards
};

class OverwriteAnswers : public RunFrame, public ::testing::WithParamInterface<TOverwriteCase> {};

TEST_P(OverwriteAnswers, HoldUntilTheNextPromptOrForTheRestOfTheRun)
{
    List({"a.jpg", "b.jpg", "c.jpg"});
    Touch(out_ + "/a_s.jpg", "old");
    Touch(out_ + "/c_s.jpg", "old");
    host_.OverwriteAnswers.assign(GetParam().Answers.begin(), GetParam().Answers.end());
    ASSERT_TRUE(RunPercent());
    EXPECT_EQ(host_.Prompts.size(), GetParam().Prompts);
    EXPECT_EQ(Slurp(out_ + "/a_s.jpg"), GetParam().Contents[0]);
    EXPECT_EQ(Slurp(out_ + "/b_s.jpg"), GetParam().Contents[1]);  // a missing target is always written
    EXPECT_EQ(Slurp(out_ + "/c_s.jpg"), GetParam().Contents[2]);
    const char* cText = GetParam().Contents[2] == "old" ? "创建缩略图失败！" : "创建缩略图成功！";
    EXPECT_EQ(host_.Lines.back(), Line("c.jpg", cText));
}

INSTANTIATE_TEST_SUITE_P(
    States, OverwriteAnswers,
    ::testing::Values(
        TOverwriteCase{"NoThenAskedAgain", {{false, false}, {true, false}}, 2, {"old", "PercentHQ", "PercentHQ"}},
        TOverwriteCase{"NoTwice", {{false, false}, {false, false}}, 2, {"old", "PercentHQ", "old"}},
        TOverwriteCase{"NoAndDontAsk", {{false, true}}, 1, {"old", "PercentHQ", "old"}},
        TOverwriteCase{"YesAndDontAsk", {{true, true}}, 1, {"PercentHQ", "PercentHQ", "PercentHQ"}},
        TOverwriteCase{"YesThenNo", {{true, false}, {false, false}}, 2, {"PercentHQ", "PercentHQ", "old"}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(RunFrame, EachRunAsksAfreshAtItsFirstExistingTarget)
{
    List({"a.jpg"});
    Touch(out_ + "/a_s.jpg", "old");
    host_.OverwriteAnswers = {{false, true}, {false, true}};
    ASSERT_TRUE(RunPercent());
    ASSERT_TRUE(RunPercent());
    EXPECT_EQ(host_.Prompts.size(), 2u);
}

TEST_F(RunFrame, TargetsGoIntoTheSaveFolderWithTheAffixRule)
{
    List({"photo.jpg", "a.b.jpg"});
    TPercentFields fields = Percent(out_);
    fields.Affix = " _t ";
    fields.AffixPosition = 1;
    ASSERT_TRUE(ClickStart(host_, TPercentBatch(fields, recorder_.Table())));
    EXPECT_EQ(recorder_.Calls.at(0).Target, out_ + "/_ta.b.jpg");
    EXPECT_EQ(recorder_.Calls.at(1).Target, out_ + "/_tphoto.jpg");
}

TEST_F(RunFrame, StopRequestEndsTheRunAfterTheFileInProgress)
{
    List({"a.jpg", "b.jpg", "c.jpg"});
    host_.OnResult = [this](const std::string&) { host_.RequestStop(); };
    const auto outcome = RunPercent();
    ASSERT_TRUE(outcome);
    EXPECT_TRUE(outcome->Stopped);
    EXPECT_EQ(recorder_.Calls.size(), 1u);
    EXPECT_EQ(host_.Lines.size(), 1u);
    EXPECT_TRUE(host_.Messages.empty());  // no closing message for a stopped run
    EXPECT_EQ(host_.Events.back(), "types on");
    EXPECT_EQ(host_.StopLines, std::vector<std::string>{"已停止：已处理 1 个文件，列表中还有 2 项未处理。"});
}

// The list is [folder d, a.jpg, e.jpg]; d holds x.jpg and y.jpg. A folder is one item,
// reached once its walk begins.
TEST_F(RunFrame, AStoppedRunSaysHowManyFilesItDidAndHowManyItemsItNeverReached)
{
    struct TCase {
        std::size_t StopAfterLine;
        const char* Expected;
    };
    const TCase cases[] = {
        {1, "已停止：已处理 1 个文件，列表中还有 2 项未处理。"},
        {2, "已停止：已处理 2 个文件，列表中还有 2 项未处理。"},
        {3, "已停止：已处理 3 个文件，列表中还有 1 项未处理。"},
        {4, "已停止：已处理 4 个文件，列表中还有 0 项未处理。"},
    };
    Touch(source_ / "d" / "x.jpg");
    Touch(source_ / "d" / "y.jpg");
    Touch(source_ / "a.jpg");
    Touch(source_ / "e.jpg");
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.StopAfterLine);
        TScriptedHost host;
        host.ShowFolder(source_, true);
        host.YesNoAnswers = {TMessageAnswer::maYes};  // make the output folder
        host.OnResult = [&](const std::string&) {
            if (host.Lines.size() == test.StopAfterLine)
                host.RequestStop();
        };
        const auto outcome = ClickStart(
            host, TPercentBatch(Percent(out_ + "/" + std::to_string(test.StopAfterLine)), recorder_.Table()));
        ASSERT_TRUE(outcome);
        EXPECT_EQ(host.Lines.size(), test.StopAfterLine);
        EXPECT_EQ(host.StopLines, std::vector<std::string>{test.Expected});
    }
}

TEST_F(RunFrame, ARunThatFinishesSaysNothingOfStopping)
{
    List({"a.jpg", "b.jpg"});
    ASSERT_TRUE(RunPercent());
    EXPECT_TRUE(host_.StopLines.empty());
}

TEST_F(RunFrame, ListItemThatIsNoRegularFileIsNeverOpened)
{
    List({"a.jpg"});
    ASSERT_EQ(::mkfifo((source_ / "pipe.jpg").c_str(), 0600), 0);
    host_.Items.push_back({source_ / "pipe.jpg", false});  // a window list may still show it
    host_.Items.push_back({source_ / "gone.jpg", false});  // removed since the list was built
    const auto outcome = RunPercent();
    ASSERT_TRUE(outcome);
    EXPECT_EQ(recorder_.Calls.size(), 1u);
    EXPECT_EQ(host_.Lines,
              (std::vector<std::string>{Line("a.jpg", "创建缩略图成功！"), Line("pipe.jpg", "创建缩略图失败！"),
                                        Line("gone.jpg", "创建缩略图失败！")}));
    EXPECT_EQ(outcome->Failed, 2u);
}

TEST_F(RunFrame, SingleSideLinesEndInTheIdeographicFullStop)
{
    List({"a.jpg", "b.jpg"});
    Touch(out_ + "/b_s.jpg", "old");
    host_.OverwriteAnswers = {{false, false}};
    TWOrHFields fields;
    fields.HeightChosen = true;
    fields.HeightText = "20";
    fields.SavePath = out_;
    ASSERT_TRUE(ClickStart(host_, TWOrHBatch(fields, recorder_.Table())));
    EXPECT_EQ(host_.Lines,
              (std::vector<std::string>{Line("a.jpg", "创建缩略图成功。"), Line("b.jpg", "没有创建缩略图。")}));
}

}  // namespace
}  // namespace quillane::test
