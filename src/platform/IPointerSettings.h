#pragma once

#include <array>
#include <cstdint>

namespace zentro {

// Where the pointer settings are set: one call per setting, in the order the program makes
// them; false = not set. Calls come from the pointer-settings worker thread.
class IPointerSettings {
public:
    virtual ~IPointerSettings() = default;
    virtual bool SetMouse(const std::array<int, 3>& mouse) = 0;
    virtual bool SetMouseSpeed(uint32_t speed) = 0;
    virtual bool SetWheelScrollLines(uint32_t lines) = 0;
    virtual bool SetDoubleClickTime(uint32_t milliseconds) = 0;
};

} // namespace zentro
