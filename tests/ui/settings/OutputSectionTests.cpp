#include "SettingsTestFolder.h"
#include "ui/settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace quillane {
namespace {

using test::ReadBytes;
using test::WriteBytes;

class OutputSectionTest : public ::testing::Test {
protected:
    std::filesystem::path File() const { return folder_ / "Quillane.ini"; }

    test::TSettingsTestFolder folder_;
};

TOutputSettings Changed()
{
    TOutputSettings settings;
    settings.JpegQuality = 91;
    settings.WebpQuality = 60;
    settings.AvifQuality = 33;
    settings.HeicQuality = 44;
    settings.JxlQuality = 88;
    settings.Lossless = true;
    settings.PngCompression = 9;
    settings.AvifEffort = 2;
    settings.HeicEffort = 7;
    settings.JxlEffort = 5;
    settings.Metadata = TMetadataMode::mdStripGps;
    settings.KeepTimes = true;
    return settings;
}

// Saved settings come back; the file's other sections stay byte for byte.
TEST_F(OutputSectionTest, SavedSettingsComeBackAndTheRestOfTheFileStays)
{
    EXPECT_EQ(TSettingsStore(File()).LoadOutput(), TOutputSettings{});
    const std::string before = "[Form]\r\nWidth=900\r\nheight=700\r\n[Percent]\r\nPWidth=50\r\n";
    WriteBytes(File(), before);
    TSettingsStore store(File());
    ASSERT_TRUE(store.SaveOutput(Changed()));
    EXPECT_EQ(ReadBytes(File()).substr(0, before.size()), before);
    EXPECT_EQ(TSettingsStore(File()).LoadOutput(), Changed());
}

// A value that is no number in its range gives that setting's default; the rest stay.
TEST_F(OutputSectionTest, BadValuesGiveTheirDefaults)
{
    struct TRow {
        const char* Line;
        bool (*Defaulted)(const TOutputSettings&);
    };
    const TRow rows[] = {
        {"JpegQuality=0", [](const TOutputSettings& s) { return s.JpegQuality == 75; }},
        {"JpegQuality=101", [](const TOutputSettings& s) { return s.JpegQuality == 75; }},
        {"WebpQuality=high", [](const TOutputSettings& s) { return s.WebpQuality == 75; }},
        {"AvifEffort=10", [](const TOutputSettings& s) { return s.AvifEffort == 0; }},
        {"PngCompression=-1", [](const TOutputSettings& s) { return s.PngCompression == 6; }},
        {"Metadata=3", [](const TOutputSettings& s) { return s.Metadata == TMetadataMode::mdKeep; }},
    };
    for (const TRow& row : rows) {
        WriteBytes(File(), std::string("[output]\nHeicQuality=42\n") + row.Line + "\n");
        const TOutputSettings loaded = TSettingsStore(File()).LoadOutput();
        EXPECT_TRUE(row.Defaulted(loaded)) << row.Line;
        EXPECT_EQ(loaded.HeicQuality, 42) << row.Line;
    }
}

}  // namespace
}  // namespace quillane
