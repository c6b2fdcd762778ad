#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillane {

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing
// above U+10FFFF).
bool IsValidUtf8(std::string_view text);

// One JSON object on one line, built member by member in the order written.
//
// Texts (file names included) are bytes. A text that is valid UTF-8 is written as it
// is. Any other is written in an escaped byte form, every byte that is not part of
// valid UTF-8 as the four characters \xHH and every backslash as \\, and the object
// gets a second member, KEY_escaped: true, so that the bytes can be decoded back.
class TJsonObject {
public:
    TJsonObject& Text(std::string_view key, std::string_view value);
    TJsonObject& Null(std::string_view key);
    TJsonObject& Bool(std::string_view key, bool value);
    TJsonObject& Count(std::string_view key, std::size_t value);
    TJsonObject& Milliseconds(std::string_view key, double value);
    // "{...}", without a line break.
    std::string Line() const;

private:
    void Key(std::string_view key);

    std::string members_;
};

}  // namespace quillane
