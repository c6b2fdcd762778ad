#pragma once

#include <string>
#include <string_view>

namespace quillane {

bool IsValidUtf8(std::string_view text);

// Settings files written by the Windows build of Quillane hold their Chinese texts in
// code page 936. Text that is valid UTF-8 is returned unchanged; anything else is
// read as GB18030 (a superset of 936) and returned in UTF-8, or unchanged when it is
// not valid GB18030 either.
std::string LegacyTextToUtf8(std::string_view text);

}  // namespace quillane
