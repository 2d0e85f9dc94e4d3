#include "settings/ui/PageColumnPlaceholder.h"

#include <QWidget>

#include "app/MainWindowLayout.h"
#include "app/MouseConfigurationDlg.h"

namespace zentro {

void CPageColumnPlaceholder::CreateControls(CMouseConfigurationDlg& window, const CUiServices&)
{
    m_pPageContainer = new QWidget(&window);
    m_pPageContainer->setObjectName("PageContainer");
    m_pPageContainer->setGeometry(MainLayout::PAGE_COLUMN);
    m_pPageContainer->show();
}

} // namespace zentro
