#include "controls/VirtualKeyTranslation.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <array>

namespace zentro {

namespace {

struct KeyRow {
    int qtKey;
    uint8_t vk;
    bool extended;
};

// Keys off the keypad. Shifted symbols sit on the key that carries them on a US keyboard.
constexpr KeyRow MAIN_KEYS[] = {
    {Qt::Key_Backspace, 0x08, false},
    {Qt::Key_Tab, 0x09, false},
    {Qt::Key_Backtab, 0x09, false},
    {Qt::Key_Return, 0x0D, false},
    {Qt::Key_Enter, 0x0D, true},
    {Qt::Key_Pause, 0x13, false},
    {Qt::Key_CapsLock, 0x14, false},
    {Qt::Key_Escape, 0x1B, false},
    {Qt::Key_Space, 0x20, false},
    {Qt::Key_PageUp, 0x21, true},
    {Qt::Key_PageDown, 0x22, true},
    {Qt::Key_End, 0x23, true},
    {Qt::Key_Home, 0x24, true},
    {Qt::Key_Left, 0x25, true},
    {Qt::Key_Up, 0x26, true},
    {Qt::Key_Right, 0x27, true},
    {Qt::Key_Down, 0x28, true},
    {Qt::Key_Select, 0x29, false},
    {Qt::Key_Execute, 0x2B, false},
    {Qt::Key_Print, 0x2C, true},
    {Qt::Key_SysReq, 0x2C, true},
    {Qt::Key_Insert, 0x2D, true},
    {Qt::Key_Delete, 0x2E, true},
    {Qt::Key_Help, 0x2F, false},
    {Qt::Key_Exclam, 0x31, false},
    {Qt::Key_At, 0x32, false},
    {Qt::Key_NumberSign, 0x33, false},
    {Qt::Key_Dollar, 0x34, false},
    {Qt::Key_Percent, 0x35, false},
    {Qt::Key_AsciiCircum, 0x36, false},
    {Qt::Key_Ampersand, 0x37, false},
    {Qt::Key_Asterisk, 0x38, false},
    {Qt::Key_ParenLeft, 0x39, false},
    {Qt::Key_ParenRight, 0x30, false},
    {Qt::Key_Meta, 0x5B, true},
    {Qt::Key_Super_L, 0x5B, true},
    {Qt::Key_Super_R, 0x5C, true},
    {Qt::Key_Menu, 0x5D, true},
    {Qt::Key_NumLock, 0x90, true},
    {Qt::Key_ScrollLock, 0x91, false},
    {Qt::Key_Shift, 0xA0, false},
    {Qt::Key_Control, 0xA2, false},
    {Qt::Key_Alt, 0xA4, false},
    {Qt::Key_AltGr, 0xA5, true},
    {Qt::Key_VolumeMute, 0xAD, true},
    {Qt::Key_VolumeDown, 0xAE, true},
    {Qt::Key_VolumeUp, 0xAF, true},
    {Qt::Key_MediaNext, 0xB0, true},
    {Qt::Key_MediaPrevious, 0xB1, true},
    {Qt::Key_MediaStop, 0xB2, true},
    {Qt::Key_MediaPlay, 0xB3, true},
    {Qt::Key_MediaTogglePlayPause, 0xB3, true},
    {Qt::Key_MediaPause, 0xB3, true},
    {Qt::Key_Semicolon, 0xBA, false},
    {Qt::Key_Colon, 0xBA, false},
    {Qt::Key_Equal, 0xBB, false},
    {Qt::Key_Plus, 0xBB, false},
    {Qt::Key_Comma, 0xBC, false},
    {Qt::Key_Less, 0xBC, false},
    {Qt::Key_Minus, 0xBD, false},
    {Qt::Key_Underscore, 0xBD, false},
    {Qt::Key_Period, 0xBE, false},
    {Qt::Key_Greater, 0xBE, false},
    {Qt::Key_Slash, 0xBF, false},
    {Qt::Key_Question, 0xBF, false},
    {Qt::Key_QuoteLeft, 0xC0, false},
    {Qt::Key_AsciiTilde, 0xC0, false},
    {Qt::Key_BracketLeft, 0xDB, false},
    {Qt::Key_BraceLeft, 0xDB, false},
    {Qt::Key_Backslash, 0xDC, false},
    {Qt::Key_Bar, 0xDC, false},
    {Qt::Key_BracketRight, 0xDD, false},
    {Qt::Key_BraceRight, 0xDD, false},
    {Qt::Key_Apostrophe, 0xDE, false},
    {Qt::Key_QuoteDbl, 0xDE, false},
};

// Keys with Qt's KeypadModifier. With Num Lock off the keypad sends navigation keys, which
// Windows reports with their plain codes but without the extended flag.
constexpr KeyRow KEYPAD_KEYS[] = {
    {Qt::Key_Asterisk, 0x6A, false}, {Qt::Key_Plus, 0x6B, false},   {Qt::Key_Minus, 0x6D, false},
    {Qt::Key_Period, 0x6E, false},   {Qt::Key_Comma, 0x6E, false},  {Qt::Key_Delete, 0x2E, false},
    {Qt::Key_Slash, 0x6F, true},     {Qt::Key_Enter, 0x0D, true},   {Qt::Key_Return, 0x0D, true},
    {Qt::Key_Insert, 0x2D, false},   {Qt::Key_End, 0x23, false},    {Qt::Key_Down, 0x28, false},
    {Qt::Key_PageDown, 0x22, false}, {Qt::Key_Left, 0x25, false},   {Qt::Key_Clear, 0x0C, false},
    {Qt::Key_Right, 0x27, false},    {Qt::Key_Home, 0x24, false},   {Qt::Key_Up, 0x26, false},
    {Qt::Key_PageUp, 0x21, false},   {Qt::Key_NumLock, 0x90, true}, {Qt::Key_Equal, 0xBB, false},
};

struct SymRow {
    uint32_t keysym;
    uint8_t vk;
    bool extended;
};

// X11 keysyms of the modifier keys: the left and right keys have their own codes.
constexpr SymRow MODIFIER_KEYSYMS[] = {
    {0xFFE1, 0xA0, false}, // Shift_L
    {0xFFE2, 0xA1, false}, // Shift_R
    {0xFFE3, 0xA2, false}, // Control_L
    {0xFFE4, 0xA3, true},  // Control_R
    {0xFFE9, 0xA4, false}, // Alt_L
    {0xFFEA, 0xA5, true},  // Alt_R
    {0xFE03, 0xA5, true},  // ISO_Level3_Shift (AltGr)
    {0xFFE7, 0x5B, true},  // Meta_L
    {0xFFE8, 0x5C, true},  // Meta_R
    {0xFFEB, 0x5B, true},  // Super_L
    {0xFFEC, 0x5C, true},  // Super_R
};

// Keys by position: the Linux input event code (evdev; XKB keycodes are these plus 8) of each
// USB keyboard usage the key capture takes, as the kernel maps a USB keyboard's usages. Usage
// 0x32 (the ISO key beside Enter) reaches the kernel as the backslash key, so 0x31 stands for
// both. The Windows virtual-key code and extended flag are those of the key in that place on
// a US keyboard; 0 for the keys a US keyboard lacks.
struct PositionRow {
    uint8_t usage;
    uint16_t evdev;
    uint8_t vk;
    bool extended;
};

constexpr PositionRow POSITIONS[] = {
    {0x04, 30, 'A', false},   {0x05, 48, 'B', false},   {0x06, 46, 'C', false},
    {0x07, 32, 'D', false},   {0x08, 18, 'E', false},   {0x09, 33, 'F', false},
    {0x0A, 34, 'G', false},   {0x0B, 35, 'H', false},   {0x0C, 23, 'I', false},
    {0x0D, 36, 'J', false},   {0x0E, 37, 'K', false},   {0x0F, 38, 'L', false},
    {0x10, 50, 'M', false},   {0x11, 49, 'N', false},   {0x12, 24, 'O', false},
    {0x13, 25, 'P', false},   {0x14, 16, 'Q', false},   {0x15, 19, 'R', false},
    {0x16, 31, 'S', false},   {0x17, 20, 'T', false},   {0x18, 22, 'U', false},
    {0x19, 47, 'V', false},   {0x1A, 17, 'W', false},   {0x1B, 45, 'X', false},
    {0x1C, 21, 'Y', false},   {0x1D, 44, 'Z', false},   {0x1E, 2, '1', false},
    {0x1F, 3, '2', false},    {0x20, 4, '3', false},    {0x21, 5, '4', false},
    {0x22, 6, '5', false},    {0x23, 7, '6', false},    {0x24, 8, '7', false},
    {0x25, 9, '8', false},    {0x26, 10, '9', false},   {0x27, 11, '0', false},
    {0x28, 28, 0x0D, false},  {0x29, 1, 0x1B, false},   {0x2A, 14, 0x08, false},
    {0x2B, 15, 0x09, false},  {0x2C, 57, 0x20, false},  {0x2D, 12, 0xBD, false},
    {0x2E, 13, 0xBB, false},  {0x2F, 26, 0xDB, false},  {0x30, 27, 0xDD, false},
    {0x31, 43, 0xDC, false},  {0x33, 39, 0xBA, false},  {0x34, 40, 0xDE, false},
    {0x35, 41, 0xC0, false},  {0x36, 51, 0xBC, false},  {0x37, 52, 0xBE, false},
    {0x38, 53, 0xBF, false},  {0x39, 58, 0x14, false},  {0x3A, 59, 0x70, false},
    {0x3B, 60, 0x71, false},  {0x3C, 61, 0x72, false},  {0x3D, 62, 0x73, false},
    {0x3E, 63, 0x74, false},  {0x3F, 64, 0x75, false},  {0x40, 65, 0x76, false},
    {0x41, 66, 0x77, false},  {0x42, 67, 0x78, false},  {0x43, 68, 0x79, false},
    {0x44, 87, 0x7A, false},  {0x45, 88, 0x7B, false},  {0x46, 99, 0x2C, true},
    {0x47, 70, 0x91, false},  {0x48, 119, 0x13, false}, {0x49, 110, 0x2D, true},
    {0x4A, 102, 0x24, true},  {0x4B, 104, 0x21, true},  {0x4C, 111, 0x2E, true},
    {0x4D, 107, 0x23, true},  {0x4E, 109, 0x22, true},  {0x4F, 106, 0x27, true},
    {0x50, 105, 0x25, true},  {0x51, 108, 0x28, true},  {0x52, 103, 0x26, true},
    {0x53, 69, 0x90, true},   {0x54, 98, 0x6F, true},   {0x55, 55, 0x6A, false},
    {0x56, 74, 0x6D, false},  {0x57, 78, 0x6B, false},  {0x58, 96, 0x0D, true},
    {0x59, 79, 0x61, false},  {0x5A, 80, 0x62, false},  {0x5B, 81, 0x63, false},
    {0x5C, 75, 0x64, false},  {0x5D, 76, 0x65, false},  {0x5E, 77, 0x66, false},
    {0x5F, 71, 0x67, false},  {0x60, 72, 0x68, false},  {0x61, 73, 0x69, false},
    {0x62, 82, 0x60, false},  {0x63, 83, 0x6E, false},  {0x64, 86, 0, false},
    {0x65, 127, 0x5D, true},  {0x67, 117, 0, false},    {0x68, 183, 0x7C, false},
    {0x69, 184, 0x7D, false}, {0x6A, 185, 0x7E, false}, {0x6B, 186, 0x7F, false},
    {0x6C, 187, 0x80, false}, {0x6D, 188, 0x81, false}, {0x6E, 189, 0x82, false},
    {0x6F, 190, 0x83, false}, {0x70, 191, 0x84, false}, {0x71, 192, 0x85, false},
    {0x72, 193, 0x86, false}, {0x73, 194, 0x87, false}, {0x85, 121, 0, false},
    {0x87, 89, 0, false},     {0x88, 93, 0, false},     {0x89, 124, 0, false},
    {0x8A, 92, 0, false},     {0x8B, 94, 0, false},     {0x8C, 95, 0, false},
    {0x90, 122, 0, false},    {0x91, 123, 0, false},    {0x92, 90, 0, false},
    {0x93, 91, 0, false},     {0x94, 85, 0, false},     {0xE0, 29, 0xA2, false},
    {0xE1, 42, 0xA0, false},  {0xE2, 56, 0xA4, false},  {0xE3, 125, 0x5B, true},
    {0xE4, 97, 0xA3, true},   {0xE5, 54, 0xA1, false},  {0xE6, 100, 0xA5, true},
    {0xE7, 126, 0x5C, true},
};

constexpr uint32_t XKB_KEYCODE_OFFSET = 8;
constexpr size_t EVDEV_CODES = 256;

constexpr std::array<uint8_t, EVDEV_CODES> MakeRowByEvdev()
{
    std::array<uint8_t, EVDEV_CODES> rows{};
    for (size_t i = 0; i < std::size(POSITIONS); ++i)
        rows[POSITIONS[i].evdev] = static_cast<uint8_t>(i + 1);
    return rows;
}
// Index + 1 into POSITIONS by evdev code, 0 for none.
constexpr std::array<uint8_t, EVDEV_CODES> ROW_BY_EVDEV = MakeRowByEvdev();
static_assert(std::size(POSITIONS) < 255);

const PositionRow* PositionOfXkbKeycode(uint32_t keycode)
{
    if (keycode < XKB_KEYCODE_OFFSET || keycode - XKB_KEYCODE_OFFSET >= EVDEV_CODES)
        return nullptr;
    const uint8_t row = ROW_BY_EVDEV[keycode - XKB_KEYCODE_OFFSET];
    return row == 0 ? nullptr : &POSITIONS[row - 1];
}

// Qt platforms whose native scan code is the XKB keycode of the key.
bool ScanCodesAreXkbKeycodes()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

template <size_t N> const KeyRow* Find(const KeyRow (&rows)[N], int qtKey)
{
    for (const KeyRow& row : rows)
        if (row.qtKey == qtKey)
            return &row;
    return nullptr;
}

bool IsModifierKey(int qtKey)
{
    return qtKey == Qt::Key_Shift || qtKey == Qt::Key_Control || qtKey == Qt::Key_Alt ||
           qtKey == Qt::Key_AltGr || qtKey == Qt::Key_Meta || qtKey == Qt::Key_Super_L ||
           qtKey == Qt::Key_Super_R;
}

} // namespace

uint8_t UsageOfXkbKeycode(uint32_t keycode)
{
    const PositionRow* row = PositionOfXkbKeycode(keycode);
    return row == nullptr ? 0 : row->usage;
}

uint32_t XkbKeycodeOfUsage(uint8_t usage)
{
    for (const PositionRow& row : POSITIONS)
        if (row.usage == usage)
            return row.evdev + XKB_KEYCODE_OFFSET;
    return 0;
}

CapturedKey TranslateQtKey(int qtKey, Qt::KeyboardModifiers modifiers, uint32_t nativeVirtualKey,
                           bool released, uint32_t xkbKeycode)
{
    CapturedKey key;
    key.released = released;
    if (const PositionRow* row = PositionOfXkbKeycode(xkbKeycode)) {
        key.usage = row->usage;
        key.vkCode = row->vk;
        key.extended = row->extended;
        return key;
    }
    if (IsModifierKey(qtKey)) {
        for (const SymRow& row : MODIFIER_KEYSYMS) {
            if (row.keysym == nativeVirtualKey) {
                key.vkCode = row.vk;
                key.extended = row.extended;
                return key;
            }
        }
    }
    if (modifiers & Qt::KeypadModifier) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
            key.vkCode = 0x60 + static_cast<uint32_t>(qtKey - Qt::Key_0);
            return key;
        }
        if (const KeyRow* row = Find(KEYPAD_KEYS, qtKey)) {
            key.vkCode = row->vk;
            key.extended = row->extended;
            return key;
        }
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        key.vkCode = 0x41 + static_cast<uint32_t>(qtKey - Qt::Key_A);
    } else if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        key.vkCode = 0x30 + static_cast<uint32_t>(qtKey - Qt::Key_0);
    } else if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        key.vkCode = 0x70 + static_cast<uint32_t>(qtKey - Qt::Key_F1);
    } else if (const KeyRow* row = Find(MAIN_KEYS, qtKey)) {
        key.vkCode = row->vk;
        key.extended = row->extended;
    }
    return key;
}

CapturedKey TranslateKeyEvent(const QKeyEvent& event)
{
    return TranslateQtKey(event.key(), event.modifiers(), event.nativeVirtualKey(),
                          event.type() == QEvent::KeyRelease,
                          ScanCodesAreXkbKeycodes() ? event.nativeScanCode() : 0);
}

uint32_t HookKeyCode(const CapturedKey& key)
{
    if (key.vkCode == 0 && key.usage != 0)
        return KEY_WITHOUT_VK | key.usage;
    return key.vkCode == 0x0D && key.extended ? 0x6C : key.vkCode;
}

} // namespace zentro
