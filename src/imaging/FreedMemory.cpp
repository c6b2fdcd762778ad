#include "imaging/FreedMemory.h"

#include <malloc.h>

#include <atomic>
#include <mutex>

#include "imaging/Pixels.h"

namespace quillane {

namespace {
std::once_flag told;
std::atomic<bool> keeping{false};
}  // namespace

void KeepFreedMemoryOnceLarge(std::int64_t pixels)
{
    if (pixels <= pixels::kSmallPicturePixels)
        return;
    std::call_once(told, [] { keeping = mallopt(M_TRIM_THRESHOLD, static_cast<int>(kKeptFreeBytes)) == 1; });
}

bool KeepsFreedMemory()
{
    return keeping;
}

}  // namespace quillane
