#include "settings/ui/PageColumnPart.h"

#include "controls/SkinImage.h"

#include "controls/MainWindowLayout.h"
#include "controls/MainWindowHost.h"
#include "controls/SkinScrollWnd.h"
#include "controls/UiServices.h"
#include "settings/ui/DlgAdvance.h"
#include "settings/ui/DlgAdvanceLayout.h"

namespace zentro {

CPageColumnPart::CPageColumnPart() = default;

CPageColumnPart::~CPageColumnPart() = default;

QImage CPageColumnPart::ScrollBarSkin()
{
    static const QImage cells = LoadResourcePicture(":/zentro/resources/129.bmp");
    return cells;
}

void CPageColumnPart::CreateControls(IMainWindowHost& host, const CUiServices& services)
{
    QWidget& window = *host.Widget();
    Create(&window, &window, services.colorChooser);
}

void CPageColumnPart::Create(QWidget* window, QObject* clearHighlightTarget,
                             IColorChooser* colorChooser)
{
    auto* column = new CDlgadvance(window, clearHighlightTarget, colorChooser);
    column->setGeometry(MainLayout::PAGE_COLUMN);
    column->OnInitDialog();
    m_pColumn = column;
    m_pFrame = AttachSkinScrollBars(column, column, ScrollBarSkin());
    column->m_cxScrollExtent = AdvanceLayout::START_CONTENT_WIDTH;
    column->m_cyScrollExtent = AdvanceLayout::MIN_SCROLL_EXTENT;
    column->UpdateScrollRange();
    if (m_pFrame)
        m_pFrame->show();
    column->show();
}

void CPageColumnPart::CollapseAllSections()
{
    if (m_pColumn)
        m_pColumn->CollapseAllSections();
}

void CPageColumnPart::RefreshPages()
{
    if (m_pColumn)
        m_pColumn->RefreshPages();
}

void CPageColumnPart::OnRecordReplaced()
{
    RefreshPages();
}

void CPageColumnPart::OnRestore()
{
    // The window follows with OnRecordReplaced, which brings the pages up to date.
    CollapseAllSections();
}

CDlgadvance* CPageColumnPart::Column() const
{
    return m_pColumn;
}

CSkinScrollWnd* CPageColumnPart::Frame() const
{
    return m_pFrame;
}

} // namespace zentro
