#include "Widgets.h"

#include <QPainterPathStroker>

#include <cmath>

namespace zentro::skin {

void drawPushButton(QPainter& p, const QRectF& rect, State s, double radius)
{
    const QRectF r = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    QColor top, bottom, border, accent;
    switch (s) {
    case State::Normal:
        top = QColor(50, 50, 59);
        bottom = QColor(31, 31, 37);
        border = QColor(74, 74, 86);
        accent = withAlpha(pal::Red, 170);
        break;
    case State::Over:
        top = QColor(72, 44, 52);
        bottom = QColor(44, 26, 32);
        border = QColor(214, 58, 72);
        accent = pal::RedHot;
        break;
    case State::Pressed:
        top = QColor(96, 18, 30);
        bottom = QColor(150, 28, 42);
        border = pal::RedHot;
        accent = QColor(255, 120, 130);
        break;
    case State::Disabled:
        top = QColor(34, 34, 40);
        bottom = QColor(29, 29, 34);
        border = QColor(50, 50, 58);
        accent = Qt::transparent;
        break;
    }
    p.save();
    prepare(p);
    p.setPen(Qt::NoPen);
    p.setBrush(vgrad(r.top(), r.bottom(), top, bottom));
    p.drawPath(roundRect(r, radius));
    // sheen on the upper half
    if (s != State::Pressed && s != State::Disabled) {
        QLinearGradient sheen(0, r.top(), 0, r.center().y());
        sheen.setColorAt(0, QColor(255, 255, 255, 28));
        sheen.setColorAt(1, QColor(255, 255, 255, 0));
        p.setBrush(sheen);
        p.drawPath(roundRect(r.adjusted(1, 1, -1, -r.height() / 2), radius - 1));
    } else if (s == State::Pressed) {
        QLinearGradient shade(0, r.top(), 0, r.top() + 6);
        shade.setColorAt(0, QColor(10, 0, 4, 120));
        shade.setColorAt(1, QColor(10, 0, 4, 0));
        p.setBrush(shade);
        p.drawPath(roundRect(r.adjusted(1, 1, -1, -1), radius - 1));
    }
    // accent strip along the bottom edge
    if (accent.alpha() > 0) {
        QLinearGradient a(r.left(), 0, r.right(), 0);
        a.setColorAt(0, withAlpha(accent, 0));
        a.setColorAt(0.25, accent);
        a.setColorAt(0.75, accent);
        a.setColorAt(1, withAlpha(accent, 0));
        p.setBrush(a);
        p.drawRect(QRectF(r.left() + 3, r.bottom() - 2.5, r.width() - 6, 1.5));
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(border, 1));
    p.drawPath(roundRect(r, radius));
    p.restore();
}

void drawSegment(QPainter& p, const QRectF& rect, State s)
{
    drawPushButton(p, rect, s, 4);
    if (s == State::Pressed) {
        // a lit pip at the top edge marks the chosen view
        p.save();
        prepare(p);
        p.setPen(Qt::NoPen);
        QRectF pip(rect.center().x() - 8, rect.top() + 2, 16, 2);
        p.setBrush(QColor(255, 190, 195));
        p.drawRoundedRect(pip, 1, 1);
        p.restore();
    }
}

void drawCaptionButton(QPainter& p, const QRectF& rect, char kind, bool over)
{
    p.save();
    prepare(p);
    const QRectF r = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    QColor fill =
        over ? (kind == 'x' ? QColor(200, 30, 46) : QColor(62, 62, 74)) : QColor(40, 40, 48);
    QColor border =
        over ? (kind == 'x' ? QColor(255, 96, 110) : QColor(96, 96, 110)) : QColor(58, 58, 68);
    p.setPen(QPen(border, 1));
    p.setBrush(vgrad(r.top(), r.bottom(), fill.lighter(115), fill));
    p.drawPath(roundRect(r, 3));
    const QColor g = over ? QColor(255, 255, 255) : pal::Glyph;
    QPen pen(g, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QPointF c = rect.center();
    if (kind == 'x') {
        p.drawLine(QPointF(c.x() - 3, c.y() - 3), QPointF(c.x() + 3, c.y() + 3));
        p.drawLine(QPointF(c.x() + 3, c.y() - 3), QPointF(c.x() - 3, c.y() + 3));
    } else if (kind == '_') {
        p.drawLine(QPointF(c.x() - 3.5, c.y() + 2.5), QPointF(c.x() + 3.5, c.y() + 2.5));
    } else {
        QPainterPath q;
        q.moveTo(c.x() - 2.6, c.y() - 1.6);
        q.cubicTo(c.x() - 2.6, c.y() - 4.6, c.x() + 2.8, c.y() - 4.6, c.x() + 2.8, c.y() - 1.8);
        q.cubicTo(c.x() + 2.8, c.y() + 0.2, c.x(), c.y() + 0.2, c.x(), c.y() + 2.0);
        p.drawPath(q);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(QPointF(c.x(), c.y() + 4.2), 0.95, 0.95);
    }
    p.restore();
}

void drawSwitch(QPainter& p, const QRectF& rect, bool on)
{
    p.save();
    prepare(p);
    const QRectF r = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    if (on) {
        QRadialGradient g(r.center() - QPointF(1, 1), r.width());
        g.setColorAt(0, QColor(255, 110, 120));
        g.setColorAt(1, QColor(176, 22, 38));
        p.setBrush(g);
        p.setPen(QPen(QColor(255, 150, 158), 1));
        p.drawPath(roundRect(r, 2));
        QPen tick(QColor(255, 255, 255), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(tick);
        p.setBrush(Qt::NoBrush);
        const double w = r.width(), h = r.height();
        QPainterPath t;
        t.moveTo(r.left() + w * 0.24, r.top() + h * 0.52);
        t.lineTo(r.left() + w * 0.43, r.top() + h * 0.72);
        t.lineTo(r.left() + w * 0.78, r.top() + h * 0.28);
        p.drawPath(t);
    } else {
        p.setBrush(vgrad(r.top(), r.bottom(), QColor(16, 16, 20), QColor(30, 30, 36)));
        p.setPen(QPen(QColor(100, 100, 114), 1));
        p.drawPath(roundRect(r, 2));
    }
    p.restore();
}

void drawRadio(QPainter& p, const QRectF& rect, bool on)
{
    p.save();
    prepare(p);
    const double d = std::min(rect.width(), rect.height()) - 1;
    const QRectF r(rect.center().x() - d / 2, rect.center().y() - d / 2, d, d);
    p.setBrush(vgrad(r.top(), r.bottom(), QColor(16, 16, 20), QColor(32, 32, 38)));
    p.setPen(QPen(on ? QColor(255, 110, 120) : QColor(100, 100, 114), 1));
    p.drawEllipse(r);
    if (on) {
        QRadialGradient g(r.center() - QPointF(0.8, 0.8), d / 2);
        g.setColorAt(0, QColor(255, 150, 158));
        g.setColorAt(1, QColor(200, 30, 46));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(r.center(), d * 0.26, d * 0.26);
    }
    p.restore();
}

void drawEmblem(QPainter& p, const QRectF& rect)
{
    p.save();
    prepare(p);
    const double s = std::min(rect.width(), rect.height());
    p.translate(rect.center());
    p.scale(s / 100.0, s / 100.0);
    // shield
    QPainterPath shield;
    shield.moveTo(-38, -44);
    shield.lineTo(38, -44);
    shield.lineTo(44, -36);
    shield.lineTo(44, 6);
    shield.cubicTo(44, 26, 20, 40, 0, 48);
    shield.cubicTo(-20, 40, -44, 26, -44, 6);
    shield.lineTo(-44, -36);
    shield.closeSubpath();
    QLinearGradient sg(0, -44, 0, 48);
    sg.setColorAt(0, QColor(64, 64, 74));
    sg.setColorAt(1, QColor(24, 24, 29));
    p.setPen(QPen(QColor(120, 120, 134), 2.5));
    p.setBrush(sg);
    p.drawPath(shield);
    QPainterPathStroker inner;
    p.setPen(QPen(QColor(200, 30, 46, 200), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(QTransform::fromScale(0.84, 0.84).map(shield));
    // the bolt: a sheared Z
    QPainterPath bolt;
    bolt.moveTo(-24, -28);
    bolt.lineTo(26, -28);
    bolt.lineTo(-2, 6);
    bolt.lineTo(18, 6);
    bolt.lineTo(-22, 34);
    bolt.lineTo(2, 0);
    bolt.lineTo(-18, 0);
    bolt.lineTo(6, -18);
    bolt.lineTo(-28, -18);
    bolt.closeSubpath();
    QLinearGradient bg(0, -28, 0, 34);
    bg.setColorAt(0, QColor(255, 96, 108));
    bg.setColorAt(1, QColor(170, 16, 32));
    p.setPen(QPen(QColor(255, 170, 176), 1.2));
    p.setBrush(bg);
    p.drawPath(bolt);
    p.restore();
}

void drawWordmark(QPainter& p, const QRectF& rect, const QColor& colour)
{
    // Six letters on a grid of 10 x 14 units, 3 units apart, drawn as strokes and sheared.
    const double unitW = rect.width() / (6 * 10 + 5 * 3 + 3);
    const double h = rect.height();
    const double w = unitW * 10;
    const double gap = unitW * 3;
    const double sw = std::max(2.0, h * 0.2);
    std::vector<QPainterPath> letters(6);
    auto poly = [](QPainterPath& path, std::initializer_list<QPointF> pts) {
        auto it = pts.begin();
        path.moveTo(*it++);
        for (; it != pts.end(); ++it)
            path.lineTo(*it);
    };
    const double t = sw / 2, b = h - sw / 2, m = h / 2;
    const double l = sw / 2, r = w - sw / 2;
    poly(letters[0], {{l, t}, {r, t}, {l, b}, {r, b}}); // Z
    poly(letters[1], {{r, t}, {l, t}, {l, b}, {r, b}}); // E
    poly(letters[1], {{l, m}, {r - w * 0.18, m}});
    poly(letters[2], {{l, b}, {l, t}, {r, b}, {r, t}});                 // N
    poly(letters[3], {{l - sw / 2 + 0.01, t}, {r + sw / 2 - 0.01, t}}); // T
    poly(letters[3], {{w / 2, t}, {w / 2, b}});
    poly(letters[4], {{l, b}, {l, t}, {r, t}, {r, m}, {l, m}}); // R
    poly(letters[4], {{w * 0.5, m}, {r, b}});
    poly(letters[5], {{l + w * 0.2, t},
                      {r, t},
                      {r, b - h * 0.2},
                      {r - w * 0.2, b},
                      {l, b},
                      {l, t + h * 0.2}}); // O
    letters[5].closeSubpath();
    QPainterPathStroker stroker;
    stroker.setWidth(sw);
    stroker.setJoinStyle(Qt::MiterJoin);
    stroker.setCapStyle(Qt::FlatCap);
    QPainterPath all;
    for (int i = 0; i < 6; ++i) {
        QPainterPath s = stroker.createStroke(letters[static_cast<size_t>(i)]);
        all = all.united(s.translated(rect.left() + unitW * 1.5 + i * (w + gap), rect.top()));
    }
    QTransform shear;
    shear.translate(0, rect.bottom());
    shear.shear(-0.22, 0);
    shear.translate(0, -rect.bottom());
    all = shear.map(all);
    p.save();
    prepare(p);
    p.setPen(Qt::NoPen);
    QLinearGradient g(0, rect.top(), 0, rect.bottom());
    g.setColorAt(0, colour.lighter(108));
    g.setColorAt(0.5, colour);
    g.setColorAt(0.52, colour.darker(118));
    g.setColorAt(1, colour.darker(135));
    p.setBrush(g);
    p.drawPath(all);
    p.restore();
}

void drawInset(QPainter& p, const QRectF& rect, double radius)
{
    p.save();
    prepare(p);
    const QRectF r = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(QColor(60, 60, 70), 1));
    p.setBrush(vgrad(r.top(), r.bottom(), QColor(14, 14, 18), QColor(24, 24, 29)));
    p.drawPath(roundRect(r, radius));
    p.restore();
}

void drawCard(QPainter& p, const QRectF& rect, double radius, QColor fill)
{
    p.save();
    prepare(p);
    const QRectF r = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(roundRect(r, radius));
    QLinearGradient sheen(0, r.top(), 0, r.top() + 40);
    sheen.setColorAt(0, QColor(255, 255, 255, 14));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(sheen);
    p.drawPath(roundRect(r, radius));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(pal::PanelEdge, 1));
    p.drawPath(roundRect(r, radius));
    p.restore();
}

void drawAccentLine(QPainter& p, double x0, double x1, double y, int alpha)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    QLinearGradient g(x0, 0, x1, 0);
    g.setColorAt(0, withAlpha(pal::Red, 0));
    g.setColorAt(0.2, withAlpha(pal::Red, alpha));
    g.setColorAt(0.5, withAlpha(pal::RedHot, alpha));
    g.setColorAt(0.8, withAlpha(pal::Red, alpha));
    g.setColorAt(1, withAlpha(pal::Red, 0));
    p.fillRect(QRectF(x0, y, x1 - x0, 1), g);
    p.restore();
}

} // namespace zentro::skin
