#include "profile/ProfileFields.h"

#include <array>

#include "profile/ProfileRecord.h"

namespace zentro {

namespace {

#define ZENTRO_FIELD(name)                                                                         \
    ProfileFieldInfo                                                                               \
    {                                                                                              \
#name, offsetof(ProfileRecord, name), sizeof(ProfileRecord::name)                          \
    }

constexpr std::array kFields = {
    ZENTRO_FIELD(ProfileSlot),
    ZENTRO_FIELD(Reserved1),
    ZENTRO_FIELD(ReportRate),
    ZENTRO_FIELD(Reserved6),
    ZENTRO_FIELD(DPIValue),
    ZENTRO_FIELD(DPIEnable),
    ZENTRO_FIELD(DPIColor),
    ZENTRO_FIELD(LightMode),
    ZENTRO_FIELD(LightParam1),
    ZENTRO_FIELD(LightParam2),
    ZENTRO_FIELD(LightParam3),
    ZENTRO_FIELD(EnhancePrecision),
    ZENTRO_FIELD(ScrollOneScreen),
    ZENTRO_FIELD(PointerSpeed),
    ZENTRO_FIELD(WheelLines),
    ZENTRO_FIELD(DoubleClickSpeed),
    ZENTRO_FIELD(AngleSnapLevel),
    ZENTRO_FIELD(AngleSnap),
    ZENTRO_FIELD(Reserved53),
    ZENTRO_FIELD(SensitivityX),
    ZENTRO_FIELD(SensitivityY),
    ZENTRO_FIELD(ButtonFunction),
    ZENTRO_FIELD(Reserved68),
    ZENTRO_FIELD(ButtonDPIAction),
    ZENTRO_FIELD(Reserved82),
    ZENTRO_FIELD(ButtonMedia),
    ZENTRO_FIELD(ButtonCommand),
    ZENTRO_FIELD(ButtonMediaHigh),
    ZENTRO_FIELD(ButtonCommandHigh),
    ZENTRO_FIELD(ButtonBasicHigh),
    ZENTRO_FIELD(ButtonKeyHigh),
    ZENTRO_FIELD(ButtonMacroHigh),
    ZENTRO_FIELD(ButtonMacroModeHigh),
    ZENTRO_FIELD(ButtonBasic),
    ZENTRO_FIELD(ButtonKey),
    ZENTRO_FIELD(Reserved142),
    ZENTRO_FIELD(ButtonMacro),
    ZENTRO_FIELD(Reserved206),
    ZENTRO_FIELD(ButtonMacroMode),
    ZENTRO_FIELD(Reserved222),
    ZENTRO_FIELD(MacroSlot),
};

#undef ZENTRO_FIELD

constexpr bool CoversRecord()
{
    size_t next = 0;
    for (const auto& f : kFields) {
        if (f.offset != next)
            return false;
        next += f.width;
    }
    return next == PROFILE_RECORD_SIZE;
}
static_assert(CoversRecord(), "the field table must cover the record without gap or overlap");

} // namespace

std::span<const ProfileFieldInfo> ProfileFields()
{
    return kFields;
}

} // namespace zentro
