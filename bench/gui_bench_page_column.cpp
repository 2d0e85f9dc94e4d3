// The page column's repaint goals, with every section open in the running main window:
//   - a full repaint of the main window under 8 ms;
//   - one wheel step of the column (scroll and repaint of the column) under 4 ms;
//   - no timer event while the window is idle, shown or hidden to the tray.
// Runs headless on the generated program directory (ZENTRO_PROGRAM_DIR or bin/ beside).

#include "app/GuiStateReset.h"
#include "app/MouseConfigurationApp.h"
#include "app/MouseConfigurationDlg.h"
#include "controls/SkinScrollWnd.h"
#include "device/hid/SimulatedDeviceWatcher.h"
#include "device/hid/SimulatedMouse.h"
#include "platform/Clock.h"
#include "platform/ExeDir.h"
#include "settings/PointerSettings.h"
#include "settings/ui/DlgAdvance.h"
#include "settings/ui/PageColumnState.h"
#include "../tests/support/ProgramDirCopy.h"
#include "../tests/support/UiServiceDoubles.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

using namespace zentro;

// The main window on a copy of the program directory, the simulated mouse and virtual time,
// with all seven sections of the page column open.
class CColumnWindow {
public:
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
        m_column = m_dlg->findChild<CDlgadvance*>();
        if (!m_column) {
            why = "no page column in the window";
            return false;
        }
        for (int k = 7; k >= 1; --k)
            m_column->SetSectionCollapsed(k, 0);
        if (g_nContentHeight <= 563) {
            why = "the sections did not open";
            return false;
        }
        for (int i = 0; i < 10; ++i)
            QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        m_dlg->repaint(); // pictures decoded once, as after the first paint
        return true;
    }
    ~CColumnWindow()
    {
        m_dlg.reset();
        QCoreApplication::sendPostedEvents();
        ResetGuiStateForTest();
        m_watcher.reset();
    }
    CMouseConfigurationDlg* Window() const { return m_dlg.get(); }
    CDlgadvance* Column() const { return m_column; }

private:
    QTemporaryDir m_dir;
    CSimulatedMouse m_mouse;
    std::unique_ptr<CSimulatedDeviceWatcher> m_watcher;
    CVirtualTime m_time;
    CRecordingPointerSettings m_pointer;
    test::CRecordingTrayIcon m_tray;
    test::CTestUiServices m_services;
    std::unique_ptr<CMouseConfigurationDlg> m_dlg;
    CDlgadvance* m_column = nullptr;
};

std::unique_ptr<CColumnWindow> StartOrSkip(benchmark::State& state)
{
    auto window = std::make_unique<CColumnWindow>();
    std::string why;
    if (!window->Start(why)) {
        state.SkipWithError(why.c_str());
        return nullptr;
    }
    return window;
}

void BM_FullRepaintAllSectionsOpen(benchmark::State& state)
{
    auto env = StartOrSkip(state);
    if (!env)
        return;
    CMouseConfigurationDlg* dlg = env->Window();
    const int before = dlg->PaintCount();
    for (auto _ : state)
        dlg->repaint();
    if (dlg->PaintCount() - before < state.iterations())
        state.SkipWithError("repaint() did not paint the window each time");
    state.counters["content_height"] = g_nContentHeight;
}
BENCHMARK(BM_FullRepaintAllSectionsOpen)->Unit(benchmark::kMillisecond);

// One notch with 3 lines (one 60-pixel step), down and up in turn, each repainted at once.
void BM_WheelStepRepaint(benchmark::State& state)
{
    auto env = StartOrSkip(state);
    if (!env)
        return;
    CDlgadvance* column = env->Column();
    QWidget* frame = column->parentWidget();
    g_uAppliedWheelScrollLines = 3;
    QApplication::setWheelScrollLines(3);
    int direction = -1;
    int moved = 0;
    for (auto _ : state) {
        const int before = column->m_nScrollPos;
        column->OnMouseWheel(direction * 120);
        frame->repaint();
        moved += column->m_nScrollPos != before;
        direction = -direction;
    }
    if (moved < state.iterations())
        state.SkipWithError("a wheel step did not scroll the column");
}
BENCHMARK(BM_WheelStepRepaint)->Unit(benchmark::kMillisecond);

int CountTimerEvents(int ms)
{
    struct Counter : QObject {
        const QObject* ignored = nullptr;
        int count = 0;
        bool eventFilter(QObject* watched, QEvent* e) override
        {
            if (e->type() == QEvent::Timer && watched != ignored)
                ++count;
            return false;
        }
    } counter;
    QEventLoop loop;
    QTimer stop;
    stop.setSingleShot(true);
    stop.setTimerType(Qt::PreciseTimer);
    QObject::connect(&stop, &QTimer::timeout, &loop, &QEventLoop::quit);
    counter.ignored = &stop;
    qApp->installEventFilter(&counter);
    stop.start(ms);
    loop.exec();
    qApp->removeEventFilter(&counter);
    return counter.count;
}

void IdleWithSectionsOpen(benchmark::State& state, bool hidden)
{
    auto env = StartOrSkip(state);
    if (!env)
        return;
    if (hidden)
        env->Window()->HideToTray();
    QCoreApplication::processEvents();
    {
        QTimer probe; // a timer of our own must be seen, or 0 would prove nothing
        probe.setSingleShot(true);
        probe.start(10);
        if (CountTimerEvents(50) < 1) {
            state.SkipWithError("the event filter does not see timer events");
            return;
        }
    }
    int events = 0;
    for (auto _ : state)
        events += CountTimerEvents(200);
    state.counters["timer_events_per_200ms"] =
        benchmark::Counter(events, benchmark::Counter::kAvgIterations);
}

void BM_IdleSectionsOpenShown(benchmark::State& state)
{
    IdleWithSectionsOpen(state, false);
}
BENCHMARK(BM_IdleSectionsOpenShown)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_IdleSectionsOpenHidden(benchmark::State& state)
{
    IdleWithSectionsOpen(state, true);
}
BENCHMARK(BM_IdleSectionsOpenHidden)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
