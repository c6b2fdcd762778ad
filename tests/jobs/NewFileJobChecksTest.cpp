// The checks that the conversion, crop and watermark jobs share: the empty list and
// the output folder steps, with their messages, box styles and focus.
#include <gtest/gtest.h>

#include <functional>

#include "TempFolder.h"
#include "jobs/ConvertJob.h"
#include "jobs/CropJob.h"
#include "jobs/EngineTestFiles.h"
#include "jobs/ScriptedHost.h"
#include "jobs/WatermarkJob.h"

namespace quillane::test {
namespace {

const TMessageStyle kInfo = TMessageStyle::msInformationOk;
const TMessageStyle kAskOk = TMessageStyle::msQuestionOk;
const TMessageStyle kAskYesNo = TMessageStyle::msQuestionYesNo;
const std::string kCreate = "新文件输出路径不存在，是否创建？";
const std::string kCannot = "不能新建目录，请检查输入是否正确！";

// Each job clicked with a save path and otherwise valid fields; its routine counts calls.
struct TNewFileJob {
    std::string Name, NoFilesText, SaveField;
    std::function<bool(TScriptedHost&, const std::string& save, int& calls)> Click;
};

bool ClickConvert(TScriptedHost& host, const std::string& save, int& calls)
{
    TConvertFields fields;
    fields.SavePath = save;
    return ClickStart(host, TConvertBatch(fields,
                                          [&calls](auto&&...) {
                                              ++calls;
                                              return TOutcome::Success();
                                          }))
        .has_value();
}

bool ClickCrop(TScriptedHost& host, const std::string& save, int& calls)
{
    TCropFields fields;
    fields.SavePath = save;
    return ClickStart(host, TCropBatch(fields,
                                       [&calls](auto&&...) {
                                           ++calls;
                                           return TOutcome::Success();
                                       }))
        .has_value();
}

bool ClickWatermark(TScriptedHost& host, const std::string& save, int& calls)
{
    TWatermarkFields fields;
    fields.SavePath = save;
    fields.Text = "mark";
    fields.X = "10";
    fields.Y = "10";
    TWatermarkRoutines routines;
    routines.Text = [&calls](auto&&...) {
        ++calls;
        return TOutcome::Success();
    };
    return ClickStart(host, TWatermarkBatch(fields, routines)).has_value();
}

class NewFileJobChecks : public ::testing::TestWithParam<TNewFileJob> {
protected:
    void SetUp() override
    {
        Touch(folder_ / "src" / "a.jpg");
        host_.ShowFolder(folder_ / "src", false);
    }
    bool Click(const std::string& save) { return GetParam().Click(host_, save, calls_); }
    std::string Out(const std::string& name = "out") const { return (folder_ / name).string(); }
    void ExpectNothingRan() const
    {
        EXPECT_TRUE(host_.Events.empty());
        EXPECT_TRUE(host_.Lines.empty());
        EXPECT_EQ(calls_, 0);
    }

    TTempFolder folder_;
    TScriptedHost host_;
    int calls_ = 0;
};

TEST_P(NewFileJobChecks, EmptyListIsRefusedBeforeAnythingElse)
{
    host_.Items.clear();
    EXPECT_FALSE(Click(""));
    EXPECT_EQ(host_.Messages, (std::vector<TShownMessage>{{GetParam().NoFilesText, kInfo}}));
    EXPECT_TRUE(host_.Focus.empty());
    ExpectNothingRan();
}

TEST_P(NewFileJobChecks, BlankSavePathIsAskedForWithTheFocusOnIt)
{
    EXPECT_FALSE(Click(" \t "));
    EXPECT_EQ(host_.Messages, (std::vector<TShownMessage>{{"请输入新文件存放目录？", kAskOk}}));
    EXPECT_EQ(host_.Focus, std::vector<std::string>{GetParam().SaveField});
    ExpectNothingRan();
}

TEST_P(NewFileJobChecks, MissingFolderAnsweredNoStopsAndMakesNothing)
{
    EXPECT_FALSE(Click(Out()));
    EXPECT_EQ(host_.Messages, (std::vector<TShownMessage>{{kCreate, kAskYesNo}}));
    EXPECT_TRUE(host_.Focus.empty());
    EXPECT_FALSE(std::filesystem::exists(Out()));
    ExpectNothingRan();
}

TEST_P(NewFileJobChecks, MissingFolderAnsweredYesIsMadeAndTheRunGoesOn)
{
    host_.YesNoAnswers = {TMessageAnswer::maYes};
    EXPECT_TRUE(Click(Out()));
    EXPECT_TRUE(std::filesystem::is_directory(Out()));
    EXPECT_EQ(calls_, 1);
    EXPECT_EQ(host_.Messages.front(), (TShownMessage{kCreate, kAskYesNo}));
    EXPECT_EQ(host_.FieldTexts.at(GetParam().SaveField), Out() + "/");
}

TEST_P(NewFileJobChecks, FolderWhoseParentIsMissingCannotBeMade)
{
    host_.YesNoAnswers = {TMessageAnswer::maYes};
    EXPECT_FALSE(Click(Out("missing/out")));
    EXPECT_EQ(host_.Messages, (std::vector<TShownMessage>{{kCreate, kAskYesNo}, {kCannot, kInfo}}));
    EXPECT_EQ(host_.Focus, std::vector<std::string>{GetParam().SaveField});
    EXPECT_FALSE(std::filesystem::exists(Out("missing")));
    ExpectNothingRan();
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, NewFileJobChecks,
    ::testing::Values(TNewFileJob{"Convert", "没有需要进行类型转换的文件！", "lbEdtSavePath2", ClickConvert},
                      TNewFileJob{"Crop", "没有需要进行剪裁的文件！", "EdtCutSave", ClickCrop},
                      TNewFileJob{"Watermark", "没有需要进行处理的文件！", "EdtWatermarkSave", ClickWatermark}),
    [](const auto& info) { return info.param.Name; });

}  // namespace
}  // namespace quillane::test
