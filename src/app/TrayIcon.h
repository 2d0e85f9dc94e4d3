#pragma once

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QSystemTrayIcon;

// The notification-area icon of the main window (tray icon 128) and its balloons. The window
// only talks to this interface: the real one is a QSystemTrayIcon, tests use a recording one.

namespace zentro {

enum class TrayBalloonIcon { Info, Warning };

class ITrayIcon {
public:
    virtual ~ITrayIcon() = default;

    // NIM_ADD / NIM_DELETE. Adding an icon that is there already changes nothing.
    virtual void Add(const QIcon& icon, const QString& toolTip) = 0;
    virtual void Delete() = 0;
    virtual bool IsAdded() const = 0;
    // NIM_MODIFY with the info flag. Ignored while the icon is not added.
    virtual void ShowBalloon(const QString& title, const QString& text, TrayBalloonIcon icon,
                             int timeoutMs) = 0;
    // Whether the desktop has a notification area at all.
    virtual bool IsSystemTrayAvailable() const = 0;

    // What the user does with the icon; set by the window.
    std::function<void()> onDoubleClick;
    std::function<void(const QPoint& globalPos)> onContextMenu;
};

// The real tray icon.
class CQtTrayIcon final : public QObject, public ITrayIcon {
    Q_OBJECT
public:
    CQtTrayIcon();
    ~CQtTrayIcon() override;

    void Add(const QIcon& icon, const QString& toolTip) override;
    void Delete() override;
    bool IsAdded() const override;
    void ShowBalloon(const QString& title, const QString& text, TrayBalloonIcon icon,
                     int timeoutMs) override;
    bool IsSystemTrayAvailable() const override;

private:
    std::unique_ptr<QSystemTrayIcon> m_tray;
};

} // namespace zentro
