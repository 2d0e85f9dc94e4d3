#pragma once

#include "controls/MainWindowPart.h"

class QWidget;

// The right-hand column of the main window (735, 32, 260 x 561), empty until its pages are in.

namespace zentro {

class CPageColumnPlaceholder : public IMainWindowPart {
public:
    void CreateControls(CMouseConfigurationDlg& window, const CUiServices& services) override;
    QWidget* m_pPageContainer = nullptr;
};

} // namespace zentro
