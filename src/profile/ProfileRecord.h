#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "macros/MacroSlotLayout.h"

// The settings record of one profile: exactly 1790 flat unsigned bytes, the same bytes in
// memory, in config%d.bin (after one flag byte) and in exported files. The offsets are a file
// format and are checked at compile time below.

namespace zentro {

constexpr size_t PROFILE_RECORD_SIZE = 1790;
constexpr size_t BUTTON_COUNT = 12;
constexpr size_t DPI_STAGE_COUNT = 7;

// Function kinds (ButtonFunction values).
enum : uint8_t {
    FN_CLICK = 0,
    FN_MENU = 1,
    FN_SCROLL = 2,
    FN_FORWARD = 3,
    FN_BACK = 4,
    FN_DOUBLE_CLICK = 5,
    FN_DPI = 6,
    FN_MULTIMEDIA = 7,
    FN_BASIC_COMMAND = 8,
    FN_ADDITIONAL_COMMAND = 9,
    FN_KEYBOARD_KEY = 10,
    FN_MACRO = 11,
    FN_DEACTIVATED = 13,
    FN_LEFT_TILT = 15,
    FN_RIGHT_TILT = 16,
};

// ButtonDPIAction values.
enum : uint8_t { DPI_ACTION_UP = 1, DPI_ACTION_DOWN = 2, DPI_ACTION_LOOP = 3 };

#pragma pack(push, 1)
struct ProfileRecord {
    uint8_t ProfileSlot;         //   0
    uint8_t Reserved1[4];        //   1
    uint8_t ReportRate;          //   5
    uint8_t Reserved6;           //   6
    uint8_t DPIValue[7];         //   7
    uint8_t DPIEnable[7];        //  14
    uint8_t DPIColor[21];        //  21
    uint8_t LightMode;           //  42
    uint8_t LightParam1;         //  43
    uint8_t LightParam2;         //  44
    uint8_t LightParam3;         //  45
    uint8_t EnhancePrecision;    //  46
    uint8_t ScrollOneScreen;     //  47
    uint8_t PointerSpeed;        //  48
    uint8_t WheelLines;          //  49
    uint8_t DoubleClickSpeed;    //  50
    uint8_t AngleSnapLevel;      //  51
    uint8_t AngleSnap;           //  52
    uint8_t Reserved53;          //  53
    uint8_t SensitivityX;        //  54
    uint8_t SensitivityY;        //  55
    uint8_t ButtonFunction[12];  //  56
    uint8_t Reserved68[2];       //  68
    uint8_t ButtonDPIAction[12]; //  70
    uint8_t Reserved82[4];       //  82
    uint8_t ButtonMedia[8];      //  86  buttons 0-7
    uint8_t ButtonCommand[8];    //  94  buttons 0-7
    // Offsets 102-125 were reserved and unused; they now hold the parameters of buttons 8-11
    // for the six per-button arrays that only have room for buttons 0-7. Each array gets its
    // own four bytes, so no two buttons or arrays ever share a byte. LoadDefaults writes 0
    // here, as it did for the reserved range.
    uint8_t ButtonMediaHigh[4];     // 102  buttons 8-11 of ButtonMedia
    uint8_t ButtonCommandHigh[4];   // 106  buttons 8-11 of ButtonCommand
    uint8_t ButtonBasicHigh[4];     // 110  buttons 8-11 of ButtonBasic
    uint8_t ButtonKeyHigh[4];       // 114  buttons 8-11 of ButtonKey
    uint8_t ButtonMacroHigh[4];     // 118  buttons 8-11 of ButtonMacro
    uint8_t ButtonMacroModeHigh[4]; // 122  buttons 8-11 of ButtonMacroMode
    uint8_t ButtonBasic[8];         // 126  buttons 0-7
    uint8_t ButtonKey[8];           // 134  buttons 0-7
    uint8_t Reserved142[56];        // 142
    uint8_t ButtonMacro[8];         // 198  buttons 0-7
    uint8_t Reserved206[8];         // 206  left untouched by LoadDefaults
    uint8_t ButtonMacroMode[8];     // 214  buttons 0-7
    uint8_t Reserved222[8];         // 222  left untouched by LoadDefaults
    uint8_t MacroSlot[12][130];     // 230

    uint8_t* Bytes() { return reinterpret_cast<uint8_t*>(this); }
    const uint8_t* Bytes() const { return reinterpret_cast<const uint8_t*>(this); }

    // The parameter byte of button b (0-11) for each parameter kind, whichever array holds it.
    uint8_t& Media(size_t b) { return b < 8 ? ButtonMedia[b] : ButtonMediaHigh[b - 8]; }
    uint8_t& Command(size_t b) { return b < 8 ? ButtonCommand[b] : ButtonCommandHigh[b - 8]; }
    uint8_t& Basic(size_t b) { return b < 8 ? ButtonBasic[b] : ButtonBasicHigh[b - 8]; }
    uint8_t& Key(size_t b) { return b < 8 ? ButtonKey[b] : ButtonKeyHigh[b - 8]; }
    uint8_t& Macro(size_t b) { return b < 8 ? ButtonMacro[b] : ButtonMacroHigh[b - 8]; }
    uint8_t& MacroMode(size_t b) { return b < 8 ? ButtonMacroMode[b] : ButtonMacroModeHigh[b - 8]; }
    uint8_t Media(size_t b) const { return const_cast<ProfileRecord*>(this)->Media(b); }
    uint8_t Command(size_t b) const { return const_cast<ProfileRecord*>(this)->Command(b); }
    uint8_t Basic(size_t b) const { return const_cast<ProfileRecord*>(this)->Basic(b); }
    uint8_t Key(size_t b) const { return const_cast<ProfileRecord*>(this)->Key(b); }
    uint8_t Macro(size_t b) const { return const_cast<ProfileRecord*>(this)->Macro(b); }
    uint8_t MacroMode(size_t b) const { return const_cast<ProfileRecord*>(this)->MacroMode(b); }
};
#pragma pack(pop)

static_assert(sizeof(ProfileRecord) == PROFILE_RECORD_SIZE);
static_assert(offsetof(ProfileRecord, ReportRate) == 5);
static_assert(offsetof(ProfileRecord, DPIValue) == 7);
static_assert(offsetof(ProfileRecord, DPIEnable) == 14);
static_assert(offsetof(ProfileRecord, DPIColor) == 21);
static_assert(offsetof(ProfileRecord, LightMode) == 42);
static_assert(offsetof(ProfileRecord, LightParam3) == 45);
static_assert(offsetof(ProfileRecord, EnhancePrecision) == 46);
static_assert(offsetof(ProfileRecord, ScrollOneScreen) == 47);
static_assert(offsetof(ProfileRecord, PointerSpeed) == 48);
static_assert(offsetof(ProfileRecord, WheelLines) == 49);
static_assert(offsetof(ProfileRecord, DoubleClickSpeed) == 50);
static_assert(offsetof(ProfileRecord, AngleSnapLevel) == 51);
static_assert(offsetof(ProfileRecord, AngleSnap) == 52);
static_assert(offsetof(ProfileRecord, SensitivityX) == 54);
static_assert(offsetof(ProfileRecord, SensitivityY) == 55);
static_assert(offsetof(ProfileRecord, ButtonFunction) == 56);
static_assert(offsetof(ProfileRecord, ButtonDPIAction) == 70);
static_assert(offsetof(ProfileRecord, ButtonMedia) == 86);
static_assert(offsetof(ProfileRecord, ButtonCommand) == 94);
static_assert(offsetof(ProfileRecord, ButtonMediaHigh) == 102);
static_assert(offsetof(ProfileRecord, ButtonMacroModeHigh) + 4 == 126);
static_assert(offsetof(ProfileRecord, ButtonBasic) == 126);
static_assert(offsetof(ProfileRecord, ButtonKey) == 134);
static_assert(offsetof(ProfileRecord, ButtonMacro) == 198);
static_assert(offsetof(ProfileRecord, ButtonMacroMode) == 214);
static_assert(offsetof(ProfileRecord, MacroSlot) == 230);
static_assert(offsetof(ProfileRecord, MacroSlot) + 11 * MACRO_SLOT_SIZE == 1660);

// The live record, edited in place by the pages, and the applied copy (last sent or loaded).
extern ProfileRecord g_ProfileRecord;
extern ProfileRecord g_AppliedProfileRecord;

// Writes the factory defaults into `record`; leaves ProfileSlot, the bytes at 206-213 and
// 222-229 and all macro slots as they are.
void LoadDefaults(ProfileRecord& record);
// LoadDefaults on the live record.
void LoadDefaults();

// Shown DPI of a DPIValue index: (index + 1) * 100 up to 49, then 5200 ... 6000; 0 above 54.
unsigned DpiIndexToValue(unsigned index);

// Tests: zero both records.
void ResetProfileRecordsForTest();

} // namespace zentro
