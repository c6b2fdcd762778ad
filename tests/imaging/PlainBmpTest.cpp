#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "GraphicsFixture.h"
#include "TestPictures.h"
#include "imaging/BmpWriter.h"
#include "imaging/PlainBmp.h"

namespace quillane {
namespace {

using vips::VImage;

std::string BmpOf(const VImage& picture)
{
    const VImage rgb = picture.cast(VIPS_FORMAT_UCHAR);
    std::size_t size = 0;
    void* bytes = rgb.write_to_memory(&size);
    std::string bmp = EncodeBmp(static_cast<const std::uint8_t*>(bytes), static_cast<std::uint32_t>(rgb.width()),
                                static_cast<std::uint32_t>(rgb.height()), rgb.bands());
    g_free(bytes);
    return bmp;
}

void PutLe(std::string& bmp, std::size_t at, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        bmp[at + i] = static_cast<char>(value >> (8 * i) & 0xff);
}

// The same picture stored top row first, as a negative height says.
std::string TopDown(std::string bmp, int width, int height)
{
    const std::size_t offset = 54;
    const std::size_t row = static_cast<std::size_t>((width * 3 + 3) / 4 * 4);
    std::vector<std::string> rows;
    for (int y = 0; y < height; ++y)
        rows.push_back(bmp.substr(offset + row * static_cast<std::size_t>(y), row));
    std::reverse(rows.begin(), rows.end());
    for (int y = 0; y < height; ++y)
        bmp.replace(offset + row * static_cast<std::size_t>(y), row, rows[static_cast<std::size_t>(y)]);
    PutLe(bmp, 22, static_cast<std::uint32_t>(-height));
    return bmp;
}

VImage LibraryDecode(const std::string& bmp)
{
    VipsBlob* blob = vips_blob_copy(bmp.data(), bmp.size());
    const VImage image = VImage::magickload_buffer(blob).copy_memory();
    vips_area_unref(VIPS_AREA(blob));
    return image;
}

std::vector<std::uint8_t> PixelsOf(const VImage& image)
{
    std::size_t size = 0;
    void* bytes = image.write_to_memory(&size);
    std::vector<std::uint8_t> pixels(static_cast<std::uint8_t*>(bytes), static_cast<std::uint8_t*>(bytes) + size);
    g_free(bytes);
    return pixels;
}

class PlainBmpTest : public test::GraphicsTest {};

// Whatever our decoder takes, it gives exactly the picture ImageMagick gives: the
// same pixels, bands, colour space and resolution.
TEST_F(PlainBmpTest, DecodesAsTheGeneralLoaderDoes)
{
    std::string noResolution = BmpOf(test::CoordinateImage(3, 2));
    PutLe(noResolution, 38, 0);
    PutLe(noResolution, 42, 0);
    const struct {
        const char* name;
        std::string bmp;
    } cases[] = {
        {"odd width, rows padded", BmpOf(test::CoordinateImage(5, 3))},
        {"one pixel", BmpOf(test::SolidImage(1, 1, {10, 20, 30}))},
        {"grey stored as colour", BmpOf(test::SolidImage(4, 2, {77, 77, 77}))},
        {"ramp", BmpOf(test::RampImage(33, 7))},
        {"top row first", TopDown(BmpOf(test::CoordinateImage(6, 4)), 6, 4)},
        {"no resolution", noResolution},
    };
    for (const auto& c : cases) {
        const std::optional<VImage> ours = DecodePlainBmp(c.bmp);
        ASSERT_TRUE(ours) << c.name;
        const VImage theirs = LibraryDecode(c.bmp);
        EXPECT_EQ(ours->width(), theirs.width()) << c.name;
        EXPECT_EQ(ours->height(), theirs.height()) << c.name;
        EXPECT_EQ(ours->bands(), theirs.bands()) << c.name;
        EXPECT_EQ(ours->interpretation(), theirs.interpretation()) << c.name;
        EXPECT_DOUBLE_EQ(ours->xres(), theirs.xres()) << c.name;
        EXPECT_DOUBLE_EQ(ours->yres(), theirs.yres()) << c.name;
        EXPECT_EQ(PixelsOf(*ours), PixelsOf(theirs)) << c.name;
    }
}

// Every other kind of BMP, and one cut short, is left to the general loader.
TEST_F(PlainBmpTest, LeavesEveryOtherBmpToTheGeneralLoader)
{
    const std::string plain = BmpOf(test::CoordinateImage(5, 3));
    std::string compressed = plain;
    PutLe(compressed, 30, 1);
    std::string noWidth = plain;
    PutLe(noWidth, 18, 0);
    std::string pixelsBeforeHeader = plain;
    PutLe(pixelsBeforeHeader, 10, 20);
    const struct {
        const char* name;
        std::string bmp;
    } cases[] = {
        {"32 bits with alpha", BmpOf(test::SolidImage(4, 4, {1, 2, 3, 128}))},
        {"compressed", compressed},
        {"one byte short", plain.substr(0, plain.size() - 1)},
        {"header only", plain.substr(0, 54)},
        {"no width", noWidth},
        {"pixels inside the header", pixelsBeforeHeader},
        {"not a BMP", "GIF89a" + plain.substr(6)},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(DecodePlainBmp(c.bmp)) << c.name;
}

}  // namespace
}  // namespace quillane
