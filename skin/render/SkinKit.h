#pragma once

// Small drawing kit shared by every picture of the skin: the palette, shape
// helpers, soft glows and the list of pictures written by one render run.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include <vector>

namespace zentro::skin {

// ---------------------------------------------------------------- palette
namespace pal {
inline const QColor Base(17, 17, 21);      // window ground
inline const QColor BaseDeep(11, 11, 14);  // darkest ground (never pure black)
inline const QColor Title(29, 29, 35);     // flat title band under the caption buttons
inline const QColor Panel(27, 27, 33);     // left panel and right column
inline const QColor PanelEdge(52, 52, 62); // 1 px frame of panels
inline const QColor Inset(21, 21, 26);     // recessed areas
inline const QColor Face(44, 44, 52);      // raised control face (top)
inline const QColor FaceLow(32, 32, 38);   // raised control face (bottom)
inline const QColor Stroke(70, 70, 82);    // control outline
inline const QColor Red(200, 30, 46);      // accent
inline const QColor RedHot(255, 70, 86);   // accent, lit
inline const QColor RedDeep(143, 32, 32);  // menu highlight colour
inline const QColor RedMenu(111, 41, 41);  // menu colour
inline const QColor Selection(72, 24, 24); // list selection
inline const QColor Glyph(170, 170, 182);  // icon glyphs at rest
} // namespace pal

QColor withAlpha(QColor c, int alpha);
QColor mix(const QColor& a, const QColor& b, double t);

// The scale the pictures of this run are drawn at: 1 for the pictures the program names, 2 and
// 3 for their "@2x" and "@3x" companions on high-density screens. Every canvas is made at this
// scale with its device pixel ratio set to it, so drawing code keeps working in the picture's
// own (logical) pixels while the canvas holds scale x scale pixels for each of them.
void setRenderScale(int scale);
int renderScale();

// A transparent (or filled) 32-bit premultiplied canvas of w x h logical pixels, made at the
// render scale.
QImage canvas(int w, int h, QColor fill = Qt::transparent);
// The size of a canvas in logical pixels.
QSize logicalSize(const QImage& img);

// A painter with antialiasing and smooth pixmap transforms switched on.
void prepare(QPainter& p);

QPainterPath roundRect(const QRectF& r, double radius);

// Blurs an image in place (three box passes approximate a gaussian); the radius is in logical
// pixels.
void blur(QImage& img, int radius);

// Draws a soft glow of the given shape: the shape filled with colour, blurred.
void drawGlow(QPainter& p, const QPainterPath& shape, const QColor& colour, int radius,
              const QSize& size, double strokeWidth = 0);

// A crisp 1 px line on pixel centres.
void hline(QPainter& p, double x0, double x1, double y, const QColor& c);
void vline(QPainter& p, double x, double y0, double y1, const QColor& c);

// A vertical linear gradient between two colours.
QLinearGradient vgrad(double y0, double y1, const QColor& top, const QColor& bottom);

// Copy of a rectangle (logical pixels) of an image (the rectangle may reach outside: that part
// stays transparent).
QImage crop(const QImage& src, const QRect& r);

// The pictures of one run, written to disk as they are added.
struct Picture {
    QString path; // relative to the output folder, forward slashes; the 1x name
    QImage image;
    QString group; // folder shown in the contact sheet
};

class Output {
public:
    explicit Output(QString root) : m_root(std::move(root)) {}
    // Writes the picture as a 32-bit PNG (red, green, blue, alpha; not premultiplied). At a
    // render scale above 1 the file is named by Qt's rule: "a/b.png" becomes "a/b@2x.png".
    void add(const QString& relPath, const QImage& img);
    const std::vector<Picture>& pictures() const { return m_pictures; }
    bool ok() const { return m_ok; }

private:
    QString m_root;
    std::vector<Picture> m_pictures;
    bool m_ok = true;
};

// "a/b.png" at scale 2 is "a/b@2x.png"; scale 1 leaves the name as it is.
QString scaledName(const QString& relPath, int scale);

} // namespace zentro::skin
