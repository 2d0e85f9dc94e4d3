#include "macros/MacroKeyNames.h"

#include "buttons/KeyTable.h"

#include <gtest/gtest.h>

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
}

} // namespace
} // namespace zentro
