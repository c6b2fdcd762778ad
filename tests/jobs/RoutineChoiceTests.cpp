// Which routine each thumbnail job calls for which source, and with which arguments.
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

// Every source kind that matters to the choice, in list order.
const std::vector<std::string> kSources{"a.jpg", "b.png", "c.tif", "d.TIFF"};

class RoutineChoice : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const std::string& name : kSources) {
            Touch(folder_ / "src" / name);
        }
        std::filesystem::create_directories(folder_ / "out");
        host_.ShowFolder(folder_ / "src", false);
    }
    std::string Out() const { return (folder_ / "out").string(); }

    std::vector<std::string> Percent(bool fast)
    {
        TPercentFields fields;
        fields.Width = "50";
        fields.Height = "50";
        fields.SavePath = Out();
        fields.Fast = fast;
        return Run(
            [&](TScriptedHost& host, const TThumbRoutines& r) { return ClickStart(host, TPercentBatch(fields, r)); });
    }
    std::vector<std::string> Pixel(TPixelMode mode, bool fast)
    {
        TPixelFields fields;
        fields.Width = "64";
        fields.Height = "48";
        fields.Mode = mode;
        fields.SavePath = Out();
        fields.Fast = fast;
        return Run(
            [&](TScriptedHost& host, const TThumbRoutines& r) { return ClickStart(host, TPixelBatch(fields, r)); });
    }
    std::vector<std::string> Side(bool byWidth, bool fast)
    {
        TWOrHFields fields;
        fields.WidthChosen = byWidth;
        fields.HeightChosen = !byWidth;
        (byWidth ? fields.WidthText : fields.HeightText) = "32";
        fields.SavePath = Out();
        fields.Fast = fast;
        fields.SkipSmaller = true;
        return Run(
            [&](TScriptedHost& host, const TThumbRoutines& r) { return ClickStart(host, TWOrHBatch(fields, r)); });
    }

    template <typename TClick>
    std::vector<std::string> Run(TClick click)
    {
        recorder_.Calls.clear();
        TScriptedHost host;
        host.Items = host_.Items;
        host.Root = host_.Root;
        host.OverwriteAnswers = {{true, true}};
        EXPECT_TRUE(click(host, recorder_.Table()));
        return recorder_.Names();
    }

    TTempFolder folder_;
    TScriptedHost host_;
    TRoutineRecorder recorder_;
};

using V = std::vector<std::string>;

TEST_F(RoutineChoice, PercentageJobSendsTiffSourcesToHighQuality)
{
    EXPECT_EQ(Percent(true), (V{"PercentFast", "PercentFast", "PercentHQ", "PercentHQ"}));
    EXPECT_EQ(Percent(false), (V{"PercentHQ", "PercentHQ", "PercentHQ", "PercentHQ"}));
}

TEST_F(RoutineChoice, ExactSizeJobTurnsTiffAwayOnlyInCutMode)
{
    EXPECT_EQ(Pixel(pmExact, true), (V{"ExactFast", "ExactFast", "ExactFast", "ExactFast"}));
    EXPECT_EQ(Pixel(pmExact, false), (V{"ExactHQ", "ExactHQ", "ExactHQ", "ExactHQ"}));
    EXPECT_EQ(Pixel(pmFill, true), (V{"FillFast", "FillFast", "FillFast", "FillFast"}));
    EXPECT_EQ(Pixel(pmFill, false), (V{"FillHQ", "FillHQ", "FillHQ", "FillHQ"}));
    EXPECT_EQ(Pixel(pmCut, true), (V{"CutFast", "CutFast", "CutHQ", "CutHQ"}));
    EXPECT_EQ(Pixel(pmCut, false), (V{"CutHQ", "CutHQ", "CutHQ", "CutHQ"}));
}

TEST_F(RoutineChoice, SingleSideJobTurnsTiffAwayOnlyWhenTheWidthIsGiven)
{
    EXPECT_EQ(Side(false, true), (V{"SideFast", "SideFast", "SideFast", "SideFast"}));
    EXPECT_EQ(Side(false, false), (V{"SideHQ", "SideHQ", "SideHQ", "SideHQ"}));
    EXPECT_EQ(Side(true, true), (V{"SideFast", "SideFast", "SideHQ", "SideHQ"}));
    EXPECT_EQ(Side(true, false), (V{"SideHQ", "SideHQ", "SideHQ", "SideHQ"}));
}

TEST_F(RoutineChoice, ArgumentsReachTheRoutineInTheirPlaces)
{
    Touch(folder_ / "out" / "a_s.jpg");  // answered Yes: the one target that may be replaced
    Pixel(pmFill, true);
    const TRecordedCall& fill = recorder_.Calls.at(0);
    EXPECT_EQ(fill.Source, folder_ / "src" / "a.jpg");
    EXPECT_EQ(fill.Target, Out() + "/a_s.jpg");
    EXPECT_EQ(fill.First, 64);
    EXPECT_EQ(fill.Second, 48);
    EXPECT_EQ(fill.Colour, 0xFFFFFFFFu);  // the default panel colour, opaque white
    EXPECT_TRUE(fill.Overwrite);
    // No file at the target when the run looked: nothing may be replaced later either.
    EXPECT_FALSE(recorder_.Calls.at(1).Overwrite);

    Side(true, true);
    const TRecordedCall& side = recorder_.Calls.at(0);
    EXPECT_TRUE(side.ByWidth);
    EXPECT_EQ(side.First, 32);
    EXPECT_TRUE(side.SkipSmaller);
}

TEST_F(RoutineChoice, FillColourIsPackedOpaque)
{
    TPixelFields fields;
    fields.Width = "8";
    fields.Height = "8";
    fields.Mode = pmFill;
    fields.BackColourRgb = 0x123456;
    fields.SavePath = Out();
    Run([&](TScriptedHost& host, const TThumbRoutines& r) { return ClickStart(host, TPixelBatch(fields, r)); });
    EXPECT_EQ(recorder_.Calls.at(0).Colour, 0xFF123456u);
}

}  // namespace
}  // namespace quillane::test
