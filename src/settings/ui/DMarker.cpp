#include "settings/ui/DMarker.h"

#include "controls/SkinImage.h"
#include "controls/SkinKit.h"
#include "controls/WinMessage.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace zentro {

CMarkerSlider::CMarkerSlider(QWidget* parent) : QWidget(parent), m_pParent(parent)
{
    setFocusPolicy(Qt::TabFocus);
    InstallAccessibility();
}

bool CMarkerSlider::Create(const QRect& rect, QWidget* parent, int id)
{
    m_nID = id;
    m_bInputEnabled = 1;
    m_nMin = 0;
    m_nMax = 10;
    m_nPos = 0;
    m_bTracking = 0;
    m_rcMarker = rect;
    m_pParent = parent;
    setParent(parent);
    setGeometry(rect);
    show();
    return true;
}

void CMarkerSlider::SetBitmaps(const QRect& source, const QImage& track, const QImage& fill)
{
    auto part = [&source](const QImage& picture) { return CropBitmap(picture, source); };
    m_bmpTrack = part(track);
    m_bmpFill = part(fill);
    update();
}

void CMarkerSlider::SetPos(int v)
{
    const int was = m_nPos;
    m_nPos = (v < m_nMin || v > m_nMax) ? m_nMin : v;
    if (m_nPos != was)
        NotifySliderValue(this);
    if (isVisible()) {
        repaint();
    } else {
        update();
    }
}

void CMarkerSlider::SetMarkerRect(const QRect& rect)
{
    m_rcMarker = rect;
    setGeometry(rect);
    update();
}

int CMarkerSlider::ComputeFill(int length, int pos, int min, int max)
{
    const int divisor = max - min - 1;
    if (divisor <= 0) {
        // Too short a range for the usual divisor (it would divide by zero).
        return pos > min ? length : 0;
    }
    return length * (pos - min) / divisor;
}

int CMarkerSlider::FillExtent() const
{
    return ComputeFill(AxisLength(), m_nPos, m_nMin, m_nMax);
}

void CMarkerSlider::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int w = m_rcMarker.width();
    const int h = m_rcMarker.height();
    if (!m_bmpTrack.isNull()) {
        DrawSkinPicture(painter, QPoint(0, 0), m_bmpTrack, QRect(0, 0, w, h));
    }
    const int fill = std::min(FillExtent(), AxisLength());
    if (fill > 0 && !m_bmpFill.isNull()) {
        PaintFill(painter, fill);
    }
}

QPoint CMarkerSlider::ToParent(const QPointF& local) const
{
    return mapToParent(local.toPoint());
}

void CMarkerSlider::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_bInputEnabled != 0) {
        m_bTracking = 1; // Qt's implicit grab keeps the moves coming to us
    }
    QWidget::mousePressEvent(event);
}

void CMarkerSlider::mouseMoveEvent(QMouseEvent* event)
{
    if (m_bTracking == 1) {
        const int was = m_nPos;
        m_nPos = PositionFromPoint(ToParent(event->position()));
        if (m_nPos != was)
            NotifySliderValue(this);
        update();
    }
    QWidget::mouseMoveEvent(event);
}

void CMarkerSlider::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_bTracking = 0;
    const int was = m_nPos;
    m_nPos = PositionFromPoint(ToParent(event->position()));
    if (m_nPos != was)
        NotifySliderValue(this);
    PostWinMessage(m_pParent, WM_MARKER_CHANGED, static_cast<uintptr_t>(m_nPos), m_nID);
    QWidget::mouseReleaseEvent(event);
    update();
}

void CMarkerSlider::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    m_bTracking = 0;
    update();
}

namespace {

int LimitToRange(int pos, int min, int max)
{
    return pos < min ? min : (pos > max ? max : pos);
}

} // namespace

CDMarker::CDMarker(QWidget* parent) : CMarkerSlider(parent)
{
}

int CDMarker::AxisLength() const
{
    return m_rcMarker.width();
}

int CDMarker::PositionFromPoint(const QPoint& parentPoint) const
{
    const int left = m_rcMarker.left();
    const int w = m_rcMarker.width();
    if (w <= 0) {
        return m_nMin;
    }
    const int x = std::max(parentPoint.x(), left);
    return LimitToRange((m_nMax - m_nMin) * (x - left) / w + m_nMin, m_nMin, m_nMax);
}

void CDMarker::PaintFill(QPainter& painter, int fill) const
{
    DrawSkinPicture(painter, QPoint(0, 0), m_bmpFill, QRect(0, 0, fill, m_rcMarker.height()));
}

CDMarkerV::CDMarkerV(QWidget* parent) : CMarkerSlider(parent)
{
}

int CDMarkerV::AxisLength() const
{
    return m_rcMarker.height();
}

int CDMarkerV::PositionFromPoint(const QPoint& parentPoint) const
{
    const int h = m_rcMarker.height();
    if (h <= 0) {
        return m_nMin;
    }
    const int bottom = m_rcMarker.top() + h; // exclusive, as the layouts give it
    const int y = std::min(parentPoint.y(), bottom);
    return LimitToRange((m_nMax - m_nMin) * (bottom - y) / h + m_nMin, m_nMin, m_nMax);
}

void CDMarkerV::PaintFill(QPainter& painter, int fill) const
{
    const int h = m_rcMarker.height();
    DrawSkinPicture(painter, QPoint(0, h - fill), m_bmpFill, QRect(0, 0, m_rcMarker.width(), fill));
}

} // namespace zentro
