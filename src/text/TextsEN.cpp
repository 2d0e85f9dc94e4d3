// The English user-interface texts, by entry number.

#include "text/LanguageTextData.h"

namespace zentro {

namespace {

constexpr LanguageTextEntry kTexts[] = {
    {0, "Setting-EN"},
    {6, "ZENTRO gaming mouse"},
    {9, "Reset"},
    {10, "Cancel"},
    {11, "Apply"},
    {12, "Config"},
    {13, "Top View"},
    {14, "Side View"},
    {15, "Back"},
    {16, "Button Assignment"},
    {17, "Macro Manager"},
    {18, "Axis Sensitivity"},
    {19, "DPI Setting"},
    {20, "Lighting"},
    {21, "Polling Rate"},
    {22, "Mouse Speed"},
    {23, "Double-Click Speed"},
    {24, "Scroll Speed"},
    {25, "Angle Snapping"},
    {26, "x-Axis"},
    {27, "y-Axis"},
    {28, "Button 1"},
    {29, "Button 2"},
    {30, "Button 3"},
    {31, "Button 4"},
    {32, "Button 5"},
    {33, "Button 6"},
    {34, "Button 7"},
    {35, "Button 8"},
    {36, "Button 9"},
    {37, "Button 10"},
    {38, "Button 11"},
    {39, "Button 12"},
    {40, "DPI +"},
    {41, "DPI -"},
    {42, "DPI Loop"},
    {43, "Slow"},
    {44, "Fast"},
    {45, "Number of Rows"},
    {46, "Scroll One screenn"},
    {491, "Standard"},
    {492, "Respiration"},
    {493, "Neon"},
    {498, "Click"},
    {499, "Menu"},
    {500, "Scroll "},
    {501, "Forward"},
    {502, "Back"},
    {504, "DPI Setting +"},
    {508, "Additional Commands +"},
    {509, "Multimedia Commands +"},
    {510, "Basic Commands +"},
    {512, "Assign Keyboard Key"},
    {515, "Macro"},
    {516, "Deactivated"},
    {517, "Left Tilt Scroll"},
    {518, "Right Tilt Scroll"},
    {519, "Double-Click"},
    {523, "At least one button must be set as the \"click\" function."},
    {534, "Switch DPI into the first stage "},
    {535, "Switch DPI into the second stage "},
    {536, "Switch DPI into the third stage "},
    {537, "Switch DPI into the fourth stage "},
    {538, "Switch DPI into the fifth stage "},
    {539, "Switch DPI into the sixth stage "},
    {540, "Switch DPI into the seven stage "},
    {545, "Switch to macro key"},
    {546, "Exit"},
    {547, "The system did not detect ZENTRO gaming mouse!"},
    {548, "The system detect ZENTRO gaming mouse."},
    {577, "Reset to factory default?"},
    {578, "ATTENTION!!"},
    {588, "OFF"},
    {589, "ON"},
};

// Messages of the macro manager, by program message number (ProgramTextId).
constexpr LanguageTextEntry kMessageTexts[] = {
    {0, "Macro name is blank"},
    {1, "Macro name already exists"},
    {2, "Memory used: %1 of %2 bytes"},
    {3, "These macros are too long for the mouse's memory and were cut:"},
    {4, "%1: %2 of %3 key events kept"},
    {5, "\"MacroName\" is reserved for the list of macros"},
    {6, "A macro name cannot contain ] or control characters, or be enclosed in quotes"},
    {7, "Macro name is too long"},
    {8, "The macros could not be saved (%1). They are as they were before this change."},
    {9, "The profile list could not be saved (%1). The profiles and their files are unchanged."},
    {10, "The profile file could not be loaded: %1"},
    {11, "The mouse did not receive the settings. They are saved in the profile; check the mouse's "
         "connection and press Apply again."},
    {12, "Close"},
    {13, "Minimize"},
    {14, "Help"},
    {15, "DPI stage %1"},
    {16, "Colour of DPI stage %1"},
    {17, "%1 sensitivity"},
    {18, "Profiles"},
    {19, "Macros"},
    {20, "Steps of the macro"},
};

} // namespace

std::span<const LanguageTextEntry> EnglishTexts()
{
    return kTexts;
}

std::span<const LanguageTextEntry> EnglishMessageTexts()
{
    return kMessageTexts;
}

} // namespace zentro
