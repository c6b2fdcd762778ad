#include "jobs/Language.h"

#include <algorithm>
#include <cstdlib>

namespace quillane {

namespace {

bool IsCLocale(const std::string& locale)
{
    return locale == "C" || locale == "POSIX" || locale.rfind("C.", 0) == 0;
}

// "en", "en_GB.UTF-8", "en@quot" are English; the language part is what counts.
bool IsEnglish(const std::string& locale)
{
    return locale.rfind("en", 0) == 0 &&
           (locale.size() == 2 || locale[2] == '_' || locale[2] == '.' || locale[2] == '@');
}

// The first of LC_ALL, LC_MESSAGES, LANG that is set and not empty.
std::string MessagesLocale(const std::function<std::optional<std::string>(const char*)>& variable)
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const std::optional<std::string> value = variable(name);
        if (value && !value->empty())
            return *value;
    }
    return {};
}

// LANGUAGE is a colon-separated list of preferences; the first entry Quillane speaks wins.
std::optional<TLanguage> FirstSpokenLanguage(const std::string& list)
{
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(':', start), list.size());
        const std::string entry = list.substr(start, end - start);
        if (IsEnglish(entry))
            return TLanguage::lgEnglish;
        if (entry.rfind("zh", 0) == 0)
            return TLanguage::lgChinese;
        start = end + 1;
    }
    return std::nullopt;
}

}  // namespace

std::optional<TLanguage> LanguageFromCode(const std::string& code)
{
    if (code == "zh")
        return TLanguage::lgChinese;
    if (code == "en")
        return TLanguage::lgEnglish;
    return std::nullopt;
}

const char* LanguageCode(TLanguage language)
{
    return language == TLanguage::lgEnglish ? "en" : "zh";
}

TLanguage LanguageFromEnvironment(const std::function<std::optional<std::string>(const char*)>& variable)
{
    const std::string locale = MessagesLocale(variable);
    if (locale.empty() || IsCLocale(locale))
        return TLanguage::lgChinese;
    if (const std::optional<std::string> preferences = variable("LANGUAGE")) {
        if (const std::optional<TLanguage> spoken = FirstSpokenLanguage(*preferences))
            return *spoken;
    }
    return IsEnglish(locale) ? TLanguage::lgEnglish : TLanguage::lgChinese;
}

TLanguage LanguageFromEnvironment()
{
    return LanguageFromEnvironment([](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        if (value == nullptr)
            return std::nullopt;
        return std::string(value);
    });
}

TLanguage ChosenLanguage(const std::string& code)
{
    return LanguageFromCode(code).value_or(LanguageFromEnvironment());
}

}  // namespace quillane
