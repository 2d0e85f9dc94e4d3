#pragma once

#include <Qt>

#include <cstdint>
#include <optional>

#include "controls/UiServices.h"

class QKeyEvent;

// Qt key events to Windows virtual-key codes with the extended and released flags, as the
// low-level keyboard hook of the key dialog and the macro recorder sees them:
//
//   - keys are named by their place on a US keyboard, so shifted symbols give the key that
//     carries them ("!" is the 1 key, "_" the minus key);
//   - the keypad (Qt's KeypadModifier) has its own codes: digits 0x60-0x69, operators
//     0x6A-0x6F; keypad Enter is Enter (0x0D) with the extended flag, which HookKeyCode turns
//     into 0x6C ("Num Enter"); with Num Lock off the keypad gives the plain navigation codes;
//   - left and right Shift, Ctrl, Alt and Windows keys are told apart by the native key symbol
//     (X11 keysym, also filled in on Wayland); without one the left key is assumed;
//   - the extended flag is set where Windows sets it: right Ctrl and Alt, the navigation block,
//     the arrows, keypad / and Enter, Num Lock, Print Screen, the Windows and menu keys and the
//     media keys;
//   - a key without a Windows code gives code 0 (no name).
//
// Where the platform's native scan code is the XKB keycode (X11, Wayland), the key is taken by
// its position instead, whatever the layout makes of it: the keycode gives the USB usage of the
// key (CapturedKey::usage), and the code and flag are those of the key in that place on a US
// keyboard, so the German "z" (the US "y" key) gives usage 0x1C and code 0x59. Keys a US
// keyboard lacks (the ISO key beside left Shift, the Japanese and Korean keys) keep code 0 and
// are told apart by their usage.

namespace zentro {

// `nativeVirtualKey` is QKeyEvent::nativeVirtualKey() (an X11 keysym), 0 when unknown;
// `xkbKeycode` the key's XKB keycode (evdev code + 8), 0 when unknown.
CapturedKey TranslateQtKey(int qtKey, Qt::KeyboardModifiers modifiers, uint32_t nativeVirtualKey,
                           bool released, uint32_t xkbKeycode = 0);
CapturedKey TranslateKeyEvent(const QKeyEvent& event);

// The USB usage of the key with XKB keycode `keycode`, 0 when the capture does not take it by
// position; and the other way round (0 for none).
uint8_t UsageOfXkbKeycode(uint32_t keycode);
uint32_t XkbKeycodeOfUsage(uint8_t usage);

// Hook codes of keys without a Windows code: this bit plus the key's usage.
constexpr uint32_t KEY_WITHOUT_VK = 0x100;

// The code the hook procedures name: keypad Enter (0x0D, extended) becomes 0x6C; a key without
// a Windows code is KEY_WITHOUT_VK | usage.
uint32_t HookKeyCode(const CapturedKey& key);

// The left and right Windows keys (0x5B, 0x5C).
constexpr bool IsWindowsKey(uint32_t vk)
{
    return vk == 0x5B || vk == 0x5C;
}

} // namespace zentro
