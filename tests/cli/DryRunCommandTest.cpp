// quillane-batch --dry-run: the plan of a run, with nothing changed.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <map>
#include <nlohmann/json.hpp>

#include "TestPictures.h"
#include "cli/BatchProcess.h"
#include "cli/SourceAndOutFolders.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;

// Every entry below a folder: its kind, bytes, mode and modification time.
std::map<std::string, std::string> Snapshot(const fs::path& root)
{
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        struct stat info {};
        ::lstat(entry.path().c_str(), &info);
        std::string state = std::to_string(info.st_mode) + " " + std::to_string(info.st_mtim.tv_sec) + "." +
                            std::to_string(info.st_mtim.tv_nsec);
        if (entry.is_regular_file()) {
            state += " " + ReadBytes(entry.path());
        }
        entries[entry.path().lexically_relative(root).string()] = state;
    }
    return entries;
}

class DryRunCommand : public SourceAndOutFolders {
protected:
    void SetUp() override
    {
        SourceAndOutFolders::SetUp();
        fs::create_directories(Src("sub"));
        MakePicture(Src("a.png"), 30, 20, {255, 0, 0});
        MakePicture(Src("b.png"), 30, 20, {0, 255, 0});
        MakePicture(Src("b.bmp"), 30, 20, {0, 255, 0});
        MakePicture(Src("sub/c.jpg"), 30, 20, {0, 0, 255});
        fs::create_symlink("nowhere.png", Src("gone.png"));  // a dangling link
        WriteBytes(Out("b_s.png"), "keep");
        WriteBytes(Out("a.jpg"), "keep");
    }
    TBatchResult Run(const std::vector<std::string>& arguments) { return RunBatch(arguments, folder_.Path()); }
    std::string Line(const std::string& source, const std::string& target, const std::string& action) const
    {
        return Src(source).string() + "\t" + target + "\t" + action;
    }
};

TEST_F(DryRunCommand, ChangesNothingWhateverTheJob)
{
    const std::vector<std::vector<std::string>> rows{
        {"percent", "--width", "50", "--height", "50", "--out", "out", "--subfolders", "--overwrite", "yes"},
        {"pixel", "--width", "5", "--height", "5", "--out", "new", "--yes", "--subfolders"},
        {"convert", "--to", "jpg", "--out", "out", "--overwrite", "yes"},
        {"crop", "--width", "5", "--height", "5", "--out", "out", "--json"},
        {"watermark", "--text", "x", "--x", "1", "--y", "1", "--out", "out", "--overwrite", "yes"},
        {"rename", "--name-prefix", "n", "--subfolders"},
    };
    const auto before = Snapshot(folder_.Path());
    for (std::vector<std::string> arguments : rows) {
        arguments.insert(arguments.begin(), "--dry-run");
        arguments.push_back("src");
        const TBatchResult result = Run(arguments);
        EXPECT_NE(result.ExitStatus, 2) << arguments[1] << ": " << result.Err;
        EXPECT_FALSE(result.Out.empty()) << arguments[1];
        EXPECT_EQ(Snapshot(folder_.Path()), before) << arguments[1];
    }
}

TEST_F(DryRunCommand, SaysWhatWouldHappenToEachFile)
{
    const struct {
        std::vector<std::string> Arguments;
        std::vector<std::string> Lines;
        int ExitStatus;
    } rows[] = {
        {{"percent", "--width", "50", "--height", "50", "--out", "out", "--types=png"},
         {Line("a.png", "out/a_s.png", "write"), Line("b.png", "out/b_s.png", "ask: target-exists"),
          Line("gone.png", "out/gone_s.png", "fail: source-missing")},
         1},
        {{"percent", "--width", "50", "--height", "50", "--out", "out", "--types=png", "--overwrite", "yes"},
         {Line("a.png", "out/a_s.png", "write"), Line("b.png", "out/b_s.png", "replace: target-exists"),
          Line("gone.png", "out/gone_s.png", "fail: source-missing")},
         1},
        {{"convert", "--to", "jpg", "--out", "out", "--types=bmp,png", "--overwrite", "no"},
         {Line("a.png", "out/a.jpg", "skip: target-exists"), Line("b.bmp", "out/b.jpg", "write"),
          Line("b.png", "out/b.jpg", "skip: written earlier in this run"),
          Line("gone.png", "out/gone.jpg", "fail: source-missing")},
         1},
        {{"convert", "--to", "bmp", "--out", "src", "--types=bmp"}, {Line("b.bmp", "src/b.bmp", "unchanged")}, 0},
        {{"side", "--width", "10", "--out", "out", "--types=jpeg", "--subfolders"},
         {Line("sub/c.jpg", "out/sub/c_s.jpg", "write")},
         0},
        {{"rename", "--name-prefix", "n", "--types=bmp,png"},
         {Line("a.png", Src("n0.png"), "rename"), Line("b.bmp", Src("n1.bmp"), "rename"),
          Line("b.png", Src("n2.png"), "rename"), Line("gone.png", Src("n3.png"), "fail: source-missing")},
         1},
        {{"percent", "--width", "50", "--height", "50", "--out", "missing", "--types=png"},
         {Line("a.png", "missing/a_s.png", "fail: no-output-folder"),
          Line("b.png", "missing/b_s.png", "fail: no-output-folder"),
          Line("gone.png", "missing/gone_s.png", "fail: source-missing")},
         1},
        {{"percent", "--width", "0", "--height", "50", "--out", "out"}, {}, 2},
    };
    for (const auto& row : rows) {
        std::vector<std::string> arguments = row.Arguments;
        arguments.insert(arguments.begin() + 1, "src");  // before a list of types
        arguments.insert(arguments.begin(), "--dry-run");
        const TBatchResult result = Run(arguments);
        EXPECT_EQ(result.ExitStatus, row.ExitStatus) << arguments[1] << ": " << result.Err;
        EXPECT_EQ(result.OutLines(), row.Lines) << arguments[1];
    }
    EXPECT_FALSE(fs::exists(folder_.Path() / "missing"));
}

TEST_F(DryRunCommand, JsonListsOneObjectPerFileAndTheCounts)
{
    const TBatchResult result = Run(
        {"--dry-run", "--json", "percent", "src", "--width", "50", "--height", "50", "--out", "out", "--types=png"});
    EXPECT_EQ(result.ExitStatus, 1);
    std::vector<nlohmann::json> objects;
    for (const std::string& line : result.OutLines()) {
        objects.push_back(nlohmann::json::parse(line));
    }
    ASSERT_EQ(objects.size(), 4u) << result.Out;
    EXPECT_EQ(objects[0].at("action"), "write");
    EXPECT_EQ(objects[1].at("action"), "ask");
    EXPECT_EQ(objects[1].at("code"), "target-exists");
    EXPECT_EQ(objects[2].at("action"), "fail");
    EXPECT_EQ(objects[3].at("would_succeed"), 1);
    EXPECT_EQ(objects[3].at("would_fail"), 2);
}

}  // namespace
}  // namespace quillane::test
