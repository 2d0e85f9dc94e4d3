#include "controls/SkinScrollWnd.h"

#include "controls/SkinImage.h"

#include "controls/SkinScrollBar.h"
#include "controls/WinMessage.h"

#include <QPainter>

namespace zentro {

CSkinScrollWnd::CSkinScrollWnd()
{
    setObjectName("SkinScrollBarFrame");
    m_sbHorz = new CSkinScrollBar(Qt::Horizontal, this);
    m_sbHorz->setObjectName("SkinScrollBarHorz");
    m_sbHorz->hide();
    m_sbVert = new CSkinScrollBar(Qt::Vertical, this);
    m_sbVert->setObjectName("SkinScrollBarVert");
    m_sbVert->hide();
}

CSkinScrollWnd::~CSkinScrollWnd()
{
    // The window is still alive here (a child goes after its parent's destructor body).
    if (m_pWindow) {
        disconnect(m_pWindow, nullptr, this, nullptr);
        if (m_pScrollable)
            m_pScrollable->onScrollInfoChanged = nullptr;
    }
}

bool CSkinScrollWnd::Attach(QWidget* window, ISkinScrollable* scrollable, const QImage& bitmap)
{
    if (!window || !scrollable || m_pWindow)
        return false;
    m_bmpSkin = bitmap;
    m_nCellWidth = bitmap.width() / 9;
    m_sbHorz->SetBitmap(bitmap);
    m_sbVert->SetBitmap(bitmap);

    const bool visible = window->isVisibleTo(window->parentWidget());
    m_pOwner = window->parentWidget();
    setParent(m_pOwner);
    setGeometry(window->geometry());
    m_pWindow = window;
    m_pScrollable = scrollable;
    window->setParent(this);
    window->move(0, 0);
    window->show();
    m_sbVert->raise();
    m_sbHorz->raise();

    scrollable->onScrollInfoChanged = [this] { SyncBars(); };
    // The frame ends with its window (the frame's parent deletes it otherwise).
    connect(window, &QObject::destroyed, this, [this] {
        m_pScrollable = nullptr;
        deleteLater();
    });
    Relayout();
    setVisible(visible);
    return true;
}

bool CSkinScrollWnd::Detach()
{
    if (!m_pWindow)
        return true;
    QWidget* window = m_pWindow;
    disconnect(window, &QObject::destroyed, this, nullptr);
    if (m_pScrollable)
        m_pScrollable->onScrollInfoChanged = nullptr;
    const QRect place = geometry();
    window->setParent(m_pOwner ? m_pOwner.data() : parentWidget());
    window->setGeometry(place);
    window->setVisible(isVisible());
    m_pWindow = nullptr;
    m_pScrollable = nullptr;
    m_sbVert->hide();
    m_sbHorz->hide();
    return true;
}

void CSkinScrollWnd::Relayout()
{
    if (!m_pWindow || !m_pScrollable)
        return;
    m_bBusy = true;
    const bool vert = m_pScrollable->HasScrollBar(Qt::Vertical);
    const bool horz = m_pScrollable->HasScrollBar(Qt::Horizontal);
    const int W = m_nCellWidth;
    const int clientW = width() - (vert ? W : 0);
    const int clientH = height() - (horz ? W : 0);
    m_pWindow->setGeometry(0, 0, std::max(clientW, 0), std::max(clientH, 0));
    m_sbVert->setGeometry(clientW, 0, W, std::max(clientH, 0));
    m_sbHorz->setGeometry(0, clientH, std::max(clientW, 0), W);
    m_sbVert->setVisible(vert);
    m_sbHorz->setVisible(horz);
    m_nCornerMode = vert && horz ? 2 : 0;
    m_bBusy = false;
    SyncBars(); // the window's new size may have changed its scroll state
    update();
}

void CSkinScrollWnd::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    if (width() > 0 && height() > 0)
        Relayout();
}

void CSkinScrollWnd::SyncBar(CSkinScrollBar* bar, Qt::Orientation orientation)
{
    if (!bar->isVisibleTo(this) || bar->IsDragging())
        return;
    SkinScrollInfo info = m_pScrollable->GetScrollInfo(orientation);
    if (!info.SameState(bar->GetScrollInfo())) {
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        bar->SetScrollInfo(info, true);
    }
    bar->setEnabled(m_pScrollable->IsScrollBarEnabled(orientation) && info.nMax >= info.nPage);
}

void CSkinScrollWnd::SyncBars()
{
    if (m_bBusy || !m_pScrollable)
        return;
    SyncBar(m_sbVert, Qt::Vertical);
    SyncBar(m_sbHorz, Qt::Horizontal);
}

void CSkinScrollWnd::OnBarRequest(Qt::Orientation orientation, int code, int pos)
{
    if (!m_pScrollable)
        return;
    m_bBusy = true;
    m_pScrollable->OnScrollRequest(orientation, code, pos);
    m_bBusy = false;
    if (code != SB_THUMBTRACK)
        SyncBar(orientation == Qt::Vertical ? m_sbVert : m_sbHorz, orientation);
}

bool CSkinScrollWnd::event(QEvent* e)
{
    if (e->type() == CWinMessageEvent::EventType()) {
        auto* m = static_cast<CWinMessageEvent*>(e);
        if (m->message() == WM_VSCROLL || m->message() == WM_HSCROLL) {
            OnBarRequest(m->message() == WM_VSCROLL ? Qt::Vertical : Qt::Horizontal,
                         ScrollCode(m->wParam()), ScrollPos(m->wParam()));
            return true;
        }
    }
    return QWidget::event(e);
}

void CSkinScrollWnd::paintEvent(QPaintEvent*)
{
    if (m_nCornerMode != 2 || m_bmpSkin.isNull())
        return;
    const int W = m_nCellWidth;
    QPainter painter(this);
    DrawSkinPicture(painter, QPoint(width() - W, height() - W), m_bmpSkin, QRect(8 * W, 0, W, W));
}

CSkinScrollWnd* AttachSkinScrollBars(QWidget* window, ISkinScrollable* scrollable,
                                     const QImage& bitmap)
{
    if (!window)
        return nullptr;
    auto* frame = new CSkinScrollWnd();
    if (!frame->Attach(window, scrollable, bitmap)) {
        delete frame;
        return nullptr;
    }
    return frame;
}

} // namespace zentro
