#pragma once

// A private temporary folder for one fuzz process, removed when libFuzzer ends the run
// (it leaves through exit() when its time is up).

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace zentro::fuzz {

// `name` becomes part of the folder's name: /tmp/zentro-fuzz-NAME-XXXXXX.
inline const std::string& FuzzTempDir(const char* name)
{
    static const std::string dir = [name] {
        static std::string pattern;
        pattern = std::string("/tmp/zentro-fuzz-") + name + "-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(pattern, ec);
        });
        return pattern;
    }();
    return dir;
}

} // namespace zentro::fuzz
