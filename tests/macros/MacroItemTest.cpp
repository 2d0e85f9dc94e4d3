#include "macros/MacroFile.h"
#include "macros/MacroItem.h"

#include <gtest/gtest.h>

#include <climits>

namespace zentro {
namespace {

TEST(MacroItemTest, ClassifiesBySubstringInOrder)
{
    struct Case {
        const char* text;
        MacroItemKind kind;
        const char* keyName;
        int delay;
    };
    const Case cases[] = {
        {"A   Dn", MacroItemKind::Press, "A", 0},
        {"Right Shift   Up", MacroItemKind::Release, "Right Shift", 0},
        {"   Dn", MacroItemKind::Press, "", 0},
        {"120 ms", MacroItemKind::Delay, "", 120},
        {"65535 ms", MacroItemKind::Delay, "", 65535},
        {"junk ms", MacroItemKind::Delay, "", 0},
        {"-20 ms", MacroItemKind::Delay, "", -20},
        {"A   Dn   Dn", MacroItemKind::Press, "A", 0},      // every occurrence removed
        {"ms   Up", MacroItemKind::Release, "ms", 0},       // a key event wins over "ms"
        {"X   Up   Dn", MacroItemKind::Press, "X   Up", 0}, // press is tested first
        {"A  Dn", MacroItemKind::Other, "", 0},
        {"", MacroItemKind::Other, "", 0},
        {"hello", MacroItemKind::Other, "", 0},
    };
    for (const Case& c : cases) {
        const MacroItem item = ParseMacroItem(c.text);
        EXPECT_EQ(item.kind, c.kind) << c.text;
        EXPECT_EQ(item.keyName, c.keyName) << c.text;
        EXPECT_EQ(item.delayMs, c.delay) << c.text;
    }
    EXPECT_TRUE(IsDelayItem("50 ms"));
    EXPECT_FALSE(IsDelayItem("Items   Dn"));
}

TEST(MacroItemTest, MakesTheStoredForms)
{
    EXPECT_EQ(MakeKeyItem("Num Enter", false), "Num Enter   Dn");
    EXPECT_EQ(MakeKeyItem("", true), "   Up");
    EXPECT_EQ(MakeDelayItem(120), "120 ms");
    const MacroItem back = ParseMacroItem(MakeKeyItem("L-Button", true));
    EXPECT_EQ(back.kind, MacroItemKind::Release);
    EXPECT_EQ(back.keyName, "L-Button");
}

TEST(MacroItemTest, RemoveAllDoesNotRescanJoinedText)
{
    EXPECT_EQ(RemoveAll("a ms ms b", " ms"), "a b");
    EXPECT_EQ(RemoveAll("  ms ms", " ms"), " ");
    EXPECT_EQ(RemoveAll("abc", ""), "abc");
    EXPECT_EQ(RemoveAll("", "x"), "");
}

TEST(MacroFileTest, ReadsLeadingNumbers)
{
    const std::pair<const char*, int> cases[] = {
        {"42", 42},
        {"  7", 7},
        {"+9", 9},
        {"-3", -3},
        {"12abc", 12},
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {"1 2", 1},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"2147483648", INT_MAX},
        {"99999999999999999999999", INT_MAX},
        {"-99999999999999999999999", INT_MIN},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(ReadProfileInt(text), value) << "'" << text << "'";
    }
}

TEST(MacroFileTest, LoopCountsOutsideTheRangeAreOne)
{
    EXPECT_EQ(ClampLoopCount(0), 1u);
    EXPECT_EQ(ClampLoopCount(-1), 1u);
    EXPECT_EQ(ClampLoopCount(65536), 1u);
    EXPECT_EQ(ClampLoopCount(65535), 65535u);
    EXPECT_EQ(ClampLoopCount(1), 1u);
    EXPECT_EQ(ClampLoopCount(640), 640u);
    EXPECT_EQ(MacroItemKey(0), "Item0");
    EXPECT_EQ(MacroItemKey(61), "Item61");
}

} // namespace
} // namespace zentro
