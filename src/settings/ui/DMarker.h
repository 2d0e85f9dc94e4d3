#pragma once

#include <QImage>

#include "controls/Accessible.h"
#include <QRect>
#include <QWidget>

#include <cstdint>

// Marker sliders: a small skinned control showing an integer position as a filled bar; the
// user sets it by clicking or dragging. CDMarker fills from the left, CDMarkerV from the
// bottom. While the user drags only the slider follows; the parent learns the new position
// when the left button is released, from a posted WM_MARKER_CHANGED (wParam = position,
// lParam = control ID) arriving as CWinMessageEvent (controls/WinMessage.h).
//
// Geometry. m_rcMarker is the slider's rectangle in its parent's coordinates and drives both
// the painting and the pointer-to-position rule; SetMarkerRect moves the widget and sets it.
//
// Fill: f = length * (pos - min) / (max - min - 1), integer division, cut off at the slider's
// edge. The bar is therefore already full one position below the maximum. A range spanning
// fewer than three positions has no such divisor: it shows an empty bar at the minimum and a
// full bar above it.
//
// Pointer to position (parent coordinates): horizontal x < left counts as left,
// pos = (max - min) * (x - left) / w + min; vertical y > bottom counts as bottom,
// pos = (max - min) * (bottom - y) / h + min; integer division, limited to min..max. Right and
// bottom are exclusive, so the pixel just past the track's far end gives the maximum.

namespace zentro {

// Parent notification of a marker slider.
constexpr uint32_t WM_MARKER_CHANGED = 0x2B15;

// Shared state and behaviour of the two slider forms.
class CMarkerSlider : public QWidget, public ISliderValue {
    Q_OBJECT
public:
    // What a screen reader reads: a slider from m_nMin to m_nMax at m_nPos.
    int SliderMinimum() const override { return m_nMin; }
    int SliderMaximum() const override { return m_nMax; }
    int SliderValue() const override { return m_nPos; }

    // Stores the ID, resets range (0..10), position (0) and tracking, remembers rect (parent
    // coordinates) and parent, and shows the slider as a child of parent at rect.
    bool Create(const QRect& rect, QWidget* parent, int id);

    // Copies the part of each picture inside source into an opaque bitmap owned by the slider.
    void SetBitmaps(const QRect& source, const QImage& track, const QImage& fill);

    // m_nPos := v, or m_nMin when v is outside m_nMin..m_nMax; repaints at once. Posts nothing.
    void SetPos(int v);
    int GetPos() const { return m_nPos; }

    // Moves the widget to rect (parent coordinates) and sets m_rcMarker to the same.
    void SetMarkerRect(const QRect& rect);

    // The filled extent for the current state.
    int FillExtent() const;
    // The position a point in parent coordinates stands for.
    virtual int PositionFromPoint(const QPoint& parentPoint) const = 0;

    static int ComputeFill(int length, int pos, int min, int max);

    int m_nID = 0;
    QImage m_bmpTrack;
    QImage m_bmpFill;
    int m_bTracking = 0;          // 1 while a drag that started on the slider is in progress
    QRect m_rcMarker;             // the slider's rectangle in its parent's coordinates
    QWidget* m_pParent = nullptr; // receives the reports
    int m_nMin = 0;
    int m_nMax = 10;
    int m_nPos = 0;
    int m_bInputEnabled = 1; // a press starts tracking only while this is non-zero

protected:
    explicit CMarkerSlider(QWidget* parent);

    // Extent along the slider's axis (w for horizontal, h for vertical).
    virtual int AxisLength() const = 0;
    // Paints the first `fill` pixels of the filled picture.
    virtual void PaintFill(QPainter& painter, int fill) const = 0;

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QPoint ToParent(const QPointF& local) const;
};

// Horizontal marker slider: the bar grows from the left edge.
class CDMarker : public CMarkerSlider {
    Q_OBJECT
public:
    explicit CDMarker(QWidget* parent = nullptr);
    int PositionFromPoint(const QPoint& parentPoint) const override;

protected:
    int AxisLength() const override;
    void PaintFill(QPainter& painter, int fill) const override;
};

// Vertical marker slider: the bar grows upwards from the bottom edge.
class CDMarkerV : public CMarkerSlider {
    Q_OBJECT
public:
    explicit CDMarkerV(QWidget* parent = nullptr);
    int PositionFromPoint(const QPoint& parentPoint) const override;

protected:
    int AxisLength() const override;
    void PaintFill(QPainter& painter, int fill) const override;
};

} // namespace zentro
