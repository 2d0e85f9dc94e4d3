#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "profile/ProfileFields.h"
#include "profile/ProfileRecord.h"

namespace zentro {
namespace {

struct DefaultRange {
    size_t offset;
    std::vector<uint8_t> bytes; // empty: LoadDefaults leaves the range alone
    size_t width;
};

// The factory defaults by offset, written out independently of the record's declaration.
const std::vector<DefaultRange>& DefaultRanges()
{
    static const std::vector<DefaultRange> ranges = {
        {0, {}, 1}, // ProfileSlot
        {1, {1, 1, 1, 1}, 4},
        {5, {2}, 1},
        {6, {0}, 1},
        {7, {0x04, 0x09, 0x13, 0x1D, 0x27, 0x31, 0x36}, 7},
        {14, {1, 1, 1, 1, 1, 1, 1}, 7},
        {21,
         {0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0xFF,
          0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x80, 0x00, 0xFF, 0x00, 0xFF},
         21},
        {42, {3, 2, 2, 4}, 4},
        {46, {0xFF, 0, 6, 3, 6, 0, 0, 6, 5, 5}, 10},
        {56, {0x00, 0x01, 0x02, 0x06, 0x06, 0x0F, 0x10, 0x0D, 0x0D, 0x0D, 0x0D, 0x0D}, 12},
        {68, {0x0D, 0x0D}, 2},
        {70, {0x0D, 0x0D, 0x0D, 2, 1, 0, 0, 0, 2, 1, 0, 0}, 12},
        {82, std::vector<uint8_t>(124, 0), 124}, // 82-205: reserved and parameter arrays
        {206, {}, 8},
        {214, std::vector<uint8_t>(8, 0), 8},
        {222, {}, 8},
        {230, {}, 1560}, // macro slots
    };
    return ranges;
}

TEST(ProfileRecord, LoadDefaultsWritesEveryDefaultedByteAndLeavesTheRest)
{
    size_t covered = 0;
    for (const DefaultRange& range : DefaultRanges()) {
        ASSERT_EQ(range.offset, covered) << "gap in the table";
        ASSERT_TRUE(range.bytes.empty() || range.bytes.size() == range.width);
        covered += range.width;
    }
    ASSERT_EQ(covered, PROFILE_RECORD_SIZE);

    // Two different fillers, so a default that happens to equal the filler cannot hide.
    for (uint8_t filler : {uint8_t{0xA5}, uint8_t{0x5A}, uint8_t{0x00}}) {
        SCOPED_TRACE(int(filler));
        ProfileRecord r;
        std::memset(&r, filler, sizeof r);
        LoadDefaults(r);
        for (const DefaultRange& range : DefaultRanges()) {
            for (size_t i = 0; i < range.width; ++i) {
                const uint8_t want = range.bytes.empty() ? filler : range.bytes[i];
                ASSERT_EQ(r.Bytes()[range.offset + i], want) << "record byte " << range.offset + i;
            }
        }
    }
}

TEST(ProfileRecord, LoadDefaultsOnTheLiveRecordKeepsItsMacros)
{
    ResetProfileRecordsForTest();
    g_ProfileRecord.ProfileSlot = 3;
    std::memset(g_ProfileRecord.MacroSlot, 0x77, sizeof g_ProfileRecord.MacroSlot);
    LoadDefaults();
    EXPECT_EQ(g_ProfileRecord.ProfileSlot, 3);
    EXPECT_EQ(g_ProfileRecord.ReportRate, 2);
    EXPECT_EQ(g_ProfileRecord.MacroSlot[11][129], 0x77);
    EXPECT_EQ(g_ProfileRecord.MacroSlot[0][0], 0x77);
    EXPECT_EQ(g_AppliedProfileRecord.ReportRate, 0) << "the applied copy is a record of its own";
    ResetProfileRecordsForTest();
}

TEST(ProfileRecord, DpiIndexToShownValue)
{
    struct Case {
        unsigned index, dpi;
    } cases[] = {{0, 100},   {4, 500},   {48, 4900}, {49, 5000}, {50, 5200},
                 {51, 5400}, {53, 5800}, {54, 6000}, {55, 0},    {255, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(DpiIndexToValue(c.index), c.dpi) << "index " << c.index;
}

TEST(ProfileRecord, ParameterBytesOfEveryButtonAreDistinct)
{
    // No two (array, button) pairs may share a byte, and none may land outside the ranges the
    // parameter arrays and the former reserved range 102-125 occupy.
    ProfileRecord r{};
    using Accessor = uint8_t& (ProfileRecord::*)(size_t);
    const Accessor accessors[] = {&ProfileRecord::Media, &ProfileRecord::Command,
                                  &ProfileRecord::Basic, &ProfileRecord::Key,
                                  &ProfileRecord::Macro, &ProfileRecord::MacroMode};
    std::vector<int> owner(PROFILE_RECORD_SIZE, -1);
    for (size_t a = 0; a < std::size(accessors); ++a) {
        for (size_t b = 0; b < BUTTON_COUNT; ++b) {
            const size_t offset = static_cast<size_t>(&(r.*accessors[a])(b)-r.Bytes());
            ASSERT_LT(offset, 230u);
            EXPECT_EQ(owner[offset], -1) << "array " << a << " button " << b << " at " << offset;
            owner[offset] = static_cast<int>(a * 100 + b);
            // Buttons 0-7 use the documented arrays; 8-11 the range at 102-125.
            if (b >= 8) {
                EXPECT_GE(offset, 102u);
                EXPECT_LT(offset, 126u);
            }
        }
    }
    EXPECT_EQ(&r.Media(0), &r.ButtonMedia[0]);
    EXPECT_EQ(&r.Command(7), &r.ButtonCommand[7]);
    EXPECT_EQ(&r.Basic(0), r.Bytes() + 126);
    EXPECT_EQ(&r.Key(0), r.Bytes() + 134);
    EXPECT_EQ(&r.Macro(0), r.Bytes() + 198);
    EXPECT_EQ(&r.MacroMode(0), r.Bytes() + 214);
}

TEST(ProfileRecord, FieldTableNamesTheDocumentedOffsets)
{
    struct Case {
        const char* name;
        size_t offset, width;
    } cases[] = {
        {"ProfileSlot", 0, 1},       {"ReportRate", 5, 1},        {"DPIValue", 7, 7},
        {"DPIEnable", 14, 7},        {"DPIColor", 21, 21},        {"LightMode", 42, 1},
        {"EnhancePrecision", 46, 1}, {"DoubleClickSpeed", 50, 1}, {"SensitivityY", 55, 1},
        {"ButtonFunction", 56, 12},  {"ButtonDPIAction", 70, 12}, {"ButtonMedia", 86, 8},
        {"ButtonCommand", 94, 8},    {"ButtonBasic", 126, 8},     {"ButtonKey", 134, 8},
        {"ButtonMacro", 198, 8},     {"ButtonMacroMode", 214, 8}, {"MacroSlot", 230, 1560},
    };
    for (const Case& c : cases) {
        std::optional<ProfileFieldInfo> found;
        for (const ProfileFieldInfo& f : ProfileFields())
            if (std::string(f.name) == c.name)
                found = f;
        ASSERT_TRUE(found) << c.name;
        EXPECT_EQ(found->offset, c.offset) << c.name;
        EXPECT_EQ(found->width, c.width) << c.name;
    }
    // Macro slot 12 ends exactly at the end of the record.
    ProfileRecord r{};
    EXPECT_EQ(r.MacroSlot[11] - r.Bytes(), 1660);
    EXPECT_EQ(r.MacroSlot[11] + MACRO_SLOT_SIZE - r.Bytes(), 1790);
}

} // namespace
} // namespace zentro
