#include "imaging/BmpWriter.h"

#include <algorithm>
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

TBmpLayout BmpLayout(std::uint32_t width, std::uint32_t height, int bands)
{
    TBmpLayout layout;
    if ((bands != 3 && bands != 4) || width == 0 || height == 0)
        return layout;
    const int bits = bands * 8;
    const std::uint64_t rowSize = (static_cast<std::uint64_t>(width) * bands + 3) / 4 * 4;  // rows end on 4 bytes
    const std::uint64_t imageSize = rowSize * height;
    const std::uint32_t headerSize = bands == 4 ? kV4HeaderSize : kInfoHeaderSize;
    const std::uint64_t pixelOffset = kFileHeaderSize + headerSize;
    if (pixelOffset + imageSize > 0xffffffffULL)
        return layout;
    PutFileHeader(layout.Header, static_cast<std::uint32_t>(pixelOffset + imageSize),
                  static_cast<std::uint32_t>(pixelOffset));
    PutInfoHeader(layout.Header, headerSize, width, height, bits, static_cast<std::uint32_t>(imageSize));
    if (bands == 4)
        PutV4Tail(layout.Header);
    layout.PixelOffset = pixelOffset;
    layout.RowSize = rowSize;
    layout.Height = height;
    return layout;
}

void PutBmpRow(const std::uint8_t* row, std::uint32_t width, int bands, const TBmpLayout& layout, std::uint8_t* out)
{
    std::uint8_t* const end = out + layout.RowSize;
    for (std::uint32_t x = 0; x < width; ++x, row += bands) {
        *out++ = row[2];  // stored as blue, green, red (, alpha)
        *out++ = row[1];
        *out++ = row[0];
        if (bands == 4)
            *out++ = row[3];
    }
    std::fill(out, end, std::uint8_t{0});
}

std::string EncodeBmp(const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height, int bands)
{
    const TBmpLayout layout = BmpLayout(width, height, bands);
    if (layout.Header.empty() || pixels == nullptr)
        return {};
    std::string out = layout.Header;
    out.resize(static_cast<std::size_t>(layout.PixelOffset + layout.RowSize * height));
    for (std::uint32_t y = 0; y < height; ++y)
        PutBmpRow(pixels + static_cast<std::size_t>(y) * width * bands, width, bands, layout,
                  reinterpret_cast<std::uint8_t*>(out.data() + layout.RowOffset(y)));
    return out;
}

}  // namespace quillane
