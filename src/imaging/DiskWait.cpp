#include "imaging/DiskWait.h"

#include <utility>

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
    if (hookOfThread != nullptr && hookOfThread->beforeWait_)
        hookOfThread->beforeWait_();
}

}  // namespace quillane
