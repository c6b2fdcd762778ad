// The eighth-size decode of progressive JPEGs that stops before the refinement scans:
// its pixels must be those of a decode of the whole file, whatever the colour layout.
#include <gtest/gtest.h>

#include <cstring>

#include "BadPictures.h"
#include "GraphicsFixture.h"
#include "TestPictures.h"
#include "imaging/ProgressiveJpeg.h"

namespace quillane::test {
namespace {

using jpeg::DecodeProgressiveAtEighth;
using jpeg::TEighthPicture;
using jpeg::TEighthResult;

class ProgressiveJpeg : public GraphicsTest {
protected:
    // The whole file decoded at 1/8 by the library's own loader.
    static vips::VImage WholeDecodeAtEighth(const std::filesystem::path& file)
    {
        return vips::VImage::jpegload(file.c_str(), vips::VImage::option()->set("shrink", 8)).copy_memory();
    }

    // The library's loader leaves out a last, partial block; the rest must be equal.
    static bool SamePixels(const TEighthPicture& picture, const vips::VImage& expected)
    {
        if (picture.Bands != expected.bands() || picture.Width - expected.width() > 1 ||
            picture.Height - expected.height() > 1)
            return false;
        std::size_t size = 0;
        auto* pixels = static_cast<std::uint8_t*>(expected.write_to_memory(&size));
        const std::size_t expectedRow = static_cast<std::size_t>(expected.width()) * picture.Bands;
        const std::size_t pictureRow = static_cast<std::size_t>(picture.Width) * picture.Bands;
        bool same = true;
        for (int y = 0; y < expected.height() && same; ++y)
            same = std::memcmp(pixels + y * expectedRow, picture.Pixels.data() + y * pictureRow, expectedRow) == 0;
        g_free(pixels);
        return same;
    }
};

TEST_F(ProgressiveJpeg, GivesExactlyTheWholeDecodeForEveryColourLayout)
{
    const vips::VImage colour = NoiseImage(517, 203);
    const struct {
        const char* Name;
        vips::VImage Image;
        const char* Options;
    } cases[] = {
        {"full-resolution colour", colour, "[Q=90,interlace=true,subsample_mode=off]"},
        {"half-resolution colour", colour, "[Q=75,interlace=true,subsample_mode=on]"},
        {"grey", colour.extract_band(1), "[Q=80,interlace=true]"},
    };
    for (const auto& sample : cases) {
        SCOPED_TRACE(sample.Name);
        WritePicture(sample.Image, File("p.jpg"), "jpeg", sample.Options);
        TEighthPicture picture;
        ASSERT_EQ(DecodeProgressiveAtEighth(File("p.jpg"), picture), TEighthResult::Decoded);
        EXPECT_EQ(picture.Width, 65);  // 517 / 8, rounded up: the whole picture
        EXPECT_EQ(picture.Height, 26);
        EXPECT_TRUE(SamePixels(picture, WholeDecodeAtEighth(File("p.jpg"))));
    }
}

TEST_F(ProgressiveJpeg, LeavesBaselineFilesAndMissingOnesToTheUsualDecoder)
{
    WritePicture(NoiseImage(64, 64), File("baseline.jpg"), "jpeg", "[Q=90]");
    TEighthPicture picture;
    EXPECT_EQ(DecodeProgressiveAtEighth(File("baseline.jpg"), picture), TEighthResult::NotApplicable);
    EXPECT_EQ(DecodeProgressiveAtEighth(File("missing.jpg"), picture), TEighthResult::NotApplicable);
}

TEST_F(ProgressiveJpeg, AFileCutBeforeTheScansItNeedsIsDamaged)
{
    const std::string bytes = EncodedPicture(NoiseImage(400, 300), "jpg", "[Q=90,interlace=true]");
    const std::size_t firstScan = FindJpegScanData(bytes);
    for (const std::size_t keep : {firstScan - 20, firstScan + 100}) {
        SCOPED_TRACE(keep);
        WriteBytes(File("cut.jpg"), Truncated(bytes, keep));
        TEighthPicture picture;
        EXPECT_EQ(DecodeProgressiveAtEighth(File("cut.jpg"), picture), TEighthResult::Damaged);
    }
    WriteBytes(File("junk.jpg"), std::string("\xFF\xD8\xFF", 3) + std::string(5000, '\x55'));
    TEighthPicture picture;
    EXPECT_EQ(DecodeProgressiveAtEighth(File("junk.jpg"), picture), TEighthResult::Damaged);
}

}  // namespace
}  // namespace quillane::test
