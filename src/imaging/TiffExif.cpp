#include "imaging/TiffExif.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include <libexif/exif-data.h>
#include <tiffio.h>

namespace quillane::tiffexif {

namespace {

struct TExifDataUnref {
    void operator()(ExifData* data) const { exif_data_unref(data); }
};

struct TTiffClose {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};

// First-directory tags that describe the picture rather than its storage, which the
// saver has already written its own way.
bool IsDescribingTag(ExifTag tag)
{
    switch (tag) {
    case EXIF_TAG_MAKE:
    case EXIF_TAG_MODEL:
    case EXIF_TAG_DATE_TIME:
    case EXIF_TAG_ARTIST:
    case EXIF_TAG_COPYRIGHT:
    case EXIF_TAG_IMAGE_DESCRIPTION:
    case EXIF_TAG_SOFTWARE:
        return true;
    default:
        return false;
    }
}

// The entry's values as numbers; a rational is its quotient.
std::vector<double> Numbers(const ExifEntry& entry, ExifByteOrder order)
{
    std::vector<double> values;
    const std::size_t size = exif_format_get_size(entry.format);
    for (unsigned long i = 0; size > 0 && i < entry.components && (i + 1) * size <= entry.size; ++i) {
        const unsigned char* at = entry.data + i * size;
        switch (entry.format) {
        case EXIF_FORMAT_SHORT:
            values.push_back(exif_get_short(at, order));
            break;
        case EXIF_FORMAT_SSHORT:
            values.push_back(exif_get_sshort(at, order));
            break;
        case EXIF_FORMAT_LONG:
            values.push_back(exif_get_long(at, order));
            break;
        case EXIF_FORMAT_SLONG:
            values.push_back(exif_get_slong(at, order));
            break;
        case EXIF_FORMAT_RATIONAL: {
            const ExifRational r = exif_get_rational(at, order);
            values.push_back(r.denominator == 0 ? 0.0 : static_cast<double>(r.numerator) / r.denominator);
            break;
        }
        case EXIF_FORMAT_SRATIONAL: {
            const ExifSRational r = exif_get_srational(at, order);
            values.push_back(r.denominator == 0 ? 0.0 : static_cast<double>(r.numerator) / r.denominator);
            break;
        }
        default:  // bytes
            values.push_back(*at);
            break;
        }
    }
    return values;
}

bool IsFloating(TIFFDataType type)
{
    return type == TIFF_RATIONAL || type == TIFF_SRATIONAL || type == TIFF_FLOAT || type == TIFF_DOUBLE;
}

// The values laid out as libtiff keeps the field: elements of `size` bytes.
std::vector<std::uint8_t> Packed(const std::vector<double>& values, int size, bool floating)
{
    std::vector<std::uint8_t> bytes(values.size() * static_cast<std::size_t>(size));
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::uint8_t* at = bytes.data() + i * static_cast<std::size_t>(size);
        if (floating && size == 4) {
            const auto value = static_cast<float>(values[i]);
            std::memcpy(at, &value, 4);
        } else if (floating) {
            std::memcpy(at, &values[i], 8);
        } else if (size == 1) {
            *at = static_cast<std::uint8_t>(values[i]);
        } else if (size == 2) {
            const auto value = static_cast<std::uint16_t>(values[i]);
            std::memcpy(at, &value, 2);
        } else {
            const auto value = static_cast<std::uint32_t>(values[i]);
            std::memcpy(at, &value, 4);
        }
    }
    return bytes;
}

// Sets one tag of the current (custom) directory the way libtiff's field for it takes
// it; a tag libtiff does not know, or one in a form it does not take, is left out.
void SetField(TIFF* tiff, const ExifEntry& entry, ExifByteOrder order)
{
    const TIFFField* field = TIFFFindField(tiff, entry.tag, TIFF_ANY);
    if (field == nullptr || entry.data == nullptr || entry.size == 0)
        return;
    const std::uint32_t tag = entry.tag;
    if (entry.format == EXIF_FORMAT_ASCII) {
        const std::string text(reinterpret_cast<const char*>(entry.data),
                               strnlen(reinterpret_cast<const char*>(entry.data), entry.size));
        if (TIFFFieldDataType(field) == TIFF_ASCII)
            TIFFSetField(tiff, tag, text.c_str());
        return;
    }
    const bool floating = IsFloating(TIFFFieldDataType(field));
    const int size = TIFFFieldSetGetSize(field);
    const std::vector<double> values = Numbers(entry, order);
    if (values.empty() || size < 1 || size > 8)
        return;
    if (!TIFFFieldPassCount(field) && TIFFFieldReadCount(field) == 1) {
        if (floating)
            TIFFSetField(tiff, tag, values[0]);
        else if (size == 8)
            TIFFSetField(tiff, tag, static_cast<std::uint64_t>(values[0]));
        else
            TIFFSetField(tiff, tag, static_cast<std::uint32_t>(values[0]));
        return;
    }
    std::vector<std::uint8_t> packed = Packed(values, size, floating);
    if (!TIFFFieldPassCount(field)) {
        // A fixed count: libtiff reads exactly that many.
        if (static_cast<int>(values.size()) >= TIFFFieldReadCount(field))
            TIFFSetField(tiff, tag, packed.data());
    } else if (TIFFFieldSetGetCountSize(field) == 4) {
        TIFFSetField(tiff, tag, static_cast<std::uint32_t>(values.size()), packed.data());
    } else {
        TIFFSetField(tiff, tag, static_cast<int>(values.size()), packed.data());
    }
}

// Writes one directory of the block as a custom directory; its offset, or 0 when the
// block has none of its tags.
bool WriteDirectory(TIFF* tiff, const ExifData& data, ExifIfd ifd, int (*create)(TIFF*), std::uint64_t& offset)
{
    offset = 0;
    const ExifContent* content = data.ifd[ifd];
    if (content == nullptr || content->count == 0)
        return true;
    if (create(tiff) != 0)
        return false;
    const ExifByteOrder order = exif_data_get_byte_order(const_cast<ExifData*>(&data));
    for (unsigned int i = 0; i < content->count; ++i)
        SetField(tiff, *content->entries[i], order);
    return TIFFWriteCustomDirectory(tiff, &offset) != 0;
}

}  // namespace

bool AddExif(const std::filesystem::path& file, const std::string& exif)
{
    const std::unique_ptr<ExifData, TExifDataUnref> data(exif_data_new());
    if (!data)
        return false;
    exif_data_unset_option(data.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_load_data(data.get(), reinterpret_cast<const unsigned char*>(exif.data()),
                        static_cast<unsigned int>(exif.size()));
    // Opened afresh for reading and writing; libtiff closes the descriptor it is given.
    const int descriptor = ::open(file.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (descriptor < 0)
        return false;
    const std::unique_ptr<TIFF, TTiffClose> tiff(TIFFFdOpen(descriptor, file.c_str(), "r+"));
    if (!tiff) {
        ::close(descriptor);
        return false;
    }
    std::uint64_t exifOffset = 0;
    std::uint64_t gpsOffset = 0;
    if (!WriteDirectory(tiff.get(), *data, EXIF_IFD_EXIF, TIFFCreateEXIFDirectory, exifOffset) ||
        !WriteDirectory(tiff.get(), *data, EXIF_IFD_GPS, TIFFCreateGPSDirectory, gpsOffset))
        return false;
    if (!TIFFSetDirectory(tiff.get(), 0))
        return false;
    const ExifContent* first = data->ifd[EXIF_IFD_0];
    const ExifByteOrder order = exif_data_get_byte_order(data.get());
    for (unsigned int i = 0; first != nullptr && i < first->count; ++i)
        if (IsDescribingTag(first->entries[i]->tag))
            SetField(tiff.get(), *first->entries[i], order);
    if (exifOffset != 0)
        TIFFSetField(tiff.get(), TIFFTAG_EXIFIFD, exifOffset);
    if (gpsOffset != 0)
        TIFFSetField(tiff.get(), TIFFTAG_GPSIFD, gpsOffset);
    return TIFFRewriteDirectory(tiff.get()) != 0;
}

}  // namespace quillane::tiffexif
