#include "settings/PointerSettings.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/DebugLog.h"

namespace zentro {

PointerSettingsValues ComputePointerSettings(const ProfileRecord& record)
{
    PointerSettingsValues v;
    if (record.EnhancePrecision == 1)
        v.mouse = {6, 10, 1};
    else
        v.mouse = {0, 0, 0};
    v.mouseSpeed = record.PointerSpeed == 1 ? 1u : 2u * record.PointerSpeed - 2u;
    v.wheelScrollLines = record.ScrollOneScreen == 0 ? record.WheelLines : WHEEL_PAGESCROLL;
    // Unsigned arithmetic as the system receives it: levels above 13 wrap around.
    v.doubleClickTime = static_cast<uint32_t>(970 - 70 * static_cast<int>(record.DoubleClickSpeed));
    return v;
}

bool CRecordingPointerSettings::Record(std::string name, std::vector<int64_t> values)
{
    bool ok = true;
    for (const auto& f : failing)
        if (f == name)
            ok = false;
    calls.push_back({std::move(name), std::move(values)});
    return ok;
}

bool CRecordingPointerSettings::SetMouse(const std::array<int, 3>& m)
{
    return Record("SetMouse", {m[0], m[1], m[2]});
}
bool CRecordingPointerSettings::SetMouseSpeed(uint32_t s)
{
    return Record("SetMouseSpeed", {s});
}
bool CRecordingPointerSettings::SetWheelScrollLines(uint32_t l)
{
    return Record("SetWheelScrollLines", {l});
}
bool CRecordingPointerSettings::SetDoubleClickTime(uint32_t ms)
{
    return Record("SetDoubleClickTime", {ms});
}

int RunCommand(const std::vector<std::string>& argv)
{
    if (argv.empty())
        return -1;
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = ::fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        // Keep the child quiet: its output is not the program's.
        if (FILE* null = std::fopen("/dev/null", "w")) {
            ::dup2(fileno(null), 1);
            ::dup2(fileno(null), 2);
        }
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool ProgramInPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    if (!path)
        return false;
    std::string all(path);
    size_t start = 0;
    while (start <= all.size()) {
        size_t end = all.find(':', start);
        std::string dir =
            all.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!dir.empty()) {
            std::string candidate = dir + "/" + name;
            if (::access(candidate.c_str(), X_OK) == 0)
                return true;
        }
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return false;
}

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

namespace {
IPointerSettings* g_pPointerSettings = nullptr;

IPointerSettings& Backend()
{
    if (g_pPointerSettings)
        return *g_pPointerSettings;
    static CDesktopPointerSettings desktop;
    return desktop;
}
} // namespace

void SetPointerSettingsBackend(IPointerSettings* backend)
{
    g_pPointerSettings = backend;
}

PointerSettingsValues ApplyWindowsPointerSettings(const ProfileRecord& record)
{
    const PointerSettingsValues v = ComputePointerSettings(record);
    IPointerSettings& backend = Backend();
    if (!backend.SetMouse(v.mouse))
        DebugOutput("SETMOUSE failed.\n");
    if (!backend.SetMouseSpeed(v.mouseSpeed))
        DebugOutput("SETMOUSESPEED failed.\n");
    g_uAppliedWheelScrollLines = v.wheelScrollLines;
    if (!backend.SetWheelScrollLines(v.wheelScrollLines))
        DebugOutput("SETWHEELSCROLLLINES failed.\n");
    if (!backend.SetDoubleClickTime(v.doubleClickTime))
        DebugOutput("SPI_SETDOUBLECLICKTIME failed.\n");
    return v;
}

uint32_t g_uAppliedWheelScrollLines = 0;

void ResetAppliedPointerSettingsForTest()
{
    g_uAppliedWheelScrollLines = 0;
}

PointerSettingsValues ApplyWindowsPointerSettings()
{
    return ApplyWindowsPointerSettings(g_ProfileRecord);
}

} // namespace zentro
