#include "device/hid/HidrawNodeTracker.h"
#include "device/hid/HidrawTransport.h"
#include "device/hid/UdevDeviceWatcher.h"
#include "platform/DebugLog.h"
#include "platform/ManualResetEvent.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace zentro {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

const Bytes kCommand = {0x06, 0x00, 0xFF, 0x0A, 0x00, 0xFF, 0xA1, 0x01, 0x75, 0x08,
                        0x95, 0x08, 0x09, 0x01, 0xB1, 0x02, 0x95, 0x20, 0x09, 0x02,
                        0x81, 0x02, 0x95, 0x20, 0x09, 0x03, 0x91, 0x02, 0xC0};
// Event collection (ID 6) and a second vendor collection (ID 7) on one node.
const Bytes kEvents = {0x06, 0x01, 0xFF, 0x0A, 0x01, 0xFF, 0xA1, 0x01, 0x85, 0x06, 0x75, 0x08, 0x95,
                       0x08, 0x09, 0x01, 0x81, 0x02, 0xC0, 0x06, 0x02, 0xFF, 0x09, 0x01, 0xA1, 0x01,
                       0x85, 0x07, 0x75, 0x08, 0x95, 0x03, 0x09, 0x01, 0x81, 0x02, 0xC0};
const Bytes kMouse = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x04, 0x81, 0x02, 0xC0};

class HidrawTransportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(m_tmp.Path().empty());
        fs::create_directories(m_root / "dev");
    }

    void AddNode(const std::string& node, const std::string& hidId, const Bytes& descriptor)
    {
        fs::path dir = m_root / "sys/class/hidraw" / node / "device";
        fs::create_directories(dir);
        std::ofstream(dir / "uevent")
            << "DRIVER=hid-generic\nHID_ID=" << hidId << "\nHID_NAME=Test\n";
        std::ofstream(dir / "report_descriptor", std::ios::binary)
            .write(reinterpret_cast<const char*>(descriptor.data()),
                   static_cast<std::streamsize>(descriptor.size()));
        ASSERT_EQ(::mkfifo((m_root / "dev" / node).c_str(), 0600), 0);
    }
    CHidrawTransport Transport() const
    {
        return CHidrawTransport((m_root / "sys").string(), (m_root / "dev").string());
    }
    std::string Dev(const std::string& node) const { return (m_root / "dev" / node).string(); }

    test::CTempDir m_tmp{"hidraw"};
    fs::path m_root = m_tmp.Path();
};

TEST_F(HidrawTransportTest, EnumeratesOneInterfacePerCollectionInNodeOrder)
{
    AddNode("hidraw10", "0003:000004D9:0000A165", kCommand);
    AddNode("hidraw2", "0003:000004D9:0000A165", kEvents);
    AddNode("hidraw0", "0003:0000046D:0000C077", kMouse);
    AddNode("hidraw1", "0003:000004D9:0000A165", {0xA1, 0x01, 0x81}); // truncated
    AddNode("hidraw3", "garbage", kMouse);
    CDebugLogCapture log;
    auto transport = Transport();
    std::vector<HidInterfaceInfo> list;
    ASSERT_TRUE(transport.Enumerate(list));
    struct Expected {
        std::string path;
        uint16_t vid, pid, page, usage, in, out, feature;
    } expected[] = {
        {Dev("hidraw0") + "#HID#VID_046D&PID_C077&Col01", 0x046D, 0xC077, 1, 2, 5, 0, 0},
        {Dev("hidraw2") + "#HID#VID_04D9&PID_A165&Col01", 0x04D9, 0xA165, 0xFF01, 0xFF01, 9, 0, 0},
        {Dev("hidraw2") + "#HID#VID_04D9&PID_A165&Col02", 0x04D9, 0xA165, 0xFF02, 1, 4, 0, 0},
        {Dev("hidraw10") + "#HID#VID_04D9&PID_A165&Col01", 0x04D9, 0xA165, 0xFF00, 0xFF00, 33, 33,
         9},
    };
    ASSERT_EQ(list.size(), std::size(expected));
    for (size_t i = 0; i < list.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(list[i].path, expected[i].path);
        EXPECT_EQ(list[i].vendorId, expected[i].vid);
        EXPECT_EQ(list[i].productId, expected[i].pid);
        EXPECT_EQ(list[i].usagePage, expected[i].page);
        EXPECT_EQ(list[i].usage, expected[i].usage);
        EXPECT_EQ(list[i].inputReportByteLength, expected[i].in);
        EXPECT_EQ(list[i].outputReportByteLength, expected[i].out);
        EXPECT_EQ(list[i].featureReportByteLength, expected[i].feature);
    }
    EXPECT_TRUE(log.Contains("hidraw1: report descriptor rejected"));
    EXPECT_TRUE(log.Contains("hidraw3: no HID_ID"));
}

TEST_F(HidrawTransportTest, NoHidrawClassMeansNoInterfaces)
{
    std::vector<HidInterfaceInfo> list(1);
    EXPECT_TRUE(Transport().Enumerate(list));
    EXPECT_TRUE(list.empty());
}

TEST_F(HidrawTransportTest, InterfacePathsMapBackToTheirNode)
{
    std::string path = CHidrawTransport::MakeInterfacePath("/dev/hidraw3", 0x04D9, 0xA165, 2);
    EXPECT_EQ(path, "/dev/hidraw3#HID#VID_04D9&PID_A165&Col02");
    EXPECT_EQ(CHidrawTransport::NodeOfPath(path), "/dev/hidraw3");
    EXPECT_EQ(CHidrawTransport::CollectionOfPath(path), 2);
    EXPECT_EQ(CHidrawTransport::CollectionOfPath("/dev/hidraw3"), 0);
}

TEST_F(HidrawTransportTest, ProbeNeedsNoAccessAndMissingNodesAreNotFound)
{
    AddNode("hidraw4", "0003:000004D9:0000A165", kCommand);
    ::chmod(Dev("hidraw4").c_str(), 0);
    auto transport = Transport();
    HidOpenError error = HidOpenError::Other;
    EXPECT_TRUE(transport.Open(Dev("hidraw4") + "#HID#VID_04D9&PID_A165&Col01", HidOpenMode::Probe,
                               &error));
    EXPECT_EQ(error, HidOpenError::None);
    EXPECT_FALSE(transport.Open(Dev("hidraw9") + "#HID", HidOpenMode::Probe, &error));
    EXPECT_EQ(error, HidOpenError::NotFound);
    if (::geteuid() == 0)
        GTEST_SKIP() << "root ignores file permissions";
    CDebugLogCapture log;
    EXPECT_FALSE(transport.Open(Dev("hidraw4") + "#HID", HidOpenMode::Read, &error));
    EXPECT_EQ(error, HidOpenError::PermissionDenied);
    EXPECT_TRUE(log.Contains("resources/70-zentro-mouse.rules"));
}

// The fake node is a FIFO: what the test writes is what read() returns.
TEST_F(HidrawTransportTest, ReadsUnnumberedReportsInWindowsShape)
{
    AddNode("hidraw5", "0003:000004D9:0000A165", kCommand);
    int writer = ::open(Dev("hidraw5").c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    auto device = Transport().Open(Dev("hidraw5") + "#HID#VID_04D9&PID_A165&Col01",
                                   HidOpenMode::Read, nullptr);
    ASSERT_TRUE(device);
    const uint8_t data[3] = {0x11, 0x22, 0x33};
    ASSERT_EQ(::write(writer, data, 3), 3);
    uint8_t buffer[40] = {0xEE};
    ASSERT_EQ(device->ReadInput(buffer, sizeof buffer, nullptr, 1000), 4);
    EXPECT_EQ(Bytes(buffer, buffer + 4), (Bytes{0x00, 0x11, 0x22, 0x33}));
    EXPECT_EQ(device->ReadInput(buffer, sizeof buffer, nullptr, 0), HID_READ_WOKEN);
    ::close(writer); // no writer left: the node hangs up like an unplugged device
    EXPECT_EQ(device->ReadInput(buffer, sizeof buffer, nullptr, 1000), HID_READ_GONE);
}

TEST_F(HidrawTransportTest, NumberedReadsKeepOnlyTheCollectionsReports)
{
    AddNode("hidraw6", "0003:000004D9:0000A165", kEvents);
    int writer = ::open(Dev("hidraw6").c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    auto device = Transport().Open(Dev("hidraw6") + "#HID#VID_04D9&PID_A165&Col01",
                                   HidOpenMode::Read, nullptr);
    ASSERT_TRUE(device);
    uint8_t buffer[40];
    const uint8_t other[4] = {0x07, 1, 2, 3};
    ASSERT_EQ(::write(writer, other, 4), 4);
    EXPECT_EQ(device->ReadInput(buffer, sizeof buffer, nullptr, 0), HID_READ_WOKEN);
    const uint8_t event[9] = {0x06, 0x07, 0x01, 0x02, 0, 0, 0, 0, 0};
    ASSERT_EQ(::write(writer, event, 9), 9);
    ASSERT_EQ(device->ReadInput(buffer, sizeof buffer, nullptr, 1000), 9);
    EXPECT_EQ(Bytes(buffer, buffer + 4), (Bytes{0x06, 0x07, 0x01, 0x02}));
    ::close(writer);
}

TEST_F(HidrawTransportTest, BlockedReaderWakesOnEventAndOnClose)
{
    AddNode("hidraw7", "0003:000004D9:0000A165", kEvents);
    int writer = ::open(Dev("hidraw7").c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    auto device = Transport().Open(Dev("hidraw7") + "#HID#VID_04D9&PID_A165&Col01",
                                   HidOpenMode::Read, nullptr);
    ASSERT_TRUE(device);
    CManualResetEvent wake;
    for (bool byClose : {false, true}) {
        int result = 1000;
        std::thread reader([&] {
            uint8_t buffer[40];
            result = device->ReadInput(buffer, sizeof buffer, &wake, -1);
        });
        if (byClose)
            device->Close();
        else
            wake.Set();
        reader.join();
        EXPECT_EQ(result, byClose ? HID_READ_GONE : HID_READ_WOKEN);
        wake.Reset();
    }
    ::close(writer);
}

TEST_F(HidrawTransportTest, TrackerAnnouncesEveryCollectionOnAddAndRemove)
{
    AddNode("hidraw2", "0003:000004D9:0000A165", kEvents);
    auto transport = Transport();
    CHidrawNodeTracker tracker(transport);
    tracker.Scan();
    AddNode("hidraw8", "0003:000004D9:0000A165", kCommand);
    auto added = tracker.OnAdd("hidraw8");
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0].eventType, DBT_DEVICEARRIVAL);
    EXPECT_EQ(added[0].name, Dev("hidraw8") + "#HID#VID_04D9&PID_A165&Col01");

    // The descriptor is gone by the time the removal arrives.
    fs::remove_all(m_root / "sys/class/hidraw/hidraw2");
    auto removed = tracker.OnRemove("hidraw2");
    ASSERT_EQ(removed.size(), 2u);
    EXPECT_EQ(removed[0].eventType, DBT_DEVICEREMOVECOMPLETE);
    EXPECT_EQ(removed[1].name, Dev("hidraw2") + "#HID#VID_04D9&PID_A165&Col02");
    EXPECT_TRUE(tracker.OnRemove("hidraw2").empty());
}

TEST_F(HidrawTransportTest, UdevWatcherStartsAndStopsOrSaysWhyNot)
{
    CUdevDeviceWatcher watcher((m_root / "sys").string(), (m_root / "dev").string());
    CDebugLogCapture log;
    if (!watcher.Start([](const DeviceChangeNotification&) {})) {
        EXPECT_TRUE(log.Contains("udev:"));
    }
    watcher.Stop(); // joins the thread; must not hang
    watcher.Stop();
}

} // namespace
} // namespace zentro
