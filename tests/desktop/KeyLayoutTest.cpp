// Keys through the XKB of a real X server: XTest presses a key by its keycode, the server's
// layout makes the symbol, Qt's xcb platform delivers the event, and the key capture must take
// the key by its position whatever the layout made of it.

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>

#include <cstring>

#include "DisplayServers.h"
#include "app/QtKeyboardCapture.h"
#include "buttons/KeyTable.h"
#include "macros/MacroKeyNames.h"
#include "macros/ui/MacroManagerFixture.h"
#include "macros/ui/MacroManagerPart.h"
#include "macros/ui/MacroRecorder.h"

namespace zentro::test {
namespace {

bool OnX()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

void Settle(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// Waits until `done` holds, handing events to Qt meanwhile; false after `ms`.
template <typename F> bool WaitFor(F done, int ms = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// Switches the server's layout; Qt takes the new keymap from the server's notification.
void UseLayout(const char* layout)
{
    ASSERT_TRUE(SetKeyboardLayout(layout)) << layout;
    Settle(400);
}

// The text of every key press the application sees, in order.
class CKeyTextLog : public QObject {
public:
    std::vector<QString> texts;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && qobject_cast<QWindow*>(watched) == nullptr)
            texts.push_back(static_cast<QKeyEvent*>(event)->text());
        return false;
    }
};

struct KeyRow {
    unsigned keycode;     // X keycode: the key's position
    const char* text;     // what the layout types with it; nullptr: a key without text
    uint8_t usage;        // what the mouse must send
    const char* recorded; // the name the macro recorder stores
    const char* assigned; // the name the single-key dialog gives a button
};

struct LayoutCase {
    const char* layout;
    std::vector<KeyRow> keys;
};

} // namespace

// One table per layout: the key in one place gives the same usage under every layout, and the
// names stored for it read back as that usage.
TEST(KeyLayoutTest, KeysAreTakenByPositionUnderEveryLayout)
{
    if (!OnX())
        GTEST_SKIP() << "no X server (Xvfb) here";
    const LayoutCase layouts[] = {
        {"us",
         {{52, "z", 0x1D, "Z", "Z"},
          {29, "y", 0x1C, "Y", "Y"},
          {47, ";", 0x33, ";", ";"},
          {24, "q", 0x14, "Q", "Q"},
          {135, nullptr, 0x65, "App", "Application"},
          {133, nullptr, 0xE3, "Left Windows", "Left Windows"},
          {134, nullptr, 0xE7, "Right Windows", "Right Windows"},
          {104, "\r", 0x58, "Num Enter", "Num Enter"}}},
        {"de",
         {{47, "\xC3\xB6", 0x33, ";", ";"},
          {29, "z", 0x1C, "Y", "Y"},
          {52, "y", 0x1D, "Z", "Z"},
          {94, "<", 0x64, "Non-US \\", "Non-US \\"},
          {20, "\xC3\x9F", 0x2D, "-", "-"},
          {35, "+", 0x30, "]", "]"},
          {51, "#", 0x31, "\\", "\\"},
          {108, nullptr, 0xE6, "Right Alt", "Right Alt"}}},
        {"fr",
         {{24, "a", 0x14, "Q", "Q"},
          {38, "q", 0x04, "A", "A"},
          {10, "&", 0x1E, "1", "1"},
          {58, ",", 0x10, "M", "M"},
          {59, ";", 0x36, ",", ","},
          {52, "w", 0x1D, "Z", "Z"}}},
        {"gb",
         {{51, "#", 0x31, "\\", "\\"},
          {94, "\\", 0x64, "Non-US \\", "Non-US \\"},
          {49, "`", 0x35, "`", "`"},
          {11, "2", 0x1F, "2", "2"}}},
        {"jp",
         {{97, "\\", 0x87, "Ro", "Ro"},
          {132, "\\", 0x89, "Yen", "Yen"},
          {100, nullptr, 0x8A, "Henkan", "Henkan"},
          {102, nullptr, 0x8B, "Muhenkan", "Muhenkan"},
          {101, nullptr, 0x88, "Katakana/Hiragana", "Katakana/Hiragana"},
          {21, "^", 0x2E, "=", "="},
          {34, "@", 0x2F, "[", "["}}},
    };
    QWidget owner;
    owner.resize(200, 100);
    owner.show();
    CQtKeyboardCapture capture;
    std::vector<CapturedKey> keys;
    int error = 0;
    ASSERT_TRUE(capture.Start(
        &owner, [&](const CapturedKey& k) { keys.push_back(k); }, &error))
        << error;
    EXPECT_TRUE(capture.IsExclusive());
    CKeyTextLog log;
    qApp->installEventFilter(&log); // after the capture's filter, so it sees the keys first
    for (const LayoutCase& layout : layouts) {
        UseLayout(layout.layout);
        for (const KeyRow& row : layout.keys) {
            const std::string what =
                std::string(layout.layout) + " keycode " + std::to_string(row.keycode);
            keys.clear();
            log.texts.clear();
            ASSERT_TRUE(FakeKey(row.keycode, true) && FakeKey(row.keycode, false));
            ASSERT_TRUE(WaitFor([&] { return keys.size() >= 2; })) << what;
            EXPECT_EQ(keys[0].usage, row.usage) << what;
            EXPECT_FALSE(keys[0].released) << what;
            EXPECT_EQ(keys[1].usage, row.usage) << what;
            EXPECT_TRUE(keys[1].released) << what;
            ASSERT_FALSE(log.texts.empty()) << what;
            if (row.text != nullptr) {
                EXPECT_EQ(log.texts[0].toStdString(), row.text) << what;
            }
            EXPECT_EQ(MacroKeyNameForUsage(keys[0].usage), row.recorded) << what;
            EXPECT_EQ(MacroKeyNameToUsage(row.recorded), row.usage) << what;
            EXPECT_EQ(KeyUsageToName(keys[0].usage), row.assigned) << what;
            EXPECT_EQ(KeyNameToUsage(row.assigned), row.usage) << what;
        }
    }
    qApp->removeEventFilter(&log);
    capture.Stop();
    UseLayout("us");
}

namespace {

// The main window with the real keyboard capture of the program.
class GermanRecorderTest : public MacroManagerFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        m_windowCapture = &m_capture;
    }
    void TearDown() override
    {
        MacroManagerFixture::TearDown();
        if (OnX())
            UseLayout("us");
    }
    CQtKeyboardCapture m_capture;
};

} // namespace

// Under a German layout a person records "ö" then "z": four named items, and the mouse gets the
// usages of those keys' places (0x33 and 0x1C), so that it types "ö" and "z" on that computer.
TEST_F(GermanRecorderTest, RecordingOUmlautThenZStoresTheirPositions)
{
    if (!OnX())
        GTEST_SKIP() << "no X server (Xvfb) here";
    UseLayout("de");
    CreateWindow();
    WriteMacros({});
    auto* part = m_dlg->Part<CMacroManagerPart>();
    ASSERT_NE(part, nullptr);
    bool recorded = false;
    QTimer::singleShot(0, m_dlg.get(), [&] {
        CMacroProgramDialog* manager = part->Dialog();
        if (manager == nullptr)
            return;
        QTest::mouseClick(manager, Qt::LeftButton, Qt::NoModifier,
                          MacroLayout::NEW_BUTTON.center());
        if (g_bRecordDelays)
            QTest::mouseClick(manager, Qt::LeftButton, Qt::NoModifier,
                              MacroLayout::DELAY_CHECK.center());
        WaitFor([&] { return manager->windowHandle() && manager->windowHandle()->isExposed(); });
        QTest::mouseClick(manager->m_btnRecord, Qt::LeftButton);
        for (unsigned keycode : {47u, 29u}) { // the keys that type "ö" and "z"
            FakeKey(keycode, true);
            FakeKey(keycode, false);
        }
        recorded = WaitFor([&] { return manager->m_lbItems->count() >= 4; });
        QTest::mouseClick(manager->m_btnRecord, Qt::LeftButton);
        QTest::mouseClick(manager, Qt::LeftButton, Qt::NoModifier, MacroLayout::OK_BUTTON.center());
    });
    QTest::mouseClick(part->m_btnMacroHeader, Qt::LeftButton);
    Deliver();
    EXPECT_TRUE(recorded);
    EXPECT_EQ(StoredItems("Macro_1"),
              (std::vector<std::string>{";   Dn", ";   Up", "Y   Dn", "Y   Up"}));
    const uint8_t expected[] = {0x00, 0x01, 0x05, 0x33, 0x85, 0x33, 0x05, 0x1C, 0x85, 0x1C};
    EXPECT_EQ(std::memcmp(g_ProfileRecord.MacroSlot[0], expected, sizeof expected), 0);
    QTest::mouseClick(m_dlg->Button(CMouseConfigurationDlg::FrameButton::Apply), Qt::LeftButton);
    Deliver();
    const auto block = m_mouse.Memory().macroBlocks[0];
    EXPECT_EQ(std::vector<uint8_t>(block.begin(), block.begin() + sizeof expected),
              std::vector<uint8_t>(std::begin(expected), std::end(expected)));
}

} // namespace zentro::test
