#include "profile/ui/ProfileListPart.h"

#include "controls/MainWindowHost.h"
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

QPointer<QWidget> g_pConfigDialog;

void ResetProfileListStateForTest()
{
    delete g_pConfigDialog.data();
    g_pConfigDialog = nullptr;
}

void CProfileListPart::CreateControls(IMainWindowHost& host, const CUiServices& services)
{
    m_pHost = &host;
    m_services = services;
}

CConfigDialog* CProfileListPart::Popup() const
{
    return qobject_cast<CConfigDialog*>(g_pConfigDialog.data());
}

void CProfileListPart::OpenProfileList()
{
    if (g_pConfigDialog != nullptr || m_pHost == nullptr)
        return;
    // The profile the window holds; the popup selects it (by its name in str.ini).
    const int loaded = CurrentProfileNumber;
    QWidget* window = m_pHost->Widget();
    auto* popup = new CConfigDialog(window, window, m_services);
    popup->move(POPUP_LEFT, POPUP_TOP);
    if (!popup->OnInitDialog()) {
        delete popup;
        return;
    }
    g_pConfigDialog = popup;
    popup->show();
    popup->raise();
    popup->List()->setFocus(Qt::ActiveWindowFocusReason);
    m_pHost->SetLeftColumnCovered(true);
    // What confirming compares with: the profile in memory, so that confirming its own entry
    // keeps unapplied changes and any other entry is loaded.
    g_nSelectedProfile = loaded;
}

void CProfileListPart::CloseProfileList()
{
    delete g_pConfigDialog.data(); // never on the popup's own stack: its requests are posted
    g_pConfigDialog = nullptr;
    if (m_pHost)
        m_pHost->SetLeftColumnCovered(false);
}

void CProfileListPart::OnConfig()
{
    OpenProfileList();
}

void CProfileListPart::OnDismissPopups()
{
    CloseProfileList();
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
            m_pHost->RefreshFromRecord();
        if (g_pConfigDialog)
            CloseProfileList();
        break;
    case PROFILE_CMD_IMPORT:
        if (ImportProfile(static_cast<int>(lParam)))
            m_pHost->RefreshFromRecord();
        break;
    case PROFILE_CMD_EXPORT:
        if (ExportProfile(static_cast<int>(lParam)))
            m_pHost->RefreshFromRecord();
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
        m_pHost->Widget(), PROFILE_FILE_FILTER, QString::fromStdString(g_strSettingsFile));
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
                m_pHost->Widget(),
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
        m_pHost->Widget(), PROFILE_FILE_FILTER, QString::fromStdString(g_strSettingsFile));
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
