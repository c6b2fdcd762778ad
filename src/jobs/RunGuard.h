#pragma once

#include "jobs/JobHost.h"

namespace quillane {

// Puts the cursor and the type list back on every way out of a run.
class TRunGuard {
public:
    explicit TRunGuard(TJobHost& host, bool lockTypeList = false) : host_(host), lockTypeList_(lockTypeList)
    {
        host_.SetBusyCursor(true);
        if (lockTypeList_) {
            host_.SetTypeListEnabled(false);
        }
    }
    ~TRunGuard()
    {
        host_.SetBusyCursor(false);
        if (lockTypeList_) {
            host_.SetTypeListEnabled(true);
        }
    }
    TRunGuard(const TRunGuard&) = delete;
    TRunGuard& operator=(const TRunGuard&) = delete;

private:
    TJobHost& host_;
    bool lockTypeList_;
};

}  // namespace quillane
