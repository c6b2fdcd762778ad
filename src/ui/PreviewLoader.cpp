// The image library's headers come before Qt's, whose "signals" keyword clashes with glib.
#include <vips/vips8>

#include "ui/PreviewLoader.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <string>

namespace quillane {

namespace {

std::string LowerExtension(const std::filesystem::path& file)
{
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

// The file's bytes, read through its byte path: names that are not valid UTF-8 still open.
QByteArray ReadWholeFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return {};
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QImage DecodeWithToolkit(const QByteArray& bytes)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    return reader.read();
}

QImage DecodeWithImageLibrary(const QByteArray& bytes)
{
    try {
        vips::VImage image = vips::VImage::new_from_buffer(bytes.constData(),
                                                           static_cast<size_t>(bytes.size()), "");
        image = image.autorot().colourspace(VIPS_INTERPRETATION_sRGB);
        if (!image.has_alpha())
            image = image.bandjoin_const({255});
        image = image.cast(VIPS_FORMAT_UCHAR);
        size_t size = 0;
        void* pixels = image.write_to_memory(&size);
        QImage picture(image.width(), image.height(), QImage::Format_RGBA8888);
        const size_t rowBytes = static_cast<size_t>(image.width()) * 4;
        for (int y = 0; y < image.height(); ++y)
            std::copy_n(static_cast<const uchar*>(pixels) + rowBytes * static_cast<size_t>(y),
                        rowBytes, picture.scanLine(y));
        g_free(pixels);
        return picture;
    } catch (const vips::VError&) {
        vips_error_clear();
        return {};
    }
}

}  // namespace

QImage LoadPreviewPicture(const std::filesystem::path& file)
{
    const QByteArray bytes = ReadWholeFile(file);
    if (bytes.isEmpty())
        return {};
    const std::string extension = LowerExtension(file);
    if (extension == ".jpg" || extension == ".jpeg" || extension == ".bmp")
        return DecodeWithToolkit(bytes);
    return DecodeWithImageLibrary(bytes);
}

}  // namespace quillane
