#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "profile/ProfileRecord.h"

// The files of the profiles, all in the executable's directory:
//
//   config%d.bin  settings file of profile %d (0-5): flag byte 1, then the 1790-byte record
//   config.bin    factory settings, read only during a factory reset
//   str%d.ini     texts of profile %d: button labels (one section per UI language), Skins,
//                 Point, and Profile/IsDefault
//   str.ini       the profile list (section Profile: ItemCount, Item0.., CurProfileName) and
//                 the default texts of a factory reset
//   record.ini    the macros of all profiles
//
// The program never creates a settings file; a profile whose settings file is missing is
// never saved. Settings files are replaced atomically, so a crash while saving leaves either
// the old or the new file, never a torn one.
//
// When str.ini holds no usable profile list (ItemCount missing, not a number, or outside
// 1-6), LoadProfileSettings forms no current file names: both stay empty, and every write
// that would go to the current INI file (labels, IsDefault) is skipped with a debug line.
// SaveProfileSettings forms the names of profile CurrentProfileNumber itself, so the only
// files the program ever writes are the profile's own config%d.bin and str%d.ini.
//
// All of this runs on the user-interface thread.

namespace zentro {

constexpr int MAX_PROFILE_COUNT = 6;
constexpr size_t SETTINGS_FILE_SIZE = PROFILE_RECORD_SIZE + 1; // 1791

// ---- program-wide state of the profile files ----

// The current profile's number, 0-5; initially 0. The profile list dialog sets it.
extern uint8_t CurrentProfileNumber;
// Set only while a factory reset runs: the current files are then config.bin and str.ini.
extern bool DefaultFileMode;

// Current file names (full paths). Empty until formed, and empty while the profile list is
// unusable (see above).
extern std::string g_strSettingsFile;   // config%d.bin (or config.bin in DefaultFileMode)
extern std::string g_strProfileIniFile; // str%d.ini (or str.ini in DefaultFileMode)
extern std::string g_strListIniFile;    // str.ini
extern std::string g_strRecordIniFile;  // record.ini

// The flag byte last read from a settings file.
extern uint8_t g_bySettingsFlag;

// The labels of the 12 assignment buttons, by button index. The main window keeps its
// captions in sync with these; SaveButtonLabels writes them.
extern std::array<std::string, BUTTON_COUNT> g_strButtonLabel;

// The Skins and Point texts of the last ReadProfileTexts, as read (up to 1023 characters).
struct ProfileTexts {
    std::string RColor, GColor, BColor; // Skins: text colour of the edit controls
    std::string Path;                   // Skins: not used
    std::string Lan;                    // Skins: UI language code
    std::string SensitivityX_Y, SensitivityY_Y, Sensitivity_Y, MouseSpeed_Y; // Point
};
extern ProfileTexts g_ProfileTexts;

// Numbers taken from those texts once at start (ConvertProfileTextValues).
extern std::array<uint8_t, 3> g_byEditTextColor; // red, green, blue
extern std::array<int, 4>
    g_nPointValue; // SensitivityX_Y, SensitivityY_Y, Sensitivity_Y, MouseSpeed_Y

// ---- operations ----

// Finds the current profile in str.ini, forms its file names, reads its settings file into
// the live record and rebuilds the macro slots from record.ini. With an unusable profile list
// nothing is read and the macro slots are not rebuilt.
void LoadProfileSettings();
// The names of str.ini's list and its CurProfileName; false when the list is unusable
// (ItemCount missing, not a number, or outside 1-6).
bool ReadUsableProfileList(std::vector<std::string>& names, std::string& current);
// A str.ini whose list is unusable gets one again, made from the profile files on disk: one
// entry for each number up to the last profile whose files are there (at least one), named as
// the damaged list still names it or "<prefix> <number>", all names different, the current
// name kept when it is among them. Nothing else of str.ini changes, and no profile file is
// touched. True when the list is usable (already, or now); false with the reason when
// str.ini is missing or cannot be written.
bool RepairProfileList(std::string* reason = nullptr);
// The prefix of repaired entries' names in the program's language ("Profile" in English).
std::string RepairedProfileNamePrefix();

// Forms the file names of profile n (0-5) and reads its settings file into the live record.
// Leaves CurrentProfileNumber and the macro slots alone. A number above 5 reads nothing.
void LoadProfileByNumber(uint8_t n);
// Writes the live record to config%d.bin of CurrentProfileNumber, if that file exists.
// True when the file was written.
bool SaveProfileSettings();

// Writes `record` as the settings file `settingsPath` and g_strButtonLabel as Item1..Item12 of
// section `labelSection` of `iniPath` (with Profile/IsDefault=Y when `markInitialised`) as one
// change of both files: either both are written or neither changes. An empty path leaves that
// file out. False with the reason when nothing was written.
bool WriteProfilePair(const std::string& settingsPath, const ProfileRecord& record,
                      const std::string& iniPath, const std::string& labelSection,
                      bool markInitialised, std::string* reason = nullptr);
// SaveProfileSettings and SaveButtonLabels(labelSection) as one change of the profile's two
// files. True when both were written.
bool SaveProfileSettingsAndLabels(const std::string& labelSection);

// Reads Item1..Item12 of section `labelSection` (the labels of one UI language, e.g.
// "Setting-EN"), the Skins and the Point keys from the current INI file (or from `file`) into
// g_strButtonLabel and g_ProfileTexts. An empty section reads every label as empty.
void ReadProfileTexts(const std::string& labelSection);
void ReadProfileTextsFrom(const std::string& file, const std::string& labelSection);
// Writes g_strButtonLabel as Item1..Item12 into section `labelSection` of the current INI file
// (or of `file`). Nothing is written (false, debug line) when the file name or the section is
// empty.
bool SaveButtonLabels(const std::string& labelSection);
bool SaveButtonLabelsTo(const std::string& file, const std::string& labelSection);

// The same in the label section of the current UI language (LabelSectionName()), for the
// window, which follows the loaded text table.
void ReadProfileTexts();
void ReadProfileTextsFrom(const std::string& file);
void SaveButtonLabels();
void SaveButtonLabelsTo(const std::string& file);

// IsDefault of the current INI file: "N" loads the defaults and saves them; "Y" is written
// in every case.
void CheckProfileDefault();

// Converts the colour and Point texts to numbers like _wtoi: leading blanks, an optional
// sign, then digits; anything else gives 0. Colour values are clamped to 0-255.
void ConvertProfileTextValues();
// The language code (Skins/Lan) of the current INI file; empty when missing.
std::string ReadProfileLanguageCode();

// The name of the INI section of the button labels of the current UI language
// (entry 0 of the text table, e.g. "Setting-EN"); empty when no language is loaded.
std::string LabelSectionName();

// Settings file helpers (also used by zentroctl and the import/export of profiles).
// Reads up to 1790 record bytes after the flag byte into `record`; returns the number of
// record bytes read, or -1 when the file could not be opened. *flag gets the flag byte
// (0 when the file is empty).
int ReadSettingsFile(const std::string& path, ProfileRecord& record, uint8_t* flag);
// Writes flag byte 1 and the record, replacing the file atomically. On failure returns false
// and leaves the system error code in *error.
bool WriteSettingsFile(const std::string& path, const ProfileRecord& record, int* error);
// The file's size in bytes, or -1 when it does not exist or is not a regular file.
long long SettingsFileSize(const std::string& path);

// Full path of a file in the executable's directory.
std::string ProgramFilePath(const std::string& name);
std::string SettingsFileName(int n);   // "config%d.bin"
std::string ProfileIniFileName(int n); // "str%d.ini"

// Tests: back to the state at program start.
// A number as _wtoi reads it: leading blanks, an optional sign, digits up to the first other
// character; saturates at INT_MAX; anything else is 0.
long long ParseLeadingInt(const std::string& text);

void ResetProfileFilesForTest();

} // namespace zentro
