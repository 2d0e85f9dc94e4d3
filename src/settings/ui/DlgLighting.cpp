#include "settings/ui/DlgLighting.h"

#include "controls/SkinKit.h"
#include "controls/WinMessage.h"
#include "profile/ProfileRecord.h"
#include "profile/RecordRanges.h"
#include "settings/ui/DMarker.h"
#include "settings/ui/LightingLayout.h"

#include <QMouseEvent>
#include <QPainter>

namespace zentro {

using namespace LightingLayout;

namespace {
uint8_t& Param(int k)
{
    return k == 1 ? g_ProfileRecord.LightParam1
                  : (k == 2 ? g_ProfileRecord.LightParam2 : g_ProfileRecord.LightParam3);
}
} // namespace

CDlgLighting::CDlgLighting(QWidget* parent) : CSettingsPage(parent)
{
    setObjectName("DlgLighting");
    const QImage track = SkinBitmap("\\skins\\StageSlider\\1.png");
    const QImage fill = SkinBitmap("\\skins\\StageSlider\\10.png");
    for (int k = 1; k <= 3; ++k) {
        auto* slider = new CDMarker(this);
        slider->Create(SliderRect(k), this, IDC_SLIDER_FIRST + k - 1);
        slider->setAccessibleName(UiText(IDS_LIGHT_STANDARD + k - 1));
        slider->SetBitmaps(SLIDER_SOURCE, track, fill);
        slider->m_nMin = SLIDER_MIN;
        slider->m_nMax = SLIDER_MAX;
        FilterKeysOf(slider);
        m_sliders[k - 1] = slider;
    }
    SelectLightMode(g_ProfileRecord.LightMode);
}

void CDlgLighting::LoadFromRecord()
{
    SelectLightMode(g_ProfileRecord.LightMode);
}

void CDlgLighting::SelectLightMode(int m)
{
    if (m >= 1 && m <= 3) {
        g_ProfileRecord.LightMode = static_cast<uint8_t>(m);
        for (int k = 1; k <= 3; ++k) {
            m_sliders[k - 1]->setEnabled(k == m);
            m_sliders[k - 1]->SetPos(LightParamInRange(Param(k)));
        }
    }
    update();
}

void CDlgLighting::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint p = event->position().toPoint();
        for (int k = 1; k <= 3; ++k)
            if (ModeBoxRect(k).contains(p))
                SelectLightMode(k);
    }
    CSettingsPage::mousePressEvent(event);
}

bool CDlgLighting::event(QEvent* e)
{
    if (e->type() == CWinMessageEvent::EventType()) {
        auto* m = static_cast<CWinMessageEvent*>(e);
        if (m->message() == WM_MARKER_CHANGED) {
            const int k = static_cast<int>(m->lParam()) - IDC_SLIDER_FIRST + 1;
            if (k >= 1 && k <= 3)
                Param(k) = static_cast<uint8_t>(m->wParam() & 0xFF);
            return true;
        }
    }
    return CSettingsPage::event(e);
}

void CDlgLighting::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    DrawSkin(painter, "Skins\\Lighting\\BK_Lighting.png", 0, 0);
    const int mode = g_ProfileRecord.LightMode;
    if (mode >= 1 && mode <= 3) {
        for (int k = 1; k <= 3; ++k) {
            const QRect box = ModeBoxRect(k);
            DrawSkin(painter, k == mode ? "Skins/Enable.png" : "Skins/Disable.png", box.left(),
                     box.top());
        }
    }
    painter.setFont(UiFont(FONT_HEIGHT));
    painter.setPen(Qt::white);
    for (int k = 1; k <= 3; ++k) {
        DrawSkinText(painter, ModeNameRect(k), Qt::AlignLeft | Qt::AlignVCenter,
                     UiText(IDS_LIGHT_STANDARD + k - 1));
        for (int i = 0; i < 5; ++i)
            DrawSkinText(painter, ScaleRect(k, i), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromLatin1(SCALE[k - 1][i].text));
    }
}

std::vector<SPaintedControl> CDlgLighting::PaintedControls() const
{
    std::vector<SPaintedControl> controls;
    for (int k = 1; k <= 3; ++k)
        controls.push_back({ModeBoxRect(k), QAccessible::RadioButton,
                            UiText(IDS_LIGHT_STANDARD + k - 1), true,
                            g_ProfileRecord.LightMode == k, QString()});
    return controls;
}

} // namespace zentro
