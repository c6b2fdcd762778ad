#include "cli/JsonLines.h"

#include <cmath>
#include <cstdio>

namespace quillane {

namespace {

// The length of the valid UTF-8 sequence starting at `at`, or 0 when there is none.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;   // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (at + length > text.size() || byte(at + 1) < low || byte(at + 1) > high) {
        return 0;
    }
    for (std::size_t i = at + 2; i < at + length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

std::string HexByte(unsigned char byte, const char* format)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, format, byte);
    return buffer;
}

// The escaped byte form of a text that is not valid UTF-8.
std::string EscapedBytes(std::string_view text)
{
    std::string escaped;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, at);
        if (length == 0) {
            escaped += HexByte(static_cast<unsigned char>(text[at]), "\\x%02x");
            ++at;
        } else {
            escaped += text[at] == '\\' ? std::string("\\\\") : std::string(text.substr(at, length));
            at += length;
        }
    }
    return escaped;
}

// A JSON string literal of valid UTF-8; control characters are escaped, so that a
// line is always one object.
std::string JsonString(std::string_view text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\t':
            quoted += "\\t";
            break;
        case '\r':
            quoted += "\\r";
            break;
        default:
            quoted += byte < 0x20 || byte == 0x7f ? HexByte(byte, "\\u%04x") : std::string(1, c);
        }
    }
    return quoted + "\"";
}

}  // namespace

bool IsValidUtf8(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, at);
        if (length == 0) {
            return false;
        }
        at += length;
    }
    return true;
}

void TJsonObject::Key(std::string_view key)
{
    members_ += members_.empty() ? "" : ", ";
    members_ += JsonString(key) + ": ";
}

TJsonObject& TJsonObject::Text(std::string_view key, std::string_view value)
{
    Key(key);
    if (IsValidUtf8(value)) {
        members_ += JsonString(value);
        return *this;
    }
    members_ += JsonString(EscapedBytes(value));
    return Bool(std::string(key) + "_escaped", true);
}

TJsonObject& TJsonObject::Null(std::string_view key)
{
    Key(key);
    members_ += "null";
    return *this;
}

TJsonObject& TJsonObject::Bool(std::string_view key, bool value)
{
    Key(key);
    members_ += value ? "true" : "false";
    return *this;
}

TJsonObject& TJsonObject::Count(std::string_view key, std::size_t value)
{
    Key(key);
    members_ += std::to_string(value);
    return *this;
}

TJsonObject& TJsonObject::Milliseconds(std::string_view key, double value)
{
    Key(key);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3f", std::isfinite(value) && value > 0 ? value : 0.0);
    members_ += buffer;
    return *this;
}

std::string TJsonObject::Line() const
{
    return "{" + members_ + "}";
}

}  // namespace quillane
