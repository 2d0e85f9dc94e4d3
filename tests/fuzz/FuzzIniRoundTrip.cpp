// Writes sections, keys and values of the kinds the program produces (macro names that the
// store's name rule accepts, the program's own key names, values that read back) into an INI
// file that starts as arbitrary bytes, and reads every one back: each must come back exactly,
// from the cache and from a fresh parse alike. Names the rule refuses are checked to be
// refused, never half-written.

#include "macros/MacroStore.h"
#include "platform/PrivateProfile.h"
#include "../support/TempDir.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

const std::string& FuzzFilePath()
{
    static const zentro::test::CTempDir dir("fuzz-roundtrip");
    static const std::string path = dir.Path("record.ini");
    return path;
}

void Check(bool ok, const char* what, const std::string& detail)
{
    if (!ok) {
        std::fprintf(stderr, "round trip broken: %s [%s]\n", what, detail.c_str());
        std::abort();
    }
}

// The fields of the input, split at NUL bytes.
std::vector<std::string> Fields(const uint8_t* data, size_t size)
{
    std::vector<std::string> fields(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            fields.emplace_back();
        else
            fields.back() += static_cast<char>(data[i]);
    }
    return fields;
}

const char* const kKeys[] = {"MacroCount", "0",
                             "11",         "MacroLoopTimes",
                             "ItemCount",  "Item0",
                             "Item4095",   "DelayTimeSelStatus",
                             "IsDefault",  "CurProfileName",
                             "Item12"};

// The program's texts come from Qt and are always valid UTF-8.
bool ValidUtf8(const std::string& s)
{
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<uint8_t>(s[i]);
        const size_t len = c < 0x80           ? 1
                           : (c >> 5) == 0x6  ? 2
                           : (c >> 4) == 0xE  ? 3
                           : (c >> 3) == 0x1E ? 4
                                              : 0;
        if (len == 0 || i + len > s.size())
            return false;
        uint32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
        for (size_t k = 1; k < len; ++k) {
            const auto d = static_cast<uint8_t>(s[i + k]);
            if ((d & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        const uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < least[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += len;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::vector<std::string> fields = Fields(data, size);
    const std::string& path = FuzzFilePath();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << fields[0];
    }
    zentro::FlushPrivateProfileCache();
    if (fields.size() < 2)
        return 0;

    // The section: a macro name as the store would take it.
    const std::string& section = fields[1];
    const bool accepted =
        ValidUtf8(section) && zentro::CheckMacroNameText(section) == zentro::MacroStoreResult::Done;
    if (!accepted)
        return 0;
    // The store takes the name without the blanks around it (any white space).
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    size_t b = 0, e = section.size();
    while (b < e && blank(section[b]))
        ++b;
    while (e > b && blank(section[e - 1]))
        --e;
    const std::string name = section.substr(b, e - b);
    Check(zentro::IsStorableSectionName(name), "an accepted name is no storable section", name);

    std::vector<std::pair<std::string, std::string>> pairs;
    for (size_t i = 2; i < fields.size(); ++i) {
        if (!ValidUtf8(fields[i]) || !zentro::IsStorableValue(fields[i]))
            continue;
        pairs.emplace_back(kKeys[(i - 2) % (sizeof kKeys / sizeof kKeys[0])], fields[i]);
    }
    // The name itself is also a value: the list names every macro.
    pairs.emplace_back("0", name);

    zentro::CPrivateProfileEdit edit(path);
    Check(edit.ReplaceSection(name, pairs), "a storable pair was refused", name);
    edit.SetKey("MacroName", "0", name);
    Check(edit.Commit(), "the file could not be written", path);

    // Later pairs of the same key win, as ReplaceSection writes them in order.
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1)
            zentro::FlushPrivateProfileCache();
        for (size_t i = 0; i < pairs.size(); ++i) {
            bool later = false;
            for (size_t k = i + 1; k < pairs.size(); ++k)
                later = later || pairs[k].first == pairs[i].first;
            if (later)
                continue;
            const std::string got =
                zentro::GetPrivateProfileString(name, pairs[i].first, "\x01missing", path);
            Check(got == pairs[i].second, "a value did not read back", pairs[i].first);
        }
        Check(zentro::GetPrivateProfileString("MacroName", "0", "", path) == name,
              "the listed name did not read back", name);
    }
    return 0;
}
