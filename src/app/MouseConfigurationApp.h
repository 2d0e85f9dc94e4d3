#pragma once

#include <QIcon>
#include <QString>

#include <iosfwd>
#include <memory>

#include "controls/UiServices.h"

// The application object: makes sure only one copy runs, builds the main window, runs it
// until the tray menu's Exit ends it, and releases the single-instance lock on the way out.

namespace zentro {

class CMouseConfigurationDlg;
class CSingleInstance;
class IDeviceWatcher;
class IHidTransport;
class CQtUiServices;
class ITrayIcon;

class CMouseConfigurationApp {
public:
    struct Options {
        IHidTransport* transport = nullptr; // required
        IDeviceWatcher* watcher = nullptr;  // hot-plug; may be null
        ITrayIcon* tray = nullptr;          // null: the desktop's tray
        // Dialog services; a null member is filled with the Qt one.
        CUiServices ui;
        QString instanceDirectory; // empty: the user's runtime directory
        // Where the lines for the terminal go (waiting for the mouse); null: standard error.
        std::ostream* console = nullptr;
    };

    explicit CMouseConfigurationApp(const Options& options);
    ~CMouseConfigurationApp();
    CMouseConfigurationApp(const CMouseConfigurationApp&) = delete;
    CMouseConfigurationApp& operator=(const CMouseConfigurationApp&) = delete;

    // Start-up up to the main window being shown (or kept hidden without a mouse). False when
    // another copy runs: that copy has been asked to show its window, and this one ends; or
    // when the profile folder cannot be created or written (after a message box saying so).
    bool InitInstance();
    // Releases the single-instance lock. Returns the exit code.
    int ExitInstance();
    // InitInstance, the event loop until the main window ends, ExitInstance.
    int Run();

    CMouseConfigurationDlg* MainWindow() const { return m_pMainWnd.get(); }
    CSingleInstance* Instance() const { return m_hMutex.get(); }

    // The program icon (window and tray), from the icons built beside the program.
    static QIcon LoadAppIcon();

    // The one place that decides which parts the main window has, in their order.
    static void CreateParts(CMouseConfigurationDlg& window);

private:
    Options m_options;
    std::unique_ptr<CSingleInstance> m_hMutex;
    std::unique_ptr<ITrayIcon> m_ownTray;
    std::unique_ptr<CQtUiServices> m_ownServices;
    std::unique_ptr<CMouseConfigurationDlg> m_pMainWnd;
    int m_nExitCode = 0; // of a start that ends early: 1 when there is no profile folder
};

} // namespace zentro
