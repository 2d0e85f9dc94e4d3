#pragma once

#include <string>
#include <vector>

// The profile operations the user starts from the profile list and that need no window:
// switching to a profile, importing a profile file and exporting one. They read and write the
// live record and the profile texts through the profile files (ProfileFiles.h) and send
// nothing to the mouse; the new state reaches it only when the user applies. The window shows
// the file dialogs and refreshes its controls afterwards; zentroctl calls them directly.
//
// The file pair of an import or export: a settings file of 1791 bytes (flag byte 1, then the
// record) whose name contains ".bin", and beside it an INI file of the same name with ".ini" in
// place of ".bin", holding Item1..Item12 in the label section of the current UI language.
//
// All of it runs on the user-interface thread.

namespace zentro {

// Window state of the profile list, kept here so that every caller sees the same.
// Set by an import, consumed by the next profile-select command (the confirming click of the
// list after an import only closes it, so the imported data is not replaced).
extern int g_bImportPending;
// The profile selected in the list when it was opened, or last switched to.
extern int g_nSelectedProfile;

struct ProfileListEntry {
    int number = 0; // the position in str.ini, which numbers config%d.bin and str%d.ini
    std::string name;
    bool current = false;
};

// The profiles of str.ini in list order, the current one marked as the program finds it at
// start (the last entry whose name equals CurProfileName). False with a reason when str.ini
// is missing or holds no usable list. `currentName`, when given, gets CurProfileName as written.
bool ReadProfileList(std::vector<ProfileListEntry>& list, std::string* reason = nullptr,
                     std::string* currentName = nullptr);

// The reason given for a profile number (or other text) `asked` that is not one of the
// `count` profiles of the list, numbered from 0.
std::string NoSuchProfileMessage(const std::string& asked, size_t count);

// True when profile n is in the list of str.ini and its settings file is there.
bool CanSelectProfile(int n, std::string* reason = nullptr);

// Makes profile n current as the profile list does on confirm (str.ini's CurProfileName
// becomes the name of entry n, CurrentProfileNumber n), then loads it as the select command
// does: ProfileSlot := n, its settings file into the live record, the first-use check, its
// texts. Clears g_bImportPending and sets g_nSelectedProfile. Nothing is changed and false is
// returned (with the reason) when n cannot be selected.
bool SelectProfile(int n, std::string* reason = nullptr);

// The select command of the profile list for profile p: right after an import it only
// consumes the import; for the profile already selected it does nothing; otherwise it loads
// profile p (str.ini is not touched: the list has written it before). True when a profile
// was loaded, so the window must refresh its markers and captions.
bool OnProfileSelectCommand(int p);

// Imports the profile file pair at `path` into the live record and labels. A name without
// ".bin" (case-sensitive) is refused. A settings file of any size but 1791 bytes is not read,
// but the labels of its ".ini" partner still are. True only when the settings were read;
// otherwise *reason says why. When the file exists and its name is accepted something was taken
// from it: *taken is set to true and so is g_bImportPending (an earlier pending import stays
// pending either way); nothing is saved. When something was taken and `intoProfile` is a
// profile number, that profile becomes current (CurrentProfileNumber and the current file
// names), so the next save writes the import into its files; otherwise nothing else changes.
// No file of the profile folder is read or written on account of the imported file's name.
bool ImportProfileFile(const std::string& path, std::string* reason = nullptr,
                       bool* taken = nullptr, int intoProfile = -1);

// Exports the live record and labels to `path` (".bin" appended to a name without it): the
// ".ini" partner with the labels, then the 1791-byte settings file. Afterwards the current
// profile is read again from its own files, so unapplied changes are dropped. True when the
// settings file was written; *writtenPath (when given) gets the settings file's path.
bool ExportProfileFile(const std::string& path, std::string* reason = nullptr,
                       std::string* writtenPath = nullptr);

// The partner INI file of a profile file: ".bin" replaced by ".ini" in the file's name.
std::string ProfileIniPartner(const std::string& binPath);

// Tests: the window state above back to its start values.
void ResetProfileOperationsForTest();

} // namespace zentro
