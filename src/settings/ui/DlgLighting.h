#pragma once

#include <array>

#include "controls/Accessible.h"
#include "settings/ui/SettingsPage.h"

// The lighting page: three modes (Standard, Respiration, Neon) with a box each and one
// horizontal slider per mode for its parameter (1-6). Only the chosen mode's slider can be
// moved. Edits LightMode and LightParam1-3 of the live record in place.

namespace zentro {

class CDMarker;

class CDlgLighting : public CSettingsPage, public IPaintedControls {
    Q_OBJECT
public:
    // The painted controls, for screen readers.
    std::vector<SPaintedControl> PaintedControls() const override;
    explicit CDlgLighting(QWidget* parent = nullptr);

    // Modes 1-3: stored, that slider enabled and the others disabled, all sliders set from
    // their parameters. Other values change nothing. Repaints.
    void SelectLightMode(int m);
    // Selects the record's light mode.
    void LoadFromRecord() override;

    std::array<CDMarker*, 3> m_sliders{};

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace zentro
