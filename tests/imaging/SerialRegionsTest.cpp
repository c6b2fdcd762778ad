// A parallel region of one thread runs directly in the thread that opens it; a region
// of more threads still gets them.
#include <gtest/gtest.h>
#include <omp.h>

#include <mutex>
#include <set>
#include <thread>

#include "imaging/SerialRegions.h"

// What compiled OpenMP code calls to open a region.
extern "C" void GOMP_parallel(void (*body)(void*), void* data, unsigned threadsAsked, unsigned flags);

namespace quillane {
namespace {

struct TRegionSeen {
    std::mutex Lock;
    std::set<std::thread::id> Threads;
    int Level = -1;
};

void Record(void* data)
{
    auto& seen = *static_cast<TRegionSeen*>(data);
    const std::lock_guard<std::mutex> guard(seen.Lock);
    seen.Threads.insert(std::this_thread::get_id());
    seen.Level = omp_get_level();
}

TEST(SerialRegions, OneThreadRunsWithoutATeamAndMoreThreadsGetTheirTeam)
{
    ASSERT_TRUE(SerialRegionsRunDirectly());
    const std::set<std::thread::id> thisThread{std::this_thread::get_id()};

    TRegionSeen one;
    GOMP_parallel(Record, &one, 1, 0);
    EXPECT_EQ(one.Threads, thisThread);
    EXPECT_EQ(one.Level, 0);  // no region was opened around it

    TRegionSeen two;
    GOMP_parallel(Record, &two, 2, 0);
    EXPECT_EQ(two.Threads.size(), 2u);
    EXPECT_EQ(two.Level, 1);

    // No count asked: as many as the thread allows, here one.
    TRegionSeen kept;
    std::thread worker([&] {
        KeepParallelRegionsOnThisThread();
        GOMP_parallel(Record, &kept, 0, 0);
    });
    worker.join();
    EXPECT_EQ(kept.Threads.size(), 1u);
    EXPECT_EQ(kept.Level, 0);
}

}  // namespace
}  // namespace quillane
