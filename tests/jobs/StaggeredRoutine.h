#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "jobs/ConvertJob.h"

namespace quillane::test {

// A stand-in conversion routine that several threads may call at once, whose calls
// last different times so that later files overtake earlier ones. Like the real one it
// refuses an existing target without the overwrite flag; otherwise it writes the
// source's bytes followed by ">" and the target's name, so a file made from an earlier
// result shows which version it read.
class TStaggeredRoutine {
public:
    TConvertRoutine Routine();

    // The call for the file named `name` lasts `duration` (the others a moment each).
    void Delay(const std::string& name, std::chrono::milliseconds duration);
    // The call for `name` waits until `others` other calls have finished (at most a
    // few seconds, so a run that can never get there still ends).
    void HoldUntilOthersFinish(const std::string& name, std::size_t others);
    // Runs on the routine's thread as a call begins.
    std::function<void(const std::filesystem::path& source)> OnCall;

    // Counted by the host as lines are logged, read by the calls.
    std::atomic<std::size_t> Logged{0};

    std::size_t MaxConcurrent() const;
    // The most calls started and not yet logged, seen as each call began.
    std::size_t MaxUnlogged() const;
    // Source file names in the order their calls finished.
    std::vector<std::string> FinishOrder() const;

private:
    bool Call(const std::filesystem::path& source, const std::filesystem::path& target, bool overwrite);
    void Begin(const std::string& name);
    void Wait(const std::string& name);
    void End(const std::string& name);

    mutable std::mutex mutex_;
    std::condition_variable finished_;
    std::map<std::string, std::chrono::milliseconds> delays_;
    std::map<std::string, std::size_t> holds_;
    std::size_t started_ = 0;
    std::size_t running_ = 0;
    std::size_t maxConcurrent_ = 0;
    std::size_t maxUnlogged_ = 0;
    std::vector<std::string> finishOrder_;
};

}  // namespace quillane::test
