#include "app/MouseConfigurationApp.h"

#include <QApplication>
#include <QFileInfo>
#include <QPainter>

#include "app/QtUiServices.h"
#include "app/MouseConfigurationDlg.h"
#include "app/SingleInstance.h"
#include "app/TrayIcon.h"
#include "buttons/ui/AssignmentPanel.h"
#include "device/DeviceLink.h"
#include "macros/ui/MacroManagerPart.h"
#include "settings/ui/PageColumnPart.h"
#include "settings/ui/SensitivityPanel.h"
#include "platform/ExeDir.h"
#include "platform/ProgramFolder.h"
#include "profile/ui/ProfileListPart.h"
#include "profile/ProfileOperations.h"

#include <filesystem>
#include <iostream>

namespace zentro {

CMouseConfigurationApp::CMouseConfigurationApp(const Options& options) : m_options(options)
{
}

CMouseConfigurationApp::~CMouseConfigurationApp()
{
    m_pMainWnd.reset();
    ExitInstance();
}

namespace {
// The sizes the icon is drawn at (every hicolor size up to 512): a window or tray icon at a
// device pixel ratio of 2 or 3 takes the larger ones.
constexpr int kIconSizes[] = {16, 22, 24, 32, 36, 48, 64, 72, 96, 128, 192, 256, 512};
} // namespace

QIcon CMouseConfigurationApp::LoadAppIcon()
{
    QIcon icon;
    const QString exeDir = QString::fromStdString(GetExeDir());
    // Installed, the skin root is <prefix>/share/zentro-mouse/.
    const QString skinRoot = QString::fromStdString(GetSkinRoot());
    for (const QString& dir :
         {exeDir + "icons/", exeDir + "../resources/icons/", skinRoot + "icons/"}) {
        for (int size : kIconSizes) {
            const QString file = dir + QString("zentro-%1.png").arg(size);
            if (QFileInfo::exists(file))
                icon.addFile(file, QSize(size, size));
        }
        if (!icon.isNull())
            return icon;
    }
    // Installed: the icon theme's copy.
    for (int size : kIconSizes) {
        const QString file =
            skinRoot + QString("../icons/hicolor/%1x%1/apps/zentro-mouse.png").arg(size);
        if (QFileInfo::exists(file))
            icon.addFile(file, QSize(size, size));
    }
    if (!icon.isNull())
        return icon;
    // No icon files: a plain red tile, so the tray still has something to show.
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(200, 30, 46));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(2, 2, 28, 28), 6, 6);
    painter.end();
    return QIcon(pixmap);
}

void CMouseConfigurationApp::CreateParts(CMouseConfigurationDlg& window)
{
    window.AddPart(std::make_unique<CAssignmentPanel>());
    window.AddPart(std::make_unique<CSensitivityPanel>());
    window.AddPart(std::make_unique<CPageColumnPart>());
    window.AddPart(std::make_unique<CMacroManagerPart>());
    window.AddPart(std::make_unique<CProfileListPart>());
}

bool CMouseConfigurationApp::InitInstance()
{
    // One copy only; a later start makes the running one show its window.
    m_hMutex = std::make_unique<CSingleInstance>(m_options.instanceDirectory);
    if (!m_hMutex->Acquire())
        return false;

    m_ownServices = std::make_unique<CQtUiServices>();
    const CUiServices& qt = m_ownServices->Bundle();
    CUiServices& ui = m_options.ui;
    if (!ui.messageBox)
        ui.messageBox = qt.messageBox;
    if (!ui.fileDialogs)
        ui.fileDialogs = qt.fileDialogs;
    if (!ui.colorChooser)
        ui.colorChooser = qt.colorChooser;
    if (!ui.keyboardCapture)
        ui.keyboardCapture = qt.keyboardCapture;
    if (!ui.urlOpener)
        ui.urlOpener = qt.urlOpener;
    // The profile folder: beside the executable, or (installed) the user's own, seeded at the
    // first start. Without one the program does not start.
    std::string folderError;
    if (!SetUpProgramFolder(&folderError)) {
        ui.messageBox->Show(
            nullptr,
            QString::fromStdString("ZENTRO gaming mouse cannot start: " + folderError + "."),
            "ZENTRO gaming mouse", MessageBoxButtons::Ok);
        m_nExitCode = 1;
        ExitInstance();
        return false;
    }

    if (m_options.transport)
        SetHidTransport(m_options.transport);
    if (!m_options.tray) {
        m_ownTray = std::make_unique<CQtTrayIcon>();
        m_options.tray = m_ownTray.get();
    }
    if (QApplication::windowIcon().isNull())
        QApplication::setWindowIcon(LoadAppIcon());
    // The window hides instead of closing; only the tray menu's Exit ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    CMouseConfigurationDlg::Services services;
    services.ui = m_options.ui;
    services.tray = m_options.tray;
    services.watcher = m_options.watcher;
    m_pMainWnd = std::make_unique<CMouseConfigurationDlg>(services);
    CreateParts(*m_pMainWnd);
    QObject::connect(m_hMutex.get(), &CSingleInstance::restoreRequested, m_pMainWnd.get(),
                     &CMouseConfigurationDlg::OnRestoreRequest);
    // zentroctl profile select, handed over by a program of the same user.
    m_hMutex->SetProfileSelectHandler(
        [dlg = m_pMainWnd.get()](const ProfileSelectRequest& r,
                                 CSingleInstance::ProfileSelectReply reply) {
            namespace fs = std::filesystem;
            // A relative folder would be taken from this window's working folder, not the
            // caller's: it is no folder this window can vouch for.
            if (r.folder.empty() || r.folder[0] != '/')
                return reply("error the profile folder must be given as an absolute path");
            std::error_code ignored;
            const fs::path own = fs::weakly_canonical(fs::path(GetExeDir()), ignored);
            const fs::path asked = fs::weakly_canonical(fs::path(r.folder), ignored);
            if (own.lexically_normal() != asked.lexically_normal())
                return reply(QString::fromStdString("other-folder " + GetExeDir()));
            std::string reason;
            if (!CanSelectProfile(r.profile, &reason))
                return reply(QString::fromStdString("error " + reason));
            if (r.apply && !g_bDeviceConnected)
                return reply("error no ZENTRO gaming mouse is connected");
            // The answer follows the work: at once, or after a transfer, the start-up or a dialog.
            dlg->OnRemoteProfileSelect(r.profile, r.apply, std::move(reply));
        });
    m_hMutex->SetFolderQuery([] { return QString::fromStdString(GetExeDir()); });
    QObject::connect(m_pMainWnd.get(), &CMouseConfigurationDlg::dialogEnded, qApp,
                     &QCoreApplication::quit, Qt::QueuedConnection);
    if (m_pMainWnd->OnInitDialog()) {
        m_pMainWnd->ShowAtStartup();
        // Waiting without a window (and, until the mouse comes, without a tray icon): the one
        // sign of the program is this line in the terminal it was started from.
        if (!m_pMainWnd->isVisible()) {
            std::ostream& console = m_options.console ? *m_options.console : std::cerr;
            console << "zentro-mouse: no ZENTRO mouse (USB 04d9:a165) is connected; waiting "
                       "without a window until one is plugged in (Ctrl+C or kill "
                    << QCoreApplication::applicationPid() << " ends the program)" << std::endl;
        }
    } else
        m_pMainWnd->show(); // bare, as far as the start-up got
    return true;
}

int CMouseConfigurationApp::ExitInstance()
{
    if (m_hMutex) {
        m_hMutex->Release();
        m_hMutex.reset();
    }
    return 0;
}

int CMouseConfigurationApp::Run()
{
    if (!InitInstance())
        return m_nExitCode;
    QApplication::exec();
    m_pMainWnd.reset();
    return ExitInstance();
}

} // namespace zentro
