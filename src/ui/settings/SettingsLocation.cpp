#include "ui/settings/SettingsLocation.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace quillane {
namespace fs = std::filesystem;
namespace {

bool CanCreateFilesIn(const fs::path& folder)
{
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

// A program whose prefix holds the desktop entry was installed there (by the package or
// `cmake --install`, under any prefix or DESTDIR); so is one in the build's own install
// folder for programs.
bool IsInstalledProgramFolder(const fs::path& folder)
{
    std::error_code ec;
    if (fs::exists(folder / ".." / "share" / "applications" / kDesktopEntryName, ec))
        return true;
#ifdef QUILLANE_INSTALL_BINDIR
    return fs::equivalent(folder, QUILLANE_INSTALL_BINDIR, ec);
#else
    return false;
#endif
}

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

fs::path LocateSettingsFile(const fs::path& programFolder, const std::string& xdgConfigHome, const std::string& home)
{
    const fs::path beside = programFolder / kSettingsFileName;
    std::error_code ec;
    const bool installed = IsInstalledProgramFolder(programFolder);
    if (!installed && (fs::exists(beside, ec) || CanCreateFilesIn(programFolder)))
        return beside;
    if (!xdgConfigHome.empty() && fs::path(xdgConfigHome).is_absolute())
        return fs::path(xdgConfigHome) / "Quillane" / kSettingsFileName;
    if (!home.empty())
        return fs::path(home) / ".config" / "Quillane" / kSettingsFileName;
    return beside;
}

fs::path LocateSettingsFile()
{
    std::error_code ec;
    const fs::path program = fs::read_symlink("/proc/self/exe", ec);
    const fs::path folder = ec ? fs::current_path(ec) : program.parent_path();
    return LocateSettingsFile(folder, Environment("XDG_CONFIG_HOME"), Environment("HOME"));
}

}  // namespace quillane
