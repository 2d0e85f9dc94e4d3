#include "settings/ui/ColorKeyEffect.h"

#include <QPainter>

namespace zentro {

CColorKeyEffect::CColorKeyEffect(int alpha, QObject* parent)
    : QGraphicsEffect(parent), m_nAlpha(alpha)
{
}

QImage CColorKeyEffect::Apply(const QImage& source, int alpha)
{
    QImage out = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb p = line[x];
            if (p == 0xFF000000u) {
                line[x] = 0; // the colour key
                continue;
            }
            // Premultiplied: every channel scales with the alpha.
            const auto scale = [alpha](unsigned c) { return (c * alpha + 127) / 255; };
            line[x] = qRgba(scale(qRed(p)), scale(qGreen(p)), scale(qBlue(p)), scale(qAlpha(p)));
        }
    }
    return out;
}

void CColorKeyEffect::draw(QPainter* painter)
{
    QPoint offset;
    const QPixmap pixmap = sourcePixmap(Qt::DeviceCoordinates, &offset, NoPad);
    if (pixmap.isNull())
        return;
    const QImage keyed = Apply(pixmap.toImage(), m_nAlpha);
    painter->save();
    painter->setWorldTransform(QTransform());
    painter->drawImage(offset, keyed);
    painter->restore();
}

} // namespace zentro
