#include "SettingsTestFolder.h"
#include "ui/settings/IniFile.h"
#include "ui/settings/Settings.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

namespace quillane {
namespace {

using test::ReadBytes;
using test::WriteBytes;

class IniFileTest : public ::testing::Test {
protected:
    std::filesystem::path File() const { return folder_ / "Quillane.ini"; }
    void Given(const std::string& bytes) const { WriteBytes(File(), bytes); }
    std::string Contents() const { return ReadBytes(File()); }

    test::TSettingsTestFolder folder_;
};

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesTheDefault)
{
    TIniFile ini(File());
    EXPECT_EQ(ini.ReadString("Percent", "PWidth", "_s"), "_s");
    EXPECT_EQ(ini.ReadInteger("Page", "ActivePage", 3), 3);
    EXPECT_TRUE(ini.ReadBool("Percent", "PConstraint", true));
    EXPECT_FALSE(std::filesystem::exists(File())) << "reading must not create the file";

    Given("[Percent]\nPHeight=5\nEmpty=\n");
    EXPECT_EQ(ini.ReadString("Percent", "PWidth", "d"), "d");
    EXPECT_EQ(ini.ReadString("Pixel", "PHeight", "d"), "d");
    EXPECT_EQ(ini.ReadString("Percent", "Empty", "d"), "") << "a present empty value is not missing";
}

TEST_F(IniFileTest, SectionAndKeyNamesMatchInAnyLetterCase)
{
    Given("[percent]\nPWIDTH=40\n[WorH]\nCmbXFixWOrH=1\n");
    TIniFile ini(File());
    EXPECT_EQ(ini.ReadString("Percent", "PWidth", ""), "40");
    EXPECT_EQ(ini.ReadString("PERCENT", "pwidth", ""), "40");
    EXPECT_EQ(ini.ReadInteger("WOrH", "CmbXFixWorH", 0), 1);
}

TEST_F(IniFileTest, FirstMatchingSectionAndKeyWin)
{
    Given("[A]\nk=1\nk=2\n[a]\nk=3\nonly=4\n");
    TIniFile ini(File());
    EXPECT_EQ(ini.ReadString("A", "k", ""), "1");
    EXPECT_EQ(ini.ReadString("A", "only", "none"), "none");
    ASSERT_TRUE(ini.WriteString("a", "K", "9"));
    EXPECT_EQ(Contents(), "[A]\nk=9\nk=2\n[a]\nk=3\nonly=4\n");
}

TEST_F(IniFileTest, WrittenValueReplacesTheOldOneInPlace)
{
    Given("; kept\n[Percent]\nPWIDTH = 40\nPHeight=40\n\n[Pixel]\nWidth=7\n");
    TIniFile ini(File());
    ASSERT_TRUE(ini.WriteString("percent", "PWidth", "55"));
    EXPECT_EQ(Contents(), "; kept\n[Percent]\nPWIDTH =55\nPHeight=40\n\n[Pixel]\nWidth=7\n");
    EXPECT_EQ(ini.ReadString("Percent", "PWidth", ""), "55");
}

TEST_F(IniFileTest, NewKeyGoesToTheEndOfItsSectionAndNewSectionToTheEndOfTheFile)
{
    Given("[Percent]\nPWidth=40\n\n[Pixel]\nWidth=7\n");
    TIniFile ini(File());
    ASSERT_TRUE(ini.WriteString("PERCENT", "PHeight", "41"));
    EXPECT_EQ(Contents(), "[Percent]\nPWidth=40\nPHeight=41\n\n[Pixel]\nWidth=7\n");
    ASSERT_TRUE(ini.WriteString("Pixel", "Height", "8"));
    EXPECT_EQ(Contents(), "[Percent]\nPWidth=40\nPHeight=41\n\n[Pixel]\nWidth=7\nHeight=8\n");
    ASSERT_TRUE(ini.WriteString("Crop", "Left", "0"));
    EXPECT_EQ(Contents(), "[Percent]\nPWidth=40\nPHeight=41\n\n[Pixel]\nWidth=7\nHeight=8\n[Crop]\nLeft=0\n");
}

TEST_F(IniFileTest, FileWithoutFinalLineBreakGetsNewSectionOnItsOwnLine)
{
    Given("[A]\nk=1");
    TIniFile ini(File());
    ASSERT_TRUE(ini.WriteString("A", "k", "2"));
    EXPECT_EQ(Contents(), "[A]\nk=2");
    ASSERT_TRUE(ini.WriteString("B", "k", "3"));
    EXPECT_EQ(Contents(), "[A]\nk=2\n[B]\nk=3\n");
}

TEST_F(IniFileTest, EachWriteReachesTheFileAtOnceAndLeavesNoTemporaryFile)
{
    TIniFile ini(File());
    ASSERT_TRUE(ini.WriteInteger("Form", "width", 900));
    EXPECT_EQ(Contents(), "[Form]\nwidth=900\n");
    ASSERT_TRUE(ini.WriteBool("Percent", "PConstraint", false));
    EXPECT_EQ(Contents(), "[Form]\nwidth=900\n[Percent]\nPConstraint=0\n");
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder_.Path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

TEST_F(IniFileTest, IntegersAreDecimalOrHexadecimalAndAnythingElseGivesTheDefault)
{
    const struct {
        const char* text;
        int expected;
    } cases[] = {
        {"42", 42},
        {"-7", -7},
        {"+7", 7},
        {"  12  ", 12},
        {"0x1F", 31},
        {"0X1f", 31},
        {"0x0010", 16},
        {"0xFF000008", clWindowText},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"0x", -1},
        {"0xG1", -1},
        {"0x100000000", -1},
        {"12abc", -1},
        {"", -1},
        {"abc", -1},
        {"2147483648", -1},
        {"-2147483649", -1},
        {"1.5", -1},
        {"$10", -1},
        {"- 3", -1},
        {"-", -1},
    };
    TIniFile ini(File());
    for (const auto& c : cases) {
        Given(std::string("[S]\nk=") + c.text + "\n");
        EXPECT_EQ(ini.ReadInteger("S", "k", -1), c.expected) << "value \"" << c.text << "\"";
    }
}

TEST_F(IniFileTest, FlagsAreAnyNonZeroIntegerAndInvalidFlagsGiveTheDefault)
{
    Given("[S]\none=1\nzero=0\nfive=5\nhex=0x0\nword=yes\n");
    TIniFile ini(File());
    EXPECT_TRUE(ini.ReadBool("S", "one", false));
    EXPECT_FALSE(ini.ReadBool("S", "zero", true));
    EXPECT_TRUE(ini.ReadBool("S", "five", false));
    EXPECT_FALSE(ini.ReadBool("S", "hex", true));
    EXPECT_TRUE(ini.ReadBool("S", "word", true));
    EXPECT_FALSE(ini.ReadBool("S", "word", false));
}

TEST_F(IniFileTest, ReadValuesAreCutAfter2047Characters)
{
    TIniFile ini(File());
    ASSERT_TRUE(ini.WriteString("Watermark", "Text", std::string(3000, 'a')));
    EXPECT_EQ(ini.ReadString("Watermark", "Text", ""), std::string(2047, 'a'));

    ASSERT_TRUE(ini.WriteString("Watermark", "Text", std::string(2047, 'b')));
    EXPECT_EQ(ini.ReadString("Watermark", "Text", ""), std::string(2047, 'b'));

    std::string wide;
    for (int i = 0; i < 2100; ++i)
        wide += "水";
    ASSERT_TRUE(ini.WriteString("Watermark", "Text", wide));
    EXPECT_EQ(ini.ReadString("Watermark", "Text", ""), wide.substr(0, 2047 * 3)) << "cut between characters";
}

TEST_F(IniFileTest, TextComesBackExactlyWithBlanksQuotesAndEqualsSigns)
{
    TIniFile ini(File());
    for (const std::string value :
         {" _s", "_s ", "\"quoted\"", "'single'", "a=b", "\"", "", "水印 [x]", "; not a comment"}) {
        ASSERT_TRUE(ini.WriteString("Percent", "FileNamePrefix", value));
        EXPECT_EQ(ini.ReadString("Percent", "FileNamePrefix", "default"), value) << "value [" << value << "]";
    }
}

TEST_F(IniFileTest, QuotedAndPaddedValuesOfOtherWritersReadWithoutQuotesAndBlanks)
{
    Given("[S]\na=\"hello\"\nb=  padded  \nc='x y'\n");
    TIniFile ini(File());
    EXPECT_EQ(ini.ReadString("S", "a", ""), "hello");
    EXPECT_EQ(ini.ReadString("S", "b", ""), "padded");
    EXPECT_EQ(ini.ReadString("S", "c", ""), "x y");
}

TEST_F(IniFileTest, LineBreaksInAValueCannotAddSectionsOrKeys)
{
    Given("[Form]\nwidth=900\n");
    TIniFile ini(File());
    ASSERT_TRUE(ini.WriteString("Watermark", "Text", "a\r\n[Form]\nwidth=5"));
    EXPECT_EQ(ini.ReadInteger("Form", "width", 0), 900);
    EXPECT_EQ(ini.ReadString("Watermark", "Text", ""), "a  [Form] width=5");
    EXPECT_EQ(ini.ReadString("Watermark", "width", "none"), "none");
}

TEST_F(IniFileTest, CrLfFilesAreReadAndKeepTheirLineEnding)
{
    Given("[Percent]\r\nPWidth=40\r\n\r\n[Pixel]\r\nWidth=7\r\n");
    TIniFile ini(File());
    EXPECT_EQ(ini.ReadString("Percent", "PWidth", ""), "40");
    EXPECT_EQ(ini.ReadString("Pixel", "Width", ""), "7");
    ASSERT_TRUE(ini.WriteString("Percent", "PHeight", "41"));
    ASSERT_TRUE(ini.WriteString("Crop", "Left", "3"));
    EXPECT_EQ(Contents(), "[Percent]\r\nPWidth=40\r\nPHeight=41\r\n\r\n[Pixel]\r\nWidth=7\r\n[Crop]\r\nLeft=3\r\n");
}

TEST_F(IniFileTest, ByteOrderMarkIsSkippedOnReadAndKeptOnWrite)
{
    Given("\xEF\xBB\xBF[Form]\nwidth=900\n");
    TIniFile ini(File());
    EXPECT_EQ(ini.ReadInteger("Form", "width", 0), 900);
    ASSERT_TRUE(ini.WriteInteger("Form", "width", 901));
    EXPECT_EQ(Contents(), "\xEF\xBB\xBF[Form]\nwidth=901\n");
}

// The whole file is judged at once: "水印" alone would also pass as UTF-8 bytes, but
// "缩略" elsewhere in the file shows it is the Windows code page.
TEST_F(IniFileTest, TextFromAWindowsCodePageFileReadsAsUtf8AndIsSavedAsUtf8)
{
    Given("[Percent]\r\nFileNamePrefix=\xCB\xF5\xC2\xD4\r\n[Watermark]\r\nText=\xCB\xAE\xD3\xA1\r\n");
    TIniFile ini(File());
    EXPECT_EQ(ini.ReadString("Percent", "FileNamePrefix", ""), "缩略");
    EXPECT_EQ(ini.ReadString("Watermark", "Text", ""), "水印");
    ASSERT_TRUE(ini.WriteString("Percent", "PWidth", "5"));
    EXPECT_EQ(Contents(), "[Percent]\r\nFileNamePrefix=缩略\r\nPWidth=5\r\n[Watermark]\r\nText=水印\r\n");
}

TEST_F(IniFileTest, Utf8TextIsNeverTakenForTheWindowsCodePage)
{
    Given("[Percent]\nFileNamePrefix=café_缩略\n");
    TIniFile ini(File());
    EXPECT_EQ(ini.ReadString("Percent", "FileNamePrefix", ""), "café_缩略");
}

TEST_F(IniFileTest, UnwritableFileGivesUnableToWriteAndKeepsTheFile)
{
    Given("[Form]\nwidth=900\n");
    std::filesystem::permissions(File(), std::filesystem::perms::owner_write, std::filesystem::perm_options::remove);
    TIniFile ini(File());
    EXPECT_FALSE(ini.WriteInteger("Form", "width", 5));
    EXPECT_EQ(ini.Error(), "Unable to write to " + File().string());
    EXPECT_EQ(Contents(), "[Form]\nwidth=900\n");
    EXPECT_EQ(ini.ReadInteger("Form", "width", 0), 900);
}

TEST_F(IniFileTest, PathThatCannotHoldAFileGivesUnableToWrite)
{
    std::filesystem::create_directory(File());
    TIniFile asFolder(File());
    EXPECT_FALSE(asFolder.WriteString("Form", "width", "5"));
    EXPECT_EQ(asFolder.Error(), "Unable to write to " + File().string());
    EXPECT_EQ(asFolder.ReadString("Form", "width", "none"), "none");

    WriteBytes(folder_ / "plain", "x");
    const auto underAFile = folder_ / "plain" / "Quillane.ini";
    TIniFile blocked(underAFile);
    EXPECT_FALSE(blocked.WriteString("Form", "width", "5"));
    EXPECT_EQ(blocked.Error(), "Unable to write to " + underAFile.string());
}

TEST_F(IniFileTest, ErrorIsClearedByTheNextSuccessfulWriteAndBadNamesAreRefused)
{
    TIniFile ini(File());
    EXPECT_FALSE(ini.WriteString("Form]\n[X", "width", "5"));
    EXPECT_FALSE(ini.Error().empty());
    EXPECT_FALSE(ini.WriteString("Form", "a=b", "5"));
    EXPECT_FALSE(ini.WriteString("Form", "", "5"));
    EXPECT_FALSE(std::filesystem::exists(File()));
    ASSERT_TRUE(ini.WriteString("Form", "width", "5"));
    EXPECT_TRUE(ini.Error().empty());
}

TEST_F(IniFileTest, MissingFoldersAreCreatedAndLinksAreFollowed)
{
    const auto nested = folder_ / "config" / "Quillane" / "Quillane.ini";
    TIniFile ini(nested);
    ASSERT_TRUE(ini.WriteString("Form", "width", "5"));
    EXPECT_EQ(ReadBytes(nested), "[Form]\nwidth=5\n");

    const auto link = folder_ / "link.ini";
    std::filesystem::create_symlink(nested, link);
    TIniFile linked(link);
    ASSERT_TRUE(linked.WriteString("Form", "width", "6"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(nested), "[Form]\nwidth=6\n");
}

}  // namespace
}  // namespace quillane
