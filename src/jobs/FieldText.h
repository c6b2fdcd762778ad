#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "jobs/JobHost.h"

namespace quillane {

// A page field as the engine receives it: the control's name and its text.
struct TNamedField {
    std::string Name;
    std::string Text;
};

// The text without leading and trailing blanks and control characters.
std::string TrimField(std::string_view text);

// The text read as a decimal integer (leading zeros allowed, "007" is 7); empty when it
// is not a whole number that fits.
std::optional<std::int32_t> ParseInteger(std::string_view text);

// "'%s' is not a valid integer value" with the field's text in place of %s.
std::string NotAnIntegerMessage(std::string_view text);

// ParseInteger, showing the conversion error through the host's general error
// display when the text is not a whole number.
std::optional<std::int32_t> ReadIntegerField(TJobHost& host, const TNamedField& field);

}  // namespace quillane
