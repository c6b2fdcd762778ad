#include "jobs/Language.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

namespace quillane {
namespace {

using TEnvironment = std::map<std::string, std::string>;

TLanguage LanguageOf(const TEnvironment& environment)
{
    return LanguageFromEnvironment([&](const char* name) -> std::optional<std::string> {
        const auto found = environment.find(name);
        if (found == environment.end())
            return std::nullopt;
        return found->second;
    });
}

TEST(LanguageTest, TheLocaleChoosesEnglishOrChinese)
{
    constexpr TLanguage zh = TLanguage::lgChinese;
    constexpr TLanguage en = TLanguage::lgEnglish;
    struct Case {
        TEnvironment environment;
        TLanguage expected;
    };
    const Case cases[] = {
        {{}, zh},
        {{{"LANG", "en_US.UTF-8"}}, en},
        {{{"LANG", "en_GB"}}, en},
        {{{"LANG", "en"}}, en},
        {{{"LANG", "en_US@euro"}}, en},
        {{{"LANG", "zh_CN.UTF-8"}}, zh},
        {{{"LANG", "zh_TW.UTF-8"}}, zh},
        {{{"LANG", "C"}}, zh},
        {{{"LANG", "C.UTF-8"}}, zh},
        {{{"LANG", "POSIX"}}, zh},
        {{{"LANG", "de_DE.UTF-8"}}, zh},
        {{{"LANG", "eng_XX"}}, zh},  // "en" must be the whole language part
        {{{"LANG", ""}}, zh},
        // LC_ALL before LC_MESSAGES before LANG; an empty one is skipped.
        {{{"LC_ALL", "C"}, {"LANG", "en_US.UTF-8"}}, zh},
        {{{"LC_ALL", "en_US.UTF-8"}, {"LANG", "zh_CN.UTF-8"}}, en},
        {{{"LC_MESSAGES", "en_US.UTF-8"}, {"LANG", "zh_CN.UTF-8"}}, en},
        {{{"LC_ALL", ""}, {"LC_MESSAGES", "zh_CN.UTF-8"}, {"LANG", "en_US.UTF-8"}}, zh},
        // LANGUAGE: the first language Quillane speaks wins, but not under the C locale.
        {{{"LANGUAGE", "en:zh"}, {"LANG", "zh_CN.UTF-8"}}, en},
        {{{"LANGUAGE", "fr:zh_CN"}, {"LANG", "en_US.UTF-8"}}, zh},
        {{{"LANGUAGE", "fr:de"}, {"LANG", "en_US.UTF-8"}}, en},
        {{{"LANGUAGE", "en_GB"}, {"LANG", "C.UTF-8"}}, zh},
        {{{"LANGUAGE", "en_GB"}}, zh},
    };
    for (const Case& c : cases) {
        std::string shown;
        for (const auto& [name, value] : c.environment)
            shown += name + "=" + value + " ";
        SCOPED_TRACE(shown);
        EXPECT_EQ(LanguageOf(c.environment), c.expected);
    }
}

TEST(LanguageTest, CodesNameTheTwoLanguages)
{
    EXPECT_EQ(LanguageFromCode("en"), TLanguage::lgEnglish);
    EXPECT_EQ(LanguageFromCode("zh"), TLanguage::lgChinese);
    EXPECT_EQ(LanguageFromCode("EN"), std::nullopt);
    EXPECT_EQ(LanguageFromCode("fr"), std::nullopt);
    EXPECT_STREQ(LanguageCode(TLanguage::lgEnglish), "en");
    EXPECT_STREQ(LanguageCode(TLanguage::lgChinese), "zh");
}

}  // namespace
}  // namespace quillane
