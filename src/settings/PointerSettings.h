#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "profile/ProfileRecord.h"

// The four system pointer settings a profile carries: enhanced pointer precision, pointer
// speed, wheel scroll lines and double-click time. The values are computed exactly as the
// Windows program hands them to SystemParametersInfo; a backend sets them where the desktop
// allows and says in the debug output what it could not set.

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

PointerSettingsValues ComputePointerSettings(const ProfileRecord& record);

// One call per setting, in the order the program makes them; false = not set.
class IPointerSettings {
public:
    virtual ~IPointerSettings() = default;
    virtual bool SetMouse(const std::array<int, 3>& mouse) = 0;
    virtual bool SetMouseSpeed(uint32_t speed) = 0;
    virtual bool SetWheelScrollLines(uint32_t lines) = 0;
    virtual bool SetDoubleClickTime(uint32_t milliseconds) = 0;
};

// Test double: records every call and answers as configured.
class CRecordingPointerSettings final : public IPointerSettings {
public:
    struct Call {
        std::string name;
        std::vector<int64_t> values;
        bool operator==(const Call&) const = default;
    };
    bool SetMouse(const std::array<int, 3>& mouse) override;
    bool SetMouseSpeed(uint32_t speed) override;
    bool SetWheelScrollLines(uint32_t lines) override;
    bool SetDoubleClickTime(uint32_t milliseconds) override;

    std::vector<Call> calls;
    // Names of calls that should fail ("SetMouse", "SetMouseSpeed", ...).
    std::vector<std::string> failing;

private:
    bool Record(std::string name, std::vector<int64_t> values);
};

// Runs an external program with arguments; returns its exit status (-1 when it cannot run).
using CommandRunner = std::function<int(const std::vector<std::string>& argv)>;
int RunCommand(const std::vector<std::string>& argv);
bool ProgramInPath(const std::string& name);

// The Linux desktop backend: GNOME's settings through gsettings where GNOME is running,
// and the X server's pointer acceleration through xset on X11. Whatever neither can set is
// reported as failed.
class CDesktopPointerSettings final : public IPointerSettings {
public:
    struct Environment {
        bool gnome = false; // GNOME's mouse settings schema can be written
        bool x11 = false;   // an X display is there and xset is installed
    };
    // Looks at the running desktop.
    static Environment Detect();

    CDesktopPointerSettings();
    CDesktopPointerSettings(Environment environment, CommandRunner runner);

    bool SetMouse(const std::array<int, 3>& mouse) override;
    bool SetMouseSpeed(uint32_t speed) override;
    bool SetWheelScrollLines(uint32_t lines) override;
    bool SetDoubleClickTime(uint32_t milliseconds) override;

private:
    Environment m_environment;
    CommandRunner m_runner;
};

// The backend ApplyWindowsPointerSettings uses; nullptr restores the desktop backend.
void SetPointerSettingsBackend(IPointerSettings* backend);

// Sets the four values of the live record, in order; a failing call writes its line to the
// debug output and the next call is still made. Returns the values it asked for.
PointerSettingsValues ApplyWindowsPointerSettings();
PointerSettingsValues ApplyWindowsPointerSettings(const ProfileRecord& record);

// The wheel scroll lines the program asked for last (lines, or WHEEL_PAGESCROLL for one screen
// per notch); 0 until the settings are applied the first time. Kept whether or not the desktop
// took them, so the program's own widgets scroll the way the profile says.
extern uint32_t g_uAppliedWheelScrollLines;
// Tests: back to 0.
void ResetAppliedPointerSettingsForTest();

} // namespace zentro
