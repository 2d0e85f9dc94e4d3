#include "macros/MacroKeyNames.h"

#include "buttons/KeyTable.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <set>

namespace zentro {
namespace {

TEST(MacroKeyNamesTest, NamesVirtualKeyCodes)
{
    const std::pair<unsigned, const char*> cases[] = {
        {0x08, "Backspace"},
        {0x0D, "Enter"},
        {0x1B, "Esc"},
        {0x20, "Space"},
        {0x21, "Page Up"},
        {0x28, "Down"},
        {0x29, "Select"},
        {0x2A, ""},
        {0x2C, "Prnt Scrn"},
        {0x2F, "Help"},
        {0x30, "0"},
        {0x39, "9"},
        {0x41, "A"},
        {0x5A, "Z"},
        {0x5B, "Left Windows"},
        {0x5D, "App"},
        {0x5E, ""},
        {0x60, "Num 0"},
        {0x69, "Num 9"},
        {0x6C, "Num Enter"},
        {0x6F, "Num /"},
        {0x70, "F1"},
        {0x7B, "F12"},
        {0x7C, ""},
        {0x90, "Num Lock"},
        {0x91, "Scroll Lock"},
        {0xA0, "Shift"},
        {0xA5, "Right Alt"},
        {0xBA, ";"},
        {0xC0, "`"},
        {0xDB, "["},
        {0xDC, "\\"},
        {0xDE, "'"},
        {0xF0, ""},
        {0xF1, "L-Button"},
        {0xF3, "M-Button"},
        {0xF5, "Button 5"},
        {0x00, ""},
        {0xFF, ""},
        {0x141, ""},
    };
    for (const auto& [vk, name] : cases) {
        EXPECT_EQ(GetKeyStr(vk), name) << std::hex << vk;
    }
}

// The whole recorder table: every virtual-key code 0-255 with its name, written out row by row
// (runs first, then single codes); any code not listed has no name.
TEST(MacroKeyNamesTest, NamesEveryVirtualKeyCodeOfTheTable)
{
    std::map<unsigned, std::string> expected;
    const auto run = [&](unsigned first, std::initializer_list<const char*> names) {
        for (const char* name : names) {
            expected[first++] = name;
        }
    };
    run(0x08, {"Backspace", "Tab"});
    run(0x0D, {"Enter"});
    run(0x13, {"Pause", "Caps Lock"});
    run(0x1B, {"Esc"});
    run(0x20,
        {"Space", "Page Up", "Page Down", "End", "Home", "Left", "Up", "Right", "Down", "Select"});
    run(0x2B, {"Execute", "Prnt Scrn", "Insert", "Delete", "Help"});
    run(0x30, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"});
    for (char c = 'A'; c <= 'Z'; ++c) {
        expected[static_cast<unsigned>(c)] = std::string(1, c);
    }
    run(0x5B, {"Left Windows", "Right Windows", "App"});
    run(0x60, {"Num 0",   "Num 1", "Num 2", "Num 3", "Num 4", "Num 5",     "Num 6",
               "Num 7",   "Num 8", "Num 9", "Num *", "Num +", "Num Enter", "Num -",
               "Num Del", "Num /", "F1",    "F2",    "F3",    "F4",        "F5",
               "F6",      "F7",    "F8",    "F9",    "F10",   "F11",       "F12"});
    run(0x90, {"Num Lock", "Scroll Lock"});
    run(0xA0, {"Shift", "Right Shift", "Ctrl", "Right Ctrl", "Alt", "Right Alt"});
    run(0xBA, {";", "=", ",", "-", ".", "/", "`"});
    run(0xDB, {"[", "\\", "]", "'"});
    run(0xF1, {"L-Button", "R-Button", "M-Button", "Button 4", "Button 5"});
    ASSERT_EQ(expected.size(), 112u);

    for (unsigned vk = 0; vk < 256; ++vk) {
        const auto it = expected.find(vk);
        EXPECT_EQ(GetKeyStr(vk), it == expected.end() ? std::string() : it->second)
            << std::hex << "vk 0x" << vk;
    }
}

TEST(MacroKeyNamesTest, EveryRecordableNameHasADeviceCodeExceptTheKnownFew)
{
    const std::set<std::string> noCode = {"Select", "Execute", "Help", "Button 4", "Button 5"};
    std::set<std::string> names;
    for (unsigned vk = 0; vk < 256; ++vk) {
        const std::string name = GetKeyStr(vk);
        if (name.empty()) {
            continue;
        }
        EXPECT_TRUE(names.insert(name).second) << "duplicate name " << name;
        if (noCode.count(name)) {
            EXPECT_EQ(MacroKeyNameToUsage(name), 0) << name;
        } else {
            EXPECT_NE(MacroKeyNameToUsage(name), 0) << name;
        }
    }
    EXPECT_EQ(names.size(), 112u); // every row of the recorder's key-name table
}

TEST(MacroKeyNamesTest, ManagerTableDiffersFromTheButtonTableOnlyInTwoNames)
{
    EXPECT_EQ(MacroKeyNameToUsage("App"), 0x65);
    EXPECT_EQ(KeyNameToUsage("App"), 0);
    EXPECT_EQ(MacroKeyNameToUsage("Application"), 0);
    EXPECT_EQ(MacroKeyNameToUsage("Left GUI"), 0xE3);
    EXPECT_EQ(MacroKeyNameToUsage("Left Windows"), 0xE3);
    for (const char* name : {"A", "Num Enter", "Enter", "M-Button", "Right Shift", "\\", "a", ""}) {
        EXPECT_EQ(MacroKeyNameToUsage(name), KeyNameToUsage(name)) << name;
    }
    // Every other name of the button table means the same code on the macro side.
    for (unsigned code = 0; code < 256; ++code) {
        const std::string name = KeyUsageToName(static_cast<uint8_t>(code));
        if (name != "N/A" && name != "Application") {
            EXPECT_EQ(MacroKeyNameToUsage(name), code) << name;
        }
    }
}

} // namespace
} // namespace zentro
