// What the buttons of the main window do: Apply, Cancel, Reset, the title-bar buttons, the
// help menu, the panel headers and the assignment buttons.

#include "app/MouseConfigurationDlg.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>

#include <cstring>

#include "app/DeviceTransfer.h"
#include "app/MessageBox.h"
#include "app/TrayIcon.h"
#include "controls/BitmapBtn.h"
#include "controls/WinMessage.h"
#include "device/DeviceLink.h"
#include "profile/ApplyProfile.h"
#include "profile/FactoryReset.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileRecord.h"
#include "settings/PointerSettings.h"
#include "settings/ui/DMarker.h"

namespace zentro {

namespace {

const QRect MOUSE_PICTURE_AREA = RectLTRB(262, 32, 734, 450);

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
    CDeviceTransfer::Run([snapshot] { SendProfileToDevice(snapshot); },
                         [this](uint64_t done, uint64_t total) {
                             m_nTransferDoneMs = done;
                             m_nTransferTotalMs = total;
                             update();
                             emit transferProgress(done, total);
                         });
    m_bTransferring = false;
    update();
}

void CMouseConfigurationDlg::OnApply()
{
    ClearButtonHighlight();
    if (m_bTransferring)
        return;
    {
        CWaitCursor wait;
        m_btnApply->setEnabled(false);
        if (g_bDeviceConnected) {
            const ProfileRecord snapshot = BeginApplyProfile();
            SendOffThread(snapshot);
            SaveAppliedProfile();
            SaveProfileSettings();
            SaveButtonLabels();
            g_AppliedProfileRecord = g_ProfileRecord;
            ApplyPointerSettings();
        }
        m_btnApply->setEnabled(true);
    }
    ReplayDeferredMessages();
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
    if (m_bTransferring || !m_services.messageBox)
        return;
    const MessageBoxAnswer answer =
        m_services.messageBox->Show(this, UiText(577), UiText(578), MessageBoxButtons::OkCancel);
    if (answer != MessageBoxAnswer::Ok)
        return;
    {
        CWaitCursor wait;
        ClearButtonHighlight();
        m_btnApply->setEnabled(false);
        FactoryResetHooks hooks;
        hooks.sendToDevice = [this](const ProfileRecord& snapshot) { SendOffThread(snapshot); };
        hooks.applyPointerSettings = [this] { ApplyPointerSettings(); };
        FactoryReset(hooks);
        m_btnApply->setEnabled(true);

        SetAssignmentPanel(1);
        SetSensitivityPanel(1);
        m_markerX->SetPos(g_ProfileRecord.SensitivityX);
        m_markerY->SetPos(g_ProfileRecord.SensitivityY);
        if (collapseAllSections)
            collapseAllSections();
        if (refreshPages)
            refreshPages();
        ShowView(1);
        if (g_pConfigDialog) {
            g_pConfigDialog->deleteLater();
            g_pConfigDialog = nullptr;
            m_btnAssignmentHeader->show();
            m_btnMacroHeader->show();
            m_btnSensitivityHeader->show();
        }
        UpdateSensitivityMarkers();
        RefreshButtonCaptions();
        for (int b = 0; b < 12; ++b)
            StoreButtonLabel(b);
        SaveButtonLabels();
    }
    ReplayDeferredMessages();
}

void CMouseConfigurationDlg::OnMinimize()
{
    ClearButtonHighlight();
    showMinimized();
}

void CMouseConfigurationDlg::OnClose()
{
    ClearButtonHighlight();
    HideToTray();
}

void CMouseConfigurationDlg::OnHelp()
{
    ClearButtonHighlight();
    raise();
    activateWindow();
    if (m_pHelpMenu)
        m_pHelpMenu->deleteLater();
    m_pHelpMenu = new QMenu(this);
    m_pHelpMenu->setFont(m_font1);
    m_pHelpMenu->setMinimumWidth(120);
    QAction* web = m_pHelpMenu->addAction(UiText(524));
    web->setData(ID_HELP_WEB);
    connect(web, &QAction::triggered, this, &CMouseConfigurationDlg::OpenWebAddress);
    m_pHelpMenu->addAction("Version:1.0")->setData(ID_HELP_VERSION);
    if (!HasTray()) {
        // Without a notification area the tray menu's Exit is out of reach; offer it here.
        QAction* exit = m_pHelpMenu->addAction(UiText(546));
        connect(exit, &QAction::triggered, this, &CMouseConfigurationDlg::EndDialog);
    }
    m_pHelpMenu->popup(QCursor::pos());
}

void CMouseConfigurationDlg::OnConfig()
{
    ClearButtonHighlight();
    if (g_pConfigDialog != nullptr)
        return;
    if (openProfileList)
        openProfileList();
}

void CMouseConfigurationDlg::OnAssignmentHeader()
{
    ClearButtonHighlight();
    SetAssignmentPanel(m_bAssignmentCollapsed ? 0 : 1);
}

void CMouseConfigurationDlg::OnSensitivityHeader()
{
    ClearButtonHighlight();
    SetSensitivityPanel(m_bSensitivityCollapsed ? 0 : 1);
}

void CMouseConfigurationDlg::OnMacroManagerHeader()
{
    ClearButtonHighlight();
    if (!runMacroManager)
        return;
    uint8_t macroSlots[MACRO_SLOT_COUNT][MACRO_SLOT_SIZE] = {};
    if (runMacroManager(macroSlots))
        std::memcpy(g_ProfileRecord.MacroSlot, macroSlots, sizeof macroSlots);
}

void CMouseConfigurationDlg::OnAssignmentButton(int i)
{
    for (int b = 0; b < 12; ++b) {
        const int want = b == i ? 1 : 0;
        if (m_btnAssignment[b]->m_bSelected != want)
            m_btnAssignment[b]->SetSelected(want);
    }
    g_nHighlightedButton = i;
    update(MOUSE_PICTURE_AREA);
    if (onShowButtonMenu)
        onShowButtonMenu(i);
}

} // namespace zentro
