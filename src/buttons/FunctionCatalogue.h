#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "profile/ProfileRecord.h"

// The catalogue of functions a mouse button can take: every command ID of the button menu,
// what choosing it stores in the record, where its label comes from, and the menu built from
// them (order, submenus, item widths). Pure data and record edits; the menu window and the
// two dialogs live in buttons/ui and macros/ui.

namespace zentro {

// Command IDs of the button menu.
enum ButtonCommandId : int {
    ID_FN_CLICK = 2001,
    ID_FN_MENU = 2002,
    ID_FN_SCROLL = 2003,
    ID_FN_FORWARD = 2004,
    ID_FN_BACK = 2005,
    ID_FN_DOUBLE_CLICK = 2006,
    ID_FN_LEFT_TILT = 2007,
    ID_FN_RIGHT_TILT = 2008,
    ID_FN_KEYBOARD_KEY = 2011,
    ID_FN_MACRO = 2012,
    ID_FN_DEACTIVATED = 2013,
    ID_FN_DPI_UP = 2020,        // 2020-2022: DPI +, DPI -, DPI Loop
    ID_FN_COMMAND_FIRST = 2030, // 2030-2036: additional commands
    ID_FN_MEDIA_FIRST = 2050,   // 2050-2057: multimedia commands
    ID_FN_BASIC_FIRST = 2060,   // 2060-2069: basic commands
};

// The range of command IDs the main window hands to the assignment.
constexpr int BUTTON_COMMAND_MIN = 1001;
constexpr int BUTTON_COMMAND_MAX = 4000;

// Which parameter array an entry writes besides ButtonFunction.
enum class CatalogueParam : uint8_t { None, DpiAction, Media, Basic, Command, Key, Macro };

// Where an entry's menu text and new button label come from.
enum class LabelSource : uint8_t {
    UiText,      // entry `labelIndex` of the current language's text table
    DpiName,     // g_strDpiActionNames[labelIndex]
    MediaName,   // the multimedia name table of the current language
    BasicName,   // the basic-command name table
    CommandName, // the additional-command name table
};

struct CatalogueEntry {
    int id;
    uint8_t function;     // ButtonFunction value
    CatalogueParam param; // the parameter array written
    uint8_t value;        // the parameter value (None: unused)
    LabelSource label;
    int labelIndex;
    // Keyboard key and macro need a dialog before anything is stored.
    bool NeedsDialog() const
    {
        return param == CatalogueParam::Key || param == CatalogueParam::Macro;
    }
};

// Every entry, in ID order.
const std::vector<CatalogueEntry>& FunctionCatalogue();
// The entry of `id`, or null for an ID the catalogue does not know.
const CatalogueEntry* FindCatalogueEntry(int id);

// The menu text and label of an entry in language `code` (the UiText and DPI entries follow
// the loaded text table, which is always that of the current language).
std::string CatalogueLabel(const CatalogueEntry& entry, const std::string& code);

// The structure of the button menu: commands and submenus in order, each menu with its item
// width. A submenu item carries the text entry of its title.
struct MenuItemSpec {
    int id = 0;       // command ID; 0 for a submenu
    int submenu = -1; // index into ButtonMenuSpec::submenus, -1 for a command
};
struct SubmenuSpec {
    int titleEntry; // text table entry of the submenu's title ("DPI Setting +", ...)
    int itemWidth;
    std::vector<int> ids;
};
struct ButtonMenuSpec {
    int itemWidth;
    std::vector<MenuItemSpec> items;
    std::vector<SubmenuSpec> submenus;
};
const ButtonMenuSpec& ButtonMenuStructure();

// The one button that still clicks may not be given another function: true when button `b`
// has FN_CLICK and no other button has it.
bool IsLastClickButton(const ProfileRecord& record, size_t b);

// Stores a simple entry (one that needs no dialog) for button b (0-11). Parameter bytes of
// other kinds stay as they were. False, storing nothing, for an unknown ID, a dialog entry or
// a button index out of range.
bool StoreCatalogueEntry(ProfileRecord& record, size_t b, int id);

// The keyboard key chosen in the key dialog: ButtonKey = code of `keyName` (0 for a name
// without a code), ButtonFunction = FN_KEYBOARD_KEY.
bool StoreKeyboardKey(ProfileRecord& record, size_t b, const std::string& keyName);

// The macro chosen in the macro dialog. Only macro numbers of a device slot (0-11) and run
// modes 0-2 are stored; anything else is refused and nothing changes.
bool StoreMacro(ProfileRecord& record, size_t b, int macroNumber, int runMode);

// The labels of the two dialog entries: "Assign Keyboard Key" + "-" + key name and
// "Macro" + ":" + macro name, in the current language.
std::string KeyboardKeyLabel(const std::string& keyName);
std::string MacroLabel(const std::string& macroName);

} // namespace zentro
