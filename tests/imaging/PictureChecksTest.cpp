// The checks made before decoding: cut-off JPEGs and PNGs with broken critical
// chunks are caught, whole files with harmless extras are not, and anything that is
// not a regular file is refused without being read.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "BadPictures.h"
#include "GraphicsFixture.h"
#include "imaging/PictureChecks.h"

namespace quillane::test {
namespace {

class PictureChecks : public GraphicsTest {
protected:
    std::string jpeg_ = EncodedPicture(NoiseImage(48, 32), "jpg", "[Q=90]");
    std::string progressive_ = EncodedPicture(NoiseImage(48, 32), "jpg", "[Q=90,interlace=true]");
    std::string png_ = EncodedPicture(NoiseImage(48, 32), "png");
};

TEST_F(PictureChecks, WholeJpegsPassAndCutOnesFailWhereverTheCut)
{
    for (const std::string* jpeg : {&jpeg_, &progressive_}) {
        EXPECT_TRUE(LooksComplete(*jpeg));
        EXPECT_TRUE(LooksComplete(*jpeg + "trailing bytes some cameras add"));
        for (const std::size_t keep :
             {std::size_t{3}, std::size_t{40}, FindJpegScanData(*jpeg) + 1, jpeg->size() / 2, jpeg->size() - 2}) {
            SCOPED_TRACE(keep);
            EXPECT_FALSE(LooksComplete(Truncated(*jpeg, keep)));
        }
    }
}

TEST_F(PictureChecks, PngsWithBrokenCriticalChunksFailButAncillaryDamageIsTolerated)
{
    EXPECT_TRUE(LooksComplete(png_));
    EXPECT_FALSE(LooksComplete(Truncated(png_, png_.size() - 12)));  // no end chunk
    EXPECT_FALSE(LooksComplete(Truncated(png_, png_.size() / 2)));
    EXPECT_FALSE(LooksComplete(WithBitFlipped(png_, png_.size() / 2, 3)));  // inside IDAT
    EXPECT_FALSE(LooksComplete(WithBitFlipped(png_, 17, 0)));               // IHDR width
    // A text chunk with a wrong checksum after IHDR: the decoder drops it, so do we.
    std::string text("\0\0\0\x05tEXtabcde\0\0\0\0", 17);
    std::string withText = png_;
    withText.insert(33, text);
    EXPECT_TRUE(LooksComplete(withText));
    // The same bytes with a wrong length run past the end.
    std::string overlong = png_;
    overlong[33] = '\x7f';
    EXPECT_FALSE(LooksComplete(overlong));
}

TEST_F(PictureChecks, OtherContentIsLeftToTheDecoder)
{
    EXPECT_TRUE(LooksComplete(EncodedPicture(NoiseImage(8, 8), "gif")));
    EXPECT_TRUE(LooksComplete(""));
    EXPECT_TRUE(LooksComplete("BM"));
}

// A file of some hundred kilobytes is judged by its head and tail where they suffice,
// and must come to the same verdict as a reading of all its bytes.
TEST_F(PictureChecks, LargeJpegFilesGetTheVerdictOfTheirWholeBytes)
{
    const std::string large = EncodedPicture(NoiseImage(600, 400), "jpg", "[Q=95]");
    ASSERT_GT(large.size(), 300'000u);
    // Two comment segments of 60,000 bytes put the first scan beyond the head.
    const std::string comment = std::string("\xFF\xFE\xEA\x62", 4) + std::string(60'000, 'c');
    const std::string longHeaders = large.substr(0, 2) + comment + comment + large.substr(2);
    const std::string junk(70'000, 'j');
    const std::pair<std::string, bool> cases[] = {
        {large, true},
        {large + junk, true},  // the end marker is not within the tail read
        {Truncated(large, large.size() / 2), false},
        {Truncated(large, large.size() - 2), false},
        {Truncated(large, large.size() - 2) + junk, false},
        {longHeaders, true},
        {Truncated(longHeaders, longHeaders.size() - 1000), false},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const auto& [bytes, whole] = cases[i];
        WriteBytes(File("large.jpg"), bytes);
        EXPECT_EQ(LooksComplete(bytes), whole);
        EXPECT_EQ(FileLooksComplete(File("large.jpg")), whole);
    }
}

TEST_F(PictureChecks, OnlyRegularFilesAreRead)
{
    WriteBytes(File("whole.jpg"), jpeg_);
    WriteBytes(File("cut.jpg"), Truncated(jpeg_, jpeg_.size() / 2));
    ASSERT_EQ(::mkfifo(File("pipe.jpg").c_str(), 0644), 0);
    std::filesystem::create_directory(File("folder.jpg"));
    EXPECT_TRUE(FileLooksComplete(File("whole.jpg")));
    EXPECT_FALSE(FileLooksComplete(File("cut.jpg")));
    EXPECT_FALSE(FileLooksComplete(File("pipe.jpg")));  // returns at once: nobody writes to it
    EXPECT_FALSE(FileLooksComplete(File("folder.jpg")));
    EXPECT_FALSE(FileLooksComplete(File("missing.jpg")));
}

}  // namespace
}  // namespace quillane::test
