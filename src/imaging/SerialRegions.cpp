#include "imaging/SerialRegions.h"

#include <dlfcn.h>
#include <omp.h>

// libgomp gives even a parallel region of one thread a team of its own, and ends it
// with a call into the kernel to wake the team. The GIF quantiser opens over a thousand
// regions for every palette, whatever the picture's size: on a thumbnail they cost
// three times the palette itself. Defined here, this entry point takes the place of
// libgomp's for every caller in the process. A region that would get one thread, opened
// outside any other, runs directly in the calling thread, the way libgomp runs
// work-sharing code outside any region; every other region goes to libgomp.
namespace {

using TParallel = void (*)(void (*)(void*), void*, unsigned, unsigned);

TParallel OriginalParallel()
{
    static const auto original = reinterpret_cast<TParallel>(::dlvsym(RTLD_NEXT, "GOMP_parallel", "GOMP_4.0"));
    return original;
}

bool OneThreadOutsideAnyRegion(unsigned threadsAsked)
{
    // No count asked means as many as this thread's setting allows.
    const bool oneThread = threadsAsked == 1 || (threadsAsked == 0 && omp_get_max_threads() == 1);
    return oneThread && omp_get_level() == 0;
}

}  // namespace

extern "C" void GOMP_parallel(void (*body)(void*), void* data, unsigned threadsAsked, unsigned flags)
{
    const TParallel original = OriginalParallel();
    if (original == nullptr || OneThreadOutsideAnyRegion(threadsAsked)) {
        body(data);
        return;
    }
    original(body, data, threadsAsked, flags);
}

namespace quillane {

void KeepParallelRegionsOnThisThread()
{
    omp_set_num_threads(1);
}

bool SerialRegionsRunDirectly()
{
    return ::dlsym(RTLD_DEFAULT, "GOMP_parallel") == reinterpret_cast<void*>(&GOMP_parallel) &&
           OriginalParallel() != nullptr;
}

}  // namespace quillane
