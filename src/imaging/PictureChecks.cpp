#include "imaging/PictureChecks.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include <zlib.h>

namespace quillane {

namespace {

constexpr std::string_view kPngSignature{"\x89PNG\r\n\x1a\n", 8};

std::uint32_t BigEndian32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

std::uint32_t Crc32(std::string_view bytes) {
    return static_cast<std::uint32_t>(
        ::crc32_z(::crc32_z(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(bytes.data()), bytes.size()));
}

bool IsStandaloneMarker(std::uint8_t marker) {
    return marker == 0x01 || marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7);
}

// The marker segments are walked up to the first scan; the entropy-coded data after
// it can hold no end marker (FF D9) but the real one, so its absence means the file
// was cut short. Bytes that do not walk like a JPEG are left to the decoder.
bool JpegLooksComplete(std::string_view bytes) {
    std::size_t at = 2;
    while (at + 4 <= bytes.size()) {
        if (static_cast<std::uint8_t>(bytes[at]) != 0xFF) return true;
        const auto marker = static_cast<std::uint8_t>(bytes[at + 1]);
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (IsStandaloneMarker(marker)) {
            at += 2;
            continue;
        }
        if (marker == 0xD9) return true;
        const std::size_t length = static_cast<std::uint8_t>(bytes[at + 2]) << 8 | static_cast<std::uint8_t>(bytes[at + 3]);
        // Searched from the end, where the marker nearly always is.
        if (marker == 0xDA) {
            const std::size_t end = bytes.rfind("\xFF\xD9");
            return end != std::string_view::npos && end >= at + 2 + length;
        }
        at += 2 + length;
    }
    return false;  // cut inside the headers
}

// Every chunk must fit in the file, critical chunks (upper-case first letter) must
// match their checksum, and the end chunk must come.
bool PngLooksComplete(std::string_view bytes) {
    std::size_t at = kPngSignature.size();
    while (at + 12 <= bytes.size()) {
        const std::uint32_t length = BigEndian32(bytes, at);
        if (length > bytes.size() - at - 12) return false;
        const std::string_view typeAndData = bytes.substr(at + 4, 4 + length);
        const bool critical = (typeAndData[0] & 0x20) == 0;
        if (critical && Crc32(typeAndData) != BigEndian32(bytes, at + 8 + length)) return false;
        if (typeAndData.substr(0, 4) == "IEND") return true;
        at += 12 + length;
    }
    return false;
}

bool IsJpeg(std::string_view bytes) {
    return bytes.size() >= 3 && bytes.substr(0, 3) == "\xFF\xD8\xFF";
}

// Reads a regular file without ever blocking on a FIFO or a device.
bool ReadRegularFile(const TPath& file, std::string& bytes) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return false;
    struct stat status {};
    const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    bool ok = regular;
    // Read straight into a buffer of the file's size; it grows should the file.
    bytes.resize(regular ? static_cast<std::size_t>(status.st_size) + 1 : 0);
    std::size_t filled = 0;
    while (ok) {
        if (filled == bytes.size()) bytes.resize(bytes.size() * 2 + 4096);
        const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    ::close(fd);
    return ok;
}

}  // namespace

bool LooksComplete(std::string_view bytes) {
    if (IsJpeg(bytes)) return JpegLooksComplete(bytes);
    if (bytes.substr(0, kPngSignature.size()) == kPngSignature) return PngLooksComplete(bytes);
    return true;
}

bool FileLooksComplete(const TPath& file) {
    std::string bytes;
    return ReadRegularFile(file, bytes) && LooksComplete(bytes);
}

void RestrictDecoders() {
    vips_operation_block_set("VipsForeignLoad", TRUE);
    for (const char* allowed :
         {"VipsForeignLoadJpeg", "VipsForeignLoadPng", "VipsForeignLoadNsgif", "VipsForeignLoadTiff",
          "VipsForeignLoadMagick"})  // BMP
        vips_operation_block_set(allowed, FALSE);
}

}  // namespace quillane
