#pragma once

#include <filesystem>
#include <string>

namespace quillane {

inline constexpr const char* kSettingsFileName = "Quillane.ini";
inline constexpr const char* kDesktopEntryName = "org.quillane.Quillane.desktop";

// Where Quillane.ini lives: beside the program when its folder already holds the file
// or lets us create it; otherwise in the user's configuration folder,
// $XDG_CONFIG_HOME/Quillane (an empty or relative value counts as unset, as the base
// directory rules say), else ~/.config/Quillane. An installed program (its prefix holds
// the desktop entry) never keeps the file beside itself, even when run as root.
std::filesystem::path LocateSettingsFile(const std::filesystem::path& programFolder, const std::string& xdgConfigHome,
                                         const std::string& home);

// The same for the running program, from /proc/self/exe and the environment.
std::filesystem::path LocateSettingsFile();

}  // namespace quillane
