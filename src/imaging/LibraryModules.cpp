#include "imaging/LibraryModules.h"

#include <dlfcn.h>
#include <gmodule.h>
#include <libintl.h>

#include <cstdlib>
#include <filesystem>

#include <vips/vips.h>

namespace quillane {

namespace {

namespace fs = std::filesystem;

// The library takes its prefix from this variable and loads every module in the
// module folder below it. Under a file no such folder can exist.
constexpr const char* kPrefixVariable = "VIPSHOME";
constexpr const char* kPrefixWithoutModules = "/dev/null";

// "vips" and "vips-modules-" carry the library's major and minor version.
std::string Versioned(const std::string& stem)
{
    return stem + std::to_string(vips_version(0)) + "." + std::to_string(vips_version(1));
}

// The modules are installed beside the library itself.
fs::path ModuleFolder()
{
    Dl_info library{};
    if (dladdr(reinterpret_cast<void*>(&vips_init), &library) == 0 || library.dli_fname == nullptr)
        return {};
    return fs::path(library.dli_fname).parent_path() / Versioned("vips-modules-");
}

}  // namespace

const std::vector<std::string>& NeededLibraryModules()
{
    static const std::vector<std::string> modules{"heif", "jxl", "magick"};
    return modules;
}

bool StartLibraryWithModules(const char* argv0, const std::vector<std::string>& modules)
{
    // The prefix the library would take, found before the variable hides it.
    const std::string prefix = vips_guess_prefix(argv0, kPrefixVariable);
    setenv(kPrefixVariable, kPrefixWithoutModules, 1);
    const bool started = VIPS_INIT(argv0) == 0;
    // As the library would have left it: its prefix for our children, its messages
    // translated from its own locale folder.
    setenv(kPrefixVariable, prefix.c_str(), 1);
    if (!started)
        return false;
    bindtextdomain(Versioned("vips").c_str(), (fs::path(prefix) / "share" / "locale").c_str());

    const fs::path folder = ModuleFolder();
    for (const std::string& module : modules) {
        // A missing module leaves its formats unknown, as it would for the library. A
        // loaded one stays loaded: the types it registers cannot be taken back.
        g_module_open((folder / ("vips-" + module + ".so")).c_str(), G_MODULE_BIND_LAZY);
    }
    return true;
}

}  // namespace quillane
