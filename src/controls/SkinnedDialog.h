#pragma once

#include <QDialog>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <vector>

#include "controls/Accessible.h"

// CSkinnedDialog: the ground of the program's small modal dialogs (key and macro assignment):
// no caption bar, the window sized to its background picture, painted buttons with a hover
// picture and a centred caption, and dragging by any press outside the active areas.
//
// Enter, Escape, Space and F1 neither close the dialog nor press anything. A window-manager
// close (Alt+F4) cancels, as the close button does.
//
// Derived dialogs add their buttons with AddButton, draw their content in PaintContent (the
// buttons are drawn over it) and handle presses in OnPress.
//
// Screen readers see the painted buttons as push buttons named by their caption; the one drawn
// with the close picture is named "Close" in the current language.

namespace zentro {

class CSkinnedDialog : public QDialog, public IPaintedControls {
    Q_OBJECT
public:
    explicit CSkinnedDialog(QWidget* parent = nullptr);

    // The painted buttons, for screen readers; derived dialogs add what they paint themselves.
    std::vector<SPaintedControl> PaintedControls() const override;

    // Index of the painted button under `point` (client coordinates), -1 for none.
    int ButtonAt(const QPoint& point) const;
    // Whether button `index` shows its hover picture.
    bool IsButtonHover(int index) const;
    bool HasBackground() const { return !m_imgBackground.isNull(); }

protected:
    struct SkinButton {
        QRect rect;
        QString normal; // skin picture paths
        QString over;
        QString caption;
        bool hover = false;
    };

    // Loads the background picture and sizes the window to it; a missing picture leaves the
    // window at `fallback` and returns false.
    bool LoadBackground(const QString& relative, const QSize& fallback);
    int AddButton(const QRect& rect, const QString& normal, const QString& over,
                  const QString& caption = QString());

    virtual void PaintContent(QPainter&) {}
    // A left press at `point`; true when it was taken. Unhandled presses move the window.
    virtual bool OnPress(const QPoint&) { return false; }
    // Starts moving the window by the press.
    void StartMove(QMouseEvent* event);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

    QFont m_font;
    std::vector<SkinButton> m_buttons;

private:
    void SetHover(int index);

    QImage m_imgBackground;
    bool m_bDragging = false;
    QPoint m_ptDragOffset;
};

} // namespace zentro
