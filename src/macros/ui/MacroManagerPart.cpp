#include "macros/ui/MacroManagerPart.h"

#include <QDialog>

#include <cstring>

#include "controls/MainWindowLayout.h"
#include "controls/MainWindowHost.h"
#include "controls/BitmapBtn.h"
#include "controls/SkinKit.h"
#include "macros/ui/MacroProgramDialog.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileRecord.h"

namespace zentro {

CMacroManagerPart::CMacroManagerPart() = default;
CMacroManagerPart::~CMacroManagerPart() = default;

void CMacroManagerPart::CreateControls(IMainWindowHost& host, const CUiServices& services)
{
    QWidget& window = *host.Widget();
    m_pHost = &host;
    m_services = services;
    const QString picture = "\\skins\\MacroManagementBK.png";
    m_btnMacroHeader =
        CBitmapBtn::CreateSkinned(&window, MainLayout::MACRO_HEADER, picture, picture, picture,
                                  picture, IDS_MACRO_MANAGER, 1, 0);
    QObject::connect(m_btnMacroHeader, &QAbstractButton::clicked, &window, [this] {
        m_pHost->ClearButtonHighlight();
        if (!m_pHost->IsTransferring())
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
    if (m_pHost == nullptr)
        return false;
    if (!m_pDialog)
        m_pDialog = std::make_unique<CMacroProgramDialog>(m_services, g_strRecordIniFile,
                                                          m_pHost->Widget());
    if (m_pDialog->Exec() != QDialog::Accepted || !m_pDialog->SlotsEncoded())
        return false;
    // Bytes 0-129 of every working slot; Apply sends them.
    std::memcpy(g_ProfileRecord.MacroSlot, m_pDialog->WorkingSlots(),
                sizeof(g_ProfileRecord.MacroSlot));
    return true;
}

} // namespace zentro
