#pragma once

// Names of the entries of the text table (g_strUiText) that the program uses by number.

namespace zentro {

enum UiTextId : int {
    IDS_LABEL_SECTION = 0, // INI section of the button labels of the current language
    IDS_APP_TITLE = 6,
    IDS_RESET = 9,
    IDS_CANCEL = 10,
    IDS_APPLY = 11,
    IDS_CONFIG = 12,
    IDS_TOP_VIEW = 13,
    IDS_SIDE_VIEW = 14,
    IDS_BACK_VIEW = 15,
    IDS_BUTTON_ASSIGNMENT = 16,
    IDS_MACRO_MANAGER = 17,
    IDS_AXIS_SENSITIVITY = 18,
    IDS_DPI_SETTING = 19,
    IDS_LIGHTING = 20,
    IDS_POLLING_RATE = 21,
    IDS_MOUSE_SPEED = 22,
    IDS_DOUBLE_CLICK_SPEED = 23,
    IDS_SCROLL_SPEED = 24,
    IDS_ANGLE_SNAPPING = 25,
    IDS_X_AXIS = 26,
    IDS_Y_AXIS = 27,
    IDS_BUTTON_1 = 28,         // ... IDS_BUTTON_1 + 11: "Button 12"
    IDS_DPI_ACTION_FIRST = 40, // three DPI function names
    IDS_SLOW = 43,
    IDS_FAST = 44,
    IDS_NUMBER_OF_ROWS = 45,
    IDS_SCROLL_ONE_SCREEN = 46,
    IDS_LIGHT_STANDARD = 491, // then "Respiration", "Neon"
    IDS_ONE_CLICK_BUTTON = 523,
    IDS_WEB_ADDRESS = 524,
    IDS_DPI_STAGE_BALLOON = 533, // + stage 1-7
    IDS_MACRO_KEY_BALLOON = 545,
    IDS_EXIT = 546,
    IDS_NOT_DETECTED = 547,
    IDS_DETECTED = 548,
    IDS_RESET_QUESTION = 577,
    IDS_MESSAGE_CAPTION = 578,
    IDS_OFF = 588,
    IDS_ON = 589,
};

// The program's own messages, kept in a small table of their own in each language (read with
// ProgramText, text/LanguageTexts.h), so the numbered table above keeps its 590 entries.
enum ProgramTextId : int {
    IDP_MACRO_NAME_BLANK = 0,       // a rename to a blank name is refused
    IDP_MACRO_NAME_TAKEN = 1,       // a rename to the name of another macro is refused
    IDP_MACRO_MEMORY_USED = 2,      // "%1 of %2 bytes" of the selected macro
    IDP_MACROS_CUT_HEADING = 3,     // first line of the message after OK
    IDP_MACRO_CUT_LINE = 4,         // one line per cut macro: name, events kept, events recorded
    IDP_MACRO_NAME_RESERVED = 5,    // a rename to the name of the list's own section is refused
    IDP_MACRO_NAME_BAD = 6,         // a rename to a name the file cannot hold is refused
    IDP_MACRO_NAME_TOO_LONG = 7,    // a rename to an over-long name is refused
    IDP_MACRO_WRITE_FAILED = 8,     // record.ini could not be written: %1 the system's reason
    IDP_PROFILE_LIST_FAILED = 9,    // the profile list could not be confirmed: %1 the reason
    IDP_PROFILE_IMPORT_FAILED = 10, // a profile file could not be loaded: %1 the reason
    IDP_NOT_RECEIVED = 11,          // an apply or reset whose transfer to the mouse failed
    // Names read by screen readers for controls that show no text of their own.
    IDP_CLOSE = 12,
    IDP_MINIMIZE = 13,
    IDP_HELP = 14,
    IDP_DPI_STAGE = 15,        // "DPI stage %1": a stage's slider and switch
    IDP_DPI_STAGE_COLOR = 16,  // "Colour of DPI stage %1"
    IDP_SENSITIVITY_AXIS = 17, // "%1 sensitivity", %1 the axis ("X axis")
    IDP_PROFILE_LIST = 18,     // the list of profiles
    IDP_MACRO_LIST = 19,       // the macro manager's list of macros
    IDP_MACRO_STEPS = 20,      // the macro manager's list of the selected macro's steps
    PROGRAM_TEXT_COUNT = 21,
};

} // namespace zentro
