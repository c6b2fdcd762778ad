// Ctrl+C while quillane-batch waits for an answer on the terminal.
#include <gtest/gtest.h>

#include <pty.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "TestPictures.h"
#include "cli/ChildBatch.h"
#include "cli/SourceAndOutFolders.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;

// A terminal pair; the program reads from the far end as from a person's keyboard.
class TPseudoTerminal {
public:
    TPseudoTerminal()
    {
        if (::openpty(&near_, &far_, nullptr, nullptr, nullptr) != 0) {
            near_ = far_ = -1;
        }
    }
    ~TPseudoTerminal()
    {
        for (const int fd : {near_, far_}) {
            if (fd >= 0) {
                ::close(fd);
            }
        }
    }
    int Far() const { return far_; }

private:
    int near_ = -1;
    int far_ = -1;
};

// Waits until the file holds the text; false after ten seconds.
bool AppearsIn(const fs::path& file, const std::string& text)
{
    for (int tries = 0; tries < 1000; ++tries) {
        std::error_code error;
        if (fs::exists(file, error) && ReadBytes(file).find(text) != std::string::npos) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

class InterruptedQuestionCommand : public SourceAndOutFolders {};

TEST_F(InterruptedQuestionCommand, CtrlCAtAQuestionStopsTheRun)
{
    const struct {
        std::string Name;
        std::vector<std::string> Arguments;
        std::string Question;
        std::string Out;  // as when the window closes at its question: the file answered No
        std::string Stopped;
    } rows[] = {
        {"create the output folder?",
         {"percent", "--width", "50", "--height", "50", "--out", "new", "src"},
         "缩略图输出路径不存在，是否创建？",
         "",
         "已停止：已处理 0 个文件，列表中还有 2 项未处理。"},
        {"replace a file?",
         {"percent", "--width", "50", "--height", "50", "--out", "out", "--jobs", "2", "src"},
         "要创建的文件已存在，是否覆盖？",
         Src("a.png").string() + "创建缩略图失败！\n",
         "已停止：已处理 1 个文件，列表中还有 1 项未处理。"},
    };
    MakePicture(Src("a.png"), 20, 20, {0, 255, 0});
    MakePicture(Src("b.png"), 20, 20, {0, 255, 0});
    WriteBytes(Out("a_s.png"), "keep");
    for (const auto& row : rows) {
        fs::remove(folder_.Path() / ".child-stderr");
        TPseudoTerminal terminal;
        ASSERT_GE(terminal.Far(), 0);
        TChildBatch child(row.Arguments, folder_.Path(), {}, terminal.Far());
        ASSERT_TRUE(AppearsIn(folder_.Path() / ".child-stderr", row.Question)) << row.Name;
        child.Signal(SIGINT);
        if (!AppearsIn(folder_.Path() / ".child-stderr", row.Stopped)) {
            child.Kill();  // still waiting for an answer
        }
        const TBatchResult result = child.Wait();
        EXPECT_EQ(result.ExitStatus, 1) << row.Name << ": " << result.Err;
        EXPECT_EQ(result.Out, row.Out) << row.Name;
        ASSERT_FALSE(result.ErrLines().empty()) << row.Name;
        EXPECT_EQ(result.ErrLines().back(), row.Stopped) << row.Name;
        EXPECT_FALSE(fs::exists(folder_.Path() / "new")) << row.Name;
        EXPECT_EQ(ReadBytes(Out("a_s.png")), "keep") << row.Name;
        EXPECT_FALSE(fs::exists(Out("b_s.png"))) << row.Name;
    }
}

}  // namespace
}  // namespace quillane::test
