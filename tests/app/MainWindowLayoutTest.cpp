// The main window's panels, markers, dragging, keys and menus, driven through its pixel
// positions.

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

using MainWindowLayout = MainWindowFixture;

TEST_F(MainWindowLayout, AssignmentPanelMovesHeadersByItsPictureHeight)
{
    CreateWindow();
    const int h = AssignmentPanelHeight();
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
    const int h = AssignmentPanelHeight();
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
