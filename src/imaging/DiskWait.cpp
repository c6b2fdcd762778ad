#include "imaging/DiskWait.h"

#include <algorithm>
#include <utility>

#include "imaging/Pixels.h"

namespace quillane {

namespace {

thread_local TDiskWaitHook* hookOfThread = nullptr;

}  // namespace

TDiskWaitHook::TDiskWaitHook(std::function<void()> beforeWait)
    : beforeWait_(std::move(beforeWait)), previous_(hookOfThread)
{
    hookOfThread = this;
}

TDiskWaitHook::~TDiskWaitHook()
{
    hookOfThread = previous_;
}

void BeforeDiskWait()
{
    if (hookOfThread != nullptr && hookOfThread->beforeWait_ &&
        hookOfThread->largestPicture_ <= pixels::kSmallPicturePixels)
        hookOfThread->beforeWait_();
}

void NotePictureOpened(std::int64_t pixels)
{
    if (hookOfThread != nullptr)
        hookOfThread->largestPicture_ = std::max(hookOfThread->largestPicture_, pixels);
}

}  // namespace quillane
