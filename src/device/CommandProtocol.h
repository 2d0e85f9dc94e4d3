#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The command channel: 8-byte command packets (seven bytes and a checksum) carried in feature
// reports, and 32-byte data chunks carried in output reports (writes) or input reports (reads).
// Every operation here works on the command handle opened by the device link and fails quietly
// without effect while no device is open. Waits go through zentro::Sleep.

namespace zentro {

// Command codes.
enum : uint8_t {
    CMD_SET_POLLING_RATE = 0x01,
    CMD_SET_FUNCTION_OPTION = 0x03,
    CMD_SET_LIGHTING = 0x0D,
    CMD_SET_AXIS_SENSITIVITY = 0x0E,
    CMD_WRITE_DPI_COLORS = 0x10,
    CMD_WRITE_DPI_STAGES = 0x11,
    CMD_WRITE_BUTTON_TABLE = 0x12,
    CMD_WRITE_MACRO = 0x13,
    CMD_GET_FIRMWARE_VERSION = 0x80,
    CMD_QUERY_STATE = 0x82,
    CMD_GET_FUNCTION_OPTION = 0x83,
    CMD_QUERY_STATE_BLOCK = 0x8C,
};

constexpr size_t COMMAND_PACKET_SIZE = 8;
constexpr size_t BLOCK_CHUNK_SIZE = 32;
constexpr uint32_t CHUNK_WAIT_MS = 100;

// The 8-byte packet: code, parameters, checksum in byte 7.
struct CommandPacket {
    std::array<uint8_t, COMMAND_PACKET_SIZE> bytes{};

    CommandPacket() = default;
    CommandPacket(uint8_t code, uint8_t p1 = 0, uint8_t p2 = 0, uint8_t p3 = 0, uint8_t p4 = 0,
                  uint8_t p5 = 0, uint8_t p6 = 0)
        : bytes{code, p1, p2, p3, p4, p5, p6, 0}
    {
    }
    uint8_t& operator[](size_t i) { return bytes[i]; }
    uint8_t operator[](size_t i) const { return bytes[i]; }
};

// 0xFF - (sum of bytes 0-6 mod 256).
uint8_t CommandChecksum(const uint8_t* packet);
// Computes the checksum into byte 7.
void SealCommandPacket(CommandPacket& packet);

enum class BlockDirection { Read, Write };

// Sends the packet as a feature report; with wantReply, reads the feature reply into the
// whole packet (byte 7 included) and writes "Buffer[1]:%02x,Buffer[2]:%02x.". True when the
// report (and the reply) went through; false without an open mouse or when a transfer failed.
bool SendCommand(CommandPacket& packet, bool wantReply);

// Sends the packet (code, index, length set by the caller), then ceil(length / 32) chunks,
// each followed by a 100 ms wait. `data` must hold that many whole chunks; callers pass
// zero-filled buffers. For a read the feature reply is read into the packet first. Every step
// is made even after one failed; true when all of them went through.
bool TransferBlock(CommandPacket& packet, uint8_t* data, BlockDirection direction, int length);

// Number of 32-byte chunks a block of `length` bytes takes (0 for length <= 0).
int BlockChunkCount(int length);

// Mirrors of device state, cleared on every (re)connect.
extern std::array<uint8_t, 4> g_FunctionOption; // O1..O4
extern uint8_t g_byDeviceState;

// Also returns reply bytes 1 and 2 (major, minor) for callers that show them.
std::array<uint8_t, 2> GetFirmwareVersion();
void GetFunctionOption();
void SetFunctionOption();
void QueryDeviceState();
void QueryDeviceStateBlock();
void RefreshFunctionOptions();

// Clears g_FunctionOption and g_byDeviceState.
void ClearDeviceMirror();

} // namespace zentro
