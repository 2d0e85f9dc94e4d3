#include "profile/ProfileRecord.h"

#include <cstring>

namespace zentro {

ProfileRecord g_ProfileRecord{};
ProfileRecord g_AppliedProfileRecord{};

void LoadDefaults(ProfileRecord& r)
{
    static constexpr uint8_t kReserved1[4] = {1, 1, 1, 1};
    static constexpr uint8_t kDpiValue[7] = {4, 9, 19, 29, 39, 49, 54};
    static constexpr uint8_t kDpiColor[21] = {0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x00,
                                              0xFF, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0xFF,
                                              0xFF, 0xFF, 0x80, 0x00, 0xFF, 0x00, 0xFF};
    static constexpr uint8_t kFunction[12] = {FN_CLICK,       FN_MENU,        FN_SCROLL,
                                              FN_DPI,         FN_DPI,         FN_LEFT_TILT,
                                              FN_RIGHT_TILT,  FN_DEACTIVATED, FN_DEACTIVATED,
                                              FN_DEACTIVATED, FN_DEACTIVATED, FN_DEACTIVATED};
    static constexpr uint8_t kDpiAction[12] = {0x0D, 0x0D, 0x0D, 2, 1, 0, 0, 0, 2, 1, 0, 0};

    std::memcpy(r.Reserved1, kReserved1, sizeof kReserved1);
    r.ReportRate = 2;
    r.Reserved6 = 0;
    std::memcpy(r.DPIValue, kDpiValue, sizeof kDpiValue);
    std::memset(r.DPIEnable, 1, sizeof r.DPIEnable);
    std::memcpy(r.DPIColor, kDpiColor, sizeof kDpiColor);
    r.LightMode = 3;
    r.LightParam1 = 2;
    r.LightParam2 = 2;
    r.LightParam3 = 4;
    r.EnhancePrecision = 0xFF;
    r.ScrollOneScreen = 0;
    r.PointerSpeed = 6;
    r.WheelLines = 3;
    r.DoubleClickSpeed = 6;
    r.AngleSnapLevel = 0;
    r.AngleSnap = 0;
    r.Reserved53 = 6;
    r.SensitivityX = 5;
    r.SensitivityY = 5;
    std::memcpy(r.ButtonFunction, kFunction, sizeof kFunction);
    r.Reserved68[0] = 0x0D;
    r.Reserved68[1] = 0x0D;
    std::memcpy(r.ButtonDPIAction, kDpiAction, sizeof kDpiAction);
    std::memset(r.Reserved82, 0, sizeof r.Reserved82);
    std::memset(r.ButtonMedia, 0, sizeof r.ButtonMedia);
    std::memset(r.ButtonCommand, 0, sizeof r.ButtonCommand);
    // 102-125: the former reserved range, now the parameters of buttons 8-11.
    std::memset(r.Bytes() + 102, 0, 24);
    std::memset(r.ButtonBasic, 0, sizeof r.ButtonBasic);
    std::memset(r.ButtonKey, 0, sizeof r.ButtonKey);
    std::memset(r.Reserved142, 0, sizeof r.Reserved142);
    std::memset(r.ButtonMacro, 0, sizeof r.ButtonMacro);
    std::memset(r.ButtonMacroMode, 0, sizeof r.ButtonMacroMode);
}

void LoadDefaults()
{
    LoadDefaults(g_ProfileRecord);
}

unsigned DpiIndexToValue(unsigned index)
{
    if (index <= 49)
        return (index + 1) * 100;
    if (index <= 54)
        return 5200 + (index - 50) * 200;
    return 0;
}

void ResetProfileRecordsForTest()
{
    std::memset(&g_ProfileRecord, 0, sizeof g_ProfileRecord);
    std::memset(&g_AppliedProfileRecord, 0, sizeof g_AppliedProfileRecord);
}

} // namespace zentro
