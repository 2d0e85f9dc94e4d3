// Recording keys from the keyboard capture into the selected macro.

#include "macros/ui/MacroManagerFixture.h"
#include "macros/ui/MacroRecorder.h"
#include "platform/DebugLog.h"

using namespace zentro;
using namespace zentro::test;

namespace {

constexpr uint32_t VK_A = 0x41;
constexpr uint32_t VK_B = 0x42;

class MacroRecorderTest : public MacroManagerFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        CreateWindow();
        WriteMacros({{"First", "2", {"X   Dn", "X   Up"}}, {"Second", "1", {"Y   Dn"}}});
    }
    CScriptedKeyboardCapture& Keys() { return m_services.keyboardCapture; }
    // The macros of the file were saved with the delay option on.
    void OpenWithoutDelays()
    {
        OpenManager();
        if (g_bRecordDelays)
            PressCentre(MacroLayout::DELAY_CHECK);
        ASSERT_EQ(g_bRecordDelays, 0);
    }
};

} // namespace

TEST_F(MacroRecorderTest, TwoKeysRecordWithAndWithoutThePausesBetweenThem)
{
    struct Case {
        int delays;
        std::vector<std::string> items;
    };
    const Case cases[] = {
        {1, {"A   Dn", "80 ms", "A   Up", "200 ms", "B   Dn", "90 ms", "B   Up"}},
        {0, {"A   Dn", "A   Up", "B   Dn", "B   Up"}},
    };
    for (const Case& c : cases) {
        OpenManager();
        if (g_bRecordDelays != c.delays)
            PressCentre(MacroLayout::DELAY_CHECK);
        ASSERT_EQ(g_bRecordDelays, c.delays);
        Record();
        ASSERT_TRUE(Keys().IsCapturing());
        EXPECT_EQ(g_bRecording, 1);
        EXPECT_TRUE(ShownItems().empty()) << "recording starts from an empty list";
        EXPECT_EQ(m_manager->m_btnRecord->GetCaption(), "Stop Recording");
        EXPECT_EQ(m_manager->m_btnRecord->m_bSelected, 1);
        Tap(VK_A, 80);
        m_time.Advance(200);
        Tap(VK_B, 90);
        EXPECT_EQ(ShownItems(), c.items);
        Record(); // stop
        EXPECT_FALSE(Keys().IsCapturing());
        EXPECT_EQ(g_bRecording, 0);
        EXPECT_EQ(m_manager->m_btnRecord->GetCaption(), "Start Recording");
        EXPECT_EQ(m_manager->m_btnRecord->m_bSelected, 0);
        EXPECT_EQ(StoredItems("First"), c.items);
        EXPECT_EQ(Value("First", "DelayTimeSelStatus"), std::to_string(c.delays));
        EXPECT_EQ(Value("First", "MacroLoopTimes"), "2");
        m_manager.reset();
    }
}

TEST_F(MacroRecorderTest, HookNamesKeysAndDropsRepeats)
{
    struct Case {
        const char* what;
        std::vector<CapturedKey> keys;
        std::vector<std::string> items;
    };
    const Case cases[] = {
        {"a held key records one press",
         {{VK_A, false, false}, {VK_A, false, false}, {VK_A, false, false}, {VK_A, false, true}},
         {"A   Dn", "A   Up"}},
        {"keypad Enter and main Enter",
         {{0x0D, true, false}, {0x0D, true, false}, {0x0D, true, true}, {0x0D, false, false}},
         {"Num Enter   Dn", "Num Enter   Up", "Enter   Dn"}},
        {"left and right Shift apart",
         {{0xA0, false, false}, {0xA1, false, false}, {0xA1, false, true}, {0xA0, false, true}},
         {"Shift   Dn", "Right Shift   Dn", "Right Shift   Up", "Shift   Up"}},
        {"a key without a name", {{0xFF, false, false}, {0xFF, false, true}}, {"   Dn", "   Up"}},
        {"a release first has no pause before it",
         {{VK_B, false, true}, {VK_A, false, false}},
         {"B   Up", "A   Dn"}},
    };
    for (const Case& c : cases) {
        OpenWithoutDelays();
        Record();
        for (const CapturedKey& key : c.keys)
            Keys().Send(key); // all queued before the manager handles one
        Deliver();
        EXPECT_EQ(ShownItems(), c.items) << c.what;
        Record();
        m_manager.reset();
    }
}

TEST_F(MacroRecorderTest, HookWritesItsDebugLines)
{
    OpenManager();
    CDebugLogCapture log;
    Record();
    Keys().Press(0x0D, true);
    Deliver();
    EXPECT_TRUE(log.Contains("vk code=d,scan code=0,key flag=1\n")) << log.Text();
    EXPECT_TRUE(log.Contains("virtual-key code :100l;GetKeyStr(6c)=Num Enter\n")) << log.Text();
    Record();
}

TEST_F(MacroRecorderTest, TheSixtyThirdEventStopsAndTheMacroKeepsWhatWasRecorded)
{
    OpenWithoutDelays();
    Record();
    for (int i = 0; i < 31; ++i) // 62 events
        Keys().Tap(VK_A + static_cast<uint32_t>(i % 26));
    Keys().Tap(VK_B); // the 63rd and 64th, queued with the rest
    Keys().Tap(VK_A);
    Deliver();
    EXPECT_FALSE(Keys().IsCapturing());
    EXPECT_EQ(g_bRecording, 0);
    EXPECT_EQ(ShownItems().size(), 62u) << "nothing is added after the stop";
    const std::vector<std::string> stored = StoredItems("First");
    EXPECT_EQ(stored, ShownItems());
    EXPECT_EQ(stored.back(), "E   Up");
}

TEST_F(MacroRecorderTest, RecordButtonNeedsASelectedMacroAndAWorkingCapture)
{
    WriteMacros({});
    OpenManager();
    Record();
    EXPECT_EQ(Keys().startCount, 0);
    EXPECT_EQ(g_bRecording, 0);
    m_manager.reset();

    WriteMacros({{"First", "1", {"X   Dn", "X   Up"}}});
    Keys().failWith = 5;
    OpenManager();
    Record();
    ASSERT_EQ(m_messageBox.asked.size(), 1u);
    EXPECT_EQ(m_messageBox.asked[0].text, "JournalRecordHook Install error code :5\n");
    EXPECT_EQ(g_bRecording, 0);
    EXPECT_EQ(m_manager->m_btnRecord->GetCaption(), "Start Recording");
    // Nothing was emptied: a later save keeps the macro.
    EXPECT_EQ(ShownItems(), (std::vector<std::string>{"X   Dn", "X   Up"}));
    PressCentre(MacroLayout::NEW_BUTTON);
    EXPECT_EQ(StoredItems("First"), (std::vector<std::string>{"X   Dn", "X   Up"}));
}

TEST_F(MacroRecorderTest, EveryWayOutOfARecordingStopsIt)
{
    struct Case {
        const char* what;
        std::function<void()> action;
        const char* savedMacro;
    };
    const Case cases[] = {
        {"New", [this] { PressCentre(MacroLayout::NEW_BUTTON); }, "First"},
        {"loop option", [this] { PressCentre(MacroLayout::LOOP_CHECK); }, "First"},
        {"OK", [this] { PressCentre(MacroLayout::OK_BUTTON); }, "First"},
        {"Cancel", [this] { PressCentre(MacroLayout::CANCEL_BUTTON); }, "First"},
        {"close", [this] { PressCentre(MacroLayout::CLOSE_BUTTON); }, "First"},
        {"another macro", [this] { SelectMacro(1); }, "First"},
        {"closing the manager", [this] { m_manager->reject(); }, "First"},
    };
    for (const Case& c : cases) {
        WriteMacros({{"First", "2", {"X   Dn", "X   Up"}}, {"Second", "1", {"Y   Dn"}}});
        OpenWithoutDelays();
        Record();
        Tap(VK_A);
        c.action();
        EXPECT_FALSE(Keys().IsCapturing()) << c.what;
        EXPECT_EQ(g_bRecording, 0) << c.what;
        EXPECT_EQ(StoredItems(c.savedMacro), (std::vector<std::string>{"A   Dn", "A   Up"}))
            << c.what;
        EXPECT_EQ(StoredItems("Second"), std::vector<std::string>{"Y   Dn"}) << c.what;
        m_manager.reset();
    }
    // Deleting while recording deletes the macro that was recorded into.
    WriteMacros({{"First", "2", {"X   Dn"}}, {"Second", "1", {"Y   Dn"}}});
    OpenManager();
    Record();
    Tap(VK_A);
    PressCentre(MacroLayout::DELETE_BUTTON);
    EXPECT_FALSE(Keys().IsCapturing());
    EXPECT_EQ(ShownNames(), std::vector<std::string>{"Second"});
    EXPECT_EQ(Value("First", "ItemCount"), "<none>");
}

TEST_F(MacroRecorderTest, DelayOptionChangesFromTheNextKeyWithoutStopping)
{
    OpenManager();
    ASSERT_EQ(g_bRecordDelays, 1); // the file's DelayTimeSelStatus
    Record();
    Tap(VK_A, 30);
    PressCentre(MacroLayout::DELAY_CHECK);
    EXPECT_TRUE(Keys().IsCapturing());
    Tap(VK_B, 40);
    EXPECT_EQ(ShownItems(),
              (std::vector<std::string>{"A   Dn", "30 ms", "A   Up", "B   Dn", "B   Up"}));
    Record();
}

// Where the capture cannot take the whole keyboard (Wayland), the options column says while
// recording that keys are read only as long as the manager is active, then shows the memory
// line again.
TEST_F(MacroRecorderTest, SaysWhileRecordingWhenKeysAreReadOnlyWhileActive)
{
    const QString note = "Keys are read only while this window is active.";
    for (bool exclusive : {true, false}) {
        OpenManager();
        Keys().exclusive = exclusive;
        EXPECT_TRUE(m_manager->MemoryAreaText().startsWith("Memory used")) << exclusive;
        Record();
        ASSERT_TRUE(Keys().IsCapturing());
        EXPECT_EQ(m_manager->MemoryAreaText() == note, !exclusive);
        Record();
        EXPECT_TRUE(m_manager->MemoryAreaText().startsWith("Memory used")) << exclusive;
        m_manager.reset();
    }
}
