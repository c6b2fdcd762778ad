#include "imaging/PlainBmp.h"

#include <cstddef>
#include <cstdint>

namespace quillane {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::int64_t kLargestSide = 1 << 20;  // far beyond what is loaded; keeps the sums small

std::uint32_t Le(std::string_view bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

std::int32_t SignedLe(std::string_view bytes, std::size_t at)
{
    return static_cast<std::int32_t>(Le(bytes, at, 4));
}

struct TPlainHeader {
    std::int64_t Width = 0;
    std::int64_t Height = 0;  // always positive here
    bool TopDown = false;
    std::size_t PixelOffset = 0;
    std::size_t RowBytes = 0;
    double XRes = 0;  // pixels a millimetre
    double YRes = 0;
};

std::optional<TPlainHeader> PlainHeaderOf(std::string_view bytes)
{
    if (bytes.size() < kFileHeaderSize + kInfoHeaderSize || bytes.substr(0, 2) != "BM" ||
        Le(bytes, 14, 4) != kInfoHeaderSize || Le(bytes, 26, 2) != 1 || Le(bytes, 28, 2) != 24 ||
        Le(bytes, 30, 4) != kBiRgb)
        return std::nullopt;
    TPlainHeader header;
    header.Width = SignedLe(bytes, 18);
    const std::int64_t height = SignedLe(bytes, 22);
    header.TopDown = height < 0;
    header.Height = height < 0 ? -height : height;
    const std::int32_t xPerMetre = SignedLe(bytes, 38);
    const std::int32_t yPerMetre = SignedLe(bytes, 42);
    if (header.Width < 1 || header.Height < 1 || header.Width > kLargestSide || header.Height > kLargestSide ||
        xPerMetre < 0 || yPerMetre < 0)
        return std::nullopt;
    header.PixelOffset = Le(bytes, 10, 4);
    header.RowBytes = static_cast<std::size_t>((header.Width * 3 + 3) / 4 * 4);
    const std::size_t pixelBytes = header.RowBytes * static_cast<std::size_t>(header.Height);
    if (header.PixelOffset < kFileHeaderSize + kInfoHeaderSize || header.PixelOffset > bytes.size() ||
        bytes.size() - header.PixelOffset < pixelBytes)
        return std::nullopt;
    header.XRes = xPerMetre / 1000.0;
    header.YRes = yPerMetre / 1000.0;
    return header;
}

}  // namespace

std::optional<vips::VImage> DecodePlainBmp(std::string_view bytes)
{
    const std::optional<TPlainHeader> header = PlainHeaderOf(bytes);
    if (!header)
        return std::nullopt;
    const auto width = static_cast<int>(header->Width);
    const auto height = static_cast<int>(header->Height);
    // Decoded straight into the picture's own memory: the pixels are held once.
    vips::VImage picture(vips_image_new_memory());
    vips_image_init_fields(picture.get_image(), width, height, 3, VIPS_FORMAT_UCHAR, VIPS_CODING_NONE,
                           VIPS_INTERPRETATION_sRGB, header->XRes, header->YRes);
    if (vips_image_write_prepare(picture.get_image()) != 0)
        throw vips::VError();
    for (int y = 0; y < height; ++y) {
        const std::size_t stored = static_cast<std::size_t>(header->TopDown ? y : height - 1 - y);
        const char* in = bytes.data() + header->PixelOffset + stored * header->RowBytes;
        VipsPel* out = VIPS_IMAGE_ADDR(picture.get_image(), 0, y);
        for (int x = 0; x < width; ++x, in += 3, out += 3) {
            out[0] = static_cast<VipsPel>(in[2]);  // stored blue, green, red
            out[1] = static_cast<VipsPel>(in[1]);
            out[2] = static_cast<VipsPel>(in[0]);
        }
    }
    return picture;
}

}  // namespace quillane
