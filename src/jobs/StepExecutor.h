#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "imaging/Outcome.h"
#include "jobs/BatchJob.h"
#include "jobs/JobHost.h"
#include "jobs/JobPlan.h"

namespace quillane {

// One file of a run, decided completely on the coordinating thread (names, overwrite
// answer, routine choice). Only `Call` — the image routine — may run elsewhere.
struct TFileStep {
    std::filesystem::path Source;
    std::filesystem::path Target;
    std::function<TOutcome()> Call;
    std::string SuccessText;
    std::string FailureText;
    std::size_t Item = 0;  // the index of the list item it belongs to
    // Why a step without a call fails (a list item that is no regular file).
    TReason Refusal = TReason::rsUnexpected;
    // What a reader of the plan sees before anything runs.
    std::string Routine;  // empty for a step whose result is known without a call
    TRoutineSettings Settings;
    bool TargetExisted = false;  // a file (or link) was at the target when the run looked
    bool Asked = false;          // the overwrite question was due for it
    bool Replace = false;        // the routine may replace the target
};

// Runs a step's routine: its outcome, the step's refusal when it has none, and a
// failure as well when something is thrown through it, so one file's fault never ends
// the run. Every executor runs routines through this.
TOutcome RunStepCall(const TFileStep& step) noexcept;

// A step's outcome and how long its routine took.
struct TStepResult {
    TOutcome Outcome = TOutcome::Failure(TReason::rsUnexpected);
    double Milliseconds = 0;
};

// RunStepCall(), timed.
TStepResult RunTimedStepCall(const TFileStep& step) noexcept;

// Counts a logged step in the outcome.
void CountLogged(TRunOutcome& outcome, const TFileStep& step, bool succeeded);

// The result line of a step: the full source path immediately followed by the text.
std::string ResultLine(const TFileStep& step, bool succeeded);

// Hands a step's result line to the host and, for a failure, its reason right after.
void LogResult(TJobHost& host, TJobPage page, const TFileStep& step, const TStepResult& result);

// Runs the steps of one run and logs their result lines in submission order.
class TStepExecutor {
public:
    virtual ~TStepExecutor() = default;
    virtual void Submit(TFileStep step) = 0;
    // Returns once no submitted step is still to write `target`, so that whether it
    // exists is decided as a one-at-a-time run would see it.
    virtual void Settle(const std::filesystem::path& target) { (void)target; }
    // Returns once no submitted step is still to write into `folder`, so that a listing
    // of it sees what a one-at-a-time run would see.
    virtual void SettleFolder(const std::filesystem::path& folder) { (void)folder; }
    // Returns once every submitted step has run and its line is logged, so that a
    // question comes after the lines of the files before it.
    virtual void SettleAll() {}
    // As SettleAll(), at the end of the run.
    virtual void Finish() = 0;
    virtual TRunOutcome Outcome() const = 0;
};

// One step at a time, on the calling thread.
class TInlineExecutor final : public TStepExecutor {
public:
    TInlineExecutor(TJobHost& host, TJobPage page, std::optional<std::size_t> filesTotal);
    void Submit(TFileStep step) override;
    void Finish() override;
    TRunOutcome Outcome() const override { return outcome_; }

private:
    TJobHost& host_;
    TJobPage page_;
    std::optional<std::size_t> filesTotal_;
    TRunOutcome outcome_;
};

}  // namespace quillane
