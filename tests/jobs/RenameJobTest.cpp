// The rename job: names and numbers, random tags, names already taken, the results
// box kept across runs, and the source list refreshed at the end.
#include <gtest/gtest.h>

#include <map>
#include <regex>

#include "TempFolder.h"
#include "imaging/NoReplaceRename.h"
#include "jobs/EngineTestFiles.h"
#include "jobs/RenameJob.h"
#include "jobs/ScriptedHost.h"

namespace quillane::test {
namespace {

namespace fs = std::filesystem;

// Records when the source list is refreshed, among the other events.
class TRefreshingHost : public TScriptedHost {
public:
    void RefreshSourceList() override { Events.push_back("refresh"); }
};

class RenameJob : public ::testing::Test {
protected:
    void SetUp() override { source_ = folder_ / "src"; }
    std::optional<TRunOutcome> Run(const std::string& prefix, TRenameMode mode = rmNumber, std::uint32_t seed = 7)
    {
        return ClickStart(host_, TRenameBatch(TRenameFields{prefix, mode}, [this, seed] {
                              ++seeds_;
                              return seed;
                          }));
    }
    std::vector<std::string> Names(const fs::path& folder) const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string Line(const fs::path& file, bool ok) const
    {
        return file.string() + (ok ? "重命名成功！" : "重命名失败！");
    }

    TTempFolder folder_;
    fs::path source_;
    TRefreshingHost host_;
    int seeds_ = 0;
};

TEST_F(RenameJob, EmptyListIsTheOnlyCheck)
{
    host_.Root = source_;
    EXPECT_FALSE(Run(""));
    EXPECT_EQ(host_.Messages, (std::vector<TShownMessage>{{"没有需要重命名的文件！", TMessageStyle::msInformationOk}}));
    EXPECT_TRUE(host_.Events.empty());
}

TEST_F(RenameJob, ListItemsAreNumberedFromZeroInListOrderKeepingTheirExtension)
{
    for (const char* name : {"b.jpg", "a.png", "c.JPG"}) {
        Touch(source_ / name, name);
    }
    host_.ShowFolder(source_, false);
    ASSERT_TRUE(Run("img"));
    EXPECT_EQ(Names(source_), (std::vector<std::string>{"img0.png", "img1.jpg", "img2.JPG"}));
    EXPECT_EQ(Slurp(source_ / "img1.jpg"), "b.jpg");
    EXPECT_EQ(host_.Lines, (std::vector<std::string>{Line(source_ / "a.png", true), Line(source_ / "b.jpg", true),
                                                     Line(source_ / "c.JPG", true)}));
    // Shown, not cleared; the list is refreshed after the closing message.
    EXPECT_EQ(host_.Events, (std::vector<std::string>{"show", "busy", "idle", "refresh"}));
    EXPECT_EQ(host_.Messages, (std::vector<TShownMessage>{{"处理完成！", TMessageStyle::msInformationOk}}));
}

TEST_F(RenameJob, EmptyPrefixAndTwoDigitNumbersGetNoLeadingZeros)
{
    for (int i = 0; i < 11; ++i) {
        Touch(source_ / ("p" + std::string(1, static_cast<char>('a' + i)) + ".jpg"));
    }
    host_.ShowFolder(source_, false);
    ASSERT_TRUE(Run(""));
    EXPECT_TRUE(fs::exists(source_ / "0.jpg"));
    EXPECT_TRUE(fs::exists(source_ / "10.jpg"));
    EXPECT_EQ(Names(source_).size(), 11u);
}

TEST_F(RenameJob, FolderItemsUseUpIndexesAndEachFolderCountsFromZero)
{
    Touch(source_ / "f1" / "x.jpg");
    Touch(source_ / "f1" / "y.gif");
    Touch(source_ / "f1" / "readme.txt");
    Touch(source_ / "f2" / "deep" / "z.png");
    for (const char* name : {"a.jpg", "b.png", "c.JPG"}) {
        Touch(source_ / name);
    }
    host_.ShowFolder(source_, true);
    ASSERT_TRUE(Run("img"));
    EXPECT_EQ(Names(source_), (std::vector<std::string>{"f1", "f2", "img2.jpg", "img3.png", "img4.JPG"}));
    const auto inF1 = Names(source_ / "f1");
    EXPECT_EQ(inF1.size(), 3u);
    EXPECT_TRUE(std::count(inF1.begin(), inF1.end(), "readme.txt"));
    EXPECT_TRUE(fs::exists(source_ / "f1" / "img0.jpg") || fs::exists(source_ / "f1" / "img0.gif"));
    EXPECT_TRUE(fs::exists(source_ / "f1" / "img1.jpg") || fs::exists(source_ / "f1" / "img1.gif"));
    EXPECT_EQ(Names(source_ / "f2" / "deep"), std::vector<std::string>{"img0.png"});
    EXPECT_EQ(host_.Lines.size(), 6u);
}

TEST_F(RenameJob, TakenNameFailsAndLeavesBothFilesAsTheyWere)
{
    Touch(source_ / "a.jpg", "mine");
    Touch(source_ / "img0.jpg", "theirs");
    host_.ShowFolder(source_, false);  // a.jpg is 0, img0.jpg is 1
    const auto outcome = Run("img");
    ASSERT_TRUE(outcome);
    EXPECT_EQ(host_.Lines,
              (std::vector<std::string>{Line(source_ / "a.jpg", false), Line(source_ / "img0.jpg", true)}));
    EXPECT_EQ(Slurp(source_ / "a.jpg"), "mine");
    EXPECT_EQ(Slurp(source_ / "img1.jpg"), "theirs");
    EXPECT_EQ(outcome->Failed, 1u);
}

TEST_F(RenameJob, PrefixWithASlashNeverMovesAFileOutOfItsFolder)
{
    Touch(source_ / "a.jpg");
    fs::create_directories(source_ / "sub");
    host_.ShowFolder(source_, false);
    for (const std::string prefix : {"sub/", "../", "/tmp/"}) {
        ASSERT_TRUE(Run(prefix));
        EXPECT_EQ(host_.Lines.back(), Line(source_ / "a.jpg", false)) << prefix;
    }
    EXPECT_EQ(Names(source_), (std::vector<std::string>{"a.jpg", "sub"}));
    EXPECT_TRUE(fs::is_empty(source_ / "sub"));
    EXPECT_EQ(Names(folder_.Path()), std::vector<std::string>{"src"});
}

TEST_F(RenameJob, SecondRunAppendsUnderTheFirst)
{
    Touch(source_ / "a.jpg");
    host_.ShowFolder(source_, false);
    ASSERT_TRUE(Run("x"));
    host_.ShowFolder(source_, false);
    ASSERT_TRUE(Run("y"));
    EXPECT_EQ(host_.Lines, (std::vector<std::string>{Line(source_ / "a.jpg", true), Line(source_ / "x0.jpg", true)}));
    EXPECT_EQ(std::count(host_.Events.begin(), host_.Events.end(), "clear"), 0);
}

TEST_F(RenameJob, RandomTagsAreThreeAlphabetCharactersFromOneSeedPerRun)
{
    for (int i = 0; i < 40; ++i) {
        Touch(source_ / ("f" + std::to_string(i) + ".jpg"));
    }
    host_.ShowFolder(source_, false);
    const auto outcome = Run("img", rmRandom);
    ASSERT_TRUE(outcome);
    // Seeding for every file would give every file of one instant the same tag.
    EXPECT_EQ(seeds_, 1);
    EXPECT_EQ(outcome->Succeeded, 40u);
    const std::regex shape("img[0-9a-z]{3}\\.jpg");
    for (const std::string& name : Names(source_)) {
        EXPECT_TRUE(std::regex_match(name, shape)) << name;
    }
}

TEST_F(RenameJob, FolderReachedTwiceRenamesEachFileOnce)
{
    Touch(source_ / "a" / "x.jpg");
    Touch(source_ / "a" / "y.jpg");
    fs::create_directory_symlink(source_ / "a", source_ / "b");
    host_.ShowFolder(source_, true);
    ASSERT_EQ(host_.Items.size(), 2u);
    ASSERT_TRUE(Run("n"));
    EXPECT_EQ(Names(source_ / "a"), (std::vector<std::string>{"n0.jpg", "n1.jpg"}));
    EXPECT_EQ(host_.Lines.size(), 2u);
}

// Two names of one file are two entries: each gets its new name and its line, in
// the list and in a walked folder (listed in the file system's order) alike.
TEST_F(RenameJob, EverySecondNameOfAHardLinkedFileIsRenamedToo)
{
    for (const bool walked : {false, true}) {
        const fs::path where = walked ? source_ / "f" : source_;
        fs::remove_all(source_);
        Touch(where / "a.jpg", "one file");
        fs::create_hard_link(where / "a.jpg", where / "b.jpg");
        Touch(where / "c.png");
        host_.Lines.clear();
        host_.ShowFolder(source_, walked);
        const auto outcome = Run("n");
        ASSERT_TRUE(outcome);
        EXPECT_EQ(outcome->Succeeded, 3u) << walked;
        if (!walked) {  // list order: by name
            EXPECT_EQ(Names(where), (std::vector<std::string>{"n0.jpg", "n1.jpg", "n2.png"}));
        }
        std::vector<std::string> lines = host_.Lines;
        std::sort(lines.begin(), lines.end());
        EXPECT_EQ(lines, (std::vector<std::string>{Line(where / "a.jpg", true), Line(where / "b.jpg", true),
                                                   Line(where / "c.png", true)}));
        std::vector<fs::path> jpegs;
        for (const std::string& name : Names(where)) {
            EXPECT_TRUE(std::regex_match(name, std::regex("n[0-2]\\.(jpg|png)"))) << name;
            if (name.ends_with(".jpg")) {
                jpegs.push_back(where / name);
            }
        }
        ASSERT_EQ(jpegs.size(), 2u);
        EXPECT_TRUE(fs::equivalent(jpegs[0], jpegs[1]));  // still one file under two names
    }
}

TEST(RandomThreeChars, DrawsEveryCharacterAboutEquallyOften)
{
    std::mt19937 generator(12345);
    std::map<char, int> counts;
    for (int i = 0; i < 12000; ++i) {
        const std::string tag = RandomThreeChars(generator);
        ASSERT_EQ(tag.size(), 3u);
        for (char c : tag) {
            ++counts[c];
        }
    }
    ASSERT_EQ(counts.size(), 36u);
    for (const auto& [c, count] : counts) {
        EXPECT_NE(std::string(kRandomTagAlphabet).find(c), std::string::npos);
        EXPECT_NEAR(count, 1000, 150) << c;
    }
}

class RenameNoReplace : public ::testing::TestWithParam<bool (*)(const fs::path&, const fs::path&)> {};

TEST_P(RenameNoReplace, NeverReplacesAnExistingFile)
{
    const auto rename = GetParam();
    TTempFolder folder;
    Touch(folder / "a", "a");
    Touch(folder / "b", "b");
    EXPECT_FALSE(rename(folder / "a", folder / "b"));
    EXPECT_EQ(Slurp(folder / "a"), "a");
    EXPECT_EQ(Slurp(folder / "b"), "b");
    EXPECT_TRUE(rename(folder / "a", folder / "c"));
    EXPECT_FALSE(fs::exists(folder / "a"));
    EXPECT_EQ(Slurp(folder / "c"), "a");
    EXPECT_FALSE(rename(folder / "missing", folder / "d"));
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"b", "c"}));
}

INSTANTIATE_TEST_SUITE_P(BothWays, RenameNoReplace,
                         ::testing::Values(&quillane::RenameNoReplace, &quillane::RenameByLinking));

}  // namespace
}  // namespace quillane::test
