// The button menu's goals in the running main window:
//   - from the click on an assignment button to its function menu shown and painted: under
//     30 ms;
//   - painting the menu's items creates no font (fonts come from the skin kit's cache).
// Runs headless on the generated program directory (ZENTRO_PROGRAM_DIR or bin/ beside).

#include "BenchWindow.h"
#include "buttons/ui/AssignmentPanel.h"
#include "buttons/ui/ButtonMenu.h"
#include "controls/BitmapBtn.h"
#include "controls/ExMenu.h"
#include "controls/SkinKit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

namespace {

using namespace zentro;

void BM_ButtonMenuOpensPainted(benchmark::State& state)
{
    auto env = bench::StartOrSkip(state);
    if (!env)
        return;
    auto* panel = env->Window()->Part<CAssignmentPanel>();
    if (panel == nullptr || panel->ButtonMenu() == nullptr) {
        state.SkipWithError("no assignment panel with a button menu");
        return;
    }
    panel->SetAssignmentPanel(0);
    bench::CBenchWindow::Deliver();
    CBitmapBtn* button = panel->m_btnAssignment[1];
    int fontsWhilePainting = 0;
    for (auto _ : state) {
        QTest::mouseClick(button, Qt::LeftButton);
        CExMenu* menu = panel->ButtonMenu()->OpenMenu();
        QElapsedTimer guard;
        guard.start();
        while ((menu == nullptr || !menu->isVisible()) && guard.elapsed() < 1000) {
            QCoreApplication::processEvents();
            menu = panel->ButtonMenu()->OpenMenu();
        }
        if (menu == nullptr || !menu->isVisible()) {
            state.SkipWithError("the menu did not open");
            return;
        }
        const int fonts = SkinFontsCreated();
        menu->repaint();
        fontsWhilePainting += SkinFontsCreated() - fonts;

        state.PauseTiming();
        menu->hide();
        bench::CBenchWindow::Deliver();
        state.ResumeTiming();
    }
    state.counters["fonts_created_painting"] = fontsWhilePainting;
    if (fontsWhilePainting != 0)
        state.SkipWithError("painting the menu created fonts");
}
BENCHMARK(BM_ButtonMenuOpensPainted)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return zentro::bench::RunWindowBenchmarks(argc, argv);
}
