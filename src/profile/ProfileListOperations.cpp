#include "profile/ProfileListOperations.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/ExeDir.h"
#include "platform/FileStatus.h"
#include "platform/FileTransaction.h"
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

std::string ProfileFolder()
{
    std::string folder = GetExeDir();
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

bool Fail(std::string* reason, const std::string& text)
{
    DebugOutput("Profile list: " + text + "\n");
    if (reason)
        *reason = text;
    return false;
}

// What one file of a position becomes.
struct PlannedFile {
    enum class Kind { Remove, Content, Link } kind = Kind::Remove;
    std::string data; // the content, or the link's target
};

// The file at `path` as it is now: its content, the target of a symbolic link (a moved link
// stays a link, its target untouched), or Remove when it does not exist. False (with the
// reason) when it exists but cannot be read whole: it must never count as missing.
bool PlanFrom(const std::string& path, PlannedFile& planned, std::string* reason)
{
    const FileStatus status = LinkStatusOf(path);
    if (status.kind == FileKind::Missing) {
        planned = {};
        return true;
    }
    if (status.kind == FileKind::Unreadable)
        return Fail(reason, "cannot read " + path + ": " + std::strerror(status.error));
    if (status.kind == FileKind::SymbolicLink) {
        std::string target;
        int error = 0;
        if (!ReadSymbolicLink(path, target, &error))
            return Fail(reason, "cannot read the link " + path + ": " + std::strerror(error));
        planned = {PlannedFile::Kind::Link, std::move(target)};
        return true;
    }
    if (status.kind != FileKind::Regular)
        return Fail(reason, path + " is not a file");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Fail(reason, "cannot read " + path + ": " + std::strerror(errno ? errno : EACCES));
    std::string content((std::istreambuf_iterator<char>(in)), {});
    if (in.bad() || static_cast<int64_t>(content.size()) != status.size)
        return Fail(reason, "cannot read " + path + " whole");
    planned = {PlannedFile::Kind::Content, std::move(content)};
    return true;
}

// The factory pair: config.bin (or the defaults when it is not a whole settings file) and the
// default texts of str.ini without its list, marked not initialised.
bool PlanFactory(PlannedFile& settings, PlannedFile& texts, std::string* reason)
{
    const std::string factory = ProgramFilePath("config.bin");
    settings = {};
    if (SettingsFileSize(factory) == static_cast<long long>(SETTINGS_FILE_SIZE) &&
        !PlanFrom(factory, settings, reason))
        return false;
    if (settings.kind != PlannedFile::Kind::Content || settings.data.size() != SETTINGS_FILE_SIZE) {
        ProfileRecord defaults{};
        LoadDefaults(defaults);
        settings = {PlannedFile::Kind::Content, std::string(1, '\x01')};
        settings.data.append(reinterpret_cast<const char*>(defaults.Bytes()), PROFILE_RECORD_SIZE);
    }
    CPrivateProfileEdit edit(ProgramFilePath("str.ini"));
    edit.DeleteSection(PROFILE_SECTION);
    edit.SetKey(PROFILE_SECTION, "IsDefault", "N");
    texts = {PlannedFile::Kind::Content, edit.Render()};
    return true;
}

void AddToTransaction(CFileTransaction& transaction, const std::string& path,
                      const PlannedFile& planned)
{
    switch (planned.kind) {
    case PlannedFile::Kind::Remove:
        transaction.Remove(path);
        break;
    case PlannedFile::Kind::Content:
        transaction.Put(path, planned.data);
        break;
    case PlannedFile::Kind::Link:
        transaction.PutLink(path, planned.data);
        break;
    }
}

// Adds the file moves of the edited list to `transaction`: everything is read before anything
// is written, as a position may be both a source and a target.
bool PlanRearrangement(CFileTransaction& transaction,
                       const std::vector<EditedProfileEntry>& entries, int oldCount,
                       std::string* reason)
{
    struct PositionPlan {
        bool changes = false;
        PlannedFile settings, texts;
    };
    std::vector<PositionPlan> plan(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const int source = entries[i].source;
        if (source == static_cast<int>(i))
            continue;
        plan[i].changes = true;
        if (source == PROFILE_SOURCE_FACTORY) {
            if (!PlanFactory(plan[i].settings, plan[i].texts, reason))
                return false;
            continue;
        }
        if (source < 0 || source >= MAX_PROFILE_COUNT)
            return Fail(reason, "no profile " + std::to_string(source) + " to take files from");
        if (!PlanFrom(ProgramFilePath(SettingsFileName(source)), plan[i].settings, reason) ||
            !PlanFrom(ProgramFilePath(ProfileIniFileName(source)), plan[i].texts, reason))
            return false;
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!plan[i].changes)
            continue;
        const int n = static_cast<int>(i);
        AddToTransaction(transaction, ProgramFilePath(SettingsFileName(n)), plan[i].settings);
        AddToTransaction(transaction, ProgramFilePath(ProfileIniFileName(n)), plan[i].texts);
        DebugPrintf("Profile %d takes the files of %d.\n", n, entries[i].source);
    }
    for (int n = static_cast<int>(entries.size()); n < std::min(oldCount, MAX_PROFILE_COUNT); ++n) {
        transaction.Remove(ProgramFilePath(SettingsFileName(n)));
        transaction.Remove(ProgramFilePath(ProfileIniFileName(n)));
        DebugPrintf("Profile %d is gone.\n", n);
    }
    return true;
}

bool CommitTransaction(CFileTransaction& transaction, std::string* reason)
{
    int error = 0;
    std::string failed;
    if (!transaction.Commit(&error, &failed))
        return Fail(reason, failed + ": " + std::strerror(error ? error : EIO));
    FlushPrivateProfileCache();
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

std::string UniqueProfileName(const std::string& name, const std::vector<std::string>& names)
{
    auto taken = [&](const std::string& candidate) {
        return std::find(names.begin(), names.end(), candidate) != names.end();
    };
    std::string unique = name;
    for (int k = 2; taken(unique); ++k)
        unique = name + " (" + std::to_string(k) + ")";
    return unique;
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

bool CommitProfileList(const std::vector<EditedProfileEntry>& entries, int selected, int oldCount,
                       std::string* reason)
{
    const std::string listFile = ProgramFilePath("str.ini");
    if (SettingsFileSize(listFile) < 0)
        return Fail(reason, "no profile list: " + listFile + " is missing");
    if (entries.size() > static_cast<size_t>(MAX_PROFILE_COUNT))
        return Fail(reason, "more than " + std::to_string(MAX_PROFILE_COUNT) + " profiles");
    // The files on disk must be those of the list the popup opened: a list that cannot be read
    // (and not be repaired) gives no numbers to move files by, so nothing is changed.
    std::vector<std::string> onDisk;
    std::string onDiskCurrent;
    if (!ReadUsableProfileList(onDisk, onDiskCurrent) ||
        static_cast<int>(onDisk.size()) != oldCount)
        return Fail(reason, "the profile list in " + listFile + " changed or cannot be read");
    for (size_t i = 0; i < entries.size(); ++i)
        for (size_t k = 0; k < i; ++k)
            if (entries[i].name == entries[k].name)
                return Fail(reason, "two profiles are named " + entries[i].name);

    CFileTransaction transaction(ProfileFolder());
    if (!PlanRearrangement(transaction, entries, oldCount, reason))
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
    // The list names the files, so it is replaced last, in the same transaction.
    CPrivateProfileEdit list(listFile);
    if (!list.ReplaceSection(PROFILE_SECTION, keys))
        return Fail(reason, "a profile name cannot be stored in " + listFile);
    transaction.Put(listFile, list.Render(), true);
    if (!CommitTransaction(transaction, reason))
        return false;
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
