#include "ExifSamples.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include <libexif/exif-data.h>
#include <tiffio.h>

#include "TestPictures.h"

namespace quillane::test {

using vips::VImage;

namespace {

struct TExifDataUnref {
    void operator()(ExifData* data) const { exif_data_unref(data); }
};

void AddEntry(ExifData* data, ExifIfd ifd, ExifTag tag, ExifFormat format, unsigned long components, const void* bytes,
              unsigned int size)
{
    ExifEntry* entry = exif_entry_new();
    entry->tag = tag;
    entry->format = format;
    entry->components = components;
    entry->size = size;
    entry->data = static_cast<unsigned char*>(std::malloc(size));
    std::memcpy(entry->data, bytes, size);
    exif_content_add_entry(data->ifd[ifd], entry);
    exif_entry_unref(entry);
}

void AddText(ExifData* data, ExifIfd ifd, ExifTag tag, const std::string& text)
{
    AddEntry(data, ifd, tag, EXIF_FORMAT_ASCII, text.size() + 1, text.c_str(),
             static_cast<unsigned int>(text.size() + 1));
}

void* CollectName(VipsImage*, const char* name, GValue*, void* names)
{
    static_cast<std::vector<std::string>*>(names)->push_back(name);
    return nullptr;
}

}  // namespace

std::string ExifBlock(bool withLocation)
{
    const std::unique_ptr<ExifData, TExifDataUnref> data(exif_data_new());
    exif_data_set_byte_order(data.get(), EXIF_BYTE_ORDER_INTEL);
    AddText(data.get(), EXIF_IFD_0, EXIF_TAG_MAKE, "Quillane Test");
    if (withLocation) {
        AddText(data.get(), EXIF_IFD_GPS, static_cast<ExifTag>(EXIF_TAG_GPS_LATITUDE_REF), "N");
        unsigned char degrees[24] = {};
        const ExifRational parts[3] = {{51, 1}, {30, 1}, {0, 1}};
        for (int i = 0; i < 3; ++i)
            exif_set_rational(degrees + 8 * i, EXIF_BYTE_ORDER_INTEL, parts[i]);
        AddEntry(data.get(), EXIF_IFD_GPS, static_cast<ExifTag>(EXIF_TAG_GPS_LATITUDE), EXIF_FORMAT_RATIONAL, 3,
                 degrees, sizeof degrees);
    }
    unsigned char* saved = nullptr;
    unsigned int size = 0;
    exif_data_save_data(data.get(), &saved, &size);
    std::string block(reinterpret_cast<const char*>(saved), size);
    std::free(saved);
    return block;
}

VImage WithExif(const VImage& image, bool withLocation)
{
    VImage tagged = image.copy();
    const std::string block = ExifBlock(withLocation);
    vips_image_set_blob_copy(tagged.get_image(), VIPS_META_EXIF_NAME, block.data(), block.size());
    return tagged;
}

// The library does not read EXIF from TIFF files: libtiff reads the directories.
TExifContents TiffExifOf(const std::filesystem::path& path)
{
    TExifContents contents;
    const std::unique_ptr<TIFF, void (*)(TIFF*)> tiff(TIFFOpen(path.c_str(), "r"), TIFFClose);
    if (!tiff)
        return contents;
    char* maker = nullptr;
    contents.HasMaker = TIFFGetField(tiff.get(), TIFFTAG_MAKE, &maker) == 1 && std::string(maker) == "Quillane Test";
    std::uint64_t offset = 0;
    contents.HasExif = contents.HasMaker || TIFFGetField(tiff.get(), TIFFTAG_EXIFIFD, &offset) == 1;
    if (TIFFGetField(tiff.get(), TIFFTAG_GPSIFD, &offset) == 1 && TIFFReadGPSDirectory(tiff.get(), offset)) {
        char* reference = nullptr;
        contents.HasLocation = TIFFGetField(tiff.get(), GPSTAG_LATITUDEREF, &reference) == 1;
    }
    return contents;
}

TExifContents ExifOf(const std::filesystem::path& path)
{
    if (FormatOf(path) == "tiff")
        return TiffExifOf(path);
    const VImage image = ReadPicture(path);
    TExifContents contents;
    contents.HasExif = image.get_typeof(VIPS_META_EXIF_NAME) != 0;
    std::vector<std::string> names;
    vips_image_map(image.get_image(), CollectName, &names);
    for (const std::string& name : names) {
        if (name.rfind("exif-ifd3-", 0) == 0)
            contents.HasLocation = true;
        // The library shows a tag as its value followed by a description in brackets.
        if (name == "exif-ifd0-Make")
            contents.HasMaker = std::string(image.get_string(name.c_str())).rfind("Quillane Test", 0) == 0;
    }
    return contents;
}

}  // namespace quillane::test
