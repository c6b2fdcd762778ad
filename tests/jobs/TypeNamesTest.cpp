#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jobs/ConvertJob.h"
#include "jobs/TypeFilter.h"
#include "jobs/TypeNames.h"

namespace quillane {
namespace {

// Each ticked entry alone lets through the files of its own type and no other. The
// test looks for the name's last four characters in the caption, so ".jpe" and ".hei"
// pass with their longer relatives, as they always did.
TEST(TypeList, EachEntryAloneMatchesOnlyItsOwnExtensions)
{
    struct TFile {
        const char* Name;
        int Entry;
    };
    const std::vector<TFile> files{
        {"a.jpg", 0},   {"b.JPEG", 0}, {"c.png", 1},  {"d.bmp", 2},  {"e.gif", 3},  {"f.tif", 4}, {"g.TIFF", 4},
        {"h.webp", 5},  {"i.WebP", 5}, {"j.heic", 6}, {"k.HEIF", 6}, {"l.avif", 7}, {"m.jxl", 8}, {"n.JXL", 8},
        {"o.jfif", -1}, {"p.txt", -1}, {"q.jpe", 0},  {"r.hei", 6},  {"s.svg", -1},
    };
    const std::vector<std::string>& captions = TypeCaptions();
    ASSERT_EQ(captions.size(), 9u);
    for (std::size_t entry = 0; entry < captions.size(); ++entry)
        for (const TFile& file : files)
            EXPECT_EQ(MatchesCheckedType(file.Name, {captions[entry]}), file.Entry == static_cast<int>(entry))
                << file.Name << " with only \"" << captions[entry] << "\" ticked";
}

TEST(TypeNames, EveryUsualSpellingNamesItsEntryAndTarget)
{
    struct TRow {
        const char* Name;
        int TypeEntry;    // in the type list
        int TargetEntry;  // in the conversion's target box
    };
    const TRow rows[] = {
        {"jpeg", 0, 0},  {"JPG", 0, 0},     {"Jpeg", 0, 0},      {"png", 1, 3},    {"bmp", 2, 1},  {"gif", 3, 2},
        {"tif", 4, 4},   {"TIFF", 4, 4},    {"webp", 5, 5},      {"WEBP", 5, 5},   {"heic", 6, 7}, {"heif", 6, 7},
        {"HEIC", 6, 7},  {"avif", 7, 6},    {"jxl", 8, 8},       {"jfif", -1, -1}, {"", -1, -1},   {".jpg", -1, -1},
        {"jpe", -1, -1}, {"x/png", -1, -1}, {"jpeg xl", -1, -1},
    };
    for (const TRow& row : rows) {
        EXPECT_EQ(TypeIndexNamed(row.Name).value_or(-1), row.TypeEntry) << row.Name;
        EXPECT_EQ(ConvertTargetNamed(row.Name).value_or(-1), row.TargetEntry) << row.Name;
        if (row.TargetEntry >= 0) {  // the box entry writes a file of that type
            EXPECT_EQ(TypeIndexNamed(std::string(ConvertTargetAt(row.TargetEntry)->Extension).substr(1)),
                      row.TypeEntry);
        }
    }
}

}  // namespace
}  // namespace quillane
