#include "macros/MacroEncoding.h"

#include "MacroTestFile.h"
#include "macros/MacroItemEdit.h"
#include "platform/DebugLog.h"
#include "profile/ProfileRecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace zentro {
namespace {

using test::CTempMacroFile;
using test::KeyTaps;
using test::MacroText;
using test::MakeRecordIni;
using Bytes = std::vector<uint8_t>;

// The first 128 bytes of a slot: `head` followed by zeros.
Bytes Block(Bytes head)
{
    head.resize(MACRO_BLOCK_SIZE, 0);
    return head;
}

Bytes SlotBlock(const uint8_t* slot)
{
    return Bytes(slot, slot + MACRO_BLOCK_SIZE);
}

class MacroEncodingTest : public ::testing::Test {
protected:
    // Encodes one macro through the profile-load path into a zeroed record; slot 0.
    Bytes EncodeOne(const MacroText& macro)
    {
        m_file.Write(MakeRecordIni({macro}));
        m_record = ProfileRecord{};
        m_overflows = BuildMacroSlotsReport(m_record.MacroSlot, m_file.Path());
        return SlotBlock(m_record.MacroSlot[0]);
    }

    CTempMacroFile m_file;
    ProfileRecord m_record{};
    std::vector<MacroOverflow> m_overflows;
};

struct EncodingCase {
    const char* what;
    MacroText macro;
    Bytes expected; // slot bytes 0.., then zeros to 127
};

TEST_F(MacroEncodingTest, EncodesItemsIntoDeviceRecords)
{
    const std::vector<EncodingCase> cases = {
        {"press, pause, release with loop count 3",
         {"M", "3", {"A   Dn", "120 ms", "A   Up"}},
         {0x00, 0x03, 0x0C, 0x04, 0x85, 0x04}},
        {"2000 ms becomes a long record",
         {"M", "1", {"B   Dn", "2000 ms"}},
         {0x00, 0x01, 0x00, 0x05, 0x00, 0x03, 0x00, 0x14}},
        {"40 ms is raised to 50 ms", {"M", "1", {"A   Dn", "40 ms"}}, {0x00, 0x01, 0x05, 0x04}},
        {"0 ms is raised to 50 ms", {"M", "1", {"A   Dn", "0 ms"}}, {0x00, 0x01, 0x05, 0x04}},
        {"unparsable pause is 50 ms", {"M", "1", {"A   Dn", "soon ms"}}, {0x00, 0x01, 0x05, 0x04}},
        {"negative pause is 50 ms", {"M", "1", {"A   Dn", "-300 ms"}}, {0x00, 0x01, 0x05, 0x04}},
        {"1270 ms is the longest short record",
         {"M", "1", {"A   Up", "1270 ms"}},
         {0x00, 0x01, 0xFF, 0x04}},
        {"1271 ms is a long record of 71 and 12",
         {"M", "1", {"A   Dn", "1271 ms"}},
         {0x00, 0x01, 0x47, 0x04, 0x00, 0x03, 0x00, 0x0C}},
        {"long release keeps the release bit",
         {"M", "1", {"C   Up", "65535 ms"}},
         {0x00, 0x01, 0x80 | 35, 0x06, 0x00, 0x03, 0x02, 0x8F}},
        {"only the low 16 bits of the hundreds are kept",
         {"M", "1", {"A   Dn", "6553700 ms"}},
         {0x00, 0x01, 0x00, 0x04, 0x00, 0x03, 0x00, 0x01}},
        {"a record after a long record follows it directly",
         {"M", "1", {"A   Dn", "2000 ms", "A   Up"}},
         {0x00, 0x01, 0x00, 0x04, 0x00, 0x03, 0x00, 0x14, 0x85, 0x04}},
        {"lines that are neither keys nor delays are skipped",
         {"M", "1", {"hello", "A   Dn", "", "A   Up"}},
         {0x00, 0x01, 0x05, 0x04, 0x85, 0x04}},
        {"a second delay in a row is ignored",
         {"M", "1", {"A   Dn", "300 ms", "900 ms", "A   Up"}},
         {0x00, 0x01, 0x1E, 0x04, 0x85, 0x04}},
        {"unknown key names give code 0; a bare \"   Up\" reads back trimmed and is skipped",
         {"M", "1", {"Select   Dn", "   Up", "a   Dn"}},
         {0x00, 0x01, 0x05, 0x00, 0x05, 0x00}},
        {"mouse buttons and keypad keys",
         {"M", "1", {"L-Button   Dn", "M-Button   Up", "Num Enter   Dn"}},
         {0x00, 0x01, 0x05, 0xF0, 0x85, 0xF2, 0x05, 0x58}},
        {"App is unknown to the profile-load table",
         {"M", "1", {"App   Dn", "Application   Up"}},
         {0x00, 0x01, 0x05, 0x00, 0x85, 0x65}},
        {"ItemCount 0 clears the whole block, loop count included",
         {"M", "7", {"A   Dn"}, "0"},
         {}},
        {"ItemCount junk reads as 0", {"M", "7", {"A   Dn"}, "lots"}, {}},
        {"negative ItemCount keeps the loop count and encodes nothing",
         {"M", "7", {"A   Dn"}, "-4"},
         {0x00, 0x07}},
        {"ItemCount far above the items",
         {"M", "1", {"A   Dn"}, "2000000000"},
         {0x00, 0x01, 0x05, 0x04}},
        {"ItemCount past the int range counts as huge, not as a wrapped negative",
         {"M", "1", {"A   Dn"}, "4294967295"},
         {0x00, 0x01, 0x05, 0x04}},
        {"ItemCount far below the int range is negative",
         {"M", "9", {"A   Dn"}, "-99999999999"},
         {0x00, 0x09}},
        {"ItemCount is read from its leading digits",
         {"M", "1", {"A   Dn", "A   Up"}, "1 item"},
         {0x00, 0x01, 0x05, 0x04}},
        {"ItemCount below the items cuts the macro and its last pause",
         {"M", "1", {"A   Dn", "500 ms", "A   Up"}, "1"},
         {0x00, 0x01, 0x05, 0x04}},
    };
    for (const EncodingCase& c : cases) {
        EXPECT_EQ(EncodeOne(c.macro), Block(c.expected)) << c.what;
        EXPECT_TRUE(m_overflows.empty()) << c.what;
    }
}

TEST_F(MacroEncodingTest, LoopCountOutsideRangeIsOne)
{
    const std::vector<std::pair<std::string, unsigned>> cases = {
        {"0", 1},         {"70000", 1}, {"", 1},      {"-5", 1},          {"x", 1},
        {"65535", 65535}, {"2", 2},     {"300", 300}, {"99999999999", 1}, {" 12abc", 12},
    };
    for (const auto& [text, loops] : cases) {
        const Bytes block = EncodeOne({"M", text, {"A   Dn"}});
        EXPECT_EQ(block[0], loops >> 8) << "'" << text << "'";
        EXPECT_EQ(block[1], loops & 0xFF) << "'" << text << "'";
    }
}

TEST_F(MacroEncodingTest, AppKeyEncodesOnlyThroughTheManagerPath)
{
    m_file.Write(MakeRecordIni({{"M", "1", {"App   Dn", "Left GUI   Up"}}}));
    BuildMacroSlots(m_record.MacroSlot, m_file.Path());
    EXPECT_EQ(SlotBlock(m_record.MacroSlot[0]), Block({0x00, 0x01, 0x05, 0x00, 0x85, 0x00}));

    MacroSlotArray slots{};
    EncodeMacroSaveSlots(slots, m_file.Path(), 1, 0);
    EXPECT_EQ(SlotBlock(slots[0]), Block({0x00, 0x01, 0x05, 0x65, 0x85, 0xE3}));
}

TEST_F(MacroEncodingTest, ProfileLoadRewritesListedSlotsAndEmptiesTheRest)
{
    ProfileRecord record{};
    std::memset(record.MacroSlot, 0xAB, sizeof record.MacroSlot);
    std::memset(record.Bytes(), 0x11, offsetof(ProfileRecord, MacroSlot));
    const ProfileRecord before = record;
    m_file.Write(MakeRecordIni({{"One", "1", {"A   Dn"}}, {"Two", "2", {}}}));

    EXPECT_TRUE(BuildMacroSlotsReport(record.MacroSlot, m_file.Path()).empty());

    EXPECT_EQ(SlotBlock(record.MacroSlot[0]), Block({0x00, 0x01, 0x05, 0x04}));
    EXPECT_EQ(SlotBlock(record.MacroSlot[1]), Block({}));
    for (size_t k = 0; k < 2; ++k) {
        EXPECT_EQ(record.MacroSlot[k][128], 0xAB);
        EXPECT_EQ(record.MacroSlot[k][129], 0xAB);
    }
    // The slots after the listed macros held deleted macros: they are empty now, but for the
    // two bytes that are not the mouse's.
    for (size_t k = 2; k < MACRO_SLOT_COUNT; ++k) {
        EXPECT_EQ(SlotBlock(record.MacroSlot[k]), Block({})) << k;
        EXPECT_EQ(record.MacroSlot[k][128], 0xAB) << k;
    }
    EXPECT_EQ(0, std::memcmp(record.Bytes(), before.Bytes(), offsetof(ProfileRecord, MacroSlot)));
}

TEST_F(MacroEncodingTest, AMissingFileLeavesSlotsAloneAnEmptyListEmptiesThem)
{
    ProfileRecord record{};
    std::memset(record.MacroSlot, 0x5A, sizeof record.MacroSlot);
    const ProfileRecord before = record;
    BuildMacroSlots(record.MacroSlot, m_file.Path() + ".missing");
    EXPECT_EQ(0, std::memcmp(record.Bytes(), before.Bytes(), PROFILE_RECORD_SIZE));

    for (const char* text : {"", "[MacroName]\nMacroCount=0\n0=\n", "[MacroName]\nMacroCount=-3\n",
                             "[MacroName]\nMacroCount=junk\n0=A\n"}) {
        record = before;
        m_file.Write(text);
        BuildMacroSlots(record.MacroSlot, m_file.Path());
        for (size_t k = 0; k < MACRO_SLOT_COUNT; ++k) {
            EXPECT_EQ(SlotBlock(record.MacroSlot[k]), Block({})) << text << k;
            EXPECT_EQ(record.MacroSlot[k][129], 0x5A) << text << k;
        }
        EXPECT_EQ(0,
                  std::memcmp(record.Bytes(), before.Bytes(), offsetof(ProfileRecord, MacroSlot)));
    }
}

TEST_F(MacroEncodingTest, OnlyTwelveOfThirteenListedMacrosAreEncoded)
{
    std::vector<MacroText> macros;
    for (int i = 0; i < 13; ++i) {
        macros.push_back({"Macro_" + std::to_string(i + 1), std::to_string(i + 1), {"A   Dn"}});
    }
    m_file.Write(MakeRecordIni(macros));

    // A guard right behind the record catches a write into a thirteenth slot.
#pragma pack(push, 1)
    struct Guarded {
        ProfileRecord record;
        uint8_t guard[2 * MACRO_SLOT_SIZE];
    } guarded{};
#pragma pack(pop)
    std::memset(guarded.guard, 0xEE, sizeof guarded.guard);
    CDebugLogCapture log;
    EXPECT_TRUE(BuildMacroSlotsReport(guarded.record.MacroSlot, m_file.Path()).empty());
    for (size_t k = 0; k < MACRO_SLOT_COUNT; ++k) {
        EXPECT_EQ(guarded.record.MacroSlot[k][1], k + 1);
    }
    EXPECT_TRUE(std::all_of(std::begin(guarded.guard), std::end(guarded.guard),
                            [](uint8_t b) { return b == 0xEE; }));
    EXPECT_FALSE(log.Contains("Macro_13\n"));
    EXPECT_TRUE(log.Contains("BuildMacroSlots macro 11: Macro_12\n"));

    MacroSlotArray slots[2]{}; // slots[1] is the guard of the working copy
    std::memset(slots[1], 0xEE, sizeof slots[1]);
    EncodeMacroSaveSlots(slots[0], m_file.Path(), 13, 12);
    EXPECT_EQ(slots[0][11][1], 12);
    EXPECT_EQ(slots[1][0][0], 0xEE);
    EXPECT_EQ(slots[1][0][1], 0xEE);
}

TEST_F(MacroEncodingTest, OverflowKeepsTheLongestPrefixWithNoKeyHeld)
{
    // 32 taps of A: 64 events, one more than the 63 short records that fit. The 63rd record
    // would be a press left hanging, so the slot ends after the 31st tap.
    EncodeOne({"Taps", "1", KeyTaps("A", 32)});
    ASSERT_EQ(m_overflows.size(), 1u);
    EXPECT_EQ(m_overflows[0].slot, 0u);
    EXPECT_EQ(m_overflows[0].name, "Taps");
    EXPECT_EQ(m_overflows[0].encodedEvents, 62u);
    EXPECT_EQ(m_overflows[0].droppedEvents, 2u);
    const uint8_t* slot = m_record.MacroSlot[0];
    EXPECT_EQ(slot[122], 0x05); // 31st tap: press ...
    EXPECT_EQ(slot[123], 0x04);
    EXPECT_EQ(slot[124], 0x85); // ... and release, the last record kept
    EXPECT_EQ(slot[125], 0x04);
    EXPECT_EQ(slot[126], 0x00);
    EXPECT_EQ(slot[127], 0x00);
    EXPECT_EQ(slot[128], 0x00);
}

TEST_F(MacroEncodingTest, OverflowWithAKeyHeldThroughoutEncodesNoEvents)
{
    std::vector<std::string> items = {"Shift   Dn"};
    const std::vector<std::string> taps = KeyTaps("A", 40);
    items.insert(items.end(), taps.begin(), taps.end());
    items.push_back("Shift   Up");
    const Bytes block = EncodeOne({"Held", "4", items});
    EXPECT_EQ(block, Block({0x00, 0x04}));
    ASSERT_EQ(m_overflows.size(), 1u);
    EXPECT_EQ(m_overflows[0].encodedEvents, 0u);
    EXPECT_EQ(m_overflows[0].droppedEvents, 82u);
}

// Items `head` followed by `pairs` taps of `key`.
std::vector<std::string> ThenTaps(std::vector<std::string> head, const std::string& key,
                                  size_t pairs)
{
    const std::vector<std::string> taps = KeyTaps(key, pairs);
    head.insert(head.end(), taps.begin(), taps.end());
    return head;
}

struct CutCase {
    const char* what;
    std::vector<std::string> items; // all pauses 50 ms: every record is 2 bytes
    size_t encodedEvents;
    size_t droppedEvents;
};

TEST_F(MacroEncodingTest, OverflowCutFollowsWhetherEachKeyIsDown)
{
    std::vector<std::string> shiftedTaps = ThenTaps({"Shift   Dn"}, "A", 10);
    shiftedTaps.push_back("Shift   Up");
    // Each macro has more events than the 63 two-byte records that fit.
    const std::vector<CutCase> cases = {
        {"a second press of a key that is down needs only one release",
         ThenTaps({"A   Dn", "A   Dn", "A   Up"}, "B", 31), 63, 2},
        {"a release of a key that is up holds nothing", ThenTaps({"B   Up"}, "A", 32), 63, 2},
        {"a key without a device code is never held", ThenTaps({"Select   Dn"}, "A", 32), 63, 2},
        {"an unknown name does not release a real key",
         ThenTaps({"Shift   Dn", "Select   Up"}, "A", 31), 0, 64},
        {"a key held for a while and released, then taps", ThenTaps(shiftedTaps, "B", 21), 62, 2},
        {"two keys down together, released in the other order",
         ThenTaps({"Ctrl   Dn", "C   Dn", "Ctrl   Up", "C   Up"}, "V", 30), 62, 2},
    };
    for (const CutCase& c : cases) {
        const Bytes block = EncodeOne({"Cut", "1", c.items});
        ASSERT_EQ(m_overflows.size(), 1u) << c.what;
        EXPECT_EQ(m_overflows[0].encodedEvents, c.encodedEvents) << c.what;
        EXPECT_EQ(m_overflows[0].droppedEvents, c.droppedEvents) << c.what;
        const size_t end = 2 + 2 * c.encodedEvents;
        if (c.encodedEvents > 0) {
            EXPECT_EQ(block[end - 2], 0x85) << c.what << ": the last record kept is a release";
        }
        EXPECT_TRUE(std::all_of(block.begin() + end, block.end(), [](uint8_t b) { return b == 0; }))
            << c.what << ": bytes after the cut";
    }
}

TEST_F(MacroEncodingTest, ExactlyFullEventAreaFits)
{
    // 21 long records are 126 bytes; 63 short records too.
    Bytes block = EncodeOne({"Long", "1", KeyTaps("A", 10, "3000 ms")});
    EXPECT_TRUE(m_overflows.empty());
    std::vector<std::string> longItems = KeyTaps("A", 10, "3000 ms");
    longItems.push_back("B   Dn");
    longItems.push_back("3000 ms");
    block = EncodeOne({"Long", "1", longItems});
    EXPECT_TRUE(m_overflows.empty());
    EXPECT_EQ(block[122], 0x00);
    EXPECT_EQ(block[123], 0x05);
    EXPECT_EQ(block[127], 30);

    std::vector<std::string> shortItems = KeyTaps("A", 31);
    shortItems.push_back("B   Dn");
    block = EncodeOne({"Short", "1", shortItems});
    EXPECT_TRUE(m_overflows.empty());
    EXPECT_EQ(block[126], 0x05);
    EXPECT_EQ(block[127], 0x05);
}

TEST_F(MacroEncodingTest, BytesUsedAreWhatTheEncoderWrites)
{
    const auto joined = [](std::vector<std::string> a, const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const std::vector<std::vector<std::string>> macros = {
        {"A   Dn", "120 ms", "A   Up"},
        KeyTaps("A", 10, "1500 ms"),
        joined(KeyTaps("A", 29), {"B   Dn", "1300 ms", "B   Up"}), // 124 bytes
        joined(KeyTaps("A", 30), {"B   Dn", "1300 ms", "B   Up"}), // 128 bytes: cut
        KeyTaps("A", 20, "1500 ms"),                               // 240 bytes: cut
    };
    for (const auto& items : macros) {
        const size_t bytes = MacroItemsDeviceBytes(items);
        const Bytes slot = EncodeOne({"M", "1", items});
        const bool fits = bytes <= MACRO_EVENT_AREA_SIZE;
        EXPECT_EQ(m_overflows.empty(), fits) << bytes;
        if (!fits)
            continue;
        // The last record ends where the count says, and nothing follows it.
        ASSERT_GT(bytes, 0u);
        EXPECT_NE(slot[1 + bytes], 0) << bytes;
        EXPECT_TRUE(std::all_of(slot.begin() + 2 + static_cast<long>(bytes), slot.end(),
                                [](uint8_t b) { return b == 0; }))
            << bytes;
    }
}

TEST_F(MacroEncodingTest, LongRecordThatDoesNotFitIsNeverPartlyWritten)
{
    // 61 short records (122 bytes) leave 4 bytes: too few for a 6-byte record.
    std::vector<std::string> items = KeyTaps("A", 30);
    items.insert(items.end(), {"C   Dn", "C   Up", "5000 ms"});
    ProfileRecord record{};
    std::memset(record.MacroSlot, 0x77, sizeof record.MacroSlot);
    m_file.Write(MakeRecordIni({{"M", "1", items}}));
    const auto overflows = BuildMacroSlotsReport(record.MacroSlot, m_file.Path());
    ASSERT_EQ(overflows.size(), 1u);
    EXPECT_EQ(overflows[0].encodedEvents, 60u);
    for (size_t i = 122; i < MACRO_BLOCK_SIZE; ++i) {
        EXPECT_EQ(record.MacroSlot[0][i], 0) << i;
    }
    EXPECT_EQ(record.MacroSlot[0][128], 0x77);
    EXPECT_EQ(record.MacroSlot[1][0], 0); // no macro listed there
    EXPECT_EQ(record.MacroSlot[1][128], 0x77);
}

TEST_F(MacroEncodingTest, ReportNamesEachMacroThatDidNotFit)
{
    m_file.Write(MakeRecordIni({{"Fits", "1", KeyTaps("A", 2)},
                                {"TooLong", "1", KeyTaps("B", 40)},
                                {"AlsoFits", "1", {}},
                                {"Slow", "1", KeyTaps("C", 11, "2000 ms")}}));
    CDebugLogCapture log;
    const auto overflows = BuildMacroSlotsReport(m_record.MacroSlot, m_file.Path());
    ASSERT_EQ(overflows.size(), 2u);
    EXPECT_EQ(overflows[0].slot, 1u);
    EXPECT_EQ(overflows[0].name, "TooLong");
    EXPECT_EQ(overflows[0].encodedEvents, 62u);
    EXPECT_EQ(overflows[0].droppedEvents, 18u);
    EXPECT_EQ(overflows[1].slot, 3u);
    EXPECT_EQ(overflows[1].name, "Slow");
    EXPECT_EQ(overflows[1].encodedEvents, 20u);
    EXPECT_EQ(overflows[1].droppedEvents, 2u);
    EXPECT_TRUE(log.Contains("macro TooLong does not fit"));
}

TEST_F(MacroEncodingTest, ItemsBeyondItemCountAreNotTheLastPause)
{
    // A stale key left by a hand edit must not lend its pause to the last event.
    m_file.Write("[MacroName]\nMacroCount=1\n0=M\n[M]\nMacroLoopTimes=1\nItemCount=1\n"
                 "Item0=A   Dn\nItem1=900 ms\n");
    BuildMacroSlots(m_record.MacroSlot, m_file.Path());
    EXPECT_EQ(SlotBlock(m_record.MacroSlot[0]), Block({0x00, 0x01, 0x05, 0x04}));
}

TEST_F(MacroEncodingTest, ManagerSaveClearsWorkingSlotsAndLogs)
{
    m_file.Write(MakeRecordIni({{"M", "2", {"A   Dn"}}}));
    MacroSlotArray slots;
    std::memset(slots, 0x33, sizeof slots);
    CDebugLogCapture log;
    EXPECT_TRUE(EncodeMacroSaveSlots(slots, m_file.Path(), 1, 0).empty());
    EXPECT_TRUE(
        log.Contains("OnBnMacroSave m_lbSelMacro.GetCount()=1,m_lbSelMacro.GetCurSel()=0\n"));
    EXPECT_TRUE(log.Contains("OnBnMacroSave macro 0: M\n")); // each name is logged
    EXPECT_EQ(SlotBlock(slots[0]), Block({0x00, 0x02, 0x05, 0x04}));
    for (size_t k = 1; k < MACRO_SLOT_COUNT; ++k) {
        EXPECT_EQ(SlotBlock(slots[k]), Block({})) << k;
    }
    EXPECT_EQ(slots[5][128], 0x33); // not the mouse's bytes
}

TEST_F(MacroEncodingTest, ManagerSaveWithoutListOrFileEmptiesTheSlots)
{
    // The manager listed nothing: whatever the slots held was deleted.
    m_file.Write(MakeRecordIni({{"M", "2", {"A   Dn"}}}));
    for (const bool missing : {false, true}) {
        MacroSlotArray slots;
        std::memset(slots, 0x33, sizeof slots);
        CDebugLogCapture log;
        EncodeMacroSaveSlots(slots, m_file.Path() + (missing ? ".missing" : ""), missing ? 3 : 0,
                             -1);
        for (size_t k = 0; k < MACRO_SLOT_COUNT; ++k) {
            EXPECT_EQ(SlotBlock(slots[k]), Block({})) << k;
            EXPECT_EQ(slots[k][128], 0x33) << k;
        }
        EXPECT_FALSE(log.Contains("OnBnMacroSave"));
    }
}

} // namespace
} // namespace zentro
