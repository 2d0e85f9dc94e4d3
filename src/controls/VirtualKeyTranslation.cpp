#include "controls/VirtualKeyTranslation.h"

#include <QKeyEvent>

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

CapturedKey TranslateQtKey(int qtKey, Qt::KeyboardModifiers modifiers, uint32_t nativeVirtualKey,
                           bool released)
{
    CapturedKey key;
    key.released = released;
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
                          event.type() == QEvent::KeyRelease);
}

uint32_t HookKeyCode(const CapturedKey& key)
{
    return key.vkCode == 0x0D && key.extended ? 0x6C : key.vkCode;
}

} // namespace zentro
