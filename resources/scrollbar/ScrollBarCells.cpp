// Bitmap resource 129: the scroll-bar cells, 9 columns x 3 rows of 13 x 16 pixels.
// Columns: up, down, thumb, track (vertical); left, right, thumb, track (horizontal); size box.
// Rows: normal, hover, pressed.

#include "../../skin/render/Skin.h"
#include "../../skin/render/Widgets.h"

#include <QFile>

namespace zentro::skin {

namespace {
constexpr int kW = 13;
constexpr int kH = 16;
const QColor kTrack(20, 20, 25);

void arrow(QPainter& p, const QRectF& cell, int dir, int state)
{
    // dir: 0 up, 1 down, 2 left, 3 right
    p.fillRect(cell, kTrack);
    const QRectF face = dir < 2 ? QRectF(cell.left() + 1.5, cell.top() + 1.5, 10, 13)
                                : QRectF(cell.left() + 1.5, cell.top() + 1.5, 10, 10);
    QColor fill = state == 0   ? QColor(40, 40, 48)
                  : state == 1 ? QColor(70, 40, 48)
                               : QColor(200, 30, 46);
    QColor edge = state == 0 ? QColor(62, 62, 74) : QColor(255, 96, 110);
    p.setPen(QPen(edge, 1));
    p.setBrush(fill);
    p.drawRoundedRect(face, 2.5, 2.5);
    const QPointF c = face.center();
    QPainterPath t;
    switch (dir) {
    case 0:
        t.moveTo(c.x() - 3, c.y() + 1.5);
        t.lineTo(c.x() + 3, c.y() + 1.5);
        t.lineTo(c.x(), c.y() - 2);
        break;
    case 1:
        t.moveTo(c.x() - 3, c.y() - 1.5);
        t.lineTo(c.x() + 3, c.y() - 1.5);
        t.lineTo(c.x(), c.y() + 2);
        break;
    case 2:
        t.moveTo(c.x() + 1.5, c.y() - 3);
        t.lineTo(c.x() + 1.5, c.y() + 3);
        t.lineTo(c.x() - 2, c.y());
        break;
    default:
        t.moveTo(c.x() - 1.5, c.y() - 3);
        t.lineTo(c.x() - 1.5, c.y() + 3);
        t.lineTo(c.x() + 2, c.y());
        break;
    }
    t.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(state == 0 ? QColor(190, 190, 202) : QColor(255, 255, 255));
    p.drawPath(t);
}

void thumb(QPainter& p, const QRectF& cell, bool vertical, int state)
{
    p.fillRect(cell, kTrack);
    QColor fill = state == 0   ? QColor(74, 74, 88)
                  : state == 1 ? QColor(120, 44, 54)
                               : QColor(200, 30, 46);
    QColor edge = state == 0 ? QColor(100, 100, 116) : QColor(255, 110, 122);
    // the first and last 6 rows (columns) are the caps, the middle is tiled
    const QRectF r = vertical ? QRectF(cell.left() + 2.5, cell.top() + 0.5, 8, 15)
                              : QRectF(cell.left() + 0.5, cell.top() + 2.5, 12, 8);
    p.setPen(QPen(edge, 1));
    p.setBrush(fill);
    p.drawRoundedRect(r, 4, 4);
    // keep the tiled middle free of the caps' curves: straight sides only
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    if (vertical) {
        p.fillRect(QRectF(cell.left() + 3, cell.top() + 6, 7, 4), fill);
        p.fillRect(QRectF(cell.left() + 2, cell.top() + 6, 1, 4), edge);
        p.fillRect(QRectF(cell.left() + 10, cell.top() + 6, 1, 4), edge);
    } else {
        p.fillRect(QRectF(cell.left() + 6, cell.top() + 3, 1, 7), fill);
        p.fillRect(QRectF(cell.left() + 6, cell.top() + 2, 1, 1), edge);
        p.fillRect(QRectF(cell.left() + 6, cell.top() + 10, 1, 1), edge);
    }
}

void track(QPainter& p, const QRectF& cell, bool vertical)
{
    p.fillRect(cell, kTrack);
    if (vertical)
        p.fillRect(QRectF(cell.left() + 6, cell.top(), 1, kH), QColor(36, 36, 44));
    else
        p.fillRect(QRectF(cell.left(), cell.top() + 6, kW, 1), QColor(36, 36, 44));
}

void sizeBox(QPainter& p, const QRectF& cell)
{
    p.fillRect(cell, kTrack);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 90, 104));
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j <= i; ++j)
            p.drawRect(QRectF(cell.left() + 9 - 3 * j, cell.top() + 3 + 3 * i, 1.5, 1.5));
}

bool writeBmp24(const QImage& img, const QString& path)
{
    const int w = img.width(), h = img.height();
    const int stride = (w * 3 + 3) & ~3;
    const uint32_t dataSize = static_cast<uint32_t>(stride * h);
    QByteArray out;
    auto u16 = [&out](uint16_t v) {
        out.append(char(v & 0xFF));
        out.append(char(v >> 8));
    };
    auto u32 = [&out](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.append(char((v >> (8 * i)) & 0xFF));
    };
    out.append("BM");
    u32(14 + 40 + dataSize);
    u32(0);
    u32(14 + 40);
    u32(40);
    u32(static_cast<uint32_t>(w));
    u32(static_cast<uint32_t>(h));
    u16(1);
    u16(24);
    u32(0);
    u32(dataSize);
    u32(2835);
    u32(2835);
    u32(0);
    u32(0);
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(stride, 0);
        for (int x = 0; x < w; ++x) {
            const QRgb px = img.pixel(x, y);
            row[x * 3] = char(qBlue(px));
            row[x * 3 + 1] = char(qGreen(px));
            row[x * 3 + 2] = char(qRed(px));
        }
        out.append(row);
    }
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(out) == out.size();
}
} // namespace

QImage scrollBarCells()
{
    QImage img = canvas(9 * kW, 3 * kH, kTrack);
    QPainter p(&img);
    prepare(p);
    for (int state = 0; state < 3; ++state) {
        auto cell = [state](int col) { return QRectF(col * kW, state * kH, kW, kH); };
        p.save();
        for (int col = 0; col < 9; ++col) {
            p.setClipRect(cell(col));
            switch (col) {
            case 0:
                arrow(p, cell(col), 0, state);
                break;
            case 1:
                arrow(p, cell(col), 1, state);
                break;
            case 2:
                thumb(p, cell(col), true, state);
                break;
            case 3:
                track(p, cell(col), true);
                break;
            case 4:
                arrow(p, cell(col), 2, state);
                break;
            case 5:
                arrow(p, cell(col), 3, state);
                break;
            case 6:
                thumb(p, cell(col), false, state);
                break;
            case 7:
                track(p, cell(col), false);
                break;
            default:
                sizeBox(p, cell(col));
                break;
            }
        }
        p.restore();
    }
    return img.convertToFormat(QImage::Format_RGB32);
}

bool renderScrollBar(const QString& path)
{
    return writeBmp24(scrollBarCells(), path);
}

} // namespace zentro::skin
