#include "platform/DesktopPointerSettings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/DebugLog.h"

namespace zentro {

namespace {

constexpr const char* GNOME_MOUSE_SCHEMA = "org.gnome.desktop.peripherals.mouse";

bool EnvContains(const char* name, const char* fragment)
{
    const char* v = std::getenv(name);
    return v && std::strstr(v, fragment) != nullptr;
}

} // namespace

CDesktopPointerSettings::Environment CDesktopPointerSettings::Detect()
{
    Environment e;
    bool gnomeDesktop = EnvContains("XDG_CURRENT_DESKTOP", "GNOME") ||
                        EnvContains("XDG_CURRENT_DESKTOP", "Unity") ||
                        EnvContains("DESKTOP_SESSION", "gnome");
    e.gnome = gnomeDesktop && ProgramInPath("gsettings");
    const char* display = std::getenv("DISPLAY");
    e.x11 = display && *display && ProgramInPath("xset");
    return e;
}

CDesktopPointerSettings::CDesktopPointerSettings() : CDesktopPointerSettings(Detect(), RunCommand)
{
}

CDesktopPointerSettings::CDesktopPointerSettings(Environment environment, CommandRunner runner)
    : m_environment(environment), m_runner(std::move(runner))
{
}

bool CDesktopPointerSettings::SetMouse(const std::array<int, 3>& mouse)
{
    const bool precision = mouse[2] != 0;
    bool done = false;
    if (m_environment.gnome) {
        done |= m_runner({"gsettings", "set", GNOME_MOUSE_SCHEMA, "accel-profile",
                          precision ? "adaptive" : "flat"}) == 0;
    }
    if (m_environment.x11) {
        // Without precision the pointer moves 1:1; with it the X server's default curve.
        std::vector<std::string> argv = precision
                                            ? std::vector<std::string>{"xset", "m", "default"}
                                            : std::vector<std::string>{"xset", "m", "1/1", "0"};
        done |= m_runner(argv) == 0;
    }
    if (!done)
        DebugOutput("Pointer acceleration: no desktop setting could be changed here.\n");
    return done;
}

bool CDesktopPointerSettings::SetMouseSpeed(uint32_t speed)
{
    if (!m_environment.gnome) {
        DebugOutput("Pointer speed: only GNOME's settings can be changed here.\n");
        return false;
    }
    // Like the system call, refuse anything outside 1-20 (a level of 0 or above 11 in the
    // record) instead of pinning it to the slowest or fastest speed.
    if (speed < 1 || speed > 20)
        return false;
    // System speed 1-20 with 10 as the neutral middle maps onto GNOME's -1 ... 1.
    double value = (static_cast<double>(speed) - 10.0) / 10.0;
    if (value < -1.0)
        value = -1.0;
    if (value > 1.0)
        value = 1.0;
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return m_runner({"gsettings", "set", GNOME_MOUSE_SCHEMA, "speed", text}) == 0;
}

bool CDesktopPointerSettings::SetWheelScrollLines(uint32_t)
{
    // Neither GNOME nor X11 has a system-wide lines-per-notch setting; the program applies
    // the value to its own windows.
    DebugOutput("Wheel scroll lines: the desktop has no such setting.\n");
    return false;
}

bool CDesktopPointerSettings::SetDoubleClickTime(uint32_t milliseconds)
{
    if (!m_environment.gnome) {
        DebugOutput("Double-click time: only GNOME's settings can be changed here.\n");
        return false;
    }
    return m_runner({"gsettings", "set", GNOME_MOUSE_SCHEMA, "double-click",
                     std::to_string(milliseconds)}) == 0;
}

} // namespace zentro
