#pragma once

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace zentro::test {

// Sets environment variables for one test and puts every one back (or removes it again) when
// it goes out of scope. A variable set twice keeps its first saved value.
struct EnvGuard {
    std::vector<std::pair<std::string, std::string>> saved;
    std::vector<std::string> unset;

    // value == nullptr removes the variable.
    void Set(const char* name, const char* value)
    {
        if (!Saved(name)) {
            if (const char* old = std::getenv(name))
                saved.emplace_back(name, old);
            else
                unset.push_back(name);
        }
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    void Set(const char* name, const std::string& value) { Set(name, value.c_str()); }

    EnvGuard() = default;
    EnvGuard(const EnvGuard&) = delete;
    EnvGuard& operator=(const EnvGuard&) = delete;
    ~EnvGuard()
    {
        for (auto& [name, value] : saved)
            ::setenv(name.c_str(), value.c_str(), 1);
        for (auto& name : unset)
            ::unsetenv(name.c_str());
    }

private:
    bool Saved(const std::string& name) const
    {
        for (const auto& entry : saved)
            if (entry.first == name)
                return true;
        for (const auto& entry : unset)
            if (entry == name)
                return true;
        return false;
    }
};

} // namespace zentro::test
