#include "app/TrayIcon.h"

#include <QCursor>
#include <QSystemTrayIcon>

#include "platform/DebugLog.h"

namespace zentro {

CQtTrayIcon::CQtTrayIcon() : m_tray(std::make_unique<QSystemTrayIcon>())
{
    QObject::connect(m_tray.get(), &QSystemTrayIcon::activated, this,
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         if (reason == QSystemTrayIcon::DoubleClick) {
                             if (onDoubleClick)
                                 onDoubleClick();
                         } else if (reason == QSystemTrayIcon::Context) {
                             if (onContextMenu)
                                 onContextMenu(QCursor::pos());
                         }
                     });
}

CQtTrayIcon::~CQtTrayIcon() = default;

void CQtTrayIcon::Add(const QIcon& icon, const QString& toolTip)
{
    m_tray->setIcon(icon);
    m_tray->setToolTip(toolTip);
    m_tray->show();
}

void CQtTrayIcon::Delete()
{
    m_tray->hide();
}

bool CQtTrayIcon::IsAdded() const
{
    return m_tray->isVisible();
}

void CQtTrayIcon::ShowBalloon(const QString& title, const QString& text, TrayBalloonIcon icon,
                              int timeoutMs)
{
    if (!m_tray->isVisible())
        return;
    if (!QSystemTrayIcon::supportsMessages()) {
        DebugPrintf("Tray balloon not supported: %s\n", text.toUtf8().constData());
        return;
    }
    m_tray->showMessage(title, text,
                        icon == TrayBalloonIcon::Warning ? QSystemTrayIcon::Warning
                                                         : QSystemTrayIcon::Information,
                        timeoutMs);
}

bool CQtTrayIcon::IsSystemTrayAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

} // namespace zentro
