#include "imaging/RoutineThreads.h"

#include <vips/vips8>

#include <algorithm>

namespace quillane {

int LibraryThreadsPerPicture() {
    return vips_concurrency_get();
}

void SetLibraryThreadsPerPicture(int threads) {
    vips_concurrency_set(std::max(1, threads));
}

void ReleaseRoutineThread() {
    vips_thread_shutdown();
}

}  // namespace quillane
