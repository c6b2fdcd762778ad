#pragma once

#include <string>

namespace quillane {

// A path as one line of a terminal: a line break becomes "\n", any other control byte
// (below 0x20, and 0x7f) "\xHH", so a hostile name can neither split a line nor move
// the cursor. Every other byte stays, UTF-8 included.
std::string EscapedForTerminal(const std::string& text);

}  // namespace quillane
