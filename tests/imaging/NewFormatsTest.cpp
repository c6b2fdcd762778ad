#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
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

TEST_F(NewFormatsTest, ConvertsToAndFromEachFormat)
{
    const auto source = Quadrants("source.png");
    for (const TNewFormat& format : kNewFormats) {
        SCOPED_TRACE(format.Extension);
        const auto written = File(std::string("to") + format.Extension);
        ASSERT_TRUE(ConvertImage(source, written, format.Format, false));
        EXPECT_EQ(FormatOf(written), format.Content);
        ExpectQuadrants(written, 64, 48, format.Tolerance);

        const auto back = File(std::string("from-") + format.Content + ".png");
        ASSERT_TRUE(ConvertImage(written, back, ifPng, false));
        EXPECT_EQ(FormatOf(back), "png");
        ExpectQuadrants(back, 64, 48, format.Tolerance);
    }
}

TEST_F(NewFormatsTest, CropWatermarkAndThumbnailWriteTheSourcesFormat)
{
    WritePicture(test::SolidImage(10, 8, {200, 100, 50}), File("mark.png"));
    for (const TNewFormat& format : kNewFormats) {
        SCOPED_TRACE(format.Extension);
        const auto source = Quadrants(std::string("q") + format.Extension);

        const auto cropped = File(std::string("cut_c") + format.Extension);
        ASSERT_TRUE(CropImage(source, cropped, 0, 0, 32, 24, false));
        EXPECT_EQ(FormatOf(cropped), format.Content);
        EXPECT_EQ(SizeOf(cropped), (test::TPictureSize{32, 24}));
        EXPECT_TRUE(Near(MeanOf(ReadPicture(cropped), 4, 4, 24, 16), test::kRed, format.Tolerance));

        const auto marked = File(std::string("mark_w") + format.Extension);
        ASSERT_TRUE(StampPictureWatermark(source, marked, File("mark.png"), IdentityMatrix(), {0, 0}, false, false, 0));
        EXPECT_EQ(FormatOf(marked), format.Content);
        EXPECT_EQ(SizeOf(marked), (test::TPictureSize{64, 48}));

        const auto thumb = File(std::string("thumb_s") + format.Extension);
        ASSERT_TRUE(ThumbPercentHQ(source, thumb, 50, 50, false));
        EXPECT_EQ(FormatOf(thumb), format.Content);
        ExpectQuadrants(thumb, 32, 24, format.Tolerance + 20);

        const auto fast = File(std::string("fast_s") + format.Extension);
        ASSERT_TRUE(ThumbExactFast(source, fast, 32, 24, false));
        EXPECT_EQ(FormatOf(fast), format.Content);
        ExpectQuadrants(fast, 32, 24, format.Tolerance + 20);
    }
}

TEST_F(NewFormatsTest, ContentDecidesNotTheName)
{
    for (const TNewFormat& format : kNewFormats) {
        SCOPED_TRACE(format.Extension);
        const auto disguised = File(std::string("really-") + format.Content + ".jpg");
        WriteBytes(disguised, ReadBytes(Quadrants(std::string("real") + format.Extension)));
        const auto out = File(std::string("out-") + format.Content + ".png");
        ASSERT_TRUE(ConvertImage(disguised, out, ifPng, false));
        ExpectQuadrants(out, 64, 48, format.Tolerance);
    }
}

TEST_F(NewFormatsTest, ThePreviewShowsEachFormatAndNothingForADamagedOne)
{
    for (const TNewFormat& format : kNewFormats) {
        SCOPED_TRACE(format.Extension);
        const auto source = Quadrants(std::string("preview") + format.Extension);
        const std::optional<TRgbaPixels> pixels = ReadRgbaPixels(source);
        ASSERT_TRUE(pixels);
        EXPECT_EQ(pixels->width, 64);
        EXPECT_EQ(pixels->height, 48);
        const std::uint8_t* topLeft = &pixels->bytes[(12 * 64 + 16) * 4];
        EXPECT_TRUE(Near({double(topLeft[0]), double(topLeft[1]), double(topLeft[2])}, test::kRed, format.Tolerance));

        const auto cut = File(std::string("cut-preview") + format.Extension);
        WriteBytes(cut, test::Truncated(ReadBytes(source), 16));
        EXPECT_FALSE(ReadRgbaPixels(cut));
    }
}

TEST_F(NewFormatsTest, DamagedFilesFailAndWriteNothing)
{
    for (const TNewFormat& format : kNewFormats) {
        const std::string good = ReadBytes(Quadrants(std::string("good") + format.Extension));
        const std::vector<std::pair<std::string, std::string>> damaged{
            {"cut", test::Truncated(good, good.size() / 2)},
            {"head", test::Truncated(good, 16)},
            {"empty", ""},
        };
        for (const auto& [kind, bytes] : damaged) {
            SCOPED_TRACE(std::string(format.Extension) + " " + kind);
            const auto source = File(kind + "-bad" + format.Extension);
            WriteBytes(source, bytes);
            const auto target = File(kind + "-bad-" + format.Content + ".png");
            EXPECT_FALSE(ConvertImage(source, target, ifPng, false));
            EXPECT_FALSE(std::filesystem::exists(target));
            EXPECT_FALSE(ThumbPercentHQ(source, File(kind + "-thumb" + format.Extension), 50, 50, false));
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

// Each lossy format at a low and a high quality: the higher writes more bytes.
TEST_F(NewFormatsTest, QualityChangesTheSize)
{
    WritePicture(test::NoiseImage(96, 64), File("noise.png"));
    struct TRow {
        TImageFormat Format;
        int TOutputSettings::*Quality;
    };
    const TRow rows[] = {{ifJpeg, &TOutputSettings::JpegQuality},
                         {ifWebp, &TOutputSettings::WebpQuality},
                         {ifHeic, &TOutputSettings::HeicQuality},
                         {ifAvif, &TOutputSettings::AvifQuality},
                         {ifJxl, &TOutputSettings::JxlQuality}};
    for (const TRow& row : rows) {
        std::uintmax_t sizes[2] = {};
        const int qualities[2] = {20, 90};
        for (int i = 0; i < 2; ++i) {
            TOutputSettings settings;
            settings.*row.Quality = qualities[i];
            const auto target = File("q" + std::to_string(qualities[i]) + "-" + std::to_string(row.Format) + ".out");
            const TOutputScope scope(settings);
            ASSERT_TRUE(ConvertImage(File("noise.png"), target, row.Format, false)) << row.Format;
            sizes[i] = std::filesystem::file_size(target);
        }
        EXPECT_LT(sizes[0], sizes[1]) << "format " << row.Format;
    }
}

TEST_F(NewFormatsTest, LosslessKeepsEveryPixelAndPngLevelChangesTheSize)
{
    WritePicture(test::CoordinateImage(64, 48), File("coords.png"));
    WritePicture(test::CoordinateImage(64, 48), File("coords.tif"));
    TOutputSettings lossless;
    lossless.Lossless = true;
    const TOutputScope scope(lossless);
    for (TImageFormat format : {ifWebp, ifJxl}) {
        const auto target = File("exact" + std::to_string(format));
        ASSERT_TRUE(ConvertImage(File("coords.png"), target, format, false));
        const vips::VImage written = ReadPicture(target);
        EXPECT_EQ((written - ReadPicture(File("coords.png"))).abs().max(), 0.0) << format;
    }

    std::uintmax_t sizes[2] = {};
    for (int level : {0, 9}) {
        TOutputSettings settings;
        settings.PngCompression = level;
        const TOutputScope png(settings);
        ASSERT_TRUE(ConvertImage(File("coords.tif"), File("level" + std::to_string(level) + ".png"), ifPng, false));
        sizes[level / 9] = std::filesystem::file_size(File("level" + std::to_string(level) + ".png"));
    }
    EXPECT_GT(sizes[0], sizes[1]);
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
