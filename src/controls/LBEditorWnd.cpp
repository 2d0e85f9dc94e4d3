#include "controls/LBEditorWnd.h"

#include <QCoreApplication>
#include <algorithm>
#include <QKeyEvent>
#include <QRegularExpressionValidator>

#include "controls/ListBoxEx.h"
#include "controls/WinMessage.h"

namespace zentro {

uint8_t g_nEditMode = 0;

QString FormatDelayEntry(const QString& text)
{
    constexpr long MAX_DELAY = 65535;
    long value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        value = std::min(MAX_DELAY + 1, value * 10 + (c.unicode() - '0'));
    }
    return QString::number(std::min(value, MAX_DELAY)) + QStringLiteral(" ms");
}

CLBEditorWnd::CLBEditorWnd(CListBoxEx* listBox) : QLineEdit(listBox), m_pListBox(listBox)
{
    hide();
}

CLBEditorWnd::~CLBEditorWnd()
{
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
}

bool CLBEditorWnd::Start(int index, bool digitsOnly)
{
    if (!m_pListBox || index < 0 || index >= m_pListBox->count()) {
        m_bEnded = true;
        deleteLater();
        return false;
    }
    m_nIndex = index;
    const QString text = m_pListBox->item(index)->text();
    setGeometry(m_pListBox->ItemRect(index).adjusted(-1, -1, 1, 1));
    if (digitsOnly)
        setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    setFont(m_pListBox->font());
    setText(text);
    show();
    raise();
    grabMouse();
    setFocus(Qt::OtherFocusReason);
    selectAll();
    return true;
}

void CLBEditorWnd::End(bool commit)
{
    if (m_bEnded)
        return;
    m_bEnded = true;
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
    if (commit && m_pListBox && m_nIndex < m_pListBox->count()) {
        QString result = text();
        if (g_nEditMode == EDIT_MODE_DELAY)
            result = FormatDelayEntry(result);
        if (!m_fnAccept || m_fnAccept(result)) {
            const QSignalBlocker block(
                m_pListBox); // one replacement, not a removal and an insertion
            delete m_pListBox->takeItem(m_nIndex);
            m_pListBox->insertItem(m_nIndex, result);
            m_pListBox->setCurrentRow(m_nIndex);
            m_pListBox->viewport()->update();
        }
    }
    QCoreApplication::removePostedEvents(this);
    PostWinMessage(m_pListBox, WM_LEBEDIT_END, CONTROL_ID, m_nIndex);
    hide();
    deleteLater();
}

bool CLBEditorWnd::event(QEvent* event)
{
    // Tab would move the focus on; here it ends the edit with commit.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            End(true);
            return true;
        }
    }
    // Every key belongs to the editor, so no shortcut or dialog sees it.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void CLBEditorWnd::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        End(false);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        End(true);
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void CLBEditorWnd::mousePressEvent(QMouseEvent* event)
{
    // The editor holds the mouse: a press anywhere else ends the edit.
    if (!rect().contains(event->position().toPoint())) {
        End(true);
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void CLBEditorWnd::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // A popup (the field's own context menu) takes the focus only for a while.
    if (event->reason() != Qt::PopupFocusReason)
        End(true);
}

void ResetListEditorStateForTest()
{
    g_nEditMode = 0;
}

} // namespace zentro
