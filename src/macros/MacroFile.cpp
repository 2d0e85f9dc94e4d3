#include "macros/MacroFile.h"

#include "platform/FileStatus.h"
#include "platform/PrivateProfile.h"

#include <algorithm>
#include <climits>

namespace zentro {

std::string MacroItemKey(int index)
{
    return "Item" + std::to_string(index);
}

int ReadProfileInt(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' ||
                               text[i] == '\n' || text[i] == '\v' || text[i] == '\f')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate in the negative range so INT_MIN is reachable; clamp as soon as it overflows.
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 - (text[i] - '0');
        if (value < static_cast<long long>(INT_MIN)) {
            return negative ? INT_MIN : INT_MAX;
        }
    }
    if (negative) {
        return static_cast<int>(value);
    }
    return value < -static_cast<long long>(INT_MAX) ? INT_MAX : static_cast<int>(-value);
}

unsigned ClampLoopCount(long long value)
{
    if (value < 1 || value > static_cast<long long>(MAX_MACRO_LOOP_COUNT)) {
        return 1;
    }
    return static_cast<unsigned>(value);
}

bool MacroFileExists(const std::string& path)
{
    return FileExists(path);
}

int ReadMacroCount(const std::string& path)
{
    return ReadProfileInt(GetPrivateProfileString(MACRO_LIST_SECTION, MACRO_COUNT_KEY, "", path));
}

std::string ReadMacroName(const std::string& path, int index)
{
    return GetPrivateProfileString(MACRO_LIST_SECTION, std::to_string(index), "", path);
}

std::vector<std::string> ReadMacroNames(const std::string& path, size_t limit)
{
    std::vector<std::string> names;
    const int count = ReadMacroCount(path);
    if (count <= 0) {
        return names;
    }
    const size_t n = std::min(static_cast<size_t>(count), limit);
    names.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        names.push_back(ReadMacroName(path, static_cast<int>(i)));
    }
    return names;
}

std::string ReadMacroValue(const std::string& path, const std::string& macroName,
                           const std::string& key)
{
    return GetPrivateProfileString(macroName, key, "", path);
}

} // namespace zentro
