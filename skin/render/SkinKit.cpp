#include "SkinKit.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>

#include <algorithm>
#include <cstdio>

namespace zentro::skin {

QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

QColor mix(const QColor& a, const QColor& b, double t)
{
    auto m = [t](int x, int y) { return static_cast<int>(x + (y - x) * t + 0.5); };
    return QColor(m(a.red(), b.red()), m(a.green(), b.green()), m(a.blue(), b.blue()),
                  m(a.alpha(), b.alpha()));
}

namespace {
int g_renderScale = 1;
} // namespace

void setRenderScale(int scale)
{
    g_renderScale = std::max(1, scale);
}

int renderScale()
{
    return g_renderScale;
}

QImage canvas(int w, int h, QColor fill)
{
    QImage img(w * g_renderScale, h * g_renderScale, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(g_renderScale);
    img.fill(fill);
    return img;
}

QSize logicalSize(const QImage& img)
{
    return img.deviceIndependentSize().toSize();
}

void prepare(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QPainterPath roundRect(const QRectF& r, double radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

namespace {
// One horizontal and one vertical box pass over premultiplied pixels.
void boxPass(QImage& img, int radius)
{
    const int w = img.width();
    const int h = img.height();
    std::vector<uint32_t> line(static_cast<size_t>(std::max(w, h)));
    const int span = 2 * radius + 1;
    auto run = [&](auto get, auto set, int len) {
        int acc[4] = {0, 0, 0, 0};
        for (int i = -radius; i <= radius; ++i) {
            const uint32_t px = get(std::clamp(i, 0, len - 1));
            for (int c = 0; c < 4; ++c)
                acc[c] += (px >> (8 * c)) & 0xFF;
        }
        for (int i = 0; i < len; ++i) {
            uint32_t out = 0;
            for (int c = 0; c < 4; ++c)
                out |= static_cast<uint32_t>((acc[c] + span / 2) / span) << (8 * c);
            line[static_cast<size_t>(i)] = out;
            const uint32_t add = get(std::min(i + radius + 1, len - 1));
            const uint32_t sub = get(std::max(i - radius, 0));
            for (int c = 0; c < 4; ++c)
                acc[c] += static_cast<int>((add >> (8 * c)) & 0xFF) -
                          static_cast<int>((sub >> (8 * c)) & 0xFF);
        }
        for (int i = 0; i < len; ++i)
            set(i, line[static_cast<size_t>(i)]);
    };
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(img.scanLine(y));
        run([row](int x) { return row[x]; }, [row](int x, uint32_t v) { row[x] = v; }, w);
    }
    for (int x = 0; x < w; ++x) {
        run([&img, x](int y) { return reinterpret_cast<const uint32_t*>(img.constScanLine(y))[x]; },
            [&img, x](int y, uint32_t v) { reinterpret_cast<uint32_t*>(img.scanLine(y))[x] = v; },
            h);
    }
}
} // namespace

void blur(QImage& img, int radius)
{
    if (radius <= 0)
        return;
    if (img.format() != QImage::Format_ARGB32_Premultiplied)
        img = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int r = std::max(1, static_cast<int>(radius * img.devicePixelRatio() / 2));
    for (int i = 0; i < 3; ++i)
        boxPass(img, r);
}

void drawGlow(QPainter& p, const QPainterPath& shape, const QColor& colour, int radius,
              const QSize& size, double strokeWidth)
{
    QImage layer = canvas(size.width(), size.height());
    {
        QPainter lp(&layer);
        prepare(lp);
        if (strokeWidth > 0) {
            lp.setPen(QPen(colour, strokeWidth));
            lp.setBrush(Qt::NoBrush);
        } else {
            lp.setPen(Qt::NoPen);
            lp.setBrush(colour);
        }
        lp.drawPath(shape);
    }
    blur(layer, radius);
    p.drawImage(0, 0, layer);
}

void hline(QPainter& p, double x0, double x1, double y, const QColor& c)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(c);
    p.drawLine(QPointF(x0, y), QPointF(x1, y));
    p.restore();
}

void vline(QPainter& p, double x, double y0, double y1, const QColor& c)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(c);
    p.drawLine(QPointF(x, y0), QPointF(x, y1));
    p.restore();
}

QLinearGradient vgrad(double y0, double y1, const QColor& top, const QColor& bottom)
{
    QLinearGradient g(0, y0, 0, y1);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

QImage crop(const QImage& src, const QRect& r)
{
    QImage out = canvas(r.width(), r.height());
    QPainter p(&out);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    // the source rectangle of drawImage is in the source's own pixels
    const qreal s = src.devicePixelRatio();
    p.drawImage(QRectF(0, 0, r.width(), r.height()), src,
                QRectF(r.x() * s, r.y() * s, r.width() * s, r.height() * s));
    return out;
}

QString scaledName(const QString& relPath, int scale)
{
    if (scale <= 1)
        return relPath;
    const int dot = relPath.lastIndexOf('.');
    const QString suffix = QString("@%1x").arg(scale);
    return dot < 0 ? relPath + suffix : relPath.left(dot) + suffix + relPath.mid(dot);
}

void Output::add(const QString& relPath, const QImage& img)
{
    const QString full = m_root + "/" + scaledName(relPath, g_renderScale);
    QDir().mkpath(QFileInfo(full).path());
    QImage straight = img.convertToFormat(QImage::Format_ARGB32);
    straight.setDevicePixelRatio(1);
    QImageWriter writer(full, "png");
    writer.setQuality(0); // PNG: 0 is the strongest compression (the pixels are the same)
    if (!writer.write(straight)) {
        std::fprintf(stderr, "zentro-skin-render: cannot write %s: %s\n", qPrintable(full),
                     qPrintable(writer.errorString()));
        m_ok = false;
    }
    const int slash = relPath.lastIndexOf('/');
    m_pictures.push_back(
        {relPath, img, slash < 0 ? QStringLiteral("Skins") : "Skins/" + relPath.left(slash)});
}

} // namespace zentro::skin
