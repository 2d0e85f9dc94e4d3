#include "profile/ProfileListOperations.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>

#include "platform/AtomicFile.h"
#include "platform/DebugLog.h"
#include "platform/PrivateProfile.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileOperations.h"
#include "profile/ProfileRecord.h"

namespace zentro {

namespace {

constexpr const char* PROFILE_SECTION = "Profile";

bool StartsWithNoCase(const std::string& text, const std::string& prefix)
{
    if (prefix.size() > text.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        auto lower = [](char c) {
            return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        };
        if (lower(text[i]) != lower(prefix[i]))
            return false;
    }
    return true;
}

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    if (SettingsFileSize(path) < 0)
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool Fail(std::string* reason, const std::string& text)
{
    DebugOutput("Profile list: " + text + "\n");
    if (reason)
        *reason = text;
    return false;
}

// The content a position's files get; nullopt: the file goes.
struct ProfileFilePair {
    std::optional<std::string> settings;
    std::optional<ProfileRecord> defaults; // written as the settings file when set
    std::optional<std::string> texts;
    bool factory = false; // the texts still need IsDefault=N
};

ProfileFilePair FactoryPair()
{
    ProfileFilePair pair;
    pair.factory = true;
    const std::string factory = ProgramFilePath("config.bin");
    if (SettingsFileSize(factory) == static_cast<long long>(SETTINGS_FILE_SIZE))
        pair.settings = ReadWholeFile(factory);
    if (!pair.settings) {
        ProfileRecord defaults{};
        LoadDefaults(defaults);
        pair.defaults = defaults;
    }
    // The default texts are those of str.ini, without its list.
    pair.texts = ReadWholeFile(ProgramFilePath("str.ini")).value_or(std::string());
    return pair;
}

bool WriteOrRemove(const std::string& path, const std::optional<std::string>& content,
                   std::string* reason)
{
    if (content) {
        int error = 0;
        if (!WriteFileAtomically(path, content->data(), content->size(), &error))
            return Fail(reason, "cannot write " + path + ": " + std::strerror(error));
        return true;
    }
    if (std::remove(path.c_str()) != 0 && errno != ENOENT)
        return Fail(reason, "cannot remove " + path + ": " + std::strerror(errno));
    return true;
}

} // namespace

std::string NextProfileName(const std::string& prefix, const std::vector<std::string>& names)
{
    if (names.empty())
        return prefix + " 1";
    const std::string& last = names.back();
    const size_t space = last.find(' ');
    if (space == std::string::npos)
        return last + " " + std::to_string(names.size());
    const long long k = ParseLeadingInt(last.substr(space + 1));
    return prefix + " " + std::to_string(k + 1);
}

int FindProfileNamePrefix(const std::vector<std::string>& names, const std::string& text)
{
    const int count = static_cast<int>(names.size());
    for (int step = 0; step < count; ++step) {
        const int i = (step + 1) % count;
        if (StartsWithNoCase(names[static_cast<size_t>(i)], text))
            return i;
    }
    return -1;
}

int FindCurrentProfileEntry(const std::vector<std::string>& names, const std::string& current,
                            int loadedNumber)
{
    int exact = -1;
    for (int i = 0; i < static_cast<int>(names.size()); ++i)
        if (names[static_cast<size_t>(i)] == current)
            exact = i;
    if (exact >= 0) {
        if (loadedNumber >= 0 && loadedNumber < static_cast<int>(names.size()) &&
            names[static_cast<size_t>(loadedNumber)] == current)
            return loadedNumber;
        return exact;
    }
    return FindProfileNamePrefix(names, current);
}

int RenumberedProfile(const std::vector<EditedProfileEntry>& entries, int oldNumber)
{
    if (oldNumber < 0)
        return -1;
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].source == oldNumber && !entries[i].copy)
            return static_cast<int>(i);
    return -1;
}

bool RearrangeProfileFiles(const std::vector<EditedProfileEntry>& entries, int oldCount,
                           std::string* reason)
{
    // Everything is read before anything is written: a position may be both a source and a
    // target.
    std::vector<std::optional<ProfileFilePair>> plan(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const int source = entries[i].source;
        if (source == static_cast<int>(i))
            continue;
        if (source == PROFILE_SOURCE_FACTORY) {
            plan[i] = FactoryPair();
            continue;
        }
        if (source < 0 || source >= MAX_PROFILE_COUNT)
            return Fail(reason, "no profile " + std::to_string(source) + " to take files from");
        ProfileFilePair pair;
        pair.settings = ReadWholeFile(ProgramFilePath(SettingsFileName(source)));
        pair.texts = ReadWholeFile(ProgramFilePath(ProfileIniFileName(source)));
        plan[i] = pair;
    }

    for (size_t i = 0; i < entries.size(); ++i) {
        if (!plan[i])
            continue;
        const int n = static_cast<int>(i);
        const std::string settings = ProgramFilePath(SettingsFileName(n));
        const std::string texts = ProgramFilePath(ProfileIniFileName(n));
        int error = 0;
        if (plan[i]->defaults && !WriteSettingsFile(settings, *plan[i]->defaults, &error))
            return Fail(reason, "cannot write " + settings + ": " + std::strerror(error));
        if ((!plan[i]->defaults && !WriteOrRemove(settings, plan[i]->settings, reason)) ||
            !WriteOrRemove(texts, plan[i]->texts, reason))
            return false;
        if (plan[i]->factory) {
            // str.ini's list is no profile's; the new profile is not initialised yet.
            if (!DeletePrivateProfileSection(PROFILE_SECTION, texts) ||
                !WritePrivateProfileString(PROFILE_SECTION, "IsDefault", "N", texts))
                return Fail(reason, "cannot write " + texts);
        }
        DebugPrintf("Profile %d takes the files of %d.\n", n, entries[i].source);
    }

    for (int n = static_cast<int>(entries.size()); n < std::min(oldCount, MAX_PROFILE_COUNT); ++n) {
        if (!WriteOrRemove(ProgramFilePath(SettingsFileName(n)), std::nullopt, reason) ||
            !WriteOrRemove(ProgramFilePath(ProfileIniFileName(n)), std::nullopt, reason))
            return false;
        DebugPrintf("Profile %d is gone.\n", n);
    }
    return true;
}

bool CommitProfileList(const std::vector<EditedProfileEntry>& entries, int selected, int oldCount,
                       std::string* reason)
{
    const std::string listFile = ProgramFilePath("str.ini");
    if (SettingsFileSize(listFile) < 0)
        return Fail(reason, "no profile list: " + listFile + " is missing");
    if (entries.size() > static_cast<size_t>(MAX_PROFILE_COUNT))
        return Fail(reason, "more than " + std::to_string(MAX_PROFILE_COUNT) + " profiles");
    if (!RearrangeProfileFiles(entries, oldCount, reason))
        return false;

    const int current =
        (selected >= 0 && selected < static_cast<int>(entries.size())) ? selected : 0;
    std::vector<std::pair<std::string, std::string>> keys;
    keys.emplace_back("CurProfileName",
                      entries.empty() ? std::string() : entries[static_cast<size_t>(current)].name);
    if (!entries.empty()) {
        keys.emplace_back("ItemCount", std::to_string(entries.size()));
        for (size_t i = 0; i < entries.size(); ++i)
            keys.emplace_back("Item" + std::to_string(i), entries[i].name);
    }
    if (!DeletePrivateProfileSection(PROFILE_SECTION, listFile) ||
        !WritePrivateProfileStrings(PROFILE_SECTION, keys, listFile))
        return Fail(reason, "cannot write the profile list to " + listFile);
    CurrentProfileNumber = static_cast<uint8_t>(current);

    // The profile in memory is still the same profile, at its new number.
    const int before = g_nSelectedProfile;
    g_nSelectedProfile = RenumberedProfile(entries, before);
    if (g_nSelectedProfile >= 0 && g_nSelectedProfile != before && !g_bImportPending) {
        g_strSettingsFile = ProgramFilePath(SettingsFileName(g_nSelectedProfile));
        g_strProfileIniFile = ProgramFilePath(ProfileIniFileName(g_nSelectedProfile));
    }
    return true;
}

} // namespace zentro
