#include "app/MouseConfigurationDlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QWindow>

#include "app/TrayIcon.h"
#include "buttons/ui/AssignmentPanel.h"
#include "controls/BitmapBtn.h"
#include "controls/LBEditorWnd.h"
#include "controls/SkinKit.h"
#include "controls/WinMessage.h"
#include "device/CommandProtocol.h"
#include "device/DeviceLink.h"
#include "profile/ProfileDeviceSync.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileRecord.h"
#include "settings/PointerSettings.h"
#include "platform/DebugLog.h"
#include "text/LanguageTexts.h"

namespace zentro {

int g_nCurrentView = 1;
int g_nHideOnNcPaint = 2;

void ResetMainWindowStateForTest()
{
    g_nCurrentView = 1;
    g_nHideOnNcPaint = 2;
}

CMouseConfigurationDlg::CMouseConfigurationDlg(const Services& services, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint), m_services(services)
{
    setAttribute(Qt::WA_OpaquePaintEvent); // the paint covers the whole client area
    setAttribute(Qt::WA_NoSystemBackground);
    m_hIcon = QApplication::windowIcon();
    g_bDeviceConnected = 0;
    qApp->installEventFilter(this);
}

CMouseConfigurationDlg::~CMouseConfigurationDlg()
{
    qApp->removeEventFilter(this);
    Shutdown();
}

bool CMouseConfigurationDlg::OnInitDialog()
{
    // 1.
    setWindowIcon(m_hIcon);
    setWindowTitle("ZENTRO gaming mouse");

    // 2. Device link: connect, reader, notifications.
    DeviceLinkCallbacks callbacks;
    QPointer<CMouseConfigurationDlg> self(this);
    callbacks.postDeviceEvent = [self](uint32_t code, uint32_t value) {
        // Runs on the reader thread as well: posting is thread-safe.
        PostWinMessage(self.data(), WM_DEVICE_EVENT, code, value);
    };
    callbacks.reloadProfile = [this] {
        // The live record only: the applied copy stays what was last applied, so Cancel
        // still goes back to it.
        LoadProfileSettings();
        ReadProfileTexts();
        if (m_bInitCompleted)
            RefreshFromRecord();
    };
    callbacks.addTrayIcon = [this] { AddTrayIcon(); };
    callbacks.deleteTrayIcon = [this] { DeleteTrayIcon(); };
    callbacks.hideWindow = [this] { hide(); };
    SetDeviceLinkCallbacks(callbacks);
    // The profile layer keeps ProfileSlot in step with every connect.
    InstallProfileDeviceSync();
    ConnectAtStartup();
    if (!StartEventReader())
        return false;
    if (m_services.watcher) {
        auto deliver = [self, this](const DeviceChangeNotification& n) {
            // The watcher's thread: queue the notification and wake the window.
            if (!self)
                return;
            {
                std::lock_guard<std::mutex> lock(m_deviceChangeMutex);
                m_deviceChanges.push_back(n);
            }
            PostWinMessage(self.data(), WM_DEVICECHANGE, n.eventType, 0);
        };
        m_bHotplugFollowed = RegisterDeviceNotifications(*m_services.watcher, deliver);
        if (!m_bHotplugFollowed)
            DebugOutput("Hot-plug notifications are not available: the mouse present at start "
                        "is used, plugging and unplugging are not followed.\n");
    } else {
        DebugOutput("No hot-plug watcher: the mouse present at start is used.\n");
    }

    // 3.
    LoadProfileSettings();
    g_AppliedProfileRecord = g_ProfileRecord;

    // 4.
    g_strLanguage = ReadProfileLanguageCode();
    LoadLanguageTexts(std::string(g_strLanguage));

    // 5.
    ReadProfileTexts();
    CheckProfileDefault();

    // 6.
    ConvertProfileTextValues();
    g_crSkinText = g_byEditTextColor;

    // 7., 8. The frame's controls, then every part's; 9. the parts start collapsed.
    LoadSkin();
    CreateControls();

    // 10.
    ShowView(VIEW_TOP);

    // 11., 12.
    AddTrayIcon();
    if (g_bDeviceConnected) {
        for (const auto& part : m_parts)
            part->OnRecordReplaced();
    } else {
        DeleteTrayIcon();
    }

    // 13.
    for (size_t i = 0; i < g_strDpiActionNames.size(); ++i)
        g_strDpiActionNames[i] = g_strUiText[IDS_DPI_ACTION_FIRST + i];
    for (const auto& part : m_parts)
        part->OnViewChanged(1);

    // 14.
    ApplyPointerSettings();
    m_bInitCompleted = true;
    return true;
}

void CMouseConfigurationDlg::ShowAtStartup()
{
    move(0, 0);
    if (!g_bDeviceConnected && g_nHideOnNcPaint > 0 && m_bHotplugFollowed) {
        // Without a mouse the program waits invisibly for one to be plugged in; the two
        // non-client paints of the first show would have hidden it again. (When plugging is
        // not followed nothing would ever announce the mouse: the window shows.)
        g_nHideOnNcPaint = 0;
        return;
    }
    show();
}

void CMouseConfigurationDlg::OnRestoreRequest()
{
    ShowAndActivate();
}

void CMouseConfigurationDlg::ShowAndActivate()
{
    g_nHideOnNcPaint = 0;
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void CMouseConfigurationDlg::OpenWebAddress()
{
    const QString url = UiText(IDS_WEB_ADDRESS);
    if (!url.isEmpty() && m_services.ui.urlOpener)
        m_services.ui.urlOpener->Open(url);
}

void CMouseConfigurationDlg::EndDialog()
{
    if (m_bEnding)
        return;
    m_bEnding = true;
    Shutdown();
    done(QDialog::Rejected);
    emit dialogEnded();
}

void CMouseConfigurationDlg::Shutdown()
{
    if (m_bShutDown)
        return;
    m_bShutDown = true;
    if (m_services.watcher)
        m_services.watcher->Stop();
    ShutdownDeviceLink();
    SetDeviceLinkCallbacks({});
    if (m_services.tray) {
        m_services.tray->onDoubleClick = nullptr;
        m_services.tray->onContextMenu = nullptr;
        m_services.tray->Delete();
    }
    if (m_pHelpMenu)
        m_pHelpMenu->deleteLater();
    if (m_pTrayMenu)
        m_pTrayMenu->deleteLater();
}

bool CMouseConfigurationDlg::event(QEvent* e)
{
    if (e->type() == CWinMessageEvent::EventType()) {
        auto* m = static_cast<CWinMessageEvent*>(e);
        OnWinMessage(m->message(), m->wParam(), m->lParam());
        return true;
    }
    return QDialog::event(e);
}

void CMouseConfigurationDlg::OnWinMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    if (m_bShutDown)
        return;
    // Device traffic waits for a running transfer; the tray's clicks are input, which the
    // window takes none of meanwhile.
    if (m_bTransferring && (msg == WM_DEVICE_EVENT || msg == WM_DEVICECHANGE)) {
        m_deferred.push_back({msg, wParam, lParam});
        return;
    }
    if (m_bTransferring && msg == WM_TRAY_NOTIFY)
        return;
    switch (msg) {
    case WM_DEVICE_EVENT:
        OnDeviceEvent(wParam, lParam);
        break;
    case WM_DEVICECHANGE:
        OnDeviceChangeMessage();
        break;
    case WM_TRAY_NOTIFY:
        OnTrayNotify(wParam, lParam);
        break;
    case WM_CLEAR_HIGHLIGHT:
        ClearButtonHighlight();
        break;
    default:
        // The parts' own messages (marker changes, profile commands); WM_MOUSEMOVE and
        // WM_LBUTTONUP of the buttons go unhandled.
        for (const auto& part : m_parts)
            if (part->OnWinMessage(msg, wParam, lParam))
                break;
        break;
    }
}

void CMouseConfigurationDlg::ReplayDeferredMessages()
{
    while (!m_deferred.empty() && !m_bTransferring) {
        const DeferredMessage m = m_deferred.front();
        m_deferred.pop_front();
        OnWinMessage(m.msg, m.wParam, m.lParam);
    }
}

namespace {

bool IsUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

} // namespace

bool CMouseConfigurationDlg::IsOwnWidget(const QWidget* widget) const
{
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget())
        if (w == this)
            return true;
    return false;
}

bool CMouseConfigurationDlg::eventFilter(QObject* watched, QEvent* e)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || !IsOwnWidget(widget))
        return false;
    // While the mouse is being programmed the window paints but takes no input.
    if (m_bTransferring && IsUserInput(e->type())) {
        e->ignore();
        return true;
    }
    // Enter, Space, Escape and F1 never close the window or open help. An open menu or a
    // dialog of its own handles its keys itself.
    if (widget->window() != this)
        return false;
    // The in-place editor of a list takes every key: Enter and Escape end the edit, Space is
    // part of a name.
    if (qobject_cast<const CLBEditorWnd*>(widget) != nullptr)
        return false;
    if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease ||
        e->type() == QEvent::ShortcutOverride) {
        if (IsDialogSwallowedKey(static_cast<QKeyEvent*>(e)->key()))
            return true;
    }
    return false;
}

void CMouseConfigurationDlg::keyPressEvent(QKeyEvent* e)
{
    // QDialog would reject on Escape; keys never end this window.
    e->accept();
}

void CMouseConfigurationDlg::closeEvent(QCloseEvent* e)
{
    // A window-manager close (Alt+F4 and the like) is the close button; ending the dialog
    // goes through EndDialog only.
    e->ignore();
    if (m_bEnding) {
        e->accept();
        return;
    }
    if (!m_bTransferring)
        OnClose();
}

void CMouseConfigurationDlg::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    ClearButtonHighlight();
    // Dragging anywhere on the background moves the window.
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    m_bDragging = true;
    m_ptDragOffset = e->globalPosition().toPoint() - frameGeometry().topLeft();
}

void CMouseConfigurationDlg::mouseMoveEvent(QMouseEvent* e)
{
    if (m_bDragging && (e->buttons() & Qt::LeftButton))
        move(e->globalPosition().toPoint() - m_ptDragOffset);
}

void CMouseConfigurationDlg::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        m_bDragging = false;
}

} // namespace zentro
