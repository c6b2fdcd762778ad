#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quillane::test {

// A fresh folder under the system temporary folder, removed with everything in it
// when the object goes.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    // Names of the entries directly inside, sorted (hidden ones included).
    std::vector<std::string> Entries() const;

private:
    std::filesystem::path path_;
};

}  // namespace quillane::test
