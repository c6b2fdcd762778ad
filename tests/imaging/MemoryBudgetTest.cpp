#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <future>

#include "imaging/GifWriter.h"
#include "imaging/MemoryBudget.h"

namespace quillane {
namespace {

constexpr std::uint64_t MiB = std::uint64_t{1} << 20;

// A budget whose headroom the test sets; what others hold is taken as already mapped.
class TFakeMemory {
public:
    explicit TFakeMemory(std::uint64_t free) : free_(free) {}
    TMemoryBudget Budget()
    {
        return TMemoryBudget([this] { return free_.load(); });
    }
    void Set(std::uint64_t free) { free_ = free; }

private:
    std::atomic<std::uint64_t> free_;
};

TEST(MemoryBudget, GrantsWhatFitsBesideTheOthersAndRefusesWhatCannotFitAlone)
{
    const struct {
        std::uint64_t headroom, heldByOthers, wanted;
        bool granted;
    } cases[] = {
        {100 * MiB, 0, 100 * MiB, true},          // exactly what there is
        {100 * MiB, 0, 101 * MiB, false},         // nobody to wait for
        {100 * MiB, 40 * MiB, 60 * MiB, true},    // fits beside the other
        {100 * MiB, 40 * MiB, 141 * MiB, false},  // more than all there is, even once the other is done
        {0, 0, 1, false},
        {0, 0, 0, true},                    // nothing asked, nothing to wait for
        {UINT64_MAX, 0, UINT64_MAX, true},  // no wrap-around when nothing is known
    };
    for (const auto& c : cases) {
        TFakeMemory memory(c.headroom);
        TMemoryBudget budget = memory.Budget();
        if (c.heldByOthers > 0) {
            ASSERT_TRUE(budget.Acquire(c.heldByOthers));
        }
        EXPECT_EQ(budget.Acquire(c.wanted), c.granted)
            << c.headroom / MiB << " MiB free, " << c.heldByOthers / MiB << " held, " << c.wanted / MiB << " wanted";
        EXPECT_EQ(budget.Reserved(), c.heldByOthers + (c.granted ? c.wanted : 0));
    }
}

TEST(MemoryBudget, WaitsForTheOthersWhenItWouldFitAlone)
{
    TFakeMemory memory(100 * MiB);
    TMemoryBudget budget = memory.Budget();
    ASSERT_TRUE(budget.Acquire(70 * MiB));
    std::future<bool> second = std::async(std::launch::async, [&] { return budget.Acquire(80 * MiB); });
    EXPECT_EQ(second.wait_for(std::chrono::milliseconds(150)), std::future_status::timeout);
    budget.Release(70 * MiB);
    ASSERT_EQ(second.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_TRUE(second.get());
    EXPECT_EQ(budget.Reserved(), 80 * MiB);
}

// The other let go, but the memory did not come back (held outside the budget): the
// waiting reservation fails rather than waiting for ever.
TEST(MemoryBudget, AWaitFailsWhenTheMemoryIsStillMissingOnceTheOthersAreDone)
{
    TFakeMemory memory(100 * MiB);
    TMemoryBudget budget = memory.Budget();
    ASSERT_TRUE(budget.Acquire(70 * MiB));
    std::future<bool> second = std::async(std::launch::async, [&] { return budget.Acquire(80 * MiB); });
    memory.Set(30 * MiB);
    budget.Release(70 * MiB);
    ASSERT_EQ(second.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_FALSE(second.get());
    EXPECT_EQ(budget.Reserved(), 0u);
}

TEST(MemoryBudget, AReservationIsGivenBackWhenItsScopeEnds)
{
    TFakeMemory memory(100 * MiB);
    TMemoryBudget budget = memory.Budget();
    {
        const TMemoryReservation held(budget, 60 * MiB);
        EXPECT_TRUE(held.Granted());
        const TMemoryReservation refused(budget, 200 * MiB);
        EXPECT_FALSE(refused.Granted());
        EXPECT_EQ(budget.Reserved(), 60 * MiB);
    }
    EXPECT_EQ(budget.Reserved(), 0u);
}

std::uint64_t MappedNow()
{
    std::ifstream statm("/proc/self/statm");
    std::uint64_t pages = 0;
    statm >> pages;
    return pages * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
}

// In a child, so that the limit binds nothing else: the headroom is what the limit
// leaves beside what is mapped, and shrinks by what is mapped next.
TEST(MemoryBudget, TheProcessHeadroomIsWhatTheAddressSpaceLimitLeaves)
{
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{MappedNow() + 512 * MiB, RLIM_INFINITY};
        if (::setrlimit(RLIMIT_AS, &limit) != 0)
            ::_exit(2);
        const std::uint64_t before = ProcessHeadroom();
        void* block = ::mmap(nullptr, 256 * MiB, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (block == MAP_FAILED)
            ::_exit(3);
        const std::uint64_t after = ProcessHeadroom();
        const bool beforeRight = before > 480 * MiB && before <= 512 * MiB;
        const bool afterRight = before - after >= 256 * MiB && before - after < 288 * MiB;
        ::_exit(beforeRight && afterRight ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: wrong headroom, 2 or 3: the child could not set up";
}

TEST(MemoryBudget, AGifNeedsAtLeastItsPixelsAndGrowsWithThem)
{
    for (int bands : {1, 3, 4}) {
        const std::uint64_t photo = GifEncodeBytes(6000, 4000, bands);
        EXPECT_GE(photo, std::uint64_t{6000} * 4000 * (bands + 1)) << bands;
        EXPECT_GT(GifEncodeBytes(8000, 6000, bands), photo) << bands;
        EXPECT_LT(GifEncodeBytes(1, 1, bands), 128 * MiB) << bands;
    }
}

}  // namespace
}  // namespace quillane
