#include "TempFolder.h"

#include <cstdlib>
#include <string>
#include <system_error>
#include <vector>
#include <algorithm>

namespace quillane::test {

TTempFolder::TTempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "quillane-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
}

TTempFolder::~TTempFolder()
{
    std::error_code error;
    // Read-only entries left by a test must not keep the folder alive.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, error))
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(path_, error);
}

std::vector<std::string> TTempFolder::Entries() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_))
        names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace quillane::test
