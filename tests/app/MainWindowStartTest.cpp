// The main window's start-up with and without the mouse, hot-plug, and the device events'
// balloons, driven through the window's pixel positions.

#include "support/MainWindowFixture.h"

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

} // namespace
} // namespace zentro::test
