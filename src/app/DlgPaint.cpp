// Painting of the main window: the background and every region that can change, redrawn from
// the skin pictures in a fixed order on each paint; the parts draw at their steps.

#include "app/MouseConfigurationDlg.h"

#include <QPaintEvent>
#include <QPainter>

#include "app/DeviceTransfer.h"
#include "controls/MainWindowLayout.h"
#include "controls/SkinImage.h"
#include "controls/SkinKit.h"

namespace zentro {

void CMouseConfigurationDlg::paintEvent(QPaintEvent*)
{
    ++m_nPaintCount;
    if (m_bTransferring)
        ++m_nTransferPaintCount;
    QPainter painter(this);
    PaintWindow(painter);
}

void CMouseConfigurationDlg::PaintParts(QPainter& painter, PaintStep step)
{
    for (const auto& part : m_parts)
        part->Paint(painter, step);
}

void CMouseConfigurationDlg::PaintWindow(QPainter& painter)
{
    // The background; the steps below draw over it.
    if (!m_imgSkin.isNull())
        DrawSkinPicture(painter, QPoint(0, 0), m_imgSkin);
    else
        painter.fillRect(rect(), Qt::black);

    // 1.-3.
    DrawSkin(painter, "Skins\\Logo.png", 20, 32);
    DrawSkin(painter, "Skins\\BK_MainMid.png", 293, 0);
    switch (g_nCurrentView) {
    case 1:
        DrawSkin(painter, "Skins\\Mouse\\Front\\MouseFront.png", 382, 36);
        break;
    case 2:
        DrawSkin(painter, "Skins\\Mouse\\Side\\MouseSide.png", 462, 36);
        break;
    case 3:
        DrawSkin(painter, "Skins\\Mouse\\Back\\MouseBack.png", 394, 46);
        break;
    default:
        break;
    }
    // 4. Hotspots over the mouse.
    PaintParts(painter, PaintStep::MousePicture);
    // 5.
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setFont(UiFont(13));
    painter.setPen(QColor(255, 255, 255));
    // 6., 7.
    DrawSkin(painter, "/Skins/BK_MainLeft.png", 0, 107);
    DrawSkin(painter, "Skins\\MLogo.png", 40, 525);
    // 8., 9. The panels of the left column.
    PaintParts(painter, PaintStep::LeftPanels);

    if (m_bTransferring)
        PaintTransferProgress(painter);
}

// While the settings go to the mouse: the sensitivity track of the skin filled in proportion
// to the waits done, with the percentage beside it, left of the Reset button.
void CMouseConfigurationDlg::PaintTransferProgress(QPainter& painter)
{
    const QRect bar = MainLayout::TRANSFER_BAR;
    const uint64_t total = m_nTransferTotalMs ? m_nTransferTotalMs : APPLY_TOTAL_WAIT_MS;
    const uint64_t done = std::min(m_nTransferDoneMs, total);
    const int filled = static_cast<int>(bar.width() * done / total);
    if (!m_bmpTransferTrack.isNull())
        DrawSkinPicture(painter, bar.topLeft(), m_bmpTransferTrack,
                        QRect(QPoint(0, 0), bar.size()));
    else
        painter.fillRect(bar, QColor(60, 60, 60));
    if (filled > 0) {
        const QRect part(0, 0, filled, bar.height());
        if (!m_bmpTransferFill.isNull())
            DrawSkinPicture(painter, bar.topLeft(), m_bmpTransferFill, part);
        else
            painter.fillRect(part.translated(bar.topLeft()), SkinTextColor());
    }
    painter.setPen(QColor(255, 255, 255));
    DrawSkinText(painter, RectLTRB(bar.right() + 6, bar.top() - 2, 796, bar.bottom() + 3),
                 Qt::AlignLeft | Qt::AlignVCenter, QString("%1 %").arg(done * 100 / total));
}

} // namespace zentro
