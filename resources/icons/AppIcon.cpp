// The program icon (window and tray), drawn for every size a desktop asks for.

#include "../../skin/render/Skin.h"
#include "../../skin/render/Widgets.h"

#include <QDir>

namespace zentro::skin {

QImage appIcon(int size)
{
    QImage img = canvas(size, size);
    QPainter p(&img);
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
    return img;
}

bool renderIcons(const QString& dir)
{
    QDir().mkpath(dir);
    bool ok = true;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QImage img = appIcon(size).convertToFormat(QImage::Format_ARGB32);
        ok = img.save(QString("%1/zentro-%2.png").arg(dir).arg(size), "png") && ok;
    }
    return ok;
}

} // namespace zentro::skin
