#pragma once

#include <functional>

#include <chrono>

#include <QDialog>
#include <QIcon>
#include <QImage>
#include <QPoint>
#include <QPointer>
#include <QSize>
#include <QString>

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>
#include <mutex>

#include "controls/MainWindowHost.h"
#include "controls/MainWindowPart.h"
#include "controls/UiServices.h"
#include "device/hid/HidTransport.h"

#include <QMenu>

// The main window: the skinned, borderless window with the mouse picture, the button
// assignment, macro and axis sensitivity panels on the left, the page column on the right and
// Apply, Cancel and Reset at the bottom. It owns the device link, the tray icon and the
// device-event balloons, and hides into the tray instead of closing.
//
// The panels and the page column are parts (IMainWindowPart) that the application object adds;
// the window keeps the frame: title-bar and bottom buttons, views, tray and device messages,
// and tells its parts when to paint, when the record was replaced and when it comes back.
//
// Files by job: MouseConfigurationDlg.cpp (construction, start-up, shutdown, messages),
// DlgLayout.cpp (controls, views, parts), DlgPaint.cpp (painting), DlgCommands.cpp (button
// clicks, apply, reset), DlgDevice.cpp (device events, hot-plug), DlgTray.cpp (tray, hiding,
// restoring, menus).
//
// Device traffic never overlaps. Apply and Reset run their traffic on a worker thread
// (CDeviceTransfer) while this window keeps painting; device events and hot-plug
// notifications that arrive meanwhile are held back and handled in their order once the
// transfer is done, so their queries and re-opens never interleave with the apply.

namespace zentro {

class CBitmapBtn;
class CExMenu;
class ITrayIcon;

constexpr uint32_t WM_TRAY_NOTIFY = 0x7F1;
constexpr uint32_t WM_DEVICECHANGE = 0x0219;
constexpr uint32_t WM_LBUTTONDBLCLK = 0x0203;
constexpr uint32_t WM_RBUTTONUP = 0x0205;
constexpr uintptr_t TRAY_ICON_ID = 128;
constexpr int ID_HELP_VERSION = 1003;
constexpr int ID_MENU_EXIT = 2; // IDCANCEL

// Program-wide state of the main window.
extern int g_nCurrentView;   // 1 top, 2 side, 3 back
extern int g_nHideOnNcPaint; // first shows left that hide the window while disconnected

class CMouseConfigurationDlg : public QDialog, public IMainWindowHost {
    Q_OBJECT
public:
    struct Services {
        CUiServices ui;
        ITrayIcon* tray = nullptr;
        IDeviceWatcher* watcher = nullptr; // hot-plug; may be null (no notifications)
    };

    explicit CMouseConfigurationDlg(const Services& services, QWidget* parent = nullptr);
    ~CMouseConfigurationDlg() override;

    // Parts are added before OnInitDialog, which creates their controls in this order.
    void AddPart(std::unique_ptr<IMainWindowPart> part);
    // The part of type T, or null. For tests and benchmarks: the window itself talks to its
    // parts through IMainWindowPart only.
    template <class T> T* Part() const
    {
        for (const auto& part : m_parts)
            if (auto* p = dynamic_cast<T*>(part.get()))
                return p;
        return nullptr;
    }

    // The start-up sequence. False when it stopped early (the reader could not start); the
    // window is then bare.
    bool OnInitDialog();
    // Shows the window where it opens (0, 0), unless no mouse is connected: then it stays
    // hidden (without tray icon) until a mouse arrives and the user restores it.
    void ShowAtStartup();
    // A later start of the program asked for the window: shown and raised in every state.
    void OnRestoreRequest();
    // zentroctl's request, from the socket. It waits while a transfer runs, before start-up has
    // finished and while a modal dialog is open (a switch inside a dialog's loop would change
    // the profile under it), then `reply` gets what really happened; a request that waited
    // too long is answered as not done.
    using RemoteReply = std::function<void(const QString& answer)>;
    void OnRemoteProfileSelect(int profile, bool apply, RemoteReply reply);

    // IMainWindowHost.
    QWidget* Widget() override { return this; }
    void RefreshFromRecord(bool collapse = false) override;
    void ClearButtonHighlight() override;
    void SetLeftColumnShift(int shift) override;
    void SetLeftColumnCovered(bool covered) override;
    bool IsProfileListOpen() const override { return m_bLeftColumnCovered; }
    bool IsTransferring() const override { return m_bTransferring; }

    // Operations.
    void HideToTray();
    void RestoreFromTray();
    void ShowView(int view);
    void OpenWebAddress();
    // Ends the dialog (tray menu Exit); the program ends with it.
    void EndDialog();

    // Button handlers (what a click on each control does).
    void OnApply();
    void OnCancel();
    void OnReset();
    void OnClose();
    void OnMinimize();
    void OnHelp();
    void OnConfig();

    // For tests and benchmarks: the frame's buttons, the popup menus last opened (help, tray)
    // and counters of the window's work.
    enum class FrameButton {
        Reset,
        Cancel,
        Apply,
        Close,
        Minimize,
        Help,
        Config,
        TopView,
        SideView,
        BackView
    };
    CBitmapBtn* Button(FrameButton which) const;
    QMenu* HelpMenu() const { return m_pHelpMenu; }
    QMenu* TrayMenu() const { return m_pTrayMenu; }
    int PaintCount() const { return m_nPaintCount; }
    int TransferPaintCount() const { return m_nTransferPaintCount; }
    uint64_t TransferProgressMs() const { return m_nTransferDoneMs; }
    bool InitCompleted() const { return m_bInitCompleted; }

signals:
    void dialogEnded();
    void transferProgress(uint64_t doneMs, uint64_t totalMs);

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    // Controls of the frame, in creation order.
    CBitmapBtn* m_btnReset = nullptr;
    CBitmapBtn* m_btnCancel = nullptr;
    CBitmapBtn* m_btnApply = nullptr;
    CBitmapBtn* m_btnClose = nullptr;
    CBitmapBtn* m_btnMinimize = nullptr;
    CBitmapBtn* m_btnHelp = nullptr;
    CBitmapBtn* m_btnConfig = nullptr;
    CBitmapBtn* m_btnTopView = nullptr;
    CBitmapBtn* m_btnSideView = nullptr;
    CBitmapBtn* m_btnBackView = nullptr;

    QImage m_imgSkin;          // "/skins/main.png"
    QImage m_bmpTransferTrack; // the transfer bar's pictures, plain bitmaps
    QImage m_bmpTransferFill;
    QSize m_sizeSkin;
    QIcon m_hIcon;

    // The popup menus last opened (help, tray), closed when the window goes.
    QPointer<QMenu> m_pHelpMenu;
    QPointer<QMenu> m_pTrayMenu;

    // Layout (DlgLayout.cpp).
    void LoadSkin();
    void CreateControls();
    // Painting (DlgPaint.cpp).
    void PaintWindow(QPainter& painter);
    void PaintParts(QPainter& painter, PaintStep step);
    void PaintTransferProgress(QPainter& painter);
    // Messages (MouseConfigurationDlg.cpp, DlgDevice.cpp, DlgTray.cpp).
    void OnWinMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam);
    void OnDeviceEvent(uintptr_t code, intptr_t value);
    void OnDeviceChangeMessage();
    void OnTrayNotify(uintptr_t id, intptr_t mouseMessage);
    void ShowTrayMenu(const QPoint& globalPos);
    // A menu of the frame (help, tray) replacing the one in `slot`, and its Exit item.
    CExMenu* NewFrameMenu(QPointer<QMenu>& slot);
    void AddExitItem(CExMenu& menu);
    void AddTrayIcon();
    void DeleteTrayIcon();
    void ReplayDeferredMessages();
    // Shows, un-minimises and raises the window, and stops the hiding while disconnected.
    void ShowAndActivate();
    // The desktop's pointer settings from the live record, and the same wheel lines and
    // double-click time for the program's own widgets.
    void ApplyPointerSettings();
    void Shutdown();
    // Apply traffic (DlgCommands.cpp): sends the record on a worker thread while the window
    // keeps painting, then saves it. A transfer that did not reach the mouse (unplugged half-way,
    // say) sets m_bTransferFailed, which Apply and Reset clear before and report after.
    void SendOffThread(const struct ProfileRecord& snapshot);
    void ReportFailedTransfer();
    bool HasTray() const;
    // Whether `widget` belongs to this window: a child, or a menu or dialog opened from it.
    bool IsOwnWidget(const QWidget* widget) const;

    Services m_services;
    std::vector<std::unique_ptr<IMainWindowPart>> m_parts;
    bool m_bInitCompleted = false;
    struct RemoteRequest {
        int profile = 0;
        bool apply = false;
        RemoteReply reply;
        std::chrono::steady_clock::time_point deadline;
    };
    std::deque<RemoteRequest> m_remoteRequests;
    bool m_bRemoteRetryPending = false;
    bool m_bRemoteRunning = false;
    void ProcessRemoteRequests();
    QString RunRemoteSelect(int profile, bool apply);
    bool m_bHotplugFollowed = false; // the watcher runs: a mouse plugged in is announced
    bool m_bShutDown = false;
    bool m_bTransferring = false;
    bool m_bLeftColumnCovered = false;
    bool m_bTransferFailed = false;
    bool m_bEnding = false;
    uint64_t m_nTransferDoneMs = 0;
    uint64_t m_nTransferTotalMs = 0;
    int m_nPaintCount = 0;
    int m_nTransferPaintCount = 0;
    bool m_bDragging = false;
    QPoint m_ptDragOffset;

    struct DeferredMessage {
        uint32_t msg;
        uintptr_t wParam;
        intptr_t lParam;
    };
    std::deque<DeferredMessage> m_deferred;

    // Hot-plug notifications, filled by the watcher's thread, emptied here.
    std::mutex m_deviceChangeMutex;
    std::deque<DeviceChangeNotification> m_deviceChanges;
};

// Tests: the window's program-wide state back to its start values.
void ResetMainWindowStateForTest();

} // namespace zentro
