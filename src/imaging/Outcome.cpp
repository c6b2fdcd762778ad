#include "imaging/Outcome.h"

#include <system_error>

namespace quillane {

TOutcome FailureWithText(TReason reason, const char* text) noexcept
{
    try {
        return TOutcome::Failure(reason, text == nullptr ? std::string() : std::string(text));
    } catch (...) {
        return TOutcome::Failure(reason == TReason::rsUnexpected ? TReason::rsOutOfMemory : reason);
    }
}

std::string SystemErrorText(int error)
{
    return error == 0 ? std::string() : std::generic_category().message(error);
}

}  // namespace quillane
