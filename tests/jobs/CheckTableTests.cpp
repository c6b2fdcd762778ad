// The checks before a run: message, box style, focus, and nothing written when one fails.
#include <gtest/gtest.h>

#include "TempFolder.h"
#include "jobs/EngineTestFiles.h"
#include "jobs/PercentJob.h"
#include "jobs/PixelJob.h"
#include "jobs/RoutineRecorder.h"
#include "jobs/ScriptedHost.h"
#include "jobs/WOrHJob.h"

namespace quillane::test {
namespace {

const TMessageStyle kInfo = TMessageStyle::msInformationOk;
const TMessageStyle kAskOk = TMessageStyle::msQuestionOk;
const TMessageStyle kAskYesNo = TMessageStyle::msQuestionYesNo;
const std::string kNoFiles = "没有需要创建缩略图的文件！";
const std::string kBadRule = "请正确设置缩略图创建规则！";
const std::string kNoFolder = "请输入缩略图存放目录？";
const std::string kCreate = "缩略图输出路径不存在，是否创建？";
const std::string kCannot = "不能新建目录，请检查输入是否正确！";

class ChecksBase : public ::testing::Test {
protected:
    void SetUp() override
    {
        Touch(folder_ / "src" / "a.jpg");
        host_.ShowFolder(folder_ / "src", false);
    }
    std::string Out(const std::string& name = "out") const { return (folder_ / name).string(); }

    // Nothing of a run happened: no results box, no cursor, no routine, no line.
    void ExpectNothingRan() const
    {
        EXPECT_TRUE(host_.Events.empty());
        EXPECT_TRUE(host_.Lines.empty());
        EXPECT_TRUE(recorder_.Calls.empty());
        EXPECT_TRUE(host_.FieldTexts.empty());
    }

    TTempFolder folder_;
    TScriptedHost host_;
    TRoutineRecorder recorder_;
};

// The percentage and exact-size jobs share their check table; only the fields differ.
struct TSizeJob {
    std::string Name, WidthField, HeightField, SaveField;
    bool (*Click)(TScriptedHost&, const std::string&, const std::string&, const std::string&, const TThumbRoutines&);
};

bool PercentClick(TScriptedHost& host, const std::string& w, const std::string& h, const std::string& save,
                  const TThumbRoutines& routines)
{
    TPercentFields fields;
    fields.Width = w;
    fields.Height = h;
    fields.SavePath = save;
    return ClickStart(host, TPercentBatch(fields, routines)).has_value();
}

bool PixelClick(TScriptedHost& host, const std::string& w, const std::string& h, const std::string& save,
                const TThumbRoutines& routines)
{
    TPixelFields fields;
    fields.Width = w;
    fields.Height = h;
    fields.SavePath = save;
    return ClickStart(host, TPixelBatch(fields, routines)).has_value();
}

class SizeJobChecks : public ChecksBase, public ::testing::WithParamInterface<TSizeJob> {
protected:
    bool Click(const std::string& w, const std::string& h, const std::string& save)
    {
        return GetParam().Click(host_, w, h, save, recorder_.Table());
    }
};

TEST_P(SizeJobChecks, EmptyListIsRefusedFirst)
{
    host_.Items.clear();
    EXPECT_FALSE(Click("", "", ""));
    EXPECT_EQ(host_.Messages, (std::vector<TShownMessage>{{kNoFiles, kInfo}}));
    EXPECT_TRUE(host_.Focus.empty());
    ExpectNothingRan();
}

TEST_P(SizeJobChecks, EmptyOrZeroSizesAreRefusedWidthFirst)
{
    const TSizeJob& job = GetParam();
    const struct {
        std::string Width, Height, Focus;
    } rows[] = {
        {"", "", job.WidthField},      {"  ", "50", job.WidthField}, {"0", "0", job.WidthField},
        {"000", "50", job.WidthField}, {"50", "", job.HeightField},  {"50", " \t", job.HeightField},
        {"50", "0", job.HeightField},
    };
    for (const auto& row : rows) {
        TScriptedHost host;
        host.Items = host_.Items;
        EXPECT_FALSE(job.Click(host, row.Width, row.Height, Out(), recorder_.Table()));
        EXPECT_EQ(host.Messages, (std::vector<TShownMessage>{{kBadRule, kInfo}})) << row.Width << "/" << row.Height;
        EXPECT_EQ(host.Focus, std::vector<std::string>{row.Focus}) << row.Width << "/" << row.Height;
        EXPECT_TRUE(host.Lines.empty());
    }
    EXPECT_TRUE(recorder_.Calls.empty());
    EXPECT_FALSE(std::filesystem::exists(Out()));
}

TEST_P(SizeJobChecks, TextThatIsNoWholeNumberEndsTheClickWithAConversionError)
{
    EXPECT_FALSE(Click("12a", "50", Out()));
    EXPECT_EQ(host_.Errors, std::vector<std::string>{"'12a' is not a valid integer value"});
    EXPECT_TRUE(host_.Messages.empty());
    EXPECT_TRUE(host_.Focus.empty());
    ExpectNothingRan();

    EXPECT_FALSE(Click("50", "1e3", Out()));
    EXPECT_EQ(host_.Errors.back(), "'1e3' is not a valid integer value");
}

TEST_P(SizeJobChecks, EmptySavePathIsAskedFor)
{
    EXPECT_FALSE(Click("50", "50", "   "));
    EXPECT_EQ(host_.Messages, (std::vector<TShownMessage>{{kNoFolder, kAskOk}}));
    EXPECT_EQ(host_.Focus, std::vector<std::string>{GetParam().SaveField});
    ExpectNothingRan();
}

TEST_P(SizeJobChecks, MissingFolderAnsweredNoStopsWithoutFocus)
{
    host_.YesNoAnswers = {TMessageAnswer::maNo};
    EXPECT_FALSE(Click("50", "50", Out()));
    EXPECT_EQ(host_.Messages, (std::vector<TShownMessage>{{kCreate, kAskYesNo}}));
    EXPECT_TRUE(host_.Focus.empty());
    EXPECT_FALSE(std::filesystem::exists(Out()));
    ExpectNothingRan();
}

TEST_P(SizeJobChecks, MissingFolderAnsweredYesIsCreatedAndTheRunGoesOn)
{
    host_.YesNoAnswers = {TMessageAnswer::maYes};
    EXPECT_TRUE(Click("007", "50", Out()));
    EXPECT_TRUE(std::filesystem::is_directory(Out()));
    ASSERT_EQ(recorder_.Calls.size(), 1u);
    EXPECT_EQ(recorder_.Calls[0].First, 7);
    EXPECT_EQ(host_.Messages.back(), (TShownMessage{"处理完成！", kInfo}));
}

TEST_P(SizeJobChecks, FolderWhoseParentIsMissingCannotBeCreated)
{
    host_.YesNoAnswers = {TMessageAnswer::maYes};
    EXPECT_FALSE(Click("50", "50", Out("missing/out")));
    EXPECT_EQ(host_.Messages, (std::vector<TShownMessage>{{kCreate, kAskYesNo}, {kCannot, kInfo}}));
    EXPECT_EQ(host_.Focus, std::vector<std::string>{GetParam().SaveField});
    EXPECT_FALSE(std::filesystem::exists(Out("missing")));
    ExpectNothingRan();
}

INSTANTIATE_TEST_SUITE_P(ThumbJobs, SizeJobChecks,
                         ::testing::Values(TSizeJob{"Percent", "lbEdtRWidth", "lbEdtRHeight", "lbEdtSavePath",
                                                    PercentClick},
                                           TSizeJob{"Pixel", "lbEdtWidth", "lbEdtHeight", "EdtSavePixel", PixelClick}),
                         [](const auto& info) { return info.param.Name; });

class SideJobChecks : public ChecksBase {
protected:
    bool Click(TWOrHFields fields)
    {
        if (fields.SavePath.empty()) {
            fields.SavePath = Out();
        }
        return ClickStart(host_, TWOrHBatch(fields, recorder_.Table())).has_value();
    }
    static TWOrHFields ByWidth(const std::string& width, const std::string& height = "")
    {
        TWOrHFields fields;
        fields.WidthChosen = true;
        fields.WidthText = width;
        fields.HeightText = height;
        return fields;
    }
    static TWOrHFields ByHeight(const std::string& height, const std::string& width = "")
    {
        TWOrHFields fields;
        fields.HeightChosen = true;
        fields.HeightText = height;
        fields.WidthText = width;
        return fields;
    }
};

TEST_F(SideJobChecks, EmptyListComesBeforeTheSideChoice)
{
    host_.Items.clear();
    EXPECT_FALSE(Click(TWOrHFields{}));
    EXPECT_EQ(host_.Messages, (std::vector<TShownMessage>{{kNoFiles, kInfo}}));
    ExpectNothingRan();
}

TEST_F(SideJobChecks, NoSideChosenIsRefusedWithoutFocus)
{
    EXPECT_FALSE(Click(TWOrHFields{}));
    EXPECT_EQ(host_.Messages, (std::vector<TShownMessage>{{"请选择创建缩略图的方式！", kInfo}}));
    EXPECT_TRUE(host_.Focus.empty());
    ExpectNothingRan();
}

TEST_F(SideJobChecks, EmptySizeLeavesTheFocusAndZeroMovesIt)
{
    const struct {
        TWOrHFields Fields;
        std::vector<std::string> Focus;
    } rows[] = {
        {ByWidth(" "), {}},
        {ByHeight(""), {}},
        {ByWidth("0"), {"EdtWOnly"}},
        {ByHeight("00"), {"EdtHOnly"}},
    };
    for (const auto& row : rows) {
        host_.Messages.clear();
        host_.Focus.clear();
        EXPECT_FALSE(Click(row.Fields));
        EXPECT_EQ(host_.Messages, (std::vector<TShownMessage>{{kBadRule, kInfo}}));
        EXPECT_EQ(host_.Focus, row.Focus);
    }
    ExpectNothingRan();
}

TEST_F(SideJobChecks, OnlyTheChosenSidesFieldIsTested)
{
    std::filesystem::create_directories(Out());
    EXPECT_TRUE(Click(ByWidth("40", "")));
    EXPECT_TRUE(Click(ByHeight("30", "0")));
    ASSERT_EQ(recorder_.Calls.size(), 2u);
    EXPECT_TRUE(recorder_.Calls[0].ByWidth);
    EXPECT_EQ(recorder_.Calls[0].First, 40);
    EXPECT_FALSE(recorder_.Calls[1].ByWidth);
    EXPECT_EQ(recorder_.Calls[1].First, 30);
}

TEST_F(SideJobChecks, DigitStringTooLongForAnIntegerIsAConversionError)
{
    EXPECT_FALSE(Click(ByWidth("99999999999")));
    EXPECT_EQ(host_.Errors, std::vector<std::string>{"'99999999999' is not a valid integer value"});
    ExpectNothingRan();
}

TEST_F(SideJobChecks, SaveFolderStepsFollowTheSize)
{
    TWOrHFields fields = ByWidth("40");
    fields.SavePath = " ";
    EXPECT_FALSE(Click(fields));
    EXPECT_EQ(host_.Messages, (std::vector<TShownMessage>{{kNoFolder, kAskOk}}));
    EXPECT_EQ(host_.Focus, std::vector<std::string>{"EdtWOrHPath"});

    host_.Messages.clear();
    host_.Focus.clear();
    host_.YesNoAnswers = {TMessageAnswer::maYes};
    fields.SavePath = Out("no/such");
    EXPECT_FALSE(Click(fields));
    EXPECT_EQ(host_.Messages, (std::vector<TShownMessage>{{kCreate, kAskYesNo}, {kCannot, kInfo}}));
    EXPECT_EQ(host_.Focus, std::vector<std::string>{"EdtWOrHPath"});
    ExpectNothingRan();
}

}  // namespace
}  // namespace quillane::test
