// Apply, Cancel, Close and Reset of the main window: what reaches the mouse, the files and
// the desktop's pointer settings, and that the window keeps painting during a transfer.

#include "support/MainWindowFixture.h"
#include "support/FileContents.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <numeric>
#include <regex>

#include "app/DeviceTransfer.h"
#include "controls/BitmapBtn.h"
#include "controls/SkinKit.h"
#include "controls/SkinImage.h"
#include "controls/WinMessage.h"
#include "device/DeviceLink.h"
#include "profile/ApplyProfile.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileRecord.h"
#include "settings/ui/DMarker.h"
#include "text/LanguageTexts.h"

namespace zentro::test {
namespace {

uint64_t SleptInTrace(const std::string& trace)
{
    uint64_t total = 0;
    std::regex sleep("sleep ([0-9]+)");
    for (auto it = std::sregex_iterator(trace.begin(), trace.end(), sleep);
         it != std::sregex_iterator(); ++it)
        total += std::stoul((*it)[1]);
    return total;
}

size_t CountLines(const std::string& trace, const std::string& prefix)
{
    size_t n = 0;
    std::istringstream in(trace);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(prefix, 0) == 0)
            ++n;
    return n;
}

using MainWindowCommands = MainWindowFixture;

TEST_F(MainWindowCommands, CancelRestoresAppliedCopyAndHides)
{
    CreateWindow();
    const ProfileRecord applied = g_AppliedProfileRecord;
    g_ProfileRecord.SensitivityX = applied.SensitivityX == 7 ? 8 : 7;
    g_ProfileRecord.DPIValue[0] = 33;
    ClickAt(CANCEL);
    EXPECT_EQ(std::memcmp(&g_ProfileRecord, &applied, sizeof applied), 0);
    EXPECT_FALSE(m_dlg->isVisible());
    EXPECT_TRUE(m_tray.IsAdded());
    EXPECT_EQ(PacketCodes(), (std::vector<uint8_t>{0x80, 0x83, 0x03})) << "nothing sent";
}

TEST_F(MainWindowCommands, CloseKeepsEditsAndLaterApplySendsThem)
{
    CreateWindow();
    g_ProfileRecord.SensitivityX = 7;
    g_ProfileRecord.SensitivityY = 3;
    ClickAt(CLOSE);
    EXPECT_FALSE(m_dlg->isVisible());
    EXPECT_EQ(g_ProfileRecord.SensitivityX, 7);

    m_tray.DoubleClick();
    Deliver();
    ASSERT_TRUE(m_dlg->isVisible());
    EXPECT_EQ(Sensitivity()->m_markerX->GetPos(), 7);
    ClearTrace();
    ClickAt(APPLY);
    EXPECT_EQ(m_mouse.Memory().axisSensitivity, (std::array<uint8_t, 2>{140, 60}));
    EXPECT_NE(Trace().find("set-feature 00 0e 8c 3c"), std::string::npos) << Trace();
    const std::vector<uint8_t> file = ReadFileBytes(ProgramFile("config0.bin"));
    ASSERT_EQ(file.size(), SETTINGS_FILE_SIZE);
    EXPECT_EQ(file[1 + 54], 7);
    EXPECT_EQ(file[1 + 55], 3);
    EXPECT_EQ(g_AppliedProfileRecord.SensitivityX, 7);
}

// Holds the first wait of the transfer until the window has painted while it runs.
class CGateSleeper final : public ISleeper {
public:
    explicit CGateSleeper(ISleeper& inner) : m_inner(inner) {}
    void Sleep(uint32_t ms) override
    {
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            // Bounded only so that a broken window cannot hang the suite.
            m_cv.wait_for(lock, std::chrono::seconds(20), [this] { return m_open; });
        }
        m_inner.Sleep(ms);
    }
    void Open()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_open = true;
        m_cv.notify_all();
    }

private:
    ISleeper& m_inner;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_open = false;
};

class CPaintWatcher : public QObject {
public:
    CPaintWatcher(CMouseConfigurationDlg* dlg, CGateSleeper& gate) : m_dlg(dlg), m_gate(gate) {}
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o == m_dlg && e->type() == QEvent::Paint && m_dlg->IsTransferring()) {
            ++paintsDuringTransfer;
            m_gate.Open();
        }
        return false;
    }
    int paintsDuringTransfer = 0;

private:
    CMouseConfigurationDlg* m_dlg;
    CGateSleeper& m_gate;
};

TEST_F(MainWindowCommands, ApplySendsWholeProfileWhileWindowKeepsPainting)
{
    CreateWindow();
    CGateSleeper gate(*m_sleeper);
    SetSleeper(&gate);
    CPaintWatcher watcher(m_dlg.get(), gate);
    m_dlg->installEventFilter(&watcher);
    g_ProfileRecord.DPIValue[1] = 30;
    ClearTrace();
    ClearPackets();
    m_pointer.calls.clear();

    bool cancelRan = false;
    bool applyDisabled = false;
    bool sawWaitCursor = false;
    QTimer::singleShot(0, m_dlg.get(), [&] {
        // Runs inside the transfer: input is ignored, a device event waits for the end.
        applyDisabled = !m_dlg->Button(CMouseConfigurationDlg::FrameButton::Apply)->isEnabled();
        sawWaitCursor = QGuiApplication::overrideCursor() != nullptr &&
                        QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
        QTest::mouseClick(m_dlg->Button(CMouseConfigurationDlg::FrameButton::Cancel),
                          Qt::LeftButton);
        QTest::keyClick(m_dlg.get(), Qt::Key_A);
        cancelRan = !m_dlg->isVisible();
        PostWinMessage(m_dlg.get(), WM_DEVICE_EVENT, 1, 1);
    });
    ClickAt(APPLY);
    m_dlg->removeEventFilter(&watcher);
    SetSleeper(m_sleeper.get());

    EXPECT_GT(watcher.paintsDuringTransfer, 0);
    EXPECT_TRUE(applyDisabled);
    EXPECT_TRUE(sawWaitCursor);
    EXPECT_FALSE(cancelRan);
    EXPECT_TRUE(m_dlg->isVisible());
    EXPECT_TRUE(m_dlg->Button(CMouseConfigurationDlg::FrameButton::Apply)->isEnabled());
    EXPECT_FALSE(m_dlg->IsTransferring());
    EXPECT_EQ(m_dlg->TransferProgressMs(), APPLY_TOTAL_WAIT_MS);

    const std::string trace = Trace();
    // The waits of the apply itself end with the lighting command; the deferred device event
    // adds its own afterwards.
    const std::string applyPart = trace.substr(0, trace.find("set-feature 00 0d"));
    EXPECT_EQ(SleptInTrace(applyPart), 6800u) << trace;
    EXPECT_EQ(CountLines(trace, "write "), 1u + 1u + 4 * 2 + 12 * 4);
    const SimulatedMouseMemory memory = m_mouse.Memory();
    EXPECT_EQ(memory.dpiStages, BuildDpiBlock(g_ProfileRecord));
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(std::memcmp(memory.buttonBlocks[i].data(),
                              BuildButtonTable(g_ProfileRecord).data(), 64),
                  0)
            << "block " << i << " carries the same table";
    // The deferred device event ran after the apply: its queries follow the lighting command.
    const std::vector<uint8_t> codes = PacketCodes();
    ASSERT_GE(codes.size(), 3u);
    EXPECT_EQ(std::vector<uint8_t>(codes.end() - 3, codes.end()),
              (std::vector<uint8_t>{0x0D, 0x82, 0x8C}));
    EXPECT_EQ(m_tray.balloons.size(), 1u);

    // Saved and taken as the applied copy, then the pointer settings.
    const std::vector<uint8_t> file = ReadFileBytes(ProgramFile("config0.bin"));
    ASSERT_EQ(file.size(), SETTINGS_FILE_SIZE);
    EXPECT_EQ(std::memcmp(file.data() + 1, &g_ProfileRecord, PROFILE_RECORD_SIZE), 0);
    EXPECT_EQ(std::memcmp(&g_AppliedProfileRecord, &g_ProfileRecord, PROFILE_RECORD_SIZE), 0);
    EXPECT_EQ(m_pointer.calls.size(), 4u);
}

TEST_F(MainWindowCommands, ApplyWithoutMouseChangesNothing)
{
    CreateWindow(false);
    m_dlg->show();
    const auto before = ReadFileBytes(ProgramFile("config0.bin"));
    g_ProfileRecord.SensitivityX = 9;
    ClickAt(APPLY);
    EXPECT_EQ(ReadFileBytes(ProgramFile("config0.bin")), before);
    EXPECT_NE(g_AppliedProfileRecord.SensitivityX, 9);
    EXPECT_TRUE(Trace().find("write") == std::string::npos);
}

TEST_F(MainWindowCommands, PointerSettingsFollowTheAppliedRecord)
{
    CreateWindow();
    struct Case {
        uint8_t precision, speed, oneScreen, lines, doubleClick;
        std::vector<CRecordingPointerSettings::Call> expected;
    };
    const std::vector<Case> cases = {
        {0xFF,
         6,
         0,
         3,
         6,
         {{"SetMouse", {0, 0, 0}},
          {"SetMouseSpeed", {10}},
          {"SetWheelScrollLines", {3}},
          {"SetDoubleClickTime", {550}}}},
        {1,
         1,
         1,
         3,
         1,
         {{"SetMouse", {6, 10, 1}},
          {"SetMouseSpeed", {1}},
          {"SetWheelScrollLines", {int64_t(WHEEL_PAGESCROLL)}},
          {"SetDoubleClickTime", {900}}}},
        {0,
         11,
         0,
         100,
         11,
         {{"SetMouse", {0, 0, 0}},
          {"SetMouseSpeed", {20}},
          {"SetWheelScrollLines", {100}},
          {"SetDoubleClickTime", {200}}}},
    };
    for (const Case& c : cases) {
        g_ProfileRecord.EnhancePrecision = c.precision;
        g_ProfileRecord.PointerSpeed = c.speed;
        g_ProfileRecord.ScrollOneScreen = c.oneScreen;
        g_ProfileRecord.WheelLines = c.lines;
        g_ProfileRecord.DoubleClickSpeed = c.doubleClick;
        m_pointer.calls.clear();
        const int linesBefore = QApplication::wheelScrollLines();
        ClickAt(APPLY);
        EXPECT_EQ(m_pointer.calls, c.expected) << int(c.speed);
        // The program's own widgets follow the same wheel lines and double-click time; a page
        // per notch leaves their line count alone.
        const int64_t lines = c.expected[2].values[0];
        EXPECT_EQ(QApplication::wheelScrollLines(),
                  lines == int64_t(WHEEL_PAGESCROLL) ? linesBefore : int(lines));
        EXPECT_EQ(QApplication::doubleClickInterval(), int(c.expected[3].values[0]));
    }
}

TEST_F(MainWindowCommands, ResetAsksFirstAndCancelDoesNothing)
{
    CreateWindow();
    g_ProfileRecord.SensitivityX = 9;
    const ProfileRecord before = g_ProfileRecord;
    ClearPackets();
    m_messageBox.answers = {MessageBoxAnswer::Cancel};
    ClickAt(RESET);
    ASSERT_EQ(m_messageBox.asked.size(), 1u);
    EXPECT_EQ(m_messageBox.asked[0].text, "Reset to factory default?");
    EXPECT_EQ(m_messageBox.asked[0].caption, "ATTENTION!!");
    EXPECT_EQ(m_messageBox.asked[0].buttons, MessageBoxButtons::OkCancel);
    EXPECT_EQ(std::memcmp(&g_ProfileRecord, &before, sizeof before), 0);
    EXPECT_TRUE(PacketCodes().empty());
}

TEST_F(MainWindowCommands, ResetOkRestoresDefaultsSendsAndRefreshes)
{
    CreateWindow();
    ProfileRecord expected = g_ProfileRecord;
    LoadDefaults(expected);
    g_ProfileRecord.SensitivityX = expected.SensitivityX == 9 ? 4 : 9;
    g_ProfileRecord.MacroSlot[3][0] = 0x5A; // macros survive a reset
    ClickAt(ASSIGNMENT_HEADER);
    ClearPackets();
    m_messageBox.answers = {MessageBoxAnswer::Ok};
    ClickAt(RESET);
    EXPECT_EQ(g_ProfileRecord.SensitivityX, expected.SensitivityX);
    EXPECT_EQ(g_ProfileRecord.MacroSlot[3][0], 0x5A);
    EXPECT_TRUE(Assignment()->IsCollapsed());
    EXPECT_EQ(Sensitivity()->m_markerX->GetPos(),
              expected.SensitivityX >= 1 && expected.SensitivityX <= 11 ? expected.SensitivityX
                                                                        : 1);
    const std::vector<uint8_t> codes = PacketCodes();
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.front(), 0x01);
    EXPECT_EQ(codes.back(), 0x0D);
    EXPECT_TRUE(m_dlg->Button(CMouseConfigurationDlg::FrameButton::Apply)->isEnabled());
}

} // namespace
} // namespace zentro::test
