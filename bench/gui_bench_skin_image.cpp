// Repaint cost of a window drawn from skin files: one 995 x 635 background and 40 small
// pictures, drawn with DrawSkinPng into an off-screen image the size of the main window.

#include "controls/SkinImage.h"
#include "platform/ExeDir.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

using namespace zentro;

std::unique_ptr<QTemporaryDir> g_programDir;

void MakeSkin()
{
    g_programDir = std::make_unique<QTemporaryDir>();
    const QString skins = g_programDir->path() + "/Skins";
    QDir().mkpath(skins + "/Small");
    QImage main(995, 635, QImage::Format_ARGB32);
    for (int y = 0; y < main.height(); ++y) {
        for (int x = 0; x < main.width(); ++x) {
            main.setPixel(x, y, qRgba(x & 255, y & 255, (x ^ y) & 255, 255));
        }
    }
    main.save(skins + "/main.png");
    for (int i = 0; i < 40; ++i) {
        QImage small(62, 29, QImage::Format_ARGB32);
        small.fill(qRgba(i * 6, 255 - i * 6, 128, 64 + i * 4)); // translucent
        small.save(QString("%1/Small/button-%2.png").arg(skins).arg(i));
    }
    SetExeDirOverride(g_programDir->path().toStdString());
}

void Repaint(QImage& target)
{
    QPainter painter(&target);
    DrawSkinPng(painter, "/skins/main.png", 0, 0);
    for (int i = 0; i < 40; ++i) {
        DrawSkinPng(painter, QString("Skins\\Small\\button-%1.png").arg(i), 20 + (i % 10) * 90,
                    100 + (i / 10) * 100);
    }
}

void BM_RepaintCached(benchmark::State& state)
{
    QImage target(995, 635, QImage::Format_ARGB32_Premultiplied);
    ClearSkinImageCache();
    Repaint(target); // warm the cache
    for (auto _ : state) {
        Repaint(target);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_RepaintCached)->Unit(benchmark::kMillisecond);

// The same repaint decoding every file again, for comparison.
void BM_RepaintUncached(benchmark::State& state)
{
    QImage target(995, 635, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        ClearSkinImageCache();
        Repaint(target);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_RepaintUncached)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    MakeSkin();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ClearSkinImageCache();
    SetExeDirOverride("");
    g_programDir.reset();
    return 0;
}
