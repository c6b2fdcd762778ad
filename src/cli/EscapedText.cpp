#include "cli/EscapedText.h"

namespace quillane {

namespace {

void AppendHexByte(std::string& out, unsigned char byte)
{
    static const char kHex[] = "0123456789abcdef";
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 0xf];
}

bool IsControl(unsigned char byte)
{
    return byte < 0x20 || byte == 0x7f;
}

// Line breaks as "\n", other control bytes as "\xHH"; result lines also write tabs
// as "\t" and double the backslash, so that they can be decoded back.
std::string Escaped(const std::string& text, bool decodable)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\n') {
            escaped += "\\n";
        } else if (decodable && byte == '\t') {
            escaped += "\\t";
        } else if (decodable && byte == '\\') {
            escaped += "\\\\";
        } else if (IsControl(byte)) {
            AppendHexByte(escaped, byte);
        } else {
            escaped += c;
        }
    }
    return escaped;
}

}  // namespace

std::string EscapedForTerminal(const std::string& text)
{
    return Escaped(text, false);
}

std::string EscapedResultLine(const std::string& text)
{
    return Escaped(text, true);
}

}  // namespace quillane
