#pragma once

#include "macros/MacroEncoding.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Text forms of encoded macro slots, for zentroctl and bug reports.

namespace zentro {

// Lowercase two-digit hex bytes separated by single spaces (the transfer trace's form).
std::string FormatHexBytes(const uint8_t* data, size_t size);

// "slot K: " + the 130 bytes of slot K in hex, one line per slot (K = 0 ... 11).
std::string FormatMacroSlots(const MacroSlotArray& slots);

// One line for a macro that did not fit:
// 'does not fit: slot K "NAME": E of T key events encoded'.
std::string FormatMacroOverflow(const MacroOverflow& overflow);

} // namespace zentro
