#include "settings/ui/DlgUSBReportRate.h"

#include "controls/SkinKit.h"
#include "profile/ProfileRecord.h"
#include "profile/RecordRanges.h"
#include "settings/ui/ReportRateLayout.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace zentro {

using namespace ReportRateLayout;

CDlgUSBReportRate::CDlgUSBReportRate(QWidget* parent) : CSettingsPage(parent)
{
    setObjectName("DlgUSBReportRate");
}

int CDlgUSBReportRate::RateAt(const QPoint& point)
{
    const int dx = point.x() - CENTRE.x();
    const int dy = point.y() - CENTRE.y();
    const double r = std::sqrt(static_cast<double>(dx * dx + dy * dy));
    if (r < RING_INNER || r > RING_OUTER || dx == 0 || dy == 0)
        return 0;
    if (dy < 0)
        return dx > 0 ? 1 : 8;
    return dx < 0 ? 4 : 2;
}

void CDlgUSBReportRate::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const int rate = RateAt(event->position().toPoint());
        if (rate != 0)
            g_ProfileRecord.ReportRate = static_cast<uint8_t>(rate);
        repaint();
    }
    CSettingsPage::mousePressEvent(event);
}

void CDlgUSBReportRate::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    DrawSkin(painter, "Skins\\USBReportRate\\BK_USBReportRate.png", 0, 0);
    // A rate of 0 would divide by zero and means nothing to the mouse: 500 Hz.
    g_ProfileRecord.ReportRate = ReportRateInRange(g_ProfileRecord.ReportRate);
    const QString dial =
        QString("Skins\\/USBReportRate/%1HZ.png").arg(1000 / g_ProfileRecord.ReportRate);
    DrawSkin(painter, dial, DIAL.left(), DIAL.top());
}

std::vector<SPaintedControl> CDlgUSBReportRate::PaintedControls() const
{
    const int rate = g_ProfileRecord.ReportRate != 0 ? 1000 / g_ProfileRecord.ReportRate : 500;
    return {{DIAL, QAccessible::Dial, accessibleName(), false, false,
             QStringLiteral("%1 Hz").arg(rate), 125, 1000}};
}

} // namespace zentro
