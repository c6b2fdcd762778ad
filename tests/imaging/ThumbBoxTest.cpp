#include <gtest/gtest.h>

#include <functional>

#include "GraphicsFixture.h"
#include "TestPictures.h"
#include "imaging/Thumbnails.h"

// Exact-size, fill and cut thumbnails: what lands where in the box.
namespace quillane {
namespace {

using test::FormatOf;
using test::Near;
using test::PixelAt;
using test::ReadPicture;
using test::SizeOf;
using test::TPictureSize;
using test::TPixel;
using test::WritePicture;

constexpr TArgb kFillWhite = 0xFFFFFFFF;

struct TForm {
    const char* name;
    bool highQuality;
};

class ThumbBox : public test::GraphicsTest, public ::testing::WithParamInterface<TForm> {
protected:
    TOutcome Exact(const std::string& source, const std::string& target, int width, int height, bool overwrite = false)
    {
        const auto routine = GetParam().highQuality ? ThumbExactHQ : ThumbExactFast;
        return routine(File(source), File(target), width, height, overwrite);
    }
    TOutcome Fill(const std::string& source, const std::string& target, int width, int height,
                  TArgb colour = kFillWhite, bool overwrite = false)
    {
        const auto routine = GetParam().highQuality ? ThumbFillHQ : ThumbFillFast;
        return routine(File(source), File(target), width, height, colour, overwrite);
    }
    TOutcome Cut(const std::string& source, const std::string& target, int width, int height, bool overwrite = false)
    {
        const auto routine = GetParam().highQuality ? ThumbCutHQ : ThumbCutFast;
        return routine(File(source), File(target), width, height, overwrite);
    }
    // Grey level of column x's middle, or row y's middle.
    static double Luma(const vips::VImage& image, int x, int y) { return PixelAt(image, x, y)[0]; }
};

TEST_P(ThumbBox, ExactStretchesWhileFillKeepsTheProportions)
{
    WritePicture(test::QuadrantImage(800, 600), File("q.png"));
    ASSERT_TRUE(Exact("q.png", "exact.png", 200, 200));
    ASSERT_TRUE(Fill("q.png", "fill.jpg", 200, 200));
    const vips::VImage exact = ReadPicture(File("exact.png"));
    EXPECT_EQ(SizeOf(File("exact.png")), (TPictureSize{200, 200}));
    EXPECT_TRUE(Near(PixelAt(exact, 50, 5), test::kRed, 3)) << "stretched to the top edge";
    EXPECT_TRUE(Near(PixelAt(exact, 150, 195), test::kWhite, 3));
    const vips::VImage fill = ReadPicture(File("fill.jpg"));
    EXPECT_EQ(SizeOf(File("fill.jpg")), (TPictureSize{200, 200}));
    EXPECT_TRUE(Near(PixelAt(fill, 50, 10), test::kWhite, 12)) << "fill above the 200 x 150 picture";
    EXPECT_TRUE(Near(PixelAt(fill, 50, 40), test::kRed, 40));
    EXPECT_TRUE(Near(PixelAt(fill, 150, 160), test::kWhite, 12));
    EXPECT_TRUE(Near(PixelAt(fill, 50, 160), test::kBlue, 40));
    EXPECT_TRUE(Near(PixelAt(fill, 50, 190), test::kWhite, 12)) << "fill below";
}

// A black source fitted into a white box: the bars are where the rows are white.
TEST_P(ThumbBox, FillBarsAreEqualOrOnePixelWiderBelow)
{
    test::MakePicture(File("wide.png"), 300, 99, {0, 0, 0});
    test::MakePicture(File("thin.png"), 400, 50, {0, 0, 0});
    ASSERT_TRUE(Fill("wide.png", "wide.jpg", 100, 100));
    ASSERT_TRUE(Fill("thin.png", "thin.jpg", 100, 100));
    const vips::VImage wide = ReadPicture(File("wide.jpg"));
    EXPECT_GT(Luma(wide, 50, 32), 190);  // 33 rows of fill above
    EXPECT_LT(Luma(wide, 50, 33), 65);
    EXPECT_LT(Luma(wide, 50, 65), 65);   // 33 rows of picture
    EXPECT_GT(Luma(wide, 50, 66), 190);  // 34 rows of fill below
    const vips::VImage thin = ReadPicture(File("thin.jpg"));
    EXPECT_GT(Luma(thin, 50, 43), 190);  // 12.5 rounds to 12 rows, from row 44
    EXPECT_LT(Luma(thin, 50, 44), 65);
    EXPECT_LT(Luma(thin, 50, 55), 65);
    EXPECT_GT(Luma(thin, 50, 56), 190);
}

TEST_P(ThumbBox, FillUsesTheGivenColourAndATallSourceGetsBarsAtTheSides)
{
    test::MakePicture(File("tall.png"), 600, 800, {255, 255, 255});
    ASSERT_TRUE(Fill("tall.png", "tall.jpg", 200, 200, 0xFF00C000));
    const vips::VImage tall = ReadPicture(File("tall.jpg"));
    EXPECT_TRUE(Near(PixelAt(tall, 10, 100), {0, 192, 0}, 12));  // 25 columns of fill at the left
    EXPECT_TRUE(Near(PixelAt(tall, 100, 100), test::kWhite, 12));
    EXPECT_TRUE(Near(PixelAt(tall, 190, 100), {0, 192, 0}, 12));  // and at the right
}

TEST_P(ThumbBox, ASourceOfTheBoxsShapeIsNeitherBarredNorCut)
{
    WritePicture(test::QuadrantImage(800, 600), File("q.png"));
    ASSERT_TRUE(Fill("q.png", "fill.jpg", 400, 300, 0xFF000000));
    ASSERT_TRUE(Cut("q.png", "cut.jpg", 400, 300));
    for (const char* name : {"fill.jpg", "cut.jpg"}) {
        const vips::VImage out = ReadPicture(File(name));
        EXPECT_TRUE(Near(PixelAt(out, 1, 1), test::kRed, 40)) << name;
        EXPECT_TRUE(Near(PixelAt(out, 398, 298), test::kWhite, 40)) << name;
    }
}

// On a ramp whose red is x * 255 / 799, the 200 x 200 window of an 800 x 600 source
// starts near source column 100 and ends near column 700.
TEST_P(ThumbBox, CutTakesTheMiddleWindow)
{
    WritePicture(test::RampImage(800, 600), File("ramp.png"));
    ASSERT_TRUE(Cut("ramp.png", "cut.jpg", 200, 200));
    EXPECT_EQ(SizeOf(File("cut.jpg")), (TPictureSize{200, 200}));
    const vips::VImage cut = ReadPicture(File("cut.jpg"));
    const double leftRed = test::MeanOf(cut, 0, 50, 1, 100)[0];
    const double rightRed = test::MeanOf(cut, 199, 50, 1, 100)[0];
    EXPECT_NEAR(leftRed, 101.5 * 255 / 799, 5);
    EXPECT_NEAR(rightRed, 698.5 * 255 / 799, 5);
}

TEST_P(ThumbBox, CutOfATallSourceTakesTheMiddleRows)
{
    WritePicture(test::RampImage(800, 600).rot90(), File("tall.png"));  // 600 x 800, red grows downwards
    ASSERT_TRUE(Cut("tall.png", "cut.jpg", 200, 200));
    const vips::VImage cut = ReadPicture(File("cut.jpg"));
    EXPECT_NEAR(test::MeanOf(cut, 50, 0, 100, 1)[0], 101.5 * 255 / 799, 5);
    EXPECT_NEAR(test::MeanOf(cut, 50, 199, 100, 1)[0], 698.5 * 255 / 799, 5);
}

TEST_P(ThumbBox, FillAndCutAlwaysWriteJpegWhileExactFollowsTheExtension)
{
    test::MakePicture(File("a.png"), 40, 30, {10, 20, 30});
    ASSERT_TRUE(Fill("a.png", "fill.png", 20, 20));
    ASSERT_TRUE(Cut("a.png", "cut.gif", 20, 20));
    ASSERT_TRUE(Exact("a.png", "exact.gif", 20, 20));
    EXPECT_EQ(FormatOf(File("fill.png")), "jpeg");
    EXPECT_EQ(FormatOf(File("cut.gif")), "jpeg");
    EXPECT_EQ(FormatOf(File("exact.gif")), "gif");
    EXPECT_FALSE(Exact("a.png", "exact.jfif", 20, 20));
    EXPECT_TRUE(Fill("a.png", "fill.jfif", 20, 20));
    EXPECT_EQ(FormatOf(File("fill.jfif")), "jpeg");
}

TEST_P(ThumbBox, AnUndecodableSourceWritesNothing)
{
    test::WriteBytes(File("junk.png"), "no picture here");
    EXPECT_FALSE(Exact("junk.png", "exact.jpg", 20, 20));
    EXPECT_FALSE(Fill("junk.png", "fill.jpg", 20, 20));
    EXPECT_FALSE(Cut("junk.png", "cut.jpg", 20, 20));
    EXPECT_FALSE(Cut("missing.png", "cut.jpg", 20, 20));
    EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"junk.png"});
}

TEST_P(ThumbBox, ExistingTargetsNeedOverwriteAndTheSourceCanBeItsOwnTarget)
{
    WritePicture(test::NoiseImage(80, 60), File("self.jpg"));
    test::WriteBytes(File("t.jpg"), "existing");
    EXPECT_FALSE(Fill("self.jpg", "t.jpg", 20, 20));
    EXPECT_FALSE(Cut("self.jpg", "t.jpg", 20, 20));
    EXPECT_FALSE(Exact("self.jpg", "t.jpg", 20, 20));
    EXPECT_EQ(test::ReadBytes(File("t.jpg")), "existing");
    ASSERT_TRUE(Cut("self.jpg", "self.jpg", 30, 30, true));
    EXPECT_EQ(SizeOf(File("self.jpg")), (TPictureSize{30, 30}));
    ASSERT_TRUE(Fill("self.jpg", "self.jpg", 20, 10, kFillWhite, true));
    EXPECT_EQ(SizeOf(File("self.jpg")), (TPictureSize{20, 10}));
    ASSERT_TRUE(Exact("self.jpg", "self.jpg", 7, 9, true));
    EXPECT_EQ(SizeOf(File("self.jpg")), (TPictureSize{7, 9}));
    EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"self.jpg", "t.jpg"}));
}

TEST_P(ThumbBox, ATransparentSourceIsFilledBehindWithTheFillColour)
{
    test::MakePicture(File("clear.png"), 40, 40, {255, 0, 0, 0});
    ASSERT_TRUE(Fill("clear.png", "fill.jpg", 20, 20, 0xFF0000FF));
    EXPECT_TRUE(Near(PixelAt(File("fill.jpg"), 10, 10), test::kBlue, 12));
}

// Colour under a transparent pixel must not bleed into the thumbnail's edges, and an
// alpha band that is opaque throughout changes nothing but is not written. Large
// pictures too: they are read as a stream.
TEST_P(ThumbBox, TransparentEdgesStayCleanAndAnOpaqueAlphaBandIsDropped)
{
    for (const int scale : {1, 15}) {
        // White opaque in the middle of a transparent frame whose hidden colour is black.
        const vips::VImage white = test::SolidImage(40 * scale, 40 * scale, {255, 255, 255, 255})
                                       .embed(20 * scale, 20 * scale, 80 * scale, 80 * scale);
        for (const char* source : {"white.png", "white.gif"}) {
            WritePicture(white, File(source));
            ASSERT_TRUE(Exact(source, "edge.png", 16, 16, true)) << source << " x" << scale;
            const vips::VImage edge = ReadPicture(File("edge.png"));
            ASSERT_EQ(edge.bands(), 4) << source << " x" << scale;
            for (int x = 0; x < 16; ++x) {
                const TPixel pixel = PixelAt(edge, x, 8);
                if (pixel[3] >= 16) {
                    EXPECT_GE(pixel[0], 240)
                        << source << " x" << scale << ": dark fringe at x " << x << ": " << test::Describe(pixel);
                }
            }
        }
        const vips::VImage rgb = test::CoordinateImage(80 * scale, 60 * scale);
        WritePicture(rgb, File("rgb.png"));
        WritePicture(rgb.bandjoin_const({255}), File("opaque.png"));
        ASSERT_TRUE(Exact("rgb.png", "rgb-thumb.png", 20, 15, true));
        ASSERT_TRUE(Exact("opaque.png", "opaque-thumb.png", 20, 15, true));
        const vips::VImage fromOpaque = ReadPicture(File("opaque-thumb.png"));
        ASSERT_EQ(fromOpaque.bands(), 3) << "x" << scale;
        EXPECT_EQ((fromOpaque - ReadPicture(File("rgb-thumb.png"))).abs().max(), 0.0) << "x" << scale;
    }
}

// A large JPEG may be decoded at a fraction of its size: the exact, fitted and cut
// thumbnails still show what its full-size pixels give, turned upright, the cut window
// in its place to within a fraction of a pixel.
TEST_P(ThumbBox, ALargeJpegGivesWhatItsFullSizePixelsGive)
{
    test::MakeOrientedJpeg(File("big.jpg"), test::QuadrantImage(1600, 1200).rot270(), 6);
    WritePicture(vips::VImage::new_from_file(File("big.jpg").c_str()).autorot(), File("big.png"));
    const std::pair<const char*, std::function<TOutcome(const std::string&, const std::string&)>> forms[] = {
        {"exact", [&](const auto& source, const auto& target) { return Exact(source, target, 160, 90); }},
        {"fill", [&](const auto& source, const auto& target) { return Fill(source, target, 100, 100); }},
        {"cut", [&](const auto& source, const auto& target) { return Cut(source, target, 100, 100); }},
    };
    for (const auto& [form, make] : forms) {
        const std::string fromJpegName = std::string(form) + "-from-jpeg.png";
        const std::string fromPixelsName = std::string(form) + "-from-pixels.png";
        ASSERT_TRUE(make("big.jpg", fromJpegName)) << form;
        ASSERT_TRUE(make("big.png", fromPixelsName)) << form;
        const vips::VImage fromJpeg = ReadPicture(File(fromJpegName));
        const vips::VImage fromPixels = ReadPicture(File(fromPixelsName));
        ASSERT_EQ(fromJpeg.width(), fromPixels.width()) << form;
        ASSERT_EQ(fromJpeg.height(), fromPixels.height()) << form;
        const double meanDifference = (fromJpeg - fromPixels).abs().avg();
        EXPECT_LE(meanDifference, 1.0) << form;
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, ThumbBox, ::testing::Values(TForm{"Fast", false}, TForm{"HQ", true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillane
