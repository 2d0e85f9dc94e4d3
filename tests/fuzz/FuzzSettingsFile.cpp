// Feeds arbitrary bytes as a settings file to ReadSettingsFile, then as every file of a
// temporary program directory (profile list, settings file, profile texts, macros) to the
// profile load and save path. Nothing may crash; a read fills exactly the bytes the file
// holds and never runs past the record; a save writes exactly flag byte 1 and the record;
// the program writes no file other than the current profile's own two.

#include "platform/ExeDir.h"
#include "platform/PrivateProfile.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileRecord.h"
#include "text/LanguageTexts.h"
#include "../support/TempDir.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

const std::string& FuzzDir()
{
    // Removed when libFuzzer ends the run through exit().
    static const zentro::test::CTempDir dir("fuzz-settings");
    return dir.Path();
}

void WriteBytes(const std::string& path, const uint8_t* data, size_t size)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    Check(file != nullptr, "cannot create a file in the temporary directory");
    if (size > 0) {
        std::fwrite(data, 1, size, file);
    }
    std::fclose(file);
}

std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::vector<uint8_t> bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return bytes;
    }
    uint8_t buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    std::fclose(file);
    return bytes;
}

std::set<std::string> ListDir(const std::string& dir)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

void ClearDir(const std::string& dir)
{
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::error_code ec;
        std::filesystem::remove_all(entry.path(), ec);
    }
}

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

#pragma pack(push, 1)
struct GuardedRecord {
    uint8_t before[64];
    zentro::ProfileRecord record;
    uint8_t after[256];
};
#pragma pack(pop)

constexpr uint8_t GUARD = 0xC5;
constexpr uint8_t UNTOUCHED = 0x5A;

bool AllAre(const uint8_t* bytes, size_t size, uint8_t value)
{
    return std::all_of(bytes, bytes + size, [value](uint8_t b) { return b == value; });
}

// Part 1: the settings-file reader on its own.
void FuzzReadSettingsFile(const uint8_t* data, size_t size)
{
    const std::string path = FuzzDir() + "/input.bin";
    WriteBytes(path, data, size);
    Check(zentro::SettingsFileSize(path) == static_cast<long long>(size), "file size");

    GuardedRecord guarded;
    std::memset(&guarded, GUARD, sizeof guarded);
    std::memset(&guarded.record, UNTOUCHED, sizeof guarded.record);
    uint8_t flag = 0xEE;
    const int read = zentro::ReadSettingsFile(path, guarded.record, &flag);

    const size_t expected = size <= 1 ? 0 : std::min(size, zentro::SETTINGS_FILE_SIZE) - 1;
    Check(read == static_cast<int>(expected), "record bytes read");
    Check(flag == (size > 0 ? data[0] : 0), "flag byte");
    Check(AllAre(guarded.before, sizeof guarded.before, GUARD), "write before the record");
    Check(AllAre(guarded.after, sizeof guarded.after, GUARD), "write after the record");
    Check(std::memcmp(guarded.record.Bytes(), data + (size > 0 ? 1 : 0), expected) == 0,
          "record bytes differ from the file");
    Check(AllAre(guarded.record.Bytes() + expected, zentro::PROFILE_RECORD_SIZE - expected,
                 UNTOUCHED),
          "record bytes beyond the file changed");
    Check(zentro::ReadSettingsFile(FuzzDir() + "/absent.bin", guarded.record, &flag) == -1,
          "missing file");
    std::remove(path.c_str());
}

// Part 2: the input as every file of the program directory, then load, texts and save.
void FuzzProfileLoad(const uint8_t* data, size_t size)
{
    const std::string& dir = FuzzDir();
    ClearDir(dir);
    zentro::ResetProfileFilesForTest();
    zentro::ResetProfileRecordsForTest();
    zentro::FlushPrivateProfileCache();

    // One profile has a settings file; the others are missing.
    const int present = static_cast<int>(size % zentro::MAX_PROFILE_COUNT);
    std::set<std::string> written = {"str.ini", "record.ini", zentro::SettingsFileName(present),
                                     zentro::ProfileIniFileName(present)};
    for (const auto& name : written) {
        WriteBytes(dir + "/" + name, data, size);
    }

    zentro::LoadProfileSettings();
    Check(zentro::CurrentProfileNumber < zentro::MAX_PROFILE_COUNT, "profile number");
    const std::string settings = zentro::g_strSettingsFile;
    Check(settings.empty() == zentro::g_strProfileIniFile.empty(), "file names formed in pairs");
    if (!settings.empty()) {
        Check(settings == dir + "/" + zentro::SettingsFileName(zentro::CurrentProfileNumber),
              "settings file of the current profile");
        Check(zentro::g_strProfileIniFile ==
                  dir + "/" + zentro::ProfileIniFileName(zentro::CurrentProfileNumber),
              "INI file of the current profile");
    }
    if (!settings.empty() && zentro::CurrentProfileNumber == present && size > 1) {
        // Everything the macro encoder does not own comes from the file as it is.
        const size_t n = std::min(size, zentro::SETTINGS_FILE_SIZE) - 1;
        const uint8_t* rec = zentro::g_ProfileRecord.Bytes();
        const size_t slots = offsetof(zentro::ProfileRecord, MacroSlot);
        for (size_t i = 0; i < n; ++i) {
            const bool macroArea = i >= slots &&
                                   i < slots + zentro::MACRO_SLOT_COUNT * zentro::MACRO_SLOT_SIZE &&
                                   (i - slots) % zentro::MACRO_SLOT_SIZE < zentro::MACRO_BLOCK_SIZE;
            if (!macroArea) {
                Check(rec[i] == data[i + 1], "loaded record differs from the settings file");
            }
        }
        Check(zentro::g_bySettingsFlag == data[0], "loaded flag byte");
    }

    zentro::ReadProfileTexts();
    for (const auto& label : zentro::g_strButtonLabel) {
        Check(Utf16Units(label) <= zentro::PRIVATE_PROFILE_BUFFER - 1, "label too long");
    }
    zentro::ConvertProfileTextValues();
    (void)zentro::ReadProfileLanguageCode();
    zentro::CheckProfileDefault();

    const bool saved = zentro::SaveProfileSettings();
    const std::string own = zentro::SettingsFileName(zentro::CurrentProfileNumber);
    Check(saved == (zentro::CurrentProfileNumber == present), "save only over an existing file");
    if (saved) {
        std::vector<uint8_t> bytes = ReadBytes(dir + "/" + own);
        Check(bytes.size() == zentro::SETTINGS_FILE_SIZE, "saved settings file size");
        Check(bytes[0] == 1, "saved flag byte");
        Check(std::memcmp(bytes.data() + 1, zentro::g_ProfileRecord.Bytes(),
                          zentro::PROFILE_RECORD_SIZE) == 0,
              "saved record differs from the live record");
    }

    // The loader may create the current profile's INI file (IsDefault) and nothing else.
    std::set<std::string> allowed = written;
    if (!zentro::g_strProfileIniFile.empty()) {
        allowed.insert(zentro::ProfileIniFileName(zentro::CurrentProfileNumber));
    }
    for (const auto& name : ListDir(dir)) {
        Check(allowed.count(name) == 1, "unexpected file in the program directory");
    }

    // A profile chosen by number, including numbers past the last profile.
    zentro::LoadProfileByNumber(size > 0 ? data[0] : 0);
    Check(zentro::CurrentProfileNumber < zentro::MAX_PROFILE_COUNT, "profile number by number");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    zentro::SetExeDirOverride(FuzzDir());
    zentro::LoadLanguageTexts("EN");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzReadSettingsFile(data, size);
    FuzzProfileLoad(data, size);
    return 0;
}
