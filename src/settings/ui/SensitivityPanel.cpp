#include "settings/ui/SensitivityPanel.h"

#include <QPainter>

#include "controls/MainWindowLayout.h"
#include "controls/MainWindowHost.h"
#include "controls/BitmapBtn.h"
#include "controls/SkinKit.h"
#include "text/LanguageTexts.h"
#include "profile/ProfileRecord.h"
#include "profile/RecordRanges.h"
#include "settings/ui/DMarker.h"

namespace zentro {

void CSensitivityPanel::CreateControls(IMainWindowHost& host, const CUiServices&)
{
    QWidget& window = *host.Widget();
    m_pHost = &host;
    const QString item = "\\skins\\ItemBK.png";
    m_btnSensitivityHeader =
        CBitmapBtn::CreateSkinned(&window, MainLayout::SENSITIVITY_HEADER, item, item, item, item,
                                  IDS_AXIS_SENSITIVITY, 1, 0);
    QObject::connect(m_btnSensitivityHeader, &QAbstractButton::clicked, &window, [this] {
        m_pHost->ClearButtonHighlight();
        SetSensitivityPanel(m_bSensitivityCollapsed ? 0 : 1);
    });

    // The track pictures are cut once here; the markers keep their own copies.
    const QImage track = SkinBitmap("\\skins\\XYSensitivity\\1.png");
    const QImage fill = SkinBitmap("\\skins\\XYSensitivity\\2.png");
    m_markerX = new CDMarker(&window);
    m_markerX->Create(QRect(), &window, IDC_MARKER_X);
    m_markerY = new CDMarker(&window);
    m_markerY->Create(QRect(), &window, IDC_MARKER_Y);
    const QString sensitivity = QString::fromStdString(ProgramText(IDP_SENSITIVITY_AXIS));
    m_markerX->setAccessibleName(sensitivity.arg(UiText(IDS_X_AXIS)));
    m_markerY->setAccessibleName(sensitivity.arg(UiText(IDS_Y_AXIS)));
    for (CDMarker* marker : {m_markerX, m_markerY}) {
        marker->SetBitmaps(QRect(0, 0, 207, 14), track, fill);
        marker->m_nMin = 1;
        marker->m_nMax = 11;
    }
    OnLeftColumnMoved(m_nShift);
    SetSensitivityPanel(1);
}

int CSensitivityPanel::Top() const
{
    return MainLayout::PANEL_BOTTOM + m_nShift;
}

void CSensitivityPanel::Paint(QPainter& painter, PaintStep step)
{
    if (step != PaintStep::LeftPanels || m_bSensitivityCollapsed)
        return;
    const int y = Top();
    DrawSkin(painter, "/Skins/XYSensitivity/BK_XYSensSetting.png", 20, y);
    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    DrawSkinText(painter, RectLTRB(37, y + 20, 262, y + 40), left, UiText(IDS_X_AXIS));
    DrawSkinText(painter, RectLTRB(37, y + 80, 262, y + 100), left, UiText(IDS_Y_AXIS));
    for (int n = 1; n <= 10; ++n) {
        const int x = 20 + 24 + 21 * (n - 1);
        DrawSkinText(painter, RectLTRB(x, y + 57, 262, y + 77), left, QString::number(n));
        DrawSkinText(painter, RectLTRB(x, y + 117, 262, y + 137), left, QString::number(n));
    }
}

void CSensitivityPanel::OnRecordReplaced()
{
    UpdateSensitivityMarkers();
}

void CSensitivityPanel::OnRestore()
{
    SetSensitivityPanel(1);
}

void CSensitivityPanel::OnLeftColumnMoved(int shift)
{
    m_nShift = shift;
    if (!m_btnSensitivityHeader)
        return; // not created yet: CreateControls places it
    m_btnSensitivityHeader->setGeometry(MainLayout::SENSITIVITY_HEADER.translated(0, shift));
    PlaceMarkers(Top() + 40);
}

void CSensitivityPanel::OnLeftColumnCovered(bool covered)
{
    m_btnSensitivityHeader->setVisible(!covered);
    const bool markers = !covered && !m_bSensitivityCollapsed;
    m_markerX->setVisible(markers);
    m_markerY->setVisible(markers);
}

bool CSensitivityPanel::OnWinMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    if (msg != WM_MARKER_CHANGED)
        return false;
    if (lParam == IDC_MARKER_X)
        g_ProfileRecord.SensitivityX = static_cast<uint8_t>(wParam & 0xFF);
    else if (lParam == IDC_MARKER_Y)
        g_ProfileRecord.SensitivityY = static_cast<uint8_t>(wParam & 0xFF);
    else
        return false;
    return true;
}

void CSensitivityPanel::UpdateSensitivityMarkers()
{
    m_markerX->SetPos(LevelInRange(g_ProfileRecord.SensitivityX));
    m_markerY->SetPos(LevelInRange(g_ProfileRecord.SensitivityY));
}

void CSensitivityPanel::PlaceMarkers(int top)
{
    m_markerX->SetMarkerRect(RectLTRB(37, top, 245, top + 9));
    m_markerY->SetMarkerRect(RectLTRB(37, top + 60, 245, top + 69));
}

void CSensitivityPanel::SetSensitivityPanel(int collapsed)
{
    if (collapsed != 0 && collapsed != 1) {
        m_pHost->Widget()->update(MainLayout::LEFT_PANEL_AREA);
        return;
    }
    m_bSensitivityCollapsed = collapsed;
    if (collapsed) {
        m_markerX->hide();
        m_markerY->hide();
    } else {
        PlaceMarkers(Top() + 40);
        if (!m_pHost->IsProfileListOpen()) {
            m_markerX->show();
            m_markerY->show();
        }
    }
    m_pHost->Widget()->update(MainLayout::LEFT_PANEL_AREA);
    if (m_pHost->Widget()->isVisible())
        m_pHost->Widget()->repaint(MainLayout::LEFT_PANEL_AREA);
}

} // namespace zentro
