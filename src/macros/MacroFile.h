#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Layout of "record.ini", the one file that holds every macro (shared by all profiles):
//
//   [MacroName]   MacroCount = N, keys "0" ... "N-1" = the macro names in list order
//   [<name>]      DelayTimeSelStatus = 0/1, MacroLoopTimes = loop count as typed,
//                 ItemCount = n, Item0 ... Item<n-1> = the lines of the macro
//
// Everything goes through the private-profile functions, one key at a time. Numbers are read
// the way the file has always been read: leading decimal digits, empty or junk reads as 0.

namespace zentro {

inline constexpr char MACRO_FILE_NAME[] = "record.ini";
inline constexpr char MACRO_LIST_SECTION[] = "MacroName";
inline constexpr char MACRO_COUNT_KEY[] = "MacroCount";
inline constexpr char MACRO_DELAY_STATUS_KEY[] = "DelayTimeSelStatus";
inline constexpr char MACRO_LOOP_KEY[] = "MacroLoopTimes";
inline constexpr char MACRO_ITEM_COUNT_KEY[] = "ItemCount";

// The mouse has 12 macro slots; names listed after the twelfth are never encoded.
constexpr size_t MAX_MACRO_COUNT = 12;
constexpr unsigned MAX_MACRO_LOOP_COUNT = 65535;

// At most this many lines of one macro are ever read. Far more than can be encoded (the slot
// takes at most 63 key events); the bound keeps a hand-edited ItemCount of billions from
// turning a profile load into minutes of lookups of missing keys.
constexpr int MAX_MACRO_ITEMS_READ = 4096;

// "Item%d".
std::string MacroItemKey(int index);

// The leading number of `text`: optional blanks, an optional sign and decimal digits; 0 when
// there are none. Saturates at the int range instead of overflowing.
int ReadProfileInt(const std::string& text);

// A loop count as stored: values outside 1 ... 65535 count as 1.
unsigned ClampLoopCount(long long value);

bool MacroFileExists(const std::string& path);

// MacroCount of the list section (may be negative or absurd in a damaged file).
int ReadMacroCount(const std::string& path);
// Key "index" of the list section; "" when missing.
std::string ReadMacroName(const std::string& path, int index);
// The names of the list in order: MacroCount entries, at most `limit`.
std::vector<std::string> ReadMacroNames(const std::string& path, size_t limit = MAX_MACRO_COUNT);

// One key of a macro's section; "" when missing.
std::string ReadMacroValue(const std::string& path, const std::string& macroName,
                           const std::string& key);

} // namespace zentro
