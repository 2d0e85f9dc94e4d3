#include "controls/Accessible.h"

#include <QAccessibleWidget>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <mutex>

namespace zentro {

namespace {

class CPaintedWidgetAccessible;

// A child without children of its own (a painted control, a list's entry), reached only
// through its parent.
class CLeafAccessible : public QAccessibleInterface {
public:
    explicit CLeafAccessible(QAccessibleInterface* parent) : m_parent(parent) {}

    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_parent->window(); }
    QAccessibleInterface* parent() const override { return m_parent; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}

private:
    QAccessibleInterface* m_parent;
};

// One painted control: reads its state from the painting widget on every question. A control
// with a numeric range (a dial) also answers as a value.
class CPaintedControlAccessible : public CLeafAccessible, public QAccessibleValueInterface {
public:
    CPaintedControlAccessible(CPaintedWidgetAccessible* owner, int index);

    bool isValid() const override;
    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant&) override {} // set by the pointer only
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override { return 1; }

private:
    bool Current(SPaintedControl& control) const;

    CPaintedWidgetAccessible* m_owner;
    int m_index;
};

// A widget that paints controls of its own: its child widgets, then its painted controls.
class CPaintedWidgetAccessible : public QAccessibleWidget {
public:
    CPaintedWidgetAccessible(QWidget* widget, const IPaintedControls* painted)
        : QAccessibleWidget(widget, widget->isWindow() ? QAccessible::Dialog : QAccessible::Pane),
          m_painted(painted)
    {
    }

    ~CPaintedWidgetAccessible() override
    {
        for (CPaintedControlAccessible* item : m_items)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(item));
    }

    std::vector<SPaintedControl> Controls() const
    {
        return isValid() ? m_painted->PaintedControls() : std::vector<SPaintedControl>();
    }

    int childCount() const override
    {
        return QAccessibleWidget::childCount() + static_cast<int>(Controls().size());
    }

    QAccessibleInterface* child(int index) const override
    {
        const int widgets = QAccessibleWidget::childCount();
        if (index < widgets)
            return QAccessibleWidget::child(index);
        const int k = index - widgets;
        if (k < 0 || k >= static_cast<int>(Controls().size()))
            return nullptr;
        while (static_cast<int>(m_items.size()) <= k) {
            auto* item = new CPaintedControlAccessible(const_cast<CPaintedWidgetAccessible*>(this),
                                                       static_cast<int>(m_items.size()));
            QAccessible::registerAccessibleInterface(item);
            m_items.push_back(item);
        }
        return m_items[static_cast<size_t>(k)];
    }

    // The accessible object of painted control k.
    QAccessibleInterface* PaintedChild(int k) const
    {
        return child(QAccessibleWidget::childCount() + k);
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (size_t k = 0; k < m_items.size(); ++k)
            if (m_items[k] == child)
                return QAccessibleWidget::childCount() + static_cast<int>(k);
        return QAccessibleWidget::indexOfChild(child);
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        const std::vector<SPaintedControl> controls = Controls();
        const QPoint local = widget()->mapFromGlobal(QPoint(x, y));
        for (size_t k = 0; k < controls.size(); ++k)
            if (controls[k].rect.contains(local))
                return child(QAccessibleWidget::childCount() + static_cast<int>(k));
        return QAccessibleWidget::childAt(x, y);
    }

    QWidget* Widget() const { return widget(); }

private:
    const IPaintedControls* m_painted;
    mutable std::vector<CPaintedControlAccessible*> m_items;
};

bool CPaintedControlAccessible::Current(SPaintedControl& control) const
{
    const std::vector<SPaintedControl> controls = m_owner->Controls();
    if (m_index >= static_cast<int>(controls.size()))
        return false;
    control = controls[static_cast<size_t>(m_index)];
    return true;
}

bool CPaintedControlAccessible::isValid() const
{
    SPaintedControl control;
    return m_owner->isValid() && Current(control);
}

CPaintedControlAccessible::CPaintedControlAccessible(CPaintedWidgetAccessible* owner, int index)
    : CLeafAccessible(owner), m_owner(owner), m_index(index)
{
}

QString CPaintedControlAccessible::text(QAccessible::Text t) const
{
    SPaintedControl control;
    if (!Current(control))
        return QString();
    if (t == QAccessible::Name)
        return control.name;
    if (t == QAccessible::Value)
        return control.value;
    return QString();
}

QRect CPaintedControlAccessible::rect() const
{
    SPaintedControl control;
    if (!Current(control) || !m_owner->isValid())
        return QRect();
    return QRect(m_owner->Widget()->mapToGlobal(control.rect.topLeft()), control.rect.size());
}

QAccessible::Role CPaintedControlAccessible::role() const
{
    SPaintedControl control;
    return Current(control) ? control.role : QAccessible::NoRole;
}

QAccessible::State CPaintedControlAccessible::state() const
{
    QAccessible::State state;
    SPaintedControl control;
    if (!Current(control) || !m_owner->Widget()->isVisible()) {
        state.invisible = true;
        return state;
    }
    state.checkable = control.checkable;
    state.checked = control.checked;
    return state;
}

void* CPaintedControlAccessible::interface_cast(QAccessible::InterfaceType t)
{
    SPaintedControl control;
    if (t == QAccessible::ValueInterface && Current(control) && control.maximum > control.minimum)
        return static_cast<QAccessibleValueInterface*>(this);
    return nullptr;
}

QVariant CPaintedControlAccessible::currentValue() const
{
    SPaintedControl control;
    // the number the value begins with ("500 Hz")
    return Current(control) ? QVariant(control.value.section(QLatin1Char(' '), 0, 0).toInt())
                            : QVariant();
}

QVariant CPaintedControlAccessible::maximumValue() const
{
    SPaintedControl control;
    return Current(control) ? QVariant(control.maximum) : QVariant();
}

QVariant CPaintedControlAccessible::minimumValue() const
{
    SPaintedControl control;
    return Current(control) ? QVariant(control.minimum) : QVariant();
}

// ---- lists ----

class CListAccessible;

// One entry of a list, by row: its text, whether it is selected and current, and its place.
class CListItemAccessible : public CLeafAccessible {
public:
    CListItemAccessible(CListAccessible* owner, int row);

    bool isValid() const override;
    QString text(QAccessible::Text t) const override;
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;

private:
    QListWidgetItem* Item() const;

    CListAccessible* m_owner;
    int m_row;
};

// A list of texts: named by the list's accessibleName(), its rows as children (child k is row
// k, as the list view's own selection and focus events count them), then any edit field open
// over an entry.
class CListAccessible : public QAccessibleWidget {
public:
    explicit CListAccessible(QListWidget* list) : QAccessibleWidget(list, QAccessible::List) {}

    ~CListAccessible() override
    {
        for (CListItemAccessible* item : m_items)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(item));
    }

    QListWidget* List() const { return static_cast<QListWidget*>(widget()); }

    int childCount() const override
    {
        return isValid() ? List()->count() + static_cast<int>(Editors().size()) : 0;
    }

    QAccessibleInterface* child(int index) const override
    {
        if (!isValid() || index < 0)
            return nullptr;
        const int rows = List()->count();
        if (index >= rows) {
            const std::vector<QWidget*> editors = Editors();
            const auto k = static_cast<size_t>(index - rows);
            return k < editors.size() ? QAccessible::queryAccessibleInterface(editors[k]) : nullptr;
        }
        while (static_cast<int>(m_items.size()) <= index) {
            auto* item = new CListItemAccessible(const_cast<CListAccessible*>(this),
                                                 static_cast<int>(m_items.size()));
            QAccessible::registerAccessibleInterface(item);
            m_items.push_back(item);
        }
        return m_items[static_cast<size_t>(index)];
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!isValid() || child == nullptr)
            return -1;
        const int rows = List()->count();
        for (size_t k = 0; k < m_items.size(); ++k)
            if (m_items[k] == child)
                return static_cast<int>(k) < rows ? static_cast<int>(k) : -1;
        const std::vector<QWidget*> editors = Editors();
        for (size_t k = 0; k < editors.size(); ++k)
            if (editors[k] == child->object())
                return rows + static_cast<int>(k);
        return -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        if (!isValid())
            return nullptr;
        for (QWidget* editor : Editors())
            if (editor->rect().contains(editor->mapFromGlobal(QPoint(x, y))))
                return QAccessible::queryAccessibleInterface(editor);
        QWidget* viewport = List()->viewport();
        const QPoint local = viewport->mapFromGlobal(QPoint(x, y));
        if (!viewport->rect().contains(local))
            return nullptr;
        QListWidgetItem* item = List()->itemAt(local);
        return item != nullptr ? child(List()->row(item)) : nullptr;
    }

private:
    // Editors open over an entry (an entry renamed in place): after the entries, so the
    // edit field a screen reader is told has the focus is a child of the list.
    std::vector<QWidget*> Editors() const
    {
        std::vector<QWidget*> editors;
        for (QObject* object : List()->children())
            if (auto* edit = qobject_cast<QLineEdit*>(object); edit != nullptr && edit->isVisible())
                editors.push_back(edit);
        return editors;
    }

    mutable std::vector<CListItemAccessible*> m_items;
};

QListWidgetItem* CListItemAccessible::Item() const
{
    return m_owner->isValid() ? m_owner->List()->item(m_row) : nullptr;
}

bool CListItemAccessible::isValid() const
{
    return Item() != nullptr;
}

CListItemAccessible::CListItemAccessible(CListAccessible* owner, int row)
    : CLeafAccessible(owner), m_owner(owner), m_row(row)
{
}

QString CListItemAccessible::text(QAccessible::Text t) const
{
    QListWidgetItem* item = Item();
    if (item == nullptr || t != QAccessible::Name)
        return QString();
    return item->text();
}

QRect CListItemAccessible::rect() const
{
    QListWidgetItem* item = Item();
    if (item == nullptr)
        return QRect();
    QListWidget* list = m_owner->List();
    const QRect r = list->visualItemRect(item);
    return QRect(list->viewport()->mapToGlobal(r.topLeft()), r.size());
}

QAccessible::State CListItemAccessible::state() const
{
    QAccessible::State state;
    QListWidgetItem* item = Item();
    if (item == nullptr) {
        state.invisible = true;
        return state;
    }
    QListWidget* list = m_owner->List();
    state.selectable = list->selectionMode() != QAbstractItemView::NoSelection;
    state.selected = item->isSelected();
    state.focusable = true;
    state.focused = list->hasFocus() && list->currentItem() == item;
    if (!list->isVisible()) {
        state.invisible = true;
    } else if (!list->viewport()->rect().intersects(list->visualItemRect(item))) {
        state.offscreen = true; // scrolled out of view
    }
    return state;
}

// A marker slider: a slider with a value.
class CSliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    CSliderAccessible(QWidget* widget, const ISliderValue* slider)
        : QAccessibleWidget(widget, QAccessible::Slider), m_slider(slider)
    {
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return QString::number(m_slider->SliderValue());
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return m_slider->SliderValue(); }
    void setCurrentValue(const QVariant&) override {} // set by the pointer only
    QVariant maximumValue() const override { return m_slider->SliderMaximum(); }
    QVariant minimumValue() const override { return m_slider->SliderMinimum(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    const ISliderValue* m_slider;
};

QAccessibleInterface* Factory(const QString&, QObject* object)
{
    if (object == nullptr || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (const auto* painted = dynamic_cast<const IPaintedControls*>(object))
        return new CPaintedWidgetAccessible(widget, painted);
    if (const auto* slider = dynamic_cast<const ISliderValue*>(object))
        return new CSliderAccessible(widget, slider);
    if (auto* list = qobject_cast<QListWidget*>(object))
        return new CListAccessible(list);
    return nullptr;
}

} // namespace

void InstallAccessibility()
{
    static std::once_flag once;
    std::call_once(once, [] { QAccessible::installFactory(&Factory); });
}

void NotifyPaintedChanges(QWidget* widget, const std::vector<SPaintedControl>& before,
                          const std::vector<SPaintedControl>& after)
{
    if (!QAccessible::isActive() || widget == nullptr)
        return;
    auto* painted =
        dynamic_cast<CPaintedWidgetAccessible*>(QAccessible::queryAccessibleInterface(widget));
    if (painted == nullptr)
        return;
    if (before.size() != after.size()) {
        QAccessibleEvent reorder(widget, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&reorder);
    }
    const size_t common = std::min(before.size(), after.size());
    for (size_t k = 0; k < common; ++k) {
        const SPaintedControl& was = before[k];
        const SPaintedControl& now = after[k];
        QAccessibleInterface* child = painted->PaintedChild(static_cast<int>(k));
        if (child == nullptr)
            continue;
        if (was.checked != now.checked) {
            QAccessible::State changed;
            changed.checked = true;
            QAccessibleStateChangeEvent event(child, changed);
            QAccessible::updateAccessibility(&event);
        }
        if (was.value != now.value) {
            const QVariant value = child->valueInterface() != nullptr
                                       ? child->valueInterface()->currentValue()
                                       : QVariant(now.value);
            QAccessibleValueChangeEvent event(child, value);
            QAccessible::updateAccessibility(&event);
        }
    }
}

void NotifySliderValue(QWidget* slider)
{
    const auto* value = dynamic_cast<const ISliderValue*>(slider);
    if (!QAccessible::isActive() || value == nullptr)
        return;
    QAccessibleValueChangeEvent event(slider, value->SliderValue());
    QAccessible::updateAccessibility(&event);
}

} // namespace zentro
