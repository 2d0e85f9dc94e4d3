#pragma once

#include <string>
#include <vector>

#include "macros/MacroEncoding.h"
#include "macros/MacroSlotLayout.h"
#include "platform/PrivateProfile.h"

// The macro manager's operations on "record.ini", the one file of all macros. The store keeps
// what the manager's two lists show (the macro names in file order and the items of the
// selected macro), the loop-count text and the manager's 12 working slots, and writes the file
// at once on every editing step, so the file is always current; the window only mirrors the
// store in its controls and reports the results.
//
// Every write that finds no "record.ini" creates it: a missing file must not swallow the
// user's macros. Reading a missing file gives an empty list.

namespace zentro {

// Shared by the manager and the recorder.
extern int g_nCurrentMacro; // index of the selected macro, -1 for none
extern int g_bRecordDelays; // option "Record delay between keystrokes", 0/1
extern int g_bLoopEnabled;  // the loop edit is enabled, 0/1
// [0] name, [1] loop-count text as read, [2...] the items as read; filled on every selection.
extern std::vector<std::string> g_loadedItems;
// [0] name of the macro being recorded, [1] "0"/"1" (delay option at the start), [2] loop-count
// text at the start, [3...] the recorded items.
extern std::vector<std::string> g_recordedItems;

// Resets the shared macro state above to its start values.
void ResetMacroStateForTest();

enum class MacroStoreResult {
    Done,
    NoSelection,  // the operation needs a selected macro
    BlankName,    // a rename to a name of blanks only
    NameTaken,    // a rename to the name of another macro (names are sections: case ignored)
    LimitReached, // a thirteenth macro
    WriteFailed,  // record.ini could not be written; the store and the file are as before
    ReservedName, // the name of the list's own section ("MacroName", case ignored)
    BadName,      // "]", a control character, or enclosed in one pair of quotes
    NameTooLong,  // longer than the file's readers can read back
};

// The one rule for a macro's name, which is also the name of its section in record.ini: it
// must read back exactly as the list shows it. `name` is taken without the blanks around it.
// Done, BlankName, ReservedName, BadName or NameTooLong.
MacroStoreResult CheckMacroNameText(const std::string& name);

class CMacroStore {
public:
    explicit CMacroStore(std::string recordIniPath);

    const std::string& Path() const { return m_strPath; }
    const std::vector<std::string>& Names() const { return m_names; }
    const std::vector<std::string>& Items() const { return m_items; }
    const std::string& LoopText() const { return m_strLoopText; }
    MacroSlotArray& WorkingSlots() { return m_macroSlots; }

    // Replaces the item list of the selected macro (the manager's item editing); nothing is
    // written until WriteSelectedMacro.
    void SetItems(std::vector<std::string> items) { m_items = std::move(items); }

    // Reads the name list and selects the first macro. False (empty list) when the file is
    // missing.
    bool LoadMacroList();
    // Selects macro `index` and reads its loop count, items and delay option. A loop count
    // outside 1-65535 is stored back as 1. False for an index outside the list.
    bool SelectMacro(int index);
    // Saves the name list and the selected macro (its items, loop count and delay option);
    // a macro without items loses its section and its working slot is cleared. False when
    // the list is empty or the file could not be written.
    bool WriteSelectedMacro();
    // Saves a finished recording (g_recordedItems layout). False when `recorded` holds no name.
    bool WriteRecordedMacro(const std::vector<std::string>& recorded);
    // Whether macro `index` may be named `name` (blanks around it dropped): what
    // CheckMacroNameText says, NameTaken (another entry has it, case ignored, as sections
    // are), else Done.
    MacroStoreResult CheckName(int index, const std::string& name) const;
    // Renames the selected macro, keeping its items and loop count under the new section
    // (written in the same replacement of the file that removes the old one). Refuses what
    // CheckName refuses; the old name then stays, as it does when the write fails.
    MacroStoreResult RenameMacro(const std::string& newName);
    // Rewrites the selected macro's section from the item list without the delay option (after
    // a delay value was edited in place).
    bool WriteMacroRename();
    // Removes the selected macro and selects the one at the same place (or the last). When
    // the file cannot be written the macro stays, listed and selected (WriteFailed).
    MacroStoreResult DeleteMacro();
    // Appends a macro named `word` + "_" + number and selects it; at most 12.
    MacroStoreResult CreateMacro(const std::string& word);
    // The loop edit changed: a value outside 1-65535 becomes "1"; the value goes into bytes 0-1
    // of the selected macro's working slot (big-endian) and into the file. False when the list
    // is empty or nothing is selected.
    bool StoreLoopCount(const std::string& text);
    // Encodes every listed macro into the working slots (the manager's OK; with no macro
    // listed every slot is cleared); returns the macros that did not fit.
    std::vector<MacroOverflow> EncodeWorkingSlots();

    // The name a new macro gets after `names`: `word` + "_" + (number after the first "_" of
    // the last name + 1), or count + 1 when there is none; the next free number when that name
    // is taken.
    static std::string NewMacroName(const std::vector<std::string>& names, const std::string& word);

    // The errno of the last write that failed (0 when the last write succeeded).
    int LastWriteError() const { return m_nLastWriteError; }

private:
    void WriteNameList(CPrivateProfileEdit& edit) const;
    void WriteSection(CPrivateProfileEdit& edit, const std::string& name, bool withDelayOption,
                      const std::string& loopText) const;
    bool Commit(CPrivateProfileEdit& edit);
    bool HasSelection() const;
    void ClearWorkingSlot(int index);

    std::string m_strPath;
    std::vector<std::string> m_names;
    std::vector<std::string> m_items;
    std::string m_strLoopText;
    MacroSlotArray m_macroSlots{};
    int m_nLastWriteError = 0;
};

} // namespace zentro
