#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "platform/DebugLog.h"
#include "platform/DesktopPointerSettings.h"
#include "platform/PointerSettingsWorker.h"
#include "platform/ProcessRunner.h"
#include "platform/ThreadStart.h"
#include "support/RecordingPointerSettings.h"

using namespace zentro;

TEST(DesktopPointerSettings, DesktopBackendSpeaksGnomeAndX11)
{
    std::vector<std::vector<std::string>> ran;
    auto runner = [&](const std::vector<std::string>& argv) {
        ran.push_back(argv);
        return 0;
    };
    CDesktopPointerSettings both({true, true}, runner);
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
    CDesktopPointerSettings x11Only({false, true}, runner);
    EXPECT_TRUE(x11Only.SetMouse({0, 0, 0}));
    EXPECT_FALSE(x11Only.SetMouseSpeed(10));
    EXPECT_FALSE(x11Only.SetDoubleClickTime(550));
    EXPECT_EQ(ran, (std::vector<std::vector<std::string>>{{"xset", "m", "1/1", "0"}}));

    CDesktopPointerSettings failing({true, false},
                                    [](const std::vector<std::string>&) { return 1; });
    EXPECT_FALSE(failing.SetMouse({0, 0, 0}));
    EXPECT_FALSE(failing.SetMouseSpeed(1));
}

TEST(DesktopPointerSettings, GnomeSpeedScaleCoversTheWholeRange)
{
    std::vector<std::string> values;
    CDesktopPointerSettings gnome({true, false}, [&](const std::vector<std::string>& argv) {
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
