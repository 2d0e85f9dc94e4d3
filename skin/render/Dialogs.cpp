// The profile list, the macro manager and the two assignment dialogs.

#include "Skin.h"
#include "Widgets.h"

namespace zentro::skin {

namespace {

// Ground shared by the dialogs: flat title band (the caption button pictures sit on it),
// accent line, shaded body and a frame.
QImage dialogGround(int w, int h, int titleH = 31)
{
    QImage img = canvas(w, h, pal::Base);
    QPainter p(&img);
    prepare(p);
    p.fillRect(QRect(0, titleH, w, h - titleH),
               vgrad(titleH, h, QColor(22, 22, 27), QColor(14, 14, 18)));
    p.fillRect(QRect(0, 0, w, titleH), pal::Title);
    p.fillRect(QRect(0, titleH - 4, w, 4),
               vgrad(titleH - 4, titleH, pal::Title, QColor(22, 22, 27)));
    hline(p, 0, w - 1, titleH, QColor(10, 10, 13));
    drawAccentLine(p, 0, w, titleH - 1, 200);
    hline(p, 0, w - 1, 0, QColor(52, 52, 62));
    p.setPen(QColor(64, 26, 30));
    p.setBrush(Qt::NoBrush);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.drawRect(0, 0, w - 1, h - 1);
    return img;
}

QImage smallIcon(bool add)
{
    QImage img = canvas(12, 12);
    QPainter p(&img);
    prepare(p);
    p.setPen(QPen(add ? pal::RedHot : QColor(150, 150, 164), 1));
    p.setBrush(add ? withAlpha(pal::Red, 90) : QColor(40, 40, 48));
    p.drawRoundedRect(QRectF(0.5, 0.5, 11, 11), 2.5, 2.5);
    p.setPen(QPen(QColor(255, 255, 255), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3.5, 6), QPointF(8.5, 6));
    if (add)
        p.drawLine(QPointF(6, 3.5), QPointF(6, 8.5));
    return img;
}

QImage configDialog()
{
    QImage img = dialogGround(263, 598);
    QPainter p(&img);
    prepare(p);
    // footer 575 - 598 with the New (0-100) and Delete (110-230) areas
    p.fillRect(QRect(1, 575, 261, 22), vgrad(575, 598, QColor(34, 34, 41), QColor(24, 24, 29)));
    hline(p, 1, 261, 575, QColor(58, 58, 68));
    vline(p, 105, 579, 594, QColor(52, 52, 62));
    // a small emblem right of the title text area
    drawEmblem(p, QRectF(214, 8, 16, 16));
    return img;
}

void headingBand(QPainter& p, const QRectF& r)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(34, 34, 41));
    p.drawRoundedRect(r, 3, 3);
    drawAccentLine(p, r.left(), r.right(), r.bottom() - 1, 200);
}

QImage macroManager()
{
    QImage img = dialogGround(490, 434, 50);
    QPainter p(&img);
    prepare(p);
    // cards: name list, item list, options
    drawCard(p, QRectF(12, 56, 128, 305), 5, QColor(26, 26, 32));
    drawCard(p, QRectF(144, 56, 128, 305), 5, QColor(26, 26, 32));
    drawCard(p, QRectF(276, 56, 203, 330), 5, QColor(26, 26, 32));
    headingBand(p, QRectF(16, 60, 118, 18));
    headingBand(p, QRectF(148, 60, 118, 18));
    headingBand(p, QRectF(280, 60, 195, 18));
    // frames just outside the two lists
    for (double x : {20.0, 152.0}) {
        p.setPen(QPen(QColor(66, 66, 78), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(x + 0.5, 81.5, 110, 272));
    }
    // separators in the options card
    hline(p, 284, 470, 124, QColor(44, 44, 54));
    hline(p, 284, 470, 290, QColor(44, 44, 54));
    // frame of the loop-count edit (298, 333 - 379, 345)
    p.setPen(QPen(QColor(80, 80, 94), 1));
    p.drawRoundedRect(QRectF(296.5, 331.5, 84, 15), 2, 2);
    // an arrow pictogram beside the item list heading area: keystrokes flow
    for (int i = 0; i < 3; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 30, 46, 230 - i * 60));
        p.drawRoundedRect(QRectF(420 + i * 12, 150, 8, 20), 2, 2);
    }
    p.setPen(QPen(QColor(90, 90, 104), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(418, 178), QPointF(452, 178));
    return img;
}

QImage macroKey()
{
    QImage img = dialogGround(400, 296);
    QPainter p(&img);
    prepare(p);
    drawCard(p, QRectF(8, 40, 188, 250), 5, QColor(26, 26, 32));
    drawCard(p, QRectF(206, 40, 188, 200), 5, QColor(26, 26, 32));
    // drop-down: the field 42-136 is painted by the dialog; the arrow button sits at 136-151
    p.setPen(QPen(QColor(80, 80, 94), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(41.5, 127.5, 110, 17));
    const QRectF arrow(136.5, 128.5, 14, 15);
    p.setBrush(vgrad(arrow.top(), arrow.bottom(), QColor(70, 36, 44), QColor(46, 22, 28)));
    p.setPen(QPen(QColor(200, 50, 64), 1));
    p.drawRect(arrow);
    QPainterPath c;
    c.moveTo(140, 134);
    c.lineTo(143.5, 138);
    c.lineTo(147, 134);
    p.setPen(QPen(QColor(255, 255, 255), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(c);
    // separators between the three run modes
    hline(p, 216, 386, 111, QColor(44, 44, 54));
    hline(p, 216, 386, 161, QColor(44, 44, 54));
    // loop pictogram above the prompt
    p.setPen(QPen(QColor(200, 30, 46), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(86, 54, 26, 26), 30 * 16, 300 * 16);
    QPainterPath head;
    head.moveTo(111, 56);
    head.lineTo(112, 64);
    head.lineTo(104, 62);
    p.drawPath(head);
    return img;
}

QImage singleKey()
{
    QImage img = dialogGround(390, 290);
    QPainter p(&img);
    prepare(p);
    drawCard(p, QRectF(8, 40, 374, 200), 5, QColor(26, 26, 32));
    // white key-name field frame (field at 74, 129 - 150, 143)
    p.setPen(QPen(QColor(200, 30, 46), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(72.5, 127.5, 79, 17), 2, 2);
    // a keycap illustration on the right
    const QRectF cap(262, 92, 86, 78);
    p.setPen(QPen(QColor(10, 10, 12), 1.2));
    p.setBrush(vgrad(cap.top(), cap.bottom(), QColor(60, 60, 70), QColor(26, 26, 31)));
    p.drawRoundedRect(cap, 10, 10);
    const QRectF top = cap.adjusted(10, 6, -10, -18);
    p.setBrush(vgrad(top.top(), top.bottom(), QColor(84, 84, 96), QColor(52, 52, 61)));
    p.setPen(QPen(QColor(110, 110, 126), 1));
    p.drawRoundedRect(top, 7, 7);
    drawGlow(p, roundRect(cap.adjusted(2, cap.height() - 8, -2, 2), 4), QColor(255, 40, 60, 200),
             10, logicalSize(img));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 70, 86));
    p.drawRoundedRect(QRectF(cap.left() + 18, cap.bottom() - 6, cap.width() - 36, 2), 1, 1);
    return img;
}

QImage record(bool over)
{
    // 122 x 24; the button itself spans 89 x 24, the rest is the card under it
    QImage img = canvas(122, 24, QColor(26, 26, 32));
    QPainter p(&img);
    drawPushButton(p, QRectF(0, 0, 89, 24), over ? State::Over : State::Normal, 4);
    prepare(p);
    QRadialGradient dot(QPointF(79, 12), 6);
    dot.setColorAt(0, over ? QColor(255, 150, 158) : QColor(220, 60, 74));
    dot.setColorAt(1, over ? QColor(220, 30, 46) : QColor(130, 16, 28));
    p.setPen(Qt::NoPen);
    p.setBrush(dot);
    p.drawEllipse(QPointF(79, 12), 4, 4);
    return img;
}

QImage pushAlpha(int w, int h, State s)
{
    QImage img = canvas(w, h);
    QPainter p(&img);
    drawPushButton(p, QRectF(0, 0, w, h), s, 4);
    return img;
}

QImage macroClose(bool over)
{
    // 51 x 24 at 427, 17 on the manager's title band
    QImage img = canvas(51, 24);
    QPainter p(&img);
    prepare(p);
    const QRectF r(0.5, 0.5, 50, 23);
    p.setPen(QPen(over ? QColor(255, 96, 110) : QColor(70, 70, 82), 1));
    p.setBrush(vgrad(0, 24, over ? QColor(220, 40, 56) : QColor(46, 46, 55),
                     over ? QColor(160, 20, 36) : QColor(32, 32, 38)));
    p.drawPath(roundRect(r, 5));
    p.setPen(QPen(over ? QColor(255, 255, 255) : pal::Glyph, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(21, 8), QPointF(29, 16));
    p.drawLine(QPointF(29, 8), QPointF(21, 16));
    return img;
}

QImage mark(int size, bool on, bool radio)
{
    QImage img = canvas(size, size);
    QPainter p(&img);
    if (radio)
        drawRadio(p, QRectF(0, 0, size, size), on);
    else
        drawSwitch(p, QRectF(0, 0, size, size), on);
    return img;
}

} // namespace

void renderDialogs(Output& out)
{
    out.add("Config/Config.png", configDialog());
    out.add("Config/New-Config.png", smallIcon(true));
    out.add("Config/Del-Config.png", smallIcon(false));

    out.add("MacroManagement/MacroManagement.png", macroManager());
    out.add("MacroManagement/Pane.png", mark(14, false, false));
    out.add("MacroManagement/PaneMakingTick.png", mark(14, true, false));
    out.add("MacroManagement/button-new-normal.png", pushAlpha(58, 25, State::Normal));
    out.add("MacroManagement/button-new-over.png", pushAlpha(58, 25, State::Over));
    out.add("MacroManagement/button-cancel-normal.png", pushAlpha(64, 28, State::Normal));
    out.add("MacroManagement/button-cancel-over.png", pushAlpha(64, 28, State::Over));
    out.add("MacroManagement/Record-normal.png", record(false));
    out.add("MacroManagement/Record-over.png", record(true));
    out.add("macro-button-close-normal.png", macroClose(false));
    out.add("macro-button-close-over.png", macroClose(true));

    out.add("macro-key.png", macroKey());
    out.add("single-key.png", singleKey());
    out.add("Pane.png", mark(16, false, true));
    out.add("PaneMakingTick.png", mark(16, true, true));
}

} // namespace zentro::skin
