// Device events of the main window: the balloons of the mouse's event reports and hot-plug.

#include "app/MouseConfigurationDlg.h"

#include "app/TrayIcon.h"
#include "controls/SkinKit.h"
#include "device/CommandProtocol.h"
#include "device/DeviceLink.h"
#include "profile/ProfileRecord.h"

namespace zentro {

namespace {

constexpr int DPI_BALLOON_TIMEOUT_MS = 5000;
// The mouse-detected and not-detected notices ask for 100 ms; on a Linux desktop that is the
// expiry, and the notice would vanish before it can be read. Five seconds, like the DPI ones.
constexpr int LINK_BALLOON_TIMEOUT_MS = 5000;

} // namespace

void CMouseConfigurationDlg::OnDeviceEvent(uintptr_t code, intptr_t value)
{
    QString title = "Info";
    QString text;
    TrayBalloonIcon icon = TrayBalloonIcon::Info;
    int timeout = DPI_BALLOON_TIMEOUT_MS;

    if (code >= 1 && code <= 3) {
        if (value < 1 || value > 7)
            return;
        // The mouse wants to be asked for its state after a stage change; stage 3 is the
        // exception and stage 4 only takes the block query.
        if (value == 4) {
            QueryDeviceStateBlock();
        } else if (value != 3) {
            QueryDeviceState();
            QueryDeviceStateBlock();
        }
        text = UiText(IDS_DPI_STAGE_BALLOON + static_cast<int>(value)) +
               FormatDpiLabel(g_AppliedProfileRecord.DPIValue[value - 1]);
    } else if (code == 9) {
        if (value == 0)
            return;
        text = UiText(IDS_MACRO_KEY_BALLOON) + QString::number(value);
    } else if (code == DEVICE_EVENT_CONNECTED) {
        text = UiText(IDS_DETECTED);
        timeout = LINK_BALLOON_TIMEOUT_MS;
    } else if (code == DEVICE_EVENT_NOT_DETECTED) {
        title = "Warning";
        icon = TrayBalloonIcon::Warning;
        text = UiText(IDS_NOT_DETECTED);
        timeout = LINK_BALLOON_TIMEOUT_MS;
    } else {
        return;
    }
    // The queries above are the mouse's due even when there is no tray to show the balloon.
    if (m_services.tray)
        m_services.tray->ShowBalloon(title, text, icon, timeout);
}

void CMouseConfigurationDlg::OnDeviceChangeMessage()
{
    DeviceChangeNotification notification;
    {
        std::lock_guard<std::mutex> lock(m_deviceChangeMutex);
        if (m_deviceChanges.empty())
            return;
        notification = m_deviceChanges.front();
        m_deviceChanges.pop_front();
    }
    OnDeviceChange(notification);
    // Without a notification area the returning tray icon cannot tell the user the mouse is
    // back, and there is nothing to double-click: bring the window back instead.
    if (g_bDeviceConnected && notification.eventType == DBT_DEVICEARRIVAL && !HasTray() &&
        !isVisible())
        RestoreFromTray();
}

} // namespace zentro
