#include "SettingsTestFolder.h"
#include "ui/settings/SettingsLocation.h"
#include "ui/settings/SettingsRules.h"

#include <gtest/gtest.h>

namespace quillane {
namespace {

TEST(SettingsColorTest, PickedColoursKeepRedInTheLowByteAndSystemColoursResolveWhenDrawn)
{
    const TColor orange = ColorFromRgb(255, 128, 1);
    EXPECT_EQ(orange, 0x000180FF);
    EXPECT_EQ(RedOf(orange), 255);
    EXPECT_EQ(GreenOf(orange), 128);
    EXPECT_EQ(BlueOf(orange), 1);
    EXPECT_FALSE(IsSystemColor(orange));
    EXPECT_EQ(ResolveColor(orange, ColorFromRgb(9, 9, 9)), orange);

    EXPECT_EQ(clWindowText, -16777208) << "the code the Windows build writes";
    EXPECT_TRUE(IsSystemColor(clWindowText));
    EXPECT_EQ(ResolveColor(clWindowText, ColorFromRgb(20, 30, 40)), ColorFromRgb(20, 30, 40));
    EXPECT_EQ(ResolveColor(static_cast<TColor>(0x020000FF), 0), ColorFromRgb(255, 0, 0)) << "palette form";
}

TEST(SettingsRuleTest, WindowSizeLimitsAtTheirEdges)
{
    const TWindowSize screen{1920, 1080};
    EXPECT_EQ(RestoreWindowSize({10, 10}, screen), (TWindowSize{10, 10}));
    EXPECT_EQ(RestoreWindowSize({1920, 1090}, screen), (TWindowSize{1920, 1090}));
    EXPECT_EQ(RestoreWindowSize({1921, 1091}, screen), (TWindowSize{1920, 1080}));
    EXPECT_TRUE(StoresWindowSize(TWindowState::wsNormal));
    EXPECT_FALSE(StoresWindowSize(TWindowState::wsMaximized));
    EXPECT_FALSE(StoresWindowSize(TWindowState::wsMinimized));
}

TEST(SettingsRuleTest, FontCaptionShowsFaceAndPointSize)
{
    TFontSettings font;
    font.name = "Arial";
    font.size = 12;
    font.bold = true;
    EXPECT_EQ(FontCaption(font), "Arial [12]");
}

class SettingsLocationTest : public ::testing::Test {
protected:
    test::TSettingsTestFolder folder_;
};

TEST_F(SettingsLocationTest, BesideTheProgramWhenItsFolderTakesNewFiles)
{
    EXPECT_EQ(LocateSettingsFile(folder_.Path(), "/xdg", "/home/u"), folder_ / "Quillane.ini");
}

TEST_F(SettingsLocationTest, ElseInTheUsersConfigurationFolder)
{
    const auto missing = folder_ / "no-such-folder";
    EXPECT_EQ(LocateSettingsFile(missing, "/xdg", "/home/u"), std::filesystem::path("/xdg/Quillane/Quillane.ini"));
    EXPECT_EQ(LocateSettingsFile(missing, "", "/home/u"),
              std::filesystem::path("/home/u/.config/Quillane/Quillane.ini"));
    EXPECT_EQ(LocateSettingsFile(missing, "relative/xdg", "/home/u"),
              std::filesystem::path("/home/u/.config/Quillane/Quillane.ini"));
}

TEST_F(SettingsLocationTest, RunningProgramLooksBesideItsOwnExecutable)
{
    const auto file = LocateSettingsFile();
    // The test program's own folder takes new files, so the file sits beside it.
    EXPECT_EQ(file, std::filesystem::read_symlink("/proc/self/exe").parent_path() / "Quillane.ini");
}

}  // namespace
}  // namespace quillane
