#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "CoreReset.h"
#include "device/CommandProtocol.h"
#include "device/DeviceLink.h"
#include "device/hid/SimulatedDeviceWatcher.h"
#include "device/hid/SimulatedMouse.h"
#include "platform/Clock.h"
#include "platform/DebugLog.h"
#include "platform/ThreadStart.h"
#include "profile/ProfileRecord.h"

using namespace zentro;

namespace {

// Collects what the device link tells its window.
struct WindowRecorder {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::pair<uint32_t, uint32_t>> events;
    std::vector<std::string> calls;

    DeviceLinkCallbacks Callbacks()
    {
        DeviceLinkCallbacks cb;
        cb.postDeviceEvent = [this](uint32_t code, uint32_t value) {
            std::lock_guard<std::mutex> lock(mutex);
            events.emplace_back(code, value);
            changed.notify_all();
        };
        cb.reloadProfile = [this] { Call("reload"); };
        cb.addTrayIcon = [this] { Call("addTray"); };
        cb.deleteTrayIcon = [this] { Call("deleteTray"); };
        cb.hideWindow = [this] { Call("hide"); };
        return cb;
    }
    void Call(const char* what)
    {
        std::lock_guard<std::mutex> lock(mutex);
        calls.emplace_back(what);
    }
    // Waits (for the reader thread) until `count` events have been posted.
    bool WaitForEvents(size_t count)
    {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(10),
                                [&] { return events.size() >= count; });
    }
    std::vector<std::pair<uint32_t, uint32_t>> Events()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return events;
    }
    void Clear()
    {
        std::lock_guard<std::mutex> lock(mutex);
        events.clear();
        calls.clear();
    }
};

HidInterfaceInfo Interface(uint16_t page, uint16_t usage, uint16_t in, uint16_t out,
                           uint16_t feature, const std::string& path, uint16_t vendor = 0x04D9,
                           uint16_t product = 0xA165)
{
    HidInterfaceInfo i;
    i.path = path;
    i.vendorId = vendor;
    i.productId = product;
    i.usagePage = page;
    i.usage = usage;
    i.inputReportByteLength = in;
    i.outputReportByteLength = out;
    i.featureReportByteLength = feature;
    return i;
}

const std::string kMousePath = "sim://HID#VID_04D9&PID_A165&MI_00";
const std::string kEventPath = "sim://HID#VID_04D9&PID_A165&MI_01&Col01";
const std::string kCommandPath = "sim://HID#VID_04D9&PID_A165&MI_01&Col02";
const std::string kOtherPath = "sim://HID#VID_046D&PID_C077";

class DeviceLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetCoreStateForTest();
        SetSleeper(&time);
        SetHidTransport(&mouse);
        SetDeviceLinkCallbacks(window.Callbacks());
    }
    void TearDown() override
    {
        watcher.Stop();
        ResetCoreStateForTest();
    }
    void UseInterfaces(std::vector<HidInterfaceInfo> list) { mouse.SetInterfaces(std::move(list)); }
    void Register()
    {
        ASSERT_TRUE(RegisterDeviceNotifications(
            watcher, [](const DeviceChangeNotification& n) { OnDeviceChange(n); }));
    }
    bool CommandChannelWorks()
    {
        mouse.ResetToPowerOn();
        GetFirmwareVersion();
        return !mouse.ReceivedPackets().empty();
    }

    CVirtualTime time;
    CSimulatedMouse mouse;
    CSimulatedDeviceWatcher watcher{mouse};
    WindowRecorder window;
};

} // namespace

TEST_F(DeviceLinkTest, OpensBothVendorCollectionsAndClosesEveryProbe)
{
    CDebugLogCapture log;
    EXPECT_EQ(OpenDevice(), 1);
    EXPECT_EQ(g_bDeviceConnected.load(), 1);
    EXPECT_EQ(g_nFeatureReportLength, 9);
    EXPECT_EQ(g_nCommandInputReportLength, 33);
    EXPECT_EQ(g_nEventReportLength.load(), 9);
    EXPECT_NE(GetEventDevice(), nullptr);
    for (const auto& info : mouse.Interfaces())
        EXPECT_EQ(mouse.OpenHandleCount(info.path, HidOpenMode::Probe), 0) << info.path;
    // Each interface of the mouse, in order: the identity line, then its capabilities.
    const auto interfaces = mouse.Interfaces();
    ASSERT_EQ(interfaces.size(), 3u);
    const char* caps[] = {
        ",\nUsage:0x0002\n, UsagePage:0x0001\n,FeatureReportByteLength:0x0000\n,"
        "InputReportByteLength:0x5\n,OutputReportByteLength:0x0\n",
        ",\nUsage:0xff01\n, UsagePage:0xff01\n,FeatureReportByteLength:0x0000\n,"
        "InputReportByteLength:0x9\n,OutputReportByteLength:0x0\n",
        ",\nUsage:0xff00\n, UsagePage:0xff00\n,FeatureReportByteLength:0x0009\n,"
        "InputReportByteLength:0x21\n,OutputReportByteLength:0x21\n",
    };
    std::vector<std::string> expected;
    for (size_t i = 0; i < interfaces.size(); ++i) {
        expected.push_back("Find our hid device.Success\n");
        expected.push_back("DevicePath:" + interfaces[i].path + caps[i]);
    }
    EXPECT_EQ(log.Entries(), expected);
    EXPECT_EQ(g_strDevicePath, interfaces[2].path);
    EXPECT_TRUE(CommandChannelWorks());
}

TEST_F(DeviceLinkTest, SearchRulesOverInterfaceSets)
{
    struct Case {
        const char* name;
        std::vector<HidInterfaceInfo> interfaces;
        int result;
        uint16_t eventLength; // of the event collection left open; 0 when none is open
        size_t lastExamined;  // index of the interface the search looked at last
    };
    const std::vector<Case> cases = {
        {"another vendor first is skipped",
         {Interface(1, 2, 5, 0, 0, kOtherPath, 0x046D, 0xC077),
          Interface(0xFF01, 0xFF01, 9, 0, 0, kEventPath),
          Interface(0xFF00, 0xFF00, 33, 33, 9, kCommandPath)},
         1,
         9,
         2},
        {"same vendor, other product is skipped",
         {Interface(0xFF00, 0xFF00, 33, 33, 9, kOtherPath, 0x04D9, 0x1234),
          Interface(0xFF01, 0xFF01, 9, 0, 0, kEventPath)},
         0,
         9,
         1},
        {"standard mouse collection only", {Interface(1, 2, 5, 0, 0, kMousePath)}, 0, 0, 0},
        {"command collection with feature length 8 is rejected",
         {Interface(0xFF00, 0xFF00, 33, 33, 8, kCommandPath)},
         0,
         0,
         0},
        {"command collection with feature length 10 is rejected",
         {Interface(0xFF00, 0xFF00, 33, 33, 10, kCommandPath)},
         0,
         0,
         0},
        {"rejected command collection, then an acceptable one",
         {Interface(0xFF00, 0xFF00, 33, 33, 8, kCommandPath + "a"),
          Interface(0xFF00, 0xFF00, 33, 33, 9, kCommandPath)},
         1,
         0,
         1},
        {"event collection with input length 0 is not opened",
         {Interface(0xFF01, 0xFF01, 0, 0, 0, kEventPath),
          Interface(0xFF00, 0xFF00, 33, 33, 9, kCommandPath)},
         1,
         0,
         1},
        {"usage 0xFF01 on another page is not the event collection",
         {Interface(0xFF00, 0xFF01, 9, 0, 0, kEventPath),
          Interface(0xFF00, 0xFF00, 33, 33, 9, kCommandPath)},
         1,
         0,
         1},
        {"page 0xFF01 with another usage is not the event collection",
         {Interface(0xFF01, 0x0001, 9, 0, 0, kEventPath),
          Interface(0xFF00, 0xFF00, 33, 33, 9, kCommandPath)},
         1,
         0,
         1},
        {"event after command is still opened",
         {Interface(1, 2, 5, 0, 0, kMousePath), Interface(0xFF00, 0xFF00, 33, 33, 9, kCommandPath),
          Interface(0xFF01, 0xFF01, 9, 0, 0, kEventPath)},
         1,
         9,
         2},
        {"of two event collections before the command the later one is kept",
         {Interface(0xFF01, 0xFF01, 9, 0, 0, kEventPath),
          Interface(0xFF01, 0xFF01, 20, 0, 0, kEventPath + "b"),
          Interface(0xFF00, 0xFF00, 33, 33, 9, kCommandPath),
          Interface(0xFF01, 0xFF01, 30, 0, 0, kEventPath + "c")},
         1,
         20,
         2},
        {"after the command only the first event collection is opened",
         {Interface(0xFF00, 0xFF00, 33, 33, 9, kCommandPath),
          Interface(0xFF01, 0xFF01, 9, 0, 0, kEventPath),
          Interface(0xFF01, 0xFF01, 30, 0, 0, kEventPath + "c")},
         1,
         9,
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ResetDeviceLinkForTest();
        UseInterfaces(c.interfaces);
        EXPECT_EQ(OpenDevice(), c.result);
        EXPECT_EQ(g_bDeviceConnected.load(), c.result);
        EXPECT_EQ(GetEventDevice() != nullptr, c.eventLength != 0);
        if (c.eventLength != 0) {
            EXPECT_EQ(g_nEventReportLength.load(), c.eventLength);
        }
        EXPECT_EQ(g_strDevicePath, c.interfaces[c.lastExamined].path);
        int readHandles = 0;
        for (const auto& info : c.interfaces) {
            EXPECT_EQ(mouse.OpenHandleCount(info.path, HidOpenMode::Probe), 0) << info.path;
            readHandles += mouse.OpenHandleCount(info.path, HidOpenMode::Read);
        }
        // A replaced event handle is closed, not leaked.
        EXPECT_EQ(readHandles, c.eventLength != 0 ? 1 : 0);
    }
}

TEST_F(DeviceLinkTest, EveryFailurePathEndsTheSearchWithZero)
{
    const std::vector<HidInterfaceInfo> eventFirst = {
        Interface(0xFF01, 0xFF01, 9, 0, 0, kEventPath),
        Interface(0xFF00, 0xFF00, 33, 33, 9, kCommandPath)};
    struct Case {
        const char* name;
        std::function<void()> inject;
        const char* line;
    };
    const std::vector<Case> cases = {
        {"enumeration fails", [&] { mouse.SetEnumerationFails(true); }, nullptr},
        {"probe of the first interface fails",
         [&] { mouse.SetOpenFailure(kEventPath, HidOpenMode::Probe, HidOpenError::Other); },
         nullptr},
        {"capabilities unavailable", [&] { mouse.SetCapsUnavailable(kEventPath, true); },
         "HidD_GetPreparsedData failed.\n"},
        {"event collection cannot be opened",
         [&] {
             mouse.SetOpenFailure(kEventPath, HidOpenMode::Read, HidOpenError::PermissionDenied);
         },
         nullptr},
        {"command collection cannot be opened",
         [&] {
             mouse.SetOpenFailure(kCommandPath, HidOpenMode::ReadWrite,
                                  HidOpenError::PermissionDenied);
         },
         nullptr},
        {"no interface of the mouse", [&] { mouse.SetInterfaces({}); },
         "SetupDiEnumDeviceInterfaces failed.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ResetDeviceLinkForTest();
        mouse.SetEnumerationFails(false);
        mouse.SetCapsUnavailable(kEventPath, false);
        mouse.SetOpenFailure(kEventPath, HidOpenMode::Probe, HidOpenError::None);
        mouse.SetOpenFailure(kEventPath, HidOpenMode::Read, HidOpenError::None);
        mouse.SetOpenFailure(kCommandPath, HidOpenMode::ReadWrite, HidOpenError::None);
        UseInterfaces(eventFirst);
        c.inject();
        CDebugLogCapture log;
        EXPECT_EQ(OpenDevice(), 0);
        EXPECT_EQ(g_bDeviceConnected.load(), 0);
        if (c.line) {
            EXPECT_TRUE(log.Contains(c.line)) << log.Text();
        }
        for (const auto& info : eventFirst)
            EXPECT_EQ(mouse.OpenHandleCount(info.path, HidOpenMode::Probe), 0);
    }
}

TEST_F(DeviceLinkTest, ConnectExchangeQueriesFirmwareAndRefreshesOptions)
{
    // The connected hook runs once the mirror is cleared and before anything is sent.
    g_byDeviceState = 4;
    std::vector<std::pair<int, size_t>> hookSeen; // device state, packets sent so far
    SetDeviceConnectedHook(
        [&] { hookSeen.emplace_back(g_byDeviceState, mouse.ReceivedPackets().size()); });
    CDebugLogCapture log;
    ASSERT_EQ(ConnectAtStartup(), 1);
    EXPECT_EQ(hookSeen, (std::vector<std::pair<int, size_t>>{{0, 0}}));
    auto packets = mouse.ReceivedPackets();
    ASSERT_EQ(packets.size(), 3u);
    EXPECT_EQ(packets[0].bytes, (std::array<uint8_t, 8>{0x80, 0, 0, 0, 0, 0, 0, 0x7F}));
    EXPECT_EQ(packets[1].bytes, (std::array<uint8_t, 8>{0x83, 0, 0, 0, 0, 0, 0, 0x7C}));
    EXPECT_EQ(packets[2].bytes,
              (std::array<uint8_t, 8>{0x03, 0x01, 0x00, 0x00, 0xD1, 0x00, 0x00, 0x2A}));
    EXPECT_EQ(mouse.Memory().functionOptions, (std::array<uint8_t, 4>{1, 0, 0, 0xD1}));
    EXPECT_TRUE(log.Contains("FW version:01-02\n"));
}

TEST_F(DeviceLinkTest, NoDeviceAtStartSendsNothingAndHoldsTheReaderBack)
{
    mouse.Unplug();
    EXPECT_EQ(ConnectAtStartup(), 0);
    ASSERT_TRUE(StartEventReader());
    EXPECT_FALSE(IsEventReaderResumed());
    Register();
    EXPECT_TRUE(mouse.ReceivedPackets().empty());

    mouse.Plug(); // one arrival per interface
    EXPECT_EQ(g_bDeviceConnected.load(), 1);
    EXPECT_TRUE(IsEventReaderResumed());
    auto events = window.Events();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front(), std::make_pair(DEVICE_EVENT_CONNECTED, 0u));

    mouse.PressDpiButton(3);
    ASSERT_TRUE(window.WaitForEvents(events.size() + 1));
    EXPECT_EQ(window.Events().back(), std::make_pair(1u, 3u));
}

TEST_F(DeviceLinkTest, ReaderPostsOnlyEventReports)
{
    ASSERT_EQ(ConnectAtStartup(), 1);
    ASSERT_TRUE(StartEventReader());
    mouse.QueueEventReport({0x06, 0x08, 0x02, 0x03, 0, 0, 0, 0, 0});
    // Too short to carry a code and a value.
    mouse.QueueEventReport({0x06, 0x07});
    mouse.QueueEventReport({0x05, 0x07, 0x02, 0x03, 0, 0, 0, 0, 0});
    mouse.QueueEventReport({0x06, 0x07, 0x02, 0x03, 0, 0, 0, 0, 0});
    mouse.PressMacroKey(2);
    ASSERT_TRUE(window.WaitForEvents(2));
    EXPECT_EQ(window.Events(), (std::vector<std::pair<uint32_t, uint32_t>>{{2, 3}, {9, 2}}));
}

TEST_F(DeviceLinkTest, HotPlugSequences)
{
    ASSERT_EQ(ConnectAtStartup(), 1);
    ASSERT_TRUE(StartEventReader());
    Register();

    mouse.Unplug();
    EXPECT_EQ(g_bDeviceConnected.load(), 0);
    // Nothing is reachable: the stale handles are closed.
    EXPECT_EQ(g_hCommandDevice, nullptr);
    EXPECT_EQ(GetEventDevice(), nullptr);
    {
        auto events = window.Events();
        ASSERT_FALSE(events.empty());
        for (const auto& e : events)
            EXPECT_EQ(e, std::make_pair(DEVICE_EVENT_NOT_DETECTED, 0u));
        EXPECT_EQ(window.calls.front(), "hide");
        EXPECT_EQ(window.calls.back(), "deleteTray");
    }

    window.Clear();
    g_byDeviceState = 3;
    SetDeviceConnectedHook([&] {
        window.Call(g_byDeviceState == 0 ? "connected 0" : "connected, state not cleared");
    });
    mouse.Plug();
    EXPECT_EQ(g_bDeviceConnected.load(), 1);
    // One connected hook per matching arrival, each right before the reload.
    EXPECT_EQ(window.calls.front(), "connected 0");
    EXPECT_EQ(window.Events().front(), std::make_pair(DEVICE_EVENT_CONNECTED, 0u));
    ASSERT_GE(window.calls.size(), 3u);
    EXPECT_EQ(window.calls[1], "reload");
    EXPECT_EQ(window.calls[2], "addTray");
    EXPECT_TRUE(CommandChannelWorks());

    // A removal of one interface while the mouse is still reachable keeps the connection.
    window.Clear();
    mouse.Notify({DBT_DEVICEREMOVECOMPLETE, DBT_DEVTYP_DEVICEINTERFACE, kMousePath});
    EXPECT_EQ(g_bDeviceConnected.load(), 1);
    EXPECT_TRUE(window.Events().empty());
    EXPECT_EQ(window.calls, std::vector<std::string>{"addTray"});

    // An arrival whose re-open fails is reported as not detected.
    window.Clear();
    for (const auto& info : mouse.Interfaces())
        mouse.SetOpenFailure(info.path, HidOpenMode::ReadWrite, HidOpenError::PermissionDenied);
    mouse.Notify({DBT_DEVICEARRIVAL, DBT_DEVTYP_DEVICEINTERFACE, kCommandPath});
    EXPECT_EQ(g_bDeviceConnected.load(), 0);
    EXPECT_EQ(window.Events(),
              (std::vector<std::pair<uint32_t, uint32_t>>{{DEVICE_EVENT_NOT_DETECTED, 0}}));
}

TEST_F(DeviceLinkTest, IdentityInNotificationNamesIsCaseSensitive)
{
    ASSERT_EQ(ConnectAtStartup(), 1);
    struct Case {
        uint32_t type;
        const char* name;
        bool handled;
    };
    const Case cases[] = {
        {DBT_DEVICEARRIVAL, "\\\\?\\HID#VID_04D9&PID_A165&MI_01", true},
        {DBT_DEVICEARRIVAL, "\\\\?\\hid#VID_04d9&PID_a165&mi_01", true},
        {DBT_DEVICEARRIVAL, "\\\\?\\hid#vid_04d9&pid_a165&mi_01", false},
        {DBT_DEVICEARRIVAL, "\\\\?\\hid#Vid_04d9&Pid_a165", false},
        {DBT_DEVICEREMOVECOMPLETE, "\\\\?\\hid#Vid_04d9&Pid_a165", true},
        {DBT_DEVICEREMOVECOMPLETE, "\\\\?\\HID#VID_04D9&PID_A165", true},
        {DBT_DEVICEREMOVECOMPLETE, "\\\\?\\hid#VID_04d9&PID_a165", false},
        {DBT_DEVICEREMOVECOMPLETE, "\\\\?\\HID#VID_046D&PID_C077", false},
        {0x8001, "\\\\?\\HID#VID_04D9&PID_A165", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        window.Clear();
        EXPECT_TRUE(OnDeviceChange({c.type, DBT_DEVTYP_DEVICEINTERFACE, c.name}));
        // A handled notification re-opens: the tray icon comes back.
        bool reopened = !window.calls.empty();
        EXPECT_EQ(reopened, c.handled);
    }
    window.Clear();
    OnDeviceChange(
        {DBT_DEVICEARRIVAL, 2 /* not an interface broadcast */, "HID#VID_04D9&PID_A165"});
    EXPECT_TRUE(window.calls.empty());
}

TEST_F(DeviceLinkTest, ReaderFollowsTheNewEventHandleAfterEveryReopen)
{
    ASSERT_EQ(ConnectAtStartup(), 1);
    ASSERT_TRUE(StartEventReader());
    Register();
    for (uint8_t round = 1; round <= 3; ++round) {
        SCOPED_TRACE(round);
        mouse.Unplug();
        mouse.Plug();
        window.Clear();
        mouse.PressDpiButton(round);
        ASSERT_TRUE(window.WaitForEvents(1));
        EXPECT_EQ(window.Events().front(), std::make_pair(1u, static_cast<uint32_t>(round)));
        // Replaced handles are closed, not leaked.
        EXPECT_EQ(mouse.OpenHandleCount(mouse.Interfaces()[1].path, HidOpenMode::Read), 1);
    }
}

TEST_F(DeviceLinkTest, ShutdownClosesHandlesAndStopsTheReader)
{
    ASSERT_EQ(ConnectAtStartup(), 1);
    ASSERT_TRUE(StartEventReader());
    ShutdownDeviceLink();
    EXPECT_EQ(g_hCommandDevice, nullptr);
    EXPECT_EQ(GetEventDevice(), nullptr);
    for (const auto& info : mouse.Interfaces()) {
        EXPECT_EQ(mouse.OpenHandleCount(info.path, HidOpenMode::Read), 0);
        EXPECT_EQ(mouse.OpenHandleCount(info.path, HidOpenMode::ReadWrite), 0);
    }
}

TEST_F(DeviceLinkTest, EventReportsLongerThanFortyBytesAreReadWhole)
{
    UseInterfaces({Interface(0xFF01, 0xFF01, 64, 0, 0, kEventPath),
                   Interface(0xFF00, 0xFF00, 33, 33, 9, kCommandPath)});
    ASSERT_EQ(ConnectAtStartup(), 1);
    ASSERT_TRUE(StartEventReader());
    std::vector<uint8_t> report(64, 0xEE);
    report[0] = 0x06;
    report[1] = 0x07;
    report[2] = 0x05;
    report[3] = 0x06;
    mouse.QueueEventReport(report);
    mouse.PressMacroKey(4);
    ASSERT_TRUE(window.WaitForEvents(2));
    EXPECT_EQ(window.Events(), (std::vector<std::pair<uint32_t, uint32_t>>{{5, 6}, {9, 4}}));
}

TEST_F(DeviceLinkTest, ReconnectOnlyRefreshesTheFunctionOptions)
{
    ASSERT_EQ(ConnectAtStartup(), 1);
    ASSERT_TRUE(StartEventReader());
    Register();
    mouse.Unplug();
    mouse.ResetToPowerOn();
    window.Clear();

    // One arrival per interface, each a full re-open: the options are read and written back,
    // the profile is not sent and the firmware is not asked again.
    mouse.Plug();
    auto packets = mouse.ReceivedPackets();
    const size_t notifications = mouse.Interfaces().size();
    ASSERT_EQ(packets.size(), 2 * notifications);
    for (size_t i = 0; i < packets.size(); i += 2) {
        EXPECT_EQ(packets[i].bytes, (std::array<uint8_t, 8>{0x83, 0, 0, 0, 0, 0, 0, 0x7C}));
        EXPECT_EQ(packets[i + 1].bytes,
                  (std::array<uint8_t, 8>{0x03, 0x01, 0x00, 0x00, 0xD1, 0x00, 0x00, 0x2A}));
    }
    const std::vector<std::pair<uint32_t, uint32_t>> connected(
        notifications, std::make_pair(DEVICE_EVENT_CONNECTED, 0u));
    EXPECT_EQ(window.Events(), connected);

    // A removal whose re-open succeeds does the same, without the connected event.
    mouse.ResetToPowerOn();
    window.Clear();
    mouse.Notify({DBT_DEVICEREMOVECOMPLETE, DBT_DEVTYP_DEVICEINTERFACE, kMousePath});
    packets = mouse.ReceivedPackets();
    ASSERT_EQ(packets.size(), 2u);
    EXPECT_EQ(packets[0].bytes[0], 0x83);
    EXPECT_EQ(packets[1].bytes[0], 0x03);
    EXPECT_TRUE(window.Events().empty());
}

TEST_F(DeviceLinkTest, AConnectByARemovalNotificationStartsAHeldBackReader)
{
    mouse.Unplug();
    ASSERT_EQ(ConnectAtStartup(), 0);
    ASSERT_TRUE(StartEventReader());
    ASSERT_FALSE(IsEventReaderResumed());
    // The mouse comes back without an arrival being heard; the next notification of it is the
    // removal of one of its interfaces, and the re-open succeeds.
    mouse.Plug();
    EXPECT_TRUE(OnDeviceChange({DBT_DEVICEREMOVECOMPLETE, DBT_DEVTYP_DEVICEINTERFACE, kMousePath}));
    EXPECT_EQ(g_bDeviceConnected.load(), 1);
    ASSERT_TRUE(IsEventReaderResumed());
    mouse.PressDpiButton(5);
    ASSERT_TRUE(window.WaitForEvents(1));
    EXPECT_EQ(window.Events().back(), std::make_pair(1u, 5u));
}

TEST_F(DeviceLinkTest, OnlyTheListedSpellingsOfTheIdentityAreRecognised)
{
    ASSERT_EQ(ConnectAtStartup(), 1);
    // Every upper/lower mixture of the eight letters of "VID_04D9&PID_A165".
    const std::string base = "VID_04D9&PID_A165";
    std::vector<size_t> letters;
    for (size_t i = 0; i < base.size(); ++i)
        if (std::isalpha(static_cast<unsigned char>(base[i])))
            letters.push_back(i);
    ASSERT_EQ(letters.size(), 8u);
    struct Kind {
        uint32_t type;
        std::vector<std::string> accepted;
    };
    const Kind kinds[] = {
        {DBT_DEVICEARRIVAL, {"VID_04d9&PID_a165", "VID_04D9&PID_A165"}},
        {DBT_DEVICEREMOVECOMPLETE, {"Vid_04d9&Pid_a165", "VID_04D9&PID_A165"}},
    };
    for (const auto& kind : kinds) {
        int recognised = 0;
        for (unsigned mask = 0; mask < (1u << letters.size()); ++mask) {
            std::string identity = base;
            for (size_t bit = 0; bit < letters.size(); ++bit)
                if (mask & (1u << bit))
                    identity[letters[bit]] = static_cast<char>(
                        std::tolower(static_cast<unsigned char>(identity[letters[bit]])));
            const bool listed = std::find(kind.accepted.begin(), kind.accepted.end(), identity) !=
                                kind.accepted.end();
            window.Clear();
            OnDeviceChange(
                {kind.type, DBT_DEVTYP_DEVICEINTERFACE, "\\\\?\\HID#" + identity + "&MI_01"});
            const bool handled = !window.calls.empty();
            EXPECT_EQ(handled, listed) << identity;
            recognised += handled;
        }
        EXPECT_EQ(recognised, 2);
    }
}

TEST_F(DeviceLinkTest, RegistrationFailureIsReported)
{
    struct CFailingWatcher final : IDeviceWatcher {
        bool Start(Callback) override { return false; }
        void Stop() override {}
    } failing;
    CDebugLogCapture log;
    EXPECT_FALSE(RegisterDeviceNotifications(failing, [](const DeviceChangeNotification&) {}));
    EXPECT_EQ(log.Entries(), std::vector<std::string>{"RegisterDeviceNotification failed!!!"});
}

TEST_F(DeviceLinkTest, RefusedReaderThreadIsReportedAndTheProgramGoesOn)
{
    ASSERT_EQ(ConnectAtStartup(), 1);
    CDebugLogCapture log;
    FailNextThreadStartsForTest(1);
    EXPECT_FALSE(StartEventReader());
    EXPECT_FALSE(IsEventReaderRunning());
    EXPECT_TRUE(log.Contains("Could not start the event reader thread: ")) << log.Text();
    EXPECT_TRUE(CommandChannelWorks()); // the command channel does not need the reader
    EXPECT_TRUE(StartEventReader());    // a later start may succeed
    EXPECT_TRUE(IsEventReaderRunning());
}
