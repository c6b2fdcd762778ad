#pragma once

#include <streambuf>

namespace quillane {

// Standard input for the answers to questions, which a stop can cut short. A read
// waits on the input and on a wake-up pipe at once; after Wake() the input reads as
// ended, so a pending question is answered as when nobody is left to ask.
class TInterruptibleInput final : public std::streambuf {
public:
    explicit TInterruptibleInput(int fd);
    ~TInterruptibleInput() override;
    TInterruptibleInput(const TInterruptibleInput&) = delete;
    TInterruptibleInput& operator=(const TInterruptibleInput&) = delete;

    // Safe in a signal handler.
    void Wake() noexcept;

protected:
    int_type underflow() override;

private:
    enum class TWaitResult { wrInput, wrWoken, wrFailed };
    TWaitResult WaitForInput();

    int fd_;
    int wake_[2] = {-1, -1};
    bool woken_ = false;
    char buffer_[4096];
};

}  // namespace quillane
