#include "imaging/MemoryBudget.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <limits>
#include <optional>
#include <string>
#include <utility>

namespace quillane {

namespace {

constexpr std::uint64_t kUnknown = std::numeric_limits<std::uint64_t>::max();

// Memory freed outside the budget (a routine that reserves nothing) also makes room,
// so a waiting reservation looks again now and then.
constexpr std::chrono::milliseconds kLookAgain{100};

std::optional<std::uint64_t> MappedBytes()
{
    std::ifstream statm("/proc/self/statm");
    std::uint64_t pages = 0;
    if (!(statm >> pages))
        return std::nullopt;
    return pages * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
}

std::uint64_t AddressSpaceHeadroom()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return kUnknown;
    const std::optional<std::uint64_t> mapped = MappedBytes();
    if (!mapped)
        return kUnknown;
    return limit.rlim_cur > *mapped ? limit.rlim_cur - *mapped : 0;
}

std::uint64_t MachineAvailable()
{
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    std::uint64_t kilobytes = 0;
    while (meminfo >> key >> kilobytes) {
        if (key == "MemAvailable:")
            return kilobytes * 1024;
        meminfo.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
    return kUnknown;
}

}  // namespace

std::uint64_t ProcessHeadroom()
{
    return std::min(AddressSpaceHeadroom(), MachineAvailable());
}

TMemoryBudget::TMemoryBudget(THeadroomProbe headroom) : headroom_(std::move(headroom)) {}

// What the others reserved may already be mapped, and so counted in the headroom, or
// still to come: fitting beside them counts it twice, fitting alone not at all.
bool TMemoryBudget::Acquire(std::uint64_t bytes)
{
    if (bytes == 0)
        return true;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        const std::uint64_t headroom = headroom_();
        if (bytes <= headroom && reserved_ <= headroom - bytes) {
            reserved_ += bytes;
            return true;
        }
        if (reserved_ == 0 || bytes - std::min(bytes, headroom) > reserved_)
            return false;
        released_.wait_for(lock, kLookAgain);
    }
}

void TMemoryBudget::Release(std::uint64_t bytes)
{
    {
        const std::lock_guard<std::mutex> guard(mutex_);
        reserved_ -= std::min(bytes, reserved_);
    }
    released_.notify_all();
}

std::uint64_t TMemoryBudget::Reserved() const
{
    const std::lock_guard<std::mutex> guard(mutex_);
    return reserved_;
}

TMemoryBudget& ProcessMemoryBudget()
{
    static TMemoryBudget budget(ProcessHeadroom);
    return budget;
}

TMemoryReservation::TMemoryReservation(TMemoryBudget& budget, std::uint64_t bytes)
    : budget_(budget), bytes_(bytes), granted_(budget.Acquire(bytes))
{
}

TMemoryReservation::~TMemoryReservation()
{
    if (granted_)
        budget_.Release(bytes_);
}

}  // namespace quillane
