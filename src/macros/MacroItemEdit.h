#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Editing the item list of one macro from the macro manager's item menu, and how much of the
// mouse's macro memory a list of items takes. Pure functions on the list the manager shows;
// the manager writes the result to "record.ini" through the macro store.

namespace zentro {

// The bytes of a slot the mouse plays events from (slot bytes 2-127).
constexpr size_t MACRO_EVENT_AREA_SIZE = 126;

// What an edit did: whether the list changed, which entry is selected afterwards (-1 for none)
// and whether the manager saves the macro afterwards.
struct MacroItemEdit {
    bool changed = false;
    int selection = -1;
    bool save = false;
};

// Removes entry `selection`. Without a selection nothing happens and nothing is saved; after
// the removal no entry is selected.
MacroItemEdit DeleteMacroItem(std::vector<std::string>& items, int selection);

// Inserts a click of the mouse button `buttonName` ("L-Button", ...) as a press and a release:
// into an empty list at the start; after a selected key item with the release selected; after
// a selected delay item with the press selected. A list with entries but no selection is left
// as it is. The macro is saved in every case.
MacroItemEdit InsertMacroClick(std::vector<std::string>& items, int selection,
                               const std::string& buttonName);

// Inserts "50 ms" before the selected entry when that entry is not the first one and neither
// it nor the entry before it is a delay; the entry that was selected stays selected. In every
// other case nothing happens and nothing is saved.
MacroItemEdit InsertMacroDelay(std::vector<std::string>& items, int selection);

// The bytes of the event area that `items` need in device form (2 per key event whose pause is
// up to 1270 ms, 6 per longer one), as the encoder counts them while encoding into a scratch
// slot. More than MACRO_EVENT_AREA_SIZE means the encoder cuts the macro.
size_t MacroItemsDeviceBytes(const std::vector<std::string>& items);

} // namespace zentro
