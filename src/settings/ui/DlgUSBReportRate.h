#pragma once

#include <QPoint>

#include "controls/Accessible.h"
#include "settings/ui/SettingsPage.h"

// The polling-rate page: a dial of four quarters, clockwise from the upper right 1000, 500,
// 250 and 125 Hz (ReportRate 1, 2, 4, 8). Reads the record whenever it paints.

namespace zentro {

class CDlgUSBReportRate : public CSettingsPage, public IPaintedControls {
    Q_OBJECT
public:
    // The painted controls, for screen readers.
    std::vector<SPaintedControl> PaintedControls() const override;
    explicit CDlgUSBReportRate(QWidget* parent = nullptr);

    // The ReportRate a click at `point` chooses; 0 outside the ring and on the axes.
    static int RateAt(const QPoint& point);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace zentro
