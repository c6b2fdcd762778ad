// The conversion job: its type check, the target names and formats, the same-file
// success, the overwrite answers and the folder walk.
#include <gtest/gtest.h>

#include "TempFolder.h"
#include "jobs/ConvertJob.h"
#include "jobs/EngineTestFiles.h"
#include "jobs/ScriptedHost.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;

struct TConvertCall {
    fs::path Source, Target;
    int Format = -1;
    bool Overwrite = false;
};

class ConvertJob : public ::testing::Test {
protected:
    void SetUp() override
    {
        source_ = folder_ / "src";
        out_ = (folder_ / "out").string();
        fs::create_directories(out_);
    }
    void List(std::initializer_list<const char*> names, bool subFolders = false)
    {
        for (const char* name : names) {
            Touch(source_ / name);
        }
        host_.ShowFolder(source_, subFolders);
    }
    std::optional<TRunOutcome> Run(int type, const std::string& affix = "", int position = 0)
    {
        return ClickStart(host_, TConvertBatch(TConvertFields{type, save_.empty() ? out_ : save_, affix, position},
                                               [this](const TPath& s, const TPath& t, int format, bool overwrite) {
                                                   calls_.push_back({s, t, format, overwrite});
                                                   if (fs::exists(t) && !overwrite) {
                                                       return TOutcome::Failure(TReason::rsTargetExists);
                                                   }
                                                   Touch(t, "converted");
                                                   return TOutcome::Success();
                                               }));
    }
    std::string Line(const fs::path& source, bool ok) const
    {
        return source.string() + (ok ? "类型转换成功！" : "没有进行类型转换！");
    }

    TTempFolder folder_;
    fs::path source_;
    std::string out_;
    std::string save_;
    TScriptedHost host_;
    std::vector<TConvertCall> calls_;
};

TEST_F(ConvertJob, NoTargetTypeIsAskedForAfterTheSavePathAndKeepsTheFocus)
{
    List({"a.png"});
    EXPECT_FALSE(Run(-1));
    EXPECT_EQ(host_.Messages, (std::vector<TShownMessage>{{"请选择新文件类型？", TMessageStyle::msQuestionOk}}));
    EXPECT_TRUE(host_.Focus.empty());
    EXPECT_TRUE(host_.Events.empty());
    EXPECT_TRUE(calls_.empty());
}

TEST_F(ConvertJob, EachBoxEntryGivesItsExtensionAndFormat)
{
    List({"a.b.png"});
    const struct {
        int Type;
        const char* Target;
        TImageFormat Format;
    } rows[] = {{0, "a.b_x.jpg", ifJpeg},
                {1, "a.b_x.bmp", ifBmp},
                {2, "a.b_x.gif", ifGif},
                {3, "a.b_x.png", ifPng},
                {4, "a.b_x.tif", ifTiff}};
    for (const auto& row : rows) {
        calls_.clear();
        ASSERT_TRUE(Run(row.Type, " _x "));
        ASSERT_EQ(calls_.size(), 1u) << row.Target;
        EXPECT_EQ(calls_[0].Target, fs::path(out_) / row.Target);
        EXPECT_EQ(calls_[0].Format, row.Format) << row.Target;
        EXPECT_EQ(host_.Lines.back(), Line(source_ / "a.b.png", true));
    }
}

TEST_F(ConvertJob, PrefixGoesBeforeTheNameAndAnyExtensionIsReplaced)
{
    List({"a.png", "c.JPEG", "noext.jpg"});
    ASSERT_TRUE(Run(1, "new_", 1));
    ASSERT_EQ(calls_.size(), 3u);
    EXPECT_EQ(calls_[0].Target, fs::path(out_) / "new_a.bmp");
    EXPECT_EQ(calls_[1].Target, fs::path(out_) / "new_c.bmp");
    EXPECT_EQ(calls_[2].Target, fs::path(out_) / "new_noext.bmp");
    EXPECT_EQ(calls_[0].Format, ifBmp);
    EXPECT_EQ(host_.Messages.back(), (TShownMessage{"处理完成！", TMessageStyle::msInformationOk}));
}

TEST_F(ConvertJob, TargetThatIsTheSourceCountsAsConvertedWithoutPromptOrCall)
{
    List({"photo.jpg", "other.jpeg"});
    Touch(source_ / "photo.jpg", "original");
    save_ = source_.string();
    ASSERT_TRUE(Run(0));
    // other.jpeg becomes other.jpg, a different file: the routine runs for it.
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].Source, source_ / "other.jpeg");
    EXPECT_EQ(calls_[0].Target, source_ / "other.jpg");
    EXPECT_TRUE(host_.Prompts.empty());
    EXPECT_EQ(Slurp(source_ / "photo.jpg"), "original");
    EXPECT_EQ(host_.Lines,
              (std::vector<std::string>{Line(source_ / "other.jpeg", true), Line(source_ / "photo.jpg", true)}));
}

TEST_F(ConvertJob, RefusedExistingTargetIsAFailureLine)
{
    List({"a.png"});
    Touch(fs::path(out_) / "a.gif", "kept");
    host_.OverwriteAnswers = {TOverwriteAnswer{false, false}};
    const auto outcome = Run(2);
    ASSERT_TRUE(outcome);
    ASSERT_EQ(host_.Prompts, std::vector<fs::path>{fs::path(out_) / "a.gif"});
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_FALSE(calls_[0].Overwrite);
    EXPECT_EQ(host_.Lines, std::vector<std::string>{Line(source_ / "a.png", false)});
    EXPECT_EQ(Slurp(fs::path(out_) / "a.gif"), "kept");
    EXPECT_EQ(outcome->Failed, 1u);
}

TEST_F(ConvertJob, TypeOutsideTheTableFailsEveryFileWithoutACall)
{
    List({"a.png", "b.png"});
    const auto outcome = Run(9);
    ASSERT_TRUE(outcome);
    EXPECT_TRUE(calls_.empty());
    EXPECT_EQ(host_.Lines, (std::vector<std::string>{Line(source_ / "a.png", false), Line(source_ / "b.png", false)}));
    EXPECT_EQ(outcome->Failed, 2u);
}

TEST_F(ConvertJob, FolderItemIsMirroredWithTheNewExtension)
{
    Touch(source_ / "trip" / "x.png");
    Touch(source_ / "trip" / "deep" / "y.JPG");
    Touch(source_ / "trip" / "notes.txt");
    host_.ShowFolder(source_, true);
    ASSERT_TRUE(Run(4));
    ASSERT_EQ(calls_.size(), 2u);
    EXPECT_EQ(calls_[0].Target, fs::path(out_) / "trip" / "x.tif");
    EXPECT_EQ(calls_[1].Target, fs::path(out_) / "trip" / "deep" / "y.tif");
    EXPECT_EQ(host_.Lines.size(), 2u);
}

}  // namespace
}  // namespace quillane::test
