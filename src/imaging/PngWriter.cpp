#include "imaging/PngWriter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include <libdeflate.h>
#include <zlib.h>

namespace quillane {

namespace {

constexpr std::size_t kLargestChunk = std::size_t{1} << 20;

struct TCompressorFree {
    void operator()(libdeflate_compressor* compressor) const { libdeflate_free_compressor(compressor); }
};

void AppendBigEndian32(std::string& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((value >> shift) & 0xff));
}

// Length, type, data and the checksum of type and data.
bool WriteChunk(const TPngSink& write, const char (&type)[5], const char* data, std::size_t size)
{
    std::string head;
    AppendBigEndian32(head, static_cast<std::uint32_t>(size));
    head.append(type, 4);
    uLong crc = ::crc32_z(::crc32_z(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(type), 4);
    crc = ::crc32_z(crc, reinterpret_cast<const Bytef*>(data), size);
    std::string tail;
    AppendBigEndian32(tail, static_cast<std::uint32_t>(crc));
    return write(head.data(), head.size()) && (size == 0 || write(data, size)) && write(tail.data(), tail.size());
}

// A zlib stream of `data`. Its buffer is left uninitialised: only the part written
// ever takes memory.
struct TDeflated {
    std::unique_ptr<char[]> Bytes;
    std::size_t Size = 0;  // 0 when it could not be made
};

TDeflated Deflated(const void* data, std::size_t size, int level)
{
    TDeflated deflated;
    const std::unique_ptr<libdeflate_compressor, TCompressorFree> compressor(libdeflate_alloc_compressor(level));
    if (!compressor)
        return deflated;
    const std::size_t bound = libdeflate_zlib_compress_bound(compressor.get(), size);
    deflated.Bytes = std::make_unique_for_overwrite<char[]>(bound);
    deflated.Size = libdeflate_zlib_compress(compressor.get(), data, size, deflated.Bytes.get(), bound);
    return deflated;
}

int ColourType(int bands)
{
    switch (bands) {
    case 1:
        return 0;  // grey
    case 2:
        return 4;  // grey and alpha
    case 3:
        return 2;  // RGB
    case 4:
        return 6;  // RGBA
    default:
        return -1;
    }
}

bool WriteHeader(const TPngSink& write, const TPngPicture& picture)
{
    std::string header;
    AppendBigEndian32(header, picture.Width);
    AppendBigEndian32(header, picture.Height);
    const char rest[] = {8, static_cast<char>(ColourType(picture.Bands)), 0, 0, 0};  // depth, type, methods
    header.append(rest, sizeof rest);
    return WriteChunk(write, "IHDR", header.data(), header.size());
}

bool WriteResolution(const TPngSink& write, const TPngPicture& picture)
{
    if (picture.XPixelsPerMm <= 0 || picture.YPixelsPerMm <= 0)
        return true;
    std::string resolution;
    AppendBigEndian32(resolution, static_cast<std::uint32_t>(std::lround(picture.XPixelsPerMm * 1000)));
    AppendBigEndian32(resolution, static_cast<std::uint32_t>(std::lround(picture.YPixelsPerMm * 1000)));
    resolution.push_back(1);  // per metre
    return WriteChunk(write, "pHYs", resolution.data(), resolution.size());
}

// The profile is small: the level makes no difference worth a setting.
constexpr int kProfileLevel = 6;

bool WriteProfile(const TPngSink& write, const std::string& profile)
{
    if (profile.empty())
        return true;
    const TDeflated deflated = Deflated(profile.data(), profile.size(), kProfileLevel);
    if (deflated.Size == 0)
        return false;
    std::string chunk("icc\0\0", 5);  // name, its end, compression method 0
    chunk.append(deflated.Bytes.get(), deflated.Size);
    return WriteChunk(write, "iCCP", chunk.data(), chunk.size());
}

bool WriteImageData(const TPngSink& write, const TDeflated& rows)
{
    for (std::size_t at = 0; at < rows.Size; at += kLargestChunk)
        if (!WriteChunk(write, "IDAT", rows.Bytes.get() + at, std::min(kLargestChunk, rows.Size - at)))
            return false;
    return true;
}

}  // namespace

namespace {

std::size_t RowBytes(const TPngPicture& picture)
{
    return std::size_t{picture.Width} * static_cast<std::size_t>(std::max(picture.Bands, 0));
}

}  // namespace

TPngPicture PngPicture(std::uint32_t width, std::uint32_t height, int bands)
{
    TPngPicture picture;
    picture.Width = width;
    picture.Height = height;
    picture.Bands = bands;
    picture.Rows.assign((RowBytes(picture) + 1) * height, 0);
    return picture;
}

std::uint8_t* RowSamples(TPngPicture& picture, std::uint32_t y)
{
    return &picture.Rows[(RowBytes(picture) + 1) * y + 1];
}

bool WritePng(const TPngPicture& picture, const TPngSink& write)
{
    if (ColourType(picture.Bands) < 0 || picture.Width == 0 || picture.Height == 0 || picture.Width > 0x7fffffffu ||
        picture.Height > 0x7fffffffu || picture.Rows.size() != (RowBytes(picture) + 1) * picture.Height)
        return false;
    // Deflated first, so that a failure writes nothing at all.
    const TDeflated rows = Deflated(picture.Rows.data(), picture.Rows.size(), picture.CompressionLevel);
    if (rows.Size == 0)
        return false;
    return write("\x89PNG\r\n\x1a\n", 8) && WriteHeader(write, picture) && WriteProfile(write, picture.IccProfile) &&
           WriteResolution(write, picture) && WriteImageData(write, rows) && WriteChunk(write, "IEND", "", 0);
}

}  // namespace quillane
