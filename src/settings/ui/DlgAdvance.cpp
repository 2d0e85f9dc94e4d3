#include "settings/ui/DlgAdvance.h"

#include "controls/BitmapBtn.h"
#include "controls/SkinImage.h"
#include "controls/SkinKit.h"
#include "controls/MainWindowPart.h"
#include "controls/WinMessage.h"
#include "settings/PointerSettings.h"
#include "settings/ui/DlgAdvanceLayout.h"
#include "settings/ui/DlgAngleSnap.h"
#include "settings/ui/DlgDPISetting.h"
#include "settings/ui/DlgDoubleClick.h"
#include "settings/ui/DlgLighting.h"
#include "settings/ui/DlgMouseSpeed.h"
#include "settings/ui/DlgMouseWheelSpeed.h"
#include "settings/ui/DlgUSBReportRate.h"
#include "settings/ui/PageColumnState.h"
#include "settings/ui/SettingsPage.h"
#include "profile/ProfileRecord.h"
#include "text/LanguageTexts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <type_traits>

namespace zentro {

using namespace AdvanceLayout;

namespace {

// Left and bottom edge of a rectangle: where a page below it starts.
QPoint BelowOf(const QRect& r)
{
    return QPoint(r.left(), r.top() + r.height());
}

int BottomOf(const QRect& r)
{
    return r.top() + r.height();
}

} // namespace

// The pages, top to bottom. A page is a CSettingsPage; its row names its title (the captions
// follow IDS_DPI_SETTING in this order), the picture whose size it has (sections 4 and 5
// share one), and the member that keeps it.
template <class Page, Page* CDlgadvance::*Member> CSettingsPage* CDlgadvance::MakePage()
{
    Page* page = nullptr;
    if constexpr (std::is_constructible_v<Page, IColorChooser*, QWidget*>)
        page = new Page(m_pColorChooser, this);
    else
        page = new Page(this);
    this->*Member = page;
    return page;
}

const CDlgadvance::PageRow CDlgadvance::kPageRows[] = {
    {"skins/DPISetting/BK_DPISetting.png",
     &CDlgadvance::MakePage<CDlgDPISetting, &CDlgadvance::m_pageDPI>},
    {"skins/Lighting/BK_Lighting.png",
     &CDlgadvance::MakePage<CDlgLighting, &CDlgadvance::m_pageLighting>},
    {"skins/USBReportRate/BK_USBReportRate.png",
     &CDlgadvance::MakePage<CDlgUSBReportRate, &CDlgadvance::m_pageReportRate>},
    {"skins/MouseAttribute/BK_MouseAttribute.png",
     &CDlgadvance::MakePage<CDlgMouseSpeed, &CDlgadvance::m_pageMouseSpeed>},
    {"skins/MouseAttribute/BK_MouseAttribute.png",
     &CDlgadvance::MakePage<CDlgDoubleClick, &CDlgadvance::m_pageDoubleClick>},
    {"skins/MouseAttribute/BK_ScrollSpeed.png",
     &CDlgadvance::MakePage<CDlgMouseWheelSpeed, &CDlgadvance::m_pageWheel>},
    {"skins/AngleSnap/BK_AngleSnap.png",
     &CDlgadvance::MakePage<CDlgAngleSnap, &CDlgadvance::m_pageAngleSnap>},
};

CDlgadvance::CDlgadvance(QWidget* parent, QObject* clearHighlightTarget,
                         IColorChooser* colorChooser)
    : QWidget(parent), m_pClearHighlightTarget(clearHighlightTarget), m_pColorChooser(colorChooser)
{
    setObjectName("PageContainer");
    setFocusPolicy(Qt::ClickFocus);
    m_cyScrollExtent = MIN_SCROLL_EXTENT;
    m_cxScrollExtent = START_CONTENT_WIDTH;
}

CDlgadvance::~CDlgadvance() = default;

void CDlgadvance::OnInitDialog()
{
    m_bmpBackground = LoadSkinPicture("/skins/BK_MainRight.png", devicePixelRatioF(), true);
    const QImage item = SkinBitmap("\\skins\\ItemBK.png");
    for (int k = 1; k <= PAGE_COUNT; ++k) {
        auto* bar = new CBitmapBtn(this);
        bar->setObjectName(QString("TitleBar%1").arg(k));
        bar->Create(QString(), TitleBarRect(k), this);
        bar->SetImages(QRect(0, 0, TITLE_WIDTH, TITLE_HEIGHT), item, item, item, item);
        bar->m_nCaptionHeight = CAPTION_HEIGHT;
        bar->m_strCaptionFace = QString::fromStdString(UiFaceName());
        bar->SetCaption(UiText(IDS_DPI_SETTING + k - 1));
        connect(bar, &QAbstractButton::clicked, this, [this, k] { OnTitleBarClicked(k); });
        m_btnTitle[k - 1] = bar;
    }
    for (int k = 1; k <= PAGE_COUNT; ++k) {
        static_assert(std::size(kPageRows) == PAGE_COUNT, "one row for every page");
        const PageRow& row = kPageRows[k - 1];
        m_sizePage[k - 1] = GetSkinPictureSize(ResolveSkinPath(row.sizePicture));
        CSettingsPage* page = (this->*row.create)();
        m_pages[k - 1] = page;
        page->setAccessibleName(UiText(IDS_DPI_SETTING + k - 1));
        page->setGeometry(QRect(BelowOf(m_btnTitle[k - 1]->geometry()), m_sizePage[k - 1]));
        page->hide();
    }
    g_nContentHeight = PAGE_COUNT * TITLE_HEIGHT;
    m_bSectionCollapsed.fill(1);
}

// ---------------------------------------------------------------- sections

void CDlgadvance::RefreshPages()
{
    for (CSettingsPage* page : m_pages)
        if (page)
            page->LoadFromRecord();
}

void CDlgadvance::CollapseAllSections()
{
    for (int k = PAGE_COUNT; k >= 1; --k)
        if (m_bSectionCollapsed[k - 1] == 0)
            SetSectionCollapsed(k, 1);
}

void CDlgadvance::SetSectionCollapsed(int k, int collapsed)
{
    if (k < 1 || k > PAGE_COUNT || !m_pages[0])
        return;
    collapsed = collapsed != 0 ? 1 : 0;
    // The height changes only when the state does, so a repeated call cannot run the
    // content height away from what is shown.
    if (m_bSectionCollapsed[k - 1] != collapsed) {
        const int change = m_sizePage[k - 1].height() + PAGE_ALLOWANCE;
        g_nContentHeight += collapsed ? -change : change;
    }
    m_bSectionCollapsed[k - 1] = collapsed;
    m_cxScrollExtent = CONTENT_WIDTH;
    m_cyScrollExtent = std::max(g_nContentHeight, MIN_SCROLL_EXTENT);
    UpdateScrollRange();

    CSettingsPage* page = m_pages[k - 1];
    if (k >= 2)
        page->move(BelowOf(m_btnTitle[k - 1]->geometry()));
    page->SetCollapsed(collapsed != 0);

    int b = collapsed == 0 ? BottomOf(page->geometry()) : BottomOf(m_btnTitle[k - 1]->geometry());
    for (int j = k + 1; j <= PAGE_COUNT; ++j) {
        const QRect bar(0, b + SECTION_GAP, TITLE_WIDTH, TITLE_HEIGHT);
        m_btnTitle[j - 1]->setGeometry(bar);
        if (m_bSectionCollapsed[j - 1] == 0) {
            QWidget* below = m_pages[j - 1];
            below->move(BelowOf(bar));
            b = BottomOf(below->geometry());
        } else {
            b = BottomOf(bar);
        }
    }
    update();
}

void CDlgadvance::OnTitleBarClicked(int k)
{
    PostClearHighlight();
    SetSectionCollapsed(k, m_bSectionCollapsed[k - 1] == 0 ? 1 : 0);
}

void CDlgadvance::PostClearHighlight()
{
    PostWinMessage(m_pClearHighlightTarget, WM_CLEAR_HIGHLIGHT, 0, 0);
}

// ---------------------------------------------------------------- scrolling

void CDlgadvance::UpdateScrollRange()
{
    const int v = height();
    int max = 0;
    int correction = 0;
    if (v < m_cyScrollExtent) {
        max = m_cyScrollExtent - 1;
        if (m_nVisibleHeight > 0 && m_nScrollPos > 0)
            m_nScrollPos =
                static_cast<int>(static_cast<long long>(m_nScrollPos) * v / m_nVisibleHeight);
        m_nVisibleHeight = v;
        m_nScrollPos = std::min(m_nScrollPos, m_cyScrollExtent - v - 1);
        correction = m_sbVert.nPos - m_nScrollPos;
        m_bScrollEnabled = true;
    } else {
        m_nVisibleHeight = 0;
        m_nScrollPos = 0;
        correction = m_sbVert.nPos;
        m_bScrollEnabled = false;
    }
    m_sbVert.nMin = 0;
    m_sbVert.nMax = max;
    m_sbVert.nPage = m_nVisibleHeight;
    m_sbVert.nPos = m_nScrollPos;
    if (correction != 0)
        ScrollChildren(correction);
    NotifyScrollInfoChanged();
}

void CDlgadvance::ScrollChildren(int dy)
{
    for (QObject* child : children()) {
        if (auto* widget = qobject_cast<QWidget*>(child); widget && !widget->isWindow())
            widget->move(widget->x(), widget->y() + dy);
    }
    update();
}

void CDlgadvance::OnVScroll(int code, int pos)
{
    if (g_nContentHeight <= MIN_SCROLL_EXTENT)
        return;
    int d = 0;
    switch (code) {
    case SB_LINEUP:
        d = -LINE_STEP;
        break;
    case SB_LINEDOWN:
        d = LINE_STEP;
        break;
    case SB_PAGEUP:
        d = -m_nVisibleHeight;
        break;
    case SB_PAGEDOWN:
        d = m_nVisibleHeight;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        d = pos - m_nScrollPos;
        break;
    default:
        return;
    }
    const int s = m_nScrollPos + d;
    if (s < 0)
        d = -m_nScrollPos;
    if (s > m_cyScrollExtent - m_nVisibleHeight)
        d = m_cyScrollExtent - m_nVisibleHeight - m_nScrollPos;
    if (d == 0)
        return;
    m_nScrollPos += d;
    m_sbVert.nPos = m_nScrollPos;
    ScrollChildren(-d);
    NotifyScrollInfoChanged();
}

uint32_t CDlgadvance::WheelScrollLines()
{
    // What zentro applied last; Qt's setting while nothing is applied.
    if (g_uAppliedWheelScrollLines != 0)
        return g_uAppliedWheelScrollLines;
    return static_cast<uint32_t>(std::max(QApplication::wheelScrollLines(), 0));
}

bool CDlgadvance::OnMouseWheel(int delta)
{
    if (m_sbVert.nMin == m_sbVert.nMax)
        return false;
    // Whole notches only: fine-grained wheels and touchpads send parts of a notch, which
    // add up here instead of each scrolling a whole line.
    if ((delta > 0 && m_nWheelRemainder < 0) || (delta < 0 && m_nWheelRemainder > 0))
        m_nWheelRemainder = 0;
    m_nWheelRemainder += delta;
    const int notches = m_nWheelRemainder / WHEEL_DELTA;
    if (notches == 0)
        return true;
    m_nWheelRemainder -= notches * WHEEL_DELTA;
    const bool down = notches < 0;
    const uint32_t n = WheelScrollLines();
    if (n == WHEEL_PAGESCROLL) {
        OnVScroll(down ? SB_PAGEDOWN : SB_PAGEUP, 0);
        return true;
    }
    const long long t = static_cast<long long>(n) * std::abs(notches);
    const long long steps = t >= 6 ? t / 3 : 1;
    for (long long i = 0; i < steps; ++i)
        OnVScroll(down ? SB_LINEDOWN : SB_LINEUP, 0);
    return true;
}

bool CDlgadvance::HasScrollBar(Qt::Orientation orientation) const
{
    return orientation == Qt::Vertical;
}

SkinScrollInfo CDlgadvance::GetScrollInfo(Qt::Orientation orientation) const
{
    return orientation == Qt::Vertical ? m_sbVert : SkinScrollInfo{};
}

bool CDlgadvance::IsScrollBarEnabled(Qt::Orientation orientation) const
{
    return orientation == Qt::Vertical && m_bScrollEnabled;
}

void CDlgadvance::OnScrollRequest(Qt::Orientation orientation, int code, int pos)
{
    if (orientation == Qt::Vertical)
        OnVScroll(code, pos);
}

// ---------------------------------------------------------------- events

void CDlgadvance::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    if (m_pages[0])
        UpdateScrollRange();
}

void CDlgadvance::wheelEvent(QWheelEvent* e)
{
    if (OnMouseWheel(e->angleDelta().y()))
        e->accept();
    else
        e->ignore();
}

void CDlgadvance::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        PostClearHighlight();
    QWidget::mousePressEvent(e);
}

bool CDlgadvance::event(QEvent* e)
{
    const QEvent::Type type = e->type();
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease ||
        type == QEvent::ShortcutOverride) {
        if (IsDialogSwallowedKey(static_cast<QKeyEvent*>(e)->key())) {
            e->accept();
            return true;
        }
    }
    return QWidget::event(e);
}

void CDlgadvance::paintEvent(QPaintEvent*)
{
    if (m_bmpBackground.isNull())
        return;
    QPainter painter(this);
    const QRect area(0, 0, width(), m_cyScrollExtent);
    DrawSkinPicture(painter, area.topLeft(), m_bmpBackground, area);
}

} // namespace zentro
