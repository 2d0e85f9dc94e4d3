#include "app/MouseConfigurationDlg.h"
#include "controls/SkinKit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QUrl>
#include <QWindow>

#include "app/TrayIcon.h"
#include "controls/BitmapBtn.h"
#include "controls/WinMessage.h"
#include "device/CommandProtocol.h"
#include "device/DeviceLink.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileRecord.h"
#include "settings/PointerSettings.h"
#include "settings/ui/DMarker.h"
#include "text/LanguageTexts.h"

namespace zentro {

int g_nCurrentView = 1;
int g_nHighlightedButton = -1;
int g_nHideOnNcPaint = 2;
int g_nAssignmentList = 0;
int g_nAssignmentPanelHeight = 0;
QWidget* g_pConfigDialog = nullptr;

void ResetMainWindowStateForTest()
{
    g_nCurrentView = 1;
    g_nHighlightedButton = -1;
    g_nHideOnNcPaint = 2;
    g_nAssignmentList = 0;
    g_nAssignmentPanelHeight = 0;
    g_crSkinText = {0, 255, 0};
    g_pConfigDialog = nullptr;
}

CMouseConfigurationDlg::CMouseConfigurationDlg(const Services& services, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint), m_services(services)
{
    setAttribute(Qt::WA_OpaquePaintEvent); // the paint covers the whole client area
    setAttribute(Qt::WA_NoSystemBackground);
    m_hIcon = QApplication::windowIcon();
    g_bDeviceConnected = 0;
    openUrl = [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); };
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
        LoadProfileSettings();
        ReadProfileTexts();
        // What was just loaded is what the mouse and the files hold.
        g_AppliedProfileRecord = g_ProfileRecord;
    };
    callbacks.addTrayIcon = [this] { AddTrayIcon(); };
    callbacks.deleteTrayIcon = [this] { DeleteTrayIcon(); };
    callbacks.hideWindow = [this] { hide(); };
    SetDeviceLinkCallbacks(callbacks);
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
        if (!RegisterDeviceNotifications(*m_services.watcher, deliver))
            return false;
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

    // 7., 8.
    LoadSkin();
    CreateFonts();
    CreateControls();

    // 9.
    SetAssignmentPanel(1);
    SetSensitivityPanel(1);

    // 10.
    ShowView(1);

    // 11., 12.
    AddTrayIcon();
    if (g_bDeviceConnected) {
        RefreshButtonCaptions();
        UpdateSensitivityMarkers();
    } else {
        DeleteTrayIcon();
    }

    // 13.
    for (size_t i = 0; i < g_strDpiActionNames.size(); ++i)
        g_strDpiActionNames[i] = g_strUiText[40 + i];
    ShowAssignmentList(0);

    // 14.
    ApplyPointerSettings();
    m_bInitCompleted = true;
    return true;
}

void CMouseConfigurationDlg::ShowAtStartup()
{
    move(0, 0);
    if (!g_bDeviceConnected && g_nHideOnNcPaint > 0) {
        // Without a mouse the program waits invisibly; the two non-client paints of the
        // first show would have hidden it again.
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
    const QString url = UiText(524);
    if (!url.isEmpty() && openUrl)
        openUrl(url);
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
    // Device traffic waits for a running transfer; the rest is harmless meanwhile.
    if (m_bTransferring && (msg == WM_DEVICE_EVENT || msg == WM_DEVICECHANGE)) {
        m_deferred.push_back({msg, wParam, lParam});
        return;
    }
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
    case WM_MARKER_CHANGED:
        if (lParam == IDC_MARKER_X)
            g_ProfileRecord.SensitivityX = static_cast<uint8_t>(wParam & 0xFF);
        else if (lParam == IDC_MARKER_Y)
            g_ProfileRecord.SensitivityY = static_cast<uint8_t>(wParam & 0xFF);
        break;
    case WM_PROFILE_COMMAND:
        if (onProfileCommand)
            onProfileCommand(wParam, lParam);
        break;
    default:
        break; // WM_MOUSEMOVE, WM_LBUTTONUP of the buttons: nothing to do
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

bool IsSwallowedKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space ||
           key == Qt::Key_Escape || key == Qt::Key_F1;
}

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

bool CMouseConfigurationDlg::eventFilter(QObject* watched, QEvent* e)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    const bool ours = widget != nullptr && (widget == this || isAncestorOf(widget));
    if (!ours)
        return false;
    // While the mouse is being programmed the window paints but takes no input.
    if (m_bTransferring && IsUserInput(e->type())) {
        e->ignore();
        return true;
    }
    // Enter, Space, Escape and F1 never close the window or open help.
    if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease ||
        e->type() == QEvent::ShortcutOverride) {
        if (IsSwallowedKey(static_cast<QKeyEvent*>(e)->key()))
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
