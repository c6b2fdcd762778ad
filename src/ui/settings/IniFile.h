#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quillane {

// A settings file read and written through the profile rules: every read looks at
// the file as it is now, and every write goes to the file at once. Reads never fail
// (a missing file, section or key gives the default); a write that cannot reach the
// file returns false and leaves "Unable to write to <file>" in Error().
class TIniFile {
public:
    explicit TIniFile(std::filesystem::path file);

    const std::filesystem::path& FileName() const { return file_; }

    std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
    int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
    // Any integer other than 0 is true; a value that is no integer gives the fallback.
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    bool WriteInteger(std::string_view section, std::string_view key, int value);
    bool WriteBool(std::string_view section, std::string_view key, bool value);

    const std::string& Error() const { return error_; }

private:
    std::filesystem::path file_;
    std::string error_;
};

}  // namespace quillane
