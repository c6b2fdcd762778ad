// A run's output settings: every writing job's routine works under the host's
// settings, and a kept time reaches each written file.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "TempFolder.h"
#include "jobs/ConvertJob.h"
#include "jobs/CropJob.h"
#include "jobs/EngineTestFiles.h"
#include "jobs/ScriptedHost.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;

class OutputSettingsRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(folder_ / "out");
        Touch(folder_ / "src" / "a.png");
        fs::last_write_time(folder_ / "src" / "a.png", past_);
        host_.ShowFolder(folder_ / "src", false);
    }

    // A stand-in routine: notes the settings its thread writes with and writes the target.
    TOutcome Write(const TPath& target)
    {
        seen_.push_back(CurrentOutputSettings());
        Touch(target, "written");
        return TOutcome::Success();
    }

    // Each writing job, started with the scripted host.
    std::vector<std::pair<const char*, std::function<void()>>> Jobs()
    {
        const std::string out = (folder_ / "out").string();
        return {
            {"convert",
             [this, out] {
                 ClickStart(host_, TConvertBatch(TConvertFields{1, out, "", 0},
                                                 [this](const TPath&, const TPath& t, int, bool) { return Write(t); }));
             }},
            {"crop",
             [this, out] {
                 TCropFields fields;
                 fields.SavePath = out;
                 ClickStart(host_, TCropBatch(fields, [this](const TPath&, const TPath& t, std::int32_t, std::int32_t,
                                                             std::int32_t, std::int32_t, bool) { return Write(t); }));
             }},
        };
    }

    TTempFolder folder_;
    TScriptedHost host_;
    std::vector<TOutputSettings> seen_;
    const fs::file_time_type past_ = fs::file_time_type::clock::now() - std::chrono::hours(24 * 30);
};

TEST_F(OutputSettingsRun, EveryWritingJobWritesWithTheHostsSettingsAndKeepsTimes)
{
    host_.Output.JpegQuality = 40;
    host_.Output.Metadata = TMetadataMode::mdStripGps;
    for (bool keep : {false, true}) {
        host_.Output.KeepTimes = keep;
        for (const auto& [name, start] : Jobs()) {
            seen_.clear();
            fs::remove_all(folder_ / "out");
            fs::create_directories(folder_ / "out");
            start();
            ASSERT_EQ(seen_.size(), 1u) << name;
            EXPECT_EQ(seen_[0], host_.Output) << name;
            const fs::path written = *fs::directory_iterator(folder_ / "out");
            EXPECT_EQ(fs::last_write_time(written) == past_, keep) << name << " keep " << keep;
        }
    }
    // Outside a run the defaults hold again.
    EXPECT_EQ(CurrentOutputSettings(), TOutputSettings{});
}

}  // namespace
}  // namespace quillane::test
