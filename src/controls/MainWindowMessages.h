#pragma once

#include <cstdint>

// The messages, commands and view numbers the main window and its parts share.

namespace zentro {

// Posted to the main window by a click in one of its parts: clear the button highlight.
constexpr uint32_t WM_CLEAR_HIGHLIGHT = 0x7F4;

// Posted to the main window by the profile list popup: wParam one of the profile commands,
// lParam the entry (a profile number).
constexpr uint32_t WM_PROFILE_COMMAND = 0xB03;
enum ProfileCommand : uintptr_t {
    PROFILE_CMD_IMPORT = 0,
    PROFILE_CMD_EXPORT = 1,
    PROFILE_CMD_SELECT = 2,
};

// The views of the mouse picture.
enum MouseView : int {
    VIEW_TOP = 1,
    VIEW_SIDE = 2,
    VIEW_BACK = 3,
};

// The help menu's web-address item; no other menu of the window may use its command id.
constexpr int ID_HELP_WEB = 1001;

} // namespace zentro
