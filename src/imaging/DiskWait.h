#pragma once

#include <cstdint>
#include <functional>

namespace quillane {

// A thread may wait for the disk once a file is written (the flush before the commit).
// While a TDiskWaitHook lives on a thread, its function is called just before such a
// wait, so that a run can give the thread's share of the cores to another worker
// meanwhile; but only while every picture the thread opened since the hook was set is
// small. A routine keeps its source until it returns, so a thread that opened a large
// one still holds it; a small picture's flush is also a large share of its time.
// One per thread at a time; nested hooks restore the outer one.
class TDiskWaitHook {
public:
    explicit TDiskWaitHook(std::function<void()> beforeWait);
    ~TDiskWaitHook();
    TDiskWaitHook(const TDiskWaitHook&) = delete;
    TDiskWaitHook& operator=(const TDiskWaitHook&) = delete;

private:
    std::function<void()> beforeWait_;
    TDiskWaitHook* previous_;
    std::int64_t largestPicture_ = 0;  // in pixels
    friend void NotePictureOpened(std::int64_t pixels);
    friend void BeforeDiskWait();
};

// Tells the calling thread's hook, if any, that the thread is about to wait for the disk.
void BeforeDiskWait();

// Every picture decoded is noted here, with its size.
void NotePictureOpened(std::int64_t pixels);

}  // namespace quillane
