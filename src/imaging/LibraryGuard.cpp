#include "imaging/LibraryGuard.h"

namespace quillane {

std::string LibraryErrorText(const vips::VError& error)
{
    std::string text = error.what();
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

TReason LibraryErrorReason(const std::string& text, TReason fallback)
{
    if (text.find("out of memory") != std::string::npos)
        return TReason::rsOutOfMemory;
    if (text.find("write error") != std::string::npos || text.find("No space left") != std::string::npos)
        return TReason::rsCannotWrite;
    return fallback;
}

TOutcome LibraryFailure(const vips::VError& error, TReason fallback) noexcept
{
    vips_error_clear();
    try {
        std::string text = LibraryErrorText(error);
        const TReason reason = LibraryErrorReason(text, fallback);
        return TOutcome::Failure(reason, std::move(text));
    } catch (...) {  // no memory left even for the text
        return TOutcome::Failure(TReason::rsOutOfMemory);
    }
}

}  // namespace quillane
