#include "cli/JobNames.h"

#include <algorithm>
#include <cstddef>

namespace quillane {

namespace {

// Insertions, deletions, substitutions and swaps of neighbours, so "pecrent" is one
// slip away from "percent".
std::size_t EditDistance(const std::string& a, const std::string& b)
{
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) {
        d[i][0] = i;
    }
    for (std::size_t j = 0; j <= b.size(); ++j) {
        d[0][j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

std::string Lowered(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

}  // namespace

const std::vector<TJobEntry>& JobEntries()
{
    static const std::vector<TJobEntry> jobs{
        {"percent", "thumbnails by a percentage of the width and the height",
         "quillane-batch percent --width 50 --height 50 --out thumbs photos",
         "writes half-size copies of the pictures in photos to thumbs, as NAME_s.EXT"},
        {"pixel", "thumbnails of an exact width and height (stretched, fitted with a fill colour, or cut)",
         "quillane-batch pixel --width 160 --height 120 --mode fill --fill FFFFFF --out thumbs photos",
         "fits every picture into 160 x 120 on a white background, written to thumbs as JPEG"},
        {"side", "thumbnails of a given width or height, keeping the proportions",
         "quillane-batch side --width 800 --skip-smaller --out web photos",
         "writes 800 pixel wide copies to web; narrower pictures are copied unchanged"},
        {"rename", "renames the pictures in place: a prefix and a running number or three random characters",
         "quillane-batch rename --name-prefix trip_ photos",
         "renames the pictures in photos to trip_ followed by a running number, keeping their extensions"},
        {"convert", "converts the pictures to another format", "quillane-batch convert --to png --out converted photos",
         "writes a PNG copy of every picture in photos to converted"},
        {"crop", "cuts the same rectangle out of every picture",
         "quillane-batch crop --left 10 --top 10 --width 200 --height 100 --out cut photos",
         "writes the 200 x 100 rectangle at (10, 10) of every picture to cut, as NAME_c.EXT"},
        {"watermark", "stamps a text or a picture onto every picture",
         "quillane-batch watermark --text 'Draft' --x 10 --y 10 --opacity 50 --out marked photos",
         "stamps 'Draft' half-transparent 10 pixels from the bottom-right corner, written to marked as NAME_w.EXT"},
    };
    return jobs;
}

std::string JobExampleText(const TJobEntry& job)
{
    return "Example:\n  " + job.Example + "\n    " + job.Result + "\n";
}

std::string UnknownJobMessage(const std::string& word)
{
    std::vector<std::string> commands;
    for (const TJobEntry& job : JobEntries()) {
        commands.push_back(job.Name);
    }
    commands.push_back(kUndoCommand);
    const auto distance = [&](const std::string& command) { return EditDistance(Lowered(word), command); };
    const auto nearest =
        std::min_element(commands.begin(), commands.end(),
                         [&](const std::string& a, const std::string& b) { return distance(a) < distance(b); });
    // More than about a third of the letters wrong is another word, not a slip.
    if (distance(*nearest) <= std::max<std::size_t>(2, nearest->size() / 3)) {
        return "unknown job '" + word + "'; did you mean '" + *nearest + "'?";
    }
    std::string names;
    for (const TJobEntry& job : JobEntries()) {
        names += (names.empty() ? "" : ", ") + job.Name;
    }
    return "unknown job '" + word + "'; the jobs are " + names + " (and undo takes a run back)";
}

}  // namespace quillane
