#include "profile/ApplyProfile.h"

#include <cstring>

#include "profile/RecordRanges.h"

// The pure translation of record fields into the bytes the mouse receives.

namespace zentro {

const std::array<uint8_t, BUTTON_COUNT> g_byButtonSlotMap = {0, 2, 1, 6, 5, 4, 3, 11, 8, 9, 10, 7};

uint8_t DpiStageByte(uint8_t value, uint8_t enable)
{
    const uint8_t off = enable == 0 ? 0x80 : 0x00;
    if (value <= 49)
        return static_cast<uint8_t>(value | off);
    if (value <= 54)
        return static_cast<uint8_t>((0x59 + (value - 50)) | off);
    return 0;
}

std::array<uint8_t, DPI_BLOCK_SIZE> BuildDpiBlock(const ProfileRecord& record)
{
    std::array<uint8_t, DPI_BLOCK_SIZE> block{};
    for (size_t i = 0; i < DPI_STAGE_COUNT; ++i)
        block[i] = DpiStageByte(record.DPIValue[i], record.DPIEnable[i]);
    return block;
}

std::array<uint8_t, COLOR_BLOCK_SIZE> BuildColorBlock(const ProfileRecord& record)
{
    std::array<uint8_t, COLOR_BLOCK_SIZE> block{};
    std::memcpy(block.data(), record.DPIColor, sizeof record.DPIColor);
    return block;
}

ButtonCodeBytes ButtonCode(const ProfileRecord& record, size_t b)
{
    if (b >= BUTTON_COUNT)
        return {};
    switch (record.ButtonFunction[b]) {
    case FN_CLICK:
        return {0x01, 0x00, 0xF0, 0x00};
    case FN_MENU:
        return {0x01, 0x00, 0xF1, 0x00};
    case FN_SCROLL:
        return {0x01, 0x00, 0xF2, 0x00};
    case FN_FORWARD:
        return {0x01, 0x00, 0xF4, 0x00};
    case FN_BACK:
        return {0x01, 0x00, 0xF3, 0x00};
    case FN_DOUBLE_CLICK:
        return {0x0A, 0xF0, 0x1E, 0x02};
    case FN_DPI: {
        bool anyOn = false;
        for (size_t i = 0; i < DPI_STAGE_COUNT; ++i)
            anyOn = anyOn || record.DPIEnable[i] != 0;
        if (!anyOn)
            return {};
        return {0x07, 0x00, record.ButtonDPIAction[b], 0x00};
    }
    case FN_MULTIMEDIA: {
        const uint8_t usage = record.Media(b);
        return {0x03, 0x00, usage, static_cast<uint8_t>(usage == 0x83 ? 0x01 : 0x00)};
    }
    case FN_BASIC_COMMAND:
        return {0x00, 0x00, 0xE0, record.Basic(b)};
    case FN_ADDITIONAL_COMMAND: {
        static constexpr ButtonCodeBytes kCommands[7] = {
            {0x03, 0x00, 0x94, 0x01}, {0x03, 0x00, 0x23, 0x02}, {0x03, 0x00, 0x21, 0x02},
            {0x00, 0x04, 0x2C, 0x1B}, {0x00, 0x04, 0x2C, 0x11}, {0x00, 0x00, 0xE3, 0x07},
            {0x00, 0x00, 0xE3, 0x15}};
        const uint8_t command = record.Command(b);
        return command < 7 ? kCommands[command] : ButtonCodeBytes{};
    }
    case FN_KEYBOARD_KEY:
        return {0x00, 0x00, record.Key(b), 0x00};
    case FN_MACRO:
        return {0x09, record.MacroMode(b), static_cast<uint8_t>(record.Macro(b) + 1), 0x00};
    case FN_LEFT_TILT:
        return {0x01, 0x00, 0xF5, 0x00};
    case FN_RIGHT_TILT:
        return {0x01, 0x00, 0xF6, 0x00};
    case FN_DEACTIVATED:
    default:
        return {};
    }
}

std::array<uint8_t, BUTTON_TABLE_SIZE> BuildButtonTable(const ProfileRecord& record)
{
    std::array<uint8_t, BUTTON_TABLE_SIZE> table{};
    for (size_t b = 0; b < BUTTON_COUNT; ++b) {
        const ButtonCodeBytes code = ButtonCode(record, b);
        std::memcpy(table.data() + 4 * g_byButtonSlotMap[b], code.data(), code.size());
    }
    static constexpr uint8_t kSlot14[4] = {0x01, 0x00, 0xF7, 0x00};
    static constexpr uint8_t kSlot15[4] = {0x01, 0x00, 0xF8, 0x00};
    std::memcpy(table.data() + 4 * 14, kSlot14, 4);
    std::memcpy(table.data() + 4 * 15, kSlot15, 4);
    return table;
}

uint8_t PollingRateByte(const ProfileRecord& record)
{
    return ReportRateInRange(record.ReportRate);
}

std::array<uint8_t, 2> AxisSensitivityBytes(const ProfileRecord& record)
{
    // 11 x 20 = 220 is the largest step that fits the byte.
    return {static_cast<uint8_t>(LevelInRange(record.SensitivityX) * 20),
            static_cast<uint8_t>(LevelInRange(record.SensitivityY) * 20)};
}

std::array<uint8_t, 3> LightingBytes(const ProfileRecord& record)
{
    const uint8_t mode = record.LightMode;
    switch (mode) {
    case 0:
        return {0, 0, 0};
    case 1: {
        const uint8_t param = LightParamInRange(record.LightParam1);
        if (param == 1)
            return {0, 0, 0};
        return {1, param, 2};
    }
    case 2:
        return {2, static_cast<uint8_t>(5 - LightParamInRange(record.LightParam2)), 2};
    case 3:
        return {3, LightParamInRange(record.LightParam3), 2};
    default:
        return {mode, 0, 0};
    }
}

} // namespace zentro
