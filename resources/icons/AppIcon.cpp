// The program icon (window and tray), drawn for every size a desktop asks for.

#include "../../skin/render/Skin.h"
#include "../../skin/render/Widgets.h"

#include <QDir>
#include <QFileInfo>
#include <QSvgGenerator>

namespace zentro::skin {

// Draws the icon into a size x size square at the painter's origin.
void paintAppIcon(QPainter& p, int size)
{
    prepare(p);
    const double s = size;
    const QRectF tile(s * 0.04, s * 0.04, s * 0.92, s * 0.92);
    p.setPen(size >= 32 ? QPen(QColor(200, 30, 46), std::max(1.0, s / 48)) : QPen(Qt::NoPen));
    p.setBrush(vgrad(tile.top(), tile.bottom(), QColor(52, 52, 62), QColor(16, 16, 20)));
    p.drawRoundedRect(tile, s * 0.2, s * 0.2);
    if (size >= 48) {
        drawEmblem(p, tile.adjusted(s * 0.1, s * 0.1, -s * 0.1, -s * 0.1));
    } else {
        // small sizes: the bolt alone, bold and crisp
        QPainterPath bolt;
        bolt.moveTo(0.26, 0.22);
        bolt.lineTo(0.78, 0.22);
        bolt.lineTo(0.46, 0.52);
        bolt.lineTo(0.70, 0.52);
        bolt.lineTo(0.24, 0.84);
        bolt.lineTo(0.48, 0.58);
        bolt.lineTo(0.28, 0.58);
        bolt.lineTo(0.54, 0.34);
        bolt.lineTo(0.22, 0.34);
        bolt.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 64, 80));
        p.drawPath(QTransform::fromScale(s, s).map(bolt));
    }
}

QImage appIcon(int size)
{
    QImage img = canvas(size, size);
    QPainter p(&img);
    paintAppIcon(p, size);
    return img;
}

bool renderIcons(const QString& dir)
{
    QDir().mkpath(dir);
    bool ok = true;
    // every size of the hicolor theme up to 512
    for (int size : {16, 22, 24, 32, 36, 48, 64, 72, 96, 128, 192, 256, 512}) {
        QImage img = appIcon(size).convertToFormat(QImage::Format_ARGB32);
        ok = img.save(QString("%1/zentro-%2.png").arg(dir).arg(size), "png") && ok;
    }
    // and the scalable one, drawn by the same code (the large-size form)
    QSvgGenerator svg;
    svg.setFileName(dir + "/zentro.svg");
    svg.setSize(QSize(256, 256));
    svg.setViewBox(QRect(0, 0, 256, 256));
    svg.setTitle("ZENTRO Mouse");
    {
        QPainter p;
        ok = p.begin(&svg) && ok;
        if (p.isActive())
            paintAppIcon(p, 256);
    }
    return ok && QFileInfo(dir + "/zentro.svg").size() > 0;
}

} // namespace zentro::skin
