#pragma once

#include "controls/MainWindowPart.h"

// The axis sensitivity panel of the main window's left column: its header, and when open the
// x and y marker sliders (1-11) with their scale, editing SensitivityX and SensitivityY of the
// live record.

namespace zentro {

class CBitmapBtn;
class CDMarker;

constexpr int IDC_MARKER_X = 2025;
constexpr int IDC_MARKER_Y = 2026;

class CSensitivityPanel : public IMainWindowPart {
public:
    void CreateControls(IMainWindowHost& host, const CUiServices& services) override;
    void Paint(QPainter& painter, PaintStep step) override;
    void OnRecordReplaced() override;
    void OnRestore() override;
    void OnLeftColumnMoved(int shift) override;
    void OnLeftColumnCovered(bool covered) override;
    bool OnWinMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) override;

    // 0 opens, 1 closes; other values only repaint.
    void SetSensitivityPanel(int collapsed);
    void UpdateSensitivityMarkers();
    bool IsCollapsed() const { return m_bSensitivityCollapsed != 0; }

    CBitmapBtn* m_btnSensitivityHeader = nullptr;
    CDMarker* m_markerX = nullptr;
    CDMarker* m_markerY = nullptr;

private:
    void PlaceMarkers(int top);
    int Top() const; // top of the panel background, below the header

    IMainWindowHost* m_pHost = nullptr;
    int m_bSensitivityCollapsed = 1;
    int m_nShift = 0;
};

} // namespace zentro
