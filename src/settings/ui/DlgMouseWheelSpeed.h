#pragma once

#include "controls/Accessible.h"
#include "settings/ui/SettingsPage.h"

class QLineEdit;

// The wheel page: lines per notch (1-100, typed or stepped with the two arrows) or one screen
// per notch. Edits ScrollOneScreen and WheelLines of the live record. Any text the enabled
// number box gets that is not a number from 1 to 100 becomes "1"; the "0" the disabled box
// shows in one-screen mode is display only.

namespace zentro {

class CDlgMouseWheelSpeed : public CSettingsPage, public IPaintedControls {
    Q_OBJECT
public:
    // The painted controls, for screen readers.
    std::vector<SPaintedControl> PaintedControls() const override;
    explicit CDlgMouseWheelSpeed(QWidget* parent = nullptr);

    // The number box and its state from the record; repaints.
    void LoadFromRecord() override;

    QLineEdit* m_editLines = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void OnLinesChanged(const QString& text);
    void ShowLines();
};

} // namespace zentro
