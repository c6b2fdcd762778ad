// Byte-level work for the bad-picture samples: surgery on encoded files and the
// encodings the image library cannot write (arithmetic-coded JPEG, 1-bit and RLE BMP).
#include <cstdio>
#include <jpeglib.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <vector>

#include "BadPictures.h"

namespace quillane::test {

using vips::VImage;

namespace {

void PutLe16(std::string& bytes, std::size_t at, std::uint32_t value)
{
    bytes[at] = static_cast<char>(value & 0xff);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xff);
}

void PutLe32(std::string& bytes, std::size_t at, std::uint32_t value)
{
    PutLe16(bytes, at, value & 0xffff);
    PutLe16(bytes, at + 2, value >> 16);
}

void PutBe32(std::string& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((value >> (24 - 8 * i)) & 0xff);
}

std::uint32_t Le16(const std::string& bytes, std::size_t at)
{
    return static_cast<std::uint8_t>(bytes.at(at)) | static_cast<std::uint8_t>(bytes.at(at + 1)) << 8;
}

std::uint32_t Le32(const std::string& bytes, std::size_t at)
{
    return Le16(bytes, at) | Le16(bytes, at + 2) << 16;
}

bool IsFrameMarker(std::uint8_t marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Walks the marker segments of a JPEG up to its first scan; returns the offset of
// the first marker for which `stop` holds, or npos.
template <typename TStop>
std::size_t FindMarker(const std::string& jpeg, TStop stop)
{
    std::size_t at = 2;
    while (at + 4 <= jpeg.size() && static_cast<std::uint8_t>(jpeg[at]) == 0xFF) {
        const auto marker = static_cast<std::uint8_t>(jpeg[at + 1]);
        if (stop(marker))
            return at;
        if (marker == 0xDA)
            break;
        const std::size_t length =
            static_cast<std::uint8_t>(jpeg[at + 2]) << 8 | static_cast<std::uint8_t>(jpeg[at + 3]);
        at += 2 + length;
    }
    return std::string::npos;
}

std::string BmpHeaders(int width, int height, int bits, std::uint32_t compression, std::uint32_t paletteSize,
                       std::uint32_t dataSize)
{
    const std::uint32_t offset = 14 + 40 + 4 * paletteSize;
    std::string bytes(offset, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLe32(bytes, 2, offset + dataSize);
    PutLe32(bytes, 10, offset);
    PutLe32(bytes, 14, 40);
    PutLe32(bytes, 18, static_cast<std::uint32_t>(width));
    PutLe32(bytes, 22, static_cast<std::uint32_t>(height));
    PutLe16(bytes, 26, 1);
    PutLe16(bytes, 28, static_cast<std::uint32_t>(bits));
    PutLe32(bytes, 30, compression);
    PutLe32(bytes, 34, dataSize);
    PutLe32(bytes, 38, 2835);
    PutLe32(bytes, 42, 2835);
    PutLe32(bytes, 46, paletteSize);
    return bytes;
}

// Palette of `size` entries, all black except entry 1, which holds the colour.
void PutPalette(std::string& bytes, std::uint32_t size, const TPixel& rgb)
{
    if (size < 2)
        return;
    const std::size_t entry = 14 + 40 + 4;
    bytes[entry] = static_cast<char>(rgb[2]);
    bytes[entry + 1] = static_cast<char>(rgb[1]);
    bytes[entry + 2] = static_cast<char>(rgb[0]);
}

// Every pixel has palette index 1: runs of at most 255 pixels, then end of line.
std::string RleRows(int width, int height, int bits)
{
    std::string data;
    const char index = bits == 4 ? 0x11 : 0x01;
    for (int row = 0; row < height; ++row) {
        for (int left = width; left > 0; left -= 255) {
            data += static_cast<char>(std::min(left, 255));
            data += index;
        }
        data += std::string("\0\0", 2);
    }
    return data + std::string("\0\1", 2);
}

std::string PlainRows(int width, int height, int bits, const TPixel& rgb)
{
    const int rowBytes = ((width * bits + 31) / 32) * 4;
    std::string data;
    for (int row = 0; row < height; ++row) {
        std::string line(static_cast<std::size_t>(rowBytes), '\0');
        for (int x = 0; x < width; ++x) {
            if (bits == 1) {
                line[x / 8] = static_cast<char>(line[x / 8] | (0x80 >> (x % 8)));
            } else {
                line[3 * x] = static_cast<char>(rgb[2]);
                line[3 * x + 1] = static_cast<char>(rgb[1]);
                line[3 * x + 2] = static_cast<char>(rgb[0]);
            }
        }
        data += line;
    }
    return data;
}

}  // namespace

std::string Truncated(const std::string& bytes, std::size_t keep)
{
    return bytes.substr(0, std::min(keep, bytes.size()));
}

std::string WithBitFlipped(std::string bytes, std::size_t offset, int bit)
{
    bytes.at(offset) = static_cast<char>(bytes.at(offset) ^ (1 << bit));
    return bytes;
}

std::string RandomBytes(std::size_t size, std::uint32_t seed)
{
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(generator() & 0xff);
    return bytes;
}

std::size_t FindJpegFrame(const std::string& jpeg)
{
    return FindMarker(jpeg, IsFrameMarker);
}

std::size_t FindJpegScanData(const std::string& jpeg)
{
    const std::size_t scan = FindMarker(jpeg, [](std::uint8_t marker) { return marker == 0xDA; });
    if (scan == std::string::npos)
        return scan;
    return scan + 2 + (static_cast<std::uint8_t>(jpeg[scan + 2]) << 8 | static_cast<std::uint8_t>(jpeg[scan + 3]));
}

std::string JpegClaimingSize(std::string jpeg, std::uint16_t width, std::uint16_t height)
{
    const std::size_t frame = FindJpegFrame(jpeg);
    if (frame == std::string::npos)
        throw std::invalid_argument("no JPEG frame header");
    // FF Cn, length (2), precision (1), height (2), width (2), big-endian.
    jpeg[frame + 5] = static_cast<char>(height >> 8);
    jpeg[frame + 6] = static_cast<char>(height & 0xff);
    jpeg[frame + 7] = static_cast<char>(width >> 8);
    jpeg[frame + 8] = static_cast<char>(width & 0xff);
    return jpeg;
}

std::string JpegWithPrecision(std::string jpeg, std::uint8_t bits)
{
    const std::size_t frame = FindJpegFrame(jpeg);
    if (frame == std::string::npos)
        throw std::invalid_argument("no JPEG frame header");
    jpeg[frame + 4] = static_cast<char>(bits);
    return jpeg;
}

std::uint32_t Crc32(const std::string& bytes)
{
    std::uint32_t crc = 0xffffffffu;
    for (const char c : bytes) {
        crc ^= static_cast<std::uint8_t>(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xffffffffu;
}

std::string PngClaimingSize(std::string png, std::uint32_t width, std::uint32_t height)
{
    // Signature (8), IHDR length (4), "IHDR" at 12, width at 16, height at 20, CRC at 29.
    if (png.size() < 33 || png.compare(12, 4, "IHDR") != 0)
        throw std::invalid_argument("no PNG IHDR");
    PutBe32(png, 16, width);
    PutBe32(png, 20, height);
    PutBe32(png, 29, Crc32(png.substr(12, 17)));
    return png;
}

std::string TiffClaimingSize(std::string tiff, std::uint32_t width, std::uint32_t height)
{
    if (tiff.compare(0, 4, std::string("II*\0", 4)) != 0)
        throw std::invalid_argument("not a little-endian TIFF");
    const std::uint32_t directory = Le32(tiff, 4);
    const std::uint32_t entries = Le16(tiff, directory);
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::size_t entry = directory + 2 + 12 * i;
        const std::uint32_t tag = Le16(tiff, entry);
        if (tag != 256 && tag != 257)
            continue;
        PutLe16(tiff, entry + 2, 4);  // LONG
        PutLe32(tiff, entry + 4, 1);
        PutLe32(tiff, entry + 8, tag == 256 ? width : height);
    }
    return tiff;
}

std::string BmpClaimingSize(std::string bmp, std::uint32_t width, std::uint32_t height)
{
    if (bmp.size() < 26 || bmp.compare(0, 2, "BM") != 0)
        throw std::invalid_argument("not a BMP");
    PutLe32(bmp, 18, width);
    PutLe32(bmp, 22, height);
    return bmp;
}

std::string EncodedPicture(const VImage& image, const std::string& format, const std::string& options)
{
    if (format == "bmp")
        throw std::invalid_argument("BMP samples are made by hand or by the project's writer");
    void* data = nullptr;
    std::size_t size = 0;
    image.write_to_buffer(("." + format + options).c_str(), &data, &size);
    std::string bytes(static_cast<const char*>(data), size);
    g_free(data);
    return bytes;
}

std::string ArithmeticJpeg(int width, int height, const TPixel& rgb)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    info.arith_code = TRUE;
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
    for (int x = 0; x < width; ++x)
        for (int band = 0; band < 3; ++band)
            row[3 * x + band] = static_cast<unsigned char>(rgb[band]);
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

std::string HandMadeBmp(int width, int height, int bits, bool rle, const TPixel& rgb)
{
    const int rows = height < 0 ? -height : height;
    const std::uint32_t paletteSize = bits == 24 ? 0 : 1u << bits;
    const std::string data = rle ? RleRows(width, rows, bits) : PlainRows(width, rows, bits, rgb);
    const std::uint32_t compression = !rle ? 0 : bits == 8 ? 1 : 2;
    std::string bytes =
        BmpHeaders(width, height, bits, compression, paletteSize, static_cast<std::uint32_t>(data.size()));
    PutPalette(bytes, paletteSize, rgb);
    return bytes + data;
}

}  // namespace quillane::test
