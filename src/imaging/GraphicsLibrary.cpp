#include "imaging/GraphicsLibrary.h"

#include <malloc.h>

#include <vips/vips8>
// Needs the main header before it.
#include <vips/vector.h>

#include "imaging/LibraryModules.h"
#include "imaging/OrcCodeLock.h"
#include "imaging/PictureChecks.h"

namespace quillane {

std::string GraphicsLibraryVersion()
{
    return vips_version_string();
}

bool GraphicsStartup(const char* argv0)
{
    if (!StartLibraryWithModules(argv0 ? argv0 : "quillane", NeededLibraryModules())) {
        vips_error_clear();
        return false;
    }
    // A file rewritten during a run must never come back from a cache of its old content.
    vips_cache_set_max(0);
    vips_cache_set_max_mem(0);
    vips_cache_set_max_files(0);
    // The run-time compiled loops free their code without the code allocator's lock
    // (liborc 0.4.33): two routines building or dropping a resize at once corrupt the
    // heap, unless this process takes that lock itself. Otherwise the plain loops, safe
    // on every thread, take their place.
    if (!OrcCodeIsLocked())
        vips_vector_set_enabled(FALSE);
    RestrictDecoders();
    // Picture-sized buffers of the encoders go straight back to the system when freed,
    // instead of staying in the heap of the worker that used them: two workers' GIFs
    // would otherwise keep their peaks long after. Smaller ones stay in the heap, where
    // reusing them costs no page faults.
    mallopt(M_MMAP_THRESHOLD, 8 << 20);
    return true;
}

void GraphicsShutdown()
{
    vips_shutdown();
}

TGraphicsSession::TGraphicsSession(const char* argv0) : started_(GraphicsStartup(argv0)) {}

TGraphicsSession::~TGraphicsSession()
{
    if (started_)
        GraphicsShutdown();
}

}  // namespace quillane
