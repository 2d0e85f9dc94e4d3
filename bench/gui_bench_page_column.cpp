// The page column's repaint goals, with every section open in the running main window:
//   - a full repaint of the main window under 8 ms;
//   - one wheel step of the column (scroll and repaint of the column) under 4 ms;
//   - no timer event while the window is idle, shown or hidden to the tray.
// Runs headless on the generated program directory (ZENTRO_PROGRAM_DIR or bin/ beside).

#include "BenchWindow.h"
#include "controls/SkinScrollWnd.h"
#include "settings/ui/DlgAdvance.h"
#include "settings/ui/PageColumnState.h"

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

// The main window with all seven sections of the page column open.
class CColumnWindow : public bench::CBenchWindow {
public:
    bool Start(std::string& why)
    {
        if (!CBenchWindow::Start(why))
            return false;
        m_column = Window()->findChild<CDlgadvance*>();
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
        Deliver();
        Window()->repaint(); // pictures decoded once, as after the first paint
        return true;
    }
    CDlgadvance* Column() const { return m_column; }

private:
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
    return zentro::bench::RunWindowBenchmarks(argc, argv);
}
