#include "ui/settings/IniValues.h"

#include <cstdint>
#include <limits>

namespace quillane {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = LowerAscii(c);
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool ParseHex(std::string_view digits, int& out)
{
    if (digits.empty())
        return false;
    std::uint64_t value = 0;
    for (char c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0)
            return false;
        value = value * 16 + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFu)
            return false;
    }
    // A colour code such as 0xFF000008 lands on its negative 32-bit twin.
    out = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    return true;
}

bool ParseDecimal(std::string_view text, int& out)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return false;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
        if (value > std::int64_t{std::numeric_limits<int>::max()} + 1)
            return false;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max())
        return false;
    out = static_cast<int>(value);
    return true;
}

bool IsQuote(char c)
{
    return c == '"' || c == '\'';
}

bool LooksQuoted(std::string_view text)
{
    return text.size() >= 2 && IsQuote(text.front()) && text.front() == text.back();
}

}  // namespace

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return true;
}

int ParseIniInteger(std::string_view text, int fallback)
{
    int value = 0;
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const bool ok = hex ? ParseHex(text.substr(2), value) : ParseDecimal(text, value);
    return ok ? value : fallback;
}

std::string CutUtf8(std::string_view text, std::size_t maxCharacters)
{
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (startsCharacter && ++characters > maxCharacters)
            return std::string(text.substr(0, i));
    }
    return std::string(text);
}

std::string DecodeIniValue(std::string_view raw)
{
    std::string_view value = TrimBlanks(raw);
    if (LooksQuoted(value))
        value = value.substr(1, value.size() - 2);
    return CutUtf8(value, kIniMaxValueLength);
}

std::string EncodeIniValue(std::string_view value)
{
    std::string text(value);
    for (char& c : text)
        if (c == '\r' || c == '\n')
            c = ' ';
    const bool wouldChange = TrimBlanks(text).size() != text.size() || LooksQuoted(text);
    return wouldChange ? '"' + text + '"' : text;
}

}  // namespace quillane
