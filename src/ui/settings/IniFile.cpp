#include "ui/settings/IniFile.h"

#include "ui/settings/IniDocument.h"
#include "ui/settings/IniValues.h"
#include "ui/settings/LegacyText.h"
#include "ui/settings/TextFile.h"

namespace quillane {
namespace {

TIniDocument LoadDocument(const std::filesystem::path& file)
{
    std::string text;
    ReadTextFile(file, text);
    return TIniDocument::Parse(LegacyTextToUtf8(text));
}

}  // namespace

TIniFile::TIniFile(std::filesystem::path file) : file_(std::move(file)) {}

std::string TIniFile::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const
{
    const auto raw = LoadDocument(file_).RawValue(section, key);
    return raw ? DecodeIniValue(*raw) : std::string(fallback);
}

int TIniFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const
{
    const auto raw = LoadDocument(file_).RawValue(section, key);
    return raw ? ParseIniInteger(DecodeIniValue(*raw), fallback) : fallback;
}

bool TIniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const
{
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

bool TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    error_.clear();
    if (IsValidIniSectionName(section) && IsValidIniKeyName(key)) {
        TIniDocument document = LoadDocument(file_);
        document.SetRawValue(section, key, EncodeIniValue(value));
        if (ReplaceTextFile(file_, document.Serialize()))
            return true;
    }
    error_ = "Unable to write to " + file_.string();
    return false;
}

bool TIniFile::WriteInteger(std::string_view section, std::string_view key, int value)
{
    return WriteString(section, key, std::to_string(value));
}

bool TIniFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    return WriteString(section, key, value ? "1" : "0");
}

}  // namespace quillane
