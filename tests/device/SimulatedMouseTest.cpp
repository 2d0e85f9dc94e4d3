#include "device/hid/SimulatedDeviceWatcher.h"
#include "device/hid/SimulatedMouse.h"
#include "platform/ManualResetEvent.h"

#include <gtest/gtest.h>

#include <array>
#include <thread>
#include <vector>

namespace zentro {
namespace {

using Bytes = std::vector<uint8_t>;

// Feature report (report ID 0 + packet) with a correct checksum in byte 8.
Bytes FeatureReport(std::initializer_list<uint8_t> packet)
{
    Bytes report(9, 0);
    size_t i = 1;
    for (uint8_t b : packet)
        report[i++] = b;
    unsigned sum = 0;
    for (size_t k = 1; k <= 7; ++k)
        sum += report[k];
    report[8] = static_cast<uint8_t>(0xFF - (sum & 0xFF));
    return report;
}

Bytes Chunk(uint8_t fill)
{
    Bytes chunk(33, fill);
    chunk[0] = 0;
    return chunk;
}

class SimulatedMouseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_interfaces = m_mouse.Interfaces();
        ASSERT_EQ(m_interfaces.size(), 3u);
        m_command = m_mouse.Open(CommandPath(), HidOpenMode::ReadWrite, nullptr);
        ASSERT_TRUE(m_command);
    }
    const std::string& EventPath() const { return m_interfaces[1].path; }
    const std::string& CommandPath() const { return m_interfaces[2].path; }

    bool Send(const Bytes& report) { return m_command->SetFeature(report.data(), report.size()); }
    Bytes Query(std::initializer_list<uint8_t> packet)
    {
        EXPECT_TRUE(Send(FeatureReport(packet)));
        Bytes reply(9, 0);
        EXPECT_TRUE(m_command->GetFeature(reply.data(), reply.size()));
        return Bytes(reply.begin() + 1, reply.end());
    }
    bool Write(const Bytes& chunk) { return m_command->WriteOutput(chunk.data(), chunk.size()); }

    CSimulatedMouse m_mouse;
    std::vector<HidInterfaceInfo> m_interfaces;
    HidDeviceHandle m_command;
};

TEST_F(SimulatedMouseTest, EnumeratesTheThreeInterfacesOfTheMouseInOrder)
{
    std::vector<HidInterfaceInfo> list;
    ASSERT_TRUE(m_mouse.Enumerate(list));
    ASSERT_EQ(list.size(), 3u);
    struct Expected {
        uint16_t page, usage, in, out, feature;
        const char* path;
    } expected[] = {
        {0x0001, 0x0002, 5, 0, 0, "sim://HID#VID_04D9&PID_A165&MI_01&Col01"},
        {0xFF01, 0xFF01, 9, 0, 0, "sim://HID#VID_04D9&PID_A165&MI_01&Col02"},
        {0xFF00, 0xFF00, 33, 33, 9, "sim://HID#VID_04D9&PID_A165&MI_01&Col03"},
    };
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(list[i].vendorId, 0x04D9);
        EXPECT_EQ(list[i].productId, 0xA165);
        EXPECT_EQ(list[i].usagePage, expected[i].page);
        EXPECT_EQ(list[i].usage, expected[i].usage);
        EXPECT_EQ(list[i].inputReportByteLength, expected[i].in);
        EXPECT_EQ(list[i].outputReportByteLength, expected[i].out);
        EXPECT_EQ(list[i].featureReportByteLength, expected[i].feature);
        EXPECT_EQ(list[i].path, expected[i].path);
        EXPECT_TRUE(list[i].capsAvailable);
    }
}

TEST_F(SimulatedMouseTest, AnswersQueriesLikeTheMouse)
{
    struct Case {
        std::initializer_list<uint8_t> packet;
        Bytes reply;
    } cases[] = {
        {{0x80}, {0x80, 0x01, 0x02, 0, 0, 0, 0, 0x7c}},
        {{0x83}, {0x83, 0x01, 0x00, 0x00, 0x40, 0, 0, 0x3b}},
        {{0x82}, {0x82, 0x01, 0, 0, 0, 0, 0, 0x7c}},
        {{0x8C, 0x05, 0x00}, {0x8C, 0x05, 0, 0, 0, 0, 0, 0x6e}},
        {{0x42, 1, 2, 3, 4, 5, 6}, {0x42, 1, 2, 3, 4, 5, 6, 0xa8}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(*c.packet.begin()));
        EXPECT_EQ(Query(c.packet), c.reply);
    }
}

TEST_F(SimulatedMouseTest, IgnoresPacketsWithABadChecksum)
{
    Bytes bad = FeatureReport({0x01, 0x04});
    bad[8] ^= 1;
    EXPECT_TRUE(Send(bad));
    EXPECT_EQ(m_mouse.Memory().pollingRate, 0);
    EXPECT_EQ(m_mouse.BadChecksumCount(), 1);
    // The reply still refers to the last good packet.
    Query({0x80});
    Bytes badQuery = FeatureReport({0x83});
    badQuery[8] = 0;
    Send(badQuery);
    Bytes reply(9, 0);
    ASSERT_TRUE(m_command->GetFeature(reply.data(), reply.size()));
    EXPECT_EQ(reply[1], 0x80);
    ASSERT_EQ(m_mouse.ReceivedPackets().size(), 3u);
    EXPECT_FALSE(m_mouse.ReceivedPackets()[0].checksumOk);
    EXPECT_TRUE(m_mouse.ReceivedPackets()[1].checksumOk);
}

TEST_F(SimulatedMouseTest, StoresSimpleSettingsAndFunctionOptions)
{
    Send(FeatureReport({0x01, 0x02}));
    Send(FeatureReport({0x0E, 0xDC, 0x28}));
    Send(FeatureReport({0x0D, 0x03, 0x04, 0x02}));
    Send(FeatureReport({0x03, 0x01, 0x00, 0x00, 0xD1}));
    auto memory = m_mouse.Memory();
    EXPECT_EQ(memory.pollingRate, 0x02);
    EXPECT_EQ(memory.axisSensitivity, (std::array<uint8_t, 2>{0xDC, 0x28}));
    EXPECT_EQ(memory.lighting, (std::array<uint8_t, 3>{0x03, 0x04, 0x02}));
    EXPECT_EQ(memory.functionOptions, (std::array<uint8_t, 4>{0x01, 0x00, 0x00, 0xD1}));
    EXPECT_EQ(Query({0x83}), (Bytes{0x83, 0x01, 0x00, 0x00, 0xD1, 0, 0, 0xaa}));
}

TEST_F(SimulatedMouseTest, BlockWritesTakeExactlyTheChunksTheirLengthAsksFor)
{
    // DPI stages: 8 bytes, one chunk.
    Bytes dpi = Chunk(0);
    const uint8_t stages[] = {0x04, 0x09, 0x13, 0x1D, 0x27, 0x31, 0x5D, 0x00};
    std::copy(std::begin(stages), std::end(stages), dpi.begin() + 1);
    Send(FeatureReport({0x11, 0x07, 0x08}));
    Write(dpi);
    EXPECT_EQ(m_mouse.Memory().dpiStages[6], 0x5D);
    EXPECT_EQ(m_mouse.StrayOutputReportCount(), 0);

    // Button block 2: 64 bytes, two chunks.
    Send(FeatureReport({0x12, 0x02, 0x40}));
    Write(Chunk(0xA1));
    EXPECT_EQ(m_mouse.Memory().buttonBlocks[2][0], 0) << "stored before the last chunk";
    Write(Chunk(0xA2));
    auto buttons = m_mouse.Memory().buttonBlocks[2];
    EXPECT_EQ(buttons[0], 0xA1);
    EXPECT_EQ(buttons[63], 0xA2);

    // Macro 12: 128 bytes, four chunks; macro 1 untouched.
    Send(FeatureReport({0x13, 0x0C, 0x80}));
    for (uint8_t i = 0; i < 4; ++i)
        Write(Chunk(static_cast<uint8_t>(0x10 + i)));
    auto memory = m_mouse.Memory();
    EXPECT_EQ(memory.macroBlocks[11][0], 0x10);
    EXPECT_EQ(memory.macroBlocks[11][127], 0x13);
    EXPECT_EQ(memory.macroBlocks[0][0], 0);

    // Colours: 24 bytes; the fifth chunk after the macro is stray.
    Write(Chunk(0x55));
    EXPECT_EQ(m_mouse.StrayOutputReportCount(), 1);
    Send(FeatureReport({0x10, 0x01, 0x18}));
    Write(Chunk(0x77));
    EXPECT_EQ(m_mouse.Memory().dpiColors[23], 0x77);
    EXPECT_EQ(m_mouse.IncompleteBlockCount(), 0);
}

TEST_F(SimulatedMouseTest, ABlockCutShortByTheNextPacketIsDropped)
{
    Send(FeatureReport({0x12, 0x00, 0x40}));
    Write(Chunk(0xEE));
    Send(FeatureReport({0x01, 0x01}));
    Write(Chunk(0xEE));
    EXPECT_EQ(m_mouse.IncompleteBlockCount(), 1);
    EXPECT_EQ(m_mouse.StrayOutputReportCount(), 1);
    EXPECT_EQ(m_mouse.Memory().buttonBlocks[0][0], 0);
}

TEST_F(SimulatedMouseTest, RejectsReportsOfTheWrongShapeOrOnTheWrongHandle)
{
    Bytes shortFeature(8, 0);
    EXPECT_FALSE(m_command->SetFeature(shortFeature.data(), shortFeature.size()));
    Bytes shortChunk(32, 0);
    EXPECT_FALSE(m_command->WriteOutput(shortChunk.data(), shortChunk.size()));
    Bytes numbered = FeatureReport({0x01, 0x03});
    numbered[0] = 5;
    EXPECT_FALSE(m_command->SetFeature(numbered.data(), numbered.size()));

    auto probe = m_mouse.Open(CommandPath(), HidOpenMode::Probe, nullptr);
    auto event = m_mouse.Open(EventPath(), HidOpenMode::ReadWrite, nullptr);
    Bytes good = FeatureReport({0x01, 0x03});
    EXPECT_FALSE(probe->SetFeature(good.data(), good.size()));
    EXPECT_FALSE(event->SetFeature(good.data(), good.size()));
    EXPECT_EQ(m_mouse.Memory().pollingRate, 0);
}

TEST_F(SimulatedMouseTest, DpiButtonQueuesAnEventAndChangesTheStateAnswer)
{
    auto event = m_mouse.Open(EventPath(), HidOpenMode::Read, nullptr);
    m_mouse.PressDpiButton(4);
    m_mouse.PressMacroKey(7);
    uint8_t buffer[40] = {};
    ASSERT_EQ(event->ReadInput(buffer, sizeof buffer, nullptr, 0), 9);
    EXPECT_EQ(Bytes(buffer, buffer + 9), (Bytes{0x06, 0x07, 0x01, 0x04, 0, 0, 0, 0, 0}));
    ASSERT_EQ(event->ReadInput(buffer, sizeof buffer, nullptr, 0), 9);
    EXPECT_EQ(Bytes(buffer, buffer + 4), (Bytes{0x06, 0x07, 0x09, 0x07}));
    EXPECT_EQ(event->ReadInput(buffer, sizeof buffer, nullptr, 0), HID_READ_WOKEN);
    EXPECT_EQ(Query({0x82})[1], 4);
}

TEST_F(SimulatedMouseTest, EventsWithoutAReaderAreDropped)
{
    m_mouse.PressMacroKey(1);
    EXPECT_EQ(m_mouse.DroppedEventReportCount(), 1);
    auto event = m_mouse.Open(EventPath(), HidOpenMode::Read, nullptr);
    uint8_t buffer[9];
    EXPECT_EQ(event->ReadInput(buffer, sizeof buffer, nullptr, 0), HID_READ_WOKEN);
}

TEST_F(SimulatedMouseTest, BlockedReaderWakesForEveryReason)
{
    enum class Reason { Report, WakeEvent, Close, Unplug };
    for (Reason reason : {Reason::Report, Reason::WakeEvent, Reason::Close, Reason::Unplug}) {
        SCOPED_TRACE(static_cast<int>(reason));
        m_mouse.Plug();
        auto event = m_mouse.Open(EventPath(), HidOpenMode::Read, nullptr);
        ASSERT_TRUE(event);
        CManualResetEvent wake;
        int result = 1000;
        std::thread reader([&] {
            uint8_t buffer[40];
            result = event->ReadInput(buffer, sizeof buffer, &wake, -1);
        });
        switch (reason) {
        case Reason::Report:
            m_mouse.QueueEventReport({0x06, 0x07, 0x02, 0x03, 0, 0, 0, 0, 0});
            break;
        case Reason::WakeEvent:
            wake.Set();
            break;
        case Reason::Close:
            event->Close();
            break;
        case Reason::Unplug:
            m_mouse.Unplug();
            break;
        }
        reader.join();
        int expected[] = {9, HID_READ_WOKEN, HID_READ_GONE, HID_READ_GONE};
        // A report queued before the reader opened its wait is still delivered.
        EXPECT_EQ(result, expected[static_cast<int>(reason)]);
    }
}

TEST_F(SimulatedMouseTest, UnplugMakesHandlesGoneAndWatchersHearEveryInterface)
{
    CSimulatedDeviceWatcher watcher(m_mouse);
    std::vector<DeviceChangeNotification> heard;
    ASSERT_TRUE(watcher.Start([&](const DeviceChangeNotification& n) {
        // The state has changed before the notification arrives.
        std::vector<HidInterfaceInfo> list;
        m_mouse.Enumerate(list);
        EXPECT_EQ(list.empty(), n.eventType == DBT_DEVICEREMOVECOMPLETE);
        heard.push_back(n);
    }));
    m_mouse.Unplug();
    Bytes packet = FeatureReport({0x80});
    EXPECT_FALSE(m_command->SetFeature(packet.data(), packet.size()));
    HidOpenError error = HidOpenError::None;
    EXPECT_FALSE(m_mouse.Open(CommandPath(), HidOpenMode::ReadWrite, &error));
    EXPECT_EQ(error, HidOpenError::NotFound);

    m_mouse.Plug();
    EXPECT_FALSE(m_command->SetFeature(packet.data(), packet.size())) << "old handle stays gone";
    ASSERT_EQ(heard.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(heard[i].eventType, i < 3 ? DBT_DEVICEREMOVECOMPLETE : DBT_DEVICEARRIVAL);
        EXPECT_EQ(heard[i].deviceType, DBT_DEVTYP_DEVICEINTERFACE);
        EXPECT_EQ(heard[i].name, m_interfaces[i % 3].path);
    }
    watcher.Stop();
    m_mouse.Unplug();
    EXPECT_EQ(heard.size(), 6u);
}

TEST_F(SimulatedMouseTest, PlugKeepsStoredSettingsAndRestartsVolatileState)
{
    Send(FeatureReport({0x01, 0x04}));
    Send(FeatureReport({0x03, 0x00, 0x00, 0x00, 0x00}));
    m_mouse.PressDpiButton(5);
    m_mouse.Unplug();
    m_mouse.Plug();
    auto memory = m_mouse.Memory();
    EXPECT_EQ(memory.pollingRate, 0x04);
    EXPECT_EQ(memory.currentDpiStage, 1);
    EXPECT_EQ(memory.functionOptions, (std::array<uint8_t, 4>{0x01, 0x00, 0x00, 0x40}));
}

TEST_F(SimulatedMouseTest, InjectedFailuresAndHandleCounts)
{
    std::vector<HidInterfaceInfo> list;
    m_mouse.SetEnumerationFails(true);
    EXPECT_FALSE(m_mouse.Enumerate(list));
    m_mouse.SetEnumerationFails(false);

    m_mouse.SetCapsUnavailable(EventPath(), true);
    ASSERT_TRUE(m_mouse.Enumerate(list));
    EXPECT_FALSE(list[1].capsAvailable);
    EXPECT_TRUE(list[2].capsAvailable);

    m_mouse.SetOpenFailure(EventPath(), HidOpenMode::Read, HidOpenError::PermissionDenied);
    HidOpenError error = HidOpenError::None;
    EXPECT_FALSE(m_mouse.Open(EventPath(), HidOpenMode::Read, &error));
    EXPECT_EQ(error, HidOpenError::PermissionDenied);
    auto probe = m_mouse.Open(EventPath(), HidOpenMode::Probe, &error);
    EXPECT_TRUE(probe);
    EXPECT_EQ(m_mouse.OpenHandleCount(EventPath(), HidOpenMode::Probe), 1);
    EXPECT_EQ(m_mouse.OpenHandleCount(EventPath(), HidOpenMode::Read), 0);
    EXPECT_EQ(m_mouse.OpenHandleCount(CommandPath(), HidOpenMode::ReadWrite), 1);
    probe->Close();
    EXPECT_EQ(m_mouse.OpenHandleCount(EventPath(), HidOpenMode::Probe), 0);
    m_mouse.SetOpenFailure(EventPath(), HidOpenMode::Read, HidOpenError::None);
    EXPECT_TRUE(m_mouse.Open(EventPath(), HidOpenMode::Read, nullptr));
}

TEST(SimulatedMouseSetupTest, InterfacesAndNamesCanBeChanged)
{
    CSimulatedMouse mouse;
    mouse.SetPathPattern("sim://\\\\?\\hid#vid_{vid}&pid_{pid}#{col}");
    EXPECT_EQ(mouse.Interfaces()[2].path, "sim://\\\\?\\hid#vid_04d9&pid_a165#03");

    auto interfaces = mouse.DefaultInterfaces();
    HidInterfaceInfo other;
    other.vendorId = 0x046D;
    other.productId = 0xC077;
    other.usagePage = 1;
    other.usage = 2;
    interfaces.insert(interfaces.begin(), other);
    std::swap(interfaces[2], interfaces[3]); // command collection before the event collection
    mouse.SetInterfaces(interfaces);
    auto list = mouse.Interfaces();
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].path, "sim://\\\\?\\hid#vid_046d&pid_c077#01");
    EXPECT_EQ(list[2].usagePage, 0xFF00);

    // Feature traffic follows the command collection wherever it is.
    auto command = mouse.Open(list[2].path, HidOpenMode::ReadWrite, nullptr);
    Bytes report = FeatureReport({0x01, 0x08});
    EXPECT_TRUE(command->SetFeature(report.data(), report.size()));
    EXPECT_EQ(mouse.Memory().pollingRate, 0x08);

    // Dropping an interface makes its handles gone.
    list.erase(list.begin() + 2);
    mouse.SetInterfaces(list);
    EXPECT_FALSE(command->SetFeature(report.data(), report.size()));
}

TEST(SimulatedMouseSetupTest, ResetToPowerOnClearsMemoryAndCounters)
{
    CSimulatedMouse mouse;
    auto command = mouse.Open(mouse.Interfaces()[2].path, HidOpenMode::ReadWrite, nullptr);
    Bytes report = FeatureReport({0x0E, 1, 2});
    command->SetFeature(report.data(), report.size());
    mouse.ResetToPowerOn();
    EXPECT_EQ(mouse.Memory().axisSensitivity[0], 0);
    EXPECT_TRUE(mouse.ReceivedPackets().empty());
    EXPECT_TRUE(command->SetFeature(report.data(), report.size())) << "handles survive a reset";
}

TEST(SimulatedMouseSetupTest, HandlesOutliveTheMouse)
{
    HidDeviceHandle command;
    {
        CSimulatedMouse mouse;
        command = mouse.Open(mouse.Interfaces()[2].path, HidOpenMode::ReadWrite, nullptr);
    }
    Bytes report = FeatureReport({0x80});
    EXPECT_TRUE(command->SetFeature(report.data(), report.size()));
    command->Close();
    EXPECT_FALSE(command->SetFeature(report.data(), report.size()));
}

} // namespace
} // namespace zentro
