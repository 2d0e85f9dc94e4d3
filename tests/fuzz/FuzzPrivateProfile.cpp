// Feeds arbitrary bytes as an INI file to the profile-string functions, with section and key
// names taken from the file itself. Nothing may crash, no value read may be longer than the
// 1023-character buffers, a written value must read back (from the cache and from a fresh
// parse alike), and deleting a key or a section must make it read as missing.

#include "platform/PrivateProfile.h"
#include "../support/TempDir.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const std::string& FuzzFilePath()
{
    // Removed when libFuzzer ends the run through exit().
    static const zentro::test::CTempDir dir("fuzz-profile");
    static const std::string path = dir.Path("fuzz.ini");
    return path;
}

const char* const MISSING = "<missing>";

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s (errno %d: %s)\n", what, errno,
                     std::strerror(errno));
        std::abort();
    }
}

std::string Trim(const std::string& s)
{
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t')) {
        ++b;
    }
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r')) {
        --e;
    }
    return s.substr(b, e - b);
}

// UTF-16 code units of a UTF-8 string, counting every byte that does not continue a sequence
// as one unit (a lower bound for malformed text, exact for well-formed text).
size_t Utf16Units(const std::string& s)
{
    size_t units = 0;
    for (unsigned char c : s) {
        if ((c & 0xC0) != 0x80) {
            units += c >= 0xF0 ? 2 : 1;
        }
    }
    return units;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsWellFormedUtf8(const std::string& s)
{
    size_t i = 0;
    while (i < s.size()) {
        auto b = static_cast<unsigned char>(s[i]);
        size_t len = b < 0x80                 ? 1
                     : b >= 0xC2 && b <= 0xDF ? 2
                     : (b >> 4) == 0xE        ? 3
                     : b >= 0xF0 && b <= 0xF4 ? 4
                                              : 0;
        if (len == 0 || i + len > s.size()) {
            return false;
        }
        uint32_t cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        for (size_t k = 1; k < len; ++k) {
            auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) {
                return false;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        i += len;
    }
    return true;
}

bool HasLineBreak(const std::string& s)
{
    return s.find('\n') != std::string::npos || s.find('\r') != std::string::npos;
}

// Names a round trip is defined for: an INI line cannot hold a section name with ']' or a
// key that reads as a comment or a section header, and a UTF-16 file cannot hold malformed
// UTF-8.
bool SectionRoundTrips(const std::string& section, bool utf16)
{
    std::string t = Trim(section);
    return !t.empty() && !HasLineBreak(section) && t.find(']') == std::string::npos &&
           (!utf16 || IsWellFormedUtf8(section));
}

bool KeyRoundTrips(const std::string& key, bool utf16)
{
    std::string t = Trim(key);
    return !t.empty() && !HasLineBreak(key) && key.find('=') == std::string::npos && t[0] != ';' &&
           !(t[0] == '[' && t.find(']') != std::string::npos) && (!utf16 || IsWellFormedUtf8(key));
}

// Section names of "[name]" lines and key names of "key=value" lines of the input.
void CollectNames(const std::string& text, std::vector<std::string>& sections,
                  std::vector<std::string>& keys)
{
    size_t start = 0;
    while (start <= text.size() && sections.size() + keys.size() < 64) {
        size_t nl = text.find('\n', start);
        size_t end = nl == std::string::npos ? text.size() : nl;
        std::string line = Trim(text.substr(start, end - start));
        size_t close = line.find(']');
        size_t eq = line.find('=');
        if (!line.empty() && line[0] == '[' && close != std::string::npos) {
            sections.push_back(line.substr(1, close - 1));
        } else if (eq != std::string::npos && eq > 0) {
            keys.push_back(line.substr(0, eq));
        }
        if (nl == std::string::npos) {
            break;
        }
        start = nl + 1;
    }
}

std::string Get(const std::string& section, const std::string& key, const std::string& path)
{
    std::string value = zentro::GetPrivateProfileString(section, key, MISSING, path);
    Check(Utf16Units(value) <= zentro::PRIVATE_PROFILE_BUFFER - 1, "value longer than 1023");
    return value;
}

// Reads through the cache and again from a fresh parse; both must agree.
std::string GetBothWays(const std::string& section, const std::string& key, const std::string& path)
{
    std::string cached = Get(section, key, path);
    zentro::FlushPrivateProfileCache();
    std::string fresh = Get(section, key, path);
    Check(cached == fresh, "cached parse differs from the file");
    return fresh;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string& path = FuzzFilePath();
    const std::string text(reinterpret_cast<const char*>(data), size);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return 0;
    }
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
    zentro::FlushPrivateProfileCache();

    const bool utf16 = size >= 2 && data[0] == 0xFF && data[1] == 0xFE;
    std::vector<std::string> sections, keys;
    if (!utf16) {
        CollectNames(text, sections, keys);
    }
    // Every name of the file must read back within the buffer size.
    for (const auto& s : sections) {
        for (const auto& k : keys) {
            (void)Get(s, k, path);
        }
    }

    // One section and key of the file (or new ones), picked by the input's size.
    sections.push_back("FuzzSection");
    keys.push_back("FuzzKey");
    const std::string section = sections[size % sections.size()];
    const std::string key = keys[(size / 3) % keys.size()];
    const std::string before = GetBothWays(section, key, path);

    // An alphanumeric value has no blanks or quotes to lose, so it must read back as written.
    const std::string value = "v" + std::to_string(size) + "x" + std::to_string(before.size());
    const bool wrote = zentro::WritePrivateProfileString(section, key, value, path);
    const bool defined = SectionRoundTrips(section, utf16) && KeyRoundTrips(key, utf16);
    if (defined) {
        Check(wrote, "write of a valid name failed");
        Check(Get(section, key, path) == value, "written value does not read back (cached)");
        Check(GetBothWays(section, key, path) == value, "written value does not read back");
    } else if (wrote && !utf16) {
        // A write reported as done must read back; names that cannot are refused.
        Check(GetBothWays(section, key, path) == value, "write reported done but lost");
    }

    // Deleting the key makes it missing in the first matching section, which is where reads
    // look.
    Check(zentro::DeletePrivateProfileKey(section, key, path), "key delete failed");
    Check(GetBothWays(section, key, path) == MISSING, "deleted key still reads");

    // Each section delete removes the first copy; a later copy of the same name then becomes
    // the first. After as many deletes as there are lines nothing of that name may be left.
    if (defined) {
        Check(zentro::WritePrivateProfileString(section, key, value, path), "rewrite failed");
    }
    size_t lines = 2;
    for (char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    bool gone = false;
    for (size_t i = 0; i < lines && !gone; ++i) {
        Check(zentro::DeletePrivateProfileSection(section, path), "section delete failed");
        gone = GetBothWays(section, key, path) == MISSING;
    }
    Check(gone, "section still present after deleting every copy");
    return 0;
}
