#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "GraphicsFixture.h"
#include "TestPictures.h"
#include "imaging/Convert.h"
#include "imaging/Crop.h"
#include "imaging/MemoryTarget.h"
#include "imaging/Thumbnails.h"

// Saving to memory: a routine run under a TMemoryTarget gives the very bytes it would
// write, and leaves every folder and file as it was.
namespace quillane {
namespace {

namespace fs = std::filesystem;
using test::MakePicture;
using test::ReadBytes;

using TRoutine = std::function<TOutcome(const TPath& source, const TPath& target, bool overwrite)>;

struct TCase {
    const char* Name;
    const char* Target;  // its extension chooses the format
    TRoutine Routine;
};

// Each way a file is written: the library's saver, our own GIF and PNG writers, a copy.
std::vector<TCase> Cases()
{
    return {
        {"thumbnail", "thumb.jpg", [](auto& s, auto& t, bool o) { return ThumbPercentHQ(s, t, 50, 50, o); }},
        {"convert", "convert.gif", [](auto& s, auto& t, bool o) { return ConvertImage(s, t, 2, o); }},
        {"crop", "crop.png", [](auto& s, auto& t, bool o) { return CropImage(s, t, 2, 2, 10, 8, o); }},
        {"side, copied", "side.png", [](auto& s, auto& t, bool o) { return ThumbSideFast(s, t, true, 500, o, true); }},
    };
}

std::vector<std::string> Listing(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class MemoryTarget : public test::GraphicsTest {
protected:
    void SetUp() override
    {
        fs::create_directory(File("disk"));
        fs::create_directory(File("memory"));
        MakePicture(File("source.png"), 40, 20, {200, 40, 40});
    }
};

TEST_F(MemoryTarget, HoldsTheBytesTheRoutineWritesAndTouchesNoFile)
{
    for (const TCase& c : Cases()) {
        SCOPED_TRACE(c.Name);
        // The outcome may be a failure with a file all the same ("没有创建缩略图。", a copy).
        const TOutcome onDisk = c.Routine(File("source.png"), File("disk") / c.Target, false);
        ASSERT_TRUE(fs::exists(File("disk") / c.Target));
        const std::vector<std::string> before = Listing(folder_.Path());
        TMemoryTarget memory;
        EXPECT_EQ(bool(c.Routine(File("source.png"), File("memory") / c.Target, false)), bool(onDisk));
        ASSERT_TRUE(memory.Written());
        EXPECT_EQ(memory.Bytes(), ReadBytes(File("disk") / c.Target));
        EXPECT_TRUE(fs::is_empty(File("memory")));
        EXPECT_EQ(Listing(folder_.Path()), before);
    }
}

TEST_F(MemoryTarget, AnExistingTargetKeepsItsBytesAndItsPermissions)
{
    const fs::path target = File("memory") / "out.jpg";
    MakePicture(target, 3, 3, {0, 0, 0});
    ::chmod(target.c_str(), 0444);
    const std::string old = ReadBytes(target);
    {
        TMemoryTarget memory;
        EXPECT_FALSE(ThumbPercentHQ(File("source.png"), target, 50, 50, false));  // without overwrite: refused
        EXPECT_FALSE(memory.Written());
        EXPECT_TRUE(ThumbPercentHQ(File("source.png"), target, 50, 50, true));
        EXPECT_TRUE(memory.Written());
    }
    EXPECT_EQ(ReadBytes(target), old);
    struct stat status {};
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0444u);
    EXPECT_EQ(Listing(File("memory")), std::vector<std::string>{"out.jpg"});
}

}  // namespace
}  // namespace quillane
