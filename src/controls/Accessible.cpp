#include "controls/Accessible.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWidget>

#include <mutex>

namespace zentro {

namespace {

class CPaintedWidgetAccessible;

// One painted control: reads its state from the painting widget on every question.
class CPaintedControlAccessible : public QAccessibleInterface {
public:
    CPaintedControlAccessible(CPaintedWidgetAccessible* owner, int index)
        : m_owner(owner), m_index(index)
    {
    }

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;

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

QWindow* CPaintedControlAccessible::window() const
{
    return m_owner->window();
}

QAccessibleInterface* CPaintedControlAccessible::parent() const
{
    return m_owner;
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
    return nullptr;
}

} // namespace

void InstallAccessibility()
{
    static std::once_flag once;
    std::call_once(once, [] { QAccessible::installFactory(&Factory); });
}

} // namespace zentro
