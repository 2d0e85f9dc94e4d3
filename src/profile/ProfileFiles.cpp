#include "profile/ProfileFiles.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

#include "macros/MacroEncoding.h"
#include "platform/AtomicFile.h"
#include "platform/DebugLog.h"
#include "platform/ExeDir.h"
#include "platform/FileStatus.h"
#include "platform/FileTransaction.h"
#include "platform/PrivateProfile.h"
#include "text/LanguageTexts.h"
#include "text/ProfileListTexts.h"

namespace zentro {

uint8_t CurrentProfileNumber = 0;
bool DefaultFileMode = false;
std::string g_strSettingsFile;
std::string g_strProfileIniFile;
std::string g_strListIniFile;
std::string g_strRecordIniFile;
uint8_t g_bySettingsFlag = 0;
std::array<std::string, BUTTON_COUNT> g_strButtonLabel;
ProfileTexts g_ProfileTexts;
std::array<uint8_t, 3> g_byEditTextColor{};
std::array<int, 4> g_nPointValue{};

namespace {

constexpr const char* PROFILE_SECTION = "Profile";

void FormListAndMacroFileNames()
{
    g_strRecordIniFile = ProgramFilePath("record.ini");
    g_strListIniFile = ProgramFilePath("str.ini");
}

void FormProfileFileNames(int n)
{
    g_strSettingsFile = ProgramFilePath(SettingsFileName(n));
    g_strProfileIniFile = ProgramFilePath(ProfileIniFileName(n));
}

// Step 6 of a load: the current settings file into the live record.
void ReadCurrentSettingsFile(const char* missingText)
{
    DebugOutput(g_strSettingsFile);
    uint8_t flag = 0;
    int read = FileExists(g_strSettingsFile)
                   ? ReadSettingsFile(g_strSettingsFile, g_ProfileRecord, &flag)
                   : -1;
    if (read < 0) {
        DebugOutput(missingText);
        return;
    }
    g_bySettingsFlag = flag;
    DebugPrintf("Program First Run Flag:%d\nRead Size is: %d", flag, read);
}

std::string ReadText(const std::string& section, const std::string& key, const std::string& file)
{
    if (file.empty() || section.empty())
        return std::string();
    return GetPrivateProfileString(section, key, "", file);
}

bool WriteText(const std::string& section, const std::string& key, const std::string& value,
               const std::string& file)
{
    if (file.empty()) {
        DebugOutput("No current profile file; nothing written.\n");
        return false;
    }
    return WritePrivateProfileString(section, key, value, file);
}

} // namespace

// _wtoi: leading blanks, optional sign, digits up to the first other character; saturates.
long long ParseLeadingInt(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value < INT_MAX)
            value = value * 10 + (text[i] - '0');
    }
    if (value > INT_MAX)
        value = INT_MAX;
    return negative ? -value : value;
}

std::string ProgramFilePath(const std::string& name)
{
    return GetExeDir() + name;
}
std::string SettingsFileName(int n)
{
    return "config" + std::to_string(n) + ".bin";
}
std::string ProfileIniFileName(int n)
{
    return "str" + std::to_string(n) + ".ini";
}

long long SettingsFileSize(const std::string& path)
{
    const FileStatus status = StatusOf(path);
    if (status.kind != FileKind::Regular)
        return -1;
    return static_cast<long long>(status.size);
}

int ReadSettingsFile(const std::string& path, ProfileRecord& record, uint8_t* flag)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return -1;
    // Read into a buffer of its own so a short file fills only the leading record bytes and a
    // long one can never run past the record.
    uint8_t buffer[SETTINGS_FILE_SIZE];
    size_t got = std::fread(buffer, 1, sizeof buffer, file);
    std::fclose(file);
    if (flag)
        *flag = got > 0 ? buffer[0] : 0;
    if (got <= 1)
        return 0;
    std::memcpy(record.Bytes(), buffer + 1, got - 1);
    return static_cast<int>(got - 1);
}

bool WriteSettingsFile(const std::string& path, const ProfileRecord& record, int* error)
{
    uint8_t buffer[SETTINGS_FILE_SIZE];
    buffer[0] = 1;
    std::memcpy(buffer + 1, record.Bytes(), PROFILE_RECORD_SIZE);
    // The error code comes from the failing step itself: errno after the call may be stale
    // (a refused target that is no regular file never sets it) or overwritten by the cleanup.
    int code = 0;
    if (WriteFileAtomically(path, buffer, sizeof buffer, &code))
        return true;
    if (error)
        *error = code ? code : EIO;
    return false;
}

void LoadProfileSettings()
{
    FormListAndMacroFileNames();
    // Until a usable list names the current profile there are no current file names.
    g_strSettingsFile.clear();
    g_strProfileIniFile.clear();

    if (DefaultFileMode) {
        g_strSettingsFile = ProgramFilePath("config.bin");
        g_strProfileIniFile = g_strListIniFile;
    } else {
        std::string curName =
            GetPrivateProfileString(PROFILE_SECTION, "CurProfileName", "", g_strListIniFile);
        long long count = ParseLeadingInt(
            GetPrivateProfileString(PROFILE_SECTION, "ItemCount", "", g_strListIniFile));
        if ((count < 1 || count > MAX_PROFILE_COUNT) && FileExists(g_strListIniFile) &&
            RepairProfileList()) {
            curName =
                GetPrivateProfileString(PROFILE_SECTION, "CurProfileName", "", g_strListIniFile);
            count = ParseLeadingInt(
                GetPrivateProfileString(PROFILE_SECTION, "ItemCount", "", g_strListIniFile));
        }
        if (count < 1 || count > MAX_PROFILE_COUNT) {
            // No list names the current profile, so nothing may be saved under a name; but the
            // record shown (and sent on Apply) is profile 0 as saved, never an empty one.
            uint8_t flag = 0;
            if (ReadSettingsFile(ProgramFilePath(SettingsFileName(0)), g_ProfileRecord, &flag) !=
                static_cast<int>(PROFILE_RECORD_SIZE)) {
                DebugOutput("No usable profile list and no profile 0: the factory settings.\n");
                LoadDefaults(g_ProfileRecord);
            }
            return;
        }
        for (int i = 0; i < count; ++i) {
            std::string item = GetPrivateProfileString(PROFILE_SECTION, "Item" + std::to_string(i),
                                                       "", g_strListIniFile);
            if (item == curName)
                CurrentProfileNumber = static_cast<uint8_t>(i);
        }
        FormProfileFileNames(CurrentProfileNumber);
    }

    ReadCurrentSettingsFile("Config file is not exist.\n");
    BuildMacroSlots(g_ProfileRecord.MacroSlot, g_strRecordIniFile);
}

std::string RepairedProfileNamePrefix()
{
    return ProfileListTextsFor(g_strLanguage).namePrefix;
}

bool ReadUsableProfileList(std::vector<std::string>& names, std::string& current)
{
    const std::string listFile = ProgramFilePath("str.ini");
    names.clear();
    current = GetPrivateProfileString(PROFILE_SECTION, "CurProfileName", "", listFile);
    const long long count =
        ParseLeadingInt(GetPrivateProfileString(PROFILE_SECTION, "ItemCount", "", listFile));
    if (count < 1 || count > MAX_PROFILE_COUNT)
        return false;
    for (int i = 0; i < count; ++i)
        names.push_back(
            GetPrivateProfileString(PROFILE_SECTION, "Item" + std::to_string(i), "", listFile));
    return true;
}

bool RepairProfileList(std::string* reason)
{
    const std::string listFile = ProgramFilePath("str.ini");
    if (!FileExists(listFile)) {
        if (reason)
            *reason = "no profile list: " + listFile + " is missing";
        return false;
    }
    std::vector<std::string> names;
    std::string current;
    if (ReadUsableProfileList(names, current))
        return true;
    // One entry for every profile whose files are there, up to the last one; at least one.
    int count = 1;
    for (int n = 0; n < MAX_PROFILE_COUNT; ++n)
        if (FileExists(ProgramFilePath(SettingsFileName(n))) ||
            FileExists(ProgramFilePath(ProfileIniFileName(n))))
            count = n + 1;
    const std::string prefix = RepairedProfileNamePrefix();
    auto taken = [&](const std::string& name) {
        for (const std::string& other : names)
            if (other == name)
                return true;
        return false;
    };
    for (int i = 0; i < count; ++i) {
        // A name the damaged list still holds is kept.
        std::string name =
            GetPrivateProfileString(PROFILE_SECTION, "Item" + std::to_string(i), "", listFile);
        if (name.empty() || taken(name) || !IsStorableValue(name))
            name = prefix + " " + std::to_string(i + 1);
        for (int k = 2; taken(name); ++k)
            name = prefix + " " + std::to_string(i + 1) + " (" + std::to_string(k) + ")";
        names.push_back(name);
    }
    if (!taken(current))
        current = names[0];
    CPrivateProfileEdit edit(listFile);
    edit.SetKey(PROFILE_SECTION, "CurProfileName", current);
    edit.SetKey(PROFILE_SECTION, "ItemCount", std::to_string(count));
    for (int i = 0; i < count; ++i)
        edit.SetKey(PROFILE_SECTION, "Item" + std::to_string(i), names[static_cast<size_t>(i)]);
    for (int i = count; i < MAX_PROFILE_COUNT; ++i)
        edit.DeleteKey(PROFILE_SECTION, "Item" + std::to_string(i));
    int error = 0;
    if (!edit.Commit(&error)) {
        if (reason)
            *reason = "the profile list in " + listFile +
                      " is damaged and cannot be repaired: " + std::strerror(error ? error : EIO);
        DebugOutput("Profile list: cannot repair " + listFile + "\n");
        return false;
    }
    DebugPrintf("Profile list: %s was damaged; repaired from the %d profiles on disk.\n",
                listFile.c_str(), count);
    return true;
}

void LoadProfileByNumber(uint8_t n)
{
    FormListAndMacroFileNames();
    if (n >= MAX_PROFILE_COUNT) {
        DebugPrintf("No profile number %d.\n", n);
        return;
    }
    FormProfileFileNames(n);
    ReadCurrentSettingsFile("Config file is not exist.");
}

bool SaveProfileSettings()
{
    FormProfileFileNames(CurrentProfileNumber);
    if (!FileExists(g_strSettingsFile)) {
        DebugOutput("Config file is not exist.\n");
        return false;
    }
    int error = 0;
    if (!WriteSettingsFile(g_strSettingsFile, g_ProfileRecord, &error)) {
        DebugPrintf("Error Code is: %d \n", error);
        return false;
    }
    DebugPrintf("Data num:%d BYTE -%d BYTE\n Struct size:%d BYTE", 1,
                static_cast<int>(PROFILE_RECORD_SIZE), static_cast<int>(PROFILE_RECORD_SIZE));
    return true;
}

namespace {

std::string SettingsFileBytes(const ProfileRecord& record)
{
    std::string bytes(1, '\x01');
    bytes.append(reinterpret_cast<const char*>(record.Bytes()), PROFILE_RECORD_SIZE);
    return bytes;
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos || slash == 0 ? std::string("/") : path.substr(0, slash);
}

} // namespace

bool WriteProfilePair(const std::string& settingsPath, const ProfileRecord& record,
                      const std::string& iniPath, const std::string& labelSection,
                      bool markInitialised, std::string* reason)
{
    const std::string anyPath = settingsPath.empty() ? iniPath : settingsPath;
    if (anyPath.empty())
        return true;
    CFileTransaction transaction(FolderOf(anyPath));
    if (!settingsPath.empty())
        transaction.Put(settingsPath, SettingsFileBytes(record), true);
    if (!iniPath.empty() && !labelSection.empty()) {
        CPrivateProfileEdit labels(iniPath);
        for (size_t b = 0; b < BUTTON_COUNT; ++b)
            labels.SetKey(labelSection, "Item" + std::to_string(b + 1), g_strButtonLabel[b]);
        if (markInitialised)
            labels.SetKey(PROFILE_SECTION, "IsDefault", "Y");
        transaction.Put(iniPath, labels.Render(), true);
    }
    int error = 0;
    std::string failed;
    if (!transaction.Commit(&error, &failed)) {
        if (reason)
            *reason = "cannot write " + failed + ": " + std::strerror(error ? error : EIO);
        DebugPrintf("Error Code is: %d \n", error);
        return false;
    }
    FlushPrivateProfileCache();
    return true;
}

bool SaveProfileSettingsAndLabels(const std::string& labelSection)
{
    FormProfileFileNames(CurrentProfileNumber);
    // The program never creates a settings file, and labels need a current INI file.
    const bool settings = FileExists(g_strSettingsFile);
    if (!settings)
        DebugOutput("Config file is not exist.\n");
    const bool labels = !labelSection.empty() && !g_strProfileIniFile.empty();
    if (!labels)
        DebugOutput("No label section; button labels not written.\n");
    if (!settings && !labels)
        return false;
    if (!WriteProfilePair(settings ? g_strSettingsFile : std::string(), g_ProfileRecord,
                          labels ? g_strProfileIniFile : std::string(), labelSection, false,
                          nullptr))
        return false;
    if (settings)
        DebugPrintf("Data num:%d BYTE -%d BYTE\n Struct size:%d BYTE", 1,
                    static_cast<int>(PROFILE_RECORD_SIZE), static_cast<int>(PROFILE_RECORD_SIZE));
    return settings && labels;
}

void ReadProfileTextsFrom(const std::string& file, const std::string& labelSection)
{
    for (size_t b = 0; b < BUTTON_COUNT; ++b)
        g_strButtonLabel[b] = ReadText(labelSection, "Item" + std::to_string(b + 1), file);
    ProfileTexts& t = g_ProfileTexts;
    t.RColor = ReadText("Skins", "RColor", file);
    t.GColor = ReadText("Skins", "GColor", file);
    t.BColor = ReadText("Skins", "BColor", file);
    t.Path = ReadText("Skins", "Path", file);
    t.Lan = ReadText("Skins", "Lan", file);
    t.SensitivityX_Y = ReadText("Point", "SensitivityX_Y", file);
    t.SensitivityY_Y = ReadText("Point", "SensitivityY_Y", file);
    t.Sensitivity_Y = ReadText("Point", "Sensitivity_Y", file);
    t.MouseSpeed_Y = ReadText("Point", "MouseSpeed_Y", file);
}

void ReadProfileTexts(const std::string& labelSection)
{
    ReadProfileTextsFrom(g_strProfileIniFile, labelSection);
}

bool SaveButtonLabelsTo(const std::string& file, const std::string& labelSection)
{
    if (labelSection.empty()) {
        // Without a loaded language there is no label section to write into.
        DebugOutput("No label section; button labels not written.\n");
        return false;
    }
    if (file.empty()) {
        DebugOutput("No current profile file; nothing written.\n");
        return false;
    }
    // All twelve labels in one replacement of the file.
    std::vector<std::pair<std::string, std::string>> labels;
    labels.reserve(BUTTON_COUNT);
    for (size_t b = 0; b < BUTTON_COUNT; ++b)
        labels.emplace_back("Item" + std::to_string(b + 1), g_strButtonLabel[b]);
    return WritePrivateProfileStrings(labelSection, labels, file);
}

bool SaveButtonLabels(const std::string& labelSection)
{
    return SaveButtonLabelsTo(g_strProfileIniFile, labelSection);
}

void CheckProfileDefault()
{
    std::string isDefault = ReadText(PROFILE_SECTION, "IsDefault", g_strProfileIniFile);
    if (isDefault == "N") {
        LoadDefaults();
        WriteText(PROFILE_SECTION, "IsDefault", "Y", g_strProfileIniFile);
        SaveProfileSettings();
        return;
    }
    WriteText(PROFILE_SECTION, "IsDefault", "Y", g_strProfileIniFile);
}

void ConvertProfileTextValues()
{
    const ProfileTexts& t = g_ProfileTexts;
    const std::string* colour[3] = {&t.RColor, &t.GColor, &t.BColor};
    for (size_t i = 0; i < 3; ++i) {
        // The low byte of the number is the colour channel ("300" gives 44, "-1" gives 255).
        const long long v = ParseLeadingInt(*colour[i]);
        g_byEditTextColor[i] = static_cast<uint8_t>(static_cast<unsigned long long>(v) & 0xFF);
    }
    const std::string* point[4] = {&t.SensitivityX_Y, &t.SensitivityY_Y, &t.Sensitivity_Y,
                                   &t.MouseSpeed_Y};
    for (size_t i = 0; i < 4; ++i)
        g_nPointValue[i] = static_cast<int>(ParseLeadingInt(*point[i]));
}

std::string ReadProfileLanguageCode()
{
    return ReadText("Skins", "Lan", g_strProfileIniFile);
}

void ResetProfileFilesForTest()
{
    CurrentProfileNumber = 0;
    DefaultFileMode = false;
    g_strSettingsFile.clear();
    g_strProfileIniFile.clear();
    g_strListIniFile.clear();
    g_strRecordIniFile.clear();
    g_bySettingsFlag = 0;
    for (auto& label : g_strButtonLabel)
        label.clear();
    g_ProfileTexts = ProfileTexts{};
    g_byEditTextColor = {};
    g_nPointValue = {};
}

} // namespace zentro
