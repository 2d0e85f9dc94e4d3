// The main window: start-up with and without the mouse, balloons, Apply, Cancel, Close,
// Reset, panels, keys, menus and hot-plug, driven through the window's pixel positions.

#include "support/MainWindowFixture.h"

#include "macros/ui/MacroManagerPart.h"

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

const QPoint APPLY(950, 619);
const QPoint CANCEL(888, 619);
const QPoint RESET(826, 619);
const QPoint CLOSE(986, 12);
const QPoint HELP(944, 12);
const QPoint ASSIGNMENT_HEADER(140, 117);

int AssignmentHeight()
{
    return GetSkinPictureSize(ResolveSkinPath("Skins/ButtonAssignment/BK_ButtonAssignment.png"))
        .height();
}

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

std::vector<uint8_t> ReadFileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    return std::vector<uint8_t>(data.begin(), data.end());
}

using MainWindowStart = MainWindowFixture;

TEST_F(MainWindowStart, WithMouseShowsSkinSizedWindowTrayAndProfileValues)
{
    CreateWindow();
    const QSize skin = GetSkinPictureSize(ResolveSkinPath("Skins/main.png"));
    ASSERT_FALSE(skin.isEmpty());
    EXPECT_TRUE(m_dlg->isVisible());
    EXPECT_EQ(m_dlg->size(), skin);
    EXPECT_EQ(m_dlg->pos(), QPoint(0, 0));
    EXPECT_EQ(m_dlg->windowTitle(), "ZENTRO gaming mouse");
    EXPECT_TRUE(m_tray.IsAdded());
    EXPECT_EQ(m_tray.toolTip, "ZENTRO gaming mouse");
    EXPECT_EQ(m_tray.toolTip, UiText(6));
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(Assignment()->m_btnAssignment[i]->GetCaption().toStdString(),
                  g_strButtonLabel[i]);
    EXPECT_FALSE(g_strButtonLabel[0].empty());
    const int x = g_ProfileRecord.SensitivityX, y = g_ProfileRecord.SensitivityY;
    EXPECT_EQ(Sensitivity()->m_markerX->GetPos(), x >= 1 && x <= 11 ? x : 1);
    EXPECT_EQ(Sensitivity()->m_markerY->GetPos(), y >= 1 && y <= 11 ? y : 1);
    // Start-up sends only the connect exchange (firmware version, option read and write) and sets
    // the pointer settings once.
    EXPECT_EQ(PacketCodes(), (std::vector<uint8_t>{0x80, 0x83, 0x03}));
    EXPECT_EQ(m_pointer.calls.size(), 4u);
    // Panels collapsed, top view selected, Back hidden, assignment buttons and markers hidden.
    EXPECT_TRUE(Assignment()->IsCollapsed());
    EXPECT_TRUE(Sensitivity()->IsCollapsed());
    EXPECT_EQ(m_dlg->Button(CMouseConfigurationDlg::FrameButton::TopView)->m_bSelected, 1);
    EXPECT_FALSE(m_dlg->Button(CMouseConfigurationDlg::FrameButton::BackView)->isVisible());
    for (CBitmapBtn* b : Assignment()->m_btnAssignment)
        EXPECT_FALSE(b->isVisible());
    EXPECT_FALSE(Sensitivity()->m_markerX->isVisible());
    EXPECT_EQ(m_dlg->Button(CMouseConfigurationDlg::FrameButton::Apply)->geometry(),
              RectLTRB(923, 604, 980, 634));
    EXPECT_EQ(m_dlg->Button(CMouseConfigurationDlg::FrameButton::Apply)->GetCaption(), "Apply");
    EXPECT_EQ(m_dlg->Button(CMouseConfigurationDlg::FrameButton::Config)->m_nCaptionIndent, 20);
    // The page column in its skinned scroll frame: the bar takes the right 13 pixels.
    ASSERT_NE(m_dlg->findChild<QWidget*>("SkinScrollBarFrame"), nullptr);
    EXPECT_EQ(m_dlg->findChild<QWidget*>("SkinScrollBarFrame")->geometry(),
              QRect(735, 32, 260, 561));
    ASSERT_NE(m_dlg->findChild<QWidget*>("PageContainer"), nullptr);
    EXPECT_EQ(m_dlg->findChild<QWidget*>("PageContainer")->geometry(), QRect(0, 0, 247, 561));
}

TEST_F(MainWindowStart, WithoutMouseStaysHiddenUntilPluggedAndRestored)
{
    CreateWindow(false);
    EXPECT_FALSE(m_dlg->isVisible());
    EXPECT_FALSE(m_tray.IsAdded());
    EXPECT_EQ(g_bDeviceConnected.load(), 0);

    m_tray.DoubleClick(); // no icon, nothing to click
    Deliver();
    EXPECT_FALSE(m_dlg->isVisible());

    m_mouse.Plug();
    Deliver();
    EXPECT_TRUE(m_tray.IsAdded());
    ASSERT_FALSE(m_tray.balloons.empty());
    EXPECT_EQ(m_tray.balloons.front().text, "The system detect ZENTRO gaming mouse.");
    EXPECT_EQ(m_tray.balloons.front().title, "Info");
    // Long enough to be read: the desktop takes the time as the expiry.
    EXPECT_GE(m_tray.balloons.front().timeoutMs, 5000);
    EXPECT_FALSE(m_dlg->isVisible());

    m_tray.DoubleClick();
    Deliver();
    ASSERT_TRUE(m_dlg->isVisible());
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(m_dlg->geometry().center().x(), area.center().x()) << "centred";
    EXPECT_NEAR(m_dlg->geometry().center().y(), area.center().y(), 1);
}

TEST_F(MainWindowStart, UnplugHidesWindowAndRemovesIcon)
{
    CreateWindow();
    m_mouse.Unplug();
    Deliver();
    EXPECT_FALSE(m_dlg->isVisible());
    EXPECT_FALSE(m_tray.IsAdded());
    EXPECT_EQ(g_bDeviceConnected.load(), 0);
    m_tray.DoubleClick();
    Deliver();
    EXPECT_FALSE(m_dlg->isVisible());
}

using MainWindowBalloons = MainWindowFixture;

TEST_F(MainWindowBalloons, DpiStageEventsQueryAsTheMouseExpects)
{
    CreateWindow();
    struct Case {
        int stage;
        std::vector<uint8_t> queries;
    };
    const std::vector<Case> cases = {
        {1, {0x82, 0x8C}}, {2, {0x82, 0x8C}}, {3, {}},           {4, {0x8C}},
        {5, {0x82, 0x8C}}, {6, {0x82, 0x8C}}, {7, {0x82, 0x8C}},
    };
    for (const Case& c : cases) {
        for (int code : {1, 2, 3}) {
            ClearPackets();
            m_tray.balloons.clear();
            PostWinMessage(m_dlg.get(), WM_DEVICE_EVENT, code, c.stage);
            Deliver();
            EXPECT_EQ(PacketCodes(), c.queries) << "stage " << c.stage;
            ASSERT_EQ(m_tray.balloons.size(), 1u);
            EXPECT_EQ(m_tray.balloons[0].text,
                      UiText(533 + c.stage) +
                          FormatDpiLabel(g_AppliedProfileRecord.DPIValue[c.stage - 1]));
            EXPECT_EQ(m_tray.balloons[0].timeoutMs, 5000);
        }
    }
}

TEST_F(MainWindowBalloons, ThirdStageShowsAppliedValueWithoutQuery)
{
    CreateWindow();
    g_AppliedProfileRecord.DPIValue[2] = 19;
    g_ProfileRecord.DPIValue[2] = 5; // the live record is not what the balloon reports
    ClearPackets();
    PostWinMessage(m_dlg.get(), WM_DEVICE_EVENT, 1, 3);
    Deliver();
    ASSERT_EQ(m_tray.balloons.size(), 1u);
    EXPECT_EQ(m_tray.balloons[0].text, "Switch DPI into the third stage 2000");
    EXPECT_TRUE(PacketCodes().empty());
}

TEST_F(MainWindowBalloons, MacroKeyAndIgnoredEvents)
{
    CreateWindow();
    PostWinMessage(m_dlg.get(), WM_DEVICE_EVENT, 9, 2);
    Deliver();
    ASSERT_EQ(m_tray.balloons.size(), 1u);
    EXPECT_EQ(m_tray.balloons[0].text, UiText(545) + "2");
    EXPECT_EQ(m_tray.balloons[0].text, "Switch to macro key2");

    m_tray.balloons.clear();
    ClearPackets();
    for (auto [code, value] :
         std::vector<std::pair<int, int>>{{1, 0}, {2, 8}, {9, 0}, {4, 1}, {0, 3}}) {
        PostWinMessage(m_dlg.get(), WM_DEVICE_EVENT, code, value);
        Deliver();
    }
    EXPECT_TRUE(m_tray.balloons.empty());
    EXPECT_TRUE(PacketCodes().empty());
}

TEST_F(MainWindowBalloons, DpiButtonOfTheMouseReachesTheTray)
{
    CreateWindow();
    m_mouse.PressDpiButton(3);
    // The reader thread posts the event; wait for it (bounded, not a timed expectation).
    EXPECT_TRUE(QTest::qWaitFor([&] {
        QCoreApplication::sendPostedEvents();
        return !m_tray.balloons.empty();
    }));
    ASSERT_FALSE(m_tray.balloons.empty());
    EXPECT_EQ(m_tray.balloons[0].text,
              UiText(536) + FormatDpiLabel(g_AppliedProfileRecord.DPIValue[2]));
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
    const std::vector<uint8_t> file = ReadFileBytes(ProgramDir() + "config0.bin");
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
    const std::vector<uint8_t> file = ReadFileBytes(ProgramDir() + "config0.bin");
    ASSERT_EQ(file.size(), SETTINGS_FILE_SIZE);
    EXPECT_EQ(std::memcmp(file.data() + 1, &g_ProfileRecord, PROFILE_RECORD_SIZE), 0);
    EXPECT_EQ(std::memcmp(&g_AppliedProfileRecord, &g_ProfileRecord, PROFILE_RECORD_SIZE), 0);
    EXPECT_EQ(m_pointer.calls.size(), 4u);
}

TEST_F(MainWindowCommands, ApplyWithoutMouseChangesNothing)
{
    CreateWindow(false);
    m_dlg->show();
    const auto before = ReadFileBytes(ProgramDir() + "config0.bin");
    g_ProfileRecord.SensitivityX = 9;
    ClickAt(APPLY);
    EXPECT_EQ(ReadFileBytes(ProgramDir() + "config0.bin"), before);
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

using MainWindowLayout = MainWindowFixture;

TEST_F(MainWindowLayout, AssignmentPanelMovesHeadersByItsPictureHeight)
{
    CreateWindow();
    const int h = AssignmentHeight();
    ASSERT_GT(h, 0);
    ClickAt(ASSIGNMENT_HEADER);
    EXPECT_FALSE(Assignment()->IsCollapsed());
    EXPECT_EQ(m_dlg->Part<CMacroManagerPart>()->m_btnMacroHeader->geometry(),
              RectLTRB(20, 132 + h, 262, 170 + h));
    EXPECT_EQ(Sensitivity()->m_btnSensitivityHeader->geometry(),
              RectLTRB(20, 175 + h, 262, 195 + h));
    // Top-view list: indices 0-6 shown, "Button 4" row holds index 5.
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(Assignment()->m_btnAssignment[i]->isVisible(), i <= 6) << i;
    EXPECT_EQ(Assignment()->m_btnAssignment[5]->geometry(), RectLTRB(120, 214, 250, 230));
    EXPECT_EQ(UiText(31), "Button 4");

    m_dlg->ShowView(2);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(Assignment()->m_btnAssignment[i]->isVisible(), i >= 7) << i;
    EXPECT_EQ(Assignment()->m_btnAssignment[11]->geometry(), RectLTRB(120, 154, 250, 170));
    EXPECT_EQ(Sensitivity()->m_btnSensitivityHeader->geometry(),
              RectLTRB(20, 175 + h, 262, 195 + h));

    ClickAt(ASSIGNMENT_HEADER);
    EXPECT_EQ(m_dlg->Part<CMacroManagerPart>()->m_btnMacroHeader->geometry(),
              RectLTRB(20, 132, 262, 170));
    for (CBitmapBtn* b : Assignment()->m_btnAssignment)
        EXPECT_FALSE(b->isVisible());
}

TEST_F(MainWindowLayout, MarkersSitBelowTheSensitivityHeader)
{
    CreateWindow();
    const int h = AssignmentHeight();
    Sensitivity()->SetSensitivityPanel(0);
    EXPECT_TRUE(Sensitivity()->m_markerX->isVisible());
    EXPECT_EQ(Sensitivity()->m_markerX->geometry(), RectLTRB(37, 235, 245, 244));
    EXPECT_EQ(Sensitivity()->m_markerY->geometry(), RectLTRB(37, 295, 245, 304));
    EXPECT_EQ(Sensitivity()->m_markerX->m_rcMarker, Sensitivity()->m_markerX->geometry());

    Assignment()->SetAssignmentPanel(0);
    const int header = Sensitivity()->m_btnSensitivityHeader->geometry().top();
    EXPECT_EQ(header, 175 + h);
    EXPECT_EQ(Sensitivity()->m_markerX->geometry().top(), 195 + h + 40);
    EXPECT_EQ(Sensitivity()->m_markerY->geometry().top(), 195 + h + 100);

    Sensitivity()->SetSensitivityPanel(1);
    EXPECT_FALSE(Sensitivity()->m_markerX->isVisible());
    EXPECT_FALSE(Sensitivity()->m_markerY->isVisible());
}

TEST_F(MainWindowLayout, MarkerReleaseStoresSensitivity)
{
    CreateWindow();
    Sensitivity()->SetSensitivityPanel(0);
    CDMarker* x = Sensitivity()->m_markerX;
    QTest::mouseClick(x, Qt::LeftButton, Qt::NoModifier, QPoint(x->width() - 1, 4));
    Deliver();
    EXPECT_EQ(g_ProfileRecord.SensitivityX, 10); // (11 - 1) * 207 / 208 + 1
    CDMarker* y = Sensitivity()->m_markerY;
    QTest::mouseClick(y, Qt::LeftButton, Qt::NoModifier, QPoint(0, 4));
    Deliver();
    EXPECT_EQ(g_ProfileRecord.SensitivityY, 1);
    EXPECT_EQ(PacketCodes(), (std::vector<uint8_t>{0x80, 0x83, 0x03})) << "nothing sent";
}

TEST_F(MainWindowLayout, DraggingTheBackgroundMovesTheWindow)
{
    CreateWindow();
    m_dlg->move(100, 100);
    const QPoint start(500, 600); // the band below the mouse: background only
    ASSERT_EQ(m_dlg->childAt(start), nullptr);
    QTest::mousePress(m_dlg.get(), Qt::LeftButton, Qt::NoModifier, start);
    QMouseEvent move(QEvent::MouseMove, QPointF(start + QPoint(30, 20)),
                     QPointF(m_dlg->mapToGlobal(start + QPoint(30, 20))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_dlg.get(), &move);
    QTest::mouseRelease(m_dlg.get(), Qt::LeftButton, Qt::NoModifier, start + QPoint(30, 20));
    EXPECT_EQ(m_dlg->pos(), QPoint(130, 120));
    // Moving without the button held does not drag.
    QMouseEvent hover(QEvent::MouseMove, QPointF(start), QPointF(m_dlg->mapToGlobal(start)),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(m_dlg.get(), &hover);
    EXPECT_EQ(m_dlg->pos(), QPoint(130, 120));
}

TEST_F(MainWindowLayout, AssignmentButtonHighlightsAndClearsOnBackground)
{
    CreateWindow();
    ClickAt(ASSIGNMENT_HEADER);
    ClickAt(QPoint(185, 222)); // row 4 of the top view: index 5
    EXPECT_EQ(g_nHighlightedButton, 5);
    EXPECT_EQ(Assignment()->m_btnAssignment[5]->m_bSelected, 1);
    ClickAt(QPoint(600, 300)); // background
    EXPECT_EQ(g_nHighlightedButton, -1);
    EXPECT_EQ(Assignment()->m_btnAssignment[5]->m_bSelected, 0);
}

using MainWindowInput = MainWindowFixture;

TEST_F(MainWindowInput, EnterEscapeSpaceF1ChangeNothing)
{
    CreateWindow();
    const ProfileRecord before = g_ProfileRecord;
    for (QWidget* target :
         {static_cast<QWidget*>(m_dlg.get()),
          static_cast<QWidget*>(m_dlg->Button(CMouseConfigurationDlg::FrameButton::Cancel)),
          static_cast<QWidget*>(m_dlg->Button(CMouseConfigurationDlg::FrameButton::Apply))}) {
        target->setFocus();
        for (Qt::Key key :
             {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Space, Qt::Key_F1}) {
            QTest::keyClick(target, key);
            Deliver();
        }
    }
    EXPECT_TRUE(m_dlg->isVisible());
    EXPECT_EQ(m_dlg->result(), 0);
    EXPECT_TRUE(m_dlg->HelpMenu() == nullptr);
    EXPECT_EQ(std::memcmp(&g_ProfileRecord, &before, sizeof before), 0);
    EXPECT_EQ(PacketCodes(), (std::vector<uint8_t>{0x80, 0x83, 0x03}));
}

TEST_F(MainWindowInput, HelpMenuHoldsWebAddressAndVersion)
{
    CreateWindow();
    // The address entry is empty in every language; give it one to see it opened.
    g_strUiText[IDS_WEB_ADDRESS] = "https://example.invalid/zentro";
    ClickAt(HELP);
    ASSERT_FALSE(m_dlg->HelpMenu() == nullptr);
    const auto actions = m_dlg->HelpMenu()->actions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(actions[0]->text(), UiText(IDS_WEB_ADDRESS));
    EXPECT_EQ(actions[1]->text(), "Version:1.0");
    actions[1]->trigger();
    Deliver();
    EXPECT_TRUE(m_services.urlOpener.opened.empty());
    actions[0]->trigger();
    Deliver();
    EXPECT_EQ(m_services.urlOpener.opened,
              std::vector<QString>{QStringLiteral("https://example.invalid/zentro")});
}

TEST_F(MainWindowInput, TrayExitEndsTheDialogAndRemovesTheIcon)
{
    CreateWindow();
    QSignalSpy ended(m_dlg.get(), &CMouseConfigurationDlg::dialogEnded);
    m_tray.ContextMenu(QPoint(10, 10));
    Deliver();
    ASSERT_FALSE(m_dlg->TrayMenu() == nullptr);
    const auto actions = m_dlg->TrayMenu()->actions();
    ASSERT_EQ(actions.size(), 1);
    EXPECT_EQ(actions[0]->text(), "Exit");
    actions[0]->trigger();
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(m_tray.IsAdded());
    EXPECT_FALSE(m_dlg->isVisible());
}

TEST_F(MainWindowInput, WithoutNotificationAreaWindowStaysReachable)
{
    m_tray.available = false;
    CreateWindow();
    QSignalSpy ended(m_dlg.get(), &CMouseConfigurationDlg::dialogEnded);
    ClickAt(CANCEL);
    EXPECT_TRUE(m_dlg->isVisible()) << "kept on the taskbar";
    EXPECT_TRUE(m_dlg->isMinimized());
    EXPECT_EQ(ended.count(), 0);
    ClickAt(HELP);
    ASSERT_FALSE(m_dlg->HelpMenu() == nullptr);
    ASSERT_EQ(m_dlg->HelpMenu()->actions().size(), 3);
    EXPECT_EQ(m_dlg->HelpMenu()->actions()[2]->text(), "Exit");

    // A mouse plugged in again brings the window back, as no icon can announce it.
    m_dlg->hide();
    m_mouse.Unplug();
    Deliver();
    m_mouse.Plug();
    Deliver();
    EXPECT_TRUE(m_dlg->isVisible());

    // The close box ends the program: nothing could show where a hidden window went.
    ClickAt(CLOSE);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(m_dlg->isVisible());
}

} // namespace
} // namespace zentro::test
