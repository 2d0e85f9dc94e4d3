#include <gtest/gtest.h>

#include "CoreReset.h"
#include "platform/DebugLog.h"
#include "profile/ProfileRecord.h"
#include "platform/DesktopPointerSettings.h"
#include "settings/PointerSettings.h"
#include "support/RecordingPointerSettings.h"

#include <tuple>

using namespace zentro;

namespace {
ProfileRecord Defaults()
{
    ProfileRecord r{};
    LoadDefaults(r);
    return r;
}
// Applying leaves the settings asked for last behind, as it does in the program.
class PointerSettings : public ::testing::Test {
protected:
    void TearDown() override { ResetCoreStateForTest(); }
};

} // namespace

TEST_F(PointerSettings, ValuesFollowTheRecord)
{
    struct Case {
        const char* name;
        uint8_t precision, speed, oneScreen, lines, doubleClick;
        PointerSettingsValues expected;
    };
    const Case cases[] = {
        {"defaults", 0xFF, 6, 0, 3, 6, {{0, 0, 0}, 10, 3, 550}},
        {"precision on, slowest", 1, 1, 0, 1, 1, {{6, 10, 1}, 1, 1, 900}},
        {"precision 0 is off, fastest", 0, 11, 0, 100, 11, {{0, 0, 0}, 20, 100, 200}},
        {"precision 2 is off", 2, 2, 0, 50, 2, {{0, 0, 0}, 2, 50, 830}},
        {"one screen per notch", 0xFF, 6, 1, 3, 6, {{0, 0, 0}, 10, WHEEL_PAGESCROLL, 550}},
        {"any non-zero one-screen flag", 0xFF, 6, 7, 3, 6, {{0, 0, 0}, 10, WHEEL_PAGESCROLL, 550}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProfileRecord r = Defaults();
        r.EnhancePrecision = c.precision;
        r.PointerSpeed = c.speed;
        r.ScrollOneScreen = c.oneScreen;
        r.WheelLines = c.lines;
        r.DoubleClickSpeed = c.doubleClick;
        EXPECT_EQ(ComputePointerSettings(r), c.expected);
    }
}

TEST_F(PointerSettings, ApplyMakesFourCallsInOrderAndReportsEachFailure)
{
    CRecordingPointerSettings recorder;
    recorder.failing = {"SetMouseSpeed", "SetDoubleClickTime"};
    SetPointerSettingsBackend(&recorder);
    CDebugLogCapture log;
    ApplyWindowsPointerSettings(Defaults());
    SetPointerSettingsBackend(nullptr);
    WaitForPointerSettings();

    using Call = CRecordingPointerSettings::Call;
    EXPECT_EQ(recorder.calls, (std::vector<Call>{{"SetMouse", {0, 0, 0}},
                                                 {"SetMouseSpeed", {10}},
                                                 {"SetWheelScrollLines", {3}},
                                                 {"SetDoubleClickTime", {550}}}));
    EXPECT_EQ(log.Text(), "SETMOUSESPEED failed.\nSPI_SETDOUBLECLICKTIME failed.\n");
}

TEST_F(PointerSettings, WheelLinesAskedForLastAreKeptEvenWhenTheDesktopRefuses)
{
    CRecordingPointerSettings recorder;
    recorder.failing = {"SetWheelScrollLines"};
    SetPointerSettingsBackend(&recorder);
    ResetAppliedPointerSettingsForTest();
    EXPECT_EQ(g_uAppliedWheelScrollLines, 0u);
    const std::tuple<uint8_t, uint8_t, uint32_t> cases[] = {
        {0, 7, 7u}, {1, 7, WHEEL_PAGESCROLL}, {0, 100, 100u}};
    for (const auto& [oneScreen, lines, expected] : cases) {
        ProfileRecord record = Defaults();
        record.ScrollOneScreen = oneScreen;
        record.WheelLines = lines;
        ApplyWindowsPointerSettings(record);
        EXPECT_EQ(g_uAppliedWheelScrollLines, expected);
    }
    WaitForPointerSettings();
    SetPointerSettingsBackend(nullptr);
    ResetAppliedPointerSettingsForTest();
    EXPECT_EQ(g_uAppliedWheelScrollLines, 0u);
}

TEST_F(PointerSettings, OutOfRangeSpeedLevelIsTakenIntoItsRangeBeforeTheDesktopSeesIt)
{
    struct Case {
        uint8_t level;
        uint32_t speed; // what the system is asked for
        bool set;
    };
    const Case cases[] = {
        {0, 1, true}, // not 2 * 0 - 2 wrapped around
        {1, 1, true}, {11, 20, true}, {12, 20, true}, {255, 20, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.level));
        std::vector<std::vector<std::string>> ran;
        CDesktopPointerSettings::Environment gnomeOnly;
        gnomeOnly.gnome = true;
        CDesktopPointerSettings gnome(gnomeOnly, [&](const std::vector<std::string>& argv) {
            ran.push_back(argv);
            return 0;
        });
        SetPointerSettingsBackend(&gnome);
        CDebugLogCapture log;
        ProfileRecord r = Defaults();
        r.PointerSpeed = c.level;
        const PointerSettingsValues v = ApplyWindowsPointerSettings(r);
        SetPointerSettingsBackend(nullptr);
        WaitForPointerSettings();

        EXPECT_EQ(v.mouseSpeed, c.speed);
        bool speedSet = false;
        for (const auto& argv : ran)
            speedSet |= argv.size() == 5 && argv[3] == "speed";
        EXPECT_EQ(speedSet, c.set);
        EXPECT_EQ(log.Contains("SETMOUSESPEED failed.\n"), !c.set);
    }
}
