#pragma once

#include "settings/ui/SettingsPage.h"

// The angle-snapping page: an ON and an OFF box over AngleSnap (AngleSnapLevel is left alone).

namespace zentro {

class CDlgAngleSnap : public CSettingsPage {
    Q_OBJECT
public:
    explicit CDlgAngleSnap(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace zentro
