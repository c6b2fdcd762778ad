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

}  // namespace

std::string EscapedForTerminal(const std::string& text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\n') {
            escaped += "\\n";
        } else if (IsControl(byte)) {
            AppendHexByte(escaped, byte);
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::string EscapedResultLine(const std::string& text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\n') {
            escaped += "\\n";
        } else if (byte == '\t') {
            escaped += "\\t";
        } else if (byte == '\\') {
            escaped += "\\\\";
        } else if (IsControl(byte)) {
            AppendHexByte(escaped, byte);
        } else {
            escaped += c;
        }
    }
    return escaped;
}

}  // namespace quillane
