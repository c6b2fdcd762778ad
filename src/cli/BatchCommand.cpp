#include "cli/BatchCommand.h"

#include <unistd.h>

#include <signal.h>

#include <csignal>
#include <iostream>
#include <memory>
#include <optional>
#include <system_error>

#include "cli/CliRequest.h"
#include "cli/CommandRun.h"
#include "cli/FileJobOptions.h"
#include "cli/InterruptibleInput.h"
#include "cli/TerminalHost.h"
#include "cli/UndoCommand.h"
#include "jobs/PercentJob.h"
#include "jobs/PixelJob.h"
#include "jobs/WOrHJob.h"

namespace quillane {

namespace {

std::unique_ptr<TBatchJob> MakeJob(const TCliRequest& request)
{
    if (IsFileJob(request.Job)) {
        return MakeFileJob(request);
    }
    if (request.Job == "percent") {
        return std::make_unique<TPercentBatch>(request.Percent, LibraryThumbRoutines());
    }
    if (request.Job == "pixel") {
        return std::make_unique<TPixelBatch>(request.Pixel, LibraryThumbRoutines());
    }
    return std::make_unique<TWOrHBatch>(request.Side, LibraryThumbRoutines());
}

TJobHost* gInterruptedHost = nullptr;
TInterruptibleInput* gInterruptedInput = nullptr;

// Ctrl+C, a terminal hanging up and a polite kill all end a run the same way: the
// files in progress finish or are abandoned cleanly, with no temporary file left.
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

void SetStopSignalsHandler(void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kStopSignals) {
        ::sigaction(signal, &action, nullptr);
    }
}

extern "C" void StopOnSignal(int)
{
    if (gInterruptedHost != nullptr) {
        gInterruptedHost->RequestStop();  // a lock-free atomic store
    }
    if (gInterruptedInput != nullptr) {
        gInterruptedInput->Wake();  // a question being asked is answered as by nobody
    }
    SetStopSignalsHandler(SIG_DFL);  // a second signal ends the process at once
}

int RunRequest(const TCliRequest& request, const TTerminal& terminal, bool stopOnInterrupt)
{
    auto sources = CommandSources(request, terminal);
    if (const int* status = std::get_if<int>(&sources)) {
        return *status;
    }
    TTerminalHost host(terminal, request);
    const std::unique_ptr<TBatchJob> job = MakeJob(request);
    if (stopOnInterrupt) {
        gInterruptedHost = &host;
        SetStopSignalsHandler(StopOnSignal);
    }
    const int status = CheckAndRun(*job, host, request, std::get<TSourceList>(sources), terminal.Out);
    if (stopOnInterrupt) {
        SetStopSignalsHandler(SIG_DFL);
        gInterruptedHost = nullptr;
    }
    return status;
}

int RunParsed(int argc, const char* const* argv, const TTerminal& terminal, bool stopOnInterrupt)
{
    if (const auto undo = UndoCommandArguments(argc, argv)) {
        return RunUndoCommand(static_cast<int>(undo->size()), undo->data(), terminal.Out, terminal.Err);
    }
    auto parsed = ParseCommandLine(argc, argv, terminal.Out, terminal.Err);
    if (const int* status = std::get_if<int>(&parsed)) {
        return *status;
    }
    return RunRequest(std::get<TCliRequest>(parsed), terminal, stopOnInterrupt);
}

}  // namespace

int RunBatchCommand(int argc, const char* const* argv, std::ostream& out, std::ostream& err, std::istream& in,
                    bool inIsTty, bool errIsTty)
{
    return RunParsed(argc, argv, TTerminal{out, err, in, inIsTty, errIsTty}, false);
}

int RunBatchCommand(int argc, const char* const* argv)
{
    TInterruptibleInput input(STDIN_FILENO);
    std::istream in(&input);
    gInterruptedInput = &input;
    const TTerminal terminal{std::cout, std::cerr, in, ::isatty(STDIN_FILENO) == 1, ::isatty(STDERR_FILENO) == 1};
    const int status = RunParsed(argc, argv, terminal, true);
    gInterruptedInput = nullptr;
    return status;
}

}  // namespace quillane
