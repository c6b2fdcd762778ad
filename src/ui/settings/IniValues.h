#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillane {

// Longest value a read returns, in characters; longer values are cut there.
inline constexpr std::size_t kIniMaxValueLength = 2047;

// An integer as the profile rules read it: "0x"/"0X" followed by hexadecimal digits
// (up to 32 bits, wrapping into the signed range like a colour code), otherwise an
// optionally signed decimal that fits in 32 bits. Anything else gives `fallback`.
int ParseIniInteger(std::string_view text, int fallback);

// The value part of a "key=value" line as readers see it: blanks around it removed,
// one pair of matching quotes around it removed, cut at kIniMaxValueLength characters.
std::string DecodeIniValue(std::string_view raw);

// The text to put after "key=" so that DecodeIniValue gives `value` back: line breaks
// become blanks (a value must never open a new line, section or key), and values
// that reading would trim or unquote are quoted.
std::string EncodeIniValue(std::string_view value);

// Cuts UTF-8 text after `maxCharacters` characters, never inside a character.
std::string CutUtf8(std::string_view text, std::size_t maxCharacters);

std::string_view TrimBlanks(std::string_view text);

bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace quillane
