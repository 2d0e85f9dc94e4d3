#include "buttons/KeyTable.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace zentro {

namespace {

struct KeyEntry {
    std::string_view name;
    uint8_t code;
};

// Ordered by code. Names are case-sensitive; "Ctrl", "Shift" and "Alt" are the left-hand keys,
// 0xF0-0xF2 are the mouse's own codes for its left, right and middle button. Besides the 108
// keys of a US keyboard the table names the keys other layouts add (the ISO key beside left
// Shift, the keypad's "=" and ",", F13-F24, the Japanese and Korean keys), so that every key
// the key capture can take by its position has a name that stores its code.
constexpr KeyEntry kKeys[] = {
    {"A", 0x04},
    {"B", 0x05},
    {"C", 0x06},
    {"D", 0x07},
    {"E", 0x08},
    {"F", 0x09},
    {"G", 0x0A},
    {"H", 0x0B},
    {"I", 0x0C},
    {"J", 0x0D},
    {"K", 0x0E},
    {"L", 0x0F},
    {"M", 0x10},
    {"N", 0x11},
    {"O", 0x12},
    {"P", 0x13},
    {"Q", 0x14},
    {"R", 0x15},
    {"S", 0x16},
    {"T", 0x17},
    {"U", 0x18},
    {"V", 0x19},
    {"W", 0x1A},
    {"X", 0x1B},
    {"Y", 0x1C},
    {"Z", 0x1D},
    {"1", 0x1E},
    {"2", 0x1F},
    {"3", 0x20},
    {"4", 0x21},
    {"5", 0x22},
    {"6", 0x23},
    {"7", 0x24},
    {"8", 0x25},
    {"9", 0x26},
    {"0", 0x27},
    {"Enter", 0x28},
    {"Esc", 0x29},
    {"Backspace", 0x2A},
    {"Tab", 0x2B},
    {"Space", 0x2C},
    {"-", 0x2D},
    {"=", 0x2E},
    {"[", 0x2F},
    {"]", 0x30},
    {"\\", 0x31},
    {"Eurpo(Note 2)", 0x32},
    {";", 0x33},
    {"'", 0x34},
    {"`", 0x35},
    {",", 0x36},
    {".", 0x37},
    {"/", 0x38},
    {"Caps Lock", 0x39},
    {"F1", 0x3A},
    {"F2", 0x3B},
    {"F3", 0x3C},
    {"F4", 0x3D},
    {"F5", 0x3E},
    {"F6", 0x3F},
    {"F7", 0x40},
    {"F8", 0x41},
    {"F9", 0x42},
    {"F10", 0x43},
    {"F11", 0x44},
    {"F12", 0x45},
    {"Prnt Scrn", 0x46},
    {"Scroll Lock", 0x47},
    {"Pause", 0x48},
    {"Insert", 0x49},
    {"Home", 0x4A},
    {"Page Up", 0x4B},
    {"Delete", 0x4C},
    {"End", 0x4D},
    {"Page Down", 0x4E},
    {"Right", 0x4F},
    {"Left", 0x50},
    {"Down", 0x51},
    {"Up", 0x52},
    {"Num Lock", 0x53},
    {"Num /", 0x54},
    {"Num *", 0x55},
    {"Num -", 0x56},
    {"Num +", 0x57},
    {"Num Enter", 0x58},
    {"Num 1", 0x59},
    {"Num 2", 0x5A},
    {"Num 3", 0x5B},
    {"Num 4", 0x5C},
    {"Num 5", 0x5D},
    {"Num 6", 0x5E},
    {"Num 7", 0x5F},
    {"Num 8", 0x60},
    {"Num 9", 0x61},
    {"Num 0", 0x62},
    {"Num Del", 0x63},
    {"Non-US \\", 0x64},
    {"Application", 0x65},
    {"Num =", 0x67},
    {"F13", 0x68},
    {"F14", 0x69},
    {"F15", 0x6A},
    {"F16", 0x6B},
    {"F17", 0x6C},
    {"F18", 0x6D},
    {"F19", 0x6E},
    {"F20", 0x6F},
    {"F21", 0x70},
    {"F22", 0x71},
    {"F23", 0x72},
    {"F24", 0x73},
    {"Num ,", 0x85},
    {"Ro", 0x87},
    {"Katakana/Hiragana", 0x88},
    {"Yen", 0x89},
    {"Henkan", 0x8A},
    {"Muhenkan", 0x8B},
    {"Num JP ,", 0x8C},
    {"Hangul", 0x90},
    {"Hanja", 0x91},
    {"Katakana", 0x92},
    {"Hiragana", 0x93},
    {"Zenkaku/Hankaku", 0x94},
    {"Ctrl", 0xE0},
    {"Shift", 0xE1},
    {"Alt", 0xE2},
    {"Left Windows", 0xE3},
    {"Right Ctrl", 0xE4},
    {"Right Shift", 0xE5},
    {"Right Alt", 0xE6},
    {"Right Windows", 0xE7},
    {"L-Button", 0xF0},
    {"R-Button", 0xF1},
    {"M-Button", 0xF2},
};

constexpr size_t KEY_COUNT = std::size(kKeys);
static_assert(KEY_COUNT == 134);

// Both directions are answered from tables built at compile time: a code-indexed array for
// code to name and the entries sorted by name for a binary search from name to code. Macro
// encoding looks up every item, so neither lookup allocates or scans.
constexpr std::array<std::string_view, 256> MakeNameByCode()
{
    std::array<std::string_view, 256> names{};
    for (const KeyEntry& key : kKeys) {
        names[key.code] = key.name;
    }
    return names;
}

constexpr std::array<KeyEntry, KEY_COUNT> MakeByName()
{
    std::array<KeyEntry, KEY_COUNT> keys{};
    std::copy(std::begin(kKeys), std::end(kKeys), keys.begin());
    std::sort(keys.begin(), keys.end(),
              [](const KeyEntry& a, const KeyEntry& b) { return a.name < b.name; });
    return keys;
}

constexpr std::array<std::string_view, 256> kNameByCode = MakeNameByCode();
constexpr std::array<KeyEntry, KEY_COUNT> kByName = MakeByName();

constexpr bool NamesAndCodesUnique()
{
    for (size_t i = 0; i < KEY_COUNT; ++i) {
        for (size_t j = i + 1; j < KEY_COUNT; ++j) {
            if (kKeys[i].name == kKeys[j].name || kKeys[i].code == kKeys[j].code) {
                return false;
            }
        }
    }
    return true;
}
static_assert(NamesAndCodesUnique(), "the key table must be a one-to-one mapping");

} // namespace

uint8_t KeyNameToUsage(const std::string& name)
{
    const std::string_view wanted = name;
    const auto it = std::lower_bound(
        kByName.begin(), kByName.end(), wanted,
        [](const KeyEntry& key, std::string_view value) { return key.name < value; });
    if (it != kByName.end() && it->name == wanted) {
        return it->code;
    }
    return 0;
}

std::string KeyUsageToName(uint8_t code)
{
    const std::string_view name = kNameByCode[code];
    if (name.empty()) {
        return "N/A";
    }
    return std::string(name);
}

} // namespace zentro
