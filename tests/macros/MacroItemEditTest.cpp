#include "macros/MacroItemEdit.h"

#include <gtest/gtest.h>

using namespace zentro;

namespace {

using Items = std::vector<std::string>;

const Items kKeyDelayKey = {"A   Dn", "120 ms", "A   Up"};

} // namespace

TEST(MacroItemEdit, ItemMenuCommandsFollowTheirInsertionRules)
{
    enum class Op { Delete, Left, Right, Delay };
    struct Case {
        const char* what;
        Op op;
        Items before;
        int selection;
        Items after;
        int selected;
        bool save;
    };
    const Case cases[] = {
        {"click into an empty list",
         Op::Left,
         {},
         -1,
         {"L-Button   Dn", "L-Button   Up"},
         -1,
         true},
        {"click with nothing selected", Op::Left, kKeyDelayKey, -1, kKeyDelayKey, -1, true},
        {"click after a key item selects the release",
         Op::Left,
         kKeyDelayKey,
         0,
         {"A   Dn", "L-Button   Dn", "L-Button   Up", "120 ms", "A   Up"},
         2,
         true},
        {"click after a delay selects the press",
         Op::Right,
         kKeyDelayKey,
         1,
         {"A   Dn", "120 ms", "R-Button   Dn", "R-Button   Up", "A   Up"},
         2,
         true},
        {"click after the last item",
         Op::Right,
         kKeyDelayKey,
         2,
         {"A   Dn", "120 ms", "A   Up", "R-Button   Dn", "R-Button   Up"},
         4,
         true},
        {"delay with the first entry selected", Op::Delay, kKeyDelayKey, 0, kKeyDelayKey, 0, false},
        {"delay on a delay", Op::Delay, kKeyDelayKey, 1, kKeyDelayKey, 1, false},
        {"delay after a delay", Op::Delay, kKeyDelayKey, 2, kKeyDelayKey, 2, false},
        {"delay between two key items",
         Op::Delay,
         {"A   Dn", "A   Up"},
         1,
         {"A   Dn", "50 ms", "A   Up"},
         2,
         true},
        {"delay with nothing selected",
         Op::Delay,
         {"A   Dn", "A   Up"},
         -1,
         {"A   Dn", "A   Up"},
         -1,
         false},
        {"delete the selected entry", Op::Delete, kKeyDelayKey, 1, {"A   Dn", "A   Up"}, -1, true},
        {"delete with nothing selected", Op::Delete, kKeyDelayKey, -1, kKeyDelayKey, -1, false},
        {"delete past the end", Op::Delete, kKeyDelayKey, 3, kKeyDelayKey, -1, false},
    };
    for (const Case& c : cases) {
        Items items = c.before;
        MacroItemEdit edit;
        switch (c.op) {
        case Op::Delete:
            edit = DeleteMacroItem(items, c.selection);
            break;
        case Op::Left:
            edit = InsertMacroClick(items, c.selection, "L-Button");
            break;
        case Op::Right:
            edit = InsertMacroClick(items, c.selection, "R-Button");
            break;
        case Op::Delay:
            edit = InsertMacroDelay(items, c.selection);
            break;
        }
        EXPECT_EQ(items, c.after) << c.what;
        EXPECT_EQ(edit.changed, c.after != c.before) << c.what;
        if (edit.changed) {
            EXPECT_EQ(edit.selection, c.selected) << c.what;
        }
        EXPECT_EQ(edit.save, c.save) << c.what;
    }
}

TEST(MacroItemEdit, DeviceBytesCountShortAndLongRecords)
{
    struct Case {
        Items items;
        size_t bytes;
    };
    Items sixtyThreeTaps;
    for (int i = 0; i < 63; ++i)
        sixtyThreeTaps.push_back(i % 2 ? "A   Up" : "A   Dn");
    const Case cases[] = {
        {{}, 0},
        {{"120 ms"}, 0},            // a delay alone is no event
        {kKeyDelayKey, 4},          // two short records
        {{"B   Dn", "1270 ms"}, 2}, // the longest short pause
        {{"B   Dn", "1271 ms"}, 6}, // a long record
        {{"B   Dn", "70000 ms", "B   Up"}, 8},
        {{"   Dn", "junk", "x   Up"}, 4}, // nameless keys still take their records
        {sixtyThreeTaps, 126},            // exactly the area
    };
    for (const Case& c : cases)
        EXPECT_EQ(MacroItemsDeviceBytes(c.items), c.bytes) << ::testing::PrintToString(c.items);
    Items tooLong = sixtyThreeTaps;
    tooLong.push_back("A   Up");
    EXPECT_GT(MacroItemsDeviceBytes(tooLong), MACRO_EVENT_AREA_SIZE);
}
