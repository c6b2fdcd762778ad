#include "SettingsTestFolder.h"
#include "ui/settings/SettingsRules.h"
#include "ui/settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace quillane {
namespace {

using test::ReadBytes;
using test::WriteBytes;

constexpr TWindowSize kScreen{1920, 1080};

class SettingsStoreTest : public ::testing::Test {
protected:
    std::filesystem::path File() const { return folder_ / "Quillane.ini"; }
    void Given(const std::string& bytes) const { WriteBytes(File(), bytes); }

    // What a fresh window shows after both loading stages.
    TSettings Loaded() const
    {
        TSettingsStore store(File());
        TSettings fields;
        fields.window = store.LoadWindowSize(fields.window, kScreen);
        store.LoadPages(fields);
        return fields;
    }

    test::TSettingsTestFolder folder_;
};

TEST_F(SettingsStoreTest, FirstStartWithoutAFileGivesTheInitialFields)
{
    const TSettings fields = Loaded();
    EXPECT_EQ(fields.window, (TWindowSize{839, 669}));
    EXPECT_EQ(fields.activePage, 0);
    EXPECT_TRUE(fields.percent.ChkConstraint);
    EXPECT_EQ(fields.percent.lbEdtPrefix, "_s");
    EXPECT_EQ(fields.pixel.EdtPrefixPixel, "_s");
    EXPECT_EQ(fields.wOrH.EdtPrefixWOrH, "_s");
    EXPECT_EQ(fields.wOrH.side, scNone);
    EXPECT_EQ(fields.crop.EdtCutPrefix, "_c");
    EXPECT_EQ(fields.watermark.EdtWatermarkPrefix, "_w");
    EXPECT_EQ(fields.watermark.EdtWatermarkOpacity, "100");
    EXPECT_EQ((std::vector<std::string>{fields.crop.EdtLeft, fields.crop.EdtTop, fields.crop.EdtW, fields.crop.EdtH}),
              (std::vector<std::string>{"0", "0", "100", "100"}));
    EXPECT_TRUE(fields.watermark.RbText);
    EXPECT_EQ(FontCaption(fields.watermark.font), "MS Sans Serif [8]");
    EXPECT_EQ(fields.watermark.font.color, clWindowText);
    EXPECT_TRUE(fields.rename.RbRenameNumber);
    EXPECT_FALSE(fields.rename.RbRenameRandom);
    EXPECT_EQ(fields, TSettings{});
    EXPECT_FALSE(std::filesystem::exists(File())) << "only closing creates the file";
}

TEST_F(SettingsStoreTest, StoredWindowSizeIsFittedToTheScreen)
{
    const struct {
        const char* width;
        const char* height;
        TWindowSize expected;
    } cases[] = {
        {"5", "700", {1920, 700}},  {"10000", "700", {1920, 700}}, {"1920", "1090", {1920, 1090}},
        {"10", "1091", {10, 1080}}, {"9", "9", {1920, 1080}},      {"0x400", "0x300", {1024, 768}},
        {"wide", "", {839, 669}},   {"-900", "-1", {1920, 1080}},
    };
    for (const auto& c : cases) {
        Given(std::string("[form]\nWIDTH=") + c.width + "\nheight=" + c.height + "\n");
        EXPECT_EQ(Loaded().window, c.expected) << c.width << " x " << c.height;
    }
}

TEST_F(SettingsStoreTest, OnlyANormalWindowStoresItsSize)
{
    TSettingsStore store(File());
    TSettings fields;
    fields.window = {1000, 700};
    ASSERT_TRUE(store.Save(fields, TWindowState::wsNormal));
    fields.window = {1920, 1080};
    ASSERT_TRUE(store.Save(fields, TWindowState::wsMaximized));
    EXPECT_EQ(Loaded().window, (TWindowSize{1000, 700}));
    fields.window = {200, 100};
    ASSERT_TRUE(store.Save(fields, TWindowState::wsMinimized));
    EXPECT_EQ(Loaded().window, (TWindowSize{1000, 700}));
}

TEST_F(SettingsStoreTest, MaximisedCloseWithoutAStoredSizeLeavesTheDefault)
{
    TSettings fields;
    fields.window = {1920, 1080};
    ASSERT_TRUE(TSettingsStore(File()).Save(fields, TWindowState::wsMaximized));
    EXPECT_EQ(ReadBytes(File()).find("[Form]"), std::string::npos);
    EXPECT_EQ(Loaded().window, (TWindowSize{839, 669}));
}

TEST_F(SettingsStoreTest, SideChoiceReadsOnlyTheChosenSideAndKeepsTheOtherInTheFile)
{
    Given("[WOrH]\nRB=0\nWidth=120\nHeight=90\n");
    TSettings fields = Loaded();
    EXPECT_EQ(fields.wOrH.side, scNone);
    EXPECT_EQ(fields.wOrH.EdtWOnly, "");
    EXPECT_EQ(fields.wOrH.EdtHOnly, "");

    Given("[WOrH]\nRB=1\nWidth=120\nHeight=90\n");
    fields = Loaded();
    EXPECT_EQ(fields.wOrH.side, scWidth);
    EXPECT_EQ(fields.wOrH.EdtWOnly, "120");
    EXPECT_EQ(fields.wOrH.EdtHOnly, "");

    Given("[WOrH]\nRB=2\nWidth=120\nHeight=90\n");
    fields = Loaded();
    EXPECT_EQ(fields.wOrH.side, scHeight);
    EXPECT_EQ(fields.wOrH.EdtWOnly, "");
    EXPECT_EQ(fields.wOrH.EdtHOnly, "90");
    ASSERT_TRUE(TSettingsStore(File()).Save(fields, TWindowState::wsNormal));
    TIniFile ini(File());
    EXPECT_EQ(ini.ReadString("WOrH", "Width", ""), "120") << "the unchosen side keeps its stored value";
    EXPECT_EQ(ini.ReadString("WOrH", "Height", ""), "90");

    Given("[WOrH]\nRB=3\nWidth=120\n");
    EXPECT_EQ(Loaded().wOrH.side, scNone);
    fields.wOrH.side = scNone;
    fields.wOrH.EdtHOnly = "55";
    ASSERT_TRUE(TSettingsStore(File()).Save(fields, TWindowState::wsNormal));
    EXPECT_EQ(ini.ReadString("WOrH", "Height", "none"), "none") << "no side chosen writes neither field";
    EXPECT_EQ(ini.ReadInteger("WOrH", "RB", -1), 0);
}

TEST_F(SettingsStoreTest, RadioAndChoiceValuesOutOfRange)
{
    Given("[Pixel]\nRb=2\n[Watermark]\nCmbOrigin=5\nCmbXFixWatermark=-3\n[Crop]\nCmbXFixCut=0\n[Page]\nActivePage=4\n");
    TSettings fields = Loaded();
    EXPECT_EQ(fields.pixel.fitMode, fmScaleCut);
    EXPECT_EQ(fields.watermark.CmbOrigin, oeTopLeft);
    EXPECT_EQ(fields.watermark.CmbXFixWatermark, aePrefix);
    EXPECT_EQ(fields.crop.CmbXFixCut, aeSuffix);
    EXPECT_EQ(fields.activePage, 4);

    Given("[Pixel]\nRB=3\n[Page]\nActivePage=7\n");
    fields = Loaded();
    EXPECT_EQ(fields.pixel.fitMode, fmNoScale) << "the initial radio stays selected";
    EXPECT_EQ(fields.activePage, -1) << "no page is shown";
    ASSERT_TRUE(TSettingsStore(File()).Save(fields, TWindowState::wsNormal));
    EXPECT_EQ(TIniFile(File()).ReadInteger("Page", "ActivePage", 0), -1);
}

TEST_F(SettingsStoreTest, InvalidIntegersGiveTheDefaults)
{
    Given(
        "[Page]\nActivePage=two\n[Percent]\nPConstraint=yes\n[Watermark]\nFontSize=big\nRbText=\n"
        "FontCharset=300\nFontColor=red\n");
    const TSettings fields = Loaded();
    EXPECT_EQ(fields.activePage, 0);
    EXPECT_TRUE(fields.percent.ChkConstraint);
    EXPECT_EQ(fields.watermark.font.size, 8);
    EXPECT_TRUE(fields.watermark.RbText);
    EXPECT_EQ(fields.watermark.font.charset, 1);
    EXPECT_EQ(fields.watermark.font.color, clWindowText);
}

TEST_F(SettingsStoreTest, OtherLetterCasesOfSectionsAndKeysAreFound)
{
    Given(
        "[PERCENT]\nPCONSTRAINT=0\nPWIDTH=40\npheight=60\n[watermark]\nFONTNAME=Noto Sans CJK SC\nfontsize=14\n"
        "FONTBOLD=1\nfontcolor=0x0000FF\n[typechange]\nLBEDTPREFIX2=_t\n");
    const TSettings fields = Loaded();
    EXPECT_FALSE(fields.percent.ChkConstraint);
    EXPECT_EQ(fields.percent.lbEdtRWidth, "40");
    EXPECT_EQ(fields.percent.lbEdtRHeight, "60");
    EXPECT_EQ(FontCaption(fields.watermark.font), "Noto Sans CJK SC [14]");
    EXPECT_TRUE(fields.watermark.font.bold);
    EXPECT_EQ(fields.watermark.font.color, ColorFromRgb(255, 0, 0));
    EXPECT_EQ(fields.convert.lbEdtPrefix2, "_t");
}

TEST_F(SettingsStoreTest, ConstraintMirrorsTheHeightIntoTheWidthWhileLoading)
{
    Given("[Percent]\nPConstraint=1\nPWidth=50\nPHeight=80\n");
    EXPECT_EQ(Loaded().percent.lbEdtRWidth, "80");
    Given("[Percent]\nPConstraint=0\nPWidth=50\nPHeight=80\n");
    EXPECT_EQ(Loaded().percent.lbEdtRWidth, "50");
}

TEST_F(SettingsStoreTest, RenameRadiosFollowTheStoredFlagsInOrder)
{
    Given("[Rename]\nNumberPrefix=0\nRandomPrefix=1\n");
    TSettings fields = Loaded();
    EXPECT_FALSE(fields.rename.RbRenameNumber);
    EXPECT_TRUE(fields.rename.RbRenameRandom);

    Given("[Rename]\nNumberPrefix=1\n");
    fields = Loaded();
    EXPECT_TRUE(fields.rename.RbRenameNumber);
    EXPECT_FALSE(fields.rename.RbRenameRandom);

    Given("[Rename]\nNumberPrefix=1\nRandomPrefix=1\n");
    fields = Loaded();
    EXPECT_FALSE(fields.rename.RbRenameNumber) << "the later row wins";
    EXPECT_TRUE(fields.rename.RbRenameRandom);
}

TSettings EveryFieldChanged()
{
    TSettings fields;
    fields.window = {1200, 800};
    fields.activePage = 6;
    fields.percent = {"30", "30", true, " 前缀 ", aePrefix};
    fields.pixel = {"160", "120", fmScale, "_px", aePrefix};
    fields.wOrH = {scHeight, "", "240", "\"q\"", true, aePrefix};
    fields.rename = {"photo_", false, true};
    fields.crop = {"5", "6", "1024", "768", "_cut", aePrefix};
    fields.watermark.EdtWatermark = "© 2024 水印=1";
    fields.watermark.font = {"Noto Serif CJK SC", 24, 134, ColorFromRgb(10, 20, 30), true, true, true, true};
    fields.watermark.EdtWatermarkX = "12";
    fields.watermark.EdtWatermarkY = "34";
    fields.watermark.EdtWatermarkOpacity = "55";
    fields.watermark.EdtWatermarkPrefix = "";
    fields.watermark.RbText = false;
    fields.watermark.CmbXFixWatermark = aePrefix;
    fields.watermark.CmbOrigin = oeTopLeft;
    fields.convert = {"_conv", aePrefix};
    return fields;
}

TEST_F(SettingsStoreTest, EveryFieldSurvivesACloseAndAStart)
{
    const TSettings saved = EveryFieldChanged();
    ASSERT_TRUE(TSettingsStore(File()).Save(saved, TWindowState::wsNormal));
    EXPECT_EQ(Loaded(), saved);

    TSettings other = saved;
    other.wOrH = {scWidth, "300", "", "_s", false, aeSuffix};
    other.pixel.fitMode = fmNoScale;
    other.watermark.font = TFontSettings{};
    ASSERT_TRUE(TSettingsStore(File()).Save(other, TWindowState::wsNormal));
    EXPECT_EQ(Loaded(), other);
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

std::vector<std::string> NamesOnly(const std::vector<std::string>& lines)
{
    std::vector<std::string> names;
    for (const auto& line : lines)
        names.push_back(line.substr(0, line.find('=')));
    return names;
}

TEST_F(SettingsStoreTest, AFileCreatedFromNothingFollowsTheSaveOrder)
{
    TSettings fields;
    fields.wOrH.side = scWidth;
    ASSERT_TRUE(TSettingsStore(File()).Save(fields, TWindowState::wsNormal));
    const std::vector<std::string> expected = {"[Form]",
                                               "width",
                                               "Height",
                                               "[Page]",
                                               "ActivePage",
                                               "[Percent]",
                                               "PWidth",
                                               "PHeight",
                                               "PConstraint",
                                               "FileNamePrefix",
                                               "CmbXfixPercent",
                                               "[Pixel]",
                                               "Width",
                                               "Height",
                                               "Rb",
                                               "FileNamePrefix",
                                               "CmbXFixPixel",
                                               "[WOrH]",
                                               "Width",
                                               "RB",
                                               "FileNamePrefix",
                                               "ChkSkipSmaller",
                                               "CmbXFixWOrH",
                                               "[Rename]",
                                               "NamePrefix",
                                               "NumberPrefix",
                                               "RandomPrefix",
                                               "[Watermark]",
                                               "Text",
                                               "FontName",
                                               "FontSize",
                                               "FontCharset",
                                               "FontColor",
                                               "FontBold",
                                               "FontItalic",
                                               "FontUnderline",
                                               "FontStrikeOut",
                                               "WatermarkX",
                                               "WatermarkY",
                                               "Opacity",
                                               "FileNamePrefix",
                                               "RbText",
                                               "CmbXFixWatermark",
                                               "CmbOrigin",
                                               "[Crop]",
                                               "Left",
                                               "Top",
                                               "Width",
                                               "Height",
                                               "FileNamePrefix",
                                               "CmbXFixCut",
                                               "[TypeChange]",
                                               "lbEdtPrefix2",
                                               "CmbXFix2"};
    const std::string text = ReadBytes(File());
    EXPECT_EQ(NamesOnly(Lines(text)), expected);
    EXPECT_NE(text.find("FontColor=-16777208\n"), std::string::npos) << "the window-text colour code, in decimal";
}

// A file as the Windows build leaves it: CRLF lines, its own spellings and values,
// a colour picked in the font dialog and Chinese texts in the Windows code page.
const char* const kWindowsFile =
    "[Form]\r\nwidth=1024\r\nHeight=700\r\n"
    "[Page]\r\nActivePage=2\r\n"
    "[Percent]\r\nPWidth=25\r\nPHeight=25\r\nPConstraint=1\r\nFileNamePrefix=_s\r\nCmbXfixPercent=0\r\n"
    "[Pixel]\r\nWidth=160\r\nHeight=120\r\nRb=1\r\nFileNamePrefix=_s\r\nCmbXFixPixel=1\r\n"
    "[WOrH]\r\nWidth=300\r\nRB=1\r\nFileNamePrefix=_\xCB\xF5\xC2\xD4\r\nChkSkipSmaller=1\r\nCmbXFixWOrH=0\r\n"
    "[Rename]\r\nNamePrefix=IMG\r\nNumberPrefix=1\r\nRandomPrefix=0\r\n"
    "[Watermark]\r\nText=\xCB\xAE\xD3\xA1\r\nFontName=Arial\r\nFontSize=12\r\nFontCharset=134\r\n"
    "FontColor=255\r\nFontBold=1\r\nFontItalic=0\r\nFontUnderline=0\r\nFontStrikeOut=1\r\nWatermarkX=10\r\n"
    "WatermarkY=20\r\nOpacity=80\r\nFileNamePrefix=_w\r\nRbText=1\r\nCmbXFixWatermark=0\r\nCmbOrigin=1\r\n"
    "[Crop]\r\nLeft=0\r\nTop=0\r\nWidth=200\r\nHeight=150\r\nFileNamePrefix=_c\r\nCmbXFixCut=0\r\n"
    "[TypeChange]\r\nlbEdtPrefix2=\r\nCmbXFix2=0\r\n";

TEST_F(SettingsStoreTest, AFileOfTheWindowsBuildIsReadAndKeepsItsForm)
{
    Given(kWindowsFile);
    const TSettings fields = Loaded();
    EXPECT_EQ(fields.window, (TWindowSize{1024, 700}));
    EXPECT_EQ(fields.activePage, 2);
    EXPECT_EQ(fields.percent, (TPercentSettings{"25", "25", true, "_s", aeSuffix}));
    EXPECT_EQ(fields.pixel, (TPixelSettings{"160", "120", fmScale, "_s", aePrefix}));
    EXPECT_EQ(fields.wOrH, (TWOrHSettings{scWidth, "300", "", "_缩略", true, aeSuffix}));
    EXPECT_EQ(fields.rename, (TRenameSettings{"IMG", true, false}));
    EXPECT_EQ(fields.crop, (TCropSettings{"0", "0", "200", "150", "_c", aeSuffix}));
    EXPECT_EQ(fields.watermark.EdtWatermark, "水印");
    EXPECT_EQ(fields.watermark.font,
              (TFontSettings{"Arial", 12, 134, ColorFromRgb(255, 0, 0), true, false, false, true}));
    EXPECT_EQ(FontCaption(fields.watermark.font), "Arial [12]");
    EXPECT_EQ(fields.watermark.EdtWatermarkOpacity, "80");
    EXPECT_EQ(fields.watermark.CmbOrigin, oeTopLeft);
    EXPECT_EQ(fields.convert, (TConvertSettings{"", aeSuffix}));

    ASSERT_TRUE(TSettingsStore(File()).Save(fields, TWindowState::wsNormal));
    const std::string text = ReadBytes(File());
    EXPECT_EQ(text.find("\n"), text.find("\r\n") + 1) << "lines stay CRLF";
    EXPECT_EQ(Lines(text).size(), Lines(kWindowsFile).size()) << "every key replaced in place, none added";
    EXPECT_EQ(Loaded(), fields);
}

TEST_F(SettingsStoreTest, UnwritableFileReportsUnableToWriteAndKeepsTheFile)
{
    Given("[Form]\nwidth=900\n");
    std::filesystem::permissions(File(), std::filesystem::perms::owner_write, std::filesystem::perm_options::remove);
    TSettingsStore store(File());
    EXPECT_FALSE(store.Save(EveryFieldChanged(), TWindowState::wsNormal));
    EXPECT_EQ(store.Error(), "Unable to write to " + File().string());
    EXPECT_EQ(ReadBytes(File()), "[Form]\nwidth=900\n");
}

}  // namespace
}  // namespace quillane
