// quillane-batch with the new formats and the output options: the types and targets
// named every usual way, the settings reaching the written files, and values out of
// range refused before anything runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <sstream>

#include "ExifSamples.h"
#include "SourceAndOutFolders.h"
#include "TestPictures.h"
#include "cli/BatchCommand.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;

class OutputOptionsCommand : public SourceAndOutFolders {
protected:
    // Runs quillane-batch in this process; nobody sits at the terminal.
    int Run(const std::vector<std::string>& args)
    {
        std::vector<const char*> argv{"quillane-batch"};
        for (const std::string& arg : args)
            argv.push_back(arg.c_str());
        out_.str({});
        err_.str({});
        std::istringstream in;
        return RunBatchCommand(static_cast<int>(argv.size()), argv.data(), out_, err_, in, false, false);
    }
    std::vector<std::string> OutNames() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(Out()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::ostringstream out_, err_;
};

TEST_F(OutputOptionsCommand, ValuesOutOfRangeAreRefusedBeforeTheRun)
{
    MakePicture(Src("a.png"), 8, 8, {10, 20, 30});
    const std::pair<const char*, const char*> rows[] = {
        {"--quality", "0"}, {"--quality", "101"},        {"--quality", "high"}, {"--effort", "10"},
        {"--effort", "-1"}, {"--png-compression", "10"}, {"--metadata", "gps"},
    };
    for (const auto& [option, value] : rows) {
        EXPECT_EQ(Run({"convert", Src().string(), "--out", Out().string(), "--to", "webp", option, value}), 2);
        EXPECT_NE(err_.str().find(option), std::string::npos) << err_.str();
        EXPECT_EQ(
            Run({"percent", Src().string(), "--out", Out().string(), "--width", "5", "--height", "5", option, value}),
            2);
    }
    // Renaming writes no picture: the options are not its own.
    EXPECT_EQ(Run({"rename", Src().string(), "--quality", "50"}), 2);
    EXPECT_TRUE(OutNames().empty());
    EXPECT_TRUE(fs::exists(Src("a.png")));
}

TEST_F(OutputOptionsCommand, TypesAndTargetsTakeEveryUsualSpelling)
{
    for (const char* name : {"a.jpg", "b.png", "c.webp", "d.heic", "e.avif", "f.jxl", "g.tif"})
        WritePicture(QuadrantImage(16, 12), Src(name));
    struct TRow {
        std::string Types, To;
        std::vector<std::string> Written;
    };
    const std::vector<TRow> rows{
        {"WEBP,heif", "JPEG", {"c.jpg", "d.jpg"}},
        {"avif,jxl", "heif", {"e.heic", "f.heic"}},
        {"Jpg,TIFF", "avif", {"a.avif", "g.avif"}},
        {"png", "jxl", {"b.jxl"}},
        {"heic", "webp", {"d.webp"}},
    };
    for (const TRow& row : rows) {
        fs::remove_all(Out());
        ASSERT_EQ(
            Run({"convert", Src().string(), "--out", Out().string(), "--yes", "--types", row.Types, "--to", row.To}), 0)
            << err_.str();
        EXPECT_EQ(OutNames(), row.Written) << row.Types << " to " << row.To;
        for (const std::string& name : row.Written)
            EXPECT_EQ(SizeOf(Out(name)), (TPictureSize{16, 12})) << name;
    }
}

TEST_F(OutputOptionsCommand, QualityMetadataAndTimesReachTheWrittenFiles)
{
    WritePicture(WithExif(NoiseImage(64, 48), true), Src("photo.jpg"));
    const fs::file_time_type past = fs::file_time_type::clock::now() - std::chrono::hours(24 * 90);
    fs::last_write_time(Src("photo.jpg"), past);
    const std::string out = Out().string();
    ASSERT_EQ(Run({"convert", Src().string(), "--out", out, "--to", "webp", "--affix", "_low", "--quality", "10"}), 0);
    ASSERT_EQ(Run({"convert", Src().string(), "--out", out, "--to", "webp", "--affix", "_high", "--quality", "95",
                   "--keep-times", "--metadata", "strip-gps"}),
              0);
    const fs::path low = Out("photo_low.webp"), high = Out("photo_high.webp");
    EXPECT_LT(fs::file_size(low), fs::file_size(high));
    EXPECT_TRUE(ExifOf(low).HasLocation);
    EXPECT_TRUE(ExifOf(high).HasMaker);
    EXPECT_FALSE(ExifOf(high).HasLocation);
    EXPECT_TRUE(fs::last_write_time(high) == past);
    EXPECT_FALSE(fs::last_write_time(low) == past);
}

}  // namespace
}  // namespace quillane::test
