#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <vector>

#include "imaging/ImageFormat.h"

namespace quillane {
namespace {

TEST(ImageFormat, EachFormatHasItsExtensionsMimeTypeAndEncoder)
{
    const struct {
        TImageFormat format;
        std::vector<const char*> names;  // paths that have the format's extensions
        const char* mime;
    } rows[] = {
        {ifBmp, {"a.bmp", "/x.y/A.BMP"}, "image/bmp"}, {ifJpeg, {"a.jpg", "a.JPEG", "b.Jpg"}, "image/jpeg"},
        {ifGif, {"a.gif", "A.GIF"}, "image/gif"},      {ifPng, {"a.png", "a.PnG"}, "image/png"},
        {ifTiff, {"a.tif", "a.TIFF"}, "image/tiff"},
    };
    std::set<TEncoderId> encoders;
    for (const auto& row : rows) {
        EXPECT_EQ(MimeOfFormat(row.format), row.mime);
        for (const char* name : row.names) {
            EXPECT_EQ(FormatOfExtension(name), row.format) << name;
            EXPECT_TRUE(HasExtensionOf(name, row.format)) << name;
            EXPECT_EQ(EncoderForExtension(name), EncoderForFormat(row.format)) << name;
        }
        // The encoder found for the format writes that format, and no other format's.
        const TEncoderId encoder = EncoderForFormat(row.format);
        EXPECT_NE(encoder, TEncoderId{}) << row.mime;
        EXPECT_EQ(FormatOfEncoder(encoder), row.format) << row.mime;
        encoders.insert(encoder);
        for (const auto& other : rows) {
            if (other.format == row.format)
                continue;
            for (const char* name : other.names)
                EXPECT_FALSE(HasExtensionOf(name, row.format)) << name << " " << row.mime;
        }
    }
    EXPECT_EQ(encoders.size(), std::size(rows));
}

TEST(ImageFormat, OtherExtensionsValuesAndIdsNameNoFormat)
{
    for (const char* name : {"a.jfif", "a.jpe", "a.jpgx", "a.tiff2", "photo", "/pics/holiday.jpg/photo", "a."})
        EXPECT_EQ(FormatOfExtension(name), std::nullopt) << name;
    EXPECT_EQ(EncoderForExtension("a.jfif"), TEncoderId{});

    for (int value : {-1, 9, 100})
        EXPECT_EQ(FormatOfValue(value), std::nullopt) << value;
    for (int value : {0, 1, 2, 3, 4, 5, 6, 7, 8})
        EXPECT_EQ(FormatOfValue(value), static_cast<TImageFormat>(value)) << value;

    TEncoderId unknown{};
    EXPECT_EQ(FormatOfEncoder(unknown), std::nullopt);
    unknown = EncoderForFormat(ifPng);
    unknown[15] ^= 0x80;
    EXPECT_EQ(FormatOfEncoder(unknown), std::nullopt);
}

}  // namespace
}  // namespace quillane
