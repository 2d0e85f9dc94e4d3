#include "device/CommandProtocol.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "device/DeviceLink.h"
#include "platform/Clock.h"
#include "platform/DebugLog.h"

namespace zentro {

std::array<uint8_t, 4> g_FunctionOption{};
uint8_t g_byDeviceState = 0;

namespace {

// Input chunks are read into a buffer of at least 80 bytes; a longer input report gets a
// buffer of its own size so that the read can never run past it.
constexpr size_t MIN_INPUT_BUFFER = 80;
// A synchronous chunk read that never gets an answer must not hang the program for good.
constexpr int CHUNK_READ_TIMEOUT_MS = 2000;

size_t FeatureLength()
{
    // The device link only accepts a command collection whose feature length is 9.
    return g_nFeatureReportLength ? g_nFeatureReportLength : COMMAND_PACKET_SIZE + 1;
}

// Each transfer says whether it reached the mouse: false without an open command handle or
// when the call failed (the mouse was unplugged, say).
bool SendFeature(const CommandPacket& packet)
{
    HidDeviceHandle device = g_hCommandDevice;
    if (!device)
        return false;
    std::vector<uint8_t> report(std::max<size_t>(FeatureLength(), COMMAND_PACKET_SIZE + 1), 0);
    report[0] = 0x00;
    std::memcpy(report.data() + 1, packet.bytes.data(), COMMAND_PACKET_SIZE);
    return device->SetFeature(report.data(), FeatureLength());
}

bool ReadFeatureReply(CommandPacket& packet)
{
    std::vector<uint8_t> report(std::max<size_t>(FeatureLength(), COMMAND_PACKET_SIZE + 1), 0);
    bool received = false;
    if (HidDeviceHandle device = g_hCommandDevice)
        received = device->GetFeature(report.data(), FeatureLength());
    // A reply that fails to arrive leaves zeros, and the packet reads as zeros.
    std::memcpy(packet.bytes.data(), report.data() + 1, COMMAND_PACKET_SIZE);
    return received;
}

} // namespace

uint8_t CommandChecksum(const uint8_t* packet)
{
    unsigned sum = 0;
    for (size_t i = 0; i < 7; ++i)
        sum += packet[i];
    return static_cast<uint8_t>(0xFF - (sum & 0xFF));
}

void SealCommandPacket(CommandPacket& packet)
{
    packet[7] = CommandChecksum(packet.bytes.data());
}

int BlockChunkCount(int length)
{
    return length <= 0 ? 0 : (length + 31) / 32;
}

bool SendCommand(CommandPacket& packet, bool wantReply)
{
    SealCommandPacket(packet);
    const bool sent = SendFeature(packet);
    if (!wantReply)
        return sent;
    const bool replied = ReadFeatureReply(packet);
    DebugPrintf("Buffer[1]:%02x,Buffer[2]:%02x.", packet[0], packet[1]);
    return sent && replied;
}

bool TransferBlock(CommandPacket& packet, uint8_t* data, BlockDirection direction, int length)
{
    SealCommandPacket(packet);
    // Every step is made whatever the ones before did, so the pacing stays the same.
    bool delivered = SendFeature(packet);
    if (direction == BlockDirection::Read)
        delivered = ReadFeatureReply(packet) && delivered;

    const int chunks = BlockChunkCount(length);
    if (direction == BlockDirection::Read) {
        size_t inputLength = g_nCommandInputReportLength;
        std::vector<uint8_t> buffer(std::max(MIN_INPUT_BUFFER, inputLength), 0);
        for (int i = 0; i < chunks; ++i) {
            std::fill(buffer.begin(), buffer.end(), 0);
            HidDeviceHandle device = g_hCommandDevice;
            const bool read = device && device->ReadInput(buffer.data(), inputLength, nullptr,
                                                          CHUNK_READ_TIMEOUT_MS) > 0;
            delivered = read && delivered;
            if (data)
                std::memcpy(data, buffer.data() + 1, BLOCK_CHUNK_SIZE);
            Sleep(CHUNK_WAIT_MS);
            if (data)
                data += BLOCK_CHUNK_SIZE;
        }
        return delivered;
    }

    uint8_t chunk[BLOCK_CHUNK_SIZE + 1];
    for (int i = 0; i < chunks; ++i) {
        std::memset(chunk, 0, sizeof chunk);
        if (data)
            std::memcpy(chunk + 1, data, BLOCK_CHUNK_SIZE);
        HidDeviceHandle device = g_hCommandDevice;
        delivered = (device && device->WriteOutput(chunk, sizeof chunk)) && delivered;
        Sleep(CHUNK_WAIT_MS);
        if (data)
            data += BLOCK_CHUNK_SIZE;
    }
    return delivered;
}

std::array<uint8_t, 2> GetFirmwareVersion()
{
    CommandPacket packet(CMD_GET_FIRMWARE_VERSION);
    SendCommand(packet, true);
    DebugPrintf("FW version:%02x-%02x\n", packet[1], packet[2]);
    return {packet[1], packet[2]};
}

void GetFunctionOption()
{
    CommandPacket packet(CMD_GET_FUNCTION_OPTION);
    SendCommand(packet, true);
    g_FunctionOption = {packet[1], packet[2], packet[3], packet[4]};
    // The separators are full-width commas (U+FF0C), as the line has always been written.
    DebugPrintf("\nGetFunctionOption\tRead function option:Buffer[0]%02x\xef\xbc\x8c"
                "Buffer[1]%02x\xef\xbc\x8c"
                "Buffer[2]%02x\xef\xbc\x8c"
                "Buffer[3]%02x\xef\xbc\x8c"
                "Buffer[4]%02x\n",
                packet[0], packet[1], packet[2], packet[3], packet[4]);
}

void SetFunctionOption()
{
    CommandPacket packet(CMD_SET_FUNCTION_OPTION, g_FunctionOption[0], g_FunctionOption[1],
                         g_FunctionOption[2], g_FunctionOption[3]);
    SendCommand(packet, false);
    DebugPrintf("SetFunctionOption:%02x-%02x\n", g_FunctionOption[0], g_FunctionOption[1]);
}

void QueryDeviceState()
{
    CommandPacket packet(CMD_QUERY_STATE);
    SendCommand(packet, true);
    g_byDeviceState = packet[1];
}

void QueryDeviceStateBlock()
{
    CommandPacket packet(CMD_QUERY_STATE_BLOCK, g_byDeviceState, 0);
    TransferBlock(packet, nullptr, BlockDirection::Read, 0);
    Sleep(10);
}

void RefreshFunctionOptions()
{
    GetFunctionOption();
    g_FunctionOption[3] = g_FunctionOption[0] == 1 ? 0xD1 : 0x40;
    SetFunctionOption();
}

void ClearDeviceMirror()
{
    g_FunctionOption = {};
    g_byDeviceState = 0;
}

} // namespace zentro
