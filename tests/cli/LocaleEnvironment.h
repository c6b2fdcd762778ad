#pragma once

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

namespace quillane::test {

// The locale variables of this process for one run of the child, then as they were.
class TLocaleEnvironment {
public:
    explicit TLocaleEnvironment(const std::map<std::string, std::string>& values)
    {
        for (const char* name : kNames) {
            const char* old = std::getenv(name);
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
            const auto value = values.find(name);
            if (value == values.end())
                ::unsetenv(name);
            else
                ::setenv(name, value->second.c_str(), 1);
        }
    }
    ~TLocaleEnvironment()
    {
        for (const auto& [name, value] : saved_) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
    }
    TLocaleEnvironment(const TLocaleEnvironment&) = delete;
    TLocaleEnvironment& operator=(const TLocaleEnvironment&) = delete;

private:
    static constexpr const char* kNames[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    std::map<std::string, std::optional<std::string>> saved_;
};

}  // namespace quillane::test
