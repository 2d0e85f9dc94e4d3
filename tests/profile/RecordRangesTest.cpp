#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "profile/ApplyProfile.h"
#include "profile/ProfileRecord.h"
#include "settings/PointerSettings.h"

// Every use of a numbered record field, with bytes below, inside and above the field's range:
// the value used is that of the nearest end of the range, never a wrapped one.

namespace zentro {
namespace {

using Use = std::function<uint32_t(const ProfileRecord&)>;

uint32_t MouseSpeed(const ProfileRecord& r)
{
    return ComputePointerSettings(r).mouseSpeed;
}
uint32_t DoubleClickTime(const ProfileRecord& r)
{
    return ComputePointerSettings(r).doubleClickTime;
}
uint32_t WheelScrollLines(const ProfileRecord& r)
{
    return ComputePointerSettings(r).wheelScrollLines;
}
uint32_t AxisX(const ProfileRecord& r)
{
    return AxisSensitivityBytes(r)[0];
}
uint32_t AxisY(const ProfileRecord& r)
{
    return AxisSensitivityBytes(r)[1];
}
uint32_t PollingRate(const ProfileRecord& r)
{
    return PollingRateByte(r);
}
// The lighting parameter byte the mouse gets in mode `mode`.
template <uint8_t mode> uint32_t LightParam(const ProfileRecord& r)
{
    ProfileRecord inMode = r;
    inMode.LightMode = mode;
    return LightingBytes(inMode)[1];
}

TEST(RecordRanges, EveryFieldIsUsedWithinItsRange)
{
    struct Case {
        const char* field;
        uint8_t ProfileRecord::*member;
        uint8_t value;
        Use use;
        uint32_t expected;
    };
    const Case cases[] = {
        {"PointerSpeed", &ProfileRecord::PointerSpeed, 0, MouseSpeed, 1},
        {"PointerSpeed", &ProfileRecord::PointerSpeed, 11, MouseSpeed, 20},
        {"PointerSpeed", &ProfileRecord::PointerSpeed, 12, MouseSpeed, 20},
        {"PointerSpeed", &ProfileRecord::PointerSpeed, 0xFF, MouseSpeed, 20},
        {"DoubleClickSpeed", &ProfileRecord::DoubleClickSpeed, 0, DoubleClickTime, 900},
        {"DoubleClickSpeed", &ProfileRecord::DoubleClickSpeed, 6, DoubleClickTime, 550},
        {"DoubleClickSpeed", &ProfileRecord::DoubleClickSpeed, 12, DoubleClickTime, 200},
        {"DoubleClickSpeed", &ProfileRecord::DoubleClickSpeed, 14, DoubleClickTime, 200},
        {"DoubleClickSpeed", &ProfileRecord::DoubleClickSpeed, 0xFF, DoubleClickTime, 200},
        {"WheelLines", &ProfileRecord::WheelLines, 0, WheelScrollLines, 1},
        {"WheelLines", &ProfileRecord::WheelLines, 100, WheelScrollLines, 100},
        {"WheelLines", &ProfileRecord::WheelLines, 101, WheelScrollLines, 100},
        {"WheelLines", &ProfileRecord::WheelLines, 0xFF, WheelScrollLines, 100},
        {"SensitivityX", &ProfileRecord::SensitivityX, 0, AxisX, 20},
        {"SensitivityX", &ProfileRecord::SensitivityX, 11, AxisX, 220},
        {"SensitivityX", &ProfileRecord::SensitivityX, 13, AxisX, 220}, // 260 would wrap to 4
        {"SensitivityY", &ProfileRecord::SensitivityY, 0, AxisY, 20},
        {"SensitivityY", &ProfileRecord::SensitivityY, 0xFF, AxisY, 220},
        {"ReportRate", &ProfileRecord::ReportRate, 0, PollingRate, 2},
        {"ReportRate", &ProfileRecord::ReportRate, 8, PollingRate, 8},
        {"LightParam1", &ProfileRecord::LightParam1, 7, LightParam<1>, 6},
        {"LightParam1", &ProfileRecord::LightParam1, 0xFF, LightParam<1>, 6},
        {"LightParam2", &ProfileRecord::LightParam2, 0, LightParam<2>, 4},    // as 1: 5 - 1
        {"LightParam2", &ProfileRecord::LightParam2, 9, LightParam<2>, 0xFF}, // as 6: 5 - 6
        {"LightParam3", &ProfileRecord::LightParam3, 0, LightParam<3>, 1},
        {"LightParam3", &ProfileRecord::LightParam3, 0x80, LightParam<3>, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " = " + std::to_string(c.value));
        ProfileRecord record{};
        LoadDefaults(record);
        record.*c.member = c.value;
        EXPECT_EQ(c.use(record), c.expected);
    }
}

} // namespace
} // namespace zentro
