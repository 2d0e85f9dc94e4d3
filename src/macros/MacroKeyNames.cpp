#include "macros/MacroKeyNames.h"

#include "buttons/KeyTable.h"

#include <array>

namespace zentro {

namespace {

struct VkName {
    uint8_t vk;
    const char* name;
};

constexpr VkName VK_NAMES[] = {
    {0x08, "Backspace"},
    {0x09, "Tab"},
    {0x0D, "Enter"},
    {0x13, "Pause"},
    {0x14, "Caps Lock"},
    {0x1B, "Esc"},
    {0x20, "Space"},
    {0x21, "Page Up"},
    {0x22, "Page Down"},
    {0x23, "End"},
    {0x24, "Home"},
    {0x25, "Left"},
    {0x26, "Up"},
    {0x27, "Right"},
    {0x28, "Down"},
    {0x29, "Select"},
    {0x2B, "Execute"},
    {0x2C, "Prnt Scrn"},
    {0x2D, "Insert"},
    {0x2E, "Delete"},
    {0x2F, "Help"},
    {0x5B, "Left Windows"},
    {0x5C, "Right Windows"},
    {0x5D, "App"},
    {0x6A, "Num *"},
    {0x6B, "Num +"},
    {0x6C, "Num Enter"},
    {0x6D, "Num -"},
    {0x6E, "Num Del"},
    {0x6F, "Num /"},
    {0x90, "Num Lock"},
    {0x91, "Scroll Lock"},
    {0xA0, "Shift"},
    {0xA1, "Right Shift"},
    {0xA2, "Ctrl"},
    {0xA3, "Right Ctrl"},
    {0xA4, "Alt"},
    {0xA5, "Right Alt"},
    {0xBA, ";"},
    {0xBB, "="},
    {0xBC, ","},
    {0xBD, "-"},
    {0xBE, "."},
    {0xBF, "/"},
    {0xC0, "`"},
    {0xDB, "["},
    {0xDC, "\\"},
    {0xDD, "]"},
    {0xDE, "'"},
    {0xF1, "L-Button"},
    {0xF2, "R-Button"},
    {0xF3, "M-Button"},
    {0xF4, "Button 4"},
    {0xF5, "Button 5"},
};

// Every name by code, built once; the runs of digits, letters, keypad digits and function
// keys are generated.
const std::array<std::string, 256>& VkNameTable()
{
    static const std::array<std::string, 256> table = [] {
        std::array<std::string, 256> t;
        for (const VkName& entry : VK_NAMES) {
            t[entry.vk] = entry.name;
        }
        for (unsigned c = 0x30; c <= 0x39; ++c) {
            t[c] = std::string(1, static_cast<char>(c));
        }
        for (unsigned c = 0x41; c <= 0x5A; ++c) {
            t[c] = std::string(1, static_cast<char>(c));
        }
        for (unsigned c = 0x60; c <= 0x69; ++c) {
            t[c] = "Num " + std::to_string(c - 0x60);
        }
        for (unsigned c = 0x70; c <= 0x7B; ++c) {
            t[c] = "F" + std::to_string(c - 0x70 + 1);
        }
        return t;
    }();
    return table;
}

} // namespace

std::string GetKeyStr(unsigned vk)
{
    if (vk > 0xFF) {
        return std::string();
    }
    return VkNameTable()[vk];
}

uint8_t MacroKeyNameToUsage(const std::string& name)
{
    if (name == "App") {
        return 0x65;
    }
    if (name == "Application") {
        return 0;
    }
    if (name == "Left GUI") {
        return 0xE3;
    }
    return KeyNameToUsage(name);
}

std::string MacroKeyNameForUsage(uint8_t usage)
{
    if (usage == 0x65)
        return "App";
    if (usage >= 0xF0) // the mouse's own button codes are no keyboard keys
        return std::string();
    std::string name = KeyUsageToName(usage);
    return name == "N/A" ? std::string() : name;
}

} // namespace zentro
