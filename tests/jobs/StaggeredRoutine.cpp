#include "jobs/StaggeredRoutine.h"

#include <algorithm>
#include <thread>

#include "jobs/EngineTestFiles.h"

namespace quillane::test {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

TConvertRoutine TStaggeredRoutine::Routine()
{
    return [this](const TPath& source, const TPath& target, int, bool overwrite) {
        return Call(source, target, overwrite) ? TOutcome::Success() : TOutcome::Failure(TReason::rsTargetExists);
    };
}

void TStaggeredRoutine::Delay(const std::string& name, std::chrono::milliseconds duration)
{
    const std::lock_guard<std::mutex> guard(mutex_);
    delays_[name] = duration;
}

void TStaggeredRoutine::HoldUntilOthersFinish(const std::string& name, std::size_t others)
{
    const std::lock_guard<std::mutex> guard(mutex_);
    holds_[name] = others;
}

std::size_t TStaggeredRoutine::MaxConcurrent() const
{
    const std::lock_guard<std::mutex> guard(mutex_);
    return maxConcurrent_;
}

std::size_t TStaggeredRoutine::MaxUnlogged() const
{
    const std::lock_guard<std::mutex> guard(mutex_);
    return maxUnlogged_;
}

std::vector<std::string> TStaggeredRoutine::FinishOrder() const
{
    const std::lock_guard<std::mutex> guard(mutex_);
    return finishOrder_;
}

bool TStaggeredRoutine::Call(const fs::path& source, const fs::path& target, bool overwrite)
{
    const std::string name = source.filename().string();
    Begin(name);
    if (OnCall) {
        OnCall(source);
    }
    Wait(name);
    bool written = false;
    if (!fs::exists(target) || overwrite) {
        const std::string content = Slurp(source) + ">" + target.filename().string();
        Touch(target, content);
        written = true;
    }
    End(name);
    return written;
}

void TStaggeredRoutine::Begin(const std::string&)
{
    const std::lock_guard<std::mutex> guard(mutex_);
    ++started_;
    ++running_;
    maxConcurrent_ = std::max(maxConcurrent_, running_);
    maxUnlogged_ = std::max(maxUnlogged_, started_ - Logged.load());
}

void TStaggeredRoutine::Wait(const std::string& name)
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (const auto hold = holds_.find(name); hold != holds_.end()) {
        const std::size_t others = hold->second;
        finished_.wait_for(lock, 5s, [&] { return finishOrder_.size() >= others; });
        return;
    }
    const auto delay = delays_.find(name);
    const auto duration =
        delay != delays_.end() ? delay->second : std::chrono::milliseconds(std::hash<std::string>{}(name) % 4);
    lock.unlock();
    std::this_thread::sleep_for(duration);
}

void TStaggeredRoutine::End(const std::string& name)
{
    {
        const std::lock_guard<std::mutex> guard(mutex_);
        --running_;
        finishOrder_.push_back(name);
    }
    finished_.notify_all();
}

}  // namespace quillane::test
