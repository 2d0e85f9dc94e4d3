#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "macros/MacroSlotLayout.h"

// Translation of the macros of "record.ini" into the slot form the mouse plays back itself:
// a big-endian loop count (slot bytes 0-1) followed by event records (bytes 2-127), one per
// key press or release, each with the device key code and the pause after it. Bytes 128-129
// of a slot are never written here.

namespace zentro {

// Key name -> device key code of one encoding path (0 for an unknown name).
using MacroKeyCodeFunc = uint8_t (*)(const std::string& name);

// A macro whose events did not all fit into the 126-byte event area of its slot. Such a slot
// keeps the longest run of leading events that fits and leaves no key held down at its end
// (a cut between a press and its release would leave the key stuck on the computer while
// the mouse plays the macro); the rest of the event area is 0. Nothing is ever written
// outside slot bytes 0-127.
struct MacroOverflow {
    size_t slot = 0;          // 0-11
    std::string name;         // the macro's name (its section in "record.ini")
    size_t encodedEvents = 0; // key events written into the slot
    size_t droppedEvents = 0; // key events left out
};

// The result of encoding one macro section. Only the first MAX_MACRO_ITEMS_READ lines of a
// macro are read, so droppedEvents counts the key events among those.
struct MacroEncodeResult {
    size_t encodedEvents = 0;
    size_t droppedEvents = 0;
    size_t requiredBytes = 0; // event-area bytes all the key events would take (may exceed 126)
    bool Fits() const { return droppedEvents == 0; }
};

// Encodes the lines `items` of a macro with loop count `loops` (already clamped) into `slot`
// with `keyCode` (null: every key is code 0): bytes 0-1 the loop count, then the event area.
// Writes only slot bytes 0-127. The line rules are those below.
MacroEncodeResult EncodeMacroItemList(MacroSlotBytes& slot, unsigned loops,
                                      const std::vector<std::string>& items,
                                      MacroKeyCodeFunc keyCode);

// Encodes the macro in section `macroName` of `recordIniPath` into `slot` with `keyCode`.
// Writes only slot bytes 0-127. Bad input has fixed results: a loop count outside 1-65535
// (or junk) is 1; ItemCount 0 (or junk) clears bytes 0-127; a negative ItemCount keeps the
// loop count and leaves the event area empty; a pause that is missing, junk or below 50 ms
// is 50 ms; an unknown key name is code 0; lines that are neither key events nor delays are
// skipped; keys Item<n> and beyond (n = ItemCount) are not part of the macro.
MacroEncodeResult EncodeMacroItems(MacroSlotBytes& slot, const std::string& recordIniPath,
                                   const std::string& macroName, MacroKeyCodeFunc keyCode);

// Profile-load path: encodes every macro listed in `recordIniPath` (at most 12) into `slots`
// (the profile loader hands in the record's MacroSlot area) with KeyNameToUsage. Slots after
// the listed macros are cleared (bytes 0-127): they hold macros that were deleted. A missing
// file leaves every slot unchanged.
void BuildMacroSlots(MacroSlotArray& slots, const std::string& recordIniPath);
// The same; also returns the macros that did not fit (in slot order).
std::vector<MacroOverflow> BuildMacroSlotsReport(MacroSlotArray& slots,
                                                 const std::string& recordIniPath);

// Macro-manager OK path: encodes every macro listed in `recordIniPath` (at most 12) into the
// working slots with MacroKeyNameToUsage. `listCount` and `curSel` are the count and the
// selection of the manager's name list. All 12 working slots are cleared first (bytes 0-127),
// so a deleted macro leaves the mouse; with an empty list or no file they stay empty.
// Returns the macros that did not fit.
std::vector<MacroOverflow> EncodeMacroSaveSlots(MacroSlotArray& slots,
                                                const std::string& recordIniPath, int listCount,
                                                int curSel);

} // namespace zentro
