#pragma once

#include <QBasicTimer>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>

#include "controls/SkinScrollable.h"

// A scroll bar drawn from a skin bitmap of 9 x 3 equal cells (columns: up, down, thumb and
// track of a vertical bar; left, right, thumb and track of a horizontal bar; the size box.
// Rows: normal, hover, pressed). The cell width W is also the bar's thickness.
//
// The bar mirrors a scroll state (SetScrollInfo) and turns the user's presses and drags into
// WM_VSCROLL / WM_HSCROLL sent to its parent (wParam = MakeScrollWParam(code, position),
// lParam = the bar). Parts are numbered with the scroll codes they send: SB_LINEUP,
// SB_LINEDOWN, SB_PAGEUP (track before the thumb), SB_PAGEDOWN (track after), SB_THUMBTRACK
// (the thumb); -1 is outside every part.
//
// Geometry along the bar (L its length): T = max(L - 2W, 0); arrows W long when L > 2W, else
// L / 2 each; R = nMax - nMin; D = R - nPage + 1; the thumb is T * nPage / (R + 1) long, at
// least 12, when D > 0 and T >= 12, otherwise there is none; it stands at P * (T - G) / D
// (P the drag position while dragging, else nPos), or centred when D <= 0.
//
// Holding an arrow or the track repeats: the first request at the press, then after 500 ms
// one every 100 ms while the pointer stays on the pressed part, until the end is reached
// (arrows) or the thumb is under the pointer (track). The timers only run while the button
// is held. Dragging the thumb sends SB_THUMBTRACK for every new position and
// SB_THUMBPOSITION at the release.

namespace zentro {

class CSkinScrollBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int TIMER_FIRST_REPEAT = 200; // 500 ms after the press
    static constexpr int TIMER_REPEAT = 100;       // every 100 ms after that
    static constexpr int FIRST_REPEAT_MS = 500;
    static constexpr int REPEAT_MS = 100;
    static constexpr int MIN_THUMB = 12;
    static constexpr int THUMB_END = 6; // rows (columns) of the thumb cell kept at each end

    explicit CSkinScrollBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    // Takes the skin bitmap (shared, not copied), W = width / 9, H = height / 3, and makes the
    // bar W thick, keeping its place.
    void SetBitmap(const QImage& bitmap);

    bool IsVertical() const { return m_orientation == Qt::Vertical; }
    int HitTest(const QPoint& point) const;
    QRect GetPartRect(int part) const;
    // The source cell of a part in a state (0 normal, 1 hover, 2 pressed) in the skin bitmap.
    QRect GetImageRect(int part, int state) const;
    // Thumb length for the current state (0: no thumb).
    int ThumbLength() const;

    // Stores the fields fMask names; repaints when asked. Always true.
    bool SetScrollInfo(const SkinScrollInfo& info, bool redraw);
    // The mirror's fields, SIF_TRACKPOS from the drag position.
    SkinScrollInfo GetScrollInfo(unsigned mask = SIF_ALL) const;

    // The two repeat timers (also called by the timer events).
    void OnTimer(int id);
    bool IsTimerRunning(int id) const;
    bool IsDragging() const { return m_bDragging; }

    // The state a part is drawn in: 0 normal, 1 hover, 2 pressed.
    int PartState(int part) const;

    // The last scroll position the bar can reach: nMax - nPage + 1 (nMax without a page).
    int LastPosition() const;

    QImage m_bmpSkin;
    int m_nCellWidth = 0;
    int m_nCellHeight = 0;
    int m_nLength = 0;
    SkinScrollInfo m_si;
    int m_nTrackPos = -1;
    bool m_bDragging = false;
    QPoint m_ptDragStart;
    int m_nDragStartPos = 0;
    int m_nPressedPart = -1;
    bool m_bAutoRepeat = false;
    bool m_bPointerOutside = false;
    int m_nHoverPart = -1;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Geometry {
        int arrow = 0;  // A
        int track = 0;  // T
        int thumb = 0;  // G
        int offset = 0; // O
    };
    Geometry ComputeGeometry() const;
    int Along(const QPoint& point) const { return IsVertical() ? point.y() : point.x(); }
    QRect AxisRect(int start, int end) const;
    void Send(int code, int pos);
    void StopTimers();
    void OnMouseMoveAt(const QPoint& point, bool leftHeld);
    void DrawArrow(QPainter& painter, int part) const;
    void DrawTrack(QPainter& painter, int part) const;
    void DrawThumb(QPainter& painter) const;

    Qt::Orientation m_orientation;
    QBasicTimer m_timerFirst;
    QBasicTimer m_timerRepeat;
    QPoint m_ptLast;
};

} // namespace zentro
