// Loading and thumbnailing arbitrary bytes saved under a picture name: the routines
// answer true or false, never crash, and a true leaves a whole picture behind.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <vips/vips8>

#include "imaging/Graphics.h"
#include "imaging/GraphicsLibrary.h"
#include "imaging/Thumbnails.h"

namespace {

namespace fs = std::filesystem;

const fs::path& Scratch()
{
    static const fs::path folder = [] {
        const fs::path made = fs::temp_directory_path() / ("quillane-fuzz-thumb-" + std::to_string(::getpid()));
        fs::create_directories(made);
        return made;
    }();
    return folder;
}

// Names the broken property before stopping, so a finding explains itself.
void Check(bool condition, int line = __builtin_LINE())
{
    if (condition)
        return;
    std::fprintf(stderr, "property at %s:%d does not hold\n", __FILE__, line);
    std::abort();
}

// The written file must decode completely with the library's own loader.
void CheckWhole(const fs::path& file)
{
    vips::VImage image =
        vips::VImage::new_from_file(file.c_str(), vips::VImage::option()->set("fail_on", VIPS_FAIL_ON_ERROR));
    Check(image.width() > 0 && image.height() > 0);
    (void)image.avg();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return quillane::GraphicsStartup("quillane-fuzz") ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fs::path source = Scratch() / "input.jpg";
    const fs::path target = Scratch() / "thumb.png";
    {
        std::ofstream(source, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    fs::remove(target);
    if (quillane::ThumbPercentHQ(source, target, 25, 25, true))
        CheckWhole(target);
    fs::remove(target);
    if (quillane::ThumbPercentFast(source, target, 25, 25, true))
        CheckWhole(target);
    fs::remove(target);
    // At a tenth a JPEG is decoded at 1/8, progressive ones by the partial reader.
    if (quillane::ThumbPercentFast(source, target, 10, 10, true))
        CheckWhole(target);
    const quillane::TGPImage fromMemory =
        quillane::TGPImage::FromMemory(std::string(reinterpret_cast<const char*>(data), size));
    Check(fromMemory.IsEmpty() || (fromMemory.GetWidth() > 0 && fromMemory.GetHeight() > 0));
    return 0;
}
