// The command line's host with a person at the terminal: questions, the overwrite
// prompt's four answers, the progress line.
#include <gtest/gtest.h>

#include <sstream>

#include "GraphicsFixture.h"
#include "TestPictures.h"
#include "cli/BatchCommand.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;

class TerminalRun : public GraphicsTest {
protected:
    void SetUp() override
    {
        fs::create_directories(folder_ / "src");
        for (const char* name : {"a.png", "b.png", "c.png"}) {
            MakePicture(folder_ / "src" / name, 8, 8, {0, 0, 255});
        }
    }
    void MakeExistingTargets()
    {
        fs::create_directories(folder_ / "out");
        for (const char* name : {"a_s.png", "b_s.png", "c_s.png"}) {
            WriteBytes(folder_ / "out" / name, "old");
        }
    }
    int Run(const std::string& typed, bool errIsTty = false)
    {
        const std::string src = (folder_ / "src").string();
        const std::string out = (folder_ / "out").string();
        const char* argv[] = {"quillane-batch", "percent",   "--width",  "50", "--height", "50",
                              "--out",          out.c_str(), src.c_str()};
        std::istringstream in(typed);
        out_.str("");
        err_.str("");
        return RunBatchCommand(9, argv, out_, err_, in, true, errIsTty);
    }
    int Kept() const
    {
        int kept = 0;
        for (const char* name : {"a_s.png", "b_s.png", "c_s.png"}) {
            kept += ReadBytes(folder_ / "out" / name) == "old";
        }
        return kept;
    }
    int Prompts() const
    {
        int prompts = 0;
        for (std::size_t at = err_.str().find("是否覆盖？"); at != std::string::npos;
             at = err_.str().find("是否覆盖？", at + 1)) {
            ++prompts;
        }
        return prompts;
    }

    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(TerminalRun, MissingFolderIsCreatedAfterYesOnTheTerminal)
{
    EXPECT_EQ(Run("n\n"), 2);
    EXPECT_FALSE(fs::exists(folder_ / "out"));
    EXPECT_EQ(Run("y\n"), 0);
    EXPECT_TRUE(fs::exists(folder_ / "out" / "c_s.png"));
}

TEST_F(TerminalRun, OverwritePromptTakesItsFourAnswers)
{
    MakeExistingTargets();
    EXPECT_EQ(Run("y\nhuh\nn\ny\n"), 1);  // an unknown answer is asked again
    EXPECT_EQ(Prompts(), 4);
    EXPECT_EQ(Kept(), 1);

    MakeExistingTargets();
    EXPECT_EQ(Run("s\n"), 1);  // no to all
    EXPECT_EQ(Prompts(), 1);
    EXPECT_EQ(Kept(), 3);

    MakeExistingTargets();
    EXPECT_EQ(Run("n\na\n"), 1);  // yes to all from the second on
    EXPECT_EQ(Prompts(), 2);
    EXPECT_EQ(Kept(), 1);

    MakeExistingTargets();
    EXPECT_EQ(Run(""), 1);  // input ends: No, and nobody is asked again
    EXPECT_EQ(Prompts(), 1);
    EXPECT_EQ(Kept(), 3);
}

TEST_F(TerminalRun, ProgressLineIsShownOnATerminalAndClearedAtTheEnd)
{
    fs::create_directories(folder_ / "out");
    EXPECT_EQ(Run("", true), 0);
    const std::string err = err_.str();
    EXPECT_NE(err.find("[0/3] " + (folder_ / "src" / "a.png").string()), std::string::npos);
    EXPECT_NE(err.find("[2/3] " + (folder_ / "src" / "c.png").string()), std::string::npos) << err;
    EXPECT_EQ(err.substr(err.size() - std::string("处理完成！\n").size()), "处理完成！\n");
    EXPECT_EQ(out_.str().find('\r'), std::string::npos);  // results stay clean

    Run("", false);
    EXPECT_EQ(err_.str().find('\r'), std::string::npos);
}

}  // namespace
}  // namespace quillane::test
