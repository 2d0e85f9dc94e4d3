#include "macros/MacroStore.h"

#include "CoreReset.h"
#include "MacroTestFile.h"
#include "../support/FileContents.h"
#include "macros/MacroFile.h"
#include "platform/FileSteps.h"
#include "platform/PrivateProfile.h"
#include "macros/MacroEncoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iterator>

using namespace zentro;
using zentro::test::CTempMacroFile;

namespace {

const std::vector<std::string> kItems = {"A   Dn", "120 ms", "A   Up"};

class MacroStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetCoreStateForTest();
        m_file.Write(zentro::test::MakeRecordIni(
            {{"First", "1", kItems}, {"Second", "3", {"B   Dn", "B   Up"}}, {"Third", "1", {}}}));
    }
    void TearDown() override { ResetCoreStateForTest(); }

    std::string Value(const std::string& section, const std::string& key)
    {
        return GetPrivateProfileString(section, key, "<none>", m_file.Path());
    }
    std::vector<std::string> ListedNames()
    {
        std::vector<std::string> names;
        const int count = std::stoi(Value("MacroName", "MacroCount"));
        for (int i = 0; i < count; ++i)
            names.push_back(Value("MacroName", std::to_string(i)));
        EXPECT_EQ(Value("MacroName", std::to_string(count)), "<none>") << "stale list key";
        return names;
    }

    CTempMacroFile m_file;
};

} // namespace

TEST(MacroStoreNaming, NewNameFollowsTheLastEntryAndNeverRepeatsOne)
{
    struct Case {
        std::vector<std::string> names;
        const char* expected;
    };
    const Case cases[] = {
        {{}, "Macro_1"},
        {{"Boss"}, "Macro_2"},
        {{"Macro_1", "Macro_3"}, "Macro_4"},
        {{"Macro_9"}, "Macro_10"},
        {{"Macro_x"}, "Macro_1"},
        // The rule alone would give Macro_3 twice: two macros would share one section.
        {{"Macro_3", "Macro_2"}, "Macro_4"},
        {{"MACRO_2", "Macro_1"}, "Macro_3"}, // sections ignore case
    };
    for (const Case& c : cases)
        EXPECT_EQ(CMacroStore::NewMacroName(c.names, "Macro"), c.expected) << c.names.size();
}

TEST_F(MacroStoreTest, LoadSelectsTheFirstMacroWithItsLoopCountItemsAndOptions)
{
    CMacroStore store(m_file.Path());
    ASSERT_TRUE(store.LoadMacroList());
    EXPECT_EQ(store.Names(), (std::vector<std::string>{"First", "Second", "Third"}));
    EXPECT_EQ(g_nCurrentMacro, 0);
    EXPECT_EQ(store.Items(), kItems);
    EXPECT_EQ(g_loadedItems,
              (std::vector<std::string>{"First", "1", "A   Dn", "120 ms", "A   Up"}));
    EXPECT_EQ(g_bRecordDelays, 1);
    ASSERT_TRUE(store.SelectMacro(1));
    EXPECT_EQ(store.LoopText(), "3");
    EXPECT_EQ(g_bLoopEnabled, 1);
    EXPECT_FALSE(store.SelectMacro(3));

    // A delay option other than 0/1 leaves the option as it was; a missing file lists nothing.
    WritePrivateProfileString("Third", "DelayTimeSelStatus", "2", m_file.Path());
    g_bRecordDelays = 1;
    ASSERT_TRUE(store.SelectMacro(2));
    EXPECT_EQ(g_bRecordDelays, 1);
    CMacroStore missing(m_file.Path() + ".missing");
    EXPECT_FALSE(missing.LoadMacroList());
    EXPECT_TRUE(missing.Names().empty());

    // A damaged count lists what the read cap allows instead of reading for ever.
    WritePrivateProfileString("MacroName", "MacroCount", "99999999", m_file.Path());
    ASSERT_TRUE(store.LoadMacroList());
    ASSERT_EQ(store.Names().size(), static_cast<size_t>(MAX_MACRO_ITEMS_READ));
    EXPECT_EQ(store.Names()[2], "Third");
    EXPECT_EQ(store.Names()[3], "");
}

TEST_F(MacroStoreTest, EditingStepsReachTheFileAtOnce)
{
    CMacroStore store(m_file.Path());
    ASSERT_TRUE(store.LoadMacroList());

    // Loop count: clamped, stored big-endian in the working slot and in the file.
    struct Loop {
        const char* typed;
        const char* stored;
        uint8_t high, low;
    };
    for (const Loop& l : {Loop{"300", "300", 0x01, 0x2C}, Loop{"0", "1", 0, 1},
                          Loop{"65536", "1", 0, 1}, Loop{"65535", "65535", 0xFF, 0xFF}}) {
        EXPECT_TRUE(store.StoreLoopCount(l.typed));
        EXPECT_EQ(store.LoopText(), l.stored);
        EXPECT_EQ(Value("First", "MacroLoopTimes"), l.stored);
        EXPECT_EQ(store.WorkingSlots()[0][0], l.high);
        EXPECT_EQ(store.WorkingSlots()[0][1], l.low);
    }

    // Items saved whole: the section is rewritten, so no item beyond the new count survives.
    g_bRecordDelays = 0;
    store.SetItems({"C   Dn"});
    ASSERT_TRUE(store.WriteSelectedMacro());
    EXPECT_EQ(Value("First", "ItemCount"), "1");
    EXPECT_EQ(Value("First", "Item1"), "<none>");
    EXPECT_EQ(Value("First", "DelayTimeSelStatus"), "0");

    // No items: the section goes and the working slot is cleared.
    store.SetItems({});
    ASSERT_TRUE(store.WriteSelectedMacro());
    EXPECT_EQ(Value("First", "ItemCount"), "<none>");
    EXPECT_EQ(store.WorkingSlots()[0][0], 0);
    EXPECT_EQ(store.WorkingSlots()[0][1], 0);

    // A finished recording.
    ASSERT_TRUE(store.WriteRecordedMacro({"Third", "1", "2", "X   Dn", "X   Up"}));
    EXPECT_EQ(Value("Third", "ItemCount"), "2");
    EXPECT_EQ(Value("Third", "Item1"), "X   Up");
    EXPECT_EQ(Value("Third", "MacroLoopTimes"), "2");
    EXPECT_FALSE(store.WriteRecordedMacro({}));
}

TEST_F(MacroStoreTest, RenameRefusesBlankAndTakenNamesAndMovesTheSection)
{
    CMacroStore store(m_file.Path());
    ASSERT_TRUE(store.LoadMacroList());
    struct Case {
        const char* name;
        MacroStoreResult result;
    };
    for (const Case& c :
         {Case{"   ", MacroStoreResult::BlankName}, Case{"second", MacroStoreResult::NameTaken},
          Case{"", MacroStoreResult::BlankName}}) {
        EXPECT_EQ(store.CheckName(0, c.name), c.result) << c.name;
        EXPECT_EQ(store.RenameMacro(c.name), c.result) << c.name;
        EXPECT_EQ(ListedNames(), (std::vector<std::string>{"First", "Second", "Third"}));
        EXPECT_EQ(Value("First", "ItemCount"), "3");
    }

    ASSERT_EQ(store.RenameMacro("Renamed"), MacroStoreResult::Done);
    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"Renamed", "Second", "Third"}));
    EXPECT_EQ(Value("First", "ItemCount"), "<none>");
    EXPECT_EQ(Value("Renamed", "ItemCount"), "3");
    EXPECT_EQ(Value("Renamed", "Item2"), "A   Up");
    EXPECT_EQ(Value("Renamed", "MacroLoopTimes"), "1");
    EXPECT_EQ(Value("Renamed", "DelayTimeSelStatus"), "<none>"); // until saved again
    // Its own name again (another spelling) is no clash; for another entry it is.
    EXPECT_EQ(store.CheckName(0, " renamed "), MacroStoreResult::Done);
    EXPECT_EQ(store.CheckName(1, " renamed "), MacroStoreResult::NameTaken);
    EXPECT_EQ(store.RenameMacro("RENAMED"), MacroStoreResult::Done);
    // A loop count changed after the macro was selected survives a rename.
    ASSERT_TRUE(store.StoreLoopCount("7"));
    ASSERT_EQ(store.RenameMacro("Again"), MacroStoreResult::Done);
    EXPECT_EQ(Value("Again", "MacroLoopTimes"), "7");
    EXPECT_EQ(Value("Again", "ItemCount"), "3");
}

TEST_F(MacroStoreTest, DeleteRewritesTheListAndSelectsTheNeighbour)
{
    CMacroStore store(m_file.Path());
    ASSERT_TRUE(store.LoadMacroList());
    ASSERT_TRUE(store.SelectMacro(1));
    ASSERT_EQ(store.DeleteMacro(), MacroStoreResult::Done);
    EXPECT_EQ(ListedNames(), (std::vector<std::string>{"First", "Third"}));
    EXPECT_EQ(Value("Second", "ItemCount"), "<none>");
    EXPECT_EQ(g_nCurrentMacro, 1); // Third moved into its place

    ASSERT_EQ(store.DeleteMacro(), MacroStoreResult::Done);
    EXPECT_EQ(g_nCurrentMacro, 0); // past the end: the last one
    ASSERT_EQ(store.DeleteMacro(), MacroStoreResult::Done);
    EXPECT_EQ(Value("MacroName", "MacroCount"), "0");
    EXPECT_EQ(Value("MacroName", "0"), "");
    EXPECT_EQ(store.DeleteMacro(), MacroStoreResult::NoSelection);
}

TEST_F(MacroStoreTest, CreateNamesListsAndLimitsNewMacros)
{
    CMacroStore store(m_file.Path());
    ASSERT_TRUE(store.LoadMacroList());
    for (int n = 4; n <= 12; ++n) {
        ASSERT_EQ(store.CreateMacro("Makro"), MacroStoreResult::Done);
        // After "Third" (no "_") the count plus one, then one more than the last.
        EXPECT_EQ(store.Names().back(), "Makro_" + std::to_string(n));
        EXPECT_EQ(g_nCurrentMacro, n - 1);
        EXPECT_TRUE(store.Items().empty());
        EXPECT_EQ(store.LoopText(), "1");
        // Listed at once: a Cancel right after New keeps it.
        EXPECT_EQ(ListedNames().size(), static_cast<size_t>(n));
    }
    EXPECT_EQ(store.CreateMacro("Makro"), MacroStoreResult::LimitReached);
    EXPECT_EQ(store.Names().size(), 12u);
    EXPECT_EQ(ListedNames().size(), 12u);
}

TEST_F(MacroStoreTest, WritesCreateAMissingFile)
{
    std::filesystem::remove(m_file.Path());
    FlushPrivateProfileCache();
    CMacroStore store(m_file.Path());
    EXPECT_FALSE(store.LoadMacroList());
    ASSERT_EQ(store.CreateMacro("Macro"), MacroStoreResult::Done);
    store.SetItems(kItems);
    ASSERT_TRUE(store.WriteSelectedMacro());
    EXPECT_EQ(ListedNames(), std::vector<std::string>{"Macro_1"});
    EXPECT_EQ(Value("Macro_1", "ItemCount"), "3");

    // What was written encodes for the mouse as the manager's OK does.
    store.EncodeWorkingSlots();
    EXPECT_EQ(store.WorkingSlots()[0][1], 1);    // loop count 1
    EXPECT_EQ(store.WorkingSlots()[0][2], 0x0C); // A down, 120 ms
}

// Every name the list editor lets through: renamed, the store opened again from the file, the
// macro encoded. The keys survive under the name shown, or the name is refused and nothing
// changes.
TEST_F(MacroStoreTest, HostileNamesKeepTheKeysOrAreRefused)
{
    const std::string longName(2000, 'x');
    struct Case {
        std::string typed;
        MacroStoreResult result;
        std::string stored; // the name listed and used as the section afterwards
    };
    const Case cases[] = {
        {"Buy [AK]", MacroStoreResult::BadName, ""},
        {"Buy [AK", MacroStoreResult::Done, "Buy [AK"},
        {"[x]", MacroStoreResult::BadName, ""},
        {"MacroName", MacroStoreResult::ReservedName, ""},
        {"mAcRoNaMe", MacroStoreResult::ReservedName, ""},
        {" MACRONAME ", MacroStoreResult::ReservedName, ""},
        {"'Sniper'", MacroStoreResult::BadName, ""},
        {"\"Sniper\"", MacroStoreResult::BadName, ""},
        {"'Sniper", MacroStoreResult::Done, "'Sniper"},
        {"Sniper's", MacroStoreResult::Done, "Sniper's"},
        {"a=b", MacroStoreResult::Done, "a=b"},
        {";comment", MacroStoreResult::Done, ";comment"},
        {"semi;colon", MacroStoreResult::Done, "semi;colon"},
        {"  padded  ", MacroStoreResult::Done, "padded"},
        {"Second", MacroStoreResult::NameTaken, ""},
        {"SECOND", MacroStoreResult::NameTaken, ""},
        {longName, MacroStoreResult::NameTooLong, ""},
        {std::string(1023, 'y'), MacroStoreResult::Done, std::string(1023, 'y')},
        {"Größe 火", MacroStoreResult::Done, "Größe 火"},
        {"tab\there", MacroStoreResult::BadName, ""},
        {"bell\x07", MacroStoreResult::BadName, ""},
        {"line\nbreak", MacroStoreResult::BadName, ""},
        {"\t", MacroStoreResult::BlankName, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.substr(0, 40));
        SetUp();
        CMacroStore store(m_file.Path());
        ASSERT_TRUE(store.LoadMacroList());
        MacroSlotBytes before{};
        EncodeMacroItems(before, m_file.Path(), "First", nullptr);
        const auto fileBefore = Value("First", "Item2");

        EXPECT_EQ(store.RenameMacro(c.typed), c.result);
        const std::string shown = store.Names()[0];

        CMacroStore reopened(m_file.Path());
        ASSERT_TRUE(reopened.LoadMacroList());
        ASSERT_EQ(reopened.Names().size(), 3u);
        EXPECT_EQ(reopened.Names()[0], shown) << "the name shown is the name stored";
        EXPECT_EQ(reopened.Items(), kItems) << "the keys are lost";
        MacroSlotBytes after{};
        EncodeMacroItems(after, m_file.Path(), shown, nullptr);
        EXPECT_EQ(std::memcmp(before, after, MACRO_BLOCK_SIZE), 0) << "the encoded slot changed";
        if (c.result == MacroStoreResult::Done)
            EXPECT_EQ(shown, c.stored);
        else
            EXPECT_EQ(shown, "First");
        ResetCoreStateForTest();
    }
}

TEST_F(MacroStoreTest, AFailedWriteLeavesTheStoreAndTheFileAsTheyWere)
{
    CMacroStore store(m_file.Path());
    ASSERT_TRUE(store.LoadMacroList());
    const std::string fileBefore = test::ReadFile(m_file.Path());
    SetFileStepHookForTest(
        [](FileStep step, const std::string&) { return step == FileStep::Rename ? ENOSPC : 0; });
    EXPECT_EQ(store.RenameMacro("Other"), MacroStoreResult::WriteFailed);
    EXPECT_EQ(store.LastWriteError(), ENOSPC);
    EXPECT_EQ(store.DeleteMacro(), MacroStoreResult::WriteFailed);
    EXPECT_EQ(store.CreateMacro("Macro"), MacroStoreResult::WriteFailed);
    SetFileStepHookForTest({});
    EXPECT_EQ(store.Names(), (std::vector<std::string>{"First", "Second", "Third"}));
    EXPECT_EQ(g_nCurrentMacro, 0);
    EXPECT_EQ(test::ReadFile(m_file.Path()), fileBefore);
}

TEST_F(MacroStoreTest, DeletedMacrosLeaveTheSlotsAtOkAndAtLoad)
{
    // Deleting every macro and pressing OK empties every slot, and so does loading a profile
    // whose saved slots still hold macros the list no longer names.
    CMacroStore store(m_file.Path());
    ASSERT_TRUE(store.LoadMacroList());
    store.EncodeWorkingSlots();
    ASSERT_NE(std::count(store.WorkingSlots()[0], store.WorkingSlots()[0] + MACRO_BLOCK_SIZE, 0),
              static_cast<long>(MACRO_BLOCK_SIZE));
    while (!store.Names().empty())
        ASSERT_EQ(store.DeleteMacro(), MacroStoreResult::Done);
    store.EncodeWorkingSlots();
    MacroSlotArray saved{};
    std::memset(saved, 0x5A, sizeof saved);
    BuildMacroSlots(saved, m_file.Path());
    for (size_t m = 0; m < MACRO_SLOT_COUNT; ++m) {
        for (size_t b = 0; b < MACRO_BLOCK_SIZE; ++b) {
            ASSERT_EQ(store.WorkingSlots()[m][b], 0) << "OK kept slot " << m;
            ASSERT_EQ(saved[m][b], 0) << "load kept slot " << m;
        }
        EXPECT_EQ(saved[m][MACRO_BLOCK_SIZE], 0x5A) << "bytes 128-129 are not the mouse's";
    }
}
