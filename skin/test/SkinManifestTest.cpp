// Checks the rendered skin against skin/manifest.csv: every picture present,
// a real PNG of at least its minimum size, with an alpha channel, fully opaque
// where the program copies it without blending, and the pictures that the main
// window lays over one another lined up to the pixel.

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTextStream>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

struct Entry {
    QString path;
    int minW = 0;
    int minH = 0;
    bool blend = false; // drawn blended: transparency allowed; otherwise copied and must be opaque
    bool hasPos = false;
    QPoint pos;
    int line = 0;
};

std::vector<Entry> readManifest()
{
    std::vector<Entry> list;
    QFile f(ZENTRO_SKIN_MANIFEST);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return list;
    QTextStream in(&f);
    int n = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        ++n;
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        const QStringList cols = line.split(',');
        if (cols.size() < 6 || cols[0] == "path")
            continue;
        Entry e;
        e.path = cols[0].trimmed();
        e.minW = cols[1].toInt();
        e.minH = cols[2].toInt();
        e.blend = cols[3].trimmed() == "blend";
        e.line = n;
        const QStringList xy = cols[4].split(';');
        if (xy.size() == 2) {
            e.hasPos = true;
            e.pos = QPoint(xy[0].toInt(), xy[1].toInt());
        }
        list.push_back(e);
    }
    return list;
}

const std::vector<Entry>& manifest()
{
    static const std::vector<Entry> m = readManifest();
    return m;
}

QString skinPath(const QString& rel)
{
    return QString(ZENTRO_SKIN_DIR) + "/" + rel;
}

QImage load(const QString& rel)
{
    return QImage(skinPath(rel)).convertToFormat(QImage::Format_ARGB32);
}

const Entry* find(const QString& path)
{
    for (const auto& e : manifest())
        if (e.path == path)
            return &e;
    return nullptr;
}

double meanDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 255;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    return sum / (4.0 * a.width() * a.height());
}

TEST(SkinManifest, ListsTheWholeSkin)
{
    ASSERT_GT(manifest().size(), 100u) << "manifest missing or short: " << ZENTRO_SKIN_MANIFEST;
    std::set<QString> seen;
    for (const auto& e : manifest()) {
        EXPECT_TRUE(seen.insert(e.path.toLower()).second)
            << "listed twice: " << e.path.toStdString();
        EXPECT_GT(e.minW, 0) << e.path.toStdString();
        EXPECT_GT(e.minH, 0) << e.path.toStdString();
    }
}

TEST(SkinManifest, EveryPictureIsAValidPngOfItsMinimumSize)
{
    for (const auto& e : manifest()) {
        SCOPED_TRACE(e.path.toStdString());
        QImageReader reader(skinPath(e.path));
        ASSERT_TRUE(reader.canRead()) << "missing or unreadable";
        EXPECT_EQ(reader.format(), "png");
        const QImage img = reader.read();
        ASSERT_FALSE(img.isNull());
        EXPECT_GE(img.width(), e.minW);
        EXPECT_GE(img.height(), e.minH);
        EXPECT_TRUE(img.hasAlphaChannel()) << "32-bit picture expected";
        if (!e.blend) {
            const QImage a = img.convertToFormat(QImage::Format_ARGB32);
            int holes = 0;
            for (int y = 0; y < a.height(); ++y)
                for (int x = 0; x < a.width(); ++x)
                    holes += qAlpha(a.pixel(x, y)) != 255;
            EXPECT_EQ(holes, 0) << "copied without blending, so every pixel must be opaque";
        }
    }
}

QString companion(const QString& path, int scale)
{
    QString name = path;
    return name.insert(name.lastIndexOf('.'), QString("@%1x").arg(scale));
}

TEST(SkinManifest, NoPictureOutsideTheManifest)
{
    std::set<QString> listed;
    for (const auto& e : manifest())
        for (int scale : {1, 2, 3})
            listed.insert(scale == 1 ? e.path : companion(e.path, scale));
    QDirIterator it(ZENTRO_SKIN_DIR, {"*.png"}, QDir::Files, QDirIterator::Subdirectories);
    int count = 0;
    while (it.hasNext()) {
        const QString rel = it.next().mid(QString(ZENTRO_SKIN_DIR).size() + 1);
        EXPECT_TRUE(listed.count(rel)) << "rendered but not listed: " << rel.toStdString();
        ++count;
    }
    EXPECT_EQ(static_cast<size_t>(count), listed.size());
}

// Every picture has companions drawn at twice and three times its size: exactly that size, opaque
// where the 1x picture must be, showing the same picture (scaled down it matches the 1x one) and
// carrying finer detail than the 1x picture blown up.
TEST(SkinManifest, EveryPictureHasSharpCompanionsAtTwoAndThreeTimesItsSize)
{
    int finer = 0;
    for (const auto& e : manifest()) {
        const QImage one = load(e.path);
        ASSERT_FALSE(one.isNull()) << e.path.toStdString();
        for (int scale : {2, 3}) {
            const QString path = companion(e.path, scale);
            SCOPED_TRACE(path.toStdString());
            const QImage dense = load(path);
            ASSERT_FALSE(dense.isNull()) << "missing";
            ASSERT_EQ(dense.size(), one.size() * scale);
            if (!e.blend) {
                int holes = 0;
                for (int y = 0; y < dense.height(); ++y)
                    for (int x = 0; x < dense.width(); ++x)
                        holes += qAlpha(dense.pixel(x, y)) != 255;
                EXPECT_EQ(holes, 0) << "copied without blending, so every pixel must be opaque";
            }
            const QImage down =
                dense.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                    .scaled(one.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                    .convertToFormat(QImage::Format_ARGB32);
            EXPECT_LT(meanDifference(down, one), 12.0) << "not the same picture";
            if (scale == 2) {
                const QImage blown =
                    one.scaled(dense.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
                finer += meanDifference(dense, blown) > 0.5;
            }
        }
    }
    // a flat picture has no finer detail to show; nearly all the others must
    EXPECT_GE(finer * 10, static_cast<int>(manifest().size()) * 8);
}

TEST(SkinManifest, MainWindowHoldsEveryControl)
{
    const QImage main = load("main.png");
    // close button at 979-994, Apply at 604-634, page container to 995 x 593
    EXPECT_GE(main.width(), 995);
    EXPECT_GE(main.height(), 635);
}

// The window redraws these over its own background every paint: they must be that background.
TEST(SkinManifest, RegionPicturesAreCutFromTheWindowBackground)
{
    const QImage main = load("main.png");
    const QImage mlogo = load("MLogo.png");
    const QRect mlogoRect(QPoint(40, 525), mlogo.size());
    struct Region {
        const char* path;
        QPoint at;
    };
    for (const Region& r : {Region{"Logo.png", {20, 32}}, Region{"BK_MainMid.png", {293, 0}},
                            Region{"BK_MainLeft.png", {0, 107}}}) {
        SCOPED_TRACE(r.path);
        const QImage img = load(r.path);
        ASSERT_FALSE(img.isNull());
        int diff = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QPoint w = r.at + QPoint(x, y);
                if (mlogoRect.contains(w) || !main.rect().contains(w))
                    continue;
                diff += img.pixel(x, y) != main.pixel(w);
            }
        EXPECT_EQ(diff, 0);
    }
    // the logo is drawn blended onto the panel; the panel itself must stay under it
    EXPECT_TRUE(QRect(0, 107, load("BK_MainLeft.png").width(), load("BK_MainLeft.png").height())
                    .contains(mlogoRect));
}

TEST(SkinManifest, LeftPanelPicturesFitThePanelMovement)
{
    const int h = load("ButtonAssignment/BK_ButtonAssignment.png").height();
    const int hs = load("XYSensitivity/BK_XYSensSetting.png").height();
    // seven rows of the assignment list end at 290; both panels open must stay in the left panel
    // area (to 507)
    EXPECT_GE(127 + h, 290);
    EXPECT_LE(195 + h + hs, 507);
    // the sensitivity panel holds the y scale numbers (to Y + 137)
    EXPECT_GE(hs, 137);
}

struct ViewInfo {
    const char* folder;
    const char* picture;
    QPoint at;
};
const ViewInfo kViews[] = {
    {"Mouse/Front/", "Mouse/Front/MouseFront.png", {382, 36}},
    {"Mouse/Side/", "Mouse/Side/MouseSide.png", {462, 36}},
    {"Mouse/Back/", "Mouse/Back/MouseBack.png", {394, 46}},
};

TEST(SkinManifest, ButtonHighlightsLieOnTheMouse)
{
    int checked = 0;
    for (const ViewInfo& v : kViews) {
        const QImage view = load(v.picture);
        ASSERT_FALSE(view.isNull()) << v.picture;
        for (const auto& e : manifest()) {
            if (!e.path.startsWith(v.folder) || !e.path.endsWith("-over.png"))
                continue;
            SCOPED_TRACE(e.path.toStdString());
            ASSERT_TRUE(e.hasPos) << "button picture without a window position";
            const QImage over = load(e.path);
            QString normalPath = e.path;
            normalPath.replace("-over.png", "-normal.png");
            const QImage normal = load(normalPath);
            const Entry* ne = find(normalPath);
            ASSERT_NE(ne, nullptr);
            EXPECT_EQ(ne->pos, e.pos);
            EXPECT_EQ(normal.size(), over.size());
            EXPECT_GT(meanDifference(normal, over), 4.0) << "highlight indistinguishable from rest";
            // strongly lit pixels of the highlight must land on the mouse body
            int lit = 0, onBody = 0;
            for (int y = 0; y < over.height(); ++y)
                for (int x = 0; x < over.width(); ++x) {
                    if (qAlpha(over.pixel(x, y)) < 200)
                        continue;
                    ++lit;
                    // within 3 pixels of the drawn mouse (room for the outline and the glow's core)
                    const QPoint w = e.pos + QPoint(x, y) - v.at;
                    bool near = false;
                    for (int dy = -3; dy <= 3 && !near; ++dy)
                        for (int dx = -3; dx <= 3 && !near; ++dx) {
                            const QPoint q = w + QPoint(dx, dy);
                            near = view.rect().contains(q) && qAlpha(view.pixel(q)) == 255;
                        }
                    onBody += near;
                }
            EXPECT_GT(lit, 20);
            EXPECT_GE(onBody * 100, lit * 99)
                << onBody << " of " << lit << " lit pixels on the mouse";
            // no glow cut off at the picture's edges
            for (const QImage* img : {&over, &normal}) {
                int edge = 0;
                for (int x = 0; x < img->width(); ++x)
                    edge += qAlpha(img->pixel(x, 0)) + qAlpha(img->pixel(x, img->height() - 1));
                for (int y = 0; y < img->height(); ++y)
                    edge += qAlpha(img->pixel(0, y)) + qAlpha(img->pixel(img->width() - 1, y));
                EXPECT_EQ(edge, 0) << "visible pixels on the border: clipped artwork";
            }
            ++checked;
        }
    }
    EXPECT_EQ(checked, 7 + 12 + 2);
}

TEST(SkinManifest, ButtonPicturesSitWhereTheWindowDrawsThem)
{
    const std::map<QString, QPoint> drawnAt = {
        {"Mouse/Front/F-1", {362, 82}},  {"Mouse/Front/F-2", {540, 82}},
        {"Mouse/Front/F-3", {492, 159}}, {"Mouse/Front/F-7", {492, 250}},
        {"Mouse/Front/F-6", {356, 226}}, {"Mouse/Front/F-4", {358, 165}},
        {"Mouse/Front/F-5", {503, 176}}, {"Mouse/Side/S-12", {380, 330}},
        {"Mouse/Side/S-11", {538, 315}}, {"Mouse/Side/S-10", {380, 280}},
        {"Mouse/Side/S-9", {543, 245}},  {"Mouse/Side/S-8", {380, 212}},
    };
    for (const auto& [name, at] : drawnAt)
        for (const char* state : {"-normal.png", "-over.png"}) {
            const Entry* e = find(name + state);
            ASSERT_NE(e, nullptr) << name.toStdString() << state;
            EXPECT_TRUE(e->hasPos);
            EXPECT_EQ(e->pos, at) << name.toStdString() << state;
        }
}

TEST(SkinManifest, StatesAndSwitchesCanBeToldApart)
{
    const std::vector<std::pair<const char*, const char*>> pairs = {
        {"button-cancel-normal.png", "button-cancel-over.png"},
        {"button-cancel-over.png", "button-cancel-leave.png"},
        {"button-cancel-normal.png", "button-save-leave.png"},
        {"button-mouse-normal.png", "button-mouse-leave.png"},
        {"button-mouse-normal.png", "button-mouse-over.png"},
        {"button-config-normal.png", "button-config-over.png"},
        {"button-close-normal.png", "button-close-over.png"},
        {"ButtonAssignment/DropdownBox-normal.png", "ButtonAssignment/DropdownBox-over.png"},
        {"Enable.png", "Disable.png"},
        {"Pane.png", "PaneMakingTick.png"},
        {"MacroManagement/Pane.png", "MacroManagement/PaneMakingTick.png"},
        {"MouseAttribute/ScrollSpeed/Enable.png", "MouseAttribute/ScrollSpeed/Disable.png"},
        {"XYSensitivity/1.png", "XYSensitivity/2.png"},
        {"StageSlider/1.png", "StageSlider/10.png"},
        {"DPISetting/DPIStage/0.png", "DPISetting/DPIStage/1.png"},
        {"USBReportRate/1000HZ.png", "USBReportRate/125HZ.png"},
        {"MouseAttribute/Speed/1.png", "MouseAttribute/Speed/11.png"},
    };
    for (const auto& [a, b] : pairs)
        EXPECT_GT(meanDifference(load(a), load(b)), 6.0) << a << " vs " << b;
}

TEST(SkinManifest, DpiPagePicturesAvoidTheTransparencyKey)
{
    // The DPI page treats pure black as see-through.
    for (const char* path :
         {"DPISetting/BK_DPISetting.png", "DPISetting/BK-DPIValue.png", "DPISetting/DPIStage/0.png",
          "DPISetting/DPIStage/1.png", "Enable.png", "Disable.png"})
        for (int scale : {1, 2, 3}) {
            const QImage img = load(scale == 1 ? QString(path) : companion(path, scale));
            ASSERT_FALSE(img.isNull()) << path << " at " << scale;
            int black = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x) {
                    const QRgb p = img.pixel(x, y);
                    black += qAlpha(p) == 255 && qRed(p) == 0 && qGreen(p) == 0 && qBlue(p) == 0;
                }
            EXPECT_EQ(black, 0) << path << " at " << scale;
        }
}

TEST(SkinResources, ScrollBarCellsAre24BitBitmap)
{
    QFile f(QString(ZENTRO_RESOURCE_OUT) + "/scrollbar.bmp");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray head = f.read(54);
    ASSERT_EQ(head.size(), 54);
    auto u32 = [&head](int at) {
        return quint32(quint8(head[at])) | quint32(quint8(head[at + 1])) << 8 |
               quint32(quint8(head[at + 2])) << 16 | quint32(quint8(head[at + 3])) << 24;
    };
    EXPECT_EQ(head.left(2), "BM");
    EXPECT_EQ(u32(18), 117u);
    EXPECT_EQ(u32(22), 48u);
    EXPECT_EQ(quint8(head[28]), 24);
    const QImage img(QString(ZENTRO_RESOURCE_OUT) + "/scrollbar.bmp");
    ASSERT_EQ(img.size(), QSize(117, 48));
    // each state row of an arrow cell differs from the one at rest
    for (int row = 1; row < 3; ++row)
        EXPECT_GT(meanDifference(img.copy(0, row * 16, 13, 16), img.copy(0, 0, 13, 16)), 4.0);
    // the cells for high-density screens, at twice and three times the size
    for (int scale : {2, 3}) {
        const QImage dense(QString(ZENTRO_RESOURCE_OUT) + QString("/scrollbar@%1x.bmp").arg(scale));
        EXPECT_EQ(dense.size(), img.size() * scale) << scale;
    }
}

TEST(SkinResources, IconInEveryDesktopSize)
{
    for (int size : {16, 22, 24, 32, 36, 48, 64, 72, 96, 128, 192, 256, 512}) {
        const QImage img(QString(ZENTRO_RESOURCE_OUT) + QString("/icons/zentro-%1.png").arg(size));
        EXPECT_EQ(img.size(), QSize(size, size)) << size;
        EXPECT_TRUE(img.hasAlphaChannel()) << size;
    }
    QFile svg(QString(ZENTRO_RESOURCE_OUT) + "/icons/zentro.svg");
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray text = svg.readAll();
    EXPECT_TRUE(text.contains("<svg")) << "not an SVG file";
    EXPECT_TRUE(text.contains("<path")) << "the scalable icon draws nothing";
}

} // namespace
