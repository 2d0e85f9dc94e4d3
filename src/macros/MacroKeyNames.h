#pragma once

#include <cstdint>
#include <string>

// Key names on the macro side: the recorder names Windows virtual-key codes, and the macro
// manager's encoder turns those names into device key codes.

namespace zentro {

// The name of virtual-key code `vk` as the recorder writes it into macro items ("A",
// "Num Enter", "Left Windows", "App", ...); "" for a code without a name.
std::string GetKeyStr(unsigned vk);

// The device key code of a recorded key name, as the macro manager encodes it: the key table
// of the button side, except that the application key (0x65) is called "App" (not
// "Application") and "Left GUI" is a second name for 0xE3. 0 for an unknown name.
uint8_t MacroKeyNameToUsage(const std::string& name);

// The name the recorder stores for the key at USB usage `usage` (a key taken by its position):
// the one MacroKeyNameToUsage turns back into `usage`, so record.ini reads the same whatever
// layout it was recorded under; "" when the usage has no name.
std::string MacroKeyNameForUsage(uint8_t usage);

} // namespace zentro
