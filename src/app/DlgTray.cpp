// The tray icon of the main window, hiding into it and restoring from it.

#include "app/MouseConfigurationDlg.h"

#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

#include "app/TrayIcon.h"
#include "controls/BitmapBtn.h"
#include "controls/ExMenu.h"
#include "controls/WinMessage.h"
#include "device/DeviceLink.h"
#include "controls/SkinKit.h"

namespace zentro {

bool CMouseConfigurationDlg::HasTray() const
{
    return m_services.tray != nullptr && m_services.tray->IsSystemTrayAvailable();
}

void CMouseConfigurationDlg::AddTrayIcon()
{
    if (!m_services.tray)
        return;
    QPointer<CMouseConfigurationDlg> self(this);
    // Tray clicks arrive as WM_TRAY_NOTIFY, like every other message of the window.
    m_services.tray->onDoubleClick = [self] {
        PostWinMessage(self.data(), WM_TRAY_NOTIFY, TRAY_ICON_ID, WM_LBUTTONDBLCLK);
    };
    m_services.tray->onContextMenu = [self](const QPoint&) {
        PostWinMessage(self.data(), WM_TRAY_NOTIFY, TRAY_ICON_ID, WM_RBUTTONUP);
    };
    m_services.tray->Add(m_hIcon, UiText(IDS_APP_TITLE));
}

void CMouseConfigurationDlg::DeleteTrayIcon()
{
    if (m_services.tray)
        m_services.tray->Delete();
}

void CMouseConfigurationDlg::HideToTray()
{
    if (!HasTray()) {
        // No notification area: a hidden window could never be found again. Keep it on the
        // taskbar instead; starting the program again also brings it back.
        showMinimized();
        return;
    }
    hide();
}

void CMouseConfigurationDlg::RestoreFromTray()
{
    // 1.
    const QSize size = m_sizeSkin.isEmpty() ? this->size() : m_sizeSkin;
    move(0, 0);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + (area.width() - size.width()) / 2,
             area.top() + (area.height() - size.height()) / 2);
    }
    // 2.-4. Panels and sections closed, every part showing the live record.
    RefreshFromRecord(true);
    // 5.
    ShowAndActivate();
}

void CMouseConfigurationDlg::OnTrayNotify(uintptr_t id, intptr_t mouseMessage)
{
    if (id != TRAY_ICON_ID)
        return;
    if (mouseMessage == WM_LBUTTONDBLCLK) {
        if (g_bDeviceConnected)
            RestoreFromTray();
    } else if (mouseMessage == WM_RBUTTONUP) {
        ShowTrayMenu(QCursor::pos());
    }
}

void CMouseConfigurationDlg::ShowTrayMenu(const QPoint& globalPos)
{
    raise();
    // Where the desktop hosts the tray (StatusNotifierItem) it shows its own menu; this one
    // is shown where Qt draws it. Its width is the help menu's: the item needs room.
    CExMenu* menu = NewFrameMenu(m_pTrayMenu);
    AddExitItem(*menu);
    menu->popup(globalPos);
}

} // namespace zentro
