#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "jobs/PathKey.h"
#include "jobs/StepExecutor.h"

namespace quillane {

// One routine worker per core.
std::size_t DefaultRoutineWorkers();

// Runs the image routines of a run on several threads, while the run means exactly
// what a one-at-a-time run means. Everything but the routine call stays on the thread
// that submits (the coordinator): names, prompts, folders, progress and the result
// lines, which are logged in submission order however the routines finish.
//  - A step does not start while an earlier one still writes its source or its target,
//    or still reads its target; Settle() and SettleFolder() let the coordinator look at
//    a path or list a folder only once the earlier writes into it are done.
//  - At most Capacity() steps are submitted and not yet logged, and only the running
//    ones hold a picture: a run holds one picture per worker, never a folder's worth.
//  - At most Cores() steps compute at a time. A step that has written its file and
//    waits for the disk gives its core to the next step meanwhile.
//  - A stop request ends the run after the steps whose routines have started (and the
//    earliest step without its result, which a one-at-a-time run would be working on):
//    the steps after them are dropped unrun and unlogged, as a one-at-a-time run would
//    never have reached them.
class TParallelExecutor final : public TStepExecutor {
public:
    TParallelExecutor(TJobHost& host, TJobPage page, std::optional<std::size_t> filesTotal, std::size_t workers);
    ~TParallelExecutor() override;
    TParallelExecutor(const TParallelExecutor&) = delete;
    TParallelExecutor& operator=(const TParallelExecutor&) = delete;

    void Submit(TFileStep step) override;
    void Settle(const std::filesystem::path& target) override;
    void SettleFolder(const std::filesystem::path& folder) override;
    void SettleAll() override;
    void Finish() override;
    TRunOutcome Outcome() const override { return outcome_; }

    std::size_t Capacity() const { return capacity_; }
    // How many steps compute at a time.
    std::size_t Cores() const { return cores_; }
    // The threads that could be started (two per core); fewer when threads ran short.
    std::size_t Workers() const { return workers_.size(); }

private:
    enum class TSlotState { Queued, Running, Done };
    struct TSlot {
        TFileStep Step;
        TPathKey Source;
        TPathKey Target;
        TPathKey TargetFolder;
        TSlotState State = TSlotState::Queued;
        TStepResult Result;
        bool Dropped = false;
    };
    using TLock = std::unique_lock<std::mutex>;

    template <typename TReady>
    void WaitLogging(TLock& lock, TReady ready);
    void LogFinishedHead(TLock& lock);
    void ReportProgressAt(const std::filesystem::path& file);
    bool AnyUnfinished(TLock& lock, const std::function<bool(const TSlot&)>& touches) const;
    void Enqueue(TLock& lock, std::unique_ptr<TSlot> slot);
    void DropUnstarted(TLock& lock);
    void WorkerLoop(bool spare);
    void GiveUpCore();
    void StopWorkers();

    TJobHost& host_;
    TJobPage page_;
    std::optional<std::size_t> filesTotal_;
    std::size_t capacity_;
    int previousLibraryThreads_;
    std::size_t cores_;
    TRunOutcome outcome_;

    mutable std::mutex mutex_;
    std::condition_variable workReady_;   // for the workers
    std::condition_variable spareReady_;  // for the spare threads
    std::condition_variable stepDone_;
    std::deque<std::unique_ptr<TSlot>> pending_;  // submitted, not yet logged; in order
    std::deque<TSlot*> queue_;                    // submitted, not yet started; in order
    std::size_t busyCores_ = 0;                   // steps running that have not given their core up
    std::size_t coresGivenUp_ = 0;                // steps running that have, waiting for the disk
    bool closing_ = false;
    bool dropping_ = false;  // a stop came: nothing more starts or is logged
    std::vector<std::thread> workers_;
};

// The executor a run of `host` uses: one step at a time on the calling thread when the
// host asks for a single worker, the parallel executor otherwise.
std::unique_ptr<TStepExecutor> MakeStepExecutor(TJobHost& host, TJobPage page, std::optional<std::size_t> filesTotal);

}  // namespace quillane
