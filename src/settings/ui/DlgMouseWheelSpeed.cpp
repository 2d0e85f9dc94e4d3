#include "settings/ui/DlgMouseWheelSpeed.h"

#include "controls/SkinKit.h"
#include "profile/ProfileRecord.h"
#include "settings/ui/WheelSpeedLayout.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>

namespace zentro {

using namespace WheelSpeedLayout;

CDlgMouseWheelSpeed::CDlgMouseWheelSpeed(QWidget* parent) : CSettingsPage(parent)
{
    setObjectName("DlgMouseWheelSpeed");
    m_editLines = new QLineEdit(this);
    m_editLines->setObjectName(QString("WheelLines%1").arg(IDC_NUMBER_BOX));
    m_editLines->setGeometry(NUMBER_BOX);
    m_editLines->setAlignment(Qt::AlignCenter);
    m_editLines->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9]*"), m_editLines));
    m_editLines->setFont(UiFont(FONT_HEIGHT));
    m_editLines->setStyleSheet("QLineEdit { padding: 0px; }");
    m_editLines->show();
    FilterKeysOf(m_editLines);
    connect(m_editLines, &QLineEdit::textChanged, this, &CDlgMouseWheelSpeed::OnLinesChanged);
    LoadFromRecord();
}

void CDlgMouseWheelSpeed::LoadFromRecord()
{
    if (g_ProfileRecord.ScrollOneScreen == 0) {
        m_editLines->setEnabled(true);
        ShowLines();
    } else {
        m_editLines->setEnabled(false);
        m_editLines->setText("0");
    }
    repaint();
}

void CDlgMouseWheelSpeed::ShowLines()
{
    m_editLines->setText(QString::number(g_ProfileRecord.WheelLines));
}

void CDlgMouseWheelSpeed::OnLinesChanged(const QString& text)
{
    if (!m_editLines->isEnabled())
        return; // the one-screen "0"
    bool ok = false;
    int lines = text.toInt(&ok);
    if (!ok || lines < LINES_MIN || lines > LINES_MAX) {
        lines = LINES_MIN;
        if (text != "1")
            m_editLines->setText("1");
    }
    g_ProfileRecord.WheelLines = static_cast<uint8_t>(lines);
    m_editLines->update();
}

void CDlgMouseWheelSpeed::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        CSettingsPage::mousePressEvent(event);
        return;
    }
    const QPoint p = event->position().toPoint();
    uint8_t& lines = g_ProfileRecord.WheelLines;
    if (UP_ARROW.contains(p) && g_ProfileRecord.ScrollOneScreen == 0) {
        lines = static_cast<uint8_t>(std::min(lines + 1, LINES_MAX));
        ShowLines();
    }
    if (DOWN_ARROW.contains(p) && g_ProfileRecord.ScrollOneScreen == 0) {
        lines = static_cast<uint8_t>(std::max(lines - 1, LINES_MIN));
        ShowLines();
    }
    if (LINES_OPTION.contains(p)) {
        g_ProfileRecord.ScrollOneScreen = 0;
        m_editLines->setEnabled(true);
        ShowLines();
    }
    if (SCREEN_OPTION.contains(p)) {
        m_editLines->setEnabled(false);
        g_ProfileRecord.ScrollOneScreen = 1;
    }
    repaint();
    CSettingsPage::mousePressEvent(event);
}

void CDlgMouseWheelSpeed::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    DrawSkin(painter, "Skins\\MouseAttribute\\BK_ScrollSpeed.png", 0, 0);
    const bool oneScreen = g_ProfileRecord.ScrollOneScreen == 1;
    const QString on = "Skins\\MouseAttribute\\ScrollSpeed\\Enable.png";
    const QString off = "Skins\\MouseAttribute\\ScrollSpeed\\Disable.png";
    DrawSkin(painter, oneScreen ? on : off, SCREEN_OPTION.left(), SCREEN_OPTION.top());
    DrawSkin(painter, oneScreen ? off : on, LINES_OPTION.left(), LINES_OPTION.top());
    DrawSkin(painter, "Skins\\MouseAttribute\\ScrollSpeed\\ScrollLines.png", NUMBER_BOX.left(),
             NUMBER_BOX.top());
    painter.setFont(UiFont(FONT_HEIGHT));
    painter.setPen(Qt::white);
    DrawSkinText(painter, LINES_LABEL, Qt::AlignLeft | Qt::AlignVCenter,
                 UiText(IDS_NUMBER_OF_ROWS));
    DrawSkinText(painter, SCREEN_LABEL, Qt::AlignLeft | Qt::AlignVCenter,
                 UiText(IDS_SCROLL_ONE_SCREEN));
}

std::vector<SPaintedControl> CDlgMouseWheelSpeed::PaintedControls() const
{
    const bool oneScreen = g_ProfileRecord.ScrollOneScreen == 1;
    return {{SCREEN_OPTION, QAccessible::RadioButton, UiText(IDS_SCROLL_ONE_SCREEN), true,
             oneScreen, QString()},
            {LINES_OPTION, QAccessible::RadioButton, UiText(IDS_NUMBER_OF_ROWS), true, !oneScreen,
             QString()}};
}

} // namespace zentro
