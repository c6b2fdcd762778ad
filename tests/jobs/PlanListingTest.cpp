// The plan of a checked click, read before anything runs: each file's source, target,
// routine and settings, and whether its target exists, with nothing written.
#include <gtest/gtest.h>

#include "TempFolder.h"
#include "jobs/ConvertJob.h"
#include "jobs/EngineTestFiles.h"
#include "jobs/PercentJob.h"
#include "jobs/RenameJob.h"
#include "jobs/RoutineRecorder.h"
#include "jobs/ScriptedHost.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;

class PlanListing : public ::testing::Test {
protected:
    void SetUp() override
    {
        Touch(source_ / "a.jpg");
        Touch(source_ / "b.tif");
        Touch(source_ / "2008" / "c.png");
        fs::create_directories(out_);
        host_.ShowFolder(source_, true);
    }
    std::vector<TFileStep> List(TBatchJob&& job)
    {
        const std::optional<TJobPlan> plan = job.Check(host_, host_.Sources());
        return plan ? ListPlan(host_, *plan) : std::vector<TFileStep>{};
    }
    TPercentFields Percent(bool fast) const
    {
        TPercentFields fields;
        fields.Width = "50";
        fields.Height = "25";
        fields.SavePath = out_.string();
        fields.Fast = fast;
        return fields;
    }
    std::vector<fs::path> Tree() const
    {
        std::vector<fs::path> paths;
        for (const auto& entry : fs::recursive_directory_iterator(folder_.Path())) {
            paths.push_back(entry.path());
        }
        std::sort(paths.begin(), paths.end());
        return paths;
    }

    TTempFolder folder_;
    fs::path source_ = folder_ / "src";
    fs::path out_ = folder_ / "out";
    TScriptedHost host_;
    TRoutineRecorder recorder_;
};

TEST_F(PlanListing, NamesEveryFileWithItsTargetRoutineAndSettingsAndChangesNothing)
{
    Touch(out_ / "a_s.jpg");  // last week's thumbnail
    const std::vector<fs::path> before = Tree();
    const std::vector<TFileStep> steps = List(TPercentBatch(Percent(true), recorder_.Table()));

    ASSERT_EQ(steps.size(), 3u);  // the folder item is walked: its picture is listed
    EXPECT_EQ(steps[0].Source, source_ / "2008" / "c.png");
    EXPECT_EQ(steps[0].Target, out_ / "2008" / "c_s.png");
    EXPECT_EQ(steps[1].Target, out_ / "a_s.jpg");
    EXPECT_EQ(steps[1].Routine, "ThumbPercentFast");
    EXPECT_EQ(steps[2].Routine, "ThumbPercentHQ");  // a TIFF never takes the fast routine
    EXPECT_EQ(steps[1].Settings, (TRoutineSettings{{"width%", "50"}, {"height%", "25"}}));
    EXPECT_TRUE(steps[1].TargetExisted);
    EXPECT_TRUE(steps[1].Asked);  // the run would ask before replacing it
    EXPECT_FALSE(steps[2].TargetExisted);
    EXPECT_FALSE(steps[2].Asked);

    EXPECT_TRUE(recorder_.Calls.empty());
    EXPECT_TRUE(host_.Prompts.empty());
    EXPECT_TRUE(host_.Lines.empty());
    EXPECT_EQ(Tree(), before);  // not even the mirrored output folder was made
}

TEST_F(PlanListing, KnowsTheFilesSettledWithoutACall)
{
    Touch(out_ / "d.jpg");
    host_.ShowFolder(out_, false);  // converting the output folder's own JPEGs to JPEG
    const std::vector<TFileStep> steps =
        List(TConvertBatch(TConvertFields{0, out_.string(), "", 0}, [](auto&&...) { return TOutcome::Success(); }));
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].Target, out_ / "d.jpg");
    EXPECT_TRUE(steps[0].Routine.empty());  // the source is its own target: nothing to call
}

TEST_F(PlanListing, RenameListsTheNewNamesAndRenamesNothing)
{
    host_.ShowFolder(source_, false);
    const std::vector<TFileStep> steps = List(TRenameBatch(TRenameFields{"photo", rmNumber}));
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].Target, source_ / "photo0.jpg");
    EXPECT_EQ(steps[1].Target, source_ / "photo1.tif");
    EXPECT_EQ(steps[0].Routine, "RenameNoReplace");
    EXPECT_TRUE(fs::exists(source_ / "a.jpg"));
    EXPECT_FALSE(fs::exists(source_ / "photo0.jpg"));
}

}  // namespace
}  // namespace quillane::test
