#include "profile/ApplyProfile.h"

#include <cstring>

#include "device/CommandProtocol.h"
#include "device/DeviceLink.h"
#include "platform/Clock.h"
#include "profile/ProfileFiles.h"

namespace zentro {

namespace {

// Block writes need whole 32-byte chunks; the unused tail stays zero.
constexpr size_t ChunkedSize(size_t length)
{
    return (length + BLOCK_CHUNK_SIZE - 1) / BLOCK_CHUNK_SIZE * BLOCK_CHUNK_SIZE;
}

bool WriteBlock(uint8_t code, uint8_t index, uint8_t length, const uint8_t* data, size_t size)
{
    uint8_t buffer[ChunkedSize(255)] = {};
    std::memcpy(buffer, data, size);
    CommandPacket packet(code, index, length);
    const bool delivered = TransferBlock(packet, buffer, BlockDirection::Write, length);
    Sleep(APPLY_STEP_WAIT_MS);
    return delivered;
}

} // namespace

ProfileRecord BeginApplyProfile(ProfileRecord& record)
{
    g_byDeviceState = 0;
    record.ProfileSlot = 0;
    return record;
}

ProfileRecord BeginApplyProfile()
{
    return BeginApplyProfile(g_ProfileRecord);
}

bool SendProfileToDevice(const ProfileRecord& record)
{
    CommandPacket rate(CMD_SET_POLLING_RATE, PollingRateByte(record));
    // Every step is sent even after one failed; the result says whether all arrived.
    bool delivered = SendCommand(rate, false);
    Sleep(APPLY_STEP_WAIT_MS);

    const auto steps = AxisSensitivityBytes(record);
    CommandPacket axis(CMD_SET_AXIS_SENSITIVITY, steps[0], steps[1]);
    delivered &= SendCommand(axis, false);
    Sleep(APPLY_STEP_WAIT_MS);

    const auto dpi = BuildDpiBlock(record);
    delivered &= WriteBlock(CMD_WRITE_DPI_STAGES, 0x07, DPI_BLOCK_SIZE, dpi.data(), dpi.size());

    const auto colors = BuildColorBlock(record);
    delivered &=
        WriteBlock(CMD_WRITE_DPI_COLORS, 0x01, COLOR_BLOCK_SIZE, colors.data(), colors.size());

    const auto table = BuildButtonTable(record);
    for (uint8_t i = 0; i < BUTTON_TABLE_BLOCKS; ++i)
        delivered &=
            WriteBlock(CMD_WRITE_BUTTON_TABLE, i, BUTTON_TABLE_SIZE, table.data(), table.size());

    // Only the first 128 bytes of each 130-byte slot go to the mouse.
    for (uint8_t k = 1; k <= MACRO_SLOT_COUNT; ++k)
        delivered &= WriteBlock(CMD_WRITE_MACRO, k, MACRO_BLOCK_SIZE, record.MacroSlot[k - 1],
                                MACRO_BLOCK_SIZE);

    const auto light = LightingBytes(record);
    CommandPacket lighting(CMD_SET_LIGHTING, light[0], light[1], light[2]);
    delivered &= SendCommand(lighting, false);
    return delivered;
}

bool SaveAppliedProfile(const std::string& labelSection)
{
    // The settings and the labels of a profile are one: both files change together.
    return SaveProfileSettingsAndLabels(labelSection);
}

void SaveAppliedProfile()
{
    SaveAppliedProfile(LabelSectionName());
}

bool ApplyAndSaveProfile(const std::string& labelSection, const SendProfileFunc& send)
{
    if (g_bDeviceConnected.load() == 0)
        return false;
    const ProfileRecord snapshot = BeginApplyProfile();
    if (send)
        send(snapshot);
    else
        SendProfileToDevice(snapshot);
    // One save of each file: the record and the labels do not change between a first and a
    // second save, which would only write the same bytes again.
    const bool saved = SaveAppliedProfile(labelSection);
    g_AppliedProfileRecord = g_ProfileRecord;
    return saved;
}

bool ApplyAndSaveProfile(const SendProfileFunc& send)
{
    return ApplyAndSaveProfile(LabelSectionName(), send);
}

void ApplyProfile()
{
    const ProfileRecord snapshot = BeginApplyProfile();
    SendProfileToDevice(snapshot);
    SaveAppliedProfile();
}

} // namespace zentro
