// The main window at desktop scales 1, 1.5 and 2. Qt reads the scale (QT_SCALE_FACTOR) once at
// start, so each scale runs this test program again with the scale set and the one test
// MainWindowAtScale.SavesTheWindow, which writes the screenshot this table then checks: the
// window's size follows the scale, and at 2 the pictures carry detail inside 2 x 2 pixel blocks
// as the text does (a 1x picture blown up is one colour in every block).

#include "support/MainWindowFixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

#include "settings/ui/DlgAdvance.h"
#include "settings/ui/PageColumnPart.h"

namespace zentro::test {
namespace {

constexpr char kShotVariable[] = "ZENTRO_SCALED_SHOT";

// Run only as the child of the table below.
TEST_F(MainWindowFixture, SavesTheWindowAtTheScaleOfTheProcess)
{
    const QString file = qEnvironmentVariable(kShotVariable);
    if (file.isEmpty())
        GTEST_SKIP() << "run by MainWindowAtScales";
    CreateWindow();
    Assignment()->SetAssignmentPanel(0);
    Sensitivity()->SetSensitivityPanel(0);
    CDlgadvance* column = m_dlg->Part<CPageColumnPart>()->Column();
    column->SetSectionCollapsed(1, 0);
    Deliver();
    const QImage shot = m_dlg->grab().toImage();
    ASSERT_TRUE(shot.save(file, "PNG")) << file.toStdString();
    column->SetSectionCollapsed(1, 1);
}

// Share of the 2 x 2 blocks (on even coordinates) of `logical` x 2 that are not one colour.
double FinerThanBlocks(const QImage& shot, const QRect& logical)
{
    const QRect r(logical.topLeft() * 2, logical.size() * 2);
    int blocks = 0, detailed = 0;
    for (int y = r.top(); y + 1 <= r.bottom(); y += 2)
        for (int x = r.left(); x + 1 <= r.right(); x += 2) {
            const QRgb p = shot.pixel(x, y);
            ++blocks;
            detailed += shot.pixel(x + 1, y) != p || shot.pixel(x, y + 1) != p ||
                        shot.pixel(x + 1, y + 1) != p;
        }
    return blocks == 0 ? 0 : static_cast<double>(detailed) / blocks;
}

struct Scale {
    const char* factor;
    QSize size;
};

TEST(MainWindowAtScales, WindowFollowsTheScaleAndPicturesAreDrawnForIt)
{
    const Scale scales[] = {{"1", {1000, 648}}, {"1.5", {1500, 972}}, {"2", {2000, 1296}}};
    const QString dir = QStringLiteral(ZENTRO_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    for (const Scale& scale : scales) {
        SCOPED_TRACE(scale.factor);
        const QString file = dir + "/main-window-scale-" + scale.factor + ".png";
        QFile::remove(file);
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QT_SCALE_FACTOR", scale.factor);
        env.insert(kShotVariable, file);
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=MainWindowFixture.SavesTheWindowAtTheScaleOfTheProcess"});
        ASSERT_TRUE(child.waitForFinished(120000));
        ASSERT_EQ(child.exitCode(), 0) << child.readAllStandardOutput().toStdString();
        const QImage shot(file);
        ASSERT_FALSE(shot.isNull()) << "no screenshot";
        EXPECT_EQ(shot.size(), scale.size);
        if (std::string(scale.factor) != "2")
            continue;
        // Pictures without text on them (the mouse, the logos, the caption buttons) and the DPI
        // page: finer than 2 x 2 blocks, like the text.
        const struct {
            const char* what;
            QRect logical;
        } regions[] = {
            {"mouse", {400, 60, 300, 360}},        {"logo", {20, 32, 242, 68}},
            {"button badge", {40, 525, 200, 60}},  {"DPI page", {735, 60, 240, 220}},
            {"caption buttons", {937, 5, 57, 15}},
        };
        for (const auto& region : regions)
            EXPECT_GT(FinerThanBlocks(shot, region.logical), 0.08) << region.what;
    }
}

} // namespace
} // namespace zentro::test
