#pragma once

#include "platform/IPointerSettings.h"
#include "platform/ProcessRunner.h"

namespace zentro {

// The Linux desktop backend: GNOME's settings through gsettings where GNOME is running,
// and the X server's pointer acceleration through xset on X11. Whatever neither can set is
// reported as failed. Every call starts a program and waits for it, so it is only ever used
// from the pointer-settings worker, never from the user-interface thread.
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

} // namespace zentro
