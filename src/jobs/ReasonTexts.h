#pragma once

#include <string>

#include "imaging/Outcome.h"

// The short texts of the failure reasons, one per id, in the program's own language.
namespace quillane {

const char* ReasonText(TReason reason);

// The reason's stable name for scripts, e.g. "target-exists"; the same in every language.
const char* ReasonCode(TReason reason);

// The reason's text, followed by the library's or the system's detail in brackets when
// there is one; always one line.
std::string FailureText(const TFailure& failure);

}  // namespace quillane
