#include "buttons/ui/AssignmentPanel.h"

#include <QPainter>

#include "controls/MainWindowLayout.h"
#include "controls/MainWindowHost.h"
#include "buttons/ui/ButtonMenu.h"
#include "controls/BitmapBtn.h"
#include "controls/SkinImage.h"
#include "controls/SkinKit.h"
#include "profile/ProfileFiles.h"

namespace zentro {

const std::array<AssignmentRow, 12> g_AssignmentRows{{
    {0, 0, 0, 28},
    {0, 1, 1, 29},
    {0, 2, 2, 30},
    {0, 3, 5, 31},
    {0, 4, 6, 32},
    {0, 5, 4, 33},
    {0, 6, 3, 34},
    {1, 0, 11, 35},
    {1, 1, 10, 36},
    {1, 2, 9, 37},
    {1, 3, 8, 38},
    {1, 4, 7, 39},
}};

int g_nHighlightedButton = -1;
int g_nAssignmentList = 0;
int g_nAssignmentPanelHeight = 0;

void ResetAssignmentPanelStateForTest()
{
    g_nHighlightedButton = -1;
    g_nAssignmentList = 0;
    g_nAssignmentPanelHeight = 0;
}

namespace {

constexpr QRect AssignmentRowRect(int row)
{
    return RectLTRB(120, 154 + 20 * row, 250, 170 + 20 * row);
}

constexpr QRect RowLabelRect(int row)
{
    return RectLTRB(31, 156 + 20 * row, 115, 170 + 20 * row);
}

} // namespace

void CAssignmentPanel::CreateControls(IMainWindowHost& host, const CUiServices& services)
{
    QWidget& window = *host.Widget();
    m_pHost = &host;
    g_nAssignmentPanelHeight =
        GetSkinPictureSize(ResolveSkinPath("/skins/ButtonAssignment/BK_ButtonAssignment.png"))
            .height();

    const QString item = "\\skins\\ItemBK.png";
    m_btnAssignmentHeader =
        CBitmapBtn::CreateSkinned(&window, MainLayout::ASSIGNMENT_HEADER, item, item, item, item,
                                  IDS_BUTTON_ASSIGNMENT, 1, 0);
    QObject::connect(m_btnAssignmentHeader, &QAbstractButton::clicked, &window, [this] {
        m_pHost->ClearButtonHighlight();
        SetAssignmentPanel(m_bAssignmentCollapsed ? 0 : 1);
    });

    const QString dropN = "\\skins\\ButtonAssignment\\DropdownBox-normal.png";
    const QString dropO = "\\skins\\ButtonAssignment\\DropdownBox-over.png";
    for (const AssignmentRow& row : g_AssignmentRows) {
        const int i = row.buttonIndex;
        m_btnAssignment[i] = CBitmapBtn::CreateSkinned(&window, AssignmentRowRect(row.row), dropN,
                                                       dropO, dropO, dropN, -1, 1, 0);
        m_btnAssignment[i]->hide();
        QObject::connect(m_btnAssignment[i], &QAbstractButton::clicked, &window,
                         [this, i] { OnAssignmentButton(i); });
    }
    m_pButtonMenu = std::make_unique<CButtonMenu>(*this, services);
    SetAssignmentPanel(1);
}

CAssignmentPanel::CAssignmentPanel() = default;
CAssignmentPanel::~CAssignmentPanel() = default;

void CAssignmentPanel::Paint(QPainter& painter, PaintStep step)
{
    if (step == PaintStep::MousePicture) {
        PaintButtonHotspots(painter, g_nHighlightedButton, m_nView);
        return;
    }
    if (step != PaintStep::LeftPanels || m_bAssignmentCollapsed)
        return;
    if (g_nAssignmentList != 0 && g_nAssignmentList != 1)
        return;
    DrawSkin(painter,
             g_nAssignmentList == 0 ? "/Skins/ButtonAssignment/BK_ButtonAssignment.png"
                                    : "/Skins/ButtonAssignment/BK_ButtonAssignment-Side.png",
             20, 127);
    for (const AssignmentRow& row : g_AssignmentRows)
        if (row.list == g_nAssignmentList)
            DrawSkinText(painter, RowLabelRect(row.row), Qt::AlignCenter, UiText(row.labelEntry));
}

void CAssignmentPanel::OnRecordReplaced()
{
    RefreshButtonCaptions();
}

void CAssignmentPanel::OnRestore()
{
    SetAssignmentPanel(1);
}

void CAssignmentPanel::OnClearHighlight()
{
    for (CBitmapBtn* button : m_btnAssignment)
        if (button && button->m_bSelected)
            button->SetSelected(0);
    g_nHighlightedButton = -1;
}

QWidget* CAssignmentPanel::Window() const
{
    return m_pHost ? m_pHost->Widget() : nullptr;
}

void CAssignmentPanel::OnViewChanged(int view)
{
    m_nView = view;
    if (view == VIEW_TOP)
        ShowAssignmentList(0);
    else if (view == VIEW_SIDE)
        ShowAssignmentList(1);
}

void CAssignmentPanel::OnLeftColumnCovered(bool covered)
{
    m_btnAssignmentHeader->setVisible(!covered);
    if (!covered && !m_bAssignmentCollapsed) {
        ShowAssignmentList(g_nAssignmentList);
    } else if (covered) {
        for (CBitmapBtn* button : m_btnAssignment)
            button->hide();
    }
}

void CAssignmentPanel::RefreshButtonCaptions()
{
    for (int i = 0; i < 12 && m_btnAssignment[i]; ++i) {
        m_btnAssignment[i]->SetCaption(QString::fromStdString(g_strButtonLabel[i]));
        m_btnAssignment[i]->update();
    }
}

void CAssignmentPanel::StoreButtonLabel(int b)
{
    if (b >= 0 && b < 12 && m_btnAssignment[b])
        g_strButtonLabel[b] = m_btnAssignment[b]->GetCaption().toStdString();
}

void CAssignmentPanel::ShowAssignmentList(int group)
{
    g_nAssignmentList = group;
    if (!m_bAssignmentCollapsed && !m_pHost->IsProfileListOpen()) {
        m_pHost->Widget()->setUpdatesEnabled(false);
        for (const AssignmentRow& row : g_AssignmentRows)
            if (CBitmapBtn* button = m_btnAssignment[row.buttonIndex])
                button->setVisible(row.list == group);
        m_pHost->Widget()->setUpdatesEnabled(true);
    }
    m_pHost->Widget()->update(MainLayout::MOUSE_PICTURE_AREA);
    m_pHost->Widget()->update(MainLayout::LEFT_PANEL_AREA);
}

void CAssignmentPanel::SetAssignmentPanel(int collapsed)
{
    if (collapsed != 0 && collapsed != 1) {
        m_pHost->Widget()->update(MainLayout::LEFT_PANEL_AREA);
        return;
    }
    m_bAssignmentCollapsed = collapsed;
    if (collapsed) {
        for (CBitmapBtn* button : m_btnAssignment)
            button->hide();
        m_pHost->SetLeftColumnShift(0);
    } else {
        ShowAssignmentList(g_nAssignmentList);
        m_pHost->SetLeftColumnShift(g_nAssignmentPanelHeight);
    }
    m_pHost->Widget()->update(MainLayout::LEFT_PANEL_AREA);
}

void CAssignmentPanel::OnAssignmentButton(int i)
{
    for (int b = 0; b < 12; ++b) {
        const int want = b == i ? 1 : 0;
        if (m_btnAssignment[b]->m_bSelected != want)
            m_btnAssignment[b]->SetSelected(want);
    }
    g_nHighlightedButton = i;
    m_pHost->Widget()->update(MainLayout::MOUSE_PICTURE_AREA);
    if (m_pButtonMenu)
        m_pButtonMenu->ShowButtonMenu(i);
}

} // namespace zentro
