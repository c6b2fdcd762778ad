#include "imaging/OutputMetadata.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <libexif/exif-data.h>
#include <webp/mux.h>

#include "imaging/Pixels.h"

namespace quillane::metadata {

using vips::VImage;

namespace {

// Each EXIF tag also stands as a field of its own ("exif-ifd3-GPSLatitude"), from
// which the savers rebuild the block: the GPS directory is libexif's number 3.
constexpr const char* kLocationFieldPrefix = "exif-ifd3-";

struct TExifDataUnref {
    void operator()(ExifData* data) const { exif_data_unref(data); }
};

bool IsMetadataField(const std::string& name)
{
    return name == VIPS_META_EXIF_NAME || name == VIPS_META_ICC_NAME || name == VIPS_META_XMP_NAME ||
           name == VIPS_META_IPTC_NAME || name.rfind("exif-ifd", 0) == 0;
}

VImage WithoutFields(const VImage& image, bool (*drop)(const std::string&))
{
    VImage result = image.copy();
    for (const std::string& name : pixels::FieldNames(result))
        if (drop(name))
            vips_image_remove(result.get_image(), name.c_str());
    return result;
}

VImage WithoutLocationTags(const VImage& image)
{
    VImage result =
        WithoutFields(image, [](const std::string& name) { return name.rfind(kLocationFieldPrefix, 0) == 0; });
    if (result.get_typeof(VIPS_META_EXIF_NAME) == 0)
        return result;
    std::size_t size = 0;
    const void* block = result.get_blob(VIPS_META_EXIF_NAME, &size);
    const std::string exif = WithoutLocation(std::string(static_cast<const char*>(block), size));
    vips_image_set_blob_copy(result.get_image(), VIPS_META_EXIF_NAME, exif.data(), exif.size());
    return result;
}

}  // namespace

std::string WithoutLocation(const std::string& exif)
{
    const std::unique_ptr<ExifData, TExifDataUnref> data(exif_data_new());
    if (!data)
        return exif;
    // Read and written as it is: no tag added or "corrected" on the way.
    exif_data_unset_option(data.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_load_data(data.get(), reinterpret_cast<const unsigned char*>(exif.data()),
                        static_cast<unsigned int>(exif.size()));
    ExifContent* location = data->ifd[EXIF_IFD_GPS];
    if (location == nullptr || location->count == 0)
        return exif;
    while (location->count > 0)
        exif_content_remove_entry(location, location->entries[0]);
    unsigned char* saved = nullptr;
    unsigned int savedSize = 0;
    exif_data_save_data(data.get(), &saved, &savedSize);
    if (saved == nullptr)
        return exif;
    // An empty GPS directory is not written, nor the pointer to it.
    std::string result(reinterpret_cast<const char*>(saved), savedSize);
    std::free(saved);
    return result;
}

std::string WebpWithoutExif(std::string_view webp)
{
    const WebPData input{reinterpret_cast<const std::uint8_t*>(webp.data()), webp.size()};
    const std::unique_ptr<WebPMux, void (*)(WebPMux*)> mux(WebPMuxCreate(&input, 0), WebPMuxDelete);
    if (!mux)
        return {};
    const WebPMuxError removed = WebPMuxDeleteChunk(mux.get(), "EXIF");
    if (removed != WEBP_MUX_OK && removed != WEBP_MUX_NOT_FOUND)
        return {};
    WebPData output;
    WebPDataInit(&output);
    if (WebPMuxAssemble(mux.get(), &output) != WEBP_MUX_OK)
        return {};
    std::string result(reinterpret_cast<const char*>(output.bytes), output.size);
    WebPDataClear(&output);
    return result;
}

VImage ForOutput(const VImage& image, TMetadataMode mode)
{
    switch (mode) {
    case TMetadataMode::mdStrip:
        return WithoutFields(image, IsMetadataField);
    case TMetadataMode::mdStripGps:
        return WithoutLocationTags(image);
    case TMetadataMode::mdKeep:
        break;
    }
    return image;
}

}  // namespace quillane::metadata
