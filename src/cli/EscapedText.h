#pragma once

#include <string>

namespace quillane {

// A path as one line of a terminal: a line break becomes "\n", any other control byte
// (below 0x20, and 0x7f) "\xHH", so a hostile name can neither split a line nor move
// the cursor. Every other byte stays, UTF-8 included.
std::string EscapedForTerminal(const std::string& text);

// A result line that a script can split and decode: control bytes become "\n", "\t"
// or "\xHH" and the backslash "\\", so one line is always one file. A text with
// neither stays byte for byte as it is.
std::string EscapedResultLine(const std::string& text);

}  // namespace quillane
