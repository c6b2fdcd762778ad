// Faults that strike while a run is under way, through the engine with the real
// routines: a source that vanishes, an output folder that turns read-only, a
// read-only target. Each gives failure lines; nothing is lost; the run ends normally.
#include <gtest/gtest.h>
#include <unistd.h>

#include "GraphicsFixture.h"
#include "LockedFolder.h"
#include "TestPictures.h"
#include "jobs/EngineTestFiles.h"
#include "jobs/PercentJob.h"
#include "jobs/ScriptedHost.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;

const std::string kMade = "创建缩略图成功！";
const std::string kNotMade = "创建缩略图失败！";

class RunFaults : public GraphicsTest {
protected:
    void SetUp() override
    {
        source_ = File("src");
        out_ = File("out");
        fs::create_directories(source_);
        fs::create_directories(out_);
        for (const char* name : {"a.png", "b.png", "c.png"})
            WritePicture(NoiseImage(24, 16), source_ / name);
    }
    std::optional<TRunOutcome> Run()
    {
        host_.ShowFolder(source_, false);
        TPercentFields fields;
        fields.Width = "50";
        fields.Height = "50";
        fields.SavePath = out_.string();
        return ClickStart(host_, TPercentBatch(fields, LibraryThumbRoutines()));
    }
    std::string Line(const std::string& name, const std::string& text) const
    {
        return (source_ / name).string() + text;
    }
    std::vector<std::string> OutNames() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(out_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path source_, out_;
    TScriptedHost host_;
};

TEST_F(RunFaults, ASourceRemovedAfterTheListWasBuiltFailsAlone)
{
    host_.OnResult = [this](const std::string& line) {
        if (line == Line("a.png", kMade)) {
            fs::remove(source_ / "b.png");
        }
    };
    ASSERT_TRUE(Run());
    EXPECT_EQ(host_.Lines,
              (std::vector<std::string>{Line("a.png", kMade), Line("b.png", kNotMade), Line("c.png", kMade)}));
    EXPECT_EQ(host_.Messages.back().Text, "处理完成！");
    EXPECT_EQ(OutNames(), (std::vector<std::string>{"a_s.png", "c_s.png"}));
}

TEST_F(RunFaults, AnOutputFolderTurnedReadOnlyFailsTheRestAndKeepsWhatWasThere)
{
    WriteBytes(out_ / "c_s.png", "an older thumbnail");
    TLockedFolder lock(out_);
    bool locked = false;
    host_.OnResult = [&](const std::string&) {
        if (!locked)
            locked = lock.Set(true);
    };
    ASSERT_TRUE(Run());
    if (!locked) {
        GTEST_SKIP() << "this file system cannot make a folder read-only for root";
    }
    EXPECT_EQ(host_.Lines,
              (std::vector<std::string>{Line("a.png", kMade), Line("b.png", kNotMade), Line("c.png", kNotMade)}));
    EXPECT_EQ(host_.Messages.back().Text, "处理完成！");
    lock.Set(false);
    EXPECT_EQ(OutNames(), (std::vector<std::string>{"a_s.png", "c_s.png"}));  // no temporary file either
    EXPECT_EQ(ReadBytes(out_ / "c_s.png"), "an older thumbnail");
}

TEST_F(RunFaults, AReadOnlyTargetIsKeptWhenRefusedAndReplacedWholeWhenAllowed)
{
    for (const char* name : {"a_s.png", "b_s.png"}) {
        WriteBytes(out_ / name, "older");
        fs::permissions(out_ / name, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    }
    host_.OverwriteAnswers = {{false, false}, {true, false}};  // "否" for a, "是" for b
    ASSERT_TRUE(Run());
    EXPECT_EQ(host_.Lines,
              (std::vector<std::string>{Line("a.png", kNotMade), Line("b.png", kMade), Line("c.png", kMade)}));
    EXPECT_EQ(ReadBytes(out_ / "a_s.png"), "older");
    EXPECT_EQ(SizeOf(out_ / "b_s.png"), (TPictureSize{12, 8}));
    EXPECT_EQ(OutNames(), (std::vector<std::string>{"a_s.png", "b_s.png", "c_s.png"}));
}

TEST_F(RunFaults, AnUnreadableSourceFails)
{
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reads every file whatever its permissions";
    }
    fs::permissions(source_ / "b.png", fs::perms::none);
    ASSERT_TRUE(Run());
    EXPECT_EQ(host_.Lines,
              (std::vector<std::string>{Line("a.png", kMade), Line("b.png", kNotMade), Line("c.png", kMade)}));
}

}  // namespace
}  // namespace quillane::test
