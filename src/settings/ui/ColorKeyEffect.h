#pragma once

#include <QGraphicsEffect>

// How a page looks when it is layered with a colour key: every opaque pure-black pixel of the
// page (its controls included) lets what lies beneath show through completely, and everything
// else is laid over it at a constant alpha. Laying the page at alpha a over its own background
// is the same as drawing the page's pixels with their alpha scaled by a / 255, which is what
// this effect does with Qt's composition.

namespace zentro {

class CColorKeyEffect : public QGraphicsEffect {
    Q_OBJECT
public:
    explicit CColorKeyEffect(int alpha, QObject* parent = nullptr);

    // The keyed and faded picture of `source` (premultiplied ARGB).
    static QImage Apply(const QImage& source, int alpha);

protected:
    void draw(QPainter* painter) override;

private:
    int m_nAlpha;
};

} // namespace zentro
