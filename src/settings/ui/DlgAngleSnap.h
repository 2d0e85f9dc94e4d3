#pragma once

#include "controls/Accessible.h"
#include "settings/ui/SettingsPage.h"

// The angle-snapping page: an ON and an OFF box over AngleSnap (AngleSnapLevel is left alone).

namespace zentro {

class CDlgAngleSnap : public CSettingsPage, public IPaintedControls {
    Q_OBJECT
public:
    // The painted controls, for screen readers.
    std::vector<SPaintedControl> PaintedControls() const override;
    explicit CDlgAngleSnap(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace zentro
