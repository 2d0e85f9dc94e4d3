#pragma once

#include <array>
#include <cstdint>

// The four system pointer settings as the Windows program hands them to SystemParametersInfo:
// enhanced pointer precision (SPI_SETMOUSE), pointer speed, wheel scroll lines and double-click
// time.

namespace zentro {

constexpr uint32_t WHEEL_PAGESCROLL = 0xFFFFFFFFu;

struct PointerSettingsValues {
    std::array<int, 3> mouse{};    // SPI_SETMOUSE: thresholds 1 and 2, acceleration
    uint32_t mouseSpeed = 0;       // SPI_SETMOUSESPEED: 1-20
    uint32_t wheelScrollLines = 0; // SPI_SETWHEELSCROLLLINES: lines, or WHEEL_PAGESCROLL
    uint32_t doubleClickTime = 0;  // SPI_SETDOUBLECLICKTIME: milliseconds

    bool EnhancedPrecision() const { return mouse[2] != 0; }
    bool operator==(const PointerSettingsValues&) const = default;
};

} // namespace zentro
