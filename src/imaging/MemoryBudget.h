#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

// What a picture's work may still take from the process. The library aborts the
// process when an allocation fails (and the GIF encoder crashes), so a routine that
// would hold a whole picture asks before decoding it, and several routine workers
// share what there is instead of each taking it for itself.
namespace quillane {

// Bytes the process can still allocate: the address-space limit less what is mapped
// now, and no more than the machine has available. The largest value when neither
// is known.
std::uint64_t ProcessHeadroom();

class TMemoryBudget {
public:
    using THeadroomProbe = std::function<std::uint64_t()>;
    explicit TMemoryBudget(THeadroomProbe headroom);
    TMemoryBudget(const TMemoryBudget&) = delete;
    TMemoryBudget& operator=(const TMemoryBudget&) = delete;

    // Reserves `bytes`: at once when they fit beside what the others hold; after a
    // wait when they would fit once the others let go; false at once when they could
    // not fit even alone.
    bool Acquire(std::uint64_t bytes);
    void Release(std::uint64_t bytes);
    std::uint64_t Reserved() const;

private:
    THeadroomProbe headroom_;
    mutable std::mutex mutex_;
    std::condition_variable released_;
    std::uint64_t reserved_ = 0;
};

// The one budget of the process, measured by ProcessHeadroom().
TMemoryBudget& ProcessMemoryBudget();

// Holds a reservation for the length of a scope.
class TMemoryReservation {
public:
    TMemoryReservation(TMemoryBudget& budget, std::uint64_t bytes);
    ~TMemoryReservation();
    TMemoryReservation(const TMemoryReservation&) = delete;
    TMemoryReservation& operator=(const TMemoryReservation&) = delete;
    bool Granted() const { return granted_; }

private:
    TMemoryBudget& budget_;
    std::uint64_t bytes_;
    bool granted_;
};

}  // namespace quillane
