#pragma once

#include <QImage>
#include <QPointer>
#include <QSize>
#include <QWidget>

#include <array>

#include "controls/SkinScrollable.h"
#include "settings/ui/PageColumnState.h"
#include "settings/ui/SettingsPage.h"

// The page column on the right of the main window: seven sections, each a title bar and its
// page. A click on a title bar opens or closes the section, the sections below follow, and the
// column scrolls vertically (60 pixels a line, the visible height a page) once the open
// sections no longer fit. The column owns the pages; each page edits the live record itself.
//
// Scrolling moves the title bars and pages; the column's background stays where it is. The
// scroll state is published through ISkinScrollable, so the skinned bar beside the column
// follows it.

namespace zentro {

class CBitmapBtn;
class CDlgAngleSnap;
class CDlgDPISetting;
class CDlgDoubleClick;
class CDlgLighting;
class CDlgMouseSpeed;
class CDlgMouseWheelSpeed;
class CDlgUSBReportRate;
class IColorChooser;

class CDlgadvance : public QWidget, public ISkinScrollable {
    Q_OBJECT
public:
    // `clearHighlightTarget` receives WM_CLEAR_HIGHLIGHT for clicks into the column.
    CDlgadvance(QWidget* parent, QObject* clearHighlightTarget, IColorChooser* colorChooser);
    ~CDlgadvance() override;

    // Title bars, pages (hidden, at their sizes), content height 140, every section closed.
    void OnInitDialog();

    void RefreshPages();
    void CollapseAllSections();
    // k = 1-7; collapsed 1 closes, 0 opens.
    void SetSectionCollapsed(int k, int collapsed);
    void UpdateScrollRange();
    // A vertical scroll request (SB_* code, thumb position).
    void OnVScroll(int code, int pos);
    // A wheel turn of `delta` (120 a notch); false when the column cannot scroll.
    bool OnMouseWheel(int delta);

    // Lines a wheel notch scrolls as the program set them last; WHEEL_PAGESCROLL for a page.
    static uint32_t WheelScrollLines();

    CSettingsPage* Page(int k) const { return m_pages[k - 1]; }
    // Size of page k, from its size picture (0 x 0 when the picture is missing).
    QSize PageSize(int k) const { return m_sizePage[k - 1]; }
    CBitmapBtn* TitleBar(int k) const { return m_btnTitle[k - 1]; }

    // ISkinScrollable.
    bool HasScrollBar(Qt::Orientation orientation) const override;
    SkinScrollInfo GetScrollInfo(Qt::Orientation orientation) const override;
    bool IsScrollBarEnabled(Qt::Orientation orientation) const override;
    void OnScrollRequest(Qt::Orientation orientation, int code, int pos) override;

    QImage m_bmpBackground;
    int m_cxScrollExtent = 0; // the content width (vertical scrolling does not use it)
    int m_nVisibleHeight = 0;
    int m_cyScrollExtent = 0;
    int m_nScrollPos = 0;
    std::array<int, 7> m_bSectionCollapsed{1, 1, 1, 1, 1, 1, 1};
    CDlgDPISetting* m_pageDPI = nullptr;
    CDlgLighting* m_pageLighting = nullptr;
    CDlgUSBReportRate* m_pageReportRate = nullptr;
    CDlgMouseSpeed* m_pageMouseSpeed = nullptr;
    CDlgDoubleClick* m_pageDoubleClick = nullptr;
    CDlgMouseWheelSpeed* m_pageWheel = nullptr;
    CDlgAngleSnap* m_pageAngleSnap = nullptr;
    std::array<CBitmapBtn*, 7> m_btnTitle{};

    // The column's own vertical scroll bar state (what the skinned bar shows).
    SkinScrollInfo m_sbVert;
    bool m_bScrollEnabled = false;

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void OnTitleBarClicked(int k);
    void ScrollChildren(int dy);
    void PostClearHighlight();

    // One row of the page table: the picture whose size the page has, and what creates it.
    struct PageRow {
        const char* sizePicture;
        CSettingsPage* (CDlgadvance::*create)();
    };
    static const PageRow kPageRows[];
    template <class Page, Page* CDlgadvance::*Member> CSettingsPage* MakePage();

    std::array<CSettingsPage*, PAGE_COUNT> m_pages{};
    std::array<QSize, PAGE_COUNT> m_sizePage{};
    QPointer<QObject> m_pClearHighlightTarget;
    IColorChooser* m_pColorChooser;
    int m_nWheelRemainder = 0;
};

} // namespace zentro
