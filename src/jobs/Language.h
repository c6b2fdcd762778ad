#pragma once

#include <functional>
#include <optional>
#include <string>

// The two languages Quillane speaks. Chinese is its own; English is a translation the
// hosts apply to the engine's texts and their own.
namespace quillane {

enum class TLanguage { lgChinese, lgEnglish };

// "zh" or "en" (as `--lang` and the settings file store it); nothing for any other word.
std::optional<TLanguage> LanguageFromCode(const std::string& code);
const char* LanguageCode(TLanguage language);

// The language of the messages locale, read from LANGUAGE, LC_ALL, LC_MESSAGES and LANG
// in the order gettext reads them, whether or not that locale is installed: any English
// locale gives English; Chinese, C, C.UTF-8, POSIX, anything else or none give Chinese.
// LANGUAGE only counts beside a locale other than C, as in gettext.
TLanguage LanguageFromEnvironment(const std::function<std::optional<std::string>(const char*)>& variable);
TLanguage LanguageFromEnvironment();

// The language a `--lang` code names; the environment's when the code is empty or unknown.
TLanguage ChosenLanguage(const std::string& code);

}  // namespace quillane
