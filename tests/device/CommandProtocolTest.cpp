#include <gtest/gtest.h>

#include <deque>
#include <mutex>
#include <vector>

#include "CoreReset.h"
#include "device/CommandProtocol.h"
#include "device/DeviceLink.h"
#include "platform/Clock.h"
#include "platform/DebugLog.h"

using namespace zentro;

namespace {

// A command handle that records what it is given and answers feature reads from a queue.
class CRecordingDevice final : public IHidDevice {
public:
    struct Transfer {
        std::string kind;
        std::vector<uint8_t> bytes;
        size_t length = 0; // the length asked for (reads)
    };
    bool SetFeature(const uint8_t* r, size_t n) override
    {
        log.push_back({"set", {r, r + n}});
        return true;
    }
    bool GetFeature(uint8_t* r, size_t n) override
    {
        log.push_back({"get", {}, n});
        if (replies.empty())
            return false; // no answer: the buffer stays as it was handed in
        auto reply = replies.front();
        replies.pop_front();
        for (size_t i = 0; i < n && i < reply.size(); ++i)
            r[i] = reply[i];
        return true;
    }
    bool WriteOutput(const uint8_t* r, size_t n) override
    {
        log.push_back({"write", {r, r + n}});
        return true;
    }
    int ReadInput(uint8_t* buffer, size_t length, const CManualResetEvent*, int) override
    {
        log.push_back({"read", {}, length});
        if (inputs.empty())
            return HID_READ_WOKEN;
        auto in = inputs.front();
        inputs.pop_front();
        size_t n = std::min(length, in.size());
        std::copy_n(in.begin(), n, buffer);
        return static_cast<int>(n);
    }
    void Close() override {}

    std::vector<Transfer> log;
    std::deque<std::vector<uint8_t>> replies;
    std::deque<std::vector<uint8_t>> inputs;
};

class CommandProtocolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        device = std::make_shared<CRecordingDevice>();
        g_hCommandDevice = device;
        g_nFeatureReportLength = 9;
        g_nCommandInputReportLength = 33;
        ClearDeviceMirror();
        SetSleeper(&time);
    }
    void TearDown() override { ResetCoreStateForTest(); }
    std::vector<std::vector<uint8_t>> Written(const std::string& kind) const
    {
        std::vector<std::vector<uint8_t>> out;
        for (const auto& t : device->log)
            if (t.kind == kind)
                out.push_back(t.bytes);
        return out;
    }

    std::shared_ptr<CRecordingDevice> device;
    CVirtualTime time;
};

} // namespace

TEST(CommandChecksum, IsComplementOfByteSum)
{
    struct Case {
        std::array<uint8_t, 8> packet;
        uint8_t checksum;
    };
    const Case cases[] = {
        {{0x83, 0, 0, 0, 0, 0, 0, 0}, 0x7C},
        {{0x03, 0x01, 0x00, 0x00, 0xD1, 0x00, 0x00, 0x00}, 0x2A},
        {{0x00, 0, 0, 0, 0, 0, 0, 0}, 0xFF},
        {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0}, 0x06}, // 7 * 255 = 0x6F9
        {{0x80, 0x01, 0x02, 0, 0, 0, 0, 0x55}, 0x7C},          // byte 7 does not count
    };
    for (const auto& c : cases)
        EXPECT_EQ(CommandChecksum(c.packet.data()), c.checksum);
}

TEST_F(CommandProtocolTest, FeatureReportCarriesReportIdPacketAndFreshChecksum)
{
    CommandPacket packet(0x83);
    packet[7] = 0xAA; // whatever the caller leaves here never reaches the device
    SendCommand(packet, false);
    auto sets = Written("set");
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0], (std::vector<uint8_t>{0x00, 0x83, 0, 0, 0, 0, 0, 0, 0x7C}));
    EXPECT_EQ(Written("get").size(), 0u);
}

TEST_F(CommandProtocolTest, ReplyReplacesAllEightBytesAndIsLogged)
{
    device->replies.push_back({0x00, 0x80, 0x01, 0x02, 0x33, 0x44, 0x55, 0x66, 0x99});
    CDebugLogCapture log;
    CommandPacket packet(0x80, 9, 9, 9, 9, 9, 9);
    SendCommand(packet, true);
    EXPECT_EQ(packet.bytes,
              (std::array<uint8_t, 8>{0x80, 0x01, 0x02, 0x33, 0x44, 0x55, 0x66, 0x99}));
    EXPECT_EQ(log.Text(), "Buffer[1]:80,Buffer[2]:01.");
}

TEST_F(CommandProtocolTest, MissingReplyReadsAsZeros)
{
    CommandPacket packet(0x82, 7);
    SendCommand(packet, true);
    EXPECT_EQ(packet.bytes, (std::array<uint8_t, 8>{}));
}

TEST_F(CommandProtocolTest, BlockWritesTheRightNumberOfZeroPaddedChunksWithWaits)
{
    struct Case {
        int length;
        size_t chunks;
    };
    for (Case c : {Case{0, 0}, Case{8, 1}, Case{24, 1}, Case{32, 1}, Case{33, 2}, Case{64, 2},
                   Case{128, 4}}) {
        SCOPED_TRACE(c.length);
        device->log.clear();
        time.ResetCounters();
        std::vector<uint8_t> data(std::max<size_t>(c.chunks, 1) * 32, 0);
        for (int i = 0; i < c.length; ++i)
            data[i] = static_cast<uint8_t>(i + 1);
        CommandPacket packet(0x13, 1, static_cast<uint8_t>(c.length));
        packet[7] = 0xAA; // replaced by the checksum
        TransferBlock(packet, data.data(), BlockDirection::Write, c.length);

        ASSERT_EQ(device->log.size(), 1 + c.chunks);
        EXPECT_EQ(device->log[0].kind, "set");
        std::vector<uint8_t> header{0x00, 0x13, 0x01, static_cast<uint8_t>(c.length), 0, 0,
                                    0,    0,    0x00};
        header[8] = CommandChecksum(header.data() + 1);
        EXPECT_EQ(device->log[0].bytes, header);
        auto writes = Written("write");
        ASSERT_EQ(writes.size(), c.chunks);
        for (size_t k = 0; k < c.chunks; ++k) {
            ASSERT_EQ(writes[k].size(), 33u);
            EXPECT_EQ(writes[k][0], 0x00);
            for (size_t b = 0; b < 32; ++b) {
                size_t index = k * 32 + b;
                uint8_t expected =
                    static_cast<int>(index) < c.length ? static_cast<uint8_t>(index + 1) : 0;
                EXPECT_EQ(writes[k][1 + b], expected) << "chunk " << k << " byte " << b;
            }
        }
        EXPECT_EQ(time.TotalSlept(), 100u * c.chunks);
        EXPECT_EQ(time.SleepCount(), c.chunks);
    }
}

TEST_F(CommandProtocolTest, LengthArgumentAloneDecidesTheChunks)
{
    std::vector<uint8_t> data(64, 0);
    CommandPacket packet(0x12, 0, 0x40);
    TransferBlock(packet, data.data(), BlockDirection::Write, 24);
    EXPECT_EQ(Written("write").size(), 1u);
}

TEST_F(CommandProtocolTest, BlockReadOfLengthZeroReadsOnlyTheFeatureReply)
{
    g_byDeviceState = 0x05;
    device->replies.push_back({0x00, 0x8C, 0x05, 0, 0, 0, 0, 0, 0x6E});
    QueryDeviceStateBlock();
    ASSERT_EQ(device->log.size(), 2u);
    EXPECT_EQ(device->log[0].bytes, (std::vector<uint8_t>{0x00, 0x8C, 0x05, 0, 0, 0, 0, 0, 0x6E}));
    EXPECT_EQ(device->log[1].kind, "get");
    EXPECT_EQ(time.TotalSlept(), 10u);
}

TEST_F(CommandProtocolTest, BlockReadCopiesDataBytesOfEachChunk)
{
    std::vector<uint8_t> in(33, 0);
    for (int i = 0; i < 33; ++i)
        in[i] = static_cast<uint8_t>(0xA0 + i);
    device->inputs.push_back(in);
    std::vector<uint8_t> data(64, 0xEE);
    CommandPacket packet(0x8C, 0, 40);
    TransferBlock(packet, data.data(), BlockDirection::Read, 40);
    EXPECT_EQ(data[0], 0xA1);
    EXPECT_EQ(data[31], 0xA0 + 32);
    // The second chunk never arrived: its bytes read as zeros.
    EXPECT_EQ(data[32], 0x00);
    EXPECT_EQ(data[63], 0x00);
    EXPECT_EQ(time.TotalSlept(), 200u);
}

TEST_F(CommandProtocolTest, BlockReadUsesTheInputLengthAndLogsNothing)
{
    struct Case {
        uint16_t inputLength;
        int length;
        size_t chunks;
    };
    for (Case c : {Case{33, 0, 0}, Case{33, 32, 1}, Case{65, 64, 2}, Case{80, 128, 4}}) {
        SCOPED_TRACE(c.length);
        device->log.clear();
        time.ResetCounters();
        g_nCommandInputReportLength = c.inputLength;
        device->replies.push_back({0x00, 0x8C, 0x02, 0x03, 0, 0, 0, 0, 0x6E});
        std::vector<uint8_t> data(std::max<size_t>(c.chunks, 1) * 32, 0);
        CommandPacket packet(0x8C, 2, static_cast<uint8_t>(c.length));
        CDebugLogCapture log;
        TransferBlock(packet, data.data(), BlockDirection::Read, c.length);
        // The feature reply replaces the packet, without the debug line of SendCommand.
        EXPECT_EQ(packet.bytes, (std::array<uint8_t, 8>{0x8C, 0x02, 0x03, 0, 0, 0, 0, 0x6E}));
        EXPECT_TRUE(log.Entries().empty()) << log.Text();
        ASSERT_EQ(device->log.size(), 2 + c.chunks);
        EXPECT_EQ(device->log[0].kind, "set");
        EXPECT_EQ(device->log[1].kind, "get");
        EXPECT_EQ(device->log[1].length, 9u);
        for (size_t k = 0; k < c.chunks; ++k) {
            EXPECT_EQ(device->log[2 + k].kind, "read");
            EXPECT_EQ(device->log[2 + k].length, c.inputLength);
        }
        EXPECT_EQ(time.TotalSlept(), 100u * c.chunks);
        EXPECT_TRUE(Written("write").empty());
    }
}

TEST_F(CommandProtocolTest, RefreshFunctionOptionsSetsO4FromO1)
{
    struct Case {
        std::vector<uint8_t> reply; // empty: the read fails
        std::array<uint8_t, 4> expected;
    };
    const Case cases[] = {
        {{0x00, 0x83, 0x01, 0x00, 0x00, 0x40, 0, 0, 0x3B}, {0x01, 0x00, 0x00, 0xD1}},
        {{0x00, 0x83, 0x02, 0x07, 0x09, 0xD1, 0, 0, 0x00}, {0x02, 0x07, 0x09, 0x40}},
        {{}, {0x00, 0x00, 0x00, 0x40}},
    };
    for (const auto& c : cases) {
        device->log.clear();
        if (!c.reply.empty())
            device->replies.push_back(c.reply);
        CDebugLogCapture log;
        RefreshFunctionOptions();
        EXPECT_EQ(g_FunctionOption, c.expected);
        auto sets = Written("set");
        ASSERT_EQ(sets.size(), 2u);
        EXPECT_EQ(sets[0], (std::vector<uint8_t>{0x00, 0x83, 0, 0, 0, 0, 0, 0, 0x7C}));
        // O1-O3 go back unchanged, O4 as decided, bytes 5-6 are zero.
        std::vector<uint8_t> expected{0x00,          0x03,          c.expected[0],
                                      c.expected[1], c.expected[2], c.expected[3],
                                      0x00,          0x00,          0x00};
        expected[8] = CommandChecksum(expected.data() + 1);
        EXPECT_EQ(sets[1], expected);
        EXPECT_TRUE(log.Contains("GetFunctionOption\tRead function option:Buffer[0]"));
    }
    std::array<uint8_t, 8> example{0x03, 0x01, 0x00, 0x00, 0xD1, 0x00, 0x00, 0x00};
    EXPECT_EQ(CommandChecksum(example.data()), 0x2A);
}

TEST_F(CommandProtocolTest, DebugLinesOfTheQueries)
{
    device->replies.push_back({0x00, 0x80, 0x01, 0x02, 0, 0, 0, 0, 0x7C});
    device->replies.push_back({0x00, 0x83, 0x01, 0x00, 0x00, 0x40, 0, 0, 0x3B});
    CDebugLogCapture log;
    auto version = GetFirmwareVersion();
    GetFunctionOption();
    SetFunctionOption();
    EXPECT_EQ(version, (std::array<uint8_t, 2>{1, 2}));
    // Every text whole, in order; the separators of the option line are U+FF0C.
    const std::vector<std::string> expected = {
        "Buffer[1]:80,Buffer[2]:01.",
        "FW version:01-02\n",
        "Buffer[1]:83,Buffer[2]:01.",
        "\nGetFunctionOption\tRead function option:Buffer[0]83\xef\xbc\x8c"
        "Buffer[1]01\xef\xbc\x8c"
        "Buffer[2]00\xef\xbc\x8c"
        "Buffer[3]00\xef\xbc\x8c"
        "Buffer[4]40\n",
        "SetFunctionOption:01-00\n",
    };
    EXPECT_EQ(log.Entries(), expected);
}

TEST_F(CommandProtocolTest, QueryDeviceStateStoresReplyByteOne)
{
    device->replies.push_back({0x00, 0x82, 0x04, 0, 0, 0, 0, 0, 0x79});
    QueryDeviceState();
    EXPECT_EQ(g_byDeviceState, 4);
}

TEST_F(CommandProtocolTest, NothingHappensWithoutADevice)
{
    g_hCommandDevice.reset();
    CommandPacket packet(0x80, 1, 2, 3);
    SendCommand(packet, true);
    EXPECT_EQ(packet.bytes, (std::array<uint8_t, 8>{}));
    std::vector<uint8_t> data(32, 1);
    CommandPacket block(0x11, 7, 8);
    TransferBlock(block, data.data(), BlockDirection::Write, 8);
    EXPECT_TRUE(device->log.empty());
}
