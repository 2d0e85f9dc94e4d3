#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include <cstdint>

// CBitmapBtn: the skinned push button of every window, drawn from four state pictures (normal,
// hover, pressed, disabled) with an optional one-line caption.
//
// Picture shown: disabled -> disabled picture; else m_bSelected -> pressed; else pressed by
// the mouse -> pressed; else m_bHover -> hover; else normal.
//
// What the owner (the parent widget) gets:
//   - the clicked() signal for a click; all buttons of a window are told apart by sender();
//   - a posted WM_MOUSEMOVE (wParam = MK_* flags, lParam = cursor position in screen
//     coordinates, see MakePointLParam) for every mouse move the button handles;
//   - a posted WM_LBUTTONUP (0, 0) after every left-button release the button receives.
// Messages arrive as CWinMessageEvent (controls/WinMessage.h).
//
// Hover. The button lights when the mouse moves onto it while the application has an active
// window, and stays lit until the cursor leaves it. A move with the left button held does not
// light a button that is not already lit, so a drag that started elsewhere leaves it dark.
// The Windows button held the mouse capture while hovered to see the cursor leave; here the
// button keeps a "holds capture" flag instead and uses mouse tracking plus Qt's leave event
// (no QWidget::grabMouse, so it can never steal clicks meant for another widget). While the
// left button is held after a press on the button, Qt's implicit grab keeps delivering moves,
// which clears the hover as soon as the cursor is outside.
//
// The button takes focus on click (losing it clears the hover) but never reacts to keys:
// Space, Enter and the rest go to the dialog.

namespace zentro {

class CBitmapBtn : public QAbstractButton {
    Q_OBJECT
public:
    explicit CBitmapBtn(QWidget* parent = nullptr);
    ~CBitmapBtn() override;

    // Puts the button into parent at rect (parent coordinates) and shows it. The caption given
    // here becomes the widget's text only; the drawn caption is set with SetCaption.
    bool Create(const QString& caption, const QRect& rect, QWidget* parent);

    // Copies the part of each picture inside source into a bitmap of source's size owned by
    // the button, replacing the previous one. Pictures are kept opaque (see MakePlainBitmap);
    // a null picture leaves that state blank. The same picture may be passed several times.
    void SetImages(const QRect& source, const QImage& normal, const QImage& hover,
                   const QImage& pressed, const QImage& disabled);

    // Sets the drawn caption; a non-empty caption is also the button's accessible name.
    void SetCaption(const QString& caption);
    QString GetCaption() const { return m_strCaption; }

    // Sets m_bSelected and repaints when it changed.
    void SetSelected(int selected);

    // A skinned button of `parent` at `rect`: the four state pictures are skin paths (cut at
    // the button's size from their top-left corner); a caption entry >= 0 gives it that text of
    // the current language, 13 pixels high, in the language's face.
    static CBitmapBtn* CreateSkinned(QWidget* parent, const QRect& rect, const QString& normal,
                                     const QString& hover, const QString& pressed,
                                     const QString& disabled, int captionEntry = -1, int align = 1,
                                     int indent = 0);

    // Caption settings and state; owners write these directly (call update() after a change).
    int m_nCaptionHeight = 14; // caption font height in pixels
    int m_nCaptionIndent = 0;  // extra left margin of a left-aligned caption, used when >= 1
    QColor m_crCaption{253, 253, 253};
    int m_bSelected = 0; // non-zero: shows the pressed picture
    int m_bHover = 0;    // the cursor is over the button
    QColor m_crCaptionHover{253, 253, 253};
    QColor m_crCaptionDisabled{253, 253, 253};
    QColor m_crCaptionPressed{253, 253, 253};
    QString m_strCaptionFace;
    QImage m_bmpNormal;
    QImage m_bmpHover;
    QImage m_bmpPressed;
    QImage m_bmpDisabled;
    QString m_strCaption;    // empty: no caption is drawn
    int m_nCaptionAlign = 1; // 0 = centred, 1 = left-aligned

    // The picture the button shows in its current state.
    const QImage& CurrentPicture() const;
    // The caption colour for the current state.
    QColor CurrentCaptionColor() const;
    // Whether the button is tracking the cursor (the Windows mouse capture).
    bool HoldsCapture() const { return m_bHoldsCapture; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void ReleaseHoverCapture();

    bool m_bHoldsCapture = false;
};

} // namespace zentro
