#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "TestPictures.h"

// Unusual and damaged picture files, made in code: good pictures of every variety
// people meet in camera dumps and old archives, and files cut, flipped, mislabelled
// or lying about their size. Each sample says what a sound routine does with it.
namespace quillane::test {

enum class TExpect {
    exDecodes,  // a correct picture: processed, right size and colour
    exFails,    // damaged or not a picture: the failure line, nothing written
    exEither,   // damage a decoder may not notice (a flipped bit in compressed data)
};

// Every sample's name has a stem of its own, so a conversion never gives two
// samples the same target.
struct TSample {
    std::string Name;  // file name with its extension
    std::string Bytes;
    TExpect Expect = TExpect::exFails;
    int Width = 0;  // upright size, when it decodes
    int Height = 0;
    TPixel Colour;  // its one colour as 8-bit sRGB; empty when it has several
    double Tolerance = 12;
};

// The colour of the good samples: distinct in every band, far from grey.
const TPixel& SampleColour();

// Correct pictures of the unusual kinds: progressive, grey, CMYK, arithmetic-coded and
// EXIF-turned JPEGs; ICC profiles; 16-bit, grey+alpha, palette, interlaced, 1 x 1 PNGs;
// animated and transparent GIFs; multi-page, 16-bit, CMYK, tiled and compressed TIFFs;
// 1-, 24-, 32-bit, RLE and top-down BMPs; a PNG named .jpg and a JPEG named .png.
std::vector<TSample> UnusualPictures();

// Files that must fail: empty, random, text and SVG named as pictures, truncations,
// bit flips, unsupported precision, headers claiming enormous sizes.
std::vector<TSample> DamagedPictures();

// Both lists, unusual first.
std::vector<TSample> AllSamples();

// Writes each sample into the folder under its name.
void WriteSamples(const std::filesystem::path& folder, const std::vector<TSample>& samples);

// Byte surgery on encoded files.
std::string Truncated(const std::string& bytes, std::size_t keep);
std::string WithBitFlipped(std::string bytes, std::size_t offset, int bit);
std::string RandomBytes(std::size_t size, std::uint32_t seed);
// Patches the frame header of a JPEG (its SOF marker) to claim another size.
std::string JpegClaimingSize(std::string jpeg, std::uint16_t width, std::uint16_t height);
// Patches the IHDR chunk of a PNG and mends its CRC, so only the size lies.
std::string PngClaimingSize(std::string png, std::uint32_t width, std::uint32_t height);
// Patches the first directory of a little-endian TIFF to claim another size.
std::string TiffClaimingSize(std::string tiff, std::uint32_t width, std::uint32_t height);
// Patches the info header of a BMP to claim another size.
std::string BmpClaimingSize(std::string bmp, std::uint32_t width, std::uint32_t height);
// Sets the sample precision byte of a JPEG's frame header (8 normally).
std::string JpegWithPrecision(std::string jpeg, std::uint8_t bits);

// Offset of a JPEG's frame header marker (FF C0..CF, not C4, C8, CC); npos if none.
std::size_t FindJpegFrame(const std::string& jpeg);
// Offset where a JPEG's entropy-coded data begins (after its first SOS header).
std::size_t FindJpegScanData(const std::string& jpeg);

// CRC-32 as PNG chunks use it.
std::uint32_t Crc32(const std::string& bytes);

// Encoded pictures made with the library, or by hand where it cannot write them.
std::string EncodedPicture(const vips::VImage& image, const std::string& format, const std::string& options = "");
std::string ArithmeticJpeg(int width, int height, const TPixel& rgb);
// A BMP by hand: bits 1, 4 (RLE4), 8 (RLE8 when rle) or 24 (top-down when height < 0).
std::string HandMadeBmp(int width, int height, int bits, bool rle, const TPixel& rgb);

}  // namespace quillane::test
