#pragma once

#include <QImage>
#include <QPointer>

#include "controls/MainWindowPart.h"

class QObject;
class QWidget;

// The page column as a part of the main window: the column (CDlgadvance) at its place on the
// right, wrapped in the skinned scroll bar frame. A record replaced as a whole brings every
// page up to date; a restore from the tray or a reset (OnRestore) first closes every section.

namespace zentro {

class CDlgadvance;
class CSkinScrollWnd;
class IColorChooser;

class CPageColumnPart : public IMainWindowPart {
public:
    CPageColumnPart();
    ~CPageColumnPart() override;

    void CreateControls(IMainWindowHost& host, const CUiServices& services) override;
    // The column and its frame in `window` at the column's place; clicks into the column
    // post WM_CLEAR_HIGHLIGHT to `clearHighlightTarget`.
    void Create(QWidget* window, QObject* clearHighlightTarget, IColorChooser* colorChooser);
    void OnRecordReplaced() override;
    void OnRestore() override;

    void CollapseAllSections();
    void RefreshPages();

    CDlgadvance* Column() const;
    CSkinScrollWnd* Frame() const;

    // The scroll bar cells (bitmap resource 129, built into the program).
    static QImage ScrollBarSkin();

private:
    QPointer<CDlgadvance> m_pColumn;
    QPointer<CSkinScrollWnd> m_pFrame;
};

} // namespace zentro
