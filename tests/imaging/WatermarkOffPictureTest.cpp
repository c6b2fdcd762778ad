// A watermark that lands nowhere on the picture fails and writes nothing; one that
// lands even partly is stamped.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "GraphicsFixture.h"
#include "TestPictures.h"
#include "imaging/Watermark.h"

namespace quillane {
namespace {

namespace fs = std::filesystem;

struct TPlacement {
    const char* what;
    TPointF offset;
    bool fromBottomRight;
    bool lands;
};

class WatermarkOffPictureTest : public test::GraphicsTest {
protected:
    void SetUp() override
    {
        test::MakePicture(File("white.png"), 400, 300, {255, 255, 255});
        test::MakePicture(File("mark.png"), 10, 8, {200, 100, 50});  // 10 x 8
    }

    // The routine's result agrees with whether the target was written and, when it
    // was, the picture changed.
    void ExpectLands(const TOutcome& stamped, bool lands, const std::string& what)
    {
        EXPECT_EQ(static_cast<bool>(stamped), lands) << what;
        if (!lands) {
            EXPECT_EQ(stamped.Reason(), TReason::rsMarkOutside) << what;
        }
        EXPECT_EQ(fs::exists(File("out.png")), lands) << what;
        if (lands && fs::exists(File("out.png"))) {
            EXPECT_GT((test::ReadPicture(File("white.png")) != test::ReadPicture(File("out.png"))).max(), 0) << what;
        }
        fs::remove(File("out.png"));
    }

    TOutcome StampText(const std::string& text, float points, TPointF offset, bool fromBottomRight)
    {
        const TGPFont font(TGPFontFamily("DejaVu Sans"), points, fsRegular);
        return StampTextWatermark(File("white.png"), File("out.png"), text, font, 0xFFFF0000u, offset, false,
                                  fromBottomRight, 0);
    }
};

TEST_F(WatermarkOffPictureTest, TextFailsWhenNoInkedPixelLandsOnThePicture)
{
    const TPlacement placements[] = {
        {"far right", {5000, 0}, false, false},
        {"far below", {0, 5000}, false, false},
        {"far left", {-5000, 0}, false, false},
        {"far up", {0, -5000}, false, false},
        {"from bottom-right, pushed off the left", {5000, 0}, true, false},
        {"from bottom-right, pushed off the top", {0, 5000}, true, false},
        {"from bottom-right, pushed off the right", {-5000, 0}, true, false},
        {"partly off the top-left", {-12, -15}, false, true},
        {"partly off the bottom-right", {-8, -10}, true, true},
        {"inside", {10, 10}, true, true},
    };
    for (const TPlacement& p : placements)
        ExpectLands(StampText("Hg", 20, p.offset, p.fromBottomRight), p.lands, p.what);
}

TEST_F(WatermarkOffPictureTest, TextWithoutInkOnThePictureFails)
{
    // At 1000 points the dots sit more than 1000 pixels below the top of their line.
    ExpectLands(StampText("...", 1000, {0, 0}, false), false, "huge dots below the picture");
    ExpectLands(StampText("...", 1000, {0, -1100}, false), true, "the same dots raised onto it");
    // Two dots far apart, one left of the picture and one right of it: the text spans
    // the picture, but only the blank between the dots lies on it.
    const std::string apart = ".         .";
    ExpectLands(StampText(apart, 1000, {-400, -1100}, false), false, "only the gap between dots on the picture");
    ExpectLands(StampText(apart, 1000, {-100, -1100}, false), true, "the first dot on the picture");
    for (const std::string blank : {" ", "   ", "\t \u3000"})
        ExpectLands(StampText(blank, 20, {10, 10}, false), false, "blanks");
}

TEST_F(WatermarkOffPictureTest, PictureFailsWhenItsRectangleMissesThePicture)
{
    // The picture is 400 x 300, the mark 10 x 8.
    const TPlacement placements[] = {
        {"far right", {5000, 0}, false, false},
        {"far below", {0, 5000}, false, false},
        {"far left", {-5000, 0}, false, false},
        {"far up", {0, -5000}, false, false},
        {"just past the right edge", {400, 0}, false, false},
        {"just above the top edge", {0, -8}, false, false},
        {"one column on the right edge", {399, 0}, false, true},
        {"one row on the top edge", {0, -7}, false, true},
        {"from bottom-right, just past the left edge", {400, 0}, true, false},
        {"from bottom-right, just past the bottom edge", {0, -8}, true, false},
        {"from bottom-right, one column on the left edge", {399, 0}, true, true},
        {"from bottom-right, partly off the corner", {-5, -4}, true, true},
    };
    for (const TPlacement& p : placements) {
        const TOutcome stamped = StampPictureWatermark(File("white.png"), File("out.png"), File("mark.png"),
                                                       OpacityMatrix(1), p.offset, false, p.fromBottomRight, 0);
        ExpectLands(stamped, p.lands, p.what);
    }
}

}  // namespace
}  // namespace quillane
