#pragma once

#include <exception>
#include <new>
#include <string>

#include <vips/vips8>

#include "imaging/Outcome.h"

namespace quillane {

// The text the library gave with the error, on one line per message, without the
// trailing newline. Taken from the exception: the library's error buffer is shared by
// all threads and may already hold another thread's text.
std::string LibraryErrorText(const vips::VError& error);

// The reason a library error stands for: memory and writing are told by the text,
// anything else is `fallback`.
TReason LibraryErrorReason(const std::string& text, TReason fallback);

// A library error as a failure, its text as the detail. Clears the shared buffer, which
// would otherwise grow with every failed file.
TOutcome LibraryFailure(const vips::VError& error, TReason fallback) noexcept;

// Runs one step of a routine and turns a library error or exhausted memory into
// false, so nothing thrown inside the imaging layer ever reaches a caller.
template <class Step>
bool Guarded(Step&& step) noexcept
{
    try {
        return step();
    } catch (const vips::VError&) {
        vips_error_clear();
        return false;
    } catch (const std::exception&) {
        return false;
    }
}

// As Guarded, for a step that reports an outcome: a library error becomes a failure
// with `libraryReason` (or what its text says) and the library's text as the detail.
template <class Step>
TOutcome GuardedOutcome(TReason libraryReason, Step&& step) noexcept
{
    try {
        return step();
    } catch (const vips::VError& error) {
        return LibraryFailure(error, libraryReason);
    } catch (const std::bad_alloc&) {
        return TOutcome::Failure(TReason::rsOutOfMemory);
    } catch (const std::exception& error) {
        return FailureWithText(TReason::rsUnexpected, error.what());
    } catch (...) {
        return TOutcome::Failure(TReason::rsUnexpected);
    }
}

}  // namespace quillane
