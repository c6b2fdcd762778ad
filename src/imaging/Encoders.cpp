#include "imaging/Encoders.h"

#include "imaging/ImageFormat.h"

namespace quillane {

namespace {

TEncoderId MakeId(std::uint8_t format)
{
    // A fixed family prefix plus one byte naming the format.
    return TEncoderId{0x51, 0x4c, 0x4e, 0x45, 0x4e, 0x43, 0x00, 0x01, 0x8a, 0x2f, 0x11, 0xd6, 0x90, 0x3c, 0x00, format};
}

}  // namespace

const std::vector<TImageCodecInfo>& GetImageEncoders()
{
    static const std::vector<TImageCodecInfo> kEncoders{
        {MakeId(1), "Built-in BMP Codec", "*.BMP;*.DIB;*.RLE", "image/bmp"},
        {MakeId(2), "Built-in JPEG Codec", "*.JPG;*.JPEG;*.JPE;*.JFIF", "image/jpeg"},
        {MakeId(3), "Built-in GIF Codec", "*.GIF", "image/gif"},
        {MakeId(4), "Built-in TIFF Codec", "*.TIF;*.TIFF", "image/tiff"},
        {MakeId(5), "Built-in PNG Codec", "*.PNG", "image/png"},
        {MakeId(6), "WebP Codec", "*.WEBP", "image/webp"},
        {MakeId(7), "HEIF Codec", "*.HEIC;*.HEIF", "image/heic"},
        {MakeId(8), "AVIF Codec", "*.AVIF", "image/avif"},
        {MakeId(9), "JPEG XL Codec", "*.JXL", "image/jxl"},
    };
    return kEncoders;
}

int EncoderForMime(const std::string& mime, TEncoderId& encoder)
{
    const std::vector<TImageCodecInfo>& encoders = GetImageEncoders();
    int found = -1;
    for (std::size_t i = 0; i < encoders.size(); ++i)
        if (encoders[i].MimeType == mime)
            found = static_cast<int>(i);
    if (found >= 0)
        encoder = encoders[static_cast<std::size_t>(found)].Clsid;
    return found;
}

TEncoderId EncoderForExtension(const TPath& target)
{
    const std::optional<TImageFormat> format = FormatOfExtension(target);
    return format ? EncoderForFormat(*format) : TEncoderId{};
}

}  // namespace quillane
