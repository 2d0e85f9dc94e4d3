#pragma once

#include <string>
#include <vector>

#include "platform/IPointerSettings.h"
#include "platform/ProcessRunner.h"

namespace zentro {

// The Linux desktop backend. Each setting goes where the running desktop keeps it:
//
//   - GNOME: its mouse settings through gsettings;
//   - KDE Plasma (5 and 6): double-click time and wheel lines in kdeglobals [KDE]
//     (DoubleClickInterval, WheelScrollLines), announced on the session bus with
//     org.kde.KGlobalSettings notifyChange (settings changed, mouse); pointer speed as libinput
//     acceleration, (speed - 10) / 10, in kcminputrc [Mouse] XLbInptPointerAcceleration on X11
//     (and set on the pointers at once through XInput), and on Wayland on each pointer device
//     of KWin (org.kde.KWin.InputDevice pointerAcceleration), saved in kcminputrc
//     [Libinput][vendor][product][name] PointerAcceleration as KWin saves it. The files are
//     written with kwriteconfig6 or kwriteconfig5 where installed, else directly by the same
//     rules;
//   - other X11 desktops: the pointer speed as libinput's "Accel Speed" on every pointer
//     through XInput properties (xinput);
//   - enhanced precision: libinput's adaptive profile, without it the flat one (GNOME's
//     accel-profile, Plasma's XLbInptAccelProfileFlat on X11 or KWin's profile properties on
//     Wayland, libinput's "Accel Profile Enabled"), and on X11 the X server's own acceleration
//     through xset.
//
// A setting that cannot be set here returns false, and the caller writes its debug line.
// Every call starts programs and waits for them, so it is only ever used from the
// pointer-settings worker, never from the user-interface thread.
class CDesktopPointerSettings final : public IPointerSettings {
public:
    struct Environment {
        bool gnome = false;       // GNOME's mouse settings schema can be written
        bool x11 = false;         // an X display (not Wayland's) and xset is installed
        bool kde = false;         // a KDE Plasma session
        bool wayland = false;     // a Wayland session
        bool xinput = false;      // an X display (not Wayland's) and xinput is installed
        std::string kwriteconfig; // "kwriteconfig6" or "kwriteconfig5"; "" to write the files
        std::string configHome;   // the folder of kdeglobals and kcminputrc
    };
    // Looks at the running desktop.
    static Environment Detect();

    CDesktopPointerSettings();
    CDesktopPointerSettings(Environment environment, CommandRunner runner,
                            OutputRunner outputRunner = RunCommandOutput);

    bool SetMouse(const std::array<int, 3>& mouse) override;
    bool SetMouseSpeed(uint32_t speed) override;
    bool SetWheelScrollLines(uint32_t lines) override;
    bool SetDoubleClickTime(uint32_t milliseconds) override;

private:
    bool WriteKdeEntry(const std::string& file, const std::vector<std::string>& groups,
                       const std::string& key, const std::string& value);
    bool WriteKdeGlobal(const std::string& key, uint32_t value);
    // One property of KWin's input devices: its D-Bus variant ("double:0.500") and the key and
    // value it is saved as in the device's kcminputrc group (no key: not saved).
    struct KWinSetting {
        std::string property;
        std::string variant;
        std::string savedKey;
        std::string savedValue;
    };
    // Sets `settings` on every pointer device of KWin and saves them; false when no pointer
    // took them all.
    bool SetKWinPointers(const std::vector<KWinSetting>& settings);
    // Sets the XInput property value[0] to the rest of `value` on every device that has it;
    // false when none did.
    bool SetXInputProperty(const std::vector<std::string>& value);

    Environment m_environment;
    CommandRunner m_runner;
    OutputRunner m_outputRunner;
};

} // namespace zentro
