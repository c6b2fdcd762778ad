#include "jobs/SourceList.h"

#include <algorithm>
#include <system_error>

#include "jobs/TypeFilter.h"

namespace quillane {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view TakeRun(std::string_view text, std::size_t& at)
{
    const std::size_t start = at;
    const bool digits = IsDigit(text[at]);
    while (at < text.size() && IsDigit(text[at]) == digits) {
        ++at;
    }
    return text.substr(start, at - start);
}

// Numbers compare by value: fewer significant digits is smaller.
int CompareNumbers(std::string_view left, std::string_view right)
{
    const auto significant = [](std::string_view digits) {
        const auto first = digits.find_first_not_of('0');
        return first == std::string_view::npos ? std::string_view() : digits.substr(first);
    };
    const std::string_view a = significant(left);
    const std::string_view b = significant(right);
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    return a.compare(b);
}

int CompareText(std::string_view left, std::string_view right)
{
    const std::size_t common = std::min(left.size(), right.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto a = static_cast<unsigned char>(AsciiLower(left[i]));
        const auto b = static_cast<unsigned char>(AsciiLower(right[i]));
        if (a != b) {
            return a < b ? -1 : 1;
        }
    }
    return left.size() == right.size() ? 0 : (left.size() < right.size() ? -1 : 1);
}

int CompareNatural(std::string_view left, std::string_view right)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < left.size() && j < right.size()) {
        const bool numbers = IsDigit(left[i]) && IsDigit(right[j]);
        const std::string_view a = TakeRun(left, i);
        const std::string_view b = TakeRun(right, j);
        const int order = numbers ? CompareNumbers(a, b) : CompareText(a, b);
        if (order != 0) {
            return order;
        }
    }
    return (i < left.size()) - (j < right.size());
}

std::string_view ExtensionOf(std::string_view name)
{
    const auto dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

// A regular file, or a link whose target is gone: the view shows both, and a job
// reports the link as a failure instead of leaving it out in silence.
bool ListedAsFile(const std::filesystem::directory_entry& entry, const std::filesystem::file_status& status)
{
    if (std::filesystem::is_regular_file(status)) {
        return true;
    }
    std::error_code error;
    return !std::filesystem::exists(status) && std::filesystem::is_symlink(entry.symlink_status(error));
}

}  // namespace

bool NaturalLess(std::string_view left, std::string_view right)
{
    const int order = CompareNatural(left, right);
    if (order != 0) {
        return order < 0;
    }
    return left < right;  // a stable tie-break between "a.JPG" and "a.jpg", "2" and "02"
}

bool ListShowsFolder(std::string_view name, bool includeSubFolders)
{
    const std::string_view extension = ExtensionOf(name);
    return includeSubFolders && CompareText(extension, ".zip") != 0 && CompareText(extension, ".cab") != 0;
}

bool ListShowsFile(std::string_view fullPath, const std::vector<std::string>& checkedCaptions)
{
    return MatchesCheckedType(fullPath, checkedCaptions);
}

void SortSourceItems(std::vector<TSourceItem>& items)
{
    std::stable_sort(items.begin(), items.end(), [](const TSourceItem& a, const TSourceItem& b) {
        if (a.IsFolder != b.IsFolder) {
            return a.IsFolder;
        }
        return NaturalLess(a.Path.filename().string(), b.Path.filename().string());
    });
}

std::vector<TSourceItem> ListSourceItems(const std::filesystem::path& folder, bool includeSubFolders,
                                         const std::vector<std::string>& checkedCaptions)
{
    std::vector<TSourceItem> items;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.starts_with('.')) {
            continue;
        }
        std::error_code statError;
        const auto status = it->status(statError);  // follows links, as a file view does
        if (std::filesystem::is_directory(status)) {
            if (ListShowsFolder(name, includeSubFolders)) {
                items.push_back({it->path(), true});
            }
        } else if (ListedAsFile(*it, status) && ListShowsFile(it->path().string(), checkedCaptions)) {
            items.push_back({it->path(), false});
        }
    }
    SortSourceItems(items);
    return items;
}

}  // namespace quillane
