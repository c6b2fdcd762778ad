#pragma once

#include <functional>

namespace quillane {

// A thread may wait for the disk once a file is written (the flush before the commit).
// While a TDiskWaitHook lives on a thread, its function is called just before such a
// wait, so that a run can give the thread's share of the cores to another worker
// meanwhile. One per thread at a time; nested hooks restore the outer one.
class TDiskWaitHook {
public:
    explicit TDiskWaitHook(std::function<void()> beforeWait);
    ~TDiskWaitHook();
    TDiskWaitHook(const TDiskWaitHook&) = delete;
    TDiskWaitHook& operator=(const TDiskWaitHook&) = delete;

private:
    std::function<void()> beforeWait_;
    TDiskWaitHook* previous_;
    friend void BeforeDiskWait();
};

// Tells the calling thread's hook, if any, that the thread is about to wait for the disk.
void BeforeDiskWait();

}  // namespace quillane
