#pragma once

#include <cstdint>

// The ranges of the record's numbered settings. A record read from a file may hold any byte in
// any field; whatever turns one of these fields into a desktop setting, a value for the mouse or
// the position of a control takes it through the helper of its range first, so an out-of-range
// byte is used as the nearest end of its range and never wraps. The record itself keeps the byte
// as it was read, and files are written with it unchanged.

namespace zentro {

constexpr uint8_t ByteInRange(uint8_t value, uint8_t lowest, uint8_t highest)
{
    return value < lowest ? lowest : (value > highest ? highest : value);
}

// PointerSpeed, DoubleClickSpeed, SensitivityX and SensitivityY: levels 1-11.
constexpr uint8_t LevelInRange(uint8_t level)
{
    return ByteInRange(level, 1, 11);
}

// WheelLines: 1-100 lines per notch.
constexpr uint8_t WheelLinesInRange(uint8_t lines)
{
    return ByteInRange(lines, 1, 100);
}

// LightParam1-3: 1-6.
constexpr uint8_t LightParamInRange(uint8_t param)
{
    return ByteInRange(param, 1, 6);
}

// ReportRate: a divisor of 0 would divide by zero and stands for 2 (500 Hz); any other value
// is the divisor itself.
constexpr uint8_t ReportRateInRange(uint8_t divisor)
{
    return divisor == 0 ? 2 : divisor;
}

} // namespace zentro
