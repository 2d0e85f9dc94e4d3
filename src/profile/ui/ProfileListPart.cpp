#include "profile/ui/ProfileListPart.h"

#include "app/MouseConfigurationDlg.h"
#include "controls/ExMenu.h"
#include "controls/ListBoxEx.h"
#include "platform/DebugLog.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileOperations.h"
#include "profile/ui/ConfigDialog.h"
#include "controls/SkinKit.h"
#include "text/LanguageTexts.h"
#include "text/UiTextIds.h"

namespace zentro {

void CProfileListPart::CreateControls(CMouseConfigurationDlg& window, const CUiServices& services)
{
    m_pWindow = &window;
    m_services = services;
}

CConfigDialog* CProfileListPart::Popup() const
{
    return m_pPopup.data();
}

void CProfileListPart::OpenProfileList()
{
    if (g_pConfigDialog != nullptr || m_pWindow == nullptr)
        return;
    // The profile the window holds; the popup selects it (by its name in str.ini).
    const int loaded = CurrentProfileNumber;
    auto* popup = new CConfigDialog(m_pWindow, m_pWindow, m_services);
    popup->move(POPUP_LEFT, POPUP_TOP);
    if (!popup->OnInitDialog()) {
        delete popup;
        return;
    }
    m_pPopup = popup;
    g_pConfigDialog = popup;
    popup->show();
    popup->raise();
    popup->List()->setFocus(Qt::ActiveWindowFocusReason);
    m_pWindow->SetLeftColumnCovered(true);
    // What confirming compares with: the profile in memory, so that confirming its own entry
    // keeps unapplied changes and any other entry is loaded.
    g_nSelectedProfile = loaded;
}

void CProfileListPart::CloseProfileList()
{
    if (m_pPopup)
        delete m_pPopup.data(); // never on the popup's own stack: its requests are posted
    m_pPopup = nullptr;
    g_pConfigDialog = nullptr;
    if (m_pWindow)
        m_pWindow->SetLeftColumnCovered(false);
}

bool CProfileListPart::OnWinMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    if (msg != WM_PROFILE_COMMAND)
        return false;
    OnProfileCommand(wParam, lParam);
    return true;
}

void CProfileListPart::OnProfileCommand(uintptr_t wParam, intptr_t lParam)
{
    switch (wParam) {
    case PROFILE_CMD_SELECT:
        if (OnProfileSelectCommand(static_cast<int>(lParam)))
            m_pWindow->RefreshFromRecord();
        if (g_pConfigDialog)
            CloseProfileList();
        break;
    case PROFILE_CMD_IMPORT:
        if (ImportProfile(static_cast<int>(lParam)))
            m_pWindow->RefreshFromRecord();
        break;
    case PROFILE_CMD_EXPORT:
        if (ExportProfile(static_cast<int>(lParam)))
            m_pWindow->RefreshFromRecord();
        break;
    default:
        break;
    }
}

bool CProfileListPart::ImportProfile(int entry)
{
    if (!m_services.fileDialogs)
        return false;
    const std::optional<QString> chosen = m_services.fileDialogs->GetOpenFileName(
        m_pWindow, PROFILE_FILE_FILTER, QString::fromStdString(g_strSettingsFile));
    if (!chosen)
        return false;
    // An earlier import of this popup stays pending even when this one takes nothing; the
    // entry becomes current only when this one takes something.
    std::string reason;
    bool taken = false;
    ImportProfileFile(chosen->toStdString(), &reason, &taken,
                      entry >= 0 && entry < MAX_PROFILE_COUNT ? entry : -1);
    if (!reason.empty()) {
        DebugOutput("Import: " + reason + "\n");
        if (m_services.messageBox)
            m_services.messageBox->Show(
                m_pWindow,
                QString::fromStdString(ProgramText(IDP_PROFILE_IMPORT_FAILED))
                    .arg(QString::fromStdString(reason)),
                UiText(IDS_MESSAGE_CAPTION), MessageBoxButtons::Ok);
    }
    return taken;
}

bool CProfileListPart::ExportProfile(int entry)
{
    if (!m_services.fileDialogs)
        return false;
    const std::optional<QString> chosen = m_services.fileDialogs->GetSaveFileName(
        m_pWindow, PROFILE_FILE_FILTER, QString::fromStdString(g_strSettingsFile));
    if (!chosen)
        return false; // cancelled: nothing changes
    if (entry >= 0 && entry < MAX_PROFILE_COUNT)
        CurrentProfileNumber = static_cast<uint8_t>(entry);
    std::string reason;
    if (!ExportProfileFile(chosen->toStdString(), &reason))
        DebugOutput("Export: " + reason + "\n");
    // The current profile was read again from its own files either way.
    return true;
}

} // namespace zentro
