// The watermark job: its twelve checks in their order, the colour and matrix it
// derives from the opacity, the values it hands to the routines, and a position
// that cannot be read.
#include <gtest/gtest.h>

#include "TempFolder.h"
#include "jobs/EngineTestFiles.h"
#include "jobs/ScriptedHost.h"
#include "jobs/WatermarkJob.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;

const TMessageStyle kAskOk = TMessageStyle::msQuestionOk;

struct TStampCall {
    std::string Kind;
    fs::path Source, Target;
    std::string Text, Family;
    float Points = 0;
    std::int32_t Style = 0;
    TArgb Colour = 0;
    float Alpha = 0;
    TPointF Offset;
    bool Overwrite = false, FromBottomRight = false;
    std::int32_t MinWidth = 0;
};

class WatermarkJob : public ::testing::Test {
protected:
    void SetUp() override
    {
        source_ = folder_ / "src";
        Touch(source_ / "a.png");
        host_.ShowFolder(source_, false);
        fields_.SavePath = (folder_ / "out").string();
        fs::create_directories(fields_.SavePath);
        fields_.Text = "水印";
        fields_.X = "10";
        fields_.Y = "10";
    }
    std::optional<TRunOutcome> Run()
    {
        TWatermarkRoutines routines;
        routines.Text = [this](const TPath& s, const TPath& t, const std::string& text, const TGPFont& font,
                               TArgb colour, TPointF offset, bool overwrite, bool corner, std::int32_t minWidth) {
            calls_.push_back({"text", s, t, text, font.Family().Name(), font.SizeInPoints(), font.Style(), colour, 0,
                              offset, overwrite, corner, minWidth});
            return TOutcome::Success();
        };
        routines.Picture = [this](const TPath& s, const TPath& t, const TPath& picture, const TColorMatrix& matrix,
                                  TPointF offset, bool overwrite, bool corner, std::int32_t minWidth) {
            calls_.push_back(
                {"picture", s, t, picture.string(), "", 0, 0, 0, matrix.m[3][3], offset, overwrite, corner, minWidth});
            return TOutcome::Success();
        };
        return ClickStart(host_, TWatermarkBatch(fields_, routines));
    }
    // Forgets what earlier clicks of the same test showed.
    void Reset()
    {
        host_.Messages.clear();
        host_.Focus.clear();
        host_.FieldTexts.clear();
        host_.Events.clear();
        host_.Errors.clear();
    }
    void ExpectRefused(const std::string& message, const std::vector<std::string>& focus)
    {
        EXPECT_FALSE(Run());
        EXPECT_EQ(host_.Messages, (std::vector<TShownMessage>{{message, kAskOk}}));
        EXPECT_EQ(host_.Focus, focus);
        EXPECT_TRUE(calls_.empty());
        EXPECT_TRUE(host_.Events.empty());
    }

    TTempFolder folder_;
    fs::path source_;
    TWatermarkFields fields_;
    TScriptedHost host_;
    std::vector<TStampCall> calls_;
};

TEST(WatermarkValues, AlphaRoundsHalvesToEvenAndColourBytesAreReordered)
{
    EXPECT_EQ(OpacityAlpha(30), 76u);
    EXPECT_EQ(OpacityAlpha(50), 128u);  // 127.5
    EXPECT_EQ(OpacityAlpha(10), 26u);   // 25.5
    EXPECT_EQ(OpacityAlpha(1), 3u);
    EXPECT_EQ(OpacityAlpha(100), 255u);
    EXPECT_EQ(WatermarkTextColour(0xFF0000, 100), 0xFF0000FFu);  // stored blue stamps blue
    EXPECT_EQ(WatermarkTextColour(0x0000FF, 50), 0x80FF0000u);   // stored red stamps red
    EXPECT_EQ(WatermarkTextColour(0x00FF00, 30), 0x4C00FF00u);
}

TEST(WatermarkValues, PositionTextsAreReadAsFloatingPointNumbers)
{
    EXPECT_EQ(ParseFloat("10"), 10.0f);
    EXPECT_EQ(ParseFloat(" 2.5 "), 2.5f);
    EXPECT_FALSE(ParseFloat(""));
    EXPECT_FALSE(ParseFloat("1O"));
    EXPECT_EQ(NotAFloatMessage("1O"), "'1O' is not a valid floating point value");
}

TEST_F(WatermarkJob, ChecksStopInTheirOrder)
{
    fields_.Opacity = "abc";
    fields_.X = "";
    ExpectRefused("请正确输入水印标签不透明度(100%为完全不透明)？", {"EdtWatermarkOpacity"});
}

TEST_F(WatermarkJob, OpacityOutOfRangeIsResetTo100)
{
    for (const char* opacity : {"0", "150"}) {
        Reset();
        fields_.Opacity = opacity;
        ExpectRefused("请输入水印标签不透明度(100%为完全不透明)？", {"EdtWatermarkOpacity"});
        EXPECT_EQ(host_.FieldTexts.at("EdtWatermarkOpacity"), "100");
    }
}

TEST_F(WatermarkJob, EmptyOpacityRunsFullyOpaqueAndShows100)
{
    fields_.Opacity = " ";
    fields_.Font.Colour = 0x0000FF;
    ASSERT_TRUE(Run());
    EXPECT_EQ(host_.FieldTexts.at("EdtWatermarkOpacity"), "100");
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].Colour, 0xFFFF0000u);
}

TEST_F(WatermarkJob, EmptyPositionIsAskedForXFirst)
{
    fields_.Y = "";
    ExpectRefused("请输入水印标签位置！", {"EdtWatermarkY"});
    Reset();
    fields_.X = "";
    ExpectRefused("请输入水印标签位置！", {"EdtWatermarkX"});
}

TEST_F(WatermarkJob, MinimumWidthThatIsNoNumberEndsTheClickBeforeTheFolderIsMade)
{
    fields_.MinWidth = "99999999999";
    fields_.SavePath = (folder_ / "new").string();
    EXPECT_FALSE(Run());
    EXPECT_EQ(host_.Errors, std::vector<std::string>{"'99999999999' is not a valid integer value"});
    EXPECT_TRUE(host_.Messages.empty());
    EXPECT_FALSE(fs::exists(fields_.SavePath));
}

TEST_F(WatermarkJob, MarkIsTestedAfterTheFolderWasMade)
{
    fields_.SavePath = (folder_ / "new").string();
    fields_.Text = "";
    host_.YesNoAnswers = {TMessageAnswer::maYes};
    EXPECT_FALSE(Run());
    EXPECT_TRUE(fs::is_directory(fields_.SavePath));
    EXPECT_EQ(host_.Messages.back(), (TShownMessage{"请输入水印标签？", kAskOk}));
    EXPECT_EQ(host_.Focus, std::vector<std::string>{"EdtWatermark"});

    Reset();
    fields_.UseText = false;
    fields_.PicturePath = (folder_ / "gone.png").string();
    ExpectRefused("请输入水印标签图片文件？", {});
}

TEST_F(WatermarkJob, TextRoutineGetsTheRunFontColourCornerAndMinimumWidth)
{
    fields_.Font = TWatermarkFont{"Noto Serif CJK SC", 20, 0xFF0000, true, false, true, false};
    fields_.Opacity = "50";
    fields_.Origin = 1;
    fields_.MinWidth = "";
    fields_.X = "7";
    fields_.Y = "3.5";
    const auto outcome = Run();
    ASSERT_TRUE(outcome);
    ASSERT_EQ(calls_.size(), 1u);
    const TStampCall& call = calls_[0];
    EXPECT_EQ(call.Target, fs::path(fields_.SavePath) / "a_w.png");
    EXPECT_EQ(call.Text, "水印");
    EXPECT_EQ(call.Family, "Noto Serif CJK SC");
    EXPECT_EQ(call.Points, 20.0f);
    EXPECT_EQ(call.Style, fsBold | fsUnderline);
    EXPECT_EQ(call.Colour, 0x800000FFu);
    EXPECT_EQ(call.Offset.x, 7.0f);
    EXPECT_EQ(call.Offset.y, 3.5f);
    EXPECT_FALSE(call.FromBottomRight);
    EXPECT_EQ(call.MinWidth, 0);
    EXPECT_EQ(host_.Lines, std::vector<std::string>{(source_ / "a.png").string() + "增加水印标签完成！"});
    EXPECT_EQ(host_.Messages.back(), (TShownMessage{"水印添加完成！", TMessageStyle::msInformationOk}));
}

TEST_F(WatermarkJob, PictureRoutineGetsTheOpacityMatrix)
{
    fields_.UseText = false;
    fields_.PicturePath = (folder_ / "logo.png").string();
    Touch(fields_.PicturePath);
    fields_.Opacity = "50";
    fields_.MinWidth = "800";
    ASSERT_TRUE(Run());
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].Kind, "picture");
    EXPECT_EQ(calls_[0].Text, fields_.PicturePath);
    EXPECT_FLOAT_EQ(calls_[0].Alpha, 0.5f);
    EXPECT_TRUE(calls_[0].FromBottomRight);
    EXPECT_EQ(calls_[0].MinWidth, 800);
}

TEST_F(WatermarkJob, PositionThatIsNoNumberEndsTheRunAtTheFirstFile)
{
    Touch(source_ / "b.png");
    host_.ShowFolder(source_, false);
    fields_.X = "1e";
    const auto outcome = Run();
    ASSERT_TRUE(outcome);
    EXPECT_TRUE(outcome->Stopped);
    EXPECT_EQ(host_.Errors, std::vector<std::string>{"'1e' is not a valid floating point value"});
    EXPECT_TRUE(calls_.empty());
    EXPECT_TRUE(host_.Lines.empty());
    EXPECT_TRUE(host_.Messages.empty());  // no closing message
    EXPECT_EQ(host_.StopLines, std::vector<std::string>{"已停止：已处理 0 个文件，列表中还有 2 项未处理。"});
    EXPECT_EQ(host_.Events.back(), "idle");
}

}  // namespace
}  // namespace quillane::test
