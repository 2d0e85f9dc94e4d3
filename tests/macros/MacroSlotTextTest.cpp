#include "macros/MacroSlotText.h"

#include "MacroTestFile.h"
#include "../support/FileContents.h"
#include "profile/ProfileRecord.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace zentro {
namespace {

TEST(MacroSlotTextTest, HexBytesAreLowercasePairsSeparatedBySingleSpaces)
{
    const uint8_t bytes[] = {0x00, 0x0c, 0xAB, 0xff, 0x85};
    EXPECT_EQ(FormatHexBytes(bytes, sizeof bytes), "00 0c ab ff 85");
    EXPECT_EQ(FormatHexBytes(bytes, 1), "00");
    EXPECT_EQ(FormatHexBytes(bytes, 0), "");
}

TEST(MacroSlotTextTest, TwelveSlotLinesOfAllBytes)
{
    MacroSlotArray slots{};
    slots[0][1] = 0x03;
    slots[11][129] = 0x7e;
    std::istringstream text(FormatMacroSlots(slots));
    std::string line;
    size_t k = 0;
    while (std::getline(text, line)) {
        const std::string prefix = "slot " + std::to_string(k) + ": ";
        ASSERT_EQ(line.rfind(prefix, 0), 0u) << line;
        EXPECT_EQ(line.size(), prefix.size() + MACRO_SLOT_SIZE * 3 - 1);
        ++k;
        if (k == 1) {
            EXPECT_EQ(line.substr(prefix.size(), 6), "00 03 ");
        }
        if (k == 12) {
            EXPECT_EQ(line.substr(line.size() - 5), "00 7e");
        }
    }
    EXPECT_EQ(k, MACRO_SLOT_COUNT);
}

TEST(MacroSlotTextTest, OverflowLineNamesSlotMacroAndCounts)
{
    EXPECT_EQ(FormatMacroOverflow({4, "Macro_5", 62, 18}),
              "does not fit: slot 4 \"Macro_5\": 62 of 80 key events encoded");
}

// The checked-in sample files give the slots a profile load builds from them.
TEST(MacroSlotTextTest, SampleFilesEncodeAsExpected)
{
    const std::string dir = std::string(ZENTRO_TEST_DATA_DIR) + "/macros/";
    for (const char* name : {"examples_record", "malformed_junk_record"}) {
        const std::string expected = test::ReadFile(dir + name + ".expected.txt");
        ASSERT_FALSE(expected.empty()) << name;

        ProfileRecord record{};
        const auto overflows = BuildMacroSlotsReport(record.MacroSlot, dir + name + ".ini");
        std::string actual = FormatMacroSlots(record.MacroSlot);
        for (const MacroOverflow& o : overflows) {
            actual += FormatMacroOverflow(o) + "\n";
        }
        EXPECT_EQ(actual, expected) << name;
    }
}

} // namespace
} // namespace zentro
