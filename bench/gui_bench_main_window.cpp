// Costs of the main window, headless, with the simulated mouse connected:
//
//   - process start to the first painted window, skin loading included: goal under 300 ms.
//     Measured once per run from the process's start (reported by the kernel), and as the
//     window's own part (construction, start-up, show, first paint) with the skin pictures
//     decoded again (cold) and taken from the skin cache (warm);
//   - a full repaint of the window: goal under 8 ms;
//   - idle: with the window hidden and nothing happening, the timer events delivered to the
//     application in 200 ms of event processing: goal 0 (no polling while idle).
//
// The same goals hold on a high-density desktop: `--scale=2` (or 1.5, 3) runs every benchmark
// with the window at that device pixel ratio (QT_SCALE_FACTOR), its pictures drawn from the
// skin's high-density companions; each result reports the ratio as device_pixel_ratio.
//
// The program directory is a temporary copy of the one the build generates (skin and default
// profile files), since the window writes its profile files.

#include "BenchWindow.h"
#include "app/GuiStateReset.h"
#include "app/MouseConfigurationApp.h"
#include "app/MouseConfigurationDlg.h"
#include "buttons/ui/AssignmentPanel.h"
#include "settings/ui/DlgAdvance.h"
#include "settings/ui/PageColumnPart.h"
#include "settings/ui/SensitivityPanel.h"
#include "controls/SkinImage.h"
#include "device/DeviceLink.h"
#include "device/hid/SimulatedDeviceWatcher.h"
#include "device/hid/SimulatedMouse.h"
#include "platform/Clock.h"
#include "platform/ExeDir.h"
#include "platform/PrivateProfile.h"
#include "profile/ProfileFiles.h"
#include "settings/PointerSettings.h"
#include "text/LanguageTexts.h"
#include "../tests/support/ProgramDirCopy.h"
#include "../tests/support/UiServiceDoubles.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

using namespace zentro;

// ---- process start ----

// Seconds since the process started, from the start time the kernel keeps (clock-tick
// resolution, usually 10 ms). Negative when it cannot be read.
double SecondsSinceProcessStart()
{
    std::ifstream in("/proc/self/stat");
    std::string line;
    std::getline(in, line);
    const size_t close = line.rfind(')'); // the command name may hold blanks
    if (close == std::string::npos)
        return -1;
    std::istringstream fields(line.substr(close + 2));
    std::string field;
    // Field 3 (state) is the first after the name; the start time is field 22.
    for (int i = 3; i < 22 && fields >> field; ++i) {
    }
    unsigned long long startTicks = 0;
    if (!(fields >> startTicks))
        return -1;
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double ticks = static_cast<double>(sysconf(_SC_CLK_TCK));
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9 -
           static_cast<double>(startTicks) / ticks;
}

// ---- the program directory and the window's services ----

using zentro::test::CopyProgramDir;
using zentro::test::CRecordingTrayIcon;
using zentro::test::CTestUiServices;

// The generated program directory: ZENTRO_PROGRAM_DIR when set, else bin/ of the build tree
// this benchmark was built in.
QString GeneratedProgramDir()
{
    if (const char* dir = std::getenv("ZENTRO_PROGRAM_DIR"))
        return QString::fromLocal8Bit(dir);
    return QCoreApplication::applicationDirPath() + "/../bin";
}

class CWindowEnvironment {
public:
    // False (with the reason) when the generated program directory is missing.
    bool SetUp(std::string& why)
    {
        const QString program = GeneratedProgramDir();
        if (!QDir(program + "/Skins").exists() || !QFile::exists(program + "/config0.bin")) {
            why = "no generated program directory at " + program.toStdString() +
                  " (build zentro_skin and zentro_program_dir, or set ZENTRO_PROGRAM_DIR)";
            return false;
        }
        if (!m_dir.isValid()) {
            why = "cannot create a temporary directory";
            return false;
        }
        CopyProgramDir(program, m_dir.path());
        SetExeDirOverride(m_dir.path().toStdString());
        SetSleeper(&m_time);
        SetClock(&m_time);
        SetPointerSettingsBackend(&m_pointer);
        SetHidTransport(&m_mouse);
        m_watcher = std::make_unique<CSimulatedDeviceWatcher>(m_mouse);
        return true;
    }
    ~CWindowEnvironment()
    {
        DestroyWindow();
        ResetGuiStateForTest();
        m_watcher.reset();
    }

    // The program-wide state back to program start, as before a new start of the program
    // (the skin cache is left alone; the caller decides).
    void ResetProgramState() { ResetProgramStateForTest(); }

    // Builds the window, runs its start-up and shows it. False when the start-up stopped.
    bool CreateWindow()
    {
        CMouseConfigurationDlg::Services services;
        services.ui = m_services.Bundle();
        services.tray = &m_tray;
        services.watcher = m_watcher.get();
        m_dlg = std::make_unique<CMouseConfigurationDlg>(services);
        CMouseConfigurationApp::CreateParts(*m_dlg);
        if (!m_dlg->OnInitDialog())
            return false;
        m_dlg->ShowAtStartup();
        return true;
    }
    // Delivers events until the window has painted once (at most two seconds).
    bool WaitForFirstPaint()
    {
        QElapsedTimer timer;
        timer.start();
        while (m_dlg->PaintCount() == 0 && timer.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return m_dlg->PaintCount() > 0;
    }
    void DestroyWindow()
    {
        if (!m_dlg)
            return;
        m_dlg.reset();
        QCoreApplication::sendPostedEvents();
    }
    CMouseConfigurationDlg* Window() const { return m_dlg.get(); }

private:
    QTemporaryDir m_dir;
    CSimulatedMouse m_mouse;
    std::unique_ptr<CSimulatedDeviceWatcher> m_watcher;
    CVirtualTime m_time;
    CRecordingPointerSettings m_pointer;
    CRecordingTrayIcon m_tray;
    CTestUiServices m_services;
    std::unique_ptr<CMouseConfigurationDlg> m_dlg;
};

std::unique_ptr<CWindowEnvironment> g_env;
std::string g_envError;

// Measured once in main: process start to the first painted window, and the part of it spent
// copying the program directory (work of this benchmark, not of the program).
double g_startupSeconds = -1;
double g_copySeconds = 0;
double g_mainToPaintSeconds = -1;

// ---- (a) start-up ----

void BM_ProcessStartToFirstPaint(benchmark::State& state)
{
    if (g_startupSeconds < 0) {
        state.SkipWithError(g_envError.empty() ? "the start-up was not measured"
                                               : g_envError.c_str());
        return;
    }
    for (auto _ : state)
        state.SetIterationTime(g_startupSeconds - g_copySeconds);
    state.counters["device_pixel_ratio"] = qApp->devicePixelRatio();
    state.counters["process_start_to_paint_ms"] = 1000.0 * (g_startupSeconds - g_copySeconds);
    state.counters["main_to_paint_ms"] = 1000.0 * (g_mainToPaintSeconds - g_copySeconds);
    state.counters["setup_copy_ms_excluded"] = 1000.0 * g_copySeconds;
}
BENCHMARK(BM_ProcessStartToFirstPaint)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void CreateToFirstPaint(benchmark::State& state, bool coldSkin)
{
    if (!g_env) {
        state.SkipWithError(g_envError.c_str());
        return;
    }
    g_env->DestroyWindow();
    uint64_t decoded = 0;
    for (auto _ : state) {
        state.PauseTiming();
        g_env->DestroyWindow();
        g_env->ResetProgramState();
        if (coldSkin)
            ClearSkinImageCache();
        const uint64_t decodesBefore = SkinImageDecodeCount();
        state.ResumeTiming();
        if (!g_env->CreateWindow() || !g_env->WaitForFirstPaint()) {
            state.SkipWithError("the window did not start up and paint");
            break;
        }
        state.PauseTiming();
        decoded += SkinImageDecodeCount() - decodesBefore;
        state.ResumeTiming();
    }
    state.counters["skin_decodes"] =
        benchmark::Counter(static_cast<double>(decoded), benchmark::Counter::kAvgIterations);
    g_env->DestroyWindow();
}

void BM_CreateWindowToFirstPaintColdSkin(benchmark::State& state)
{
    CreateToFirstPaint(state, true);
}
BENCHMARK(BM_CreateWindowToFirstPaintColdSkin)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CreateWindowToFirstPaintWarmSkin(benchmark::State& state)
{
    CreateToFirstPaint(state, false);
}
BENCHMARK(BM_CreateWindowToFirstPaintWarmSkin)->Unit(benchmark::kMillisecond)->UseRealTime();

// ---- (b) full repaint ----

bool ShownWindow(benchmark::State& state)
{
    if (!g_env) {
        state.SkipWithError(g_envError.c_str());
        return false;
    }
    g_env->DestroyWindow();
    g_env->ResetProgramState();
    if (!g_env->CreateWindow() || !g_env->WaitForFirstPaint()) {
        state.SkipWithError("the window did not start up and paint");
        return false;
    }
    return true;
}

// The window and every child rendered into a pixmap.
void BM_FullRepaintGrab(benchmark::State& state)
{
    if (!ShownWindow(state))
        return;
    CMouseConfigurationDlg* dlg = g_env->Window();
    const int before = dlg->PaintCount();
    for (auto _ : state) {
        QPixmap pixmap = dlg->grab();
        benchmark::DoNotOptimize(pixmap);
    }
    if (dlg->PaintCount() - before < state.iterations())
        state.SkipWithError("grab() did not paint the window each time");
    state.counters["width"] = dlg->width();
    state.counters["height"] = dlg->height();
    state.counters["device_pixel_ratio"] = dlg->devicePixelRatio();
    g_env->DestroyWindow();
}
BENCHMARK(BM_FullRepaintGrab)->Unit(benchmark::kMillisecond);

// A full repaint with both panels of the left column and every page of the right one open:
// the most pictures the window ever draws at once.
void BM_FullRepaintEveryPageOpen(benchmark::State& state)
{
    if (!ShownWindow(state))
        return;
    CMouseConfigurationDlg* dlg = g_env->Window();
    dlg->Part<CAssignmentPanel>()->SetAssignmentPanel(0);
    dlg->Part<CSensitivityPanel>()->SetSensitivityPanel(0);
    CDlgadvance* column = dlg->Part<CPageColumnPart>()->Column();
    for (int k = 7; k >= 1; --k)
        column->SetSectionCollapsed(k, 0);
    QCoreApplication::processEvents();
    const int before = dlg->PaintCount();
    for (auto _ : state)
        dlg->repaint();
    if (dlg->PaintCount() - before < state.iterations())
        state.SkipWithError("repaint() did not paint the window each time");
    state.counters["device_pixel_ratio"] = dlg->devicePixelRatio();
    g_env->DestroyWindow();
}
BENCHMARK(BM_FullRepaintEveryPageOpen)->Unit(benchmark::kMillisecond);

// The window and its children painted into the window's own backing store at once.
void BM_FullRepaint(benchmark::State& state)
{
    if (!ShownWindow(state))
        return;
    CMouseConfigurationDlg* dlg = g_env->Window();
    const int before = dlg->PaintCount();
    for (auto _ : state)
        dlg->repaint();
    if (dlg->PaintCount() - before < state.iterations())
        state.SkipWithError("repaint() did not paint the window each time");
    g_env->DestroyWindow();
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);

// ---- (c) idle ----

// Counts the timer events delivered to any object except the one that ends the measurement.
class CTimerEventCounter final : public QObject {
public:
    explicit CTimerEventCounter(const QObject* ignored) : m_ignored(ignored) {}
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::Timer && watched != m_ignored) {
            ++m_count;
            ++m_byClass[QString::fromLatin1(watched->metaObject()->className())];
        }
        return false;
    }
    int Count() const { return m_count; }
    QString Receivers() const
    {
        QStringList parts;
        for (auto it = m_byClass.begin(); it != m_byClass.end(); ++it)
            parts << QString("%1 x%2").arg(it.key()).arg(it.value());
        return parts.join(", ");
    }

private:
    const QObject* m_ignored;
    int m_count = 0;
    QMap<QString, int> m_byClass;
};

// Runs the event loop for `ms` with the counter installed on the application.
int CountTimerEvents(int ms, QString* receivers)
{
    QEventLoop loop;
    QTimer stop;
    stop.setSingleShot(true);
    stop.setTimerType(Qt::PreciseTimer); // a coarse timer may end up to 5 % early
    QObject::connect(&stop, &QTimer::timeout, &loop, &QEventLoop::quit);
    CTimerEventCounter counter(&stop);
    qApp->installEventFilter(&counter);
    stop.start(ms);
    loop.exec();
    qApp->removeEventFilter(&counter);
    if (receivers != nullptr && counter.Count() > 0)
        *receivers = counter.Receivers();
    return counter.Count();
}

// A timer of our own must be counted, or a count of 0 would prove nothing.
bool CounterSeesTimers()
{
    QTimer probe;
    probe.setSingleShot(true);
    probe.start(10);
    return CountTimerEvents(50, nullptr) >= 1;
}

void IdleTimerEvents(benchmark::State& state, bool hidden)
{
    if (!ShownWindow(state))
        return;
    CMouseConfigurationDlg* dlg = g_env->Window();
    if (hidden) {
        dlg->HideToTray();
        QCoreApplication::processEvents();
        if (dlg->isVisible()) {
            state.SkipWithError("the window did not hide");
            return;
        }
    }
    // Let whatever the start-up or the hide posted settle first.
    for (int i = 0; i < 10; ++i)
        QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();

    if (!CounterSeesTimers()) {
        state.SkipWithError("the event filter does not see timer events");
        return;
    }

    int timerEvents = 0;
    QString receivers;
    for (auto _ : state) {
        timerEvents += CountTimerEvents(200, &receivers);
    }
    state.counters["timer_events_per_200ms"] =
        benchmark::Counter(timerEvents, benchmark::Counter::kAvgIterations);
    if (!receivers.isEmpty())
        std::fprintf(stderr, "timer events went to: %s\n", receivers.toUtf8().constData());
    g_env->DestroyWindow();
}

void BM_IdleTimerEventsHidden(benchmark::State& state)
{
    IdleTimerEvents(state, true);
}
BENCHMARK(BM_IdleTimerEventsHidden)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same with the window on screen, for comparison (no goal).
void BM_IdleTimerEventsShown(benchmark::State& state)
{
    IdleTimerEvents(state, false);
}
BENCHMARK(BM_IdleTimerEventsShown)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    const auto mainEntered = std::chrono::steady_clock::now();
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    zentro::bench::ApplyScaleArgument(argc, argv);
    QApplication app(argc, argv);

    // The first start of the window in this process: the cold path as the program takes it.
    g_env = std::make_unique<CWindowEnvironment>();
    const auto copyStart = std::chrono::steady_clock::now();
    const bool ready = g_env->SetUp(g_envError);
    g_copySeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - copyStart).count();
    if (ready) {
        g_env->ResetProgramState();
        ClearSkinImageCache();
        if (g_env->CreateWindow() && g_env->WaitForFirstPaint()) {
            g_startupSeconds = SecondsSinceProcessStart();
            g_mainToPaintSeconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - mainEntered)
                    .count();
        } else {
            g_envError = "the window did not start up and paint";
        }
        g_env->DestroyWindow();
    } else {
        g_env.reset();
    }

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_env.reset();
    return 0;
}
