#pragma once

#include "jobs/JobHost.h"

namespace quillane {

// Puts the cursor and the type list back on every way out of a run.
class TRunGuard {
public:
    explicit TRunGuard(TJobHost& host, bool lockTypeList = false) : form_(host.Form()), lockTypeList_(lockTypeList)
    {
        if (form_ == nullptr) {
            return;
        }
        form_->SetBusyCursor(true);
        if (lockTypeList_) {
            form_->SetTypeListEnabled(false);
        }
    }
    ~TRunGuard()
    {
        if (form_ == nullptr) {
            return;
        }
        form_->SetBusyCursor(false);
        if (lockTypeList_) {
            form_->SetTypeListEnabled(true);
        }
    }
    TRunGuard(const TRunGuard&) = delete;
    TRunGuard& operator=(const TRunGuard&) = delete;

private:
    TFormHost* form_;
    bool lockTypeList_;
};

}  // namespace quillane
