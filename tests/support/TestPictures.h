#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>
#include <vips/vips8>

// Pictures made inside the tests, and what a user would check on a written file:
// its format by its first bytes, its size and its pixels.
namespace quillane::test {

using TPixel = std::vector<double>;  // band values, e.g. {r, g, b} or {r, g, b, a}

// A width x height picture of one colour; 3 values give RGB, 4 give RGBA, 1 grey.
vips::VImage SolidImage(int width, int height, const TPixel& colour);

// A picture whose pixel (x, y) is (x mod 256, y mod 256, 128): every position tells
// where it came from.
vips::VImage CoordinateImage(int width, int height);

// Four quadrants: red top-left, green top-right, blue bottom-left, white
// bottom-right (the split at width / 2 and height / 2).
vips::VImage QuadrantImage(int width, int height);
extern const TPixel kRed, kGreen, kBlue, kWhite;

// A horizontal ramp: red = x * 255 / (width - 1), green and blue 0.
vips::VImage RampImage(int width, int height);

// Noise, so that compressed files have real size (for truncation tests); new noise on
// every call, or the same noise for the same seed.
vips::VImage NoiseImage(int width, int height, std::optional<int> seed = std::nullopt);

// Writes the picture in the format named by the extension of the path (.jpg, .jpeg,
// .png, .gif, .tif, .tiff, .bmp, .webp, .heic, .heif, .avif, .jxl), or by `format`
// ("jpeg", "png", "gif", "tiff", "bmp", "webp", "heic", "avif", "jxl") when given. Extra options for the library saver
// may be passed, e.g. "[Q=95]". Throws on failure: a test that cannot make its picture must fail.
void WritePicture(const vips::VImage& image, const std::filesystem::path& path, const std::string& format = "",
                  const std::string& saverOptions = "");

// Shorthand: a solid picture written to path.
void MakePicture(const std::filesystem::path& path, int width, int height, const TPixel& colour,
                 const std::string& format = "");

// A JPEG whose EXIF orientation tag says how to turn it (1 to 8).
void MakeOrientedJpeg(const std::filesystem::path& path, const vips::VImage& image, int orientation);

// "jpeg", "png", "gif", "bmp", "tiff", "webp", "heic", "avif", "jxl" from the first
// bytes, "" for anything else or a missing file.
std::string FormatOf(const std::filesystem::path& path);

// The file decoded by the library (independently of the code under test).
vips::VImage ReadPicture(const std::filesystem::path& path);

struct TPictureSize {
    int width = 0;
    int height = 0;
    bool operator==(const TPictureSize&) const = default;
};
TPictureSize SizeOf(const std::filesystem::path& path);

// Band values at (x, y).
TPixel PixelAt(const vips::VImage& image, int x, int y);
TPixel PixelAt(const std::filesystem::path& path, int x, int y);

// Mean of each band over a rectangle.
TPixel MeanOf(const vips::VImage& image, int left, int top, int width, int height);

// True when every band differs by at most tolerance.
bool Near(const TPixel& actual, const TPixel& expected, double tolerance);
std::string Describe(const TPixel& pixel);

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

}  // namespace quillane::test
