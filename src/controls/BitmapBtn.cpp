#include "controls/BitmapBtn.h"

#include "controls/SkinImage.h"
#include "controls/SkinKit.h"
#include "text/LanguageTexts.h"
#include "controls/WinMessage.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <atomic>

namespace zentro {

namespace {

uintptr_t MouseKeyFlags(const QMouseEvent* event)
{
    uintptr_t flags = 0;
    const Qt::MouseButtons buttons = event->buttons();
    if (buttons & Qt::LeftButton) {
        flags |= MK_LBUTTON;
    }
    if (buttons & Qt::RightButton) {
        flags |= MK_RBUTTON;
    }
    if (buttons & Qt::MiddleButton) {
        flags |= MK_MBUTTON;
    }
    if (buttons & Qt::XButton1) {
        flags |= MK_XBUTTON1;
    }
    if (buttons & Qt::XButton2) {
        flags |= MK_XBUTTON2;
    }
    if (event->modifiers() & Qt::ShiftModifier) {
        flags |= MK_SHIFT;
    }
    if (event->modifiers() & Qt::ControlModifier) {
        flags |= MK_CONTROL;
    }
    return flags;
}

} // namespace

CBitmapBtn::CBitmapBtn(QWidget* parent) : QAbstractButton(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setCheckable(false);
    setAutoRepeat(false);
}

CBitmapBtn::~CBitmapBtn() = default;

bool CBitmapBtn::Create(const QString& caption, const QRect& rect, QWidget* parent)
{
    setParent(parent);
    setText(caption);
    setGeometry(rect);
    show();
    return true;
}

void CBitmapBtn::SetImages(const QRect& source, const QImage& normal, const QImage& hover,
                           const QImage& pressed, const QImage& disabled)
{
    auto part = [&source](const QImage& picture) { return CropBitmap(picture, source); };
    m_bmpNormal = part(normal);
    m_bmpHover = part(hover);
    m_bmpPressed = part(pressed);
    m_bmpDisabled = part(disabled);
    update();
}

void CBitmapBtn::SetCaption(const QString& caption)
{
    m_strCaption = caption;
    // A screen reader reads the caption; a button without one keeps the name its owner gave.
    if (!caption.isEmpty())
        setAccessibleName(caption);
    update();
}

void CBitmapBtn::SetSelected(int selected)
{
    if (m_bSelected != selected) {
        m_bSelected = selected;
        update();
    }
}

CBitmapBtn* CBitmapBtn::CreateSkinned(QWidget* parent, const QRect& rect, const QString& normal,
                                      const QString& hover, const QString& pressed,
                                      const QString& disabled, int captionEntry, int align,
                                      int indent)
{
    auto* button = new CBitmapBtn(parent);
    button->Create(QString(), rect, parent);
    const QRect source(0, 0, rect.width(), rect.height());
    button->SetImages(source, SkinBitmap(normal), SkinBitmap(hover), SkinBitmap(pressed),
                      SkinBitmap(disabled));
    button->m_nCaptionHeight = 13;
    button->m_strCaptionFace = QString::fromStdString(UiFaceName());
    button->m_nCaptionAlign = align;
    button->m_nCaptionIndent = indent;
    if (captionEntry >= 0)
        button->SetCaption(UiText(captionEntry));
    return button;
}

const QImage& CBitmapBtn::CurrentPicture() const
{
    if (!isEnabled()) {
        return m_bmpDisabled;
    }
    if (m_bSelected != 0 || isDown()) {
        return m_bmpPressed;
    }
    if (m_bHover != 0) {
        return m_bmpHover;
    }
    return m_bmpNormal;
}

QColor CBitmapBtn::CurrentCaptionColor() const
{
    if (m_bHover != 0) {
        return m_crCaptionHover;
    }
    if (!isEnabled()) {
        return m_crCaptionDisabled;
    }
    if (isDown() || m_bSelected != 0) {
        return m_crCaptionPressed;
    }
    return m_crCaption;
}

void CBitmapBtn::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QImage& picture = CurrentPicture();
    if (!picture.isNull()) {
        DrawSkinPicture(painter, QPoint(0, 0), picture, QRect(0, 0, width(), height()));
    }
    if (m_strCaption.isEmpty()) {
        return;
    }

    // Weight 550; a fixed-pitch face stands in when the face is not installed.
    const QFont& font = SkinFont(m_strCaptionFace, m_nCaptionHeight, 550, QFont::TypeWriter);
    painter.setFont(font);
    painter.setPen(CurrentCaptionColor());
    painter.setBackgroundMode(Qt::TransparentMode);

    QRect textRect = rect();
    int left = 5;
    if (m_nCaptionAlign == 1 && m_nCaptionIndent >= 1) {
        left += m_nCaptionIndent;
    }
    textRect.setLeft(textRect.left() + left);
    const QString shown =
        QFontMetrics(font).elidedText(m_strCaption, Qt::ElideRight, textRect.width());
    const int align = Qt::AlignVCenter | Qt::TextSingleLine |
                      (m_nCaptionAlign == 0 ? Qt::AlignHCenter : Qt::AlignLeft);
    painter.drawText(textRect, align, shown);
}

void CBitmapBtn::mouseMoveEvent(QMouseEvent* event)
{
    QAbstractButton::mouseMoveEvent(event);

    const bool leftDown = (event->buttons() & Qt::LeftButton) != 0;
    if (leftDown && m_bHover == 0) {
        return; // a drag that started elsewhere does not light the button
    }
    const bool inside = rect().contains(event->position().toPoint());
    if (!m_bHoldsCapture && inside) {
        if (QApplication::activeWindow() != nullptr && parentWidget() != nullptr) {
            m_bHover = 1;
            m_bHoldsCapture = true;
            update();
        }
    } else if (!inside) {
        if (m_bHover == 1) {
            m_bHover = 0;
            update();
        }
        if (!leftDown) {
            m_bHoldsCapture = false;
        }
    }
    PostWinMessage(parentWidget(), WM_MOUSEMOVE, MouseKeyFlags(event),
                   MakePointLParam(event->globalPosition().toPoint()));
}

void CBitmapBtn::mousePressEvent(QMouseEvent* event)
{
    QWidget* owner = parentWidget();
    if (owner != nullptr && event->button() == Qt::LeftButton &&
        owner->window() != QApplication::activeWindow()) {
        owner->window()->activateWindow();
    }
    QAbstractButton::mousePressEvent(event);
}

void CBitmapBtn::mouseReleaseEvent(QMouseEvent* event)
{
    // The click handler may hide or delete the button; keep what is needed afterwards.
    const QPointer<CBitmapBtn> self(this);
    const QPointer<QWidget> owner(parentWidget());
    const bool left = event->button() == Qt::LeftButton;

    QAbstractButton::mouseReleaseEvent(event); // emits clicked()

    if (!left) {
        return;
    }
    if (owner) {
        PostWinMessage(owner, WM_LBUTTONUP, 0, 0);
    }
    // The press's own capture ends with the release; the hover mark stays until the next
    // move decides again.
    if (self) {
        ReleaseHoverCapture();
    }
}

void CBitmapBtn::leaveEvent(QEvent* event)
{
    QAbstractButton::leaveEvent(event);
    // Stands in for the captured move outside the button.
    if (m_bHover == 1) {
        m_bHover = 0;
        update();
    }
    if ((QGuiApplication::mouseButtons() & Qt::LeftButton) == 0) {
        m_bHoldsCapture = false;
    }
}

void CBitmapBtn::focusOutEvent(QFocusEvent* event)
{
    QAbstractButton::focusOutEvent(event);
    m_bHover = 0;
    update();
}

void CBitmapBtn::hideEvent(QHideEvent* event)
{
    QAbstractButton::hideEvent(event);
    // A hidden button sees no more moves; it must not come back lit.
    m_bHover = 0;
    m_bHoldsCapture = false;
}

void CBitmapBtn::changeEvent(QEvent* event)
{
    QAbstractButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        ReleaseHoverCapture();
    }
}

void CBitmapBtn::keyPressEvent(QKeyEvent* event)
{
    QWidget::keyPressEvent(event); // keys never click; the dialog decides
}

void CBitmapBtn::keyReleaseEvent(QKeyEvent* event)
{
    QWidget::keyReleaseEvent(event);
}

void CBitmapBtn::ReleaseHoverCapture()
{
    if (m_bHoldsCapture) {
        m_bHoldsCapture = false;
        update();
    }
}

} // namespace zentro
