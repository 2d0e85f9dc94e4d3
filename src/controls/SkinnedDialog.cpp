#include "controls/SkinnedDialog.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "controls/SkinImage.h"
#include "controls/SkinKit.h"
#include "text/LanguageTexts.h"

namespace zentro {

CSkinnedDialog::CSkinnedDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setModal(true);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    InstallAccessibility();
}

std::vector<SPaintedControl> CSkinnedDialog::PaintedControls() const
{
    std::vector<SPaintedControl> controls;
    for (const SkinButton& button : m_buttons) {
        QString name = button.caption;
        if (name.isEmpty() &&
            button.normal.contains(QLatin1String("button-close"), Qt::CaseInsensitive))
            name = QString::fromStdString(ProgramText(IDP_CLOSE));
        controls.push_back({button.rect, QAccessible::Button, name, false, false, QString()});
    }
    return controls;
}

bool CSkinnedDialog::LoadBackground(const QString& relative, const QSize& fallback)
{
    m_imgBackground = SkinBitmap(relative);
    setFixedSize(m_imgBackground.isNull() ? fallback : m_imgBackground.size());
    return !m_imgBackground.isNull();
}

int CSkinnedDialog::AddButton(const QRect& rect, const QString& normal, const QString& over,
                              const QString& caption)
{
    m_buttons.push_back({rect, normal, over, caption, false});
    return static_cast<int>(m_buttons.size()) - 1;
}

int CSkinnedDialog::ButtonAt(const QPoint& point) const
{
    for (size_t i = 0; i < m_buttons.size(); ++i)
        if (m_buttons[i].rect.contains(point))
            return static_cast<int>(i);
    return -1;
}

bool CSkinnedDialog::IsButtonHover(int index) const
{
    return index >= 0 && index < static_cast<int>(m_buttons.size()) && m_buttons[index].hover;
}

void CSkinnedDialog::SetHover(int index)
{
    bool changed = false;
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        const bool want = static_cast<int>(i) == index;
        if (m_buttons[i].hover != want) {
            m_buttons[i].hover = want;
            changed = true;
        }
    }
    if (changed)
        update();
}

void CSkinnedDialog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_imgBackground.isNull()) {
        painter.fillRect(rect(), Qt::black);
    } else {
        DrawSkinPicture(painter, QPoint(0, 0), m_imgBackground);
    }
    painter.setFont(m_font);
    PaintContent(painter);
    for (const SkinButton& button : m_buttons) {
        if (!HasBackground())
            break; // a dialog without its picture has no content, only working areas
        DrawSkin(painter, button.hover ? button.over : button.normal, button.rect.left(),
                 button.rect.top());
        if (!button.caption.isEmpty()) {
            painter.setPen(Qt::white);
            DrawSkinText(painter, button.rect, Qt::AlignCenter, button.caption);
        }
    }
}

void CSkinnedDialog::StartMove(QMouseEvent* event)
{
    if (windowHandle() != nullptr && windowHandle()->startSystemMove())
        return;
    m_bDragging = true;
    m_ptDragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void CSkinnedDialog::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (!OnPress(event->position().toPoint()))
        StartMove(event);
}

void CSkinnedDialog::mouseMoveEvent(QMouseEvent* event)
{
    if (m_bDragging && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - m_ptDragOffset);
        return;
    }
    SetHover(ButtonAt(event->position().toPoint()));
}

void CSkinnedDialog::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_bDragging = false;
}

void CSkinnedDialog::leaveEvent(QEvent*)
{
    SetHover(-1);
}

void CSkinnedDialog::keyPressEvent(QKeyEvent* event)
{
    // QDialog would close on Escape and press the default button on Enter; keys do nothing.
    event->accept();
}

void CSkinnedDialog::keyReleaseEvent(QKeyEvent* event)
{
    event->accept();
}

} // namespace zentro
