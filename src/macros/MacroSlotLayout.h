#pragma once

#include <cstddef>
#include <cstdint>

// The encoded form of the twelve macros as the mouse stores them: 12 slots of 130 bytes, of
// which the first 128 of each go to the mouse. The profile record carries them at its end; the
// macro manager keeps a working copy of its own.

namespace zentro {

constexpr size_t MACRO_SLOT_COUNT = 12;
constexpr size_t MACRO_SLOT_SIZE = 130;
constexpr size_t MACRO_BLOCK_SIZE = 128; // the part of a slot that is sent to the mouse

// One slot.
using MacroSlotBytes = uint8_t[MACRO_SLOT_SIZE];
// The 12 slots.
using MacroSlotArray = uint8_t[MACRO_SLOT_COUNT][MACRO_SLOT_SIZE];

} // namespace zentro
