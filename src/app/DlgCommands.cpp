// What the buttons of the main window do: Apply, Cancel, Reset, the title-bar buttons, the
// help menu, the panel headers and the assignment buttons.

#include "app/MouseConfigurationDlg.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>

#include <cstring>

#include "app/DeviceTransfer.h"
#include "app/TrayIcon.h"
#include "controls/BitmapBtn.h"
#include "controls/ExMenu.h"
#include "controls/WinMessage.h"
#include "device/DeviceLink.h"
#include "profile/ApplyProfile.h"
#include "profile/FactoryReset.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileRecord.h"
#include "settings/PointerSettings.h"
#include "text/LanguageTexts.h"
#include "controls/SkinKit.h"

namespace zentro {

namespace {

// Wait cursor for the lifetime of the object.
struct CWaitCursor {
    CWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CWaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

void CMouseConfigurationDlg::SendOffThread(const ProfileRecord& snapshot)
{
    m_bTransferring = true;
    m_nTransferDoneMs = 0;
    m_nTransferTotalMs = APPLY_TOTAL_WAIT_MS;
    update();
    bool delivered = false;
    CDeviceTransfer::Run([snapshot, &delivered] { delivered = SendProfileToDevice(snapshot); },
                         [this](uint64_t done, uint64_t total) {
                             m_nTransferDoneMs = done;
                             m_nTransferTotalMs = total;
                             update();
                             emit transferProgress(done, total);
                         });
    m_bTransferring = false;
    m_bTransferFailed = !delivered;
    update();
}

void CMouseConfigurationDlg::ReportFailedTransfer()
{
    // The profile was saved all the same; only the mouse is behind.
    if (!m_bTransferFailed || !m_services.ui.messageBox)
        return;
    m_bTransferFailed = false;
    m_services.ui.messageBox->Show(this, QString::fromStdString(ProgramText(IDP_NOT_RECEIVED)),
                                   UiText(IDS_MESSAGE_CAPTION), MessageBoxButtons::Ok);
}

void CMouseConfigurationDlg::OnApply()
{
    ClearButtonHighlight();
    if (m_bTransferring)
        return;
    {
        CWaitCursor wait;
        m_btnApply->setEnabled(false);
        // Sent on a worker while the window paints, then saved once and taken as the
        // applied copy; nothing happens without a mouse.
        m_bTransferFailed = false;
        if (ApplyAndSaveProfile([this](const ProfileRecord& s) { SendOffThread(s); }))
            ApplyPointerSettings();
        m_btnApply->setEnabled(true);
    }
    ReplayDeferredMessages();
    ReportFailedTransfer();
}

void CMouseConfigurationDlg::ApplyPointerSettings()
{
    const PointerSettingsValues values = ApplyWindowsPointerSettings();
    // Qt scrolls by lines only: a page per notch is left to the widgets' own page step.
    if (values.wheelScrollLines != WHEEL_PAGESCROLL && values.wheelScrollLines > 0)
        QApplication::setWheelScrollLines(static_cast<int>(values.wheelScrollLines));
    if (values.doubleClickTime > 0)
        QApplication::setDoubleClickInterval(static_cast<int>(values.doubleClickTime));
}

void CMouseConfigurationDlg::OnCancel()
{
    ClearButtonHighlight();
    g_ProfileRecord = g_AppliedProfileRecord;
    HideToTray();
}

void CMouseConfigurationDlg::OnReset()
{
    if (m_bTransferring || !m_services.ui.messageBox)
        return;
    const MessageBoxAnswer answer = m_services.ui.messageBox->Show(
        this, UiText(IDS_RESET_QUESTION), UiText(IDS_MESSAGE_CAPTION), MessageBoxButtons::OkCancel);
    if (answer != MessageBoxAnswer::Ok)
        return;
    {
        CWaitCursor wait;
        ClearButtonHighlight();
        m_btnApply->setEnabled(false);
        FactoryResetHooks hooks;
        hooks.sendToDevice = [this](const ProfileRecord& snapshot) { SendOffThread(snapshot); };
        hooks.applyPointerSettings = [this] { ApplyPointerSettings(); };
        m_bTransferFailed = false;
        FactoryReset(hooks);
        m_btnApply->setEnabled(true);

        // Panels and sections close, every part shows the reset record, the top view
        // returns. The reset saved what it applied; while the mouse is away nothing is saved,
        // so the profile's labels and settings on disk never disagree.
        RefreshFromRecord(true);
        ShowView(VIEW_TOP);
        // An open profile list closes unconfirmed; the panel headers come back (the panels
        // themselves stay closed).
        for (const auto& part : m_parts)
            part->OnDismissPopups();
    }
    ReplayDeferredMessages();
    ReportFailedTransfer();
}

void CMouseConfigurationDlg::OnMinimize()
{
    ClearButtonHighlight();
    showMinimized();
}

void CMouseConfigurationDlg::OnClose()
{
    ClearButtonHighlight();
    // A window that could never be found again ends instead of hiding: start-up stopped
    // early; no tray can show the icon (and a minimised window is lost where there is no
    // window manager or no taskbar); or no tray icon shows and nothing would announce the mouse.
    const bool trayIconShown = m_services.tray != nullptr && m_services.tray->IsAdded();
    if (!m_bInitCompleted || !HasTray() || (!m_bHotplugFollowed && !trayIconShown)) {
        EndDialog();
        return;
    }
    HideToTray();
}

void CMouseConfigurationDlg::OnHelp()
{
    ClearButtonHighlight();
    raise();
    activateWindow();
    CExMenu* menu = NewFrameMenu(m_pHelpMenu);
    QAction* web = menu->AddItem(ID_HELP_WEB, UiText(IDS_WEB_ADDRESS));
    connect(web, &QAction::triggered, this, &CMouseConfigurationDlg::OpenWebAddress);
    menu->AddItem(ID_HELP_VERSION, "Version:1.0");
    if (!HasTray()) {
        // Without a notification area the tray menu's Exit is out of reach; offer it here.
        AddExitItem(*menu);
    }
    menu->popup(QCursor::pos());
}

CExMenu* CMouseConfigurationDlg::NewFrameMenu(QPointer<QMenu>& slot)
{
    if (slot)
        slot->deleteLater();
    auto* menu = new CExMenu(&UiFont(13), this);
    menu->m_nItemWidth = 120;
    slot = menu;
    return menu;
}

void CMouseConfigurationDlg::AddExitItem(CExMenu& menu)
{
    QAction* exit = menu.AddItem(ID_MENU_EXIT, UiText(IDS_EXIT));
    connect(exit, &QAction::triggered, this, &CMouseConfigurationDlg::EndDialog);
}

void CMouseConfigurationDlg::OnConfig()
{
    ClearButtonHighlight();
    if (m_bLeftColumnCovered)
        return;
    for (const auto& part : m_parts)
        part->OnConfig();
}

} // namespace zentro
