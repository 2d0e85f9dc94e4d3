#pragma once

#include <string>

// The text forms of one line of a macro in "record.ini":
//   key press    key name + "   Dn"   ('A   Dn')
//   key release  key name + "   Up"   ('Right Shift   Up')
//   delay        "%d ms"              ('120 ms')
// Lines are classified by substring, in that order; anything else is ignored by the encoders.
// A delay line gives the pause after the key event before it.

namespace zentro {

inline constexpr char MACRO_PRESS_SUFFIX[] = "   Dn";
inline constexpr char MACRO_RELEASE_SUFFIX[] = "   Up";
inline constexpr char MACRO_DELAY_MARK[] = "ms";
inline constexpr char MACRO_DELAY_SUFFIX[] = " ms";

// The names the macro manager gives inserted mouse clicks.
inline constexpr char MACRO_LEFT_BUTTON_NAME[] = "L-Button";
inline constexpr char MACRO_MIDDLE_BUTTON_NAME[] = "M-Button";
inline constexpr char MACRO_RIGHT_BUTTON_NAME[] = "R-Button";

// The pause given to a key event with no delay line after it, and the shortest pause the
// mouse can play.
constexpr int MACRO_DEFAULT_DELAY_MS = 50;

enum class MacroItemKind { Press, Release, Delay, Other };

struct MacroItem {
    MacroItemKind kind = MacroItemKind::Other;
    std::string keyName; // Press and Release: the line with every suffix occurrence removed
    int delayMs = 0;     // Delay: the number left after removing every " ms" (0 if none)
};

MacroItem ParseMacroItem(const std::string& text);

bool IsDelayItem(const std::string& text);

// 'A   Dn' / 'A   Up'.
std::string MakeKeyItem(const std::string& keyName, bool release);
// '120 ms'.
std::string MakeDelayItem(long ms);

// `text` with every occurrence of `what` removed (scanning left to right, not re-scanning the
// joined result).
std::string RemoveAll(const std::string& text, const std::string& what);

} // namespace zentro
