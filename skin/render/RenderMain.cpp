// zentro-skin-render: draws the program's skin, its icon and scroll-bar cells.
//
//   zentro-skin-render --skins DIR --resources DIR --sheet FILE [--list]
//
// --list prints every picture with its size and, for button pictures on the
// mouse, the window position it is drawn at (the basis of skin/manifest.csv).

#include "Skin.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>

#include <cstdio>
#include <map>

namespace zentro::skin {
bool renderIcons(const QString& dir);
bool renderScrollBar(const QString& path);
std::vector<std::pair<QString, QPoint>> hotspotPositions();

// The main window as the program paints it, for review: each view with one button highlighted.
std::vector<Picture> previews(const std::vector<Picture>& pics)
{
    auto get = [&pics](const QString& path) {
        for (const auto& p : pics)
            if (p.path == path)
                return p.image;
        return QImage();
    };
    // drawImage takes its source rectangle in the picture's own pixels; these are logical
    auto drawPart = [](QPainter& p, const QPoint& at, const QImage& img, const QRect& source) {
        const qreal s = img.devicePixelRatio();
        p.drawImage(
            QRectF(at, source.size()), img,
            QRectF(source.x() * s, source.y() * s, source.width() * s, source.height() * s));
    };
    std::map<QString, QPoint> pos;
    for (const auto& [name, at] : hotspotPositions())
        pos[name] = at;
    struct V {
        QString folder, file, lit;
        QPoint at;
        QStringList others;
    };
    const std::vector<V> views = {
        {"Front", "MouseFront.png", "F-1", {382, 36}, {"F-2", "F-3", "F-4", "F-5", "F-6", "F-7"}},
        {"Side", "MouseSide.png", "S-9", {462, 36}, {"S-8", "S-10", "S-11", "S-12"}},
        {"Back", "MouseBack.png", "B-4", {394, 46}, {"B-5"}},
    };
    std::vector<Picture> list;
    for (const V& v : views) {
        QImage win = get("main.png");
        QPainter p(&win);
        p.drawImage(20, 32, get("Logo.png"));
        p.drawImage(293, 0, get("BK_MainMid.png"));
        p.drawImage(v.at, get("Mouse/" + v.folder + "/" + v.file));
        for (const QString& o : v.others)
            p.drawImage(pos["Mouse/" + v.folder + "/" + o],
                        get("Mouse/" + v.folder + "/" + o + "-normal.png"));
        p.drawImage(pos["Mouse/" + v.folder + "/" + v.lit],
                    get("Mouse/" + v.folder + "/" + v.lit + "-over.png"));
        p.drawImage(0, 107, get("BK_MainLeft.png"));
        p.drawImage(40, 525, get("MLogo.png"));
        // the left panel open, as a user sees it
        p.drawImage(20, 107, get("ItemBK.png"));
        p.drawImage(20, 127, get("ButtonAssignment/BK_ButtonAssignment.png"));
        for (int k = 0; k < 7; ++k)
            p.drawImage(120, 154 + 20 * k,
                        get(k == 2 ? "ButtonAssignment/DropdownBox-over.png"
                                   : "ButtonAssignment/DropdownBox-normal.png"));
        const int h = logicalSize(get("ButtonAssignment/BK_ButtonAssignment.png")).height();
        p.drawImage(20, 132 + h, get("MacroManagementBK.png"));
        p.drawImage(20, 175 + h, get("ItemBK.png"));
        p.drawImage(20, 195 + h, get("XYSensitivity/BK_XYSensSetting.png"));
        for (int a = 0; a < 2; ++a) {
            drawPart(p, QPoint(37, 195 + h + 40 + 60 * a), get("XYSensitivity/1.png"),
                     QRect(0, 0, 207, 9));
            drawPart(p, QPoint(37, 195 + h + 40 + 60 * a), get("XYSensitivity/2.png"),
                     QRect(0, 0, 120 - 40 * a, 9));
        }
        // the right column with three pages open
        p.save();
        p.setClipRect(735, 32, 260, 561);
        drawPart(p, QPoint(735, 32), get("BK_MainRight.png"), QRect(0, 0, 260, 561));
        int y = 32 + 2;
        const QStringList pages = {"DPISetting/BK_DPISetting.png", "Lighting/BK_Lighting.png",
                                   "USBReportRate/BK_USBReportRate.png"};
        for (int k = 0; k < 7; ++k) {
            p.drawImage(735, y, get("ItemBK.png"));
            y += 20;
            if (k < 3) {
                p.drawImage(735, y, get(pages[k]));
                if (k == 0)
                    for (int n = 0; n < 7; ++n) {
                        const int d = 30 * n;
                        const QImage track = get("DPISetting/DPIStage/0.png"),
                                     fill = get("DPISetting/DPIStage/1.png");
                        drawPart(p, QPoint(735 + 25 + d, y + 3), track, QRect(0, 0, 7, 170));
                        const int f = 170 * (n * 7 + 4) / 53;
                        drawPart(p, QPoint(735 + 25 + d, y + 3 + 170 - f), fill, QRect(0, 0, 7, f));
                        p.drawImage(735 + 20 + d, y + 182, get("DPISetting/BK-DPIValue.png"));
                        p.drawImage(735 + 25 + d, y + 202,
                                    get(n < 5 ? "Enable.png" : "Disable.png"));
                    }
                if (k == 1)
                    for (int r = 0; r < 3; ++r) {
                        p.drawImage(735 + 10, y + 20 + 29 * r,
                                    get(r == 2 ? "Enable.png" : "Disable.png"));
                        drawPart(p, QPoint(735 + 100, y + 20 + 29 * r), get("StageSlider/1.png"),
                                 QRect(0, 0, 127, 8));
                        drawPart(p, QPoint(735 + 100, y + 20 + 29 * r), get("StageSlider/10.png"),
                                 QRect(0, 0, 30 * (r + 1), 8));
                    }
                if (k == 2)
                    p.drawImage(735 + 57, y + 5, get("USBReportRate/500HZ.png"));
                y += logicalSize(get(pages[k])).height() + 5;
            } else {
                y += 5;
            }
        }
        p.restore();
        for (const auto& [file, at] :
             std::vector<std::pair<QString, QPoint>>{{"button-cancel-normal.png", {798, 604}},
                                                     {"button-cancel-over.png", {860, 604}},
                                                     {"button-cancel-leave.png", {923, 604}},
                                                     {"button-close-normal.png", {979, 5}},
                                                     {"button-min-normal.png", {958, 5}},
                                                     {"button-help-over.png", {937, 5}},
                                                     {"button-config-normal.png", {18, 604}}})
            p.drawImage(at, get(file));
        p.drawImage(
            425, 527,
            get(v.folder == "Front" ? "button-mouse-leave.png" : "button-mouse-normal.png"));
        p.drawImage(500, 527,
                    get(v.folder == "Side" ? "button-mouse-leave.png" : "button-mouse-over.png"));
        p.end();
        list.push_back(
            {"preview-" + v.folder + ".png", win, "Preview (composed as the window paints)"});
    }
    return list;
}

bool renderResources(const QString& resourceDir)
{
    QDir().mkpath(resourceDir);
    setRenderScale(1);
    bool ok = renderIcons(resourceDir + "/icons");
    for (int scale : {1, 2, 3}) {
        setRenderScale(scale);
        ok = renderScrollBar(resourceDir + "/" + scaledName("scrollbar.bmp", scale)) && ok;
    }
    setRenderScale(1);
    return ok;
}

QImage contactSheet(const std::vector<Picture>& pictures)
{
    constexpr int kWidth = 2100;
    constexpr int kPad = 14;
    QFont title("DejaVu Sans", 15, QFont::Bold);
    QFont label("DejaVu Sans", 8);
    std::map<QString, std::vector<const Picture*>> groups;
    for (const auto& p : pictures)
        groups[p.group].push_back(&p);
    // every picture at its own pixels (a 2x picture twice the size of its 1x one)
    auto pixels = [](const QImage& img) {
        QImage copy = img;
        copy.setDevicePixelRatio(1);
        return copy;
    };

    // first pass: layout
    struct Tile {
        const Picture* pic;
        QPoint at;
    };
    std::vector<Tile> tiles;
    std::vector<std::pair<QString, int>> headings;
    int y = kPad;
    for (const auto& [group, list] : groups) {
        headings.emplace_back(group + QString("  (%1)").arg(list.size()), y);
        y += 30;
        int x = kPad, rowH = 0;
        for (const Picture* pic : list) {
            const int tw = std::max(pic->image.width(), 70) + 8;
            const int th = pic->image.height() + 8 + 28;
            if (x + tw > kWidth - kPad && x > kPad) {
                x = kPad;
                y += rowH + kPad;
                rowH = 0;
            }
            tiles.push_back({pic, QPoint(x, y)});
            x += tw + kPad;
            rowH = std::max(rowH, th);
        }
        y += rowH + 2 * kPad;
    }
    QImage sheet = canvas(kWidth, y, QColor(36, 36, 42));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(QColor(255, 255, 255));
    p.setFont(title);
    for (const auto& [text, hy] : headings) {
        p.drawText(QRect(kPad, hy, kWidth, 26), Qt::AlignLeft | Qt::AlignVCenter, text);
        p.fillRect(QRect(kPad, hy + 26, kWidth - 2 * kPad, 1), QColor(200, 30, 46));
    }
    p.setFont(label);
    for (const Tile& t : tiles) {
        const QImage img = pixels(t.pic->image);
        const QRect box(t.at, QSize(img.width() + 8, img.height() + 8));
        // checkerboard shows transparency
        for (int cy = 0; cy < box.height(); cy += 8)
            for (int cx = 0; cx < box.width(); cx += 8)
                p.fillRect(QRect(box.left() + cx, box.top() + cy, std::min(8, box.width() - cx),
                                 std::min(8, box.height() - cy)),
                           ((cx + cy) / 8) % 2 ? QColor(70, 70, 78) : QColor(92, 92, 100));
        p.drawImage(box.topLeft() + QPoint(4, 4), img);
        p.setPen(QColor(255, 255, 255));
        const QString name =
            QFileInfo(scaledName(t.pic->path, qRound(t.pic->image.devicePixelRatio()))).fileName();
        p.drawText(QRect(box.left(), box.bottom() + 3, std::max(box.width(), 120), 12),
                   Qt::AlignLeft, name);
        p.setPen(QColor(170, 170, 180));
        p.drawText(QRect(box.left(), box.bottom() + 15, 120, 12), Qt::AlignLeft,
                   QString("%1 x %2").arg(img.width()).arg(img.height()));
    }
    return sheet;
}

} // namespace zentro::skin

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QString skins, resources, sheet;
    bool list = false;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        auto next = [&]() { return i + 1 < args.size() ? args[++i] : QString(); };
        if (a == "--skins")
            skins = next();
        else if (a == "--resources")
            resources = next();
        else if (a == "--sheet")
            sheet = next();
        else if (a == "--list")
            list = true;
        else {
            std::fprintf(stderr, "zentro-skin-render: unknown argument %s\n", qPrintable(a));
            return 2;
        }
    }
    if (skins.isEmpty()) {
        std::fprintf(
            stderr,
            "usage: zentro-skin-render --skins DIR [--resources DIR] [--sheet FILE] [--list]\n");
        return 2;
    }
    for (const char* f : {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                          "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"})
        if (QFileInfo::exists(f))
            QFontDatabase::addApplicationFont(f);

    // The folder is generated whole: stale pictures of an older skin must not survive.
    QDir(skins).removeRecursively();
    QDir().mkpath(skins);
    bool ok = true;
    std::vector<zentro::skin::Picture> all;
    std::vector<zentro::skin::Picture> pictures1x;
    // Every picture at 1x, then its @2x and @3x companions for high-density screens.
    for (int scale : {1, 2, 3}) {
        zentro::skin::setRenderScale(scale);
        zentro::skin::Output out(skins);
        zentro::skin::renderMainWindow(out);
        zentro::skin::renderMouse(out);
        zentro::skin::renderPages(out);
        zentro::skin::renderDialogs(out);
        ok = out.ok() && ok;
        if (scale == 1)
            pictures1x = out.pictures();
        if (sheet.isEmpty() || scale == 3)
            continue;
        // the contact sheet shows the 1x and 2x pictures, the 2x ones in groups of their own
        std::vector<zentro::skin::Picture> pics = out.pictures();
        for (auto& pv : zentro::skin::previews(out.pictures()))
            pics.push_back(std::move(pv));
        for (auto& pic : pics) {
            if (pic.path.startsWith("preview-")) {
                QDir().mkpath(QFileInfo(sheet).path());
                QImage shot = pic.image.convertToFormat(QImage::Format_RGB32);
                shot.setDevicePixelRatio(1);
                ok = shot.save(QFileInfo(sheet).path() + "/skin-" +
                                   zentro::skin::scaledName(pic.path, scale),
                               "png") &&
                     ok;
            }
            if (scale > 1)
                pic.group += QString(" @%1x").arg(scale);
            all.push_back(std::move(pic));
        }
    }
    zentro::skin::setRenderScale(1);
    if (!resources.isEmpty())
        ok = zentro::skin::renderResources(resources) && ok;
    if (!sheet.isEmpty()) {
        QDir().mkpath(QFileInfo(sheet).path());
        ok = zentro::skin::contactSheet(all)
                 .convertToFormat(QImage::Format_RGB32)
                 .save(sheet, "png") &&
             ok;
    }
    if (list) {
        std::map<QString, QPoint> pos;
        for (const auto& [name, at] : zentro::skin::hotspotPositions())
            pos[name] = at;
        for (const auto& pic : pictures1x) {
            QString base = pic.path;
            base.chop(4);
            base.remove("-normal").remove("-over");
            const auto it = pos.find(base);
            std::printf("%s,%d,%d,%s\n", qPrintable(pic.path), pic.image.width(),
                        pic.image.height(),
                        it == pos.end()
                            ? ""
                            : qPrintable(QString("%1;%2").arg(it->second.x()).arg(it->second.y())));
        }
    }
    return ok ? 0 : 1;
}
