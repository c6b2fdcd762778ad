// Times the fast and the high-quality percentage thumbnails over a folder of photos.
//
//   percent_bench FOLDER [PERCENT] [ROUNDS]
//
// Every picture file directly in FOLDER is scaled to PERCENT % (default 25) by each
// form, ROUNDS times (default 1); the thumbnails go to a temporary folder that is
// removed afterwards. Prints pictures per second and the total wall time per form.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "imaging/Files.h"
#include "imaging/GraphicsLibrary.h"
#include "imaging/Thumbnails.h"

namespace fs = std::filesystem;
using quillane::TPath;

namespace {

using TRoutine = quillane::TOutcome (*)(const TPath&, const TPath&, std::int32_t, std::int32_t, bool);

std::vector<TPath> PicturesIn(const TPath& folder)
{
    std::vector<TPath> pictures;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file() && !quillane::MimeForExtension(entry.path()).empty())
            pictures.push_back(entry.path());
    }
    std::sort(pictures.begin(), pictures.end());
    return pictures;
}

void Time(const char* name, TRoutine routine, const std::vector<TPath>& pictures, const TPath& out, int percent,
          int rounds)
{
    int written = 0;
    int failed = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < rounds; ++round) {
        for (const TPath& picture : pictures) {
            const TPath target = out / picture.filename();
            if (routine(picture, target, percent, percent, true))
                ++written;
            else
                ++failed;
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const int total = written + failed;
    std::printf("%-5s %5d pictures  %5d failed  %8.3f s wall  %8.2f pictures/s\n", name, total, failed, seconds,
                seconds > 0 ? total / seconds : 0.0);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER [PERCENT] [ROUNDS]\n", argv[0]);
        return 2;
    }
    const TPath folder = argv[1];
    const int percent = argc > 2 ? std::atoi(argv[2]) : 25;
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 1;
    quillane::TGraphicsSession session(argv[0]);
    if (!session.Started()) {
        std::fprintf(stderr, "the image library did not start\n");
        return 1;
    }
    const std::vector<TPath> pictures = PicturesIn(folder);
    if (pictures.empty()) {
        std::fprintf(stderr, "no pictures in %s\n", folder.c_str());
        return 1;
    }
    const TPath out = TPath(quillane::TempFolderPath()) / ("quillane-percent-bench-" + std::to_string(::getpid()));
    fs::create_directories(out);
    std::printf("%zu pictures from %s at %d %%, %d round(s)\n", pictures.size(), folder.c_str(), percent, rounds);
    Time("fast", quillane::ThumbPercentFast, pictures, out, percent, rounds);
    Time("hq", quillane::ThumbPercentHQ, pictures, out, percent, rounds);
    fs::remove_all(out);
    return 0;
}
