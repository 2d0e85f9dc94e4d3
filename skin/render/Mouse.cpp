// The three views of the mouse and the highlight pictures of its buttons.
// Every shape is laid out in main-window client coordinates, so a view picture
// and a button picture drawn at their window positions meet exactly.

#include "Skin.h"
#include "Widgets.h"

#include <map>

namespace zentro::skin {

namespace {

constexpr int kWinW = 1000;
constexpr int kWinH = 648;
constexpr int kGlowReach = 9; // how far a highlight reaches beyond its button

QPainterPath mirrored(const QPainterPath& path, double axis)
{
    QTransform t;
    t.translate(2 * axis, 0);
    t.scale(-1, 1);
    return t.map(path);
}

QPainterPath pill(const QRectF& r, double radius)
{
    return roundRect(r, radius);
}

// ---------------------------------------------------------------- top view
constexpr double kC = 524; // centre line

QPainterPath topRightHalf()
{
    QPainterPath p;
    p.moveTo(kC, 90);
    p.cubicTo(580, 90, 618, 108, 620, 164);
    p.cubicTo(622, 206, 612, 234, 615, 272);
    p.cubicTo(618, 318, 630, 372, 608, 412);
    p.cubicTo(590, 436, 556, 442, kC, 442);
    return p;
}

QPainterPath topBody()
{
    QPainterPath right = topRightHalf();
    QPainterPath left = mirrored(right, kC).toReversed();
    QPainterPath body = right;
    body.connectPath(left);
    body.closeSubpath();
    return body.simplified();
}

QPainterPath regionLeftButton()
{
    QPainterPath r;
    r.moveTo(368, 60);
    r.lineTo(498.5, 60);
    r.lineTo(498.5, 280);
    r.cubicTo(460, 272, 420, 258, 368, 246);
    r.closeSubpath();
    return r;
}

QPainterPath regionRightButton()
{
    return mirrored(regionLeftButton(), kC);
}

const QRectF kChannel(501, 118, 46, 172);
const QRectF kLedSlot(517, 128, 14, 32);
const QRectF kWheel(513, 170, 22, 52);
const QRectF kDpiUp(512, 230, 24, 18);
const QRectF kDpiDown(512, 258, 24, 17);
const QRectF kThumbFront(418, 182, 14, 44);
const QRectF kThumbBack(417, 236, 14, 48);

struct Hotspot {
    QString name;
    QPoint origin;      // where the window draws the picture
    QPainterPath shape; // the button, client coordinates
};

std::vector<Hotspot> frontHotspots()
{
    const QPainterPath body = topBody();
    return {
        {"F-1", {362, 82}, body.intersected(regionLeftButton())},
        {"F-2", {540, 82}, body.intersected(regionRightButton())},
        {"F-3", {492, 159}, pill(kWheel, 8)},
        {"F-4", {358, 165}, pill(kThumbFront, 6)},
        {"F-5", {503, 176}, pill(kDpiUp, 4)},
        {"F-6", {356, 226}, pill(kThumbBack, 6)},
        {"F-7", {492, 250}, pill(kDpiDown, 4)},
    };
}

// ---------------------------------------------------------------- side view
QPainterPath sideBody()
{
    QPainterPath p;
    p.moveTo(482, 96);
    p.cubicTo(520, 88, 560, 88, 580, 100);
    p.cubicTo(602, 136, 618, 190, 630, 244);
    p.cubicTo(642, 300, 646, 350, 630, 398);
    p.cubicTo(616, 436, 560, 448, 500, 442);
    p.cubicTo(484, 440, 474, 432, 474, 418);
    p.lineTo(474, 116);
    p.cubicTo(474, 104, 476, 98, 482, 96);
    p.closeSubpath();
    return p;
}

QPainterPath sideButtonBand(double inset)
{
    // the edge of the main buttons seen from the side: the body beyond a seam line
    QPainterPath r;
    r.moveTo(540 + inset, 60);
    r.lineTo(700, 60);
    r.lineTo(700, 262);
    r.lineTo(612 + inset, 262);
    r.cubicTo(600 + inset, 200, 585 + inset, 140, 540 + inset, 60);
    r.closeSubpath();
    return r;
}

const QRectF kThumbPanel(484, 206, 122, 196);
const QRectF kS8(490, 222, 50, 52), kS9(552, 254, 48, 56), kS10(490, 289, 50, 40),
    kS11(552, 324, 48, 54), kS12(490, 340, 50, 50);
const QRectF kS4(600, 184, 10, 42), kS6(604, 238, 10, 46);
const QRectF kSideWheel(618, 168, 13, 54);
const QRectF kSideDpiUp(629, 232, 9, 16), kSideDpiDown(632, 257, 9, 16);

std::vector<Hotspot> sideHotspots()
{
    const QPainterPath body = sideBody();
    const QPainterPath band1 = body.intersected(sideButtonBand(0)).subtracted(sideButtonBand(14));
    const QPainterPath band2 = body.intersected(sideButtonBand(14));
    auto at = [](const QPainterPath& s) {
        const QRectF b = s.boundingRect();
        return QPoint(static_cast<int>(std::floor(b.left())) - kGlowReach,
                      static_cast<int>(std::floor(b.top())) - kGlowReach);
    };
    std::vector<Hotspot> h = {
        {"S-1", {}, band1},
        {"S-2", {}, band2},
        {"S-3", {}, pill(kSideWheel, 6)},
        {"S-4", {}, pill(kS4, 5)},
        {"S-5", {}, pill(kSideDpiUp, 4)},
        {"S-6", {}, pill(kS6, 5)},
        {"S-7", {}, pill(kSideDpiDown, 4)},
        {"S-8", {380, 212}, pill(kS8, 10)},
        {"S-9", {543, 245}, pill(kS9, 10)},
        {"S-10", {380, 280}, pill(kS10, 10)},
        {"S-11", {538, 315}, pill(kS11, 10)},
        {"S-12", {380, 330}, pill(kS12, 10)},
    };
    for (auto& s : h)
        if (s.origin.isNull())
            s.origin = at(s.shape);
    return h;
}

// ---------------------------------------------------------------- back view
QPainterPath backBody()
{
    QPainterPath p;
    p.moveTo(430, 330);
    p.cubicTo(420, 250, 440, 162, kC, 154);
    p.cubicTo(608, 162, 628, 250, 618, 330);
    p.cubicTo(580, 338, 468, 338, 430, 330);
    p.closeSubpath();
    return p;
}

const QRectF kBackThumb(418, 250, 12, 36);
const QRectF kBackDpi(513, 146, 22, 10);

std::vector<Hotspot> backHotspots()
{
    return {
        {"B-4", {410, 242}, pill(kBackThumb, 5)},
        {"B-5", {505, 138}, pill(kBackDpi, 4)},
    };
}

// ---------------------------------------------------------------- painting helpers
void shadowAndGlow(QPainter& p, const QPainterPath& body)
{
    // soft shadow and a red ambient glow under the body
    QImage layer = canvas(kWinW, kWinH);
    {
        QPainter lp(&layer);
        prepare(lp);
        lp.setPen(Qt::NoPen);
        lp.setBrush(QColor(6, 4, 6, 200));
        lp.drawPath(body.translated(4, 9));
    }
    blur(layer, 16);
    p.drawImage(0, 0, layer);
    drawGlow(p, body, QColor(230, 30, 50, 120), 20, QSize(kWinW, kWinH), 5);
}

void fillShell(QPainter& p, const QPainterPath& body, const QPointF& light, double radius)
{
    QRadialGradient g(light, radius);
    g.setColorAt(0, QColor(58, 58, 68));
    g.setColorAt(0.6, QColor(34, 34, 41));
    g.setColorAt(1, QColor(18, 18, 22));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(body);
}

void gloss(QPainter& p, const QPainterPath& clip, const QRectF& ellipse, int alpha)
{
    p.save();
    p.setClipPath(clip, Qt::IntersectClip);
    QRadialGradient g(ellipse.center(), ellipse.width() / 2);
    g.setColorAt(0, QColor(255, 255, 255, alpha));
    g.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.translate(ellipse.center());
    p.scale(1, ellipse.height() / ellipse.width());
    p.translate(-ellipse.center());
    p.drawEllipse(ellipse.center(), ellipse.width() / 2, ellipse.width() / 2);
    p.restore();
}

void seam(QPainter& p, const QPainterPath& path, const QPainterPath& clip)
{
    p.save();
    p.setClipPath(clip, Qt::IntersectClip);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 26), 1));
    p.drawPath(path.translated(0.8, 0.8));
    p.setPen(QPen(QColor(8, 8, 10), 1.8));
    p.drawPath(path);
    p.restore();
}

void raisedPart(QPainter& p, const QPainterPath& shape, bool vertical = true,
                QColor top = QColor(62, 62, 72), QColor bottom = QColor(34, 34, 40))
{
    const QRectF b = shape.boundingRect();
    QLinearGradient g = vertical ? QLinearGradient(0, b.top(), 0, b.bottom())
                                 : QLinearGradient(b.left(), 0, b.right(), 0);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setBrush(g);
    p.setPen(QPen(QColor(10, 10, 12), 1.2));
    p.drawPath(shape);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 30), 1));
    p.drawPath(shape.translated(0.5, 0.7).intersected(shape));
}

void wheel(QPainter& p, const QRectF& r, bool vertical)
{
    QPainterPath shape = pill(r, std::min(r.width(), r.height()) / 2.5);
    QLinearGradient cyl = vertical ? QLinearGradient(r.left(), 0, r.right(), 0)
                                   : QLinearGradient(0, r.top(), 0, r.bottom());
    cyl.setColorAt(0, QColor(22, 22, 26));
    cyl.setColorAt(0.45, QColor(92, 92, 104));
    cyl.setColorAt(0.55, QColor(80, 80, 92));
    cyl.setColorAt(1, QColor(20, 20, 24));
    p.setPen(QPen(QColor(8, 8, 10), 1));
    p.setBrush(cyl);
    p.drawPath(shape);
    p.save();
    p.setClipPath(shape);
    for (double y = r.top() + 3; y < r.bottom() - 2; y += 3.5) {
        QLinearGradient ridge(r.left(), 0, r.right(), 0);
        ridge.setColorAt(0, QColor(0, 0, 0, 0));
        ridge.setColorAt(0.5, QColor(10, 10, 12, 150));
        ridge.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(QRectF(r.left(), y, r.width(), 1.2), ridge);
    }
    p.restore();
    // red core light on both sides of the wheel
    p.setPen(QPen(QColor(255, 60, 76, 200), 1));
    if (vertical) {
        p.drawLine(QPointF(r.left() - 1.5, r.top() + 6), QPointF(r.left() - 1.5, r.bottom() - 6));
        p.drawLine(QPointF(r.right() + 1.5, r.top() + 6), QPointF(r.right() + 1.5, r.bottom() - 6));
    }
}

void gripTexture(QPainter& p, const QPainterPath& clip, const QRectF& area)
{
    p.save();
    p.setClipPath(clip, Qt::IntersectClip);
    p.setPen(Qt::NoPen);
    for (double y = area.top(); y < area.bottom(); y += 5)
        for (double x = area.left() + (static_cast<int>((y - area.top()) / 5) % 2) * 2.5;
             x < area.right(); x += 5) {
            p.setBrush(QColor(8, 8, 10, 150));
            p.drawEllipse(QPointF(x, y), 1.1, 1.1);
            p.setBrush(QColor(255, 255, 255, 14));
            p.drawEllipse(QPointF(x + 0.6, y + 0.7), 0.7, 0.7);
        }
    p.restore();
}

void ledStrip(QPainter& p, const QPainterPath& path, const QPainterPath& clip)
{
    QImage layer = canvas(kWinW, kWinH);
    {
        QPainter lp(&layer);
        prepare(lp);
        lp.setClipPath(clip);
        lp.setPen(QPen(QColor(255, 40, 60, 230), 3, Qt::SolidLine, Qt::RoundCap));
        lp.drawPath(path);
    }
    QImage glow = layer;
    blur(glow, 10);
    p.drawImage(0, 0, glow);
    p.drawImage(0, 0, glow);
    {
        QPainter lp(&layer);
        prepare(lp);
        lp.setClipPath(clip);
        lp.setPen(QPen(QColor(255, 190, 196), 1, Qt::SolidLine, Qt::RoundCap));
        lp.drawPath(path);
    }
    p.drawImage(0, 0, layer);
}

void outline(QPainter& p, const QPainterPath& body)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(96, 96, 110), 1.2));
    p.drawPath(body);
}

// ---------------------------------------------------------------- the views
QImage paintTopView()
{
    QImage img = canvas(kWinW, kWinH);
    QPainter p(&img);
    prepare(p);
    const QPainterPath body = topBody();
    shadowAndGlow(p, body);
    fillShell(p, body, QPointF(505, 250), 230);
    const QPainterPath lb = body.intersected(regionLeftButton());
    const QPainterPath rb = body.intersected(regionRightButton());
    raisedPart(p, lb, true, QColor(64, 64, 74), QColor(38, 38, 45));
    raisedPart(p, rb, true, QColor(60, 60, 70), QColor(34, 34, 41));
    gloss(p, lb, QRectF(440, 110, 50, 150), 38);
    gloss(p, rb, QRectF(560, 110, 44, 150), 24);
    gloss(p, body, QRectF(470, 300, 90, 120), 22);
    // palm: grip texture on both flanks and side light strips
    gripTexture(p, body.subtracted([] {
        QPainterPath r;
        r.addRect(QRectF(440, 0, 168, kWinH));
        return r;
    }()),
                QRectF(410, 292, 230, 140));
    QPainterPath strip;
    strip.moveTo(446, 300);
    strip.cubicTo(440, 350, 450, 395, 486, 420);
    ledStrip(p, strip, body);
    ledStrip(p, mirrored(strip, kC), body);
    // channel
    QPainterPath channel = pill(kChannel, 14);
    p.setPen(QPen(QColor(8, 8, 10), 1.4));
    p.setBrush(vgrad(kChannel.top(), kChannel.bottom(), QColor(16, 16, 20), QColor(24, 24, 29)));
    p.drawPath(channel);
    // light slot at the front of the channel
    {
        QPainterPath slot = pill(kLedSlot, 5);
        drawGlow(p, slot, QColor(255, 40, 60, 220), 12, QSize(kWinW, kWinH));
        QLinearGradient g(0, kLedSlot.top(), 0, kLedSlot.bottom());
        g.setColorAt(0, QColor(255, 150, 160));
        g.setColorAt(1, QColor(200, 24, 40));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPath(slot);
        p.setBrush(QColor(255, 255, 255, 90));
        p.drawRoundedRect(QRectF(kLedSlot.left() + 3, kLedSlot.top() + 3, 3, kLedSlot.height() - 6),
                          1.5, 1.5);
    }
    wheel(p, kWheel, true);
    for (const QRectF& r : {kDpiUp, kDpiDown}) {
        raisedPart(p, pill(r, 4), true, QColor(70, 70, 80), QColor(40, 40, 46));
        p.setPen(QPen(QColor(200, 200, 212, 190), 1.3, Qt::SolidLine, Qt::RoundCap));
        const QPointF c = r.center();
        p.drawLine(QPointF(c.x() - 3.5, c.y()), QPointF(c.x() + 3.5, c.y()));
        if (r == kDpiUp)
            p.drawLine(QPointF(c.x(), c.y() - 3.5), QPointF(c.x(), c.y() + 3.5));
    }
    {
        QPainterPath s;
        s.moveTo(498.5, 280);
        s.cubicTo(460, 272, 420, 258, 368, 246);
        seam(p, s, body);
    }
    {
        QPainterPath s;
        s.moveTo(549.5, 280);
        s.cubicTo(588, 272, 628, 258, 680, 246);
        seam(p, s, body);
    }
    // thumb buttons along the left flank
    for (const QRectF& r : {kThumbFront, kThumbBack})
        raisedPart(p, pill(r, 6), false, QColor(30, 30, 36), QColor(74, 74, 86));
    // palm emblem
    drawEmblem(p, QRectF(kC - 20, 340, 40, 40));
    outline(p, body);
    return img;
}

QImage paintSideView()
{
    QImage img = canvas(kWinW, kWinH);
    QPainter p(&img);
    prepare(p);
    const QPainterPath body = sideBody();
    shadowAndGlow(p, body);
    fillShell(p, body, QPointF(600, 260), 220);
    // the main buttons' edges along the top
    const QPainterPath band = body.intersected(sideButtonBand(0));
    raisedPart(p, band, false, QColor(40, 40, 47), QColor(66, 66, 76));
    {
        QPainterPath s;
        s.moveTo(554, 60);
        s.cubicTo(599, 140, 614, 200, 626, 262);
        seam(p, s, body);
    }
    // base with feet
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(14, 14, 17));
    p.drawRoundedRect(QRectF(473, 110, 6, 320), 3, 3);
    p.setBrush(QColor(60, 60, 70));
    p.drawRoundedRect(QRectF(471, 130, 3, 60), 1.5, 1.5);
    p.drawRoundedRect(QRectF(471, 350, 3, 60), 1.5, 1.5);
    // lower flank light strip
    QPainterPath strip;
    strip.moveTo(486, 150);
    strip.cubicTo(484, 260, 486, 360, 520, 424);
    ledStrip(p, strip, body);
    gloss(p, body, QRectF(560, 120, 60, 260), 26);
    // thumb panel
    QPainterPath panel = pill(kThumbPanel, 20);
    p.setPen(QPen(QColor(8, 8, 10), 1.4));
    p.setBrush(
        vgrad(kThumbPanel.top(), kThumbPanel.bottom(), QColor(18, 18, 22), QColor(28, 28, 34)));
    p.drawPath(panel);
    gripTexture(p, panel.subtracted(pill(kThumbPanel.adjusted(4, 4, -4, -4), 18)), kThumbPanel);
    for (const QRectF& r : {kS8, kS9, kS10, kS11, kS12}) {
        QPainterPath b = pill(r, 10);
        raisedPart(p, b, true, QColor(70, 70, 82), QColor(36, 36, 43));
        gloss(p, b, QRectF(r.left() + 6, r.top() + 3, r.width() * 0.6, r.height() * 0.5), 40);
        // a small concave dimple marks the centre of each key
        p.setPen(QPen(QColor(255, 255, 255, 24), 1));
        p.setBrush(QColor(20, 20, 24, 120));
        p.drawEllipse(r.center(), 6, 6);
    }
    for (const QRectF& r : {kS4, kS6})
        raisedPart(p, pill(r, 5), false, QColor(40, 40, 47), QColor(76, 76, 88));
    wheel(p, kSideWheel, true);
    for (const QRectF& r : {kSideDpiUp, kSideDpiDown})
        raisedPart(p, pill(r, 4), false, QColor(40, 40, 46), QColor(80, 80, 92));
    outline(p, body);
    return img;
}

QImage paintBackView()
{
    QImage img = canvas(kWinW, kWinH);
    QPainter p(&img);
    prepare(p);
    const QPainterPath body = backBody();
    shadowAndGlow(p, body);
    fillShell(p, body, QPointF(524, 220), 150);
    gloss(p, body, QRectF(470, 170, 110, 70), 34);
    // rear light bar
    QPainterPath bar;
    bar.moveTo(454, 300);
    bar.cubicTo(490, 310, 558, 310, 594, 300);
    ledStrip(p, bar, body);
    drawEmblem(p, QRectF(kC - 18, 222, 36, 36));
    raisedPart(p, pill(kBackThumb, 5), false, QColor(76, 76, 88), QColor(36, 36, 42));
    raisedPart(p, pill(kBackDpi, 4), true, QColor(80, 80, 92), QColor(40, 40, 46));
    // feet
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(14, 14, 17));
    p.drawRoundedRect(QRectF(450, 330, 148, 5), 2.5, 2.5);
    outline(p, body);
    return img;
}

QImage hotspotPicture(const Hotspot& h, bool over)
{
    const QRectF b = h.shape.boundingRect();
    const int w = static_cast<int>(std::ceil(b.right())) + kGlowReach + 4 - h.origin.x();
    const int ht = static_cast<int>(std::ceil(b.bottom())) + kGlowReach + 4 - h.origin.y();
    QImage img = canvas(w, ht);
    QPainter p(&img);
    prepare(p);
    p.translate(-h.origin);
    if (over) {
        QImage layer = canvas(w, ht);
        {
            QPainter lp(&layer);
            prepare(lp);
            lp.translate(-h.origin);
            lp.setPen(QPen(QColor(255, 40, 60, 190), 2));
            lp.setBrush(Qt::NoBrush);
            lp.drawPath(h.shape);
        }
        blur(layer, 4);
        p.save();
        p.resetTransform();
        p.drawImage(0, 0, layer);
        p.restore();
        QLinearGradient g(0, b.top(), 0, b.bottom());
        g.setColorAt(0, QColor(255, 70, 86, 150));
        g.setColorAt(1, QColor(200, 20, 40, 110));
        p.setBrush(g);
        p.setPen(QPen(QColor(255, 110, 122), 1.4));
        p.drawPath(h.shape);
        gloss(p, h.shape,
              QRectF(b.left() + b.width() * 0.15, b.top(), b.width() * 0.6, b.height() * 0.5), 60);
    } else {
        p.setBrush(QColor(255, 255, 255, 10));
        p.setPen(QPen(QColor(210, 210, 226, 80), 1, Qt::DashLine));
        p.drawPath(h.shape);
    }
    return img;
}

} // namespace

void renderMouse(Output& out)
{
    struct View {
        QString folder;
        QString file;
        QRect rect; // client rectangle of the view picture
        std::vector<Hotspot> spots;
        QImage image;
    };
    std::vector<View> views = {
        {"Front", "MouseFront.png", QRect(382, 36, 352, 414), frontHotspots(), paintTopView()},
        {"Side", "MouseSide.png", QRect(462, 36, 272, 414), sideHotspots(), paintSideView()},
        {"Back", "MouseBack.png", QRect(394, 46, 340, 404), backHotspots(), paintBackView()},
    };
    for (const View& v : views) {
        out.add("Mouse/" + v.folder + "/" + v.file, crop(v.image, v.rect));
        for (const Hotspot& h : v.spots) {
            out.add(QString("Mouse/%1/%2-normal.png").arg(v.folder, h.name),
                    hotspotPicture(h, false));
            out.add(QString("Mouse/%1/%2-over.png").arg(v.folder, h.name), hotspotPicture(h, true));
        }
    }
}

// Positions of the button pictures, for the manifest and the contact sheet.
std::vector<std::pair<QString, QPoint>> hotspotPositions()
{
    std::vector<std::pair<QString, QPoint>> list;
    for (const auto& h : frontHotspots())
        list.emplace_back("Mouse/Front/" + h.name, h.origin);
    for (const auto& h : sideHotspots())
        list.emplace_back("Mouse/Side/" + h.name, h.origin);
    for (const auto& h : backHotspots())
        list.emplace_back("Mouse/Back/" + h.name, h.origin);
    return list;
}

} // namespace zentro::skin
