#include "macros/MacroSlotText.h"

namespace zentro {

std::string FormatHexBytes(const uint8_t* data, size_t size)
{
    static constexpr char DIGITS[] = "0123456789abcdef";
    std::string text;
    text.reserve(size * 3);
    for (size_t i = 0; i < size; ++i) {
        if (i > 0) {
            text += ' ';
        }
        text += DIGITS[data[i] >> 4];
        text += DIGITS[data[i] & 0x0F];
    }
    return text;
}

std::string FormatMacroSlots(const MacroSlotArray& slots)
{
    std::string text;
    for (size_t k = 0; k < MACRO_SLOT_COUNT; ++k) {
        text += "slot " + std::to_string(k) + ": " + FormatHexBytes(slots[k], MACRO_SLOT_SIZE);
        text += '\n';
    }
    return text;
}

std::string FormatMacroOverflow(const MacroOverflow& overflow)
{
    return "does not fit: slot " + std::to_string(overflow.slot) + " \"" + overflow.name +
           "\": " + std::to_string(overflow.encodedEvents) + " of " +
           std::to_string(overflow.encodedEvents + overflow.droppedEvents) + " key events encoded";
}

} // namespace zentro
