#include "ui/settings/IniDocument.h"

#include "ui/settings/IniValues.h"

namespace quillane {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

// The name of a "[name]" line, or nothing when the line is not a section header.
std::optional<std::string_view> SectionNameOf(std::string_view line)
{
    line = TrimBlanks(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return TrimBlanks(line.substr(1, close - 1));
}

bool IsComment(std::string_view line)
{
    line = TrimBlanks(line);
    return !line.empty() && (line.front() == ';' || line.front() == '#');
}

// The key of a "key=value" line, or nothing for blank lines, comments and headers.
std::optional<std::string_view> KeyNameOf(std::string_view line)
{
    if (IsComment(line) || SectionNameOf(line))
        return std::nullopt;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    return TrimBlanks(line.substr(0, equals));
}

bool HasLineBreakOr(std::string_view name, std::string_view forbidden)
{
    return name.find_first_of(forbidden) != std::string_view::npos ||
           name.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

bool IsValidIniSectionName(std::string_view name)
{
    return !name.empty() && TrimBlanks(name).size() == name.size() && !HasLineBreakOr(name, "[]");
}

bool IsValidIniKeyName(std::string_view name)
{
    return !name.empty() && TrimBlanks(name).size() == name.size() && !HasLineBreakOr(name, "=[;#");
}

TIniDocument TIniDocument::Parse(std::string_view text)
{
    TIniDocument doc;
    if (text.starts_with(kBom)) {
        doc.bom_ = true;
        text.remove_prefix(kBom.size());
    }
    const std::size_t firstBreak = text.find('\n');
    doc.crlf_ = firstBreak != std::string_view::npos && firstBreak > 0 && text[firstBreak - 1] == '\r';
    doc.endsWithNewline_ = text.empty() || text.back() == '\n';
    while (!text.empty()) {
        const std::size_t lineEnd = text.find('\n');
        std::string_view line = text.substr(0, lineEnd);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        doc.lines_.emplace_back(line);
        text.remove_prefix(lineEnd == std::string_view::npos ? text.size() : lineEnd + 1);
    }
    return doc;
}

std::string TIniDocument::Serialize() const
{
    const std::string_view newline = crlf_ ? "\r\n" : "\n";
    std::string text(bom_ ? kBom : std::string_view{});
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        text += lines_[i];
        if (i + 1 < lines_.size() || endsWithNewline_)
            text += newline;
    }
    return text;
}

std::optional<TIniDocument::TSectionSpan> TIniDocument::FindSection(std::string_view section) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = SectionNameOf(lines_[i]);
        if (!name || !EqualsIgnoringCase(*name, section))
            continue;
        std::size_t end = i + 1;
        while (end < lines_.size() && !SectionNameOf(lines_[end]))
            ++end;
        return TSectionSpan{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> TIniDocument::FindKey(const TSectionSpan& span, std::string_view key) const
{
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        const auto name = KeyNameOf(lines_[i]);
        if (name && EqualsIgnoringCase(*name, key))
            return i;
    }
    return std::nullopt;
}

// After the section's last non-blank line, so a blank line that separates it from
// the next section stays where it is.
std::size_t TIniDocument::InsertionPoint(const TSectionSpan& span) const
{
    std::size_t at = span.end;
    while (at > span.header + 1 && TrimBlanks(lines_[at - 1]).empty())
        --at;
    return at;
}

std::optional<std::string> TIniDocument::RawValue(std::string_view section, std::string_view key) const
{
    const auto span = FindSection(section);
    if (!span)
        return std::nullopt;
    const auto line = FindKey(*span, key);
    if (!line)
        return std::nullopt;
    const std::string& text = lines_[*line];
    return text.substr(text.find('=') + 1);
}

void TIniDocument::SetRawValue(std::string_view section, std::string_view key, std::string_view encodedValue)
{
    const auto span = FindSection(section);
    if (!span) {
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(std::string(key) + "=" + std::string(encodedValue));
        endsWithNewline_ = true;
        return;
    }
    if (const auto line = FindKey(*span, key)) {
        std::string& text = lines_[*line];
        text = text.substr(0, text.find('=') + 1) + std::string(encodedValue);
        return;
    }
    const std::size_t at = InsertionPoint(*span);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::string(key) + "=" + std::string(encodedValue));
    if (at == lines_.size() - 1)
        endsWithNewline_ = true;
}

}  // namespace quillane
