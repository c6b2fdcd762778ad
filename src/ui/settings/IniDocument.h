#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillane {

// The lines of an INI file, edited the way the profile rules edit them: names are
// matched without regard to case and the first match wins; a replaced value keeps
// its line (and the key's own spelling); a new key goes after the last line of its
// section, a new section at the end. Every other line stays exactly as it was, and
// the file keeps its own line ending (CRLF or LF) and byte-order mark.
class TIniDocument {
public:
    static TIniDocument Parse(std::string_view text);
    std::string Serialize() const;

    // The raw text after the '=' of the key, or nothing when section or key is missing.
    std::optional<std::string> RawValue(std::string_view section, std::string_view key) const;
    // Sets the raw text after the '='; `encodedValue` must not contain a line break.
    void SetRawValue(std::string_view section, std::string_view key, std::string_view encodedValue);

    bool UsesCrLf() const { return crlf_; }

private:
    struct TSectionSpan {
        std::size_t header;  // index of the "[name]" line
        std::size_t end;     // one past its last line
    };
    std::optional<TSectionSpan> FindSection(std::string_view section) const;
    std::optional<std::size_t> FindKey(const TSectionSpan& span, std::string_view key) const;
    std::size_t InsertionPoint(const TSectionSpan& span) const;

    std::vector<std::string> lines_;
    bool crlf_ = false;
    bool bom_ = false;
    bool endsWithNewline_ = true;
};

// Whether a name may be used as a section or key name: not empty, no blanks around
// it, and nothing that would end the line or the name early.
bool IsValidIniSectionName(std::string_view name);
bool IsValidIniKeyName(std::string_view name);

}  // namespace quillane
