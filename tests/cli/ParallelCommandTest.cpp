// quillane-batch with several pictures at once writes exactly what it writes one at a
// time: the same result lines, the same messages, the same bytes in every file.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "GraphicsFixture.h"
#include "TestPictures.h"
#include "cli/BatchProcess.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every file below `folder`, by its path relative to it.
std::map<std::string, std::string> Tree(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    if (!fs::exists(folder)) {
        return files;
    }
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), folder).string()] = Bytes(entry.path());
        }
    }
    return files;
}

class ParallelCommand : public GraphicsTest {
protected:
    void SetUp() override
    {
        const fs::path src = folder_.Path() / "src";
        fs::create_directories(src / "sub");
        const char* const formats[] = {"jpg", "png", "tif", "gif", "bmp"};
        for (int i = 0; i < 10; ++i) {
            const fs::path folder = i % 3 == 2 ? src / "sub" : src;
            const std::string name = "p" + std::to_string(i) + "." + formats[i % 5];
            // Sizes differ a lot, so pictures finish out of order.
            WritePicture(i % 2 == 0 ? CoordinateImage(40 + 37 * i, 30 + 23 * i) : NoiseImage(60 + 11 * i, 50),
                         folder / name);
        }
        // Two sources of one name: converted to one target, the second is asked about
        // the first one's file (and, with no terminal, refused).
        MakePicture(src / "x.jpg", 50, 40, kRed);
        MakePicture(src / "x.png", 50, 40, kBlue);
    }

    // The command run once per worker count into its own output folder; the lines,
    // messages, exit status and written files must be the same for every count.
    void ExpectSameForEveryWorkerCount(std::vector<std::string> arguments)
    {
        std::optional<TBatchResult> first;
        std::map<std::string, std::string> firstTree;
        ++commands_;
        for (const char* jobs : {"1", "2"}) {
            const std::string out = "out" + std::to_string(commands_) + "-" + jobs;
            std::vector<std::string> command{"--jobs", jobs};
            command.insert(command.end(), arguments.begin(), arguments.end());
            command.insert(command.end(), {"--subfolders", "--yes", "--out", out, "src"});
            TBatchResult result = RunBatch(command, folder_.Path());
            result.Err = WithoutFolder(result.Err, out);
            const std::map<std::string, std::string> tree = Tree(folder_.Path() / out);
            EXPECT_FALSE(result.Out.empty()) << arguments.front();
            if (!first) {
                first = result;
                firstTree = tree;
                continue;
            }
            EXPECT_EQ(result.ExitStatus, first->ExitStatus) << arguments.front() << " --jobs " << jobs;
            EXPECT_EQ(result.Out, first->Out) << arguments.front() << " --jobs " << jobs;
            EXPECT_EQ(result.Err, first->Err) << arguments.front() << " --jobs " << jobs;
            EXPECT_EQ(tree.size(), firstTree.size()) << arguments.front() << " --jobs " << jobs;
            EXPECT_TRUE(tree == firstTree) << arguments.front() << " --jobs " << jobs << ": some file differs";
        }
    }

    // Messages name the output folder, which differs from run to run.
    static std::string WithoutFolder(std::string text, const std::string& folder)
    {
        for (std::size_t at = text.find(folder); at != std::string::npos; at = text.find(folder)) {
            text.replace(at, folder.size(), "OUT");
        }
        return text;
    }

    int commands_ = 0;
};

TEST_F(ParallelCommand, ThumbnailsAreTheSameWhateverTheWorkerCount)
{
    ExpectSameForEveryWorkerCount({"percent", "--width", "50", "--height", "40"});
    ExpectSameForEveryWorkerCount({"percent", "--width", "30", "--height", "30", "--fast"});
    ExpectSameForEveryWorkerCount({"pixel", "--width", "32", "--height", "24", "--mode", "cut"});
    ExpectSameForEveryWorkerCount({"side", "--width", "25"});
}

TEST_F(ParallelCommand, ConversionsCropsAndWatermarksAreTheSameWhateverTheWorkerCount)
{
    ExpectSameForEveryWorkerCount({"convert", "--to", "gif"});
    ExpectSameForEveryWorkerCount({"convert", "--to", "jpg"});
    ExpectSameForEveryWorkerCount({"crop", "--left", "5", "--top", "4", "--width", "20", "--height", "10"});
    ExpectSameForEveryWorkerCount(
        {"watermark", "--text", "Q", "--size", "8", "--x", "2", "--y", "2", "--opacity", "50"});
}

TEST_F(ParallelCommand, AWorkerCountBelowOneIsRefused)
{
    const TBatchResult result =
        RunBatch({"--jobs", "0", "percent", "--width", "50", "--height", "50", "src"}, folder_.Path());
    EXPECT_EQ(result.ExitStatus, 2);
    EXPECT_TRUE(result.Out.empty());
    EXPECT_FALSE(fs::exists(folder_.Path() / "src" / "p0_s.jpg"));
}

}  // namespace
}  // namespace quillane::test
