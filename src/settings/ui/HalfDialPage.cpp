#include "settings/ui/HalfDialPage.h"

#include "controls/SkinKit.h"
#include "profile/RecordRanges.h"
#include "settings/ui/HalfDialLayout.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>
#include <cstdlib>

namespace zentro {

using namespace HalfDialLayout;

namespace {
constexpr double kRadToDeg = 180.0 / 3.1415926;
}

CHalfDialPage::CHalfDialPage(QWidget* parent) : CSettingsPage(parent)
{
}

double CHalfDialPage::AngleAt(int dx, int dy)
{
    const double ax = std::abs(dx);
    const double ay = std::abs(dy);
    double angle = 0;
    if (dx > 0)
        angle = std::atan(ay / ax) * kRadToDeg;
    else if (dx == 0)
        angle = 90;
    else
        angle = 90 + std::atan(ax / ay) * kRadToDeg; // dy == 0 gives atan(inf): 180
    if (angle >= 175)
        angle = 185;
    return angle;
}

int CHalfDialPage::LevelAt(const QPoint& point, double* angle)
{
    const int dx = point.x() - CENTRE.x();
    const int dy = point.y() - CENTRE.y();
    const double r = std::sqrt(static_cast<double>(dx * dx + dy * dy));
    if (dy > 0 || r < RING_INNER || r > RING_OUTER)
        return 0;
    const double a = AngleAt(dx, dy);
    if (angle)
        *angle = a;
    return static_cast<int>(12 - a / 18);
}

void CHalfDialPage::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        CSettingsPage::mousePressEvent(event);
        return;
    }
    const QPoint p = event->position().toPoint();
    if (p.y() - CENTRE.y() > 0)
        return; // below the centre: ignored entirely
    double angle = 0;
    const int level = LevelAt(p, &angle);
    uint8_t& field = Field();
    if (level != 0) {
        field = static_cast<uint8_t>(std::max(level, 0));
        OnAngle(angle);
    }
    field = LevelInRange(field);
    repaint();
    CSettingsPage::mousePressEvent(event);
}

void CHalfDialPage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    DrawSkin(painter, "Skins\\MouseAttribute\\BK_MouseAttribute.png", 0, 0);
    DrawSkin(painter, QString("Skins\\/MouseAttribute/Speed/%1.png").arg(LevelInRange(Field())),
             DIAL.left(), DIAL.top());
    painter.setFont(UiFont(FONT_HEIGHT));
    painter.setPen(Qt::white);
    DrawSkinText(painter, SLOW_LABEL, Qt::AlignRight | Qt::AlignVCenter, UiText(IDS_SLOW));
    DrawSkinText(painter, FAST_LABEL, Qt::AlignLeft | Qt::AlignVCenter, UiText(IDS_FAST));
}

std::vector<SPaintedControl> CHalfDialPage::PaintedControls() const
{
    return {
        {DIAL, QAccessible::Dial, accessibleName(), false, false, QString::number(Field()), 1, 11}};
}

} // namespace zentro
