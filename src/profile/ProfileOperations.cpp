#include "profile/ProfileOperations.h"

#include <cerrno>
#include <cstring>

#include "platform/DebugLog.h"
#include "platform/PrivateProfile.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileRecord.h"

namespace zentro {

int g_bImportPending = 0;
int g_nSelectedProfile = 0;

namespace {

constexpr const char* PROFILE_SECTION = "Profile";
constexpr const char* BIN_TEXT = ".bin";

size_t NameStart(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? 0 : slash + 1;
}

// The loading half of the select command: profile p into the live record and texts.
void LoadSelectedProfile(int p)
{
    g_nSelectedProfile = p;
    g_ProfileRecord.ProfileSlot = static_cast<uint8_t>(p);
    LoadProfileByNumber(static_cast<uint8_t>(p));
    CheckProfileDefault();
    ReadProfileTexts();
}

bool Fail(std::string* reason, const std::string& text)
{
    if (reason)
        *reason = text;
    return false;
}

} // namespace

std::string ProfileIniPartner(const std::string& binPath)
{
    const size_t start = NameStart(binPath);
    const size_t at = binPath.rfind(BIN_TEXT);
    if (at == std::string::npos || at < start)
        return binPath + ".ini";
    std::string ini = binPath;
    ini.replace(at, std::strlen(BIN_TEXT), ".ini");
    return ini;
}

bool ReadProfileList(std::vector<ProfileListEntry>& list, std::string* reason,
                     std::string* currentName)
{
    list.clear();
    const std::string listFile = ProgramFilePath("str.ini");
    if (SettingsFileSize(listFile) < 0)
        return Fail(reason, "no profile list: " + listFile + " is missing");
    // A damaged list is made again from the profile files on disk before it is read.
    std::string repairFailure;
    if (!RepairProfileList(&repairFailure))
        return Fail(reason, repairFailure);
    const long count =
        ParseLeadingInt(GetPrivateProfileString(PROFILE_SECTION, "ItemCount", "", listFile));
    if (count < 1 || count > MAX_PROFILE_COUNT)
        return Fail(reason, "the profile list in " + listFile + " is unusable (ItemCount " +
                                std::to_string(count) + ", 1 to 6 expected)");
    const std::string current =
        GetPrivateProfileString(PROFILE_SECTION, "CurProfileName", "", listFile);
    if (currentName)
        *currentName = current;
    int currentNumber = 0; // no match: the program stays with profile 0
    for (int i = 0; i < count; ++i) {
        ProfileListEntry entry;
        entry.number = i;
        entry.name =
            GetPrivateProfileString(PROFILE_SECTION, "Item" + std::to_string(i), "", listFile);
        if (entry.name == current)
            currentNumber = i; // every item is compared: the last match wins
        list.push_back(entry);
    }
    list[static_cast<size_t>(currentNumber)].current = true;
    return true;
}

std::string NoSuchProfileMessage(const std::string& asked, size_t count)
{
    if (count == 0)
        return "no profile " + asked + " (the profile list is empty)";
    if (count == 1)
        return "no profile " + asked + " (profile 0 is the only one)";
    return "no profile " + asked + " (the profiles are 0 to " + std::to_string(count - 1) + ")";
}

namespace {

// The list of str.ini when profile n can be selected from it.
bool ReadSelectableList(int n, std::vector<ProfileListEntry>& list, std::string* reason)
{
    if (!ReadProfileList(list, reason))
        return false;
    if (n < 0 || n >= static_cast<int>(list.size()))
        return Fail(reason, NoSuchProfileMessage(std::to_string(n), list.size()));
    const std::string settings = ProgramFilePath(SettingsFileName(n));
    if (SettingsFileSize(settings) < 0)
        return Fail(reason, "profile " + std::to_string(n) + " has no settings file " + settings);
    return true;
}

} // namespace

bool CanSelectProfile(int n, std::string* reason)
{
    std::vector<ProfileListEntry> list;
    return ReadSelectableList(n, list, reason);
}

bool SelectProfile(int n, std::string* reason)
{
    std::vector<ProfileListEntry> list;
    if (!ReadSelectableList(n, list, reason))
        return false;
    // What the list writes on confirm: the name of the chosen entry and its number.
    const std::string listFile = ProgramFilePath("str.ini");
    if (!WritePrivateProfileString(PROFILE_SECTION, "CurProfileName",
                                   list[static_cast<size_t>(n)].name, listFile))
        return Fail(reason, "cannot write " + listFile + ": " + std::strerror(errno ? errno : EIO));
    CurrentProfileNumber = static_cast<uint8_t>(n);
    g_bImportPending = 0;
    LoadSelectedProfile(n);
    return true;
}

bool OnProfileSelectCommand(int p)
{
    if (g_bImportPending) {
        g_bImportPending = 0; // the imported data stays in memory
        return false;
    }
    if (p == g_nSelectedProfile)
        return false;
    if (p < 0 || p >= MAX_PROFILE_COUNT)
        return false;
    LoadSelectedProfile(p);
    return true;
}

bool ImportProfileFile(const std::string& path, std::string* reason, bool* taken, int intoProfile)
{
    if (taken)
        *taken = false;
    const std::string name = path.substr(NameStart(path));
    if (name.find(BIN_TEXT) == std::string::npos)
        return Fail(reason, path + ": a profile file's name must contain .bin");

    bool read = false;
    const long long size = SettingsFileSize(path);
    if (size >= 0) {
        // Something is taken (at least the labels): the confirming click of the list must
        // not replace it. A refused or missing file leaves the list's selection to decide.
        g_bImportPending = 1;
        if (taken)
            *taken = true;
        if (size == static_cast<long long>(SETTINGS_FILE_SIZE)) {
            ProfileRecord record = g_ProfileRecord;
            uint8_t flag = 0;
            const int got = ReadSettingsFile(path, record, &flag);
            if (got == static_cast<int>(PROFILE_RECORD_SIZE)) {
                g_ProfileRecord = record;
                g_bySettingsFlag = flag;
                DebugPrintf("Program First Run Flag:%d\nRead Size is: %d", flag, got);
                read = true;
            } else if (reason) {
                *reason = path + ": cannot read the file";
            }
        } else if (reason) {
            *reason = path + ": a profile file is " + std::to_string(SETTINGS_FILE_SIZE) +
                      " bytes, this one is " + std::to_string(size);
        }
        ReadProfileTextsFrom(ProfileIniPartner(path));
    } else {
        DebugOutput("Config file is not exist.\n");
        if (reason)
            *reason = path + ": no such file";
    }

    // The import lands in a profile of the list, never in files of the profile folder that
    // merely share the imported file's name (an import of "str2.bin" must not reach str2.ini).
    // No first-use check runs: it would replace what was just imported with the defaults.
    if ((read || (taken && *taken)) && intoProfile >= 0 && intoProfile < MAX_PROFILE_COUNT) {
        CurrentProfileNumber = static_cast<uint8_t>(intoProfile);
        g_strSettingsFile = ProgramFilePath(SettingsFileName(intoProfile));
        g_strProfileIniFile = ProgramFilePath(ProfileIniFileName(intoProfile));
    }
    return read;
}

bool ExportProfileFile(const std::string& pathIn, std::string* reason, std::string* writtenPath)
{
    std::string path = pathIn;
    if (path.substr(NameStart(path)).find(BIN_TEXT) == std::string::npos)
        path += BIN_TEXT;
    if (writtenPath)
        *writtenPath = path;

    SaveButtonLabelsTo(ProfileIniPartner(path));
    int error = 0;
    const bool written = WriteSettingsFile(path, g_ProfileRecord, &error);
    if (written) {
        DebugPrintf("Data num:%d BYTE -%d BYTE\n Struct size:%d BYTE", 1,
                    static_cast<int>(PROFILE_RECORD_SIZE), static_cast<int>(PROFILE_RECORD_SIZE));
    } else {
        DebugPrintf("Error Code is: %d \n", error);
        if (reason)
            *reason = "cannot write " + path + ": " + std::strerror(error);
    }

    // The current profile again as saved.
    LoadProfileSettings();
    CheckProfileDefault();
    return written;
}

void ResetProfileOperationsForTest()
{
    g_bImportPending = 0;
    g_nSelectedProfile = 0;
}

} // namespace zentro
