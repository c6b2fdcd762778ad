// Rename patterns: a zero-padded running number, and names made from the picture's
// capture time (its file's time, with a note, where it records none).
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <vips/vips8>

#include "GraphicsFixture.h"
#include "jobs/RenameJob.h"
#include "jobs/ScriptedHost.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;

TEST(RenamePattern, ExpandsTheNumberTheDateAndLeavesTheRest)
{
    std::tm taken{};
    taken.tm_year = 2019 - 1900;
    taken.tm_mon = 4;
    taken.tm_mday = 4;
    taken.tm_hour = 12;
    const struct {
        const char* Pattern;
        const char* Stem;
    } cases[] = {
        {"trip_{n}", "trip_007"}, {"{date}", "20190504"}, {"{date:%Y-%m-%d %Hh}-{n}", "2019-05-04 12h-007"},
        {"{x}{n", "{x}{n"},  // unknown fields and an unclosed brace stay as typed
        {"plain", "plain"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExpandPattern(c.Pattern, NumberTag(7, 3), taken), c.Stem) << c.Pattern;
    }
    EXPECT_EQ(NumberTag(7, 0), "7");
    EXPECT_EQ(NumberTag(1234, 3), "1234");  // a number wider than the width is kept whole
}

class RenamePatternRun : public GraphicsTest {
protected:
    fs::path Picture(const std::string& name, const char* takenAt)
    {
        vips::VImage image = vips::VImage::black(8, 8).copy();
        if (takenAt != nullptr) {
            image.set("exif-ifd2-DateTimeOriginal", takenAt);
        }
        fs::create_directories(folder_ / "src");
        image.jpegsave((folder_ / "src" / name).c_str());
        return folder_ / "src" / name;
    }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_ / "src")) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    TScriptedHost host_;
};

TEST_F(RenamePatternRun, PaddedNumbersSortAsTheyCount)
{
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
        Picture(name, nullptr);
    }
    host_.ShowFolder(folder_ / "src", false);
    ASSERT_TRUE(ClickStart(host_, TRenameBatch(TRenameFields{"x", rmNumber, 3, ""})));
    EXPECT_EQ(Names(), (std::vector<std::string>{"x000.jpg", "x001.jpg", "x002.jpg"}));
}

TEST_F(RenamePatternRun, CaptureDatesNameTheFilesAndAClashFailsTheSecond)
{
    Picture("a.jpg", "2019:05:04 12:34:56");
    Picture("b.jpg", "2019:05:04 18:00:00");
    const fs::path undated = Picture("c.jpg", nullptr);
    const std::time_t noon = 1262347200;  // 2010-01-01 12:00 UTC
    const timespec times[2] = {{noon, 0}, {noon, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, undated.c_str(), times, 0), 0);
    host_.ShowFolder(folder_ / "src", false);

    ASSERT_TRUE(ClickStart(host_, TRenameBatch(TRenameFields{"", rmNumber, 0, "{date:%Y%m%d}"})));
    std::tm local{};
    ::localtime_r(&noon, &local);
    char fileDay[16];
    std::strftime(fileDay, sizeof fileDay, "%Y%m%d", &local);
    EXPECT_EQ(Names(), (std::vector<std::string>{std::string(fileDay) + ".jpg", "20190504.jpg", "b.jpg"}));
    ASSERT_EQ(host_.Failures.size(), 2u);
    EXPECT_EQ(host_.Failures[0].Failure.Reason, TReason::rsTargetExists);  // b.jpg: the name a.jpg took
    EXPECT_EQ(host_.Failures[1].Failure.Reason, TReason::rsDateFromFileTime);
    EXPECT_EQ(host_.Lines.back(), undated.string() + "重命名成功！");  // the note goes beside a success
}

}  // namespace
}  // namespace quillane::test
