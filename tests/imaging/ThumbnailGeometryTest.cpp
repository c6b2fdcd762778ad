#include <gtest/gtest.h>

#include "imaging/ThumbnailGeometry.h"

namespace quillane {
namespace {

void ExpectRect(const std::optional<TRect64>& rect, std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h)
{
    ASSERT_TRUE(rect.has_value());
    EXPECT_EQ(rect->x, x);
    EXPECT_EQ(rect->y, y);
    EXPECT_EQ(rect->width, w);
    EXPECT_EQ(rect->height, h);
}

TEST(PercentSize, TruncatesEachSideIndependently)
{
    EXPECT_EQ(PercentSize(1023, 767, 50, 50).width, 511);
    EXPECT_EQ(PercentSize(1023, 767, 50, 50).height, 383);
    EXPECT_EQ(PercentSize(1023, 767, 33, 200).width, 337);
    EXPECT_EQ(PercentSize(1023, 767, 33, 200).height, 1534);
    EXPECT_EQ(PercentSize(1, 1, 50, 50).width, 0);
    EXPECT_EQ(PercentSize(1000, 1000, 300, 300).width, 3000);
}

TEST(PercentSize, MultipliesInSixtyFourBits)
{
    // 4,000,000,000 x 100 would overflow 32 bits.
    EXPECT_EQ(PercentSize(4000000000u, 3, 100, 100).width, 4000000000LL);
    EXPECT_EQ(PercentSize(7, 7, -50, 50).width, -3) << "div truncates toward zero";
}

TEST(FillPlacement, CentresTheFittedPictureWithTheLargerBarBelowOrRight)
{
    ExpectRect(FillPlacement(800, 600, 200, 200), 0, 25, 200, 150);
    ExpectRect(FillPlacement(600, 800, 200, 200), 25, 0, 150, 200);
    ExpectRect(FillPlacement(300, 99, 100, 100), 0, 33, 100, 33);
    ExpectRect(FillPlacement(400, 50, 100, 100), 0, 44, 100, 12);  // Round(12.5) is the even 12
    ExpectRect(FillPlacement(400, 54, 100, 100), 0, 43, 100, 14);  // Round(13.5) is the even 14
    ExpectRect(FillPlacement(800, 600, 400, 300), 0, 0, 400, 300);
}

TEST(FillPlacement, GivesNothingForASourceOfNoSize)
{
    EXPECT_FALSE(FillPlacement(0, 0, 100, 100).has_value());
    EXPECT_FALSE(FillPlacement(100, 0, 100, 100).has_value());
}

TEST(CutWindowFast, RoundsTheCoveringThumbnailThenHalvesTheOverflow)
{
    const auto wide = CutWindowFast(800, 600, 200, 200);
    ASSERT_TRUE(wide.has_value());
    EXPECT_EQ(wide->thumbnail.width, 267);
    EXPECT_EQ(wide->thumbnail.height, 200);
    ExpectRect(wide->window, 33, 0, 200, 200);
    const auto tall = CutWindowFast(600, 800, 200, 200);
    ASSERT_TRUE(tall.has_value());
    EXPECT_EQ(tall->thumbnail.height, 267);
    ExpectRect(tall->window, 0, 33, 200, 200);
    const auto same = CutWindowFast(800, 600, 400, 300);
    ASSERT_TRUE(same.has_value());
    ExpectRect(same->window, 0, 0, 400, 300);
    EXPECT_FALSE(CutWindowFast(0, 0, 10, 10).has_value());
}

TEST(CutPartHQ, HalvesTheOverflowInSourcePixels)
{
    ExpectRect(CutPartHQ(800, 600, 200, 200), 100, 0, 600, 600);
    ExpectRect(CutPartHQ(600, 800, 200, 200), 0, 100, 600, 600);
    ExpectRect(CutPartHQ(800, 600, 400, 300), 0, 0, 800, 600);
    ExpectRect(CutPartHQ(801, 600, 200, 200), 100, 0, 601, 600);  // Round(201) div 2
    EXPECT_FALSE(CutPartHQ(0, 0, 10, 10).has_value());
}

TEST(CutPartHQ, KeepsAtLeastOneSourceRowOfAnExtremelyTallPicture)
{
    // 1000 - 0.01 rounds to 1000, which would cut away every row.
    ExpectRect(CutPartHQ(1, 1000, 100, 1), 0, 499, 1, 2);
}

TEST(SideSize, FloorsTheFollowingSide)
{
    EXPECT_EQ(SideSize(1000, 751, true, 400).width, 400);
    EXPECT_EQ(SideSize(1000, 751, true, 400).height, 300);
    EXPECT_EQ(SideSize(1000, 751, false, 300).width, 399);
    EXPECT_EQ(SideSize(1000, 751, false, 300).height, 300);
    EXPECT_EQ(SideSize(400, 900, true, 800).height, 1800);
    EXPECT_EQ(SideSize(1000, 1, true, 10).height, 0);
}

}  // namespace
}  // namespace quillane
