#include "imaging/PicturePixels.h"

#include <algorithm>
#include <cstddef>

#include "imaging/LibraryGuard.h"
#include "imaging/PictureLoading.h"
#include "imaging/Pixels.h"

namespace quillane {

namespace {

constexpr std::size_t kBytesPerPixel = 4;

// The routines' own loading: the same recognition, checks and size limit.
bool Read(const loading::TLoaded& loaded, TRgbaPixels& pixels)
{
    if (loaded.image.get_image() == nullptr)
        return false;
    const vips::VImage rgba = pixels::ToRgba8(loaded.image);
    const std::size_t rowBytes = static_cast<std::size_t>(rgba.width()) * kBytesPerPixel;
    pixels.width = rgba.width();
    pixels.height = rgba.height();
    pixels.bytes.resize(rowBytes * static_cast<std::size_t>(rgba.height()));
    // Row by row, so a decoding error surfaces here rather than as grey pixels.
    pixels::ForEachRow(rgba, [&](int y, const VipsPel* row) {
        std::copy_n(row, rowBytes, pixels.bytes.data() + rowBytes * static_cast<std::size_t>(y));
    });
    return true;
}

}  // namespace

std::optional<TRgbaPixels> ReadRgbaPixels(const TPath& file)
{
    TRgbaPixels pixels;
    if (!Guarded([&] { return Read(loading::LoadPictureFile(file), pixels); }))
        return std::nullopt;
    return pixels;
}

std::optional<TRgbaPixels> DecodeRgbaPixels(const std::string& bytes)
{
    TRgbaPixels pixels;
    if (!Guarded([&] { return Read(loading::LoadPictureBytes(bytes), pixels); }))
        return std::nullopt;
    return pixels;
}

}  // namespace quillane
