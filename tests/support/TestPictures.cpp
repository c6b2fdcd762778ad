#include "TestPictures.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "imaging/BmpWriter.h"

namespace quillane::test {

using vips::VImage;

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string FormatFromExtension(const std::filesystem::path& path)
{
    const std::string extension = Lower(path.extension().string());
    if (extension == ".jpg" || extension == ".jpeg" || extension == ".jfif")
        return "jpeg";
    if (extension == ".png")
        return "png";
    if (extension == ".gif")
        return "gif";
    if (extension == ".tif" || extension == ".tiff")
        return "tiff";
    if (extension == ".bmp")
        return "bmp";
    if (extension == ".webp" || extension == ".avif" || extension == ".jxl")
        return extension.substr(1);
    if (extension == ".heic" || extension == ".heif")
        return "heic";
    throw std::invalid_argument("no test format for " + path.string());
}

std::string EncodeAsBmp(const VImage& image)
{
    VImage rgb = image.bands() <= 2 ? image.colourspace(VIPS_INTERPRETATION_sRGB) : image;
    rgb = rgb.cast(VIPS_FORMAT_UCHAR).copy_memory();
    const auto* data = static_cast<const std::uint8_t*>(vips_image_get_data(rgb.get_image()));
    return EncodeBmp(data, static_cast<std::uint32_t>(rgb.width()), static_cast<std::uint32_t>(rgb.height()),
                     rgb.bands());
}

std::string Encode(const VImage& image, const std::string& format, const std::string& options)
{
    if (format == "bmp")
        return EncodeAsBmp(image);
    // The saver's suffix and the options it always takes (AVIF is HEIF with AV1 inside).
    struct TSaver {
        const char* Name;
        const char* Suffix;
        const char* Options;
    };
    static const TSaver kSavers[] = {{"jpeg", ".jpg", ""},  {"png", ".png", ""},
                                     {"gif", ".gif", ""},   {"tiff", ".tif", ""},
                                     {"webp", ".webp", ""}, {"heic", ".heic", ""},
                                     {"jxl", ".jxl", ""},   {"avif", ".heif", "compression=av1,effort=0"}};
    for (const TSaver& saver : kSavers) {
        if (format != saver.Name)
            continue;
        std::string all = options.empty() ? "" : options.substr(1, options.size() - 2);
        if (*saver.Options != '\0')
            all = all.empty() ? saver.Options : all + "," + saver.Options;
        void* data = nullptr;
        std::size_t size = 0;
        image.write_to_buffer((saver.Suffix + (all.empty() ? "" : "[" + all + "]")).c_str(), &data, &size);
        std::string bytes(static_cast<const char*>(data), size);
        g_free(data);
        return bytes;
    }
    throw std::invalid_argument("unknown test format " + format);
}

}  // namespace

VImage SolidImage(int width, int height, const TPixel& colour)
{
    VImage image = (VImage::black(width, height) + colour).cast(VIPS_FORMAT_UCHAR);
    const VipsInterpretation interpretation = colour.size() >= 3 ? VIPS_INTERPRETATION_sRGB : VIPS_INTERPRETATION_B_W;
    return image.copy(VImage::option()->set("interpretation", interpretation));
}

VImage CoordinateImage(int width, int height)
{
    VImage xy = VImage::xyz(width, height);
    VImage rgb =
        VImage::bandjoin({xy.extract_band(0) % 256, xy.extract_band(1) % 256, VImage::black(width, height) + 128});
    return rgb.cast(VIPS_FORMAT_UCHAR).copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
}

const TPixel kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255};

VImage QuadrantImage(int width, int height)
{
    const int left = width / 2;
    const int top = height / 2;
    const VImage upper =
        SolidImage(left, top, kRed).join(SolidImage(width - left, top, kGreen), VIPS_DIRECTION_HORIZONTAL);
    const VImage lower = SolidImage(left, height - top, kBlue)
                             .join(SolidImage(width - left, height - top, kWhite), VIPS_DIRECTION_HORIZONTAL);
    return upper.join(lower, VIPS_DIRECTION_VERTICAL);
}

VImage RampImage(int width, int height)
{
    const VImage red = VImage::xyz(width, height).extract_band(0) * (255.0 / (width - 1));
    const VImage zero = VImage::black(width, height);
    return VImage::bandjoin({red, zero, zero})
        .cast(VIPS_FORMAT_UCHAR)
        .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
}

VImage NoiseImage(int width, int height, std::optional<int> seed)
{
    vips::VOption* options = VImage::option()->set("sigma", 60.0)->set("mean", 128.0);
    if (seed)
        options->set("seed", *seed);
    VImage noise = VImage::gaussnoise(width, height, options);
    return VImage::bandjoin({noise, noise.rot180(), noise.fliphor()})
        .cast(VIPS_FORMAT_UCHAR)
        .copy(VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
}

void WritePicture(const VImage& image, const std::filesystem::path& path, const std::string& format,
                  const std::string& saverOptions)
{
    const std::string chosen = format.empty() ? FormatFromExtension(path) : format;
    WriteBytes(path, Encode(image, chosen, saverOptions));
}

void MakePicture(const std::filesystem::path& path, int width, int height, const TPixel& colour,
                 const std::string& format)
{
    WritePicture(SolidImage(width, height, colour), path, format);
}

void MakeOrientedJpeg(const std::filesystem::path& path, const VImage& image, int orientation)
{
    VImage tagged = image.copy();
    tagged.set(VIPS_META_ORIENTATION, orientation);
    WritePicture(tagged, path, "jpeg", "[Q=95]");
}

std::string FormatOf(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    char head[12] = {};
    in.read(head, 12);
    if (in.gcount() < 4)
        return "";
    const std::string bytes(head, 4);
    const std::string brand(head + 8, 4);
    if (bytes == "RIFF" && brand == "WEBP")
        return "webp";
    if (std::string(head + 4, 4) == "ftyp")
        return brand == "avif" || brand == "avis" ? "avif" : "heic";
    if (bytes.compare(0, 2, "\xFF\x0A") == 0 || bytes == std::string("\0\0\0\x0C", 4))
        return "jxl";
    if (bytes.compare(0, 3, "\xFF\xD8\xFF") == 0)
        return "jpeg";
    if (bytes == "\x89PNG")
        return "png";
    if (bytes == "GIF8")
        return "gif";
    if (bytes.compare(0, 2, "BM") == 0)
        return "bmp";
    if (bytes == std::string("II*\0", 4) || bytes == std::string("MM\0*", 4))
        return "tiff";
    return "";
}

VImage ReadPicture(const std::filesystem::path& path)
{
    const std::string bytes = ReadBytes(path);
    return VImage::new_from_buffer(bytes.data(), bytes.size(), "").copy_memory();
}

TPictureSize SizeOf(const std::filesystem::path& path)
{
    const VImage image = ReadPicture(path);
    return {image.width(), image.height()};
}

TPixel PixelAt(const VImage& image, int x, int y)
{
    return image.getpoint(x, y);
}

TPixel PixelAt(const std::filesystem::path& path, int x, int y)
{
    return PixelAt(ReadPicture(path), x, y);
}

TPixel MeanOf(const VImage& image, int left, int top, int width, int height)
{
    const VImage area = image.crop(left, top, width, height);
    TPixel mean;
    for (int band = 0; band < area.bands(); ++band)
        mean.push_back(area.extract_band(band).avg());
    return mean;
}

bool Near(const TPixel& actual, const TPixel& expected, double tolerance)
{
    if (actual.size() != expected.size())
        return false;
    for (std::size_t i = 0; i < actual.size(); ++i)
        if (std::fabs(actual[i] - expected[i]) > tolerance)
            return false;
    return true;
}

std::string Describe(const TPixel& pixel)
{
    std::ostringstream out;
    out << "(";
    for (std::size_t i = 0; i < pixel.size(); ++i)
        out << (i ? ", " : "") << pixel[i];
    out << ")";
    return out.str();
}

std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush())
        throw std::runtime_error("cannot write " + path.string());
}

}  // namespace quillane::test
