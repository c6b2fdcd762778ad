#include "SettingsTestFolder.h"
#include "ui/settings/SettingsLocation.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quillane {
namespace {

namespace fs = std::filesystem;

// A prefix laid out as `cmake --install` lays it: bin/ beside share/applications/.
class InstalledSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(folder_ / "bin");
        fs::create_directories(folder_ / "share" / "applications");
        test::WriteBytes(folder_ / "share" / "applications" / kDesktopEntryName, "[Desktop Entry]\n");
    }
    fs::path Bin() const { return folder_ / "bin"; }

    test::TSettingsTestFolder folder_;
};

// Even where the program's folder takes new files (as /usr/bin does for root), and even
// when a Quillane.ini already lies there, an installed program reads the config folder.
TEST_F(InstalledSettingsTest, AnInstalledProgramKeepsItsSettingsInTheConfigFolder)
{
    struct Case {
        const char* what;
        bool iniBesideProgram;
        const char* xdg;
        fs::path expected;
    };
    const Case cases[] = {
        {"writable bin", false, "/xdg", "/xdg/Quillane/Quillane.ini"},
        {"ini beside", true, "/xdg", "/xdg/Quillane/Quillane.ini"},
        {"no XDG_CONFIG_HOME", true, "", "/home/u/.config/Quillane/Quillane.ini"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.iniBesideProgram)
            test::WriteBytes(Bin() / kSettingsFileName, "[Form]\n");
        EXPECT_EQ(LocateSettingsFile(Bin(), c.xdg, "/home/u"), c.expected);
    }
}

TEST_F(InstalledSettingsTest, AProgramBesideADifferentDesktopEntryIsNotInstalled)
{
    fs::remove(folder_ / "share" / "applications" / kDesktopEntryName);
    test::WriteBytes(folder_ / "share" / "applications" / "other.desktop", "[Desktop Entry]\n");
    EXPECT_EQ(LocateSettingsFile(Bin(), "/xdg", "/home/u"), Bin() / kSettingsFileName);
}

}  // namespace
}  // namespace quillane
