#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

#include "controls/SkinScrollable.h"

// The frame that gives a scrolling window skinned scroll bars. The frame takes the window's
// place (parent, rectangle, visibility), holds the window and the bars, keeps the window as
// wide and high as the frame less the bars' thickness, and passes every request of a bar to
// the window as a scroll request. The bars follow the window's scroll state through its
// change notification, never by polling. When the window goes away the frame goes with it.

namespace zentro {

class CSkinScrollBar;

class CSkinScrollWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int ID_HORZ = 100;
    static constexpr int ID_VERT = 101;

    CSkinScrollWnd();
    ~CSkinScrollWnd() override;

    // Wraps `window` (which also implements `scrollable`) with bars cut from `bitmap`. False
    // when the window is missing or already wrapped.
    bool Attach(QWidget* window, ISkinScrollable* scrollable, const QImage& bitmap);
    // Puts the window back where the frame stands, in the frame's parent; the frame stays,
    // empty. True also when nothing is attached.
    bool Detach();

    // Copies the window's scroll state into each visible bar that is not being dragged, and
    // enables a bar exactly when the window allows scrolling and nMax >= nPage.
    void SyncBars();

    QWidget* Window() const { return m_pWindow; }
    CSkinScrollBar* m_sbHorz = nullptr;
    CSkinScrollBar* m_sbVert = nullptr;
    QImage m_bmpSkin;
    int m_nCellWidth = 16;
    int m_nCornerMode = 0; // 0 none, 2 size box at the bottom right
    bool m_bBusy = false;

protected:
    bool event(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void Relayout();
    void SyncBar(CSkinScrollBar* bar, Qt::Orientation orientation);
    void OnBarRequest(Qt::Orientation orientation, int code, int pos);

    QPointer<QWidget> m_pWindow;
    ISkinScrollable* m_pScrollable = nullptr;
    QPointer<QWidget> m_pOwner; // the window's parent when it was attached
};

// Creates a frame around `window` in the window's parent; the frame is owned by that parent.
// Null when the window is missing.
CSkinScrollWnd* AttachSkinScrollBars(QWidget* window, ISkinScrollable* scrollable,
                                     const QImage& bitmap);

} // namespace zentro
