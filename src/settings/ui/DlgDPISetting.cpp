#include "settings/ui/DlgDPISetting.h"

#include "controls/SkinImage.h"
#include "controls/SkinKit.h"
#include "controls/UiServices.h"
#include "controls/WinMessage.h"
#include "profile/ProfileRecord.h"
#include "settings/ui/ColorKeyEffect.h"
#include "settings/ui/DMarker.h"
#include "settings/ui/DpiSettingLayout.h"
#include "settings/ui/PageColumnState.h"
#include "text/LanguageTexts.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>

#include <algorithm>

namespace zentro {

using namespace DpiLayout;

namespace {
const QString kBackground = "Skins\\DPISetting\\BK_DPISetting.png";
const QString kValueBox = "Skins\\DPISetting\\BK-DPIValue.png";
} // namespace

CDlgDPISetting::CDlgDPISetting(IColorChooser* colorChooser, QWidget* parent)
    : CSettingsPage(parent), m_pColorChooser(colorChooser)
{
    setObjectName("DlgDPISetting");
    const QImage track = SkinBitmap("\\skins\\DPISetting\\DPIStage\\0.png");
    const QImage fill = SkinBitmap("\\skins\\DPISetting\\DPIStage\\1.png");
    const auto* digits = new QRegularExpressionValidator(QRegularExpression("[0-9]*"), this);
    for (int n = 1; n <= 7; ++n) {
        auto* slider = new CDMarkerV(this);
        slider->Create(SliderRect(n), this, IDC_SLIDER_FIRST + n - 1);
        slider->setAccessibleName(QString::fromStdString(ProgramText(IDP_DPI_STAGE)).arg(n));
        slider->SetBitmaps(SLIDER_SOURCE, track, fill);
        slider->m_nMin = SLIDER_MIN;
        slider->m_nMax = SLIDER_MAX;
        FilterKeysOf(slider);
        m_sliders[n - 1] = slider;
    }
    for (int n = 1; n <= 7; ++n) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString("DpiEdit%1").arg(IDC_EDIT_FIRST + n - 1));
        edit->setGeometry(EditRect(n));
        edit->setAlignment(Qt::AlignCenter);
        edit->setValidator(digits);
        edit->setMaxLength(EDIT_LIMIT);
        edit->setFont(UiFont(FONT_HEIGHT));
        edit->setTextMargins(0, 0, 0, 0);
        edit->setStyleSheet("QLineEdit { color: white; background: rgb(40, 40, 40);"
                            " border: 1px solid rgb(120, 120, 120); padding: 0px;"
                            " selection-background-color: rgb(200, 30, 46); }");
        edit->hide();
        FilterKeysOf(edit);
        m_edits[n - 1] = edit;
    }
    // The page is layered: alpha 200 of 255 with pure black see-through.
    setGraphicsEffect(new CColorKeyEffect(LAYER_ALPHA, this));
    LoadFromRecord();
}

void CDlgDPISetting::LoadFromRecord()
{
    for (int s = 0; s < 7; ++s)
        m_sliders[s]->SetPos(g_ProfileRecord.DPIValue[s]);
    HideEdits();
    m_strLastDpiEdit = {};
    update();
}

void CDlgDPISetting::HideEdits()
{
    for (QLineEdit* edit : m_edits)
        edit->hide();
}

int CDlgDPISetting::DpiIndexFromText(const QString& text)
{
    long value = 0;
    for (const QChar c : text) {
        if (c < '0' || c > '9')
            break;
        value = std::min<long>(value * 10 + (c.unicode() - '0'), 1000000);
    }
    value = std::clamp<long>(value, 200, 6000);
    if (value <= 5000)
        return static_cast<int>(value / 100 - 1);
    // 5200, 5400, 5600, 5800, 6000 are indices 50-54; between them the entry below.
    if (value < 5200)
        return 49;
    return static_cast<int>(50 + (value - 5200) / 200);
}

void CDlgDPISetting::CommitDpiEdit(int s)
{
    if (s < 0 || s >= 7)
        return;
    const QString text = m_edits[s]->text();
    if (text == m_strLastDpiEdit[s])
        return;
    m_strLastDpiEdit[s] = text;
    const int index = DpiIndexFromText(text);
    g_ProfileRecord.DPIValue[s] = static_cast<uint8_t>(index);
    m_edits[s]->setText(FormatDpiLabel(index));
    m_sliders[s]->SetPos(index);
    HideEdits();
    update();
}

void CDlgDPISetting::OnSwallowedKey(QKeyEvent* event, QWidget* target)
{
    if (event->type() != QEvent::KeyPress)
        return;
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return;
    QWidget* focus = target->hasFocus() ? target : focusWidget();
    for (int s = 0; s < 7; ++s)
        if (focus == m_edits[s])
            CommitDpiEdit(s);
}

void CDlgDPISetting::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        CSettingsPage::mousePressEvent(event);
        return;
    }
    const QPoint p = event->position().toPoint();
    for (int s = 0; s < 7; ++s) {
        if (g_nEditingStage == s) {
            CommitDpiEdit(s);
            g_nEditingStage = -1;
        }
        m_edits[s]->hide();
    }
    for (int n = 1; n <= 7; ++n) {
        uint8_t& enable = g_ProfileRecord.DPIEnable[n - 1];
        if (SwitchRect(n).contains(p))
            enable = enable == 0 ? 1 : 0;
    }
    for (int n = 1; n <= 7; ++n) {
        if (!SwatchRect(n).contains(p) || g_ProfileRecord.DPIEnable[n - 1] != 1 || !m_pColorChooser)
            continue;
        const std::optional<QColor> color = m_pColorChooser->ChooseColor(this, QColor(0, 0, 0));
        if (color) {
            uint8_t* rgb = &g_ProfileRecord.DPIColor[3 * (n - 1)];
            rgb[0] = static_cast<uint8_t>(color->red());
            rgb[1] = static_cast<uint8_t>(color->green());
            rgb[2] = static_cast<uint8_t>(color->blue());
        }
    }
    for (int n = 1; n <= 7; ++n) {
        if (!ValueRect(n).contains(p))
            continue;
        QLineEdit* edit = m_edits[n - 1];
        edit->setText(FormatDpiLabel(g_ProfileRecord.DPIValue[n - 1]));
        edit->show();
        edit->setFocus(Qt::MouseFocusReason);
        edit->selectAll();
        g_nEditingStage = n - 1;
    }
    update();
    CSettingsPage::mousePressEvent(event);
}

bool CDlgDPISetting::event(QEvent* e)
{
    if (e->type() == CWinMessageEvent::EventType()) {
        auto* m = static_cast<CWinMessageEvent*>(e);
        if (m->message() == WM_MARKER_CHANGED) {
            OnMarkerChanged(static_cast<int>(m->wParam()), static_cast<int>(m->lParam()));
            return true;
        }
    }
    return CSettingsPage::event(e);
}

void CDlgDPISetting::OnMarkerChanged(int position, int id)
{
    HideEdits();
    const int s = id - IDC_SLIDER_FIRST;
    if (s < 0 || s >= 7)
        return;
    g_ProfileRecord.DPIValue[s] = static_cast<uint8_t>(position & 0xFF);
    if (g_ProfileRecord.DPIEnable[s] == 0)
        g_ProfileRecord.DPIEnable[s] = 1;
    // The stage's value no longer is what its box committed last.
    m_strLastDpiEdit[s].clear();
    update();
}

void CDlgDPISetting::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    DrawSkinImageStretched(painter, LoadSkinImage(ResolveSkinPath(kBackground)), rect());
    painter.setFont(UiFont(FONT_HEIGHT));
    painter.setPen(Qt::white);
    for (int n = 1; n <= 7; ++n) {
        const QRect value = ValueRect(n);
        DrawSkin(painter, kValueBox, value.left(), value.top());
        DrawSkinText(painter, value, Qt::AlignCenter,
                     FormatDpiLabel(g_ProfileRecord.DPIValue[n - 1]));
        const QRect sw = SwitchRect(n);
        DrawSkin(painter,
                 g_ProfileRecord.DPIEnable[n - 1] != 0 ? "Skins\\Enable.png" : "Skins\\Disable.png",
                 sw.left(), sw.top());
        const uint8_t* rgb = &g_ProfileRecord.DPIColor[3 * (n - 1)];
        painter.fillRect(SwatchRect(n), QColor(rgb[0], rgb[1], rgb[2]));
    }
}

std::vector<SPaintedControl> CDlgDPISetting::PaintedControls() const
{
    std::vector<SPaintedControl> controls;
    for (int n = 1; n <= 7; ++n) {
        const QString stage = QString::fromStdString(ProgramText(IDP_DPI_STAGE)).arg(n);
        const uint8_t* rgb = &g_ProfileRecord.DPIColor[3 * (n - 1)];
        controls.push_back({SwitchRect(n), QAccessible::CheckBox, stage, true,
                            g_ProfileRecord.DPIEnable[n - 1] != 0, QString()});
        controls.push_back({ValueRect(n), QAccessible::StaticText, stage, false, false,
                            FormatDpiLabel(g_ProfileRecord.DPIValue[n - 1])});
        controls.push_back({SwatchRect(n), QAccessible::Button,
                            QString::fromStdString(ProgramText(IDP_DPI_STAGE_COLOR)).arg(n), false,
                            false, QColor(rgb[0], rgb[1], rgb[2]).name()});
    }
    return controls;
}

} // namespace zentro
