#include "jobs/ParallelExecutor.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "imaging/DiskWait.h"
#include "imaging/RoutineThreads.h"

namespace quillane {

namespace {

// Steps waiting for their line cost no more than their paths: only a running routine
// holds a picture. The window is wide enough that small pictures keep the other
// workers busy while one works on a large one.
constexpr std::size_t kStepsPerWorker = 8;

// A worker waiting for the disk gives its core to a spare thread, which starts the next
// step meanwhile; one spare per worker is enough for every worker to wait at once.
constexpr std::size_t kThreadsPerWorker = 2;

std::size_t MachineCores()
{
    return std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace

std::size_t DefaultRoutineWorkers()
{
    return MachineCores();
}

TParallelExecutor::TParallelExecutor(TJobHost& host, TJobPage page, std::optional<std::size_t> filesTotal,
                                     std::size_t workers)
    : host_(host),
      page_(page),
      filesTotal_(filesTotal),
      capacity_(kStepsPerWorker * std::max<std::size_t>(1, workers)),
      previousLibraryThreads_(LibraryThreadsPerPicture()),
      cores_(std::max<std::size_t>(1, workers))
{
    // Our workers and the library's own threads share the cores instead of fighting
    // over them.
    SetLibraryThreadsPerPicture(static_cast<int>(std::max<std::size_t>(1, MachineCores() / cores_)));
    workers_.reserve(kThreadsPerWorker * cores_);
    for (std::size_t i = 0; i < kThreadsPerWorker * cores_; ++i) {
        // Short of threads, the run goes on with the workers it got.
        try {
            workers_.emplace_back([this, spare = i >= cores_] { WorkerLoop(spare); });
        } catch (const std::system_error&) {
            break;
        }
    }
}

TParallelExecutor::~TParallelExecutor()
{
    {
        const std::lock_guard<std::mutex> guard(mutex_);
        queue_.clear();  // a run cut short starts nothing more
    }
    StopWorkers();
    SetLibraryThreadsPerPicture(previousLibraryThreads_);
}

void TParallelExecutor::Submit(TFileStep step)
{
    auto slot = std::make_unique<TSlot>();
    slot->Source = KeyOf(step.Source);
    slot->Target = KeyOf(step.Target);
    slot->TargetFolder = FolderKeyOf(slot->Target);
    slot->Step = std::move(step);
    const TSlot& added = *slot;
    TLock lock(mutex_);
    WaitLogging(lock, [&] {
        return pending_.size() < capacity_ && !AnyUnfinished(lock, [&](const TSlot& earlier) {
                   return SameFileKey(earlier.Target, added.Target) || SameFileKey(earlier.Target, added.Source) ||
                          SameFileKey(earlier.Source, added.Target);
               });
    });
    const bool first = pending_.empty();
    Enqueue(lock, std::move(slot));
    lock.unlock();
    if (first) {
        ReportProgressAt(added.Step.Source);
    }
}

void TParallelExecutor::Settle(const std::filesystem::path& target)
{
    const TPathKey key = KeyOf(target);
    TLock lock(mutex_);
    WaitLogging(lock, [&] {
        return !AnyUnfinished(lock, [&](const TSlot& earlier) { return SameFileKey(earlier.Target, key); });
    });
}

void TParallelExecutor::SettleFolder(const std::filesystem::path& folder)
{
    const TPathKey key = KeyOf(folder);
    TLock lock(mutex_);
    WaitLogging(lock, [&] {
        return !AnyUnfinished(lock, [&](const TSlot& earlier) { return SameFileKey(earlier.TargetFolder, key); });
    });
}

void TParallelExecutor::SettleAll()
{
    TLock lock(mutex_);
    WaitLogging(lock, [&] { return pending_.empty(); });
}

void TParallelExecutor::Finish()
{
    SettleAll();
    StopWorkers();
    const std::size_t done = outcome_.Succeeded + outcome_.Failed;
    host_.ReportProgress(TProgress{done, done, {}});
}

// Logs whatever has finished at the head of the line while waiting for `ready`.
template <typename TReady>
void TParallelExecutor::WaitLogging(TLock& lock, TReady ready)
{
    for (;;) {
        LogFinishedHead(lock);
        if (ready()) {
            return;
        }
        stepDone_.wait(lock);
    }
}

// The host is called without the lock held, so workers can finish meanwhile; the loop
// goes on until the head is a step still to finish. Progress names the oldest file
// without a line, as a one-at-a-time run names the file it is working on.
void TParallelExecutor::LogFinishedHead(TLock& lock)
{
    while (!pending_.empty() && pending_.front()->State == TSlotState::Done) {
        const std::unique_ptr<TSlot> slot = std::move(pending_.front());
        pending_.pop_front();
        if (slot->Dropped) {
            continue;
        }
        const std::optional<std::filesystem::path> next =
            pending_.empty() ? std::nullopt : std::optional(pending_.front()->Step.Source);
        lock.unlock();
        CountLogged(outcome_, slot->Step, static_cast<bool>(slot->Result.Outcome));
        LogResult(host_, page_, slot->Step, slot->Result);
        if (next) {
            ReportProgressAt(*next);
        }
        lock.lock();
    }
}

void TParallelExecutor::ReportProgressAt(const std::filesystem::path& file)
{
    host_.ReportProgress(TProgress{outcome_.Succeeded + outcome_.Failed, filesTotal_, file});
}

bool TParallelExecutor::AnyUnfinished(TLock& lock, const std::function<bool(const TSlot&)>& touches) const
{
    (void)lock;  // held by the caller
    return std::any_of(pending_.begin(), pending_.end(), [&](const std::unique_ptr<TSlot>& slot) {
        return slot->State != TSlotState::Done && touches(*slot);
    });
}

// A step without a routine call (its failure or success known already) is done at
// once and only waits for its turn to be logged. Once a stop has cut the run, nothing
// submitted later counts.
void TParallelExecutor::Enqueue(TLock& lock, std::unique_ptr<TSlot> slot)
{
    TSlot* added = slot.get();
    pending_.push_back(std::move(slot));
    if (dropping_) {
        added->State = TSlotState::Done;
        added->Dropped = true;
        return;
    }
    if (!added->Step.Call) {
        added->State = TSlotState::Done;
        added->Result = RunTimedStepCall(added->Step);
        return;
    }
    queue_.push_back(added);
    if (host_.StopRequested()) {
        DropUnstarted(lock);
    }
    workReady_.notify_one();
    if (coresGivenUp_ > 0) {
        spareReady_.notify_one();
    }
}

// Cuts the run at a stop. The earliest step without its result is the one a run of
// one file at a time would have been working on: it finishes, started or not. The
// steps after it that have not started, and every step after the first of those, are
// done without a line. Steps start in the order they were submitted, so no dropped
// step comes before one that runs.
void TParallelExecutor::DropUnstarted(TLock& lock)
{
    (void)lock;  // held by the caller
    dropping_ = true;
    auto cut = std::find_if(pending_.begin(), pending_.end(),
                            [](const std::unique_ptr<TSlot>& slot) { return slot->State != TSlotState::Done; });
    if (cut != pending_.end() && (*cut)->State == TSlotState::Queued) {
        ++cut;  // the step in progress, for a run of one file at a time
    }
    cut = std::find_if(cut, pending_.end(),
                       [](const std::unique_ptr<TSlot>& slot) { return slot->State == TSlotState::Queued; });
    for (auto it = cut; it != pending_.end(); ++it) {
        (*it)->State = TSlotState::Done;
        (*it)->Dropped = true;
    }
    std::erase_if(queue_, [](const TSlot* slot) { return slot->Dropped; });
    stepDone_.notify_all();
}

// A thread runs a step while it holds one of the run's cores. It gives the core up
// when its step only waits for the disk (the flush of a written file), so that another
// thread starts the next step meanwhile; at most Cores() steps compute at a time. The
// spare threads run steps only on a core given up so: each thread keeps buffers of its
// own, and a run that never gives one up keeps no more of them than before.
void TParallelExecutor::WorkerLoop(bool spare)
{
    for (;;) {
        TSlot* slot = nullptr;
        {
            TLock lock(mutex_);
            const auto mayStart = [&] {
                return !queue_.empty() && busyCores_ < cores_ && (!spare || coresGivenUp_ > 0);
            };
            (spare ? spareReady_ : workReady_).wait(lock, [&] { return (closing_ && queue_.empty()) || mayStart(); });
            if (!queue_.empty() && !dropping_ && host_.StopRequested()) {
                DropUnstarted(lock);
            }
            if (closing_ && queue_.empty()) {
                break;
            }
            if (!mayStart()) {
                continue;
            }
            slot = queue_.front();
            queue_.pop_front();
            slot->State = TSlotState::Running;
            ++busyCores_;
        }
        bool holdsCore = true;
        const TDiskWaitHook giveUpCore([&] {
            if (std::exchange(holdsCore, false)) {
                GiveUpCore();
            }
        });
        TStepResult result = RunTimedStepCall(slot->Step);
        {
            const std::lock_guard<std::mutex> guard(mutex_);
            slot->Result = std::move(result);
            slot->State = TSlotState::Done;
            --(holdsCore ? busyCores_ : coresGivenUp_);
        }
        stepDone_.notify_all();
        if (spare && holdsCore) {
            workReady_.notify_one();  // the core it leaves goes back to a worker
        }
    }
    ReleaseRoutineThread();
}

void TParallelExecutor::GiveUpCore()
{
    {
        const std::lock_guard<std::mutex> guard(mutex_);
        --busyCores_;
        ++coresGivenUp_;
    }
    workReady_.notify_one();  // an idle worker, or else a spare thread, takes the next step
    spareReady_.notify_one();
}

void TParallelExecutor::StopWorkers()
{
    {
        const std::lock_guard<std::mutex> guard(mutex_);
        closing_ = true;
    }
    workReady_.notify_all();
    spareReady_.notify_all();
    for (std::thread& worker : workers_) {
        worker.join();
    }
    workers_.clear();
}

std::unique_ptr<TStepExecutor> MakeStepExecutor(TJobHost& host, TJobPage page, std::optional<std::size_t> filesTotal)
{
    const std::size_t workers = host.RoutineWorkers();
    if (workers <= 1) {
        return std::make_unique<TInlineExecutor>(host, page, filesTotal);
    }
    auto parallel = std::make_unique<TParallelExecutor>(host, page, filesTotal, workers);
    if (parallel->Workers() == 0) {
        return std::make_unique<TInlineExecutor>(host, page, filesTotal);  // not one thread could start
    }
    return parallel;
}

}  // namespace quillane
