#include "controls/SkinScrollBar.h"

#include "controls/SkinImage.h"

#include "controls/WinMessage.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>

#include <algorithm>
#include <cstdlib>

namespace zentro {

CSkinScrollBar::CSkinScrollBar(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), m_orientation(orientation)
{
    setMouseTracking(true);
}

void CSkinScrollBar::SetBitmap(const QImage& bitmap)
{
    m_bmpSkin = bitmap;
    m_nCellWidth = bitmap.width() / 9;
    m_nCellHeight = bitmap.height() / 3;
    if (IsVertical())
        resize(m_nCellWidth, height());
    else
        resize(width(), m_nCellWidth);
    update();
}

void CSkinScrollBar::resizeEvent(QResizeEvent* event)
{
    m_nLength = IsVertical() ? height() : width();
    QWidget::resizeEvent(event);
}

CSkinScrollBar::Geometry CSkinScrollBar::ComputeGeometry() const
{
    Geometry g;
    const int W = m_nCellWidth;
    const int L = m_nLength;
    g.track = std::max(L - 2 * W, 0);
    g.arrow = L - 2 * W > 0 ? W : L / 2;
    const long long range = static_cast<long long>(m_si.nMax) - m_si.nMin;
    const long long d = range - m_si.nPage + 1;
    const long long p = m_nTrackPos != -1 ? m_nTrackPos : m_si.nPos;
    if (d > 0 && g.track >= MIN_THUMB && range + 1 > 0) {
        g.thumb =
            static_cast<int>(std::max<long long>(g.track * m_si.nPage / (range + 1), MIN_THUMB));
        g.thumb = std::min(g.thumb, g.track);
    }
    if (d > 0)
        g.offset = static_cast<int>(
            std::clamp<long long>(p * (g.track - g.thumb) / d, 0, g.track - g.thumb));
    else
        g.offset = (g.track - g.thumb) / 2;
    return g;
}

int CSkinScrollBar::ThumbLength() const
{
    return ComputeGeometry().thumb;
}

QRect CSkinScrollBar::AxisRect(int start, int end) const
{
    const int W = m_nCellWidth;
    if (end < start)
        end = start;
    return IsVertical() ? RectLTRB(0, start, W, end) : RectLTRB(start, 0, end, W);
}

QRect CSkinScrollBar::GetPartRect(int part) const
{
    const Geometry g = ComputeGeometry();
    const int A = g.arrow;
    const int L = m_nLength;
    switch (part) {
    case SB_LINEUP:
        return AxisRect(0, A);
    case SB_PAGEUP:
        return AxisRect(A, A + g.offset);
    case SB_THUMBTRACK:
        return AxisRect(A + g.offset, A + g.offset + g.thumb);
    case SB_PAGEDOWN:
        return AxisRect(A + g.offset + g.thumb, L - A);
    case SB_LINEDOWN:
        return AxisRect(L - A, L);
    default:
        return QRect();
    }
}

int CSkinScrollBar::HitTest(const QPoint& point) const
{
    const int c = Along(point);
    if (c < 0)
        return -1;
    const Geometry g = ComputeGeometry();
    const int A = g.arrow;
    if (c < A)
        return SB_LINEUP;
    if (c < A + g.offset)
        return SB_PAGEUP;
    if (c < A + g.offset + g.thumb)
        return SB_THUMBTRACK;
    if (c >= m_nLength - A)
        return SB_LINEDOWN;
    return SB_PAGEDOWN;
}

QRect CSkinScrollBar::GetImageRect(int part, int state) const
{
    int column = -1;
    switch (part) {
    case SB_LINEUP:
        column = 0;
        break;
    case SB_LINEDOWN:
        column = 1;
        break;
    case SB_THUMBTRACK:
        column = 2;
        break;
    case SB_PAGEUP:
    case SB_PAGEDOWN:
        column = 3;
        break;
    default:
        return QRect();
    }
    if (!IsVertical())
        column += 4;
    return QRect(column * m_nCellWidth, state * m_nCellHeight, m_nCellWidth, m_nCellHeight);
}

bool CSkinScrollBar::SetScrollInfo(const SkinScrollInfo& info, bool redraw)
{
    if (info.fMask & SIF_RANGE) {
        m_si.nMin = info.nMin;
        m_si.nMax = info.nMax;
    }
    if (info.fMask & SIF_PAGE)
        m_si.nPage = info.nPage;
    if (info.fMask & SIF_POS)
        m_si.nPos = info.nPos;
    if (redraw)
        update();
    return true;
}

SkinScrollInfo CSkinScrollBar::GetScrollInfo(unsigned mask) const
{
    SkinScrollInfo out;
    out.fMask = mask;
    if (mask & SIF_RANGE) {
        out.nMin = m_si.nMin;
        out.nMax = m_si.nMax;
    }
    if (mask & SIF_PAGE)
        out.nPage = m_si.nPage;
    if (mask & SIF_POS)
        out.nPos = m_si.nPos;
    if (mask & SIF_TRACKPOS)
        out.nTrackPos = m_nTrackPos;
    return out;
}

int CSkinScrollBar::LastPosition() const
{
    return m_si.nPage > 0 ? std::max(m_si.nMax - m_si.nPage + 1, m_si.nMin) : m_si.nMax;
}

void CSkinScrollBar::Send(int code, int pos)
{
    SendWinMessage(parentWidget(), IsVertical() ? WM_VSCROLL : WM_HSCROLL,
                   MakeScrollWParam(code, pos), reinterpret_cast<intptr_t>(this));
}

// ---------------------------------------------------------------- mouse

void CSkinScrollBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    m_ptLast = point;
    const int part = HitTest(point);
    if (part == SB_THUMBTRACK) {
        m_bDragging = true;
        m_ptDragStart = point;
        m_nTrackPos = m_si.nPos;
        m_nDragStartPos = m_si.nPos;
        update();
        return;
    }
    if (part == -1)
        return;
    m_nPressedPart = part;
    Send(part, 0);
    m_timerFirst.start(FIRST_REPEAT_MS, this);
    m_bPointerOutside = false;
    update();
}

void CSkinScrollBar::mouseMoveEvent(QMouseEvent* event)
{
    OnMouseMoveAt(event->position().toPoint(), event->buttons() & Qt::LeftButton);
}

void CSkinScrollBar::OnMouseMoveAt(const QPoint& point, bool)
{
    m_ptLast = point;
    if (m_bDragging) {
        const Geometry g = ComputeGeometry();
        const int free = g.track - g.thumb;
        const int range = m_si.nMax - m_si.nMin;
        const int delta = Along(point) - Along(m_ptDragStart);
        const int step =
            free == 0
                ? 0
                : static_cast<int>(static_cast<long long>(delta) * (range - m_si.nPage + 1) / free);
        int pos = m_nDragStartPos + step;
        pos = std::min(pos, LastPosition());
        pos = std::max(pos, m_si.nMin);
        if (pos != m_nTrackPos) {
            m_nTrackPos = pos;
            update();
            Send(SB_THUMBTRACK, pos);
        }
        return;
    }
    if (m_nPressedPart != -1) {
        const bool outside = !GetPartRect(m_nPressedPart).contains(point);
        if (outside != m_bPointerOutside) {
            m_bPointerOutside = outside;
            update();
        }
        return;
    }
    const int hover = rect().contains(point) ? HitTest(point) : -1;
    if (hover != m_nHoverPart) {
        m_nHoverPart = hover;
        update();
    }
}

void CSkinScrollBar::leaveEvent(QEvent* event)
{
    if (!m_bDragging && m_nPressedPart == -1)
        OnMouseMoveAt(QPoint(-1, -1), false);
    QWidget::leaveEvent(event);
}

void CSkinScrollBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    if (m_bDragging) {
        m_bDragging = false;
        const int pos = m_nTrackPos;
        Send(SB_THUMBPOSITION, pos);
        m_nTrackPos = -1;
        update();
        return;
    }
    if (m_nPressedPart != -1) {
        StopTimers();
        m_nPressedPart = -1;
        update();
    }
}

void CSkinScrollBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A second click is a press like the first (the Windows bar swallows the double click,
    // and the press that follows repeats as usual).
    mousePressEvent(event);
}

void CSkinScrollBar::changeEvent(QEvent* event)
{
    // A bar that is disabled mid-press stops repeating and drops its drag.
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        StopTimers();
        m_nPressedPart = -1;
        if (m_bDragging) {
            m_bDragging = false;
            m_nTrackPos = -1;
        }
        m_nHoverPart = -1;
        update();
    }
    QWidget::changeEvent(event);
}

// ---------------------------------------------------------------- timers

void CSkinScrollBar::StopTimers()
{
    m_timerFirst.stop();
    m_timerRepeat.stop();
    m_bAutoRepeat = false;
}

bool CSkinScrollBar::IsTimerRunning(int id) const
{
    if (id == TIMER_FIRST_REPEAT)
        return m_timerFirst.isActive();
    if (id == TIMER_REPEAT)
        return m_timerRepeat.isActive();
    return false;
}

void CSkinScrollBar::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_timerFirst.timerId())
        OnTimer(TIMER_FIRST_REPEAT);
    else if (event->timerId() == m_timerRepeat.timerId())
        OnTimer(TIMER_REPEAT);
    else
        QWidget::timerEvent(event);
}

void CSkinScrollBar::OnTimer(int id)
{
    if (id == TIMER_FIRST_REPEAT) {
        if (!m_timerFirst.isActive())
            return;
        m_timerFirst.stop();
        m_bAutoRepeat = true;
        m_timerRepeat.start(REPEAT_MS, this);
    } else if (id != TIMER_REPEAT || !m_timerRepeat.isActive()) {
        return;
    }
    if (m_bPointerOutside)
        return;
    switch (m_nPressedPart) {
    case SB_LINEUP:
        if (m_si.nPos <= m_si.nMin)
            m_timerRepeat.stop();
        else
            Send(SB_LINEUP, 0);
        break;
    case SB_LINEDOWN:
        // The end is the last position a page allows, so a held arrow stops there instead
        // of asking for more every 100 ms.
        if (m_si.nPos >= LastPosition())
            m_timerRepeat.stop();
        else
            Send(SB_LINEDOWN, 0);
        break;
    case SB_PAGEUP:
    case SB_PAGEDOWN:
        if (GetPartRect(SB_THUMBTRACK).contains(m_ptLast))
            m_timerRepeat.stop();
        else
            Send(m_nPressedPart, 0);
        break;
    default:
        m_timerRepeat.stop();
        break;
    }
}

// ---------------------------------------------------------------- drawing

int CSkinScrollBar::PartState(int part) const
{
    if (part == SB_THUMBTRACK)
        return m_bDragging ? 2 : (m_nHoverPart == part ? 1 : 0);
    if (part == SB_LINEUP || part == SB_LINEDOWN) {
        if (m_nPressedPart == part)
            return m_bPointerOutside ? 0 : 2;
        return m_nHoverPart == part ? 1 : 0;
    }
    return 0;
}

void CSkinScrollBar::DrawArrow(QPainter& painter, int part) const
{
    const QRect target = GetPartRect(part);
    if (target.isEmpty())
        return;
    // Copied when the sizes match, stretched (nearest pixel) otherwise.
    DrawSkinPicture(painter, target, m_bmpSkin, GetImageRect(part, PartState(part)));
}

void CSkinScrollBar::DrawTrack(QPainter& painter, int part) const
{
    const QRect target = GetPartRect(part);
    if (target.isEmpty())
        return;
    const QRect cell = GetImageRect(part, 0);
    painter.save();
    painter.setClipRect(target);
    for (int y = target.top(); y <= target.bottom(); y += cell.height())
        for (int x = target.left(); x <= target.right(); x += cell.width())
            DrawSkinPicture(painter, QPoint(x, y), m_bmpSkin, cell);
    painter.restore();
}

void CSkinScrollBar::DrawThumb(QPainter& painter) const
{
    const QRect target = GetPartRect(SB_THUMBTRACK);
    if (target.isEmpty())
        return;
    const QRect cell = GetImageRect(SB_THUMBTRACK, PartState(SB_THUMBTRACK));
    painter.save();
    painter.setClipRect(target);
    if (IsVertical()) {
        const int middle = std::max(cell.height() - 2 * THUMB_END, 1);
        const QRect mid(cell.left(), cell.top() + THUMB_END, cell.width(), middle);
        for (int y = target.top() + THUMB_END; y < target.bottom() + 1 - THUMB_END; y += middle)
            DrawSkinPicture(painter, QPoint(target.left(), y), m_bmpSkin, mid);
        DrawSkinPicture(painter, target.topLeft(), m_bmpSkin,
                        QRect(cell.left(), cell.top(), cell.width(), THUMB_END));
        DrawSkinPicture(painter, QPoint(target.left(), target.bottom() + 1 - THUMB_END), m_bmpSkin,
                        QRect(cell.left(), cell.bottom() + 1 - THUMB_END, cell.width(), THUMB_END));
    } else {
        const int middle = std::max(cell.width() - 2 * THUMB_END, 1);
        const QRect mid(cell.left() + THUMB_END, cell.top(), middle, cell.height());
        for (int x = target.left() + THUMB_END; x < target.right() + 1 - THUMB_END; x += middle)
            DrawSkinPicture(painter, QPoint(x, target.top()), m_bmpSkin, mid);
        DrawSkinPicture(painter, target.topLeft(), m_bmpSkin,
                        QRect(cell.left(), cell.top(), THUMB_END, cell.height()));
        DrawSkinPicture(painter, QPoint(target.right() + 1 - THUMB_END, target.top()), m_bmpSkin,
                        QRect(cell.right() + 1 - THUMB_END, cell.top(), THUMB_END, cell.height()));
    }
    painter.restore();
}

void CSkinScrollBar::paintEvent(QPaintEvent*)
{
    if (m_bmpSkin.isNull() || m_nCellWidth <= 0 || m_nCellHeight <= 0)
        return;
    QPainter painter(this);
    DrawArrow(painter, SB_LINEUP);
    DrawArrow(painter, SB_LINEDOWN);
    DrawThumb(painter);
    DrawTrack(painter, SB_PAGEUP);
    DrawTrack(painter, SB_PAGEDOWN);
}

} // namespace zentro
