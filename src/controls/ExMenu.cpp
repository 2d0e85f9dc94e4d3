#include "controls/ExMenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>
#include <QTimer>

#include "controls/SkinKit.h"

namespace zentro {

namespace {

constexpr QColor HIGHLIGHT_TEXT{0x8F, 0x20, 0x20};

// Sizes of the skinned menu: items as MeasureItem says, the frame three pixels, no margins.
class CExMenuStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override
    {
        switch (metric) {
        case PM_MenuPanelWidth:
            return CExMenu::FRAME_WIDTH;
        case PM_MenuHMargin:
        case PM_MenuVMargin:
        case PM_MenuDesktopFrameWidth:
        case PM_MenuTearoffHeight:
            return 0;
        case PM_SubMenuOverlap:
            return 0;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override
    {
        if (type == CT_MenuItem) {
            const auto* menu = qobject_cast<const CExMenu*>(widget);
            const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
            if (menu != nullptr && item != nullptr) {
                // The style is asked per item without the action; find it by its text and kind.
                for (const QAction* action : menu->actions()) {
                    if (action->isSeparator() ==
                            (item->menuItemType == QStyleOptionMenuItem::Separator) &&
                        (action->isSeparator() || action->text() == item->text))
                        return menu->MeasureItem(action);
                }
            }
        }
        if (type == CT_Menu)
            return size;
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        switch (hint) {
        case SH_Menu_Scrollable:
        case SH_Menu_FadeOutOnHide:
        case SH_Menu_FlashTriggeredItem:
            return 0;
        case SH_Menu_MouseTracking:
        case SH_Menu_SpaceActivatesItem:
            return 1;
        default:
            return QProxyStyle::styleHint(hint, option, widget, returnData);
        }
    }
};

// The one style of all menus. It belongs to the application object, so it outlives every
// menu; should that object go (tests may make another), the next menu makes a new style.
CExMenuStyle* SharedMenuStyle()
{
    static QPointer<CExMenuStyle> style;
    if (style.isNull()) {
        style = new CExMenuStyle;
        style->setParent(QCoreApplication::instance());
    }
    return style.data();
}

const QFont& TrademarkFont()
{
    return SkinFont(QString(), 8);
}

} // namespace

CExMenu::CExMenu(const QFont* font, QWidget* parent) : QMenu(parent), m_pFont(font)
{
    setStyle(SharedMenuStyle());
    if (m_pFont != nullptr)
        setFont(*m_pFont);
    // Menus may be built while another is open; every item is drawn here, nothing is erased.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSeparatorsCollapsible(false);
    // triggered() reaches the top menu also for the commands of its submenus.
    connect(this, &QMenu::triggered, this,
            [this](QAction* action) { m_nChosen = CommandId(action); });
}

CExMenu::~CExMenu() = default;

QAction* CExMenu::AddItem(int id, const QString& text, CExMenu* submenu, int optionA, int optionB)
{
    QAction* action = nullptr;
    int recordId = id;
    if (id == SEPARATOR_ID) {
        action = addSeparator();
        action->setData(0);
        recordId = 0;
    } else if (submenu != nullptr) {
        action = addMenu(submenu);
        action->setText(text);
        action->setData(-1);
        recordId = -1;
    } else {
        action = addAction(text);
        action->setData(id);
    }
    m_items.push_back(
        {text, static_cast<int>(m_items.size()) + 1, recordId, optionA, optionB, action});
    return action;
}

int CExMenu::CommandId(const QAction* action)
{
    if (action == nullptr)
        return 0;
    if (action->isSeparator())
        return 0;
    if (action->menu() != nullptr)
        return -1;
    return action->data().toInt();
}

QSize CExMenu::MeasureItem(const QAction* action) const
{
    const int id = CommandId(action);
    int height = m_nItemHeight + 2;
    if (id == 0)
        height = 5;
    else if (id == 1)
        height = 0;
    return {m_nItemWidth, height};
}

const CExMenu::ItemRecord* CExMenu::FindRecord(const QAction* action) const
{
    for (const ItemRecord& record : m_items)
        if (record.action == action)
            return &record;
    return nullptr;
}

void CExMenu::DrawItem(QPainter& painter, const QRect& rect, const QAction* action,
                       bool selected) const
{
    if (CommandId(action) == 0) {
        painter.fillRect(rect, m_crBackground);
        painter.fillRect(QRect(rect.left(), rect.top() + rect.height() / 2, rect.width(), 1),
                         m_crSeparator);
        return;
    }
    painter.fillRect(rect, selected ? m_crSelBackground : m_crBackground);
    QColor text = selected ? m_crSelText : m_crText;
    const ItemRecord* record = FindRecord(action);
    const int optionA = record != nullptr ? record->optionA : -1;
    const QString label = record != nullptr ? record->text : QString();
    if (optionA == 1)
        text = HIGHLIGHT_TEXT;
    painter.save();
    if (m_pFont != nullptr)
        painter.setFont(*m_pFont);
    painter.setPen(text);
    const QFontMetrics metrics = painter.fontMetrics();
    const int top = rect.top() + (rect.height() - metrics.height()) / 2;
    const int x = rect.left() + 2;
    painter.drawText(QPoint(x, top + metrics.ascent()), label);
    if (record != nullptr && record->optionB == 1) {
        const int after = x + metrics.horizontalAdvance(label);
        painter.setFont(TrademarkFont());
        const QFontMetrics small = painter.fontMetrics();
        const int middle = rect.top() + rect.height() / 2;
        painter.drawText(QPoint(after, middle - small.height() / 2 + small.ascent()),
                         QStringLiteral("TM"));
    }
    painter.restore();
}

void CExMenu::DrawMenuFrame(QPainter& painter, const QRect& rect)
{
    const QColor colours[FRAME_WIDTH] = {QColor(0x8F, 0x20, 0x20), QColor(0x6F, 0x29, 0x29),
                                         QColor(0x6F, 0x29, 0x29)};
    QRect r = rect;
    for (const QColor& colour : colours) {
        if (r.width() <= 0 || r.height() <= 0)
            break;
        painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), colour);
        painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), colour);
        painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), colour);
        painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), colour);
        r.adjust(1, 1, -1, -1);
    }
}

void CExMenu::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.fillRect(rect(), m_crBackground);
    for (QAction* action : actions()) {
        if (!action->isVisible())
            continue;
        const QRect itemRect = actionGeometry(action);
        if (itemRect.isEmpty() || !event->region().intersects(itemRect))
            continue;
        DrawItem(painter, itemRect, action, action == activeAction() && action->isEnabled());
    }
    DrawMenuFrame(painter, rect());
}

void CExMenu::Track(const QPoint& globalPos, std::function<void(int id)> done)
{
    m_nChosen = 0;
    // triggered() (connected once, in the constructor) comes right after the menus were
    // hidden, so the result is handed on from the event loop.
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = connect(this, &QMenu::aboutToHide, this, [this, done, connection] {
        disconnect(*connection);
        QPointer<CExMenu> self(this);
        QTimer::singleShot(0, this, [self, done] {
            if (!self)
                return;
            const int chosen = self->m_nChosen;
            if (done)
                done(chosen);
        });
    });
    popup(globalPos);
}

} // namespace zentro
