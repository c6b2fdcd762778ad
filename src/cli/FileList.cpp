#include "cli/FileList.h"

#include <istream>
#include <system_error>

#include "cli/TerminalHost.h"
#include "jobs/SourceList.h"

namespace quillane {

namespace fs = std::filesystem;

std::vector<std::string> ReadFileList(std::istream& in, bool nullSeparated)
{
    std::vector<std::string> names;
    for (std::string name; std::getline(in, name, nullSeparated ? '\0' : '\n');) {
        if (!name.empty()) {
            names.push_back(name);
        }
    }
    return names;
}

TSourceList ListedSources(const std::vector<std::string>& names, const fs::path& root, bool subFolders,
                          const std::vector<std::string>& checkedTypes)
{
    TSourceList sources{{}, FullFolderPath(root), subFolders, checkedTypes};
    for (const std::string& name : names) {
        const fs::path full = FullFolderPath(name);
        std::error_code error;
        if (fs::is_directory(full, error)) {
            if (ListShowsFolder(full.filename().string(), subFolders)) {
                sources.Items.push_back({full, true});
            }
        } else if (ListShowsFile(full.string(), checkedTypes)) {
            sources.Items.push_back({full, false});
        }
    }
    return sources;
}

std::optional<std::string> RelativeFolder(const fs::path& file, const fs::path& base)
{
    const fs::path folder = FullFolderPath(file.parent_path());
    const fs::path root = FullFolderPath(base);
    const fs::path relative = folder.lexically_relative(root);
    if (relative.empty() || *relative.begin() == "..") {
        return std::nullopt;
    }
    return relative == "." ? std::string() : relative.string() + "/";
}

}  // namespace quillane
