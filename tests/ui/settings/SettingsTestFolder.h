#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace quillane::test {

// A fresh folder under the system temporary folder, removed with everything in it.
class TSettingsTestFolder {
public:
    TSettingsTestFolder()
    {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() / ("quillane-settings-" + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TSettingsTestFolder()
    {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TSettingsTestFolder(const TSettingsTestFolder&) = delete;
    TSettingsTestFolder& operator=(const TSettingsTestFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
    ASSERT_TRUE(out.good()) << file;
}

inline std::string ReadBytes(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace quillane::test
