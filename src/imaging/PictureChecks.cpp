#include "imaging/PictureChecks.h"

#include "imaging/Descriptor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <optional>

#include <zlib.h>

namespace quillane {

namespace {

constexpr std::string_view kPngSignature{"\x89PNG\r\n\x1a\n", 8};

std::uint32_t BigEndian32(std::string_view bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

std::uint32_t Crc32(std::string_view bytes)
{
    return static_cast<std::uint32_t>(
        ::crc32_z(::crc32_z(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(bytes.data()), bytes.size()));
}

bool IsStandaloneMarker(std::uint8_t marker)
{
    return marker == 0x01 || marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7);
}

// The marker segments are walked up to the first scan: the offset of its
// entropy-coded data, or no offset with `verdict` set where the headers decide
// alone. Bytes that do not walk like a JPEG are left to the decoder (true), so is an
// end marker before any scan; headers cut short are not (false).
std::optional<std::size_t> FirstScanData(std::string_view bytes, bool& verdict)
{
    verdict = true;
    std::size_t at = 2;
    while (at + 4 <= bytes.size()) {
        if (static_cast<std::uint8_t>(bytes[at]) != 0xFF)
            return std::nullopt;
        const auto marker = static_cast<std::uint8_t>(bytes[at + 1]);
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (IsStandaloneMarker(marker)) {
            at += 2;
            continue;
        }
        if (marker == 0xD9)
            return std::nullopt;
        const std::size_t length =
            static_cast<std::uint8_t>(bytes[at + 2]) << 8 | static_cast<std::uint8_t>(bytes[at + 3]);
        if (marker == 0xDA)
            return at + 2 + length;
        at += 2 + length;
    }
    verdict = false;
    return std::nullopt;
}

// The entropy-coded data can hold no end marker (FF D9) but the real one, so its
// absence after the first scan means the file was cut short. It is looked for from
// the end, where it nearly always is.
bool EndsAfter(std::string_view bytes, std::size_t scanData, std::size_t offset = 0)
{
    const std::size_t end = bytes.rfind("\xFF\xD9");
    return end != std::string_view::npos && offset + end >= scanData;
}

bool JpegLooksComplete(std::string_view bytes)
{
    bool verdict = false;
    const std::optional<std::size_t> scanData = FirstScanData(bytes, verdict);
    return scanData ? EndsAfter(bytes, *scanData) : verdict;
}

// Every chunk must fit in the file, critical chunks (upper-case first letter) must
// match their checksum, and the end chunk must come.
bool PngLooksComplete(std::string_view bytes)
{
    std::size_t at = kPngSignature.size();
    while (at + 12 <= bytes.size()) {
        const std::uint32_t length = BigEndian32(bytes, at);
        if (length > bytes.size() - at - 12)
            return false;
        const std::string_view typeAndData = bytes.substr(at + 4, 4 + length);
        const bool critical = (typeAndData[0] & 0x20) == 0;
        if (critical && Crc32(typeAndData) != BigEndian32(bytes, at + 8 + length))
            return false;
        if (typeAndData.substr(0, 4) == "IEND")
            return true;
        at += 12 + length;
    }
    return false;
}

bool IsJpeg(std::string_view bytes)
{
    return bytes.size() >= 3 && bytes.substr(0, 3) == "\xFF\xD8\xFF";
}

bool IsPng(std::string_view bytes)
{
    return bytes.substr(0, kPngSignature.size()) == kPngSignature;
}

// Reads `count` bytes at `offset`; false when the file gives fewer.
bool ReadAt(int fd, std::size_t offset, std::size_t count, std::string& bytes)
{
    bytes.resize(count);
    std::size_t filled = 0;
    while (filled < count) {
        const ssize_t got = ::pread(fd, bytes.data() + filled, count - filled, static_cast<off_t>(offset + filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        filled += static_cast<std::size_t>(got);
    }
    return true;
}

// A large JPEG is judged by its head and its tail, without reading the scan data in
// between; whatever they leave open is judged on the whole file.
constexpr std::size_t kJpegWindow = 64 * 1024;

std::optional<bool> JpegVerdictFromEnds(int fd, std::size_t size, const std::string& head)
{
    bool verdict = false;
    const std::optional<std::size_t> scanData = FirstScanData(head, verdict);
    if (!scanData)
        return verdict ? std::optional(true) : std::nullopt;  // cut, or only the window?
    std::string tail;
    const std::size_t tailOffset = size - kJpegWindow;
    if (!ReadAt(fd, tailOffset, kJpegWindow, tail))
        return false;
    if (EndsAfter(tail, *scanData, tailOffset))
        return true;
    return std::nullopt;
}

}  // namespace

bool LooksComplete(std::string_view bytes)
{
    if (IsJpeg(bytes))
        return JpegLooksComplete(bytes);
    if (IsPng(bytes))
        return PngLooksComplete(bytes);
    return true;
}

bool FileLooksComplete(const TPath& file)
{
    // Opened without blocking, so a FIFO or a device is refused, never waited on.
    const TDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    struct stat status {};
    if (fd.Get() < 0 || ::fstat(fd.Get(), &status) != 0 || !S_ISREG(status.st_mode))
        return false;
    const auto size = static_cast<std::size_t>(status.st_size);
    std::string bytes;
    // Only JPEG and PNG are judged on their bytes: the other formats need no more than
    // their first bytes read to say so.
    if (!ReadAt(fd.Get(), 0, std::min(size, kJpegWindow), bytes))
        return false;
    if (!IsJpeg(bytes) && !IsPng(bytes))
        return true;
    if (size > 2 * kJpegWindow && IsJpeg(bytes)) {
        if (const std::optional<bool> verdict = JpegVerdictFromEnds(fd.Get(), size, bytes))
            return *verdict;
    }
    return ReadAt(fd.Get(), 0, size, bytes) && LooksComplete(bytes);
}

TReason SourceFileReason(const TPath& file)
{
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0)
        return errno == ENOENT || errno == ENOTDIR ? TReason::rsSourceMissing : TReason::rsSourceUnreadable;
    if (!S_ISREG(status.st_mode))
        return TReason::rsNotRegularFile;
    const TDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    return fd.Get() < 0 ? TReason::rsSourceUnreadable : TReason::rsNone;
}

void RestrictDecoders()
{
    vips_operation_block_set("VipsForeignLoad", TRUE);
    for (const char* allowed : {"VipsForeignLoadJpeg", "VipsForeignLoadPng", "VipsForeignLoadNsgif",
                                "VipsForeignLoadTiff", "VipsForeignLoadMagick",  // BMP
                                "VipsForeignLoadWebp", "VipsForeignLoadHeif", "VipsForeignLoadJxl"})
        vips_operation_block_set(allowed, FALSE);
}

}  // namespace quillane
