#pragma once

#include <array>

#include <QImage>
#include <QString>

#include "controls/Accessible.h"
#include "profile/ProfileRecord.h"
#include "settings/ui/SettingsPage.h"

class QLineEdit;

// The DPI page: for each of the seven stages a vertical slider (DPI index 1-54), the value
// box with its label, an edit box for typing a DPI, the on/off switch and the colour swatch.
// Everything edits DPIValue, DPIEnable and DPIColor of the live record in place.
//
// Typed values: the leading digits are read (none gives 0), limited to 200-6000 and turned
// into the index of the table entry at or below the value: 200 -> 1, 250 -> 1, 5000 -> 49,
// 5100 -> 49, 5200 -> 50, 6000 -> 54. Each edit box remembers the text it committed last, so
// a repeated Enter or the click after it changes nothing, while the same number typed into
// another stage's box is taken.

namespace zentro {

class CDMarkerV;
class IColorChooser;

class CDlgDPISetting : public CSettingsPage, public IPaintedControls {
    Q_OBJECT
public:
    // The painted controls, for screen readers.
    std::vector<SPaintedControl> PaintedControls() const override;
    explicit CDlgDPISetting(IColorChooser* colorChooser, QWidget* parent = nullptr);

    // Sliders from the record, edit boxes hidden, page repainted. Forgets the boxes' last
    // committed texts: the record was replaced.
    void LoadFromRecord() override;
    // Reads the edit box of stage index s and stores the DPI it names.
    void CommitDpiEdit(int s);

    // Stage index of a typed DPI text.
    static int DpiIndexFromText(const QString& text);

    std::array<CDMarkerV*, DPI_STAGE_COUNT> m_sliders{};
    std::array<QLineEdit*, DPI_STAGE_COUNT> m_edits{};
    // The last text committed from each stage's edit box. One per box: with a single text for
    // all seven, the same number typed into a second stage's box would be ignored; a repeated
    // Enter in one box still changes nothing.
    std::array<QString, DPI_STAGE_COUNT> m_strLastDpiEdit{};

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void OnSwallowedKey(QKeyEvent* event, QWidget* target) override;

private:
    void HideEdits();
    void OnMarkerChanged(int position, int id);

    IColorChooser* m_pColorChooser;
};

} // namespace zentro
