// Field texts, output names, the type test and the mirrored output folder.
#include <gtest/gtest.h>

#include "jobs/FieldText.h"
#include "jobs/FolderWalk.h"
#include "jobs/OutputRule.h"
#include "jobs/TypeFilter.h"

namespace quillane {
namespace {

TEST(FieldText, TrimsBlanksAndControlCharactersOnly)
{
    EXPECT_EQ(TrimField(" \t_s \r\n"), "_s");
    EXPECT_EQ(TrimField("a b"), "a b");
    EXPECT_EQ(TrimField("   "), "");
}

TEST(FieldText, ReadsWholeNumbersWithLeadingZeros)
{
    EXPECT_EQ(ParseInteger("007"), 7);
    EXPECT_EQ(ParseInteger("0"), 0);
    EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseInteger("-5"), -5);
    EXPECT_EQ(ParseInteger("12a"), std::nullopt);
    EXPECT_EQ(ParseInteger("1 2"), std::nullopt);
    EXPECT_EQ(ParseInteger("0x10"), std::nullopt);
    EXPECT_EQ(ParseInteger("+-3"), std::nullopt);
    EXPECT_EQ(ParseInteger("2147483648"), std::nullopt);  // too long for an integer
    EXPECT_EQ(ParseInteger(""), std::nullopt);
    EXPECT_EQ(NotAnIntegerMessage("12a"), "'12a' is not a valid integer value");
}

TOutputRule Rule(const std::string& affix, TAffixPosition position)
{
    return TOutputRule{"/thumbs/", affix, position};
}

TEST(ApplyAffix, SuffixGoesBeforeTheLastDotOfTheFileName)
{
    EXPECT_EQ(ApplyAffix("/thumbs/photo.jpg", Rule("_s", apSuffix)), "/thumbs/photo_s.jpg");
    EXPECT_EQ(ApplyAffix("/thumbs/a.b.jpg", Rule("_s", apSuffix)), "/thumbs/a.b_s.jpg");
    EXPECT_EQ(ApplyAffix("/thumbs/JPEG", Rule("_s", apSuffix)), "/thumbs/JPEG");
    EXPECT_EQ(ApplyAffix("/out.d/JPEG", Rule("_s", apSuffix)), "/out.d/JPEG");  // never into another folder
    EXPECT_EQ(ApplyAffix("./JPEG", Rule("_s", apSuffix)), "./JPEG");
}

TEST(ApplyAffix, PrefixGoesAfterTheLastSlash)
{
    EXPECT_EQ(ApplyAffix("/thumbs/photo.jpg", Rule("_s", apPrefix)), "/thumbs/_sphoto.jpg");
    EXPECT_EQ(ApplyAffix("/thumbs/a.b.jpg", Rule("新_", apPrefix)), "/thumbs/新_a.b.jpg");
    EXPECT_EQ(ApplyAffix("photo.jpg", Rule("_s", apPrefix)), "photo.jpg");
}

TEST(ApplyAffix, BlankAffixAddsNothing)
{
    EXPECT_EQ(ApplyAffix("/thumbs/photo.jpg", Rule("   ", apSuffix)), "/thumbs/photo.jpg");
    EXPECT_EQ(ApplyAffix("/thumbs/photo.jpg", Rule("", apPrefix)), "/thumbs/photo.jpg");
}

TEST(OutputRule, TrimsTheAffixAndEndsTheFolderInASlash)
{
    const TOutputRule suffix = MakeOutputRule("/tmp/out", "  _s ", 0);
    EXPECT_EQ(suffix.SaveFolder, "/tmp/out/");
    EXPECT_EQ(suffix.Affix, "_s");
    EXPECT_EQ(suffix.AffixPosition, apSuffix);
    EXPECT_EQ(MakeOutputRule("/tmp/out/", "", 1).SaveFolder, "/tmp/out/");
    EXPECT_EQ(MakeOutputRule("/tmp/out/", "", 1).AffixPosition, apPrefix);
}

std::vector<std::string> Only(int index)
{
    return {TypeCaptions().at(static_cast<std::size_t>(index))};
}

TEST(MatchesCheckedType, UsualExtensionsPassTheirOwnEntryOnly)
{
    const std::vector<std::pair<std::string, int>> cases{
        {"a.jpg", 0}, {"a.jpeg", 0}, {"a.jpe", 0},  {"a.png", 1}, {"a.bmp", 2},
        {"a.gif", 3}, {"a.tif", 4},  {"a.tiff", 4}, {"A.JPG", 0}, {"b.Tiff", 4},
    };
    for (const auto& [name, entry] : cases) {
        for (int index = 0; index < 5; ++index) {
            EXPECT_EQ(MatchesCheckedType(name, Only(index)), index == entry) << name << " against entry " << index;
        }
    }
}

TEST(MatchesCheckedType, OddNamesFollowTheFourCharacterRule)
{
    EXPECT_TRUE(MatchesCheckedType("JPEG", TypeCaptions()));  // a file named JPEG, no extension
    EXPECT_TRUE(MatchesCheckedType("/photos/JPEG", TypeCaptions()));
    EXPECT_FALSE(MatchesCheckedType("notes.txt", TypeCaptions()));
    EXPECT_FALSE(MatchesCheckedType("a.jpg", {}));
    EXPECT_FALSE(MatchesCheckedType("图片.jpg图", TypeCaptions()));
    EXPECT_TRUE(MatchesCheckedType("图片.jpg", TypeCaptions()));
}

TEST(IsTiffPath, LooksAtTheExtensionOfTheFileNameInAnyCase)
{
    EXPECT_TRUE(IsTiffPath("/a/b.tif"));
    EXPECT_TRUE(IsTiffPath("/a/b.TIFF"));
    EXPECT_TRUE(IsTiffPath("/a/.tif"));
    EXPECT_FALSE(IsTiffPath("/a.tif/b.jpg"));
    EXPECT_FALSE(IsTiffPath("/a/b.tiffany"));
    EXPECT_FALSE(IsTiffPath("/a/tif"));
}

TEST(MirrorFolder, ReplacesTheRootWithoutRegardToCase)
{
    EXPECT_EQ(MirrorFolder("/Photos/2008/", "/Photos/", "/Thumbs/"), "/Thumbs/2008/");
    EXPECT_EQ(MirrorFolder("/Photos/2008/Trip/", "/photos/", "/Thumbs/"), "/Thumbs/2008/Trip/");
    EXPECT_EQ(MirrorFolder("/elsewhere/x/", "/Photos/", "/Thumbs/"), "/elsewhere/x/");
}

}  // namespace
}  // namespace quillane
