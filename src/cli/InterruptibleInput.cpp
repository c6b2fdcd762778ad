#include "cli/InterruptibleInput.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace quillane {

TInterruptibleInput::TInterruptibleInput(int fd) : fd_(fd)
{
    if (::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) {
        wake_[0] = wake_[1] = -1;
    }
}

TInterruptibleInput::~TInterruptibleInput()
{
    for (const int end : wake_) {
        if (end >= 0) {
            ::close(end);
        }
    }
}

void TInterruptibleInput::Wake() noexcept
{
    const char byte = 1;
    if (wake_[1] >= 0) {
        [[maybe_unused]] const ssize_t written = ::write(wake_[1], &byte, 1);
    }
}

TInterruptibleInput::TWaitResult TInterruptibleInput::WaitForInput()
{
    pollfd watched[2] = {{fd_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
    const nfds_t count = wake_[0] >= 0 ? 2 : 1;
    while (::poll(watched, count, -1) < 0) {
        if (errno != EINTR) {
            return TWaitResult::wrFailed;
        }
    }
    if (count == 2 && watched[1].revents != 0) {
        return TWaitResult::wrWoken;
    }
    return TWaitResult::wrInput;
}

// A terminal hands over at most one line per read, so nothing beyond the answer is
// taken; a pipe (a list of files) is read in blocks.
TInterruptibleInput::int_type TInterruptibleInput::underflow()
{
    while (!woken_) {
        const TWaitResult waited = WaitForInput();
        if (waited == TWaitResult::wrWoken) {
            woken_ = true;
            break;
        }
        if (waited == TWaitResult::wrFailed) {
            break;
        }
        const ssize_t got = ::read(fd_, buffer_, sizeof buffer_);
        if (got > 0) {
            setg(buffer_, buffer_, buffer_ + got);
            return traits_type::to_int_type(buffer_[0]);
        }
        if (got == 0 || (errno != EINTR && errno != EAGAIN)) {
            break;
        }
    }
    return traits_type::eof();
}

}  // namespace quillane
