// Runs bigger than one machine: lists of files and shards of one run.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <set>

#include "TestPictures.h"
#include "cli/BatchProcess.h"
#include "cli/ChildBatch.h"
#include "cli/SourceAndOutFolders.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;

// The files below a folder by relative path, with their bytes.
std::map<std::string, std::string> FilesBelow(const fs::path& root)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files[entry.path().lexically_relative(root).string()] = ReadBytes(entry.path());
        }
    }
    return files;
}

std::vector<std::string> Sorted(std::vector<std::string> lines)
{
    std::sort(lines.begin(), lines.end());
    return lines;
}

class SharedRunCommand : public SourceAndOutFolders {
protected:
    void MakeTree(const fs::path& root)
    {
        fs::create_directories(root / "2024/trip");
        int shade = 0;
        for (const std::string name :
             {"a.png", "a.bmp", "b.jpg", "c.gif", "2024/d.png", "2024/e.jpg", "2024/f.tif", "2024/trip/g.png",
              "2024/trip/h.jpg", "2024/trip/h.png", "m.gif", "m.png", "j.png"}) {
            MakePicture(root / name, 24 + shade, 16, {20.0 * shade, 90, 200});
            ++shade;
        }
    }
    TBatchResult Run(const std::vector<std::string>& arguments, const fs::path& folder = {})
    {
        return RunBatch(arguments, folder.empty() ? folder_.Path() : folder);
    }
};

TEST_F(SharedRunCommand, FourShardsTogetherAreTheSingleRun)
{
    MakeTree(Src());
    const std::vector<std::vector<std::string>> jobs{
        {"percent", "--width", "50", "--height", "50", "--subfolders"},
        {"convert", "--to", "jpg", "--subfolders", "--overwrite",
         "no"},  // m.gif and m.png both give m.jpg, in two shards
        {"convert", "--to", "jpg", "--subfolders", "--overwrite", "yes"},
    };
    // Whichever shard goes first, the union is the same.
    const std::vector<std::vector<std::string>> orders{{"1/4", "2/4", "3/4", "4/4"}, {"4/4", "3/4", "2/4", "1/4"}};
    for (const auto& job : jobs) {
        for (const auto& order : orders) {
            const std::string name = job[0] + " " + job.back() + " from " + order[0];
            fs::remove_all(Out());
            fs::create_directories(Out("single"));
            fs::create_directories(Out("shards"));
            std::vector<std::string> single = job;
            single.insert(single.end(), {"--out", "out/single", "src"});
            const TBatchResult whole = Run(single);

            std::vector<std::string> shardLines;
            for (const std::string& shard : order) {
                std::vector<std::string> arguments = job;
                arguments.insert(arguments.end(), {"--out", "out/shards", "--shard", shard, "--jobs", "2", "src"});
                const TBatchResult part = Run(arguments);
                EXPECT_NE(part.ExitStatus, 2) << name << " " << shard << ": " << part.Err;
                EXPECT_LT(part.OutLines().size(), whole.OutLines().size()) << name << " " << shard;
                const std::vector<std::string> lines = part.OutLines();
                shardLines.insert(shardLines.end(), lines.begin(), lines.end());
            }
            EXPECT_EQ(Sorted(shardLines), Sorted(whole.OutLines())) << name;  // each file once, as in the single run
            EXPECT_EQ(FilesBelow(Out("shards")), FilesBelow(Out("single"))) << name;
            EXPECT_FALSE(FilesBelow(Out("single")).empty()) << name;
        }
    }
}

TEST_F(SharedRunCommand, ARenameShardedOverAListNumbersAsTheSingleRun)
{
    for (const std::string copy : {"single", "shards"}) {
        MakeTree(folder_.Path() / copy / "src");
    }
    std::string list;
    for (const std::string name : {"j.png", "2024/d.png", "a.bmp", "2024/trip/h.jpg", "c.gif", "b.jpg"}) {
        list += "src/" + name + "\n";
    }
    const std::vector<std::string> rename{"rename", "--name-prefix", "n", "--files-from", "list"};
    WriteBytes(folder_.Path() / "single/list", list);
    WriteBytes(folder_.Path() / "shards/list", list);
    EXPECT_EQ(Run(rename, folder_.Path() / "single").ExitStatus, 0);
    for (const std::string shard : {"1/4", "2/4", "3/4", "4/4"}) {
        std::vector<std::string> arguments = rename;
        arguments.insert(arguments.end(), {"--shard", shard});
        EXPECT_EQ(Run(arguments, folder_.Path() / "shards").ExitStatus, 0) << shard;
    }
    const auto renamed = FilesBelow(folder_.Path() / "single/src");
    EXPECT_EQ(FilesBelow(folder_.Path() / "shards/src"), renamed);
    EXPECT_TRUE(renamed.contains("2024/n1.png")) << "the list's own order numbers the files";
    EXPECT_TRUE(renamed.contains("n0.png"));
}

TEST_F(SharedRunCommand, AListOfFilesIsTakenInItsOrderAndMirroredBelowItsBase)
{
    MakeTree(Src());
    MakePicture(Src("2024/new\nline.png"), 10, 10, {1, 2, 3});
    const std::vector<std::string> names{"src/2024/trip/g.png", "src/j.png", "src/notes.txt", "src/2024/new\nline.png",
                                         "src/c.gif"};
    std::string byLines, byNul;
    for (const std::string& name : names) {
        byLines += name.find('\n') == std::string::npos ? name + "\n" : "";
        byNul += name + '\0';
    }
    WriteBytes(folder_.Path() / "lines", byLines);
    WriteBytes(folder_.Path() / "nul", byNul);
    const std::string ok = "创建缩略图成功！";
    const struct {
        std::vector<std::string> Options;
        std::vector<std::string> Lines;
        std::vector<std::string> Written;
    } rows[] = {
        {{"--files-from", "lines"},
         {Src("2024/trip/g.png").string() + ok, Src("j.png").string() + ok, Src("c.gif").string() + ok},
         {"g_s.png", "j_s.png", "c_s.gif"}},
        {{"--files-from", "nul", "--null", "--types", "png", "--subfolders", "--base", "src"},
         {Src("2024/trip/g.png").string() + ok, Src("j.png").string() + ok, Src("2024/new\\nline.png").string() + ok},
         {"2024/trip/g_s.png", "j_s.png", "2024/new\nline_s.png"}},
    };
    for (const auto& row : rows) {
        fs::remove_all(Out());
        fs::create_directories(Out());
        std::vector<std::string> arguments{"percent", "--width", "50", "--height", "50", "--out", "out"};
        arguments.insert(arguments.end(), row.Options.begin(), row.Options.end());
        const TBatchResult result = Run(arguments);
        EXPECT_EQ(result.ExitStatus, 0) << row.Options[1] << ": " << result.Err;
        EXPECT_EQ(result.OutLines(), row.Lines) << row.Options[1];
        std::set<std::string> written;
        for (const auto& [name, bytes] : FilesBelow(Out())) {
            written.insert(name);
        }
        EXPECT_EQ(written, std::set<std::string>(row.Written.begin(), row.Written.end())) << row.Options[1];
    }
}

TEST_F(SharedRunCommand, AListCanComeFromStandardInput)
{
    MakeTree(Src());
    WriteBytes(folder_.Path() / "list", "src/b.jpg\nsrc/a.png\n");
    const int list = ::open((folder_.Path() / "list").c_str(), O_RDONLY);
    ASSERT_GE(list, 0);
    TChildBatch child({"percent", "--width", "50", "--height", "50", "--out", "out", "--files-from", "-"},
                      folder_.Path(), {}, list);
    const TBatchResult result = child.Wait();
    ::close(list);
    EXPECT_EQ(result.ExitStatus, 0) << result.Err;
    EXPECT_EQ(result.OutLines(), (std::vector<std::string>{Src("b.jpg").string() + "创建缩略图成功！",
                                                           Src("a.png").string() + "创建缩略图成功！"}));
}

TEST_F(SharedRunCommand, OptionsThatCannotWorkTogetherAreRefused)
{
    MakeTree(Src());
    WriteBytes(folder_.Path() / "list", "src/a.png\n/elsewhere/b.png\n");
    const std::vector<std::string> percent{"percent", "--width", "50", "--height", "50", "--out", "out"};
    const std::vector<std::vector<std::string>> rows{
        {"--shard", "0/4", "src"},
        {"--shard", "5/4", "src"},
        {"--shard", "1/0", "src"},
        {"--shard", "half", "src"},
        {"--files-from", "list", "src"},
        {"--files-from", "missing-list"},
        {"--base", "src", "src"},
        {"--null", "src"},
        {"--files-from", "list", "--subfolders", "--base", "src"},  // a listed file outside the base
    };
    for (const auto& row : rows) {
        std::vector<std::string> arguments = percent;
        arguments.insert(arguments.end(), row.begin(), row.end());
        const TBatchResult result = Run(arguments);
        EXPECT_EQ(result.ExitStatus, 2) << row[0] << " " << row[1];
        EXPECT_EQ(result.Out, "") << row[0] << " " << row[1];
        EXPECT_EQ(result.ErrLines().size(), result.Err.find("--help") == std::string::npos ? 1u : 2u) << result.Err;
    }
    EXPECT_EQ(Run({"rename", "--shard", "1/2", "src"}).ExitStatus, 2);
    EXPECT_TRUE(fs::is_empty(Out()));
}

}  // namespace
}  // namespace quillane::test
