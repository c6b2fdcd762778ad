#include "imaging/RoutineThreads.h"

#include <vips/vips8>

#include <algorithm>

namespace quillane {

int LibraryThreadsPerPicture()
{
    return vips_concurrency_get();
}

void SetLibraryThreadsPerPicture(int threads)
{
    vips_concurrency_set(std::max(1, threads));
}

void ReleaseRoutineThread()
{
    // The library keeps nothing for a thread before it was started (the engine's own
    // tests run routine stand-ins without it), and shutting a thread down then crashes.
    if (vips_get_argv0() != nullptr)
        vips_thread_shutdown();
}

}  // namespace quillane
