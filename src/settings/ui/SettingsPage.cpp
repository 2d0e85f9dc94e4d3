#include "settings/ui/SettingsPage.h"

#include "controls/Accessible.h"

#include "controls/WinMessage.h"

#include <QKeyEvent>

namespace zentro {

CSettingsPage::CSettingsPage(QWidget* parent) : QWidget(parent)
{
    hide();
    InstallAccessibility();
}

void CSettingsPage::FilterKeysOf(QWidget* widget)
{
    widget->installEventFilter(this);
}

void CSettingsPage::LoadFromRecord()
{
    repaint();
}

void CSettingsPage::SetCollapsed(bool collapsed)
{
    setVisible(!collapsed);
}

void CSettingsPage::OnSwallowedKey(QKeyEvent*, QWidget*)
{
}

bool CSettingsPage::FilterKey(QEvent* e, QWidget* target)
{
    const QEvent::Type type = e->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return false;
    auto* key = static_cast<QKeyEvent*>(e);
    if (!IsDialogSwallowedKey(key->key()))
        return false;
    if (type == QEvent::ShortcutOverride) {
        // Claimed, so no shortcut (a default button, help) sees the key.
        e->accept();
        return true;
    }
    OnSwallowedKey(key, target);
    e->accept();
    return true;
}

bool CSettingsPage::event(QEvent* e)
{
    if (FilterKey(e, this))
        return true;
    return QWidget::event(e);
}

bool CSettingsPage::eventFilter(QObject* watched, QEvent* e)
{
    if (watched->isWidgetType() && FilterKey(e, static_cast<QWidget*>(watched)))
        return true;
    return QWidget::eventFilter(watched, e);
}

} // namespace zentro
