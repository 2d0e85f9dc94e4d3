#include "macros/ui/MacroManagerPart.h"

#include <QDialog>

#include <cstring>

#include "app/MainWindowLayout.h"
#include "app/MouseConfigurationDlg.h"
#include "controls/BitmapBtn.h"
#include "controls/SkinKit.h"
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
    const QString picture = "\\skins\\MacroManagementBK.png";
    m_btnMacroHeader =
        CBitmapBtn::CreateSkinned(&window, MainLayout::MACRO_HEADER, picture, picture, picture,
                                  picture, IDS_MACRO_MANAGER, 1, 0);
    QObject::connect(m_btnMacroHeader, &QAbstractButton::clicked, &window, [this] {
        m_pWindow->ClearButtonHighlight();
        if (!m_pWindow->IsTransferring())
            Open();
    });
    OnLeftColumnMoved(m_nShift);
}

void CMacroManagerPart::OnLeftColumnMoved(int shift)
{
    m_nShift = shift;
    if (m_btnMacroHeader) // not created yet: CreateControls places it
        m_btnMacroHeader->setGeometry(MainLayout::MACRO_HEADER.translated(0, shift));
}

void CMacroManagerPart::OnLeftColumnCovered(bool covered)
{
    if (m_btnMacroHeader)
        m_btnMacroHeader->setVisible(!covered);
}

bool CMacroManagerPart::Open()
{
    if (m_pWindow == nullptr)
        return false;
    if (!m_pDialog)
        m_pDialog =
            std::make_unique<CMacroProgramDialog>(m_services, g_strRecordIniFile, m_pWindow);
    if (m_pDialog->Exec() != QDialog::Accepted || !m_pDialog->SlotsEncoded())
        return false;
    // Bytes 0-129 of every working slot; Apply sends them.
    std::memcpy(g_ProfileRecord.MacroSlot, m_pDialog->WorkingSlots(),
                sizeof(g_ProfileRecord.MacroSlot));
    return true;
}

} // namespace zentro
