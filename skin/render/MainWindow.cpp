// The main window: its background, the region pictures the window redraws in
// place (all cut from one composite so they line up to the pixel), the left
// panel pictures and every skinned button of the window.

#include "Skin.h"
#include "Widgets.h"

namespace zentro::skin {

namespace {

constexpr int kW = 1000; // window width
constexpr int kH = 648;  // window height
constexpr int kTitleH = 28;
constexpr int kBottomTop = 597;

void paintGround(QPainter& p)
{
    p.fillRect(0, 0, kW, kH, pal::Base);
    // body: a very slight vertical fall-off
    p.fillRect(QRect(0, kTitleH, kW, kBottomTop - kTitleH),
               vgrad(kTitleH, kBottomTop, QColor(19, 19, 24), QColor(15, 15, 19)));
    // title band: flat where the caption buttons sit, shaded at its foot
    p.fillRect(QRect(0, 0, kW, kTitleH), pal::Title);
    p.fillRect(QRect(0, 24, kW, 4), vgrad(24, 28, pal::Title, QColor(22, 22, 27)));
    hline(p, 0, kW - 1, 0, QColor(52, 52, 62));
    hline(p, 0, kW - 1, kTitleH, QColor(10, 10, 13));
    drawAccentLine(p, 0, kW, kTitleH - 1, 200);
    // a slanted red blade in the top-left corner
    {
        p.save();
        prepare(p);
        QPainterPath blade;
        blade.moveTo(0, 1);
        blade.lineTo(230, 1);
        blade.lineTo(222, 5);
        blade.lineTo(0, 5);
        blade.closeSubpath();
        QLinearGradient g(0, 0, 230, 0);
        g.setColorAt(0, QColor(200, 30, 46, 230));
        g.setColorAt(1, QColor(200, 30, 46, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPath(blade);
        p.restore();
    }
    // bottom bar: flat colour rows so buttons placed anywhere along it match
    p.fillRect(QRect(0, kBottomTop, kW, kH - kBottomTop),
               vgrad(kBottomTop, kH, QColor(25, 25, 31), QColor(16, 16, 20)));
    hline(p, 0, kW - 1, kBottomTop, QColor(50, 50, 60));
    hline(p, 0, kW - 1, kBottomTop + 1, QColor(34, 34, 41));
    drawAccentLine(p, 300, 700, kBottomTop, 120);
    // window frame
    p.save();
    p.setPen(QColor(64, 26, 30));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, kW - 1, kH - 1);
    p.restore();
}

void paintLogo(QPainter& p)
{
    // Logo area 20, 32 - 262, 100
    drawEmblem(p, QRectF(22, 38, 56, 56));
    drawWordmark(p, QRectF(86, 50, 170, 24), QColor(236, 236, 242));
    p.save();
    prepare(p);
    // a tagline rule under the word mark: three speed bars and a fading line
    for (int i = 0; i < 3; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 30, 46, 255 - i * 60));
        QPainterPath bar;
        const double x = 86 + i * 9;
        bar.moveTo(x + 3, 82);
        bar.lineTo(x + 9, 82);
        bar.lineTo(x + 6, 87);
        bar.lineTo(x, 87);
        bar.closeSubpath();
        p.drawPath(bar);
    }
    QLinearGradient g(116, 0, 256, 0);
    g.setColorAt(0, QColor(120, 120, 134, 200));
    g.setColorAt(1, QColor(120, 120, 134, 0));
    p.fillRect(QRectF(116, 84, 140, 1), g);
    p.restore();
}

void paintStage(QPainter& p)
{
    // The mouse stage between the columns: a lit floor, rings and a faint grid.
    p.save();
    prepare(p);
    const QRectF area(270, 32, 460, 490);
    p.setClipRect(QRectF(262, 29, 472, kBottomTop - 29));
    QRadialGradient floor(QPointF(518, 300), 260);
    floor.setColorAt(0, QColor(60, 18, 24, 150));
    floor.setColorAt(0.55, QColor(40, 14, 18, 70));
    floor.setColorAt(1, QColor(20, 20, 24, 0));
    p.fillRect(area.adjusted(-10, -10, 10, 10), floor);
    // grid
    for (int x = 278; x < 734; x += 24)
        for (int y = 44; y < 512; y += 24) {
            const double dx = (x - 518) / 240.0, dy = (y - 280) / 240.0;
            const double a = std::max(0.0, 1.0 - std::sqrt(dx * dx + dy * dy));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(150, 150, 170, static_cast<int>(40 * a)));
            p.drawEllipse(QPointF(x + 0.5, y + 0.5), 0.9, 0.9);
        }
    // turntable rings under the mouse
    for (int i = 0; i < 3; ++i) {
        QPen pen(QColor(200, 30, 46, 70 - i * 20), 1);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        const double rx = 190 + i * 26, ry = 40 + i * 7;
        p.drawEllipse(QPointF(518, 452), rx, ry);
    }
    p.restore();
    // view switch tray
    p.save();
    prepare(p);
    QRectF tray(417.5, 521.5, 153, 41);
    p.setPen(QPen(QColor(46, 46, 56), 1));
    p.setBrush(QColor(14, 14, 18));
    p.drawRoundedRect(tray, 7, 7);
    p.restore();
}

void paintLeftCard(QPainter& p)
{
    drawCard(p, QRectF(14, 101, 254, 412), 6);
}

void paintRightFrame(QPainter& p)
{
    // frame just outside the page container (735, 32, 260 x 561)
    p.save();
    p.setPen(QColor(52, 52, 62));
    p.setBrush(Qt::NoBrush);
    p.drawRect(734, 31, 261, 562);
    p.restore();
    drawAccentLine(p, 734, 996, 31, 160);
}

QImage mlogo()
{
    QImage img = canvas(200, 60);
    QPainter p(&img);
    prepare(p);
    // hexagon badge with a mouse outline inside
    QPainterPath hex;
    for (int i = 0; i < 6; ++i) {
        const double a = (60.0 * i - 90) * M_PI / 180;
        const QPointF pt(28 + 25 * std::cos(a), 30 + 25 * std::sin(a));
        i == 0 ? hex.moveTo(pt) : hex.lineTo(pt);
    }
    hex.closeSubpath();
    p.setPen(QPen(QColor(200, 30, 46), 2));
    p.setBrush(vgrad(5, 55, QColor(46, 46, 54), QColor(22, 22, 27)));
    p.drawPath(hex);
    QPainterPath m;
    m.addRoundedRect(QRectF(20, 16, 16, 27), 8, 8);
    p.setPen(QPen(QColor(230, 230, 238), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(m);
    p.drawLine(QPointF(28, 16), QPointF(28, 25));
    p.setPen(Qt::NoPen);
    p.setBrush(pal::RedHot);
    p.drawRoundedRect(QRectF(27, 19, 2, 4), 1, 1);
    // twelve dots: one per programmable button, in two rows
    for (int i = 0; i < 12; ++i) {
        const double x = 64 + (i % 6) * 11, y = 22 + (i / 6) * 11;
        p.setBrush(i < 7 ? QColor(200, 30, 46) : QColor(120, 120, 134));
        p.drawEllipse(QPointF(x, y), 2.6, 2.6);
    }
    // fading chevrons
    for (int i = 0; i < 5; ++i) {
        QPainterPath c;
        const double x = 132 + i * 12;
        c.moveTo(x, 18);
        c.lineTo(x + 7, 18);
        c.lineTo(x + 15, 30);
        c.lineTo(x + 7, 42);
        c.lineTo(x, 42);
        c.lineTo(x + 8, 30);
        c.closeSubpath();
        p.setBrush(QColor(200, 30, 46, 220 - i * 45));
        p.drawPath(c);
    }
    return img;
}

// A picture for a skinned button: the window pixels under its rectangle with the face on top.
QImage buttonOver(const QImage& ground, const QRect& r,
                  const std::function<void(QPainter&, const QRectF&)>& face)
{
    QImage img = crop(ground, r);
    QPainter p(&img);
    face(p, QRectF(0, 0, r.width(), r.height()));
    return img;
}

QImage header(int w, int h, bool macro)
{
    QImage img = canvas(w, h, pal::Panel);
    QPainter p(&img);
    prepare(p);
    const QRectF r(0.5, 0.5, w - 1, h - 1);
    p.setPen(QPen(QColor(62, 62, 74), 1));
    p.setBrush(vgrad(0, h, QColor(46, 46, 55), QColor(32, 32, 39)));
    p.drawPath(roundRect(r, 3));
    QLinearGradient sheen(0, 0, 0, h / 2.0);
    sheen.setColorAt(0, QColor(255, 255, 255, 24));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawRect(QRectF(1, 1, w - 2, h / 2.0));
    // red marker bar left of the caption
    p.setBrush(vgrad(3, h - 3, pal::RedHot, pal::Red));
    p.drawRect(QRectF(1, 3, 2, h - 6));
    const double cy = h / 2.0;
    if (!macro) {
        // collapse chevron
        QPen pen(QColor(190, 190, 200), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        QPainterPath c;
        c.moveTo(w - 16, cy - 2);
        c.lineTo(w - 12, cy + 2);
        c.lineTo(w - 8, cy - 2);
        p.drawPath(c);
    } else {
        // record-and-play mark: a ring with a play triangle and a red dot
        p.setPen(QPen(QColor(190, 190, 200), 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(w - 40, cy), 9, 9);
        QPainterPath tri;
        tri.moveTo(w - 43, cy - 5);
        tri.lineTo(w - 35, cy);
        tri.lineTo(w - 43, cy + 5);
        tri.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(220, 220, 228));
        p.drawPath(tri);
        QRadialGradient dot(QPointF(w - 18, cy), 7);
        dot.setColorAt(0, QColor(255, 120, 130));
        dot.setColorAt(1, QColor(190, 20, 36));
        p.setBrush(dot);
        p.drawEllipse(QPointF(w - 18, cy), 5, 5);
        // fine grip lines
        for (int i = 0; i < 3; ++i)
            hline(p, w - 80, w - 58, cy - 4 + i * 4, QColor(90, 90, 104));
    }
    return img;
}

QImage assignmentBackground(int rows)
{
    // 242 x 172 under the header at 20, 127; rows at 27 + 20k (relative), labels 11-95, buttons
    // 100-230
    QImage img = canvas(242, 172, pal::Panel);
    QPainter p(&img);
    prepare(p);
    drawCard(p, QRectF(0, 2, 242, 168), 4, QColor(23, 23, 28));
    for (int k = 0; k < rows; ++k) {
        const double y = 27 + 20 * k;
        // label chip
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(34, 34, 41));
        p.drawRoundedRect(QRectF(9.5, y - 0.5, 88, 17), 3, 3);
        p.setBrush(pal::Red);
        p.drawRect(QRectF(9.5, y + 3, 2, 10));
        if (k + 1 < rows)
            hline(p, 9, 232, y + 18, QColor(32, 32, 38));
    }
    // decoration at the foot: a mouse-button glyph band
    drawAccentLine(p, 20, 222, 27 + 20 * rows + 2, 90);
    return img;
}

QImage dropdown(const QImage& ground, bool over)
{
    QImage img = crop(ground, QRect(100, 27, 130, 16));
    QPainter p(&img);
    prepare(p);
    const QRectF r(0.5, 0.5, 129, 15);
    p.setPen(QPen(over ? QColor(220, 60, 74) : QColor(70, 70, 82), 1));
    p.setBrush(vgrad(0, 16, over ? QColor(70, 36, 44) : QColor(44, 44, 52),
                     over ? QColor(46, 22, 28) : QColor(30, 30, 36)));
    p.drawPath(roundRect(r, 3));
    vline(p, 112, 3, 12, over ? QColor(150, 50, 60) : QColor(62, 62, 72));
    QPen pen(over ? QColor(255, 255, 255) : QColor(180, 180, 192), 1.4, Qt::SolidLine, Qt::RoundCap,
             Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    QPainterPath c;
    c.moveTo(118, 6.5);
    c.lineTo(121.5, 10);
    c.lineTo(125, 6.5);
    p.drawPath(c);
    return img;
}

QImage sensitivityBackground()
{
    // 242 x 138 at 20, Y; labels at 20-40 and 80-100, markers 17-225 at 40-49 and 100-109,
    // numbers at 24 + 21 (n - 1) in rows 57-77 and 117-137
    QImage img = canvas(242, 138, pal::Panel);
    QPainter p(&img);
    prepare(p);
    drawCard(p, QRectF(0, 2, 242, 136), 4, QColor(23, 23, 28));
    for (int axis = 0; axis < 2; ++axis) {
        const double top = 40 + 60 * axis;
        // ticks under the marker, one per scale number
        for (int n = 1; n <= 10; ++n) {
            const double x = 24 + 21 * (n - 1) + (n == 10 ? 6.5 : 3.5);
            vline(p, x, top + 12, top + 14 + (n == 1 || n == 10 ? 2 : 0), QColor(92, 92, 106));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(pal::Red);
        p.drawRect(QRectF(9, top - 18, 2, 12));
    }
    hline(p, 9, 232, 79, QColor(34, 34, 40));
    return img;
}

QImage axisSlider(const QImage& ground, bool fill)
{
    // 207 x 14; the slider shows the top 9 rows
    QImage img = crop(ground, QRect(17, 40, 207, 14));
    QPainter p(&img);
    prepare(p);
    const QRectF groove(0.5, 2.5, 206, 5);
    if (!fill) {
        p.setPen(QPen(QColor(64, 64, 76), 1));
        p.setBrush(vgrad(2, 8, QColor(10, 10, 13), QColor(28, 28, 34)));
        p.drawRoundedRect(groove, 2, 2);
    } else {
        QImage glowLayer = canvas(207, 14);
        {
            QPainter gp(&glowLayer);
            gp.fillRect(QRectF(0, 3, 207, 4), QColor(255, 50, 66, 150));
        }
        blur(glowLayer, 4);
        p.drawImage(0, 0, glowLayer);
        p.setPen(QPen(QColor(255, 120, 130), 1));
        p.setBrush(vgrad(2, 8, QColor(255, 96, 108), QColor(160, 18, 34)));
        p.drawRoundedRect(groove, 2, 2);
        hline(p, 2, 205, 3, QColor(255, 170, 176, 160));
    }
    return img;
}

} // namespace

void renderMainWindow(Output& out)
{
    QImage ground = canvas(kW, kH);
    {
        QPainter p(&ground);
        paintGround(p);
        paintStage(p);
        paintLeftCard(p);
        paintRightFrame(p);
    }
    // Pictures the window redraws in place: they are the ground itself, so a redraw changes
    // nothing.
    const QImage mid = crop(ground, QRect(293, 0, 441, kBottomTop));
    const QImage left = crop(ground, QRect(0, 107, 293, kBottomTop - 107));
    QImage full = ground;
    {
        QPainter p(&full);
        paintLogo(p);
    }
    const QImage logo = crop(full, QRect(20, 32, 242, 68));
    const QImage ml = mlogo();
    {
        QPainter p(&full);
        p.drawImage(40, 525, ml);
    }
    out.add("main.png", full);
    out.add("Logo.png", logo);
    out.add("BK_MainMid.png", mid);
    out.add("BK_MainLeft.png", left);
    out.add("MLogo.png", ml);

    // Bottom bar buttons (57 x 30), shared by Reset, Cancel and Apply.
    const QRect bottomBtn(798, 604, 57, 30);
    auto push = [&](State s) {
        return buttonOver(full, bottomBtn,
                          [s](QPainter& p, const QRectF& r) { drawPushButton(p, r, s); });
    };
    out.add("button-cancel-normal.png", push(State::Normal));
    out.add("button-cancel-over.png", push(State::Over));
    out.add("button-cancel-leave.png", push(State::Pressed));
    out.add("button-save-leave.png", push(State::Disabled));

    // Caption buttons (15 x 15).
    const QRect capRect(979, 5, 15, 15);
    for (const auto& [name, kind] :
         {std::pair{"close", 'x'}, std::pair{"min", '_'}, std::pair{"help", '?'}}) {
        for (bool over : {false, true}) {
            out.add(QString("button-%1-%2.png").arg(name, over ? "over" : "normal"),
                    buttonOver(full, capRect, [kind = kind, over](QPainter& p, const QRectF& r) {
                        drawCaptionButton(p, r, kind, over);
                    }));
        }
    }

    // Config (72 x 30): caption left with a margin of 20, a profile-stack icon in the margin.
    const QRect cfgRect(18, 604, 72, 30);
    for (State s : {State::Normal, State::Over, State::Pressed}) {
        QImage img = buttonOver(full, cfgRect, [s](QPainter& p, const QRectF& r) {
            drawPushButton(p, r, s);
            p.save();
            prepare(p);
            const QColor g = s == State::Normal ? QColor(200, 200, 210) : QColor(255, 255, 255);
            for (int i = 0; i < 3; ++i) {
                QPainterPath layer;
                const double y = 9.5 + i * 4;
                layer.moveTo(7, y + 2);
                layer.lineTo(13, y - 1);
                layer.lineTo(19, y + 2);
                layer.lineTo(13, y + 5);
                layer.closeSubpath();
                p.setPen(QPen(i == 0 ? pal::RedHot : g, 1.1));
                p.setBrush(i == 0 ? withAlpha(pal::Red, 160) : QColor(40, 40, 48));
                p.drawPath(layer);
            }
            p.restore();
        });
        out.add(QString("button-config-%1.png")
                    .arg(s == State::Normal ? "normal"
                         : s == State::Over ? "over"
                                            : "leave"),
                img);
    }

    // View buttons (62 x 29).
    const QRect viewRect(425, 527, 62, 29);
    for (State s : {State::Normal, State::Over, State::Pressed}) {
        out.add(QString("button-mouse-%1.png")
                    .arg(s == State::Normal ? "normal"
                         : s == State::Over ? "over"
                                            : "leave"),
                buttonOver(full, viewRect,
                           [s](QPainter& p, const QRectF& r) { drawSegment(p, r, s); }));
    }

    // Panel headers.
    out.add("ItemBK.png", header(242, 20, false));
    out.add("MacroManagementBK.png", header(242, 38, true));

    // Button assignment panel.
    const QImage assign = assignmentBackground(7);
    out.add("ButtonAssignment/BK_ButtonAssignment.png", assign);
    out.add("ButtonAssignment/BK_ButtonAssignment-Side.png", assignmentBackground(5));
    out.add("ButtonAssignment/DropdownBox-normal.png", dropdown(assign, false));
    out.add("ButtonAssignment/DropdownBox-over.png", dropdown(assign, true));

    // Axis sensitivity panel.
    const QImage sens = sensitivityBackground();
    out.add("XYSensitivity/BK_XYSensSetting.png", sens);
    out.add("XYSensitivity/1.png", axisSlider(sens, false));
    out.add("XYSensitivity/2.png", axisSlider(sens, true));
}

} // namespace zentro::skin
