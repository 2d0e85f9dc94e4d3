#include "platform/DesktopPointerSettings.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/KConfigFile.h"
#include "platform/PointerSettingsValues.h"

namespace zentro {

namespace {

constexpr const char* GNOME_MOUSE_SCHEMA = "org.gnome.desktop.peripherals.mouse";
constexpr const char* KWIN_SERVICE = "org.kde.KWin";
constexpr const char* KWIN_DEVICES_PATH = "/org/kde/KWin/InputDevice";
constexpr const char* KWIN_DEVICE_INTERFACE = "org.kde.KWin.InputDevice";
constexpr const char* XINPUT_ACCEL_SPEED = "libinput Accel Speed";
// Two values: adaptive, flat.
constexpr const char* XINPUT_ACCEL_PROFILE = "libinput Accel Profile Enabled";
// KGlobalSettings::SettingsChanged with the mouse category.
constexpr const char* KDE_SETTINGS_CHANGED = "int32:3";
constexpr const char* KDE_SETTINGS_MOUSE = "int32:0";

bool EnvContains(const char* name, const char* fragment)
{
    const char* v = std::getenv(name);
    return v && std::strstr(v, fragment) != nullptr;
}

bool EnvSet(const char* name)
{
    const char* v = std::getenv(name);
    return v && *v;
}

std::string Number(const char* format, double value)
{
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The dbus-send arguments of a call on KWin's input devices that waits for its answer.
std::vector<std::string> KWinCall(const std::string& path, const std::string& method)
{
    return {"dbus-send",
            "--session",
            "--print-reply",
            "--reply-timeout=5000",
            std::string("--dest=") + KWIN_SERVICE,
            path,
            "org.freedesktop.DBus.Properties." + method};
}

// The values of a dbus-send reply, in order: `string "x"` gives x, `boolean true` gives true,
// `uint32 7` gives 7 (any other basic type likewise).
std::vector<std::string> ReplyValues(const std::string& reply)
{
    static const char* const TYPES[] = {"string", "boolean", "uint32", "int32",  "double",
                                        "uint64", "int64",   "byte",   "uint16", "int16"};
    std::vector<std::string> values;
    std::istringstream in(reply);
    std::string word;
    while (in >> word) {
        bool basic = false;
        for (const char* type : TYPES)
            basic |= word == type;
        if (!basic)
            continue;
        in >> std::ws;
        std::string value;
        if (word == "string" && in.peek() == '"') {
            in.get();
            std::getline(in, value, '"');
        } else {
            in >> value;
        }
        values.push_back(value);
    }
    return values;
}

} // namespace

CDesktopPointerSettings::Environment CDesktopPointerSettings::Detect()
{
    Environment e;
    bool gnomeDesktop = EnvContains("XDG_CURRENT_DESKTOP", "GNOME") ||
                        EnvContains("XDG_CURRENT_DESKTOP", "Unity") ||
                        EnvContains("DESKTOP_SESSION", "gnome");
    e.gnome = gnomeDesktop && ProgramInPath("gsettings");
    e.kde = EnvContains("XDG_CURRENT_DESKTOP", "KDE") || EnvContains("DESKTOP_SESSION", "plasma");
    const char* sessionType = std::getenv("XDG_SESSION_TYPE");
    e.wayland = EnvSet("WAYLAND_DISPLAY") ||
                (sessionType != nullptr && std::strcmp(sessionType, "wayland") == 0);
    const bool display = EnvSet("DISPLAY");
    // An X display under Wayland is Xwayland's, whose pointers are no real devices.
    e.x11 = display && !e.wayland && ProgramInPath("xset");
    e.xinput = display && !e.wayland && ProgramInPath("xinput");
    if (ProgramInPath("kwriteconfig6"))
        e.kwriteconfig = "kwriteconfig6";
    else if (ProgramInPath("kwriteconfig5"))
        e.kwriteconfig = "kwriteconfig5";
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    if (configHome != nullptr && configHome[0] == '/')
        e.configHome = configHome;
    else if (home != nullptr && *home)
        e.configHome = std::string(home) + "/.config";
    return e;
}

CDesktopPointerSettings::CDesktopPointerSettings() : CDesktopPointerSettings(Detect(), RunCommand)
{
}

CDesktopPointerSettings::CDesktopPointerSettings(Environment environment, CommandRunner runner,
                                                 OutputRunner outputRunner)
    : m_environment(std::move(environment)), m_runner(std::move(runner)),
      m_outputRunner(std::move(outputRunner))
{
}

bool CDesktopPointerSettings::WriteKdeEntry(const std::string& file,
                                            const std::vector<std::string>& groups,
                                            const std::string& key, const std::string& value)
{
    if (!m_environment.kwriteconfig.empty()) {
        // The tool finds the file where Plasma does; it is told only its name.
        std::vector<std::string> argv{m_environment.kwriteconfig, "--file", file};
        for (const std::string& group : groups) {
            argv.push_back("--group");
            argv.push_back(group);
        }
        argv.insert(argv.end(), {"--key", key, value});
        return m_runner(argv) == 0;
    }
    if (m_environment.configHome.empty())
        return false;
    return WriteKConfigEntry(m_environment.configHome + "/" + file, groups, key, value);
}

bool CDesktopPointerSettings::WriteKdeGlobal(const std::string& key, uint32_t value)
{
    if (!WriteKdeEntry("kdeglobals", {"KDE"}, key, std::to_string(value)))
        return false;
    // Running programs read the file again when told; without a session bus they read it at
    // their next start, so the setting counts as set either way.
    m_runner({"dbus-send", "--session", "--type=signal", "/KGlobalSettings",
              "org.kde.KGlobalSettings.notifyChange", KDE_SETTINGS_CHANGED, KDE_SETTINGS_MOUSE});
    return true;
}

bool CDesktopPointerSettings::SetKWinPointers(const std::vector<KWinSetting>& settings)
{
    std::vector<std::string> list = KWinCall(KWIN_DEVICES_PATH, "Get");
    list.insert(list.end(), {"string:org.kde.KWin.InputDeviceManager", "string:devicesSysNames"});
    std::string reply;
    if (m_outputRunner(list, reply) != 0)
        return false;
    bool set = false;
    for (const std::string& sysName : ReplyValues(reply)) {
        if (sysName.empty() ||
            sysName.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                      "0123456789_") != std::string::npos)
            continue; // not an object path element
        const std::string path = std::string(KWIN_DEVICES_PATH) + "/" + sysName;
        auto property = [&](const char* name) {
            std::vector<std::string> get = KWinCall(path, "Get");
            get.insert(get.end(), {std::string("string:") + KWIN_DEVICE_INTERFACE,
                                   std::string("string:") + name});
            std::string answer;
            if (m_outputRunner(get, answer) != 0)
                return std::string();
            const std::vector<std::string> values = ReplyValues(answer);
            return values.empty() ? std::string() : values.front();
        };
        if (property("pointer") != "true")
            continue;
        bool setHere = true;
        for (const KWinSetting& setting : settings) {
            std::vector<std::string> setCall = KWinCall(path, "Set");
            setCall.insert(setCall.end(),
                           {std::string("string:") + KWIN_DEVICE_INTERFACE,
                            "string:" + setting.property, "variant:" + setting.variant});
            setHere = m_runner(setCall) == 0 && setHere;
        }
        if (!setHere)
            continue;
        set = true;
        // Saved where KWin keeps the device's settings, so that they hold after a restart.
        const std::string vendor = property("vendor");
        const std::string product = property("product");
        const std::string name = property("name");
        if (vendor.empty() || product.empty() || name.empty())
            continue;
        for (const KWinSetting& setting : settings)
            if (!setting.savedKey.empty())
                WriteKdeEntry("kcminputrc", {"Libinput", vendor, product, name}, setting.savedKey,
                              setting.savedValue);
    }
    return set;
}

bool CDesktopPointerSettings::SetXInputProperty(const std::vector<std::string>& value)
{
    std::string ids;
    if (m_outputRunner({"xinput", "list", "--id-only"}, ids) != 0)
        return false;
    bool set = false;
    std::istringstream in(ids);
    std::string id;
    while (in >> id) {
        std::string props;
        if (m_outputRunner({"xinput", "list-props", id}, props) != 0 ||
            props.find(value.front() + " (") == std::string::npos)
            continue; // not a pointer that libinput drives
        std::vector<std::string> argv{"xinput", "set-prop", id};
        argv.insert(argv.end(), value.begin(), value.end());
        set |= m_runner(argv) == 0;
    }
    return set;
}

bool CDesktopPointerSettings::SetMouse(const std::array<int, 3>& mouse)
{
    const bool precision = mouse[2] != 0;
    bool done = false;
    if (m_environment.gnome) {
        done |= m_runner({"gsettings", "set", GNOME_MOUSE_SCHEMA, "accel-profile",
                          precision ? "adaptive" : "flat"}) == 0;
    }
    // Plasma and libinput: enhanced precision is the adaptive profile, without it the flat one.
    if (m_environment.kde && m_environment.wayland) {
        done |= SetKWinPointers(
            {{"pointerAccelerationProfileFlat", precision ? "boolean:false" : "boolean:true",
              "PointerAccelerationProfile", precision ? "2" : "1"},
             {"pointerAccelerationProfileAdaptive", precision ? "boolean:true" : "boolean:false",
              "", ""}});
        return done;
    }
    if (m_environment.kde)
        done |= WriteKdeEntry("kcminputrc", {"Mouse"}, "XLbInptAccelProfileFlat",
                              precision ? "false" : "true");
    if (m_environment.xinput && !m_environment.gnome)
        done |=
            SetXInputProperty({XINPUT_ACCEL_PROFILE, precision ? "1" : "0", precision ? "0" : "1"});
    if (m_environment.x11) {
        // Without precision the pointer moves 1:1; with it the X server's default curve.
        std::vector<std::string> argv = precision
                                            ? std::vector<std::string>{"xset", "m", "default"}
                                            : std::vector<std::string>{"xset", "m", "1/1", "0"};
        done |= m_runner(argv) == 0;
    }
    return done;
}

bool CDesktopPointerSettings::SetMouseSpeed(uint32_t speed)
{
    // Like the system call, refuse anything outside 1-20 (a level of 0 or above 11 in the
    // record) instead of pinning it to the slowest or fastest speed.
    if (speed < 1 || speed > 20)
        return false;
    // System speed 1-20 with 10 as the neutral middle maps onto libinput's -1 ... 1.
    const double value = (static_cast<double>(speed) - 10.0) / 10.0;
    bool done = false;
    if (m_environment.gnome)
        done |=
            m_runner({"gsettings", "set", GNOME_MOUSE_SCHEMA, "speed", Number("%.2f", value)}) == 0;
    if (m_environment.kde && m_environment.wayland) {
        const std::string text = Number("%.3f", value);
        done |= SetKWinPointers(
            {{"pointerAcceleration", "double:" + text, "PointerAcceleration", text}});
    } else if (m_environment.kde) {
        done |= WriteKdeEntry("kcminputrc", {"Mouse"}, "XLbInptPointerAcceleration",
                              Number("%g", value));
        // Plasma reads the file at the next login; the pointers take the speed now.
        if (m_environment.xinput)
            SetXInputProperty({XINPUT_ACCEL_SPEED, Number("%.3f", value)});
    } else if (!m_environment.gnome && m_environment.xinput) {
        done |= SetXInputProperty({XINPUT_ACCEL_SPEED, Number("%.3f", value)});
    }
    return done;
}

bool CDesktopPointerSettings::SetWheelScrollLines(uint32_t lines)
{
    // GNOME and plain X11 have no lines-per-notch setting, and Plasma none for scrolling a
    // whole screen; the program applies the value to its own windows.
    if (!m_environment.kde || lines == WHEEL_PAGESCROLL)
        return false;
    return WriteKdeGlobal("WheelScrollLines", lines);
}

bool CDesktopPointerSettings::SetDoubleClickTime(uint32_t milliseconds)
{
    bool done = false;
    if (m_environment.gnome)
        done |= m_runner({"gsettings", "set", GNOME_MOUSE_SCHEMA, "double-click",
                          std::to_string(milliseconds)}) == 0;
    if (m_environment.kde)
        done |= WriteKdeGlobal("DoubleClickInterval", milliseconds);
    return done;
}

} // namespace zentro
