#include "imaging/PngWriter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include <libdeflate.h>
#include <zlib.h>

namespace quillane {

namespace {

constexpr int kDeflateLevel = 6;  // zlib's default, which the README promises
constexpr std::size_t kLargestChunk = std::size_t{1} << 20;

struct TCompressorFree {
    void operator()(libdeflate_compressor* compressor) const { libdeflate_free_compressor(compressor); }
};

void AppendBigEndian32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((value >> shift) & 0xff));
}

void AppendChunk(std::string& out, const char (&type)[5], const void* data, std::size_t size) {
    AppendBigEndian32(out, static_cast<std::uint32_t>(size));
    const std::size_t typeAt = out.size();
    out.append(type, 4);
    out.append(static_cast<const char*>(data), size);
    const auto* checked = reinterpret_cast<const Bytef*>(out.data() + typeAt);
    AppendBigEndian32(out, static_cast<std::uint32_t>(::crc32_z(::crc32_z(0L, Z_NULL, 0), checked, size + 4)));
}

// A zlib stream of `data`; empty when it cannot be made.
std::string Deflated(const void* data, std::size_t size) {
    const std::unique_ptr<libdeflate_compressor, TCompressorFree> compressor(
        libdeflate_alloc_compressor(kDeflateLevel));
    if (!compressor) return {};
    std::string out(libdeflate_zlib_compress_bound(compressor.get(), size), '\0');
    const std::size_t written = libdeflate_zlib_compress(compressor.get(), data, size, out.data(), out.size());
    out.resize(written);
    return out;
}

int ColourType(int bands) {
    switch (bands) {
        case 1: return 0;  // grey
        case 2: return 4;  // grey and alpha
        case 3: return 2;  // RGB
        case 4: return 6;  // RGBA
        default: return -1;
    }
}

void AppendHeader(std::string& out, const TPngPicture& picture) {
    std::string header;
    AppendBigEndian32(header, picture.Width);
    AppendBigEndian32(header, picture.Height);
    const char rest[] = {8, static_cast<char>(ColourType(picture.Bands)), 0, 0, 0};  // depth, type, methods
    header.append(rest, sizeof rest);
    AppendChunk(out, "IHDR", header.data(), header.size());
}

void AppendResolution(std::string& out, const TPngPicture& picture) {
    if (picture.XPixelsPerMm <= 0 || picture.YPixelsPerMm <= 0) return;
    std::string resolution;
    AppendBigEndian32(resolution, static_cast<std::uint32_t>(std::lround(picture.XPixelsPerMm * 1000)));
    AppendBigEndian32(resolution, static_cast<std::uint32_t>(std::lround(picture.YPixelsPerMm * 1000)));
    resolution.push_back(1);  // per metre
    AppendChunk(out, "pHYs", resolution.data(), resolution.size());
}

bool AppendProfile(std::string& out, const std::string& profile) {
    if (profile.empty()) return true;
    const std::string deflated = Deflated(profile.data(), profile.size());
    if (deflated.empty()) return false;
    std::string chunk("icc\0\0", 5);  // name, its end, compression method 0
    chunk += deflated;
    AppendChunk(out, "iCCP", chunk.data(), chunk.size());
    return true;
}

bool AppendImageData(std::string& out, const std::vector<std::uint8_t>& rows) {
    const std::string deflated = Deflated(rows.data(), rows.size());
    if (deflated.empty()) return false;
    for (std::size_t at = 0; at < deflated.size(); at += kLargestChunk)
        AppendChunk(out, "IDAT", deflated.data() + at, std::min(kLargestChunk, deflated.size() - at));
    return true;
}

}  // namespace

TPngPicture PngPicture(const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height, int bands) {
    TPngPicture picture;
    picture.Width = width;
    picture.Height = height;
    picture.Bands = bands;
    const std::size_t rowBytes = std::size_t{width} * static_cast<std::size_t>(std::max(bands, 0));
    picture.Rows.resize((rowBytes + 1) * height);
    for (std::size_t y = 0; y < height; ++y) {
        picture.Rows[y * (rowBytes + 1)] = 0;  // filter: none
        std::memcpy(&picture.Rows[y * (rowBytes + 1) + 1], pixels + y * rowBytes, rowBytes);
    }
    return picture;
}

std::string EncodePng(const TPngPicture& picture) {
    const std::size_t rowBytes = std::size_t{picture.Width} * static_cast<std::size_t>(std::max(picture.Bands, 0));
    if (ColourType(picture.Bands) < 0 || picture.Width == 0 || picture.Height == 0 ||
        picture.Width > 0x7fffffffu || picture.Height > 0x7fffffffu ||
        picture.Rows.size() != (rowBytes + 1) * picture.Height)
        return {};
    std::string out("\x89PNG\r\n\x1a\n", 8);
    AppendHeader(out, picture);
    if (!AppendProfile(out, picture.IccProfile)) return {};
    AppendResolution(out, picture);
    if (!AppendImageData(out, picture.Rows)) return {};
    AppendChunk(out, "IEND", "", 0);
    return out;
}

}  // namespace quillane
