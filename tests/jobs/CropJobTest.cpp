// The crop job: the start button's rule, the rectangle read after the results box
// was cleared, and the rectangle handed to the routine unchanged.
#include <gtest/gtest.h>

#include "TempFolder.h"
#include "jobs/CropJob.h"
#include "jobs/EngineTestFiles.h"
#include "jobs/ScriptedHost.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;

struct TCropCall {
    fs::path Source, Target;
    std::int32_t Left, Top, Width, Height;
    bool Overwrite;
};

class CropJob : public ::testing::Test {
protected:
    void SetUp() override
    {
        source_ = folder_ / "src";
        Touch(source_ / "a.jpg", "source");
        host_.ShowFolder(source_, false);
        fields_.SavePath = (folder_ / "out").string();
        fs::create_directories(fields_.SavePath);
    }
    std::optional<TRunOutcome> Run()
    {
        return ClickStart(host_, TCropBatch(fields_, [this](const TPath& s, const TPath& t, auto l, auto top, auto w,
                                                            auto h, bool overwrite) {
                              calls_.push_back({s, t, l, top, w, h, overwrite});
                              return !fs::exists(t) || overwrite ? TOutcome::Success()
                                                                 : TOutcome::Failure(TReason::rsTargetExists);
                          }));
    }

    TTempFolder folder_;
    fs::path source_;
    TCropFields fields_;
    TScriptedHost host_;
    std::vector<TCropCall> calls_;
};

TEST(CropStart, NeedsBothSizesWithAPositiveProduct)
{
    EXPECT_TRUE(CropStartEnabled("100", "100"));
    EXPECT_TRUE(CropStartEnabled("0001", "9999"));
    EXPECT_FALSE(CropStartEnabled("", "100"));
    EXPECT_FALSE(CropStartEnabled("100", ""));
    EXPECT_FALSE(CropStartEnabled("0", "100"));
    EXPECT_FALSE(CropStartEnabled("100", "000"));
    EXPECT_FALSE(CropStartEnabled("12a", "100"));
}

TEST_F(CropJob, DisabledStartDoesNothingAtAll)
{
    fields_.Height = "0";
    EXPECT_FALSE(Run());
    EXPECT_TRUE(host_.Messages.empty());
    EXPECT_TRUE(host_.Events.empty());
    EXPECT_TRUE(calls_.empty());
}

TEST_F(CropJob, RectangleGoesToTheRoutineInFieldOrderWithTheDefaultAffix)
{
    fields_.Left = "010";
    fields_.Top = "20";
    fields_.Width = "100";
    fields_.Height = "50";
    ASSERT_TRUE(Run());
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].Target, fs::path(fields_.SavePath) / "a_c.jpg");
    EXPECT_EQ((std::vector<int>{calls_[0].Left, calls_[0].Top, calls_[0].Width, calls_[0].Height}),
              (std::vector<int>{10, 20, 100, 50}));
    EXPECT_EQ(host_.Lines, std::vector<std::string>{(source_ / "a.jpg").string() + "剪裁完成！"});
    EXPECT_EQ(host_.Messages.back(), (TShownMessage{"处理完成！", TMessageStyle::msInformationOk}));
}

TEST_F(CropJob, FieldThatIsNoNumberEndsTheClickAfterTheBoxWasCleared)
{
    fields_.Left = "5";
    fields_.Top = "";
    EXPECT_FALSE(Run());
    EXPECT_EQ(host_.Errors, std::vector<std::string>{"'' is not a valid integer value"});
    EXPECT_EQ(host_.Events, (std::vector<std::string>{"clear", "show"}));
    EXPECT_TRUE(host_.Messages.empty());
    EXPECT_TRUE(calls_.empty());
    EXPECT_TRUE(host_.FieldTexts.empty());  // the save path got no "/"
}

TEST_F(CropJob, SourceFolderWithBlankAffixAsksBeforeReplacingTheSource)
{
    fields_.SavePath = source_.string();
    fields_.Affix = "  ";
    host_.OverwriteAnswers = {TOverwriteAnswer{false, false}};
    ASSERT_TRUE(Run());
    EXPECT_EQ(host_.Prompts, std::vector<fs::path>{source_ / "a.jpg"});
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].Target, source_ / "a.jpg");
    EXPECT_EQ(host_.Lines, std::vector<std::string>{(source_ / "a.jpg").string() + "剪裁失败！"});
}

TEST_F(CropJob, PrefixPositionPutsTheAffixFirst)
{
    fields_.AffixPosition = 1;
    ASSERT_TRUE(Run());
    ASSERT_EQ(calls_.size(), 1u);
    EXPECT_EQ(calls_[0].Target, fs::path(fields_.SavePath) / "_ca.jpg");
}

}  // namespace
}  // namespace quillane::test
