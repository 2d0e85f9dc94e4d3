#include "macros/ui/MacroManagerPart.h"

#include <QDialog>

#include <cstring>

#include "app/MouseConfigurationDlg.h"
#include "macros/ui/MacroProgramDialog.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileRecord.h"

namespace zentro {

CMacroManagerPart::CMacroManagerPart() = default;
CMacroManagerPart::~CMacroManagerPart() = default;

void CMacroManagerPart::CreateControls(CMouseConfigurationDlg& window, const CUiServices& services)
{
    m_pWindow = &window;
    m_services = services;
}

bool CMacroManagerPart::Open()
{
    if (m_pWindow == nullptr)
        return false;
    if (!m_pDialog)
        m_pDialog =
            std::make_unique<CMacroProgramDialog>(m_services, g_strRecordIniFile, m_pWindow);
    if (m_pDialog->Exec() != QDialog::Accepted)
        return false;
    // Bytes 0-129 of every working slot; Apply sends them.
    std::memcpy(g_ProfileRecord.MacroSlot, m_pDialog->WorkingSlots(),
                sizeof(g_ProfileRecord.MacroSlot));
    return true;
}

} // namespace zentro
