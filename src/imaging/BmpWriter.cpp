#include "imaging/BmpWriter.h"

#include <cstddef>

namespace quillane {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kV4HeaderSize = 108;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kSrgbColourSpace = 0x73524742;  // 'sRGB'
constexpr std::uint32_t kPixelsPerMetre96Dpi = 3780;

void PutLe(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

void PutFileHeader(std::string& out, std::uint32_t fileSize, std::uint32_t pixelOffset)
{
    out += "BM";
    PutLe(out, fileSize, 4);
    PutLe(out, 0, 4);  // reserved
    PutLe(out, pixelOffset, 4);
}

void PutInfoHeader(std::string& out, std::uint32_t headerSize, std::uint32_t width, std::uint32_t height, int bits,
                   std::uint32_t imageSize)
{
    PutLe(out, headerSize, 4);
    PutLe(out, width, 4);
    PutLe(out, height, 4);  // positive: rows bottom-up
    PutLe(out, 1, 2);       // planes
    PutLe(out, static_cast<std::uint32_t>(bits), 2);
    PutLe(out, bits == 32 ? kBiBitfields : kBiRgb, 4);
    PutLe(out, imageSize, 4);
    PutLe(out, kPixelsPerMetre96Dpi, 4);
    PutLe(out, kPixelsPerMetre96Dpi, 4);
    PutLe(out, 0, 4);  // colours used
    PutLe(out, 0, 4);  // important colours
}

// The V4 tail: channel masks, so readers find the alpha, and the sRGB colour space.
void PutV4Tail(std::string& out)
{
    PutLe(out, 0x00ff0000, 4);
    PutLe(out, 0x0000ff00, 4);
    PutLe(out, 0x000000ff, 4);
    PutLe(out, 0xff000000, 4);
    PutLe(out, kSrgbColourSpace, 4);
    out.append(36 + 12, '\0');  // endpoints and gamma, unused for sRGB
}

}  // namespace

std::string EncodeBmp(const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height, int bands)
{
    if ((bands != 3 && bands != 4) || width == 0 || height == 0 || pixels == nullptr)
        return {};
    const int bits = bands * 8;
    const std::uint64_t rowSize = (static_cast<std::uint64_t>(width) * bands + 3) / 4 * 4;  // rows end on 4 bytes
    const std::uint64_t imageSize = rowSize * height;
    const std::uint32_t headerSize = bands == 4 ? kV4HeaderSize : kInfoHeaderSize;
    const std::uint64_t pixelOffset = kFileHeaderSize + headerSize;
    if (pixelOffset + imageSize > 0xffffffffULL)
        return {};

    std::string out;
    out.reserve(static_cast<std::size_t>(pixelOffset + imageSize));
    PutFileHeader(out, static_cast<std::uint32_t>(pixelOffset + imageSize), static_cast<std::uint32_t>(pixelOffset));
    PutInfoHeader(out, headerSize, width, height, bits, static_cast<std::uint32_t>(imageSize));
    if (bands == 4)
        PutV4Tail(out);

    const std::size_t padding = static_cast<std::size_t>(rowSize - static_cast<std::uint64_t>(width) * bands);
    for (std::uint32_t row = height; row-- > 0;) {
        const std::uint8_t* p = pixels + static_cast<std::size_t>(row) * width * bands;
        for (std::uint32_t x = 0; x < width; ++x, p += bands) {
            out.push_back(static_cast<char>(p[2]));  // stored as blue, green, red (, alpha)
            out.push_back(static_cast<char>(p[1]));
            out.push_back(static_cast<char>(p[0]));
            if (bands == 4)
                out.push_back(static_cast<char>(p[3]));
        }
        out.append(padding, '\0');
    }
    return out;
}

}  // namespace quillane
