#pragma once

// The main window for the window benchmarks: a copy of the generated program directory, the
// simulated mouse, virtual time and test doubles for the dialogs, headless.

#include "app/GuiStateReset.h"
#include "app/MouseConfigurationApp.h"
#include "app/MouseConfigurationDlg.h"
#include "device/DeviceLink.h"
#include "device/hid/SimulatedDeviceWatcher.h"
#include "device/hid/SimulatedMouse.h"
#include "platform/Clock.h"
#include "platform/ExeDir.h"
#include "settings/PointerSettings.h"
#include "../tests/support/ProgramDirCopy.h"
#include "../tests/support/UiServiceDoubles.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace zentro::bench {

class CBenchWindow {
public:
    // False (with the reason) when the program directory is missing or the window did not
    // start.
    bool Start(std::string& why)
    {
        const char* env = std::getenv("ZENTRO_PROGRAM_DIR");
        const QString program =
            env ? QString::fromLocal8Bit(env) : QCoreApplication::applicationDirPath() + "/../bin";
        if (!QDir(program + "/Skins").exists() || !QFile::exists(program + "/config0.bin")) {
            why = "no generated program directory at " + program.toStdString();
            return false;
        }
        test::CopyProgramDir(program, m_dir.path());
        ResetGuiStateForTest();
        SetExeDirOverride(m_dir.path().toStdString());
        SetSleeper(&m_time);
        SetClock(&m_time);
        SetPointerSettingsBackend(&m_pointer);
        SetHidTransport(&m_mouse);
        m_watcher = std::make_unique<CSimulatedDeviceWatcher>(m_mouse);
        CMouseConfigurationDlg::Services services;
        services.ui = m_services.Bundle();
        services.tray = &m_tray;
        services.watcher = m_watcher.get();
        m_dlg = std::make_unique<CMouseConfigurationDlg>(services);
        CMouseConfigurationApp::CreateParts(*m_dlg);
        if (!m_dlg->OnInitDialog()) {
            why = "the window did not start up";
            return false;
        }
        m_dlg->ShowAtStartup();
        Deliver();
        return true;
    }
    ~CBenchWindow()
    {
        m_dlg.reset();
        QCoreApplication::sendPostedEvents();
        ResetGuiStateForTest();
        m_watcher.reset();
    }
    static void Deliver()
    {
        for (int i = 0; i < 10; ++i)
            QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    CMouseConfigurationDlg* Window() const { return m_dlg.get(); }
    test::CTestUiServices& Services() { return m_services; }

private:
    QTemporaryDir m_dir;
    CSimulatedMouse m_mouse;
    std::unique_ptr<CSimulatedDeviceWatcher> m_watcher;
    CVirtualTime m_time;
    CRecordingPointerSettings m_pointer;
    test::CRecordingTrayIcon m_tray;
    test::CTestUiServices m_services;
    std::unique_ptr<CMouseConfigurationDlg> m_dlg;
};

// The window, or a skipped benchmark with the reason.
inline std::unique_ptr<CBenchWindow> StartOrSkip(benchmark::State& state)
{
    auto window = std::make_unique<CBenchWindow>();
    std::string why;
    if (!window->Start(why)) {
        state.SkipWithError(why.c_str());
        return nullptr;
    }
    return window;
}

// `--scale=R` (taken out of the arguments): the window benchmarks run on a desktop of scale R
// (QT_SCALE_FACTOR, read by Qt once when the application starts), so the goals can be checked
// at 2x as at 1x. Call before the application is made.
inline void ApplyScaleArgument(int& argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--scale=", 0) != 0)
            continue;
        setenv("QT_SCALE_FACTOR", arg.substr(8).c_str(), 1);
        for (int j = i; j + 1 < argc; ++j)
            argv[j] = argv[j + 1];
        --argc;
        return;
    }
}

// main() of a window benchmark: a headless application unless a platform is chosen.
inline int RunWindowBenchmarks(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ApplyScaleArgument(argc, argv);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace zentro::bench
