#pragma once

#include <cstdint>
#include <string>

// The one table between key names ("A", "Num Enter", "L-Button", ...) and the codes the mouse
// wants: HID keyboard usages, plus 0xF0-0xF2 for the left, right and middle mouse button.

namespace zentro {

// The code of the key named exactly `name` (case-sensitive, whole text); 0 when unknown.
uint8_t KeyNameToUsage(const std::string& name);
// The name of the key with `code`; "N/A" when there is none.
std::string KeyUsageToName(uint8_t code);

} // namespace zentro
