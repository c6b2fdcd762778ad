#include "cli/EscapedText.h"

namespace quillane {

std::string EscapedForTerminal(const std::string& text)
{
    static const char kHex[] = "0123456789abcdef";
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\n') {
            escaped += "\\n";
        } else if (byte < 0x20 || byte == 0x7f) {
            escaped += "\\x";
            escaped += kHex[byte >> 4];
            escaped += kHex[byte & 0xf];
        } else {
            escaped += c;
        }
    }
    return escaped;
}

}  // namespace quillane
