#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "profile/ApplyProfile.h"

namespace zentro {
namespace {

using Bytes = std::vector<uint8_t>;

template <size_t N> Bytes ToVector(const std::array<uint8_t, N>& a)
{
    return Bytes(a.begin(), a.end());
}

ProfileRecord Defaults()
{
    ProfileRecord r{};
    LoadDefaults(r);
    return r;
}

TEST(ApplyBuilders, DefaultDpiColourAndLightingBlocks)
{
    const ProfileRecord r = Defaults();
    EXPECT_EQ(ToVector(BuildDpiBlock(r)), (Bytes{0x04, 0x09, 0x13, 0x1D, 0x27, 0x31, 0x5D, 0x00}));
    EXPECT_EQ(ToVector(BuildColorBlock(r)),
              (Bytes{0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0xFF, 0x00,
                     0x00, 0xFF, 0xFF, 0xFF, 0x80, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0x00}));
    EXPECT_EQ(ToVector(LightingBytes(r)), (Bytes{0x03, 0x04, 0x02}));
}

TEST(ApplyBuilders, DefaultButtonTableFollowsTheSlotMap)
{
    const Bytes expected = {0x01, 0x00, 0xF0, 0x00, // slot 0: index 0 click
                            0x01, 0x00, 0xF2, 0x00, // slot 1: index 2 scroll
                            0x01, 0x00, 0xF1, 0x00, // slot 2: index 1 menu
                            0x01, 0x00, 0xF6, 0x00, // slot 3: index 6 right tilt
                            0x01, 0x00, 0xF5, 0x00, // slot 4: index 5 left tilt
                            0x07, 0x00, 0x01, 0x00, // slot 5: index 4 DPI +
                            0x07, 0x00, 0x02, 0x00, // slot 6: index 3 DPI -
                            0,    0,    0,    0,    0,    0,    0,    0,   0, 0,
                            0,    0,    0,    0,    0,    0,    0,    0,   0, 0, // slots 7-11
                            0,    0,    0,    0,    0,    0,    0,    0,         // slots 12-13
                            0x01, 0x00, 0xF7, 0x00, 0x01, 0x00, 0xF8, 0x00};
    EXPECT_EQ(ToVector(BuildButtonTable(Defaults())), expected);
}

TEST(ApplyBuilders, EveryButtonLandsInItsOwnSlot)
{
    // Give every button a distinct keyboard key and find it again through the slot map.
    ProfileRecord r{};
    for (size_t b = 0; b < BUTTON_COUNT; ++b) {
        r.ButtonFunction[b] = FN_KEYBOARD_KEY;
        r.Key(b) = static_cast<uint8_t>(0x10 + b);
    }
    const auto table = BuildButtonTable(r);
    const size_t slotOf[12] = {0, 2, 1, 6, 5, 4, 3, 11, 8, 9, 10, 7};
    for (size_t b = 0; b < BUTTON_COUNT; ++b)
        EXPECT_EQ(table[4 * slotOf[b] + 2], 0x10 + b) << "button " << b;
    EXPECT_EQ(table[4 * 12 + 2], 0);
    EXPECT_EQ(table[4 * 13 + 2], 0);
}

TEST(ApplyBuilders, DpiStageBytes)
{
    struct Case {
        uint8_t value, enable, expected;
    } cases[] =
        {
            {54, 0, 0xDD},  {54, 1, 0x5D}, {55, 0, 0x00}, {55, 1, 0x00},
            {255, 0, 0x00}, {50, 1, 0x59}, {50, 0, 0xD9}, {49, 0, 0xB1},
            {0, 1, 0x00},   {0, 0, 0x80},  {4, 7, 0x04}, // any non-zero enable byte means on
        };
    for (const Case& c : cases)
        EXPECT_EQ(DpiStageByte(c.value, c.enable), c.expected)
            << "value " << int(c.value) << " enable " << int(c.enable);
}

TEST(ApplyBuilders, ButtonCodes)
{
    struct Case {
        const char* what;
        uint8_t button;
        void (*setup)(ProfileRecord&, uint8_t b);
        ButtonCodeBytes expected;
    } cases[] = {
        {"forward",
         1,
         [](ProfileRecord& r, uint8_t b) { r.ButtonFunction[b] = FN_FORWARD; },
         {0x01, 0x00, 0xF4, 0x00}},
        {"back",
         1,
         [](ProfileRecord& r, uint8_t b) { r.ButtonFunction[b] = FN_BACK; },
         {0x01, 0x00, 0xF3, 0x00}},
        {"double click",
         2,
         [](ProfileRecord& r, uint8_t b) { r.ButtonFunction[b] = FN_DOUBLE_CLICK; },
         {0x0A, 0xF0, 0x1E, 0x02}},
        {"DPI loop",
         3,
         [](ProfileRecord& r, uint8_t b) {
             r.ButtonFunction[b] = FN_DPI;
             r.ButtonDPIAction[b] = DPI_ACTION_LOOP;
         },
         {0x07, 0x00, 0x03, 0x00}},
        {"DPI with every stage off",
         3,
         [](ProfileRecord& r, uint8_t b) {
             r.ButtonFunction[b] = FN_DPI;
             std::memset(r.DPIEnable, 0, sizeof r.DPIEnable);
         },
         {0, 0, 0, 0}},
        {"DPI with only stage 7 on",
         3,
         [](ProfileRecord& r, uint8_t b) {
             r.ButtonFunction[b] = FN_DPI;
             std::memset(r.DPIEnable, 0, sizeof r.DPIEnable);
             r.DPIEnable[6] = 1;
         },
         {0x07, 0x00, 0x02, 0x00}},
        {"open media player",
         1,
         [](ProfileRecord& r, uint8_t b) {
             r.ButtonFunction[b] = FN_MULTIMEDIA;
             r.Media(b) = 0x83;
         },
         {0x03, 0x00, 0x83, 0x01}},
        {"mute",
         1,
         [](ProfileRecord& r, uint8_t b) {
             r.ButtonFunction[b] = FN_MULTIMEDIA;
             r.Media(b) = 0xE2;
         },
         {0x03, 0x00, 0xE2, 0x00}},
        {"basic command on button 10",
         10,
         [](ProfileRecord& r, uint8_t b) {
             r.ButtonFunction[b] = FN_BASIC_COMMAND;
             r.Basic(b) = 0x06;
         },
         {0x00, 0x00, 0xE0, 0x06}},
        {"additional command 3",
         0,
         [](ProfileRecord& r, uint8_t b) {
             r.ButtonFunction[b] = FN_ADDITIONAL_COMMAND;
             r.Command(b) = 3;
         },
         {0x00, 0x04, 0x2C, 0x1B}},
        {"additional command 6 on button 11",
         11,
         [](ProfileRecord& r, uint8_t b) {
             r.ButtonFunction[b] = FN_ADDITIONAL_COMMAND;
             r.Command(b) = 6;
         },
         {0x00, 0x00, 0xE3, 0x15}},
        {"additional command out of range",
         0,
         [](ProfileRecord& r, uint8_t b) {
             r.ButtonFunction[b] = FN_ADDITIONAL_COMMAND;
             r.Command(b) = 7;
         },
         {0, 0, 0, 0}},
        {"macro 0 run mode 1",
         4,
         [](ProfileRecord& r, uint8_t b) {
             r.ButtonFunction[b] = FN_MACRO;
             r.Macro(b) = 0;
             r.MacroMode(b) = 1;
         },
         {0x09, 0x01, 0x01, 0x00}},
        {"macro 11 run mode 2 on button 8",
         8,
         [](ProfileRecord& r, uint8_t b) {
             r.ButtonFunction[b] = FN_MACRO;
             r.Macro(b) = 11;
             r.MacroMode(b) = 2;
         },
         {0x09, 0x02, 0x0C, 0x00}},
        {"kind 12", 0, [](ProfileRecord& r, uint8_t b) { r.ButtonFunction[b] = 12; }, {0, 0, 0, 0}},
        {"kind 14", 0, [](ProfileRecord& r, uint8_t b) { r.ButtonFunction[b] = 14; }, {0, 0, 0, 0}},
        {"kind 200",
         0,
         [](ProfileRecord& r, uint8_t b) { r.ButtonFunction[b] = 200; },
         {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        ProfileRecord r = Defaults();
        c.setup(r, c.button);
        EXPECT_EQ(ButtonCode(r, c.button), c.expected) << c.what;
    }
}

TEST(ApplyBuilders, ParametersOfButtonsAboveSevenAreTheirOwn)
{
    // Button 8's key must not come from the array of buttons 0-7, nor leak into button 0.
    ProfileRecord r{};
    r.ButtonFunction[0] = FN_KEYBOARD_KEY;
    r.ButtonFunction[8] = FN_KEYBOARD_KEY;
    r.ButtonKey[0] = 0x04;
    r.Key(8) = 0x05;
    EXPECT_EQ(ButtonCode(r, 0), (ButtonCodeBytes{0x00, 0x00, 0x04, 0x00}));
    EXPECT_EQ(ButtonCode(r, 8), (ButtonCodeBytes{0x00, 0x00, 0x05, 0x00}));
}

TEST(ApplyBuilders, LightingBytes)
{
    struct Case {
        uint8_t mode, p1, p2, p3;
        std::array<uint8_t, 3> expected;
    } cases[] = {
        {0, 3, 3, 3, {0, 0, 0}},    {1, 1, 3, 3, {0, 0, 0}},       {1, 6, 3, 3, {1, 6, 2}},
        {2, 1, 6, 1, {2, 0xFF, 2}}, {2, 1, 1, 1, {2, 4, 2}},       {3, 1, 1, 5, {3, 5, 2}},
        {4, 2, 2, 2, {4, 0, 0}},    {0xFF, 2, 2, 2, {0xFF, 0, 0}},
    };
    for (const Case& c : cases) {
        ProfileRecord r{};
        r.LightMode = c.mode;
        r.LightParam1 = c.p1;
        r.LightParam2 = c.p2;
        r.LightParam3 = c.p3;
        EXPECT_EQ(LightingBytes(r), c.expected) << "mode " << int(c.mode);
    }
}

} // namespace
} // namespace zentro
