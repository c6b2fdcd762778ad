// quillane-batch undo: the journal of a rename run listed and taken back through the
// real binary.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include <chrono>
#include <thread>

#include "cli/BatchProcess.h"
#include "cli/ChildBatch.h"
#include "cli/SourceAndOutFolders.h"

namespace quillane::test {
namespace {

class UndoCommand : public SourceAndOutFolders {
protected:
    void SetUp() override
    {
        SourceAndOutFolders::SetUp();
        ::setenv("XDG_DATA_HOME", (folder_.Path() / "data").c_str(), 1);
        std::ofstream(Src("a.jpg")) << "a";
        std::ofstream(Src("b.png")) << "b";
    }
};

TEST_F(UndoCommand, ListsTheRunAndTakesItBackOnce)
{
    ASSERT_EQ(RunBatch({"rename", "--name-prefix", "n", Src().string()}, folder_.Path()).ExitStatus, 0);
    ASSERT_TRUE(std::filesystem::exists(Src("n0.jpg")));

    const TBatchResult list = RunBatch({"undo", "--list"}, folder_.Path());
    ASSERT_EQ(list.ExitStatus, 0);
    ASSERT_EQ(list.OutLines().size(), 1u);
    EXPECT_NE(list.Out.find("撤销重命名：" + (folder_.Path() / "src").string() + "，2 个文件"), std::string::npos)
        << list.Out;

    const std::string id = list.OutLines()[0].substr(0, list.OutLines()[0].find('\t'));
    const TBatchResult undo = RunBatch({"undo", id}, folder_.Path());
    EXPECT_EQ(undo.ExitStatus, 0) << undo.Err;
    EXPECT_EQ(undo.OutLines().size(), 2u);
    EXPECT_TRUE(std::filesystem::exists(Src("a.jpg")));
    EXPECT_TRUE(std::filesystem::exists(Src("b.png")));

    const TBatchResult again = RunBatch({"undo"}, folder_.Path());
    EXPECT_EQ(again.ExitStatus, 1);
    EXPECT_EQ(again.Err, "没有可以撤销的操作。\n");
}

TEST_F(UndoCommand, ARunKilledInTheMiddleIsTakenBackWhole)
{
    for (int i = 0; i < 400; ++i) {
        std::ofstream(Src("p" + std::to_string(1000 + i) + ".jpg")) << i;
    }
    const auto renamed = [this] {
        int count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(Src())) {
            count += entry.path().filename().string().rfind("n", 0) == 0;
        }
        return count;
    };
    {
        TChildBatch child({"rename", "--name-prefix", "n", Src().string()}, folder_.Path());
        for (int waited = 0; renamed() < 20 && waited < 10000; ++waited) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        child.Kill();
        child.Wait();
    }
    ASSERT_GT(renamed(), 0);
    EXPECT_EQ(RunBatch({"undo"}, folder_.Path()).ExitStatus, 0);
    EXPECT_EQ(renamed(), 0);
    for (int i = 0; i < 400; ++i) {
        EXPECT_EQ(std::filesystem::exists(Src("p" + std::to_string(1000 + i) + ".jpg")), true) << i;
    }
}

}  // namespace
}  // namespace quillane::test
