#pragma once

#include <QDialog>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QPoint>
#include <QPointer>
#include <QSize>
#include <QString>

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>

#include "device/hid/HidTransport.h"

class QMenu;

// The main window: the skinned, borderless window with the mouse picture, the button
// assignment, macro and axis sensitivity panels on the left, the page column on the right and
// Apply, Cancel and Reset at the bottom. It owns the device link, the tray icon and the
// device-event balloons, and hides into the tray instead of closing.
//
// Files by job: MouseConfigurationDlg.cpp (construction, start-up, shutdown, messages),
// DlgLayout.cpp (controls, panels, views), DlgPaint.cpp (painting), DlgCommands.cpp (button
// clicks, apply, reset), DlgDevice.cpp (device events, hot-plug), DlgTray.cpp (tray, hiding,
// restoring, menus).
//
// Device traffic never overlaps. Apply and Reset run their traffic on a worker thread
// (CDeviceTransfer) while this window keeps painting; device events and hot-plug
// notifications that arrive meanwhile are held back and handled in their order once the
// transfer is done, so their queries and re-opens never interleave with the apply.

namespace zentro {

class CBitmapBtn;
class CDMarker;
class ITrayIcon;
class IMessageBox;

constexpr uint32_t WM_TRAY_NOTIFY = 0x7F1;
constexpr uint32_t WM_CLEAR_HIGHLIGHT = 0x7F4;
constexpr uint32_t WM_PROFILE_COMMAND = 0xB03;
constexpr uint32_t WM_DEVICECHANGE = 0x0219;
constexpr uint32_t WM_LBUTTONDBLCLK = 0x0203;
constexpr uint32_t WM_RBUTTONUP = 0x0205;
constexpr int IDC_MARKER_X = 2025;
constexpr int IDC_MARKER_Y = 2026;
constexpr uintptr_t TRAY_ICON_ID = 128;
constexpr int ID_HELP_WEB = 1001;
constexpr int ID_HELP_VERSION = 1003;

// Program-wide state of the main window.
extern int g_nCurrentView;       // 1 top, 2 side, 3 back
extern int g_nHighlightedButton; // -1 none
extern int g_nHideOnNcPaint;     // first shows left that hide the window while disconnected
extern int g_nAssignmentList;    // 0 top-view list, 1 side-view list
extern int g_nAssignmentPanelHeight;
extern std::array<uint8_t, 3> g_crSkinText;
extern QWidget* g_pConfigDialog; // the open profile list popup, or null

// Tests: the window's program-wide state back to its start values.
void ResetMainWindowStateForTest();

// Assignment list rows: for list l and row r, the assignment button index and label entry.
struct AssignmentRow {
    int list;
    int row;
    int buttonIndex;
    int labelEntry;
};
extern const std::array<AssignmentRow, 12> g_AssignmentRows;

// The text of entry n of the current language's table.
QString UiText(int n);
// "100" ... "5000" for DPI indices 0-49, "5200" ... "6000" for 50-54, empty above.
QString FormatDpiLabel(unsigned index);

class CMouseConfigurationDlg : public QDialog {
    Q_OBJECT
public:
    struct Services {
        ITrayIcon* tray = nullptr;
        IMessageBox* messageBox = nullptr;
        IDeviceWatcher* watcher = nullptr; // hot-plug; may be null (no notifications)
    };

    explicit CMouseConfigurationDlg(const Services& services, QWidget* parent = nullptr);
    ~CMouseConfigurationDlg() override;

    // The start-up sequence. False when it stopped early (reader event or notification
    // registration failed); the window is then bare.
    bool OnInitDialog();
    // Shows the window where it opens (0, 0), unless no mouse is connected: then it stays
    // hidden (without tray icon) until a mouse arrives and the user restores it.
    void ShowAtStartup();
    // A later start of the program asked for the window: shown and raised in every state.
    void OnRestoreRequest();
    void OnRemoteProfileSelect(int profile, bool apply); // zentroctl's request, from the socket

    // Operations.
    void HideToTray();
    void RestoreFromTray();
    void UpdateSensitivityMarkers();
    void RefreshButtonCaptions();
    void ClearButtonHighlight();
    void ShowView(int view);
    void SetAssignmentPanel(int collapsed);
    void SetSensitivityPanel(int collapsed);
    void ShowAssignmentList(int group);
    void StoreButtonLabel(int b);
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
    void OnAssignmentHeader();
    void OnMacroManagerHeader();
    void OnSensitivityHeader();
    void OnAssignmentButton(int i);

    // Controls, in creation order.
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
    CBitmapBtn* m_btnAssignmentHeader = nullptr;
    CBitmapBtn* m_btnMacroHeader = nullptr;
    CBitmapBtn* m_btnSensitivityHeader = nullptr;
    std::array<CBitmapBtn*, 12> m_btnAssignment{};
    CDMarker* m_markerX = nullptr;
    CDMarker* m_markerY = nullptr;
    QWidget* m_pPageContainer = nullptr;

    int m_bAssignmentCollapsed = 1;
    int m_bSensitivityCollapsed = 1;
    QImage m_imgSkin; // "/skins/main.png"
    QSize m_sizeSkin;
    QFont m_font1;
    QFont m_font2;
    QIcon m_hIcon;

    // The popup menus last opened (help, tray); for tests and for closing them.
    QPointer<QMenu> m_pHelpMenu;
    QPointer<QMenu> m_pTrayMenu;

    // Pieces that later parts of the program plug in; empty ones do nothing.
    std::function<void(int button)> onShowButtonMenu;
    std::function<void(QPainter&, int highlighted)> paintHotspots;
    std::function<bool(uint8_t (*macroSlots)[130])> runMacroManager; // true on OK, slots filled
    std::function<void()> openProfileList;
    std::function<void(uintptr_t, intptr_t)> onProfileCommand;
    std::function<void()> collapseAllSections;
    std::function<void()> refreshPages;
    std::function<void(const QString&)> openUrl; // default: the desktop's browser

    // State for tests and benchmarks.
    bool IsTransferring() const { return m_bTransferring; }
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
    // Layout (DlgLayout.cpp).
    void LoadSkin();
    void CreateFonts();
    void CreateControls();
    CBitmapBtn* MakeButton(const QRect& rect, const QString& normal, const QString& hover,
                           const QString& pressed, const QString& disabled, int captionEntry,
                           int align, int indent);
    void PlaceMarkers(int top);
    // Painting (DlgPaint.cpp).
    void PaintWindow(QPainter& painter);
    void PaintTransferProgress(QPainter& painter);
    // Messages (MouseConfigurationDlg.cpp, DlgDevice.cpp, DlgTray.cpp).
    void OnWinMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam);
    void OnDeviceEvent(uintptr_t code, intptr_t value);
    void OnDeviceChangeMessage();
    void OnTrayNotify(uintptr_t id, intptr_t mouseMessage);
    void ShowTrayMenu(const QPoint& globalPos);
    void AddTrayIcon();
    void DeleteTrayIcon();
    void ReplayDeferredMessages();
    // Shows, un-minimises and raises the window, and stops the hiding while disconnected.
    void ShowAndActivate();
    // The desktop's pointer settings from the live record, and the same wheel lines and
    // double-click time for the program's own widgets.
    void ApplyPointerSettings();
    void Shutdown();
    // Apply traffic (DlgCommands.cpp).
    void SendOffThread(const struct ProfileRecord& snapshot);
    bool HasTray() const;

    Services m_services;
    bool m_bInitCompleted = false;
    bool m_bShutDown = false;
    bool m_bTransferring = false;
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

} // namespace zentro
