#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "ExifSamples.h"
#include "BadPictures.h"
#include "GraphicsFixture.h"
#include "TestPictures.h"
#include "imaging/Convert.h"
#include "imaging/Crop.h"
#include "imaging/OutputSettings.h"
#include "imaging/PicturePixels.h"
#include "imaging/Thumbnails.h"
#include "imaging/Watermark.h"

// WebP, HEIC, AVIF and JPEG XL as sources and targets of every routine.
namespace quillane {
namespace {

using test::ExifOf;
using test::FormatOf;
using test::MeanOf;
using test::Near;
using test::QuadrantImage;
using test::ReadBytes;
using test::ReadPicture;
using test::SizeOf;
using test::TPixel;
using test::WriteBytes;
using test::WritePicture;

struct TNewFormat {
    TImageFormat Format;
    const char* Extension;
    const char* Content;  // what FormatOf reads from the first bytes
    double Tolerance;     // colour error of the lossy encoder on flat quadrants
};

const std::vector<TNewFormat> kNewFormats{
    {ifWebp, ".webp", "webp", 12},
    {ifHeic, ".heic", "heic", 16},
    {ifAvif, ".avif", "avif", 16},
    {ifJxl, ".jxl", "jxl", 40},  // its default quality lets saturated colours drift
};

class NewFormatsTest : public test::GraphicsTest {
protected:
    // A 64 x 48 picture of four coloured quadrants in the format.
    std::filesystem::path Quadrants(const std::string& name)
    {
        WritePicture(QuadrantImage(64, 48), File(name));
        return File(name);
    }

    // The quadrants' colours, read back from a written file.
    static void ExpectQuadrants(const std::filesystem::path& path, int width, int height, double tolerance)
    {
        const vips::VImage image = ReadPicture(path);
        ASSERT_EQ(image.width(), width) << path;
        ASSERT_EQ(image.height(), height) << path;
        const int w = width / 4;
        const int h = height / 4;
        const TPixel corners[4] = {MeanOf(image, w, h, w, h), MeanOf(image, 2 * w + w / 2, h, w, h),
                                   MeanOf(image, w, 2 * h + h / 2, w, h),
                                   MeanOf(image, 2 * w + w / 2, 2 * h + h / 2, w, h)};
        const TPixel expected[4] = {test::kRed, test::kGreen, test::kBlue, test::kWhite};
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(Near(TPixel(corners[i].begin(), corners[i].begin() + 3), expected[i], tolerance))
                << path << " quadrant " << i << ": " << test::Describe(corners[i]);
    }
};

// Each format written by a conversion and read back, under a name that says JPEG:
// the content decides.
TEST_F(NewFormatsTest, ConvertsToAndFromEachFormatKnownByItsContent)
{
    const auto source = Quadrants("source.png");
    for (const TNewFormat& format : kNewFormats) {
        SCOPED_TRACE(format.Extension);
        const auto written = File(std::string("to") + format.Extension);
        ASSERT_TRUE(ConvertImage(source, written, format.Format, false));
        EXPECT_EQ(FormatOf(written), format.Content);
        ExpectQuadrants(written, 64, 48, format.Tolerance);

        const auto disguised = File(std::string("really-") + format.Content + ".jpg");
        std::filesystem::rename(written, disguised);
        const auto back = File(std::string("from-") + format.Content + ".png");
        ASSERT_TRUE(ConvertImage(disguised, back, ifPng, false));
        ExpectQuadrants(back, 64, 48, format.Tolerance);
        EXPECT_TRUE(ReadRgbaPixels(disguised));  // and the preview shows it
    }
}

// Crop, watermark and the thumbnails that keep the extension write the source's format.
TEST_F(NewFormatsTest, EveryRoutineWritesTheSourcesFormat)
{
    WritePicture(test::SolidImage(10, 8, {200, 100, 50}), File("mark.png"));
    for (const TNewFormat& format : kNewFormats) {
        const auto source = Quadrants(std::string("q") + format.Extension);
        const std::vector<std::pair<std::string, std::function<TOutcome(const TPath&)>>> routines{
            {"crop", [&](const TPath& t) { return CropImage(source, t, 0, 0, 64, 24, false); }},
            {"mark",
             [&](const TPath& t) {
                 return StampPictureWatermark(source, t, File("mark.png"), IdentityMatrix(), {0, 0}, false, false, 0);
             }},
            {"percent", [&](const TPath& t) { return ThumbPercentHQ(source, t, 100, 50, false); }},
            {"fast", [&](const TPath& t) { return ThumbExactFast(source, t, 64, 24, false); }},
        };
        for (const auto& [name, routine] : routines) {
            SCOPED_TRACE(name + format.Extension);
            const auto target = File(name + format.Extension);
            ASSERT_TRUE(routine(target));
            EXPECT_EQ(FormatOf(target), format.Content);
            EXPECT_EQ(SizeOf(target).width, 64);
        }
    }
}

TEST_F(NewFormatsTest, DamagedFilesFailWriteNothingAndShowNoPreview)
{
    for (const TNewFormat& format : kNewFormats) {
        const std::string good = ReadBytes(Quadrants(std::string("good") + format.Extension));
        for (const std::size_t keep : {good.size() / 2, std::size_t{16}, std::size_t{0}}) {
            SCOPED_TRACE(std::string(format.Extension) + " cut to " + std::to_string(keep));
            const auto source = File("bad" + std::to_string(keep) + format.Extension);
            WriteBytes(source, test::Truncated(good, keep));
            const auto target = File("bad" + std::to_string(keep) + format.Content + ".png");
            EXPECT_FALSE(ConvertImage(source, target, ifPng, false));
            EXPECT_FALSE(std::filesystem::exists(target));
            EXPECT_FALSE(
                ThumbPercentHQ(source, File("thumb" + std::to_string(keep) + format.Extension), 50, 50, false));
            EXPECT_FALSE(ReadRgbaPixels(source));
        }
    }
}

TEST_F(NewFormatsTest, AnAnimationGivesItsFirstFrameAndCopiesToItsOwnFormat)
{
    // Two 16 x 16 frames stacked: red, then blue.
    vips::VImage frames =
        test::SolidImage(16, 16, test::kRed).join(test::SolidImage(16, 16, test::kBlue), VIPS_DIRECTION_VERTICAL);
    frames.set("page-height", 16);
    frames.set("delay", std::vector<int>{100, 100});
    WritePicture(frames, File("anim.webp"));

    ASSERT_TRUE(ConvertImage(File("anim.webp"), File("first.png"), ifPng, false));
    EXPECT_EQ(SizeOf(File("first.png")), (test::TPictureSize{16, 16}));
    EXPECT_TRUE(Near(test::PixelAt(File("first.png"), 8, 8), test::kRed, 12));

    ASSERT_TRUE(ConvertImage(File("anim.webp"), File("copy.webp"), ifWebp, false));
    EXPECT_EQ(ReadBytes(File("copy.webp")), ReadBytes(File("anim.webp")));
}

// Each setting that trades size: the first value writes fewer bytes than the second.
TEST_F(NewFormatsTest, QualityAndPngLevelChangeTheSize)
{
    WritePicture(test::NoiseImage(96, 64), File("noise.tif"));
    struct TRow {
        TImageFormat Format;
        int TOutputSettings::*Setting;
        int Smaller, Larger;
    };
    const TRow rows[] = {
        {ifJpeg, &TOutputSettings::JpegQuality, 20, 90}, {ifWebp, &TOutputSettings::WebpQuality, 20, 90},
        {ifHeic, &TOutputSettings::HeicQuality, 20, 90}, {ifAvif, &TOutputSettings::AvifQuality, 20, 90},
        {ifJxl, &TOutputSettings::JxlQuality, 20, 90},   {ifPng, &TOutputSettings::PngCompression, 9, 0}};
    for (const TRow& row : rows) {
        std::uintmax_t sizes[2] = {};
        for (int i = 0; i < 2; ++i) {
            TOutputSettings settings;
            settings.*row.Setting = i == 0 ? row.Smaller : row.Larger;
            const TOutputScope scope(settings);
            const auto target = File("size" + std::to_string(i) + "-" + std::to_string(row.Format));
            ASSERT_TRUE(ConvertImage(File("noise.tif"), target, row.Format, false)) << row.Format;
            sizes[i] = std::filesystem::file_size(target);
        }
        EXPECT_LT(sizes[0], sizes[1]) << "format " << row.Format;
    }
}

TEST_F(NewFormatsTest, LosslessKeepsEveryPixel)
{
    WritePicture(test::CoordinateImage(64, 48), File("coords.png"));
    TOutputSettings lossless;
    lossless.Lossless = true;
    const TOutputScope scope(lossless);
    for (TImageFormat format : {ifWebp, ifJxl}) {
        const auto target = File("exact" + std::to_string(format));
        ASSERT_TRUE(ConvertImage(File("coords.png"), target, format, false));
        EXPECT_EQ((ReadPicture(target) - ReadPicture(File("coords.png"))).abs().max(), 0.0) << format;
    }
}

// The metadata choice, for every format that carries EXIF (TIFF's added after the save).
TEST_F(NewFormatsTest, MetadataIsKeptStrippedOrLosesOnlyTheLocation)
{
    // A conversion to the source's own format is a copy: JPEG targets come from a WebP.
    WritePicture(test::WithExif(QuadrantImage(32, 24), true), File("tagged.jpg"));
    WritePicture(test::WithExif(QuadrantImage(32, 24), true), File("tagged.webp"));
    ASSERT_TRUE(ExifOf(File("tagged.jpg")).HasLocation);
    ASSERT_TRUE(ExifOf(File("tagged.webp")).HasLocation);
    struct TRow {
        TMetadataMode Mode;
        bool Exif, Maker, Location;
    };
    const TRow rows[] = {{TMetadataMode::mdKeep, true, true, true},
                         {TMetadataMode::mdStrip, false, false, false},
                         {TMetadataMode::mdStripGps, true, true, false}};
    for (const TRow& row : rows) {
        TOutputSettings settings;
        settings.Metadata = row.Mode;
        const TOutputScope scope(settings);
        for (TImageFormat format : {ifJpeg, ifPng, ifTiff, ifWebp, ifHeic, ifAvif}) {
            SCOPED_TRACE("mode " + std::to_string(static_cast<int>(row.Mode)) + " format " + std::to_string(format));
            const auto target =
                File("meta" + std::to_string(static_cast<int>(row.Mode)) + "-" + std::to_string(format));
            const auto source = File(format == ifJpeg ? "tagged.webp" : "tagged.jpg");
            ASSERT_TRUE(ConvertImage(source, target, format, false));
            EXPECT_EQ(SizeOf(target), (test::TPictureSize{32, 24}));  // still a whole picture
            const test::TExifContents exif = ExifOf(target);
            EXPECT_EQ(exif.HasExif, row.Exif);
            EXPECT_EQ(exif.HasMaker, row.Maker);
            EXPECT_EQ(exif.HasLocation, row.Location);
        }
    }
}

TEST_F(NewFormatsTest, KeepTimesGivesTheTargetTheSourcesTime)
{
    const auto source = Quadrants("old.png");
    const std::filesystem::file_time_type past =
        std::filesystem::file_time_type::clock::now() - std::chrono::hours(24 * 400);
    std::filesystem::last_write_time(source, past);
    for (bool keep : {true, false}) {
        TOutputSettings settings;
        settings.KeepTimes = keep;
        const auto target = File(keep ? "kept.webp" : "new.webp");
        ASSERT_TRUE(
            WriteWithSettings(settings, source, target, [&] { return ConvertImage(source, target, ifWebp, false); }));
        EXPECT_EQ(std::filesystem::last_write_time(target) == past, keep);
    }
    // A failed routine leaves no file to date, and its failure stands.
    TOutputSettings keep;
    keep.KeepTimes = true;
    EXPECT_FALSE(WriteWithSettings(keep, File("missing.png"), File("none.webp"), [&] {
        return ConvertImage(File("missing.png"), File("none.webp"), ifWebp, false);
    }));
}

}  // namespace
}  // namespace quillane
