#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "jobs/JobHost.h"

namespace quillane {

// Natural order ignoring case, as a file view sorted by name shows it: "img2"
// before "img10", "a.JPG" beside "a.jpg".
bool NaturalLess(std::string_view left, std::string_view right);

// The list filter: a folder is shown only while sub-folders are included and its
// name does not end in ".zip" or ".cab"; a file when its full path passes the type test.
bool ListShowsFolder(std::string_view name, bool includeSubFolders);
bool ListShowsFile(std::string_view fullPath, const std::vector<std::string>& checkedCaptions);

// The sort of the list: folders first, then files, each in natural order.
void SortSourceItems(std::vector<TSourceItem>& items);

// The items the file list shows for `folder`, in list order. Hidden (dot) entries are
// left out as a file view does; so is anything that is neither a folder nor a regular
// file (a FIFO named like a picture must never be opened).
std::vector<TSourceItem> ListSourceItems(const std::filesystem::path& folder, bool includeSubFolders,
                                         const std::vector<std::string>& checkedCaptions);

}  // namespace quillane
