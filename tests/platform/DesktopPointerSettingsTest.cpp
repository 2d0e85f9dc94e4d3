#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <set>
#include <condition_variable>
#include <mutex>

#include "platform/DebugLog.h"
#include "platform/DesktopPointerSettings.h"
#include "platform/PointerSettingsWorker.h"
#include "platform/ProcessRunner.h"
#include "platform/ThreadStart.h"
#include "support/RecordingPointerSettings.h"

using namespace zentro;

namespace {

CDesktopPointerSettings::Environment GnomeX11(bool gnome, bool x11)
{
    CDesktopPointerSettings::Environment env;
    env.gnome = gnome;
    env.x11 = x11;
    return env;
}

} // namespace

TEST(DesktopPointerSettings, DesktopBackendSpeaksGnomeAndX11)
{
    std::vector<std::vector<std::string>> ran;
    auto runner = [&](const std::vector<std::string>& argv) {
        ran.push_back(argv);
        return 0;
    };
    CDesktopPointerSettings both(GnomeX11(true, true), runner);
    EXPECT_TRUE(both.SetMouse({6, 10, 1}));
    EXPECT_TRUE(both.SetMouseSpeed(20));
    EXPECT_TRUE(both.SetDoubleClickTime(550));
    EXPECT_FALSE(both.SetWheelScrollLines(3));
    const std::vector<std::vector<std::string>> expected = {
        {"gsettings", "set", "org.gnome.desktop.peripherals.mouse", "accel-profile", "adaptive"},
        {"xset", "m", "default"},
        {"gsettings", "set", "org.gnome.desktop.peripherals.mouse", "speed", "1.00"},
        {"gsettings", "set", "org.gnome.desktop.peripherals.mouse", "double-click", "550"},
    };
    EXPECT_EQ(ran, expected);

    ran.clear();
    CDesktopPointerSettings x11Only(GnomeX11(false, true), runner);
    EXPECT_TRUE(x11Only.SetMouse({0, 0, 0}));
    EXPECT_FALSE(x11Only.SetMouseSpeed(10));
    EXPECT_FALSE(x11Only.SetDoubleClickTime(550));
    EXPECT_EQ(ran, (std::vector<std::vector<std::string>>{{"xset", "m", "1/1", "0"}}));

    CDesktopPointerSettings failing(GnomeX11(true, false),
                                    [](const std::vector<std::string>&) { return 1; });
    EXPECT_FALSE(failing.SetMouse({0, 0, 0}));
    EXPECT_FALSE(failing.SetMouseSpeed(1));
}

TEST(DesktopPointerSettings, GnomeSpeedScaleCoversTheWholeRange)
{
    std::vector<std::string> values;
    CDesktopPointerSettings gnome(GnomeX11(true, false), [&](const std::vector<std::string>& argv) {
        values.push_back(argv.back());
        return 0;
    });
    for (uint32_t speed : {1u, 2u, 10u, 14u, 20u})
        gnome.SetMouseSpeed(speed);
    EXPECT_EQ(values, (std::vector<std::string>{"-0.90", "-0.80", "0.00", "0.40", "1.00"}));
}

TEST(ProcessRunner, RunCommandReportsExitStatus)
{
    EXPECT_EQ(RunCommand({"true"}), 0);
    EXPECT_NE(RunCommand({"false"}), 0);
    EXPECT_NE(RunCommand({"/nonexistent/program"}), 0);
    EXPECT_TRUE(ProgramInPath("sh"));
    EXPECT_FALSE(ProgramInPath("surely-no-such-program-here"));
}

namespace {

// Holds every call until released, so a test can see that the caller never waits for it.
class CGatedPointerSettings final : public IPointerSettings {
public:
    bool SetMouse(const std::array<int, 3>& m) override
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_entered = true;
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return m_open; });
        speeds.push_back(-m[2]); // marks the start of a request
        return true;
    }
    bool SetMouseSpeed(uint32_t s) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        speeds.push_back(static_cast<int>(s));
        return true;
    }
    bool SetWheelScrollLines(uint32_t) override { return true; }
    bool SetDoubleClickTime(uint32_t) override { return true; }

    void WaitEntered()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [this] { return m_entered; });
    }
    void Open()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_open = true;
        m_changed.notify_all();
    }
    std::vector<int> speeds;

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_entered = false;
    bool m_open = false;
};

PointerSettingsValues WithSpeed(uint32_t speed)
{
    PointerSettingsValues v;
    v.mouseSpeed = speed;
    return v;
}

} // namespace

TEST(PointerSettingsWorker, CallerNeverWaitsAndOnlyTheLatestPendingRequestIsApplied)
{
    CGatedPointerSettings gated;
    CPointerSettingsWorker worker;
    worker.Submit(WithSpeed(1), &gated);
    gated.WaitEntered(); // the worker is stuck in the first request...
    worker.Submit(WithSpeed(2), &gated);
    worker.Submit(WithSpeed(3), &gated); // ...and these return at once
    EXPECT_TRUE(worker.Busy());
    gated.Open();
    worker.WaitIdle();
    EXPECT_FALSE(worker.Busy());
    // Request 1 whole, request 2 superseded by 3 before the worker got to it.
    EXPECT_EQ(gated.speeds, (std::vector<int>{0, 1, 0, 3}));
}

TEST(PointerSettingsWorker, RefusedThreadAppliesOnTheCallersThreadAndSaysSo)
{
    CRecordingPointerSettings recorder;
    recorder.failing = {"SetWheelScrollLines"};
    CDebugLogCapture log;
    {
        CPointerSettingsWorker worker;
        FailNextThreadStartsForTest(1);
        worker.Submit(WithSpeed(7), &recorder);
        // Applied before Submit returned: no thread was there to do it later.
        ASSERT_EQ(recorder.calls.size(), 4u);
        EXPECT_EQ(recorder.calls[1], (CRecordingPointerSettings::Call{"SetMouseSpeed", {7}}));
        EXPECT_FALSE(worker.Busy());
        // The next request gets its worker.
        worker.Submit(WithSpeed(8), &recorder);
        worker.WaitIdle();
        EXPECT_EQ(recorder.calls.size(), 8u);
    }
    EXPECT_TRUE(log.Contains("Could not start the pointer settings thread: ")) << log.Text();
    EXPECT_EQ(log.Text().find("SETWHEELSCROLLLINES failed.\n") != std::string::npos, true);
}

TEST(PointerSettingsWorker, PendingRequestIsFinishedBeforeTheWorkerEnds)
{
    CRecordingPointerSettings recorder;
    {
        CPointerSettingsWorker worker;
        worker.Submit(WithSpeed(4), &recorder);
    }
    EXPECT_EQ(recorder.calls.size(), 4u);
}

namespace {

using Argv = std::vector<std::string>;

std::string Joined(const Argv& argv)
{
    std::string line;
    for (const std::string& a : argv)
        line += (line.empty() ? "" : " ") + a;
    return line;
}

// Runs the desktop backend over a scripted desktop: every program it starts is recorded as
// one line, a program's output is the answer of the first reply whose text its line contains.
struct ScriptedDesktop {
    std::vector<std::string> ran;
    std::vector<std::pair<std::string, std::string>> replies;

    CDesktopPointerSettings Backend(const CDesktopPointerSettings::Environment& env)
    {
        auto run = [this](const Argv& argv) {
            ran.push_back(Joined(argv));
            return 0;
        };
        auto output = [this](const Argv& argv, std::string& out) {
            ran.push_back(Joined(argv));
            out.clear();
            for (const auto& [needle, answer] : replies)
                if (ran.back().find(needle) != std::string::npos) {
                    out = answer;
                    break;
                }
            return 0;
        };
        return CDesktopPointerSettings(env, run, output);
    }
};

const char* const NOTIFY = "dbus-send --session --type=signal /KGlobalSettings "
                           "org.kde.KGlobalSettings.notifyChange int32:3 int32:0";

} // namespace

// The profile of double-click level 9, 7 wheel lines and pointer speed level 11 (system speed
// 20) on each desktop: which programs run, what each call answers. (Plasma on Wayland is
// tested against a real session bus in test_desktop.)
TEST(DesktopPointerSettings, EachDesktopGetsTheSettingsWhereItKeepsThem)
{
    struct Case {
        const char* what;
        CDesktopPointerSettings::Environment env;
        bool flat, speed, lines, doubleClick;
        std::vector<std::string> commands;
    };
    using Env = CDesktopPointerSettings::Environment;
    const Case cases[] = {
        {"Plasma on X11 with kwriteconfig5",
         Env{false, true, true, false, true, "kwriteconfig5", "/unused"},
         true,
         true,
         true,
         true,
         {"kwriteconfig5 --file kcminputrc --group Mouse --key XLbInptAccelProfileFlat true",
          "xinput list --id-only", "xinput list-props 6", "xinput list-props 7",
          "xinput set-prop 7 libinput Accel Profile Enabled 0 1", "xset m 1/1 0",
          "kwriteconfig5 --file kcminputrc --group Mouse --key XLbInptPointerAcceleration 1",
          "xinput list --id-only", "xinput list-props 6", "xinput list-props 7",
          "xinput set-prop 7 libinput Accel Speed 1.000",
          "kwriteconfig5 --file kdeglobals --group KDE --key WheelScrollLines 7", NOTIFY,
          "kwriteconfig5 --file kdeglobals --group KDE --key DoubleClickInterval 340", NOTIFY}},
        {"another X11 desktop: libinput's speed on every pointer",
         Env{false, false, false, false, true, "", ""},
         true,
         true,
         false,
         false,
         {"xinput list --id-only", "xinput list-props 6", "xinput list-props 7",
          "xinput set-prop 7 libinput Accel Profile Enabled 0 1", "xinput list --id-only",
          "xinput list-props 6", "xinput list-props 7",
          "xinput set-prop 7 libinput Accel Speed 1.000"}},
        {"nothing to talk to", Env{}, false, false, false, false, {}},
    };
    for (const Case& c : cases) {
        ScriptedDesktop desktop;
        desktop.replies = {
            {"--id-only", "6\n7\n"},
            {"list-props 6", "Device 'Xvfb keyboard':\n\tDevice Enabled (112):\t1\n"},
            {"list-props 7", "Device 'Mouse':\n\tlibinput Accel Speed (290):\t0.000000\n"
                             "\tlibinput Accel Profile Enabled (291):\t1, 0\n"},
        };
        CDesktopPointerSettings backend = desktop.Backend(c.env);
        EXPECT_EQ(backend.SetMouse({0, 0, 0}), c.flat) << c.what;
        EXPECT_EQ(backend.SetMouseSpeed(20), c.speed) << c.what;
        EXPECT_EQ(backend.SetWheelScrollLines(7), c.lines) << c.what;
        EXPECT_EQ(backend.SetDoubleClickTime(340), c.doubleClick) << c.what;
        EXPECT_EQ(desktop.ran, c.commands) << c.what;
    }
}

// Whatever the desktop backend cannot set gets exactly the one line of the worker.
TEST(DesktopPointerSettings, EachSettingNotSetGetsOneDebugLine)
{
    struct Case {
        const char* what;
        CDesktopPointerSettings::Environment env;
        const char* lines;
    };
    CDesktopPointerSettings::Environment plasmaWayland;
    plasmaWayland.kde = true;
    plasmaWayland.wayland = true;
    plasmaWayland.kwriteconfig = "kwriteconfig5";
    const Case cases[] = {
        {"no desktop",
         {},
         "SETMOUSE failed.\nSETMOUSESPEED failed.\nSETWHEELSCROLLLINES failed.\n"
         "SPI_SETDOUBLECLICKTIME failed.\n"},
        {"Plasma on Wayland without KWin", plasmaWayland,
         "SETMOUSE failed.\nSETMOUSESPEED failed.\n"},
    };
    PointerSettingsValues values;
    values.mouse = {6, 10, 1};
    values.mouseSpeed = 20;
    values.wheelScrollLines = 7;
    values.doubleClickTime = 340;
    for (const Case& c : cases) {
        ScriptedDesktop desktop;
        CDesktopPointerSettings backend = desktop.Backend(c.env);
        CDebugLogCapture log;
        CPointerSettingsWorker::ApplyNow(backend, values);
        EXPECT_EQ(log.Text(), c.lines) << c.what;
    }
}
