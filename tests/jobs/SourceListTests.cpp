// The items the file list shows, and their order.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "TempFolder.h"
#include "jobs/EngineTestFiles.h"
#include "jobs/SourceList.h"
#include "jobs/TypeFilter.h"

namespace quillane::test {
namespace {

std::vector<std::string> Names(const std::vector<TSourceItem>& items)
{
    std::vector<std::string> names;
    for (const TSourceItem& item : items) {
        names.push_back(item.Path.filename().string() + (item.IsFolder ? "/" : ""));
    }
    return names;
}

TEST(NaturalLess, NumbersByValueLettersWithoutCase)
{
    std::vector<std::string> names{"img10.jpg", "IMG2.jpg", "img1.jpg", "b.jpg", "A.jpg", "img02b.jpg", "img2a.jpg"};
    std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) { return NaturalLess(a, b); });
    const std::vector<std::string> expected{"A.jpg",     "b.jpg",      "img1.jpg", "IMG2.jpg",
                                            "img2a.jpg", "img02b.jpg", "img10.jpg"};
    EXPECT_EQ(names, expected);
    EXPECT_FALSE(NaturalLess("a", "a"));
    EXPECT_NE(NaturalLess("a.JPG", "a.jpg"), NaturalLess("a.jpg", "a.JPG"));  // a strict order still
}

class SourceList : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"a.JPG", "b.jpeg", "c.tiff", "d.txt", "img10.png", "img2.png", ".hidden.jpg"}) {
            Touch(folder_ / name);
        }
        std::filesystem::create_directories(folder_ / "sub");
        std::filesystem::create_directories(folder_ / "Sub2");
        std::filesystem::create_directories(folder_ / "old.zip");
        std::filesystem::create_directories(folder_ / "setup.CAB");
    }
    TTempFolder folder_;
};

TEST_F(SourceList, ShowsMatchingFilesInNaturalOrderWithoutSubFolders)
{
    const auto items = ListSourceItems(folder_.Path(), false, TypeCaptions());
    EXPECT_EQ(Names(items), (std::vector<std::string>{"a.JPG", "b.jpeg", "c.tiff", "img2.png", "img10.png"}));
    EXPECT_EQ(items.front().Path, folder_ / "a.JPG");
}

TEST_F(SourceList, SubFoldersComeFirstButNeverArchives)
{
    const auto items = ListSourceItems(folder_.Path(), true, TypeCaptions());
    EXPECT_EQ(Names(items),
              (std::vector<std::string>{"sub/", "Sub2/", "a.JPG", "b.jpeg", "c.tiff", "img2.png", "img10.png"}));
}

TEST_F(SourceList, UntickedTypesLeaveOnlyFolders)
{
    EXPECT_EQ(Names(ListSourceItems(folder_.Path(), false, {TypeCaptions()[0]})),
              (std::vector<std::string>{"a.JPG", "b.jpeg"}));
    EXPECT_EQ(Names(ListSourceItems(folder_.Path(), true, {})), (std::vector<std::string>{"sub/", "Sub2/"}));
}

TEST_F(SourceList, NeverShowsAPipeNamedLikeAPicture)
{
    ASSERT_EQ(::mkfifo((folder_ / "pipe.jpg").c_str(), 0600), 0);
    const auto names = Names(ListSourceItems(folder_.Path(), false, TypeCaptions()));
    EXPECT_EQ(std::count(names.begin(), names.end(), "pipe.jpg"), 0);
    EXPECT_EQ(names.size(), 5u);
}

TEST_F(SourceList, FollowsLinksToFilesAndFolders)
{
    std::filesystem::create_symlink(folder_ / "a.JPG", folder_ / "link.jpg");
    std::filesystem::create_directory_symlink(folder_ / "sub", folder_ / "linked");
    std::filesystem::create_symlink(folder_ / "gone.jpg", folder_ / "dangling.jpg");
    const auto items = ListSourceItems(folder_.Path(), true, TypeCaptions());
    EXPECT_EQ(Names(items), (std::vector<std::string>{"linked/", "sub/", "Sub2/", "a.JPG", "b.jpeg", "c.tiff",
                                                      "dangling.jpg", "img2.png", "img10.png", "link.jpg"}));
}

}  // namespace
}  // namespace quillane::test
