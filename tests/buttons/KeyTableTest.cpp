#include "buttons/KeyTable.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace zentro {
namespace {

// The expected table, written from the rules of the HID keyboard page rather than copied from
// the program's table: runs of letters, digits, function keys and keypad digits, then the keys
// that have names of their own.
std::map<uint8_t, std::string> ExpectedKeys()
{
    std::map<uint8_t, std::string> keys;
    for (int i = 0; i < 26; ++i) {
        keys[static_cast<uint8_t>(0x04 + i)] = std::string(1, static_cast<char>('A' + i));
    }
    for (int i = 0; i < 9; ++i) {
        keys[static_cast<uint8_t>(0x1E + i)] = std::to_string(i + 1);
    }
    keys[0x27] = "0";
    for (int i = 0; i < 12; ++i) {
        keys[static_cast<uint8_t>(0x3A + i)] = "F" + std::to_string(i + 1);
    }
    for (int i = 0; i < 9; ++i) {
        keys[static_cast<uint8_t>(0x59 + i)] = "Num " + std::to_string(i + 1);
    }
    const std::vector<std::pair<uint8_t, std::string>> named = {
        {0x28, "Enter"},
        {0x29, "Esc"},
        {0x2A, "Backspace"},
        {0x2B, "Tab"},
        {0x2C, "Space"},
        {0x2D, "-"},
        {0x2E, "="},
        {0x2F, "["},
        {0x30, "]"},
        {0x31, "\\"},
        {0x32, "Eurpo(Note 2)"},
        {0x33, ";"},
        {0x34, "'"},
        {0x35, "`"},
        {0x36, ","},
        {0x37, "."},
        {0x38, "/"},
        {0x39, "Caps Lock"},
        {0x46, "Prnt Scrn"},
        {0x47, "Scroll Lock"},
        {0x48, "Pause"},
        {0x49, "Insert"},
        {0x4A, "Home"},
        {0x4B, "Page Up"},
        {0x4C, "Delete"},
        {0x4D, "End"},
        {0x4E, "Page Down"},
        {0x4F, "Right"},
        {0x50, "Left"},
        {0x51, "Down"},
        {0x52, "Up"},
        {0x53, "Num Lock"},
        {0x54, "Num /"},
        {0x55, "Num *"},
        {0x56, "Num -"},
        {0x57, "Num +"},
        {0x58, "Num Enter"},
        {0x62, "Num 0"},
        {0x63, "Num Del"},
        {0x65, "Application"},
        {0xE0, "Ctrl"},
        {0xE1, "Shift"},
        {0xE2, "Alt"},
        {0xE3, "Left Windows"},
        {0xE4, "Right Ctrl"},
        {0xE5, "Right Shift"},
        {0xE6, "Right Alt"},
        {0xE7, "Right Windows"},
        {0xF0, "L-Button"},
        {0xF1, "R-Button"},
        {0xF2, "M-Button"},
    };
    for (const auto& [code, name] : named) {
        keys[code] = name;
    }
    return keys;
}

// The keys other layouts add to the 108 of a US keyboard, by the same rules.
std::map<uint8_t, std::string> OtherLayoutKeys()
{
    std::map<uint8_t, std::string> keys = {
        {0x64, "Non-US \\"},
        {0x67, "Num ="},
        {0x85, "Num ,"},
        {0x87, "Ro"},
        {0x88, "Katakana/Hiragana"},
        {0x89, "Yen"},
        {0x8A, "Henkan"},
        {0x8B, "Muhenkan"},
        {0x8C, "Num JP ,"},
        {0x90, "Hangul"},
        {0x91, "Hanja"},
        {0x92, "Katakana"},
        {0x93, "Hiragana"},
        {0x94, "Zenkaku/Hankaku"},
    };
    for (int i = 0; i < 12; ++i) {
        keys[static_cast<uint8_t>(0x68 + i)] = "F" + std::to_string(i + 13);
    }
    return keys;
}

TEST(KeyTable, EveryCodeHasExactlyTheExpectedName)
{
    auto expected = ExpectedKeys();
    ASSERT_EQ(expected.size(), 108u);
    const auto others = OtherLayoutKeys();
    ASSERT_EQ(others.size(), 26u);
    expected.insert(others.begin(), others.end());
    ASSERT_EQ(expected.size(), 134u);
    for (int c = 0; c < 256; ++c) {
        const auto code = static_cast<uint8_t>(c);
        const auto it = expected.find(code);
        SCOPED_TRACE(c);
        if (it == expected.end()) {
            EXPECT_EQ(KeyUsageToName(code), "N/A");
        } else {
            EXPECT_EQ(KeyUsageToName(code), it->second);
            EXPECT_EQ(KeyNameToUsage(it->second), code);
        }
    }
}

TEST(KeyTable, HasOneHundredThirtyFourDistinctNamesThatRoundTrip)
{
    std::set<std::string> names;
    int codes = 0;
    for (int c = 0; c < 256; ++c) {
        const auto code = static_cast<uint8_t>(c);
        const std::string name = KeyUsageToName(code);
        if (name == "N/A") {
            continue;
        }
        ++codes;
        names.insert(name);
        EXPECT_EQ(KeyNameToUsage(name), code) << name;
    }
    EXPECT_EQ(codes, 134);
    EXPECT_EQ(names.size(), 134u);
}

TEST(KeyTable, ZeroPowerAndCodesPastTheKeysHaveNoName)
{
    EXPECT_EQ(KeyUsageToName(0x66), "N/A");
    EXPECT_EQ(KeyUsageToName(0x00), "N/A");
    EXPECT_EQ(KeyUsageToName(0xE8), "N/A");
    EXPECT_EQ(KeyUsageToName(0xFF), "N/A");
}

TEST(KeyTable, NamesMatchExactlyAndCaseSensitively)
{
    struct Case {
        std::string name;
        uint8_t code;
    };
    const std::vector<Case> cases = {
        {"A", 0x04},
        {"a", 0},
        {"Num Enter", 0x58},
        {"Enter", 0x28},
        {"enter", 0},
        {"ENTER", 0},
        {"Enter ", 0},
        {" Enter", 0},
        {"Num", 0},
        {"Num Enter1", 0},
        {"M-Button", 0xF2},
        {"m-button", 0},
        {"", 0},
        {"N/A", 0},
        {"ctrl", 0},
        {"Left Ctrl", 0},
        {std::string("A\0", 2), 0},
        {"Zz", 0},
        {"\xC3\xA4", 0},
        {"~", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeyNameToUsage(c.name), c.code) << '"' << c.name << '"';
    }
}

} // namespace
} // namespace zentro
