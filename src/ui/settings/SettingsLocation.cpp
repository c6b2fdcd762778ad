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
    if (fs::exists(beside, ec) || CanCreateFilesIn(programFolder))
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
