#include "controls/ListBoxEx.h"

#include <QPainter>
#include <QStyledItemDelegate>

#include "controls/WinMessage.h"

namespace zentro {

namespace {

// DrawItem of the list: the whole entry is painted here, nothing by the style.
class CListBoxExDelegate : public QStyledItemDelegate {
public:
    explicit CListBoxExDelegate(CListBoxEx* list) : QStyledItemDelegate(list), m_pList(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        if (m_pList->count() == 0)
            return;
        const QString text = index.data(Qt::DisplayRole).toString();
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        const QPalette& palette = m_pList->palette();
        painter->fillRect(option.rect,
                          selected ? m_pList->m_crSelBack : palette.color(QPalette::Base));
        painter->setPen(selected ? m_pList->m_crSelText : palette.color(QPalette::Text));
        painter->setFont(m_pList->font());
        painter->drawText(option.rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        return {option.rect.width(), m_pList->ItemHeight()};
    }

private:
    CListBoxEx* m_pList;
};

} // namespace

CListBoxEx::CListBoxEx(QWidget* parent) : QListWidget(parent)
{
    setItemDelegate(new CListBoxExDelegate(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setFocusPolicy(Qt::StrongFocus);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void CListBoxEx::DeleteItem(int index)
{
    if (index < 0 || index >= count())
        return;
    delete takeItem(index);
    viewport()->repaint();
}

void CListBoxEx::SetItemHeight(int height)
{
    m_nItemHeight = height;
    doItemsLayout();
}

QRect CListBoxEx::ItemRect(int index) const
{
    if (index < 0 || index >= count())
        return {};
    QRect r = visualItemRect(item(index));
    r.translate(viewport()->mapTo(this, QPoint(0, 0)));
    return r;
}

bool CListBoxEx::event(QEvent* e)
{
    if (e->type() == CWinMessageEvent::EventType()) {
        auto* message = static_cast<CWinMessageEvent*>(e);
        if (message->message() == WM_LEBEDIT_END) {
            const int index = static_cast<int>(message->lParam());
            SendWinMessage(parentWidget(), WM_LEBEDIT_END, message->wParam(), message->lParam());
            emit editEnded(index);
            return true;
        }
    }
    return QListWidget::event(e);
}

} // namespace zentro
