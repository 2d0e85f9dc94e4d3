// Painting of the main window: the background and every region that can change, redrawn from
// the skin pictures in a fixed order on each paint.

#include "app/MouseConfigurationDlg.h"

#include <QPaintEvent>
#include <QPainter>

#include "app/DeviceTransfer.h"
#include "controls/SkinImage.h"
#include "controls/WinMessage.h"

namespace zentro {

namespace {

void Draw(QPainter& painter, const char* relative, int x, int y)
{
    DrawSkinPng(painter, ResolveSkinPath(QString::fromLatin1(relative)), x, y);
}

void DrawLine(QPainter& painter, const QRect& rect, int flags, const QString& text)
{
    painter.drawText(rect, flags | Qt::TextSingleLine, text);
}

} // namespace

void CMouseConfigurationDlg::paintEvent(QPaintEvent*)
{
    ++m_nPaintCount;
    if (m_bTransferring)
        ++m_nTransferPaintCount;
    QPainter painter(this);
    PaintWindow(painter);
}

void CMouseConfigurationDlg::PaintWindow(QPainter& painter)
{
    // The background; the steps below draw over it.
    if (!m_imgSkin.isNull())
        painter.drawImage(0, 0, m_imgSkin);
    else
        painter.fillRect(rect(), Qt::black);

    // 1.-3.
    Draw(painter, "Skins\\Logo.png", 20, 32);
    Draw(painter, "Skins\\BK_MainMid.png", 293, 0);
    switch (g_nCurrentView) {
    case 1:
        Draw(painter, "Skins\\Mouse\\Front\\MouseFront.png", 382, 36);
        break;
    case 2:
        Draw(painter, "Skins\\Mouse\\Side\\MouseSide.png", 462, 36);
        break;
    case 3:
        Draw(painter, "Skins\\Mouse\\Back\\MouseBack.png", 394, 46);
        break;
    default:
        break;
    }
    // 4.
    if (paintHotspots) {
        const int n = g_nHighlightedButton >= 0 && g_nHighlightedButton <= 11
                          ? g_nHighlightedButton + 1
                          : 255;
        paintHotspots(painter, n);
    }
    // 5.
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setFont(m_font1);
    painter.setPen(QColor(255, 255, 255));
    // 6., 7.
    Draw(painter, "/Skins/BK_MainLeft.png", 0, 107);
    Draw(painter, "Skins\\MLogo.png", 40, 525);

    const int h = g_nAssignmentPanelHeight;
    // 8.
    if (!m_bAssignmentCollapsed && (g_nAssignmentList == 0 || g_nAssignmentList == 1)) {
        Draw(painter,
             g_nAssignmentList == 0 ? "/Skins/ButtonAssignment/BK_ButtonAssignment.png"
                                    : "/Skins/ButtonAssignment/BK_ButtonAssignment-Side.png",
             20, 127);
        for (const AssignmentRow& row : g_AssignmentRows) {
            if (row.list != g_nAssignmentList)
                continue;
            const int k = row.row;
            DrawLine(painter, RectLTRB(31, 156 + 20 * k, 115, 170 + 20 * k), Qt::AlignCenter,
                     UiText(row.labelEntry));
        }
    }
    // 9.
    if (!m_bSensitivityCollapsed) {
        const int y = m_bAssignmentCollapsed ? 195 : 195 + h;
        Draw(painter, "/Skins/XYSensitivity/BK_XYSensSetting.png", 20, y);
        const int left = Qt::AlignLeft | Qt::AlignVCenter;
        DrawLine(painter, RectLTRB(37, y + 20, 262, y + 40), left, UiText(26));
        DrawLine(painter, RectLTRB(37, y + 80, 262, y + 100), left, UiText(27));
        for (int n = 1; n <= 10; ++n) {
            const int x = 20 + 24 + 21 * (n - 1);
            DrawLine(painter, RectLTRB(x, y + 57, 262, y + 77), left, QString::number(n));
            DrawLine(painter, RectLTRB(x, y + 117, 262, y + 137), left, QString::number(n));
        }
    }

    if (m_bTransferring)
        PaintTransferProgress(painter);
}

// While the settings go to the mouse: the sensitivity track of the skin filled in proportion
// to the waits done, with the percentage beside it, left of the Reset button.
void CMouseConfigurationDlg::PaintTransferProgress(QPainter& painter)
{
    static const QRect bar = RectLTRB(560, 612, 767, 626);
    const QImage track = LoadSkinBitmap(ResolveSkinPath("\\skins\\XYSensitivity\\1.png"));
    const QImage fill = LoadSkinBitmap(ResolveSkinPath("\\skins\\XYSensitivity\\2.png"));
    const uint64_t total = m_nTransferTotalMs ? m_nTransferTotalMs : APPLY_TOTAL_WAIT_MS;
    const uint64_t done = std::min(m_nTransferDoneMs, total);
    const int filled = static_cast<int>(bar.width() * done / total);
    if (!track.isNull())
        painter.drawImage(bar.topLeft(), track, QRect(0, 0, bar.width(), bar.height()));
    else
        painter.fillRect(bar, QColor(60, 60, 60));
    if (filled > 0) {
        if (!fill.isNull())
            painter.drawImage(bar.topLeft(), fill, QRect(0, 0, filled, bar.height()));
        else
            painter.fillRect(QRect(bar.left(), bar.top(), filled, bar.height()),
                             QColor(g_crSkinText[0], g_crSkinText[1], g_crSkinText[2]));
    }
    painter.setPen(QColor(255, 255, 255));
    painter.drawText(RectLTRB(bar.right() + 6, bar.top() - 2, 796, bar.bottom() + 3),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     QString("%1 %").arg(done * 100 / total));
}

} // namespace zentro
