// What a new user meets first: the version, the help and a mistyped job.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "TestPictures.h"
#include "cli/BatchProcess.h"
#include "cli/SourceAndOutFolders.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kJobs{"percent", "pixel", "side", "rename", "convert", "crop", "watermark"};

class HelpCommand : public SourceAndOutFolders {
protected:
    TBatchResult Run(const std::vector<std::string>& arguments) { return RunBatch(arguments, folder_.Path()); }
};

// The words of an example line; a quoted word keeps its blanks.
std::vector<std::string> Words(const std::string& line)
{
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string word; in >> std::quoted(word, '\'');) {
        words.push_back(word);
    }
    return words;
}

TEST_F(HelpCommand, VersionNamesTheProgramAndTheLibrary)
{
    for (const std::string option : {"--version", "-V"}) {
        const TBatchResult result = Run({option});
        EXPECT_EQ(result.ExitStatus, 0) << option << result.Err;
        ASSERT_EQ(result.OutLines().size(), 2u) << result.Out;
        EXPECT_TRUE(std::regex_match(result.OutLines()[0], std::regex(R"(quillane-batch \d+\.\d+\.\d+)")))
            << result.Out;
        EXPECT_TRUE(std::regex_match(result.OutLines()[1], std::regex(R"(libvips \d+\.\d+\.\d+.*)"))) << result.Out;
        EXPECT_EQ(result.Err, "");
    }
}

TEST_F(HelpCommand, EveryHelpIsPlainEnglishWithDefaultsAndAnExample)
{
    // The window's control names begin with their kind, then a capital.
    const std::regex controlName(R"(\b(lbEdt|Edt|Rb|Cmb|Chk|Clb|Memo|Mm|Btn|pnl)[A-Z0-9])");
    std::vector<std::vector<std::string>> helps{{"--help"}};
    for (const std::string& job : kJobs) {
        helps.push_back({job, "--help"});
    }
    for (const auto& arguments : helps) {
        const TBatchResult result = Run(arguments);
        const std::string& help = result.Out;
        EXPECT_EQ(result.ExitStatus, 0) << arguments[0];
        EXPECT_FALSE(std::regex_search(help, controlName)) << help;
        EXPECT_TRUE(std::all_of(help.begin(), help.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
            << help;
        EXPECT_NE(help.find("(default: "), std::string::npos) << help;
        const std::string example =
            arguments.size() == 1 ? "Examples:\n" : "Example:\n  quillane-batch " + arguments[0];
        EXPECT_NE(help.find(example), std::string::npos) << help;
    }
}

TEST_F(HelpCommand, EveryExampleOfTheHelpRunsAsWritten)
{
    const std::string help = Run({"--help"}).Out;
    const std::string section = help.substr(help.find("Examples:"));
    std::vector<std::vector<std::string>> examples;
    std::istringstream lines(section);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("  quillane-batch ", 0) == 0 && line.find(" undo ") == std::string::npos) {
            std::vector<std::string> words = Words(line);
            examples.push_back(std::vector<std::string>(words.begin() + 1, words.end()));
        }
    }
    ASSERT_EQ(examples.size(), kJobs.size()) << section;
    for (std::vector<std::string>& example : examples) {
        const fs::path photos = folder_.Path() / "photos";
        fs::remove_all(photos);
        fs::create_directories(photos);
        MakePicture(photos / "wide.jpg", 1200, 900, {200, 40, 40});
        MakePicture(photos / "tall.png", 900, 1200, {40, 200, 40});
        const auto out = std::find(example.begin(), example.end(), "--out");
        if (out != example.end()) {
            fs::remove_all(folder_.Path() / *(out + 1));
            fs::create_directories(folder_.Path() / *(out + 1));
        }
        const TBatchResult result = Run(example);
        EXPECT_EQ(result.ExitStatus, 0) << example[0] << ": " << result.Err;
        EXPECT_EQ(result.OutLines().size(), 2u) << example[0] << ": " << result.Out;
    }
}

TEST_F(HelpCommand, AMistypedJobNamesItselfAndTheNearestJob)
{
    const struct {
        std::vector<std::string> Arguments;
        std::string Message;
    } rows[] = {
        {{"percnt", "--width", "5", "src"}, "unknown job 'percnt'; did you mean 'percent'?"},
        {{"--jobs", "2", "wtaermark", "src"}, "unknown job 'wtaermark'; did you mean 'watermark'?"},
        {{"Crop", "src"}, "unknown job 'Crop'; did you mean 'crop'?"},
        {{"shrink", "src"},
         "unknown job 'shrink'; the jobs are percent, pixel, side, rename, convert, crop, watermark (and undo takes a "
         "run back)"},
        {{"udno", "--list"}, "unknown job 'udno'; did you mean 'undo'?"},
    };
    for (const auto& row : rows) {
        const TBatchResult result = Run(row.Arguments);
        EXPECT_EQ(result.ExitStatus, 2) << row.Message;
        EXPECT_EQ(result.ErrLines(), std::vector<std::string>{row.Message});
        EXPECT_EQ(result.Out, "");
    }
}

#ifdef QUILLANE_BATCH_MAN_PAGE
TEST(ManualPage, IsMadeFromTheHelpWithEveryJobAndItsExample)
{
    std::ifstream in(QUILLANE_BATCH_MAN_PAGE);
    const std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(page.find(".TH QUILLANE-BATCH \"1\""), std::string::npos) << page.substr(0, 200);
    EXPECT_NE(page.find(".SH EXAMPLES"), std::string::npos);
    for (const std::string& job : kJobs) {
        EXPECT_NE(page.find("Job " + job + ":"), std::string::npos) << job;
        EXPECT_NE(page.find("quillane\\-batch " + job + " \\-"), std::string::npos) << job;
    }
}
#endif

}  // namespace
}  // namespace quillane::test
