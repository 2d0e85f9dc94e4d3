#pragma once

#include <QPoint>

#include <cstdint>

#include "controls/Accessible.h"
#include "settings/ui/SettingsPage.h"

// A page with a half dial of levels 1-11 over one field of the record: "Slow" at the left
// end, "Fast" at the right. A click above the centre and on the ring (43-71 pixels from it)
// chooses the level 12 - angle / 18, the angle counted in degrees from the right end over the
// top (175 and more count as 185, so the left end is level 1). A click below the centre is
// ignored; any other click keeps the level but limits a stored value to 1-11.

namespace zentro {

class CHalfDialPage : public CSettingsPage, public IPaintedControls {
    Q_OBJECT
public:
    // The painted controls, for screen readers.
    std::vector<SPaintedControl> PaintedControls() const override;
    // The angle in degrees of a point above or level with the centre.
    static double AngleAt(int dx, int dy);
    // The level a click chooses, or 0 when it keeps the level (off the ring).
    static int LevelAt(const QPoint& point, double* angle = nullptr);

    // The record field the page edits.
    virtual uint8_t& Field() const = 0;

protected:
    explicit CHalfDialPage(QWidget* parent);
    // Called with the angle and the level of a click on the ring.
    virtual void OnAngle(double angle) { (void)angle; }

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace zentro
