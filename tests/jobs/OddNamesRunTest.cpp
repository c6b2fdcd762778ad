// Awkward names and file-system entries through the engine with the real routines:
// reported under their exact bytes, a FIFO never opened, a dangling link a failure,
// a folder named like a picture walked, a link loop ended.
#include <gtest/gtest.h>

#include <set>

#include "GraphicsFixture.h"
#include "OddNames.h"
#include "TestPictures.h"
#include "jobs/ConvertJob.h"
#include "jobs/PercentJob.h"
#include "jobs/RenameJob.h"
#include "jobs/ScriptedHost.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;

const std::string kMade = "创建缩略图成功！";
const std::string kNotMade = "创建缩略图失败！";

class OddNamesRun : public GraphicsTest {
protected:
    void SetUp() override
    {
        source_ = File("src");
        out_ = File("out");
        fs::create_directories(out_);
        odd_ = MakeOddFolder(source_);
    }
    std::string Line(const TOddFile& file, const std::string& success, const std::string& failure) const
    {
        return (source_ / file.Name).string() + (file.Succeeds ? success : failure);
    }
    std::optional<TRunOutcome> Percent(bool subFolders)
    {
        host_.ShowFolder(source_, subFolders);
        TPercentFields fields;
        fields.Width = "50";
        fields.Height = "50";
        fields.SavePath = out_.string();
        return ClickStart(host_, TPercentBatch(fields, LibraryThumbRoutines()));
    }
    // Every entry left in the output tree, relative to it.
    std::set<std::string> Written() const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(out_))
            if (!entry.is_directory())
                names.insert(fs::relative(entry.path(), out_).string());
        return names;
    }

    fs::path source_, out_;
    TOddFolder odd_;
    TScriptedHost host_;
};

TEST_F(OddNamesRun, TheListShowsEveryFileButTheFifoAndTheHiddenOne)
{
    host_.ShowFolder(source_, true);
    std::set<std::string> listed;
    for (const TSourceItem& item : host_.Items)
        listed.insert(item.Path.filename().string());
    std::set<std::string> expected{"album.jpg"};
    for (const TOddFile& file : odd_.Files)
        expected.insert(file.Name);
    EXPECT_EQ(listed, expected);
    for (const std::string& name : OddUnlistedNames())
        EXPECT_EQ(listed.count(name), 0u) << name;
}

TEST_F(OddNamesRun, EveryFileGetsOneLineUnderItsExactBytes)
{
    ASSERT_TRUE(Percent(true));  // returns: the FIFOs never blocked, the link loop ended
    std::multiset<std::string> expected;
    for (const TOddFile& file : odd_.Files)
        expected.insert(Line(file, kMade, kNotMade));
    for (const TOddFile& file : odd_.WalkedFiles)
        expected.insert(Line(file, kMade, kNotMade));
    EXPECT_EQ(std::multiset<std::string>(host_.Lines.begin(), host_.Lines.end()), expected);
    EXPECT_EQ(host_.Messages.back().Text, "处理完成！");

    const std::set<std::string> written = Written();
    const std::set<std::string> expectedWritten{"照片 一_s.jpg",
                                                "my photo_s.png",
                                                "a.b.c_s.gif",
                                                "UPPER_s.JPG",
                                                "frame[1]_s.jpg",
                                                "x]_s.png",
                                                "it's \"q\" $(touch x) `id` ;&|<>*?_s.jpg",
                                                "\xd5\xd5\xc6\xac_s.jpg",
                                                "album.jpg/inner_s.png",
                                                "album.jpg/.hidden_s.png"};
    EXPECT_EQ(written, expectedWritten);
    for (const std::string& name : written)
        EXPECT_EQ(SizeOf(out_ / name), (TPictureSize{20, 15})) << name;
    EXPECT_TRUE(fs::is_fifo(source_ / "pipe.jpg"));
}

TEST_F(OddNamesRun, ConversionGivesTheExtensionlessFileItsExtension)
{
    host_.ShowFolder(source_, false);
    TConvertFields fields;
    fields.TargetType = 3;  // PNG
    fields.SavePath = out_.string();
    ASSERT_TRUE(ClickStart(host_, TConvertBatch(fields)));
    EXPECT_TRUE(fs::exists(out_ / "photojpeg.png"));
    EXPECT_EQ(FormatOf(out_ / "photojpeg.png"), "png");
    EXPECT_EQ(FormatOf(out_ / "\xd5\xd5\xc6\xac.png"), "png");
    EXPECT_EQ(
        std::count(host_.Lines.begin(), host_.Lines.end(), (source_ / "gone.jpg").string() + "没有进行类型转换！"), 1);
}

TEST_F(OddNamesRun, RenameTakesEveryListedFileAndLeavesTheRestAlone)
{
    host_.ShowFolder(source_, false);
    TRenameFields fields;
    fields.Prefix = "r";
    ASSERT_TRUE(ClickStart(host_, TRenameBatch(fields)));
    EXPECT_EQ(host_.Lines.size(), odd_.Files.size());
    EXPECT_TRUE(fs::is_fifo(source_ / "pipe.jpg"));
    EXPECT_TRUE(fs::exists(source_ / ".hidden.jpg"));
    for (const TOddFile& file : odd_.Files) {
        if (file.Name != "gone.jpg") {
            EXPECT_FALSE(fs::exists(source_ / file.Name)) << file.Name;
        }
    }
}

}  // namespace
}  // namespace quillane::test
