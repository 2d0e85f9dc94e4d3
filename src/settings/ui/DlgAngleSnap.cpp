#include "settings/ui/DlgAngleSnap.h"

#include "controls/SkinKit.h"
#include "profile/ProfileRecord.h"
#include "settings/ui/AngleSnapLayout.h"

#include <QMouseEvent>
#include <QPainter>

namespace zentro {

using namespace AngleSnapLayout;

CDlgAngleSnap::CDlgAngleSnap(QWidget* parent) : CSettingsPage(parent)
{
    setObjectName("DlgAngleSnap");
}

void CDlgAngleSnap::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint p = event->position().toPoint();
        if (OFF_BOX.contains(p)) {
            g_ProfileRecord.AngleSnap = 0;
            update();
        }
        if (ON_BOX.contains(p)) {
            g_ProfileRecord.AngleSnap = 1;
            update();
        }
    }
    CSettingsPage::mousePressEvent(event);
}

void CDlgAngleSnap::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    DrawSkin(painter, "Skins\\AngleSnap\\BK_AngleSnap.png", 0, 0);
    const bool on = g_ProfileRecord.AngleSnap != 0;
    DrawSkin(painter, on ? "Skins\\Enable.png" : "Skins\\Disable.png", ON_BOX.left(), ON_BOX.top());
    DrawSkin(painter, on ? "Skins\\Disable.png" : "Skins\\Enable.png", OFF_BOX.left(),
             OFF_BOX.top());
    painter.setFont(UiFont(FONT_HEIGHT));
    painter.setPen(Qt::white);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip;
    const int right = ON_BOX.left() + ON_BOX.width();
    const int offRight = OFF_BOX.left() + OFF_BOX.width();
    DrawSkinText(painter, QRect(right + TEXT_GAP, ON_BOX.top(), 1, 1), flags, UiText(IDS_ON));
    DrawSkinText(painter, QRect(offRight + TEXT_GAP, OFF_BOX.top(), 1, 1), flags, UiText(IDS_OFF));
}

std::vector<SPaintedControl> CDlgAngleSnap::PaintedControls() const
{
    const bool on = g_ProfileRecord.AngleSnap != 0;
    return {{ON_BOX, QAccessible::RadioButton, UiText(IDS_ON), true, on, QString()},
            {OFF_BOX, QAccessible::RadioButton, UiText(IDS_OFF), true, !on, QString()}};
}

} // namespace zentro
