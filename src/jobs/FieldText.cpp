#include "jobs/FieldText.h"

#include <charconv>

namespace quillane {

namespace {

bool IsBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

}  // namespace

std::string TrimField(std::string_view text)
{
    while (!text.empty() && IsBlankOrControl(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlankOrControl(text.back())) {
        text.remove_suffix(1);
    }
    return std::string(text);
}

std::optional<std::int32_t> ParseInteger(std::string_view text)
{
    const std::string trimmed = TrimField(text);
    std::string_view digits = trimmed;
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);  // from_chars takes '-' but not '+'
        if (!digits.empty() && digits.front() == '-') {
            return std::nullopt;
        }
    }
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 10);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return value;
}

std::string NotAnIntegerMessage(std::string_view text)
{
    std::string message(1, '\'');
    message.append(text);
    message.append("' is not a valid integer value");
    return message;
}

std::optional<std::int32_t> ReadIntegerField(TJobHost& host, const TNamedField& field)
{
    const auto value = ParseInteger(field.Text);
    if (!value) {
        host.ShowError(NotAnIntegerMessage(field.Text));
    }
    return value;
}

}  // namespace quillane
