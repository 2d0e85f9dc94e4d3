// The right column: its ground, the seven setting pages and their pictures.

#include "Skin.h"
#include "Widgets.h"

#include <cmath>

namespace zentro::skin {

namespace {

const QColor kCard(24, 24, 30);

// A page card hanging under its title bar: square top, rounded foot.
QImage pageCard(int w, int h)
{
    QImage img = canvas(w, h);
    QPainter p(&img);
    prepare(p);
    QPainterPath path;
    const QRectF r(0.5, 0, w - 1, h - 0.5);
    path.moveTo(r.topLeft());
    path.lineTo(r.topRight());
    path.lineTo(r.right(), r.bottom() - 5);
    path.quadTo(r.right(), r.bottom(), r.right() - 5, r.bottom());
    path.lineTo(r.left() + 5, r.bottom());
    path.quadTo(r.left(), r.bottom(), r.left(), r.bottom() - 5);
    path.closeSubpath();
    p.setPen(QPen(QColor(46, 46, 56), 1));
    p.setBrush(vgrad(0, h, QColor(22, 22, 27), kCard));
    p.drawPath(path);
    drawAccentLine(p, 0, w, 0, 110);
    return img;
}

QImage groove(int w, int h, bool fill, bool vertical, const QColor& ground)
{
    QImage img = canvas(w, h, ground);
    QPainter p(&img);
    prepare(p);
    const QRectF r = vertical ? QRectF(0.5, 0.5, w - 1, h - 1) : QRectF(0.5, 0.5, w - 1, h - 1);
    if (!fill) {
        p.setPen(QPen(QColor(62, 62, 74), 1));
        p.setBrush(vertical ? QBrush(QColor(13, 13, 16))
                            : QBrush(vgrad(0, h, QColor(12, 12, 15), QColor(26, 26, 32))));
        p.drawPath(roundRect(r, vertical ? 3 : 2.5));
        if (vertical)
            for (int y = 17; y < h - 4; y += 17)
                hline(p, 2, w - 3, y, QColor(40, 40, 48));
    } else {
        QLinearGradient g = vertical ? QLinearGradient(0, 0, w, 0) : QLinearGradient(0, 0, 0, h);
        g.setColorAt(0, QColor(150, 18, 34));
        g.setColorAt(0.5, QColor(255, 78, 92));
        g.setColorAt(1, QColor(140, 16, 30));
        p.setPen(QPen(QColor(255, 120, 130), 1));
        p.setBrush(g);
        p.drawPath(roundRect(r, vertical ? 3 : 2.5));
        if (vertical) {
            // the head of the bar: the fill's top rows always sit at the bar's top
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 214, 218));
            p.drawRoundedRect(QRectF(1, 1, w - 2, 2.5), 1.2, 1.2);
        } else {
            hline(p, 2, w - 3, 1, QColor(255, 180, 186, 170));
        }
    }
    return img;
}

QImage dpiPage()
{
    QImage img = pageCard(242, 232);
    QPainter p(&img);
    prepare(p);
    for (int n = 0; n < 7; ++n) {
        const double d = 30 * n;
        // bay behind the slider
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 30, 37));
        p.drawRoundedRect(QRectF(19 + d, 1.5, 19, 175), 4, 4);
        // scale marks left and right of the slider
        for (int k = 0; k <= 10; ++k) {
            const double y = 173 - 17 * k - 0.5;
            const QColor c = k % 5 == 0 ? QColor(120, 120, 136) : QColor(70, 70, 82);
            hline(p, 21 + d, 22 + d + (k % 5 == 0 ? 1 : 0), y, c);
            hline(p, 35 + d - (k % 5 == 0 ? 1 : 0), 36 + d, y, c);
        }
        // frame of the colour swatch
        p.setPen(QPen(QColor(90, 90, 104), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(23.5 + d, 213.5, 13, 13), 2, 2);
    }
    hline(p, 8, 234, 198, QColor(40, 40, 48));
    return img;
}

QImage dpiValueBox()
{
    QImage img = canvas(25, 11);
    QPainter p(&img);
    drawInset(p, QRectF(0, 0, 25, 11), 3);
    return img;
}

QImage lightingPage()
{
    QImage img = pageCard(242, 112);
    QPainter p(&img);
    prepare(p);
    for (int k = 0; k < 3; ++k) {
        const double y = 20 + 29 * k;
        // bezel around the slider (slider at 100, y - 227, y + 8)
        p.setPen(QPen(QColor(48, 48, 58), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(98.5, y - 1.5, 130, 11), 3, 3);
    }
    return img;
}

QImage rateDial(int rate)
{
    // 128 x 123 drawn at 57, 5; centre at 64, 61; the ring 35 - 64 is the clickable part
    QImage img = canvas(128, 123);
    QPainter p(&img);
    prepare(p);
    const QPointF c(64, 61);
    const int rates[4] = {1000, 125, 250, 500}; // quarters counter-clockwise from 0 degrees
    const int bars[4] = {4, 1, 2, 3};
    int chosen = -1;
    for (int q = 0; q < 4; ++q)
        if (rates[q] == rate)
            chosen = q;
    for (int q = 0; q < 4; ++q) {
        const bool on = q == chosen;
        QPainterPath seg;
        const double a0 = q * 90 + 3, span = 84;
        seg.arcMoveTo(QRectF(c.x() - 61, c.y() - 61, 122, 122), a0);
        seg.arcTo(QRectF(c.x() - 61, c.y() - 61, 122, 122), a0, span);
        seg.arcTo(QRectF(c.x() - 38, c.y() - 38, 76, 76), a0 + span, -span);
        seg.closeSubpath();
        if (on)
            drawGlow(p, seg, QColor(255, 40, 60, 200), 8, logicalSize(img));
        QRadialGradient g(c, 61);
        g.setColorAt(0.6, on ? QColor(150, 18, 34) : QColor(32, 32, 39));
        g.setColorAt(1, on ? QColor(240, 60, 76) : QColor(46, 46, 55));
        p.setBrush(g);
        p.setPen(QPen(on ? QColor(255, 130, 140) : QColor(66, 66, 78), 1));
        p.drawPath(seg);
        // strength bars: more bars for a faster rate
        for (int b = 0; b < bars[q]; ++b) {
            const double a = (a0 + span / 2 + (b - (bars[q] - 1) / 2.0) * 12) * M_PI / 180;
            const QPointF dir(std::cos(a), -std::sin(a));
            p.setPen(QPen(on ? QColor(255, 255, 255) : QColor(120, 120, 136), 3, Qt::SolidLine,
                          Qt::RoundCap));
            p.drawLine(c + dir * 44, c + dir * (50 + b * 0.0 + 5));
        }
    }
    // hub with a needle into the chosen quarter
    QRadialGradient hub(c - QPointF(6, 6), 34);
    hub.setColorAt(0, QColor(70, 70, 82));
    hub.setColorAt(1, QColor(20, 20, 25));
    p.setBrush(hub);
    p.setPen(QPen(QColor(80, 80, 94), 1));
    p.drawEllipse(c, 30, 30);
    if (chosen >= 0) {
        const double a = (chosen * 90 + 45) * M_PI / 180;
        const QPointF dir(std::cos(a), -std::sin(a));
        const QPointF side(-dir.y(), dir.x());
        QPainterPath needle;
        needle.moveTo(c + dir * 27);
        needle.lineTo(c + side * 4);
        needle.lineTo(c - dir * 6);
        needle.lineTo(c - side * 4);
        needle.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 70, 86));
        p.drawPath(needle);
    }
    p.setBrush(QColor(14, 14, 18));
    p.setPen(QPen(QColor(110, 110, 126), 1));
    p.drawEllipse(c, 6, 6);
    return img;
}

QImage ratePage()
{
    QImage img = pageCard(242, 133);
    QPainter p(&img);
    prepare(p);
    const QPointF c(121, 66);
    p.setPen(QPen(QColor(44, 44, 54), 1));
    p.setBrush(QColor(18, 18, 23));
    p.drawEllipse(c, 65.5, 65.5);
    for (int i = 0; i < 48; ++i) {
        const double a = i * 7.5 * M_PI / 180;
        const QPointF dir(std::cos(a), std::sin(a));
        p.setPen(QPen(i % 12 == 0 ? QColor(120, 120, 136) : QColor(58, 58, 70), 1));
        if (c.y() + dir.y() * 66 < 132)
            p.drawLine(c + dir * 62.5, c + dir * 65);
    }
    return img;
}

QImage speedDial(int level)
{
    // 142 x 83 drawn at 50, 20; centre at 71, 71; levels 1 (slow, left) to 11 (fast, right)
    QImage img = canvas(142, 83);
    QPainter p(&img);
    prepare(p);
    const QPointF c(71, 71);
    for (int i = 1; i <= 11; ++i) {
        const bool on = i <= level;
        const double step = 180.0 / 11;
        const double a0 = 180 - i * step + 1.2, span = step - 2.4;
        const double outer = 56 + i * 1.0;
        QPainterPath seg;
        seg.arcMoveTo(QRectF(c.x() - outer, c.y() - outer, 2 * outer, 2 * outer), a0);
        seg.arcTo(QRectF(c.x() - outer, c.y() - outer, 2 * outer, 2 * outer), a0, span);
        seg.arcTo(QRectF(c.x() - 44, c.y() - 44, 88, 88), a0 + span, -span);
        seg.closeSubpath();
        const double t = (i - 1) / 10.0;
        const QColor lit = mix(QColor(150, 24, 38), QColor(255, 80, 94), t);
        if (on && i == level)
            drawGlow(p, seg, QColor(255, 50, 70, 220), 8, logicalSize(img));
        p.setBrush(on ? QBrush(lit) : QBrush(QColor(36, 36, 44)));
        p.setPen(QPen(on ? lit.lighter(130) : QColor(58, 58, 70), 1));
        p.drawPath(seg);
    }
    const double a = (180 - (level - 0.5) * 180.0 / 11) * M_PI / 180;
    const QPointF dir(std::cos(a), -std::sin(a));
    const QPointF side(-dir.y(), dir.x());
    QPainterPath needle;
    needle.moveTo(c + dir * 40);
    needle.lineTo(c + side * 3.5);
    needle.lineTo(c - side * 3.5);
    needle.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    p.drawPath(needle);
    QRadialGradient hub(c - QPointF(3, 3), 14);
    hub.setColorAt(0, QColor(80, 80, 94));
    hub.setColorAt(1, QColor(24, 24, 30));
    p.setBrush(hub);
    p.setPen(QPen(QColor(110, 110, 126), 1));
    p.drawPie(QRectF(c.x() - 11, c.y() - 11, 22, 22), 0, 180 * 16);
    return img;
}

QImage speedPage()
{
    QImage img = pageCard(242, 110);
    QPainter p(&img);
    prepare(p);
    // base arc under the dial (dial centre 121, 91)
    p.setPen(QPen(QColor(40, 40, 50), 1));
    p.setBrush(QColor(18, 18, 23));
    p.drawPie(QRectF(121 - 72, 91 - 72, 144, 144), 0, 180 * 16);
    hline(p, 8, 234, 92, QColor(44, 44, 54));
    // slow and fast pictograms at the ends of the base line
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 90, 104));
    p.drawEllipse(QPointF(28, 66), 2, 2);
    for (int i = 0; i < 3; ++i)
        p.drawRoundedRect(QRectF(206 + i * 6, 62 - i * 2, 4, 6 + i * 4), 1, 1);
    return img;
}

QImage scrollPage()
{
    QImage img = pageCard(242, 70);
    QPainter p(&img);
    hline(p, 8, 234, 40, QColor(40, 40, 48));
    return img;
}

QImage scrollLines()
{
    // 50 x 14 at the number box (150, 15): the box (0-36) and its two arrows (40-50)
    QImage img = canvas(50, 14);
    QPainter p(&img);
    prepare(p);
    drawInset(p, QRectF(0, 0, 36, 14), 2);
    for (int i = 0; i < 2; ++i) {
        const QRectF r(40, i * 8, 10, 6);
        p.setPen(QPen(QColor(80, 80, 94), 1));
        p.setBrush(vgrad(r.top(), r.bottom(), QColor(56, 56, 66), QColor(36, 36, 43)));
        p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 1.5, 1.5);
        QPainterPath t;
        const QPointF c = r.center();
        if (i == 0) {
            t.moveTo(c.x() - 2.5, c.y() + 1.3);
            t.lineTo(c.x() + 2.5, c.y() + 1.3);
            t.lineTo(c.x(), c.y() - 1.5);
        } else {
            t.moveTo(c.x() - 2.5, c.y() - 1.3);
            t.lineTo(c.x() + 2.5, c.y() - 1.3);
            t.lineTo(c.x(), c.y() + 1.5);
        }
        t.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(230, 230, 238));
        p.drawPath(t);
    }
    return img;
}

QImage anglePage()
{
    QImage img = pageCard(242, 58);
    QPainter p(&img);
    prepare(p);
    // a pictogram: a shaky stroke straightened into a line
    QPainterPath shaky;
    shaky.moveTo(196, 22);
    for (int i = 1; i <= 8; ++i)
        shaky.lineTo(196 + i * 4, 22 + ((i % 2) ? -2.5 : 2.5));
    p.setPen(QPen(QColor(110, 110, 126), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shaky);
    p.setPen(QPen(pal::RedHot, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(196, 38), QPointF(228, 38));
    return img;
}

QImage columnGround()
{
    // 260 x 563: the page container's ground, flat where the title bars sit
    QImage img = canvas(260, 563, pal::Panel);
    QPainter p(&img);
    prepare(p);
    QLinearGradient fade(0, 400, 0, 563);
    fade.setColorAt(0, withAlpha(pal::Panel, 0));
    fade.setColorAt(1, QColor(20, 20, 25));
    p.fillRect(QRect(0, 400, 260, 163), fade);
    // the strip under the scroll bar
    p.fillRect(QRect(247, 0, 13, 563), QColor(20, 20, 25));
    return img;
}

} // namespace

void renderPages(Output& out)
{
    out.add("BK_MainRight.png", columnGround());
    out.add("Enable.png", [] {
        QImage i = canvas(10, 10);
        QPainter p(&i);
        drawSwitch(p, QRectF(0, 0, 10, 10), true);
        return i;
    }());
    out.add("Disable.png", [] {
        QImage i = canvas(10, 10);
        QPainter p(&i);
        drawSwitch(p, QRectF(0, 0, 10, 10), false);
        return i;
    }());

    out.add("DPISetting/BK_DPISetting.png", dpiPage());
    out.add("DPISetting/BK-DPIValue.png", dpiValueBox());
    const QColor bay(30, 30, 37);
    out.add("DPISetting/DPIStage/0.png", groove(7, 175, false, true, bay));
    out.add("DPISetting/DPIStage/1.png", groove(7, 175, true, true, bay));

    const QImage light = lightingPage();
    out.add("Lighting/BK_Lighting.png", light);
    const QColor under = QColor(light.pixel(100 * renderScale(), 24 * renderScale()));
    out.add("StageSlider/1.png", groove(128, 11, false, false, under));
    out.add("StageSlider/10.png", groove(128, 11, true, false, under));

    out.add("USBReportRate/BK_USBReportRate.png", ratePage());
    for (int rate : {1000, 500, 250, 125})
        out.add(QString("USBReportRate/%1HZ.png").arg(rate), rateDial(rate));

    out.add("MouseAttribute/BK_MouseAttribute.png", speedPage());
    out.add("MouseAttribute/BK_ScrollSpeed.png", scrollPage());
    for (int level = 1; level <= 11; ++level)
        out.add(QString("MouseAttribute/Speed/%1.png").arg(level), speedDial(level));
    out.add("MouseAttribute/ScrollSpeed/Enable.png", [] {
        QImage i = canvas(11, 13);
        QPainter p(&i);
        drawRadio(p, QRectF(0, 1, 11, 11), true);
        return i;
    }());
    out.add("MouseAttribute/ScrollSpeed/Disable.png", [] {
        QImage i = canvas(11, 13);
        QPainter p(&i);
        drawRadio(p, QRectF(0, 1, 11, 11), false);
        return i;
    }());
    out.add("MouseAttribute/ScrollSpeed/ScrollLines.png", scrollLines());

    out.add("AngleSnap/BK_AngleSnap.png", anglePage());
}

} // namespace zentro::skin
