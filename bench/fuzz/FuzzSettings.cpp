// The settings-file reader on arbitrary bytes: the profile layer parses, reads and
// edits any text without failing, and a store loads every page field from it.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "ui/settings/IniDocument.h"
#include "ui/settings/SettingsStore.h"

namespace {

const std::filesystem::path& ScratchFile()
{
    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("quillane-fuzz-settings-" + std::to_string(::getpid()) + ".ini");
    return file;
}

// Names the broken property before stopping, so a finding explains itself.
void Check(bool condition, int line = __builtin_LINE())
{
    if (condition)
        return;
    std::fprintf(stderr, "property at %s:%d does not hold\n", __FILE__, line);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    // Untouched, a document gives back exactly the text it was read from when no CR
    // is involved (stray CRs at line ends are tidied away, one per save).
    quillane::TIniDocument document = quillane::TIniDocument::Parse(text);
    if (text.find('\r') == std::string::npos)
        Check(document.Serialize() == text);
    (void)document.RawValue("Percent", "PWidth");
    // A value set is the value read back, and a second parse keeps it.
    document.SetRawValue("Form", "width", "640");
    Check(document.RawValue("form", "WIDTH") == std::optional<std::string>("640"));
    Check(quillane::TIniDocument::Parse(document.Serialize()).RawValue("Form", "width") ==
          std::optional<std::string>("640"));

    {
        std::ofstream(ScratchFile(), std::ios::binary | std::ios::trunc) << text;
    }
    const quillane::TSettingsStore store(ScratchFile());
    quillane::TSettings fields;
    fields.window = store.LoadWindowSize(fields.window, {1920, 1080});
    store.LoadPages(fields);
    Check(fields.window.width <= 1920 && fields.window.height <= 1080);
    return 0;
}
