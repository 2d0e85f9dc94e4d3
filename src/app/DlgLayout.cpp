// Controls of the main window, their places, the two collapsible panels and the views.

#include "app/MouseConfigurationDlg.h"

#include "controls/BitmapBtn.h"
#include "controls/SkinImage.h"
#include "controls/WinMessage.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileRecord.h"
#include "settings/ui/DMarker.h"
#include "text/LanguageTexts.h"

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

namespace {

const QRect LEFT_PANEL_AREA = RectLTRB(20, 107, 262, 507);
const QRect MOUSE_PICTURE_AREA = RectLTRB(262, 32, 734, 450);

QRect AssignmentRowRect(int row)
{
    return RectLTRB(120, 154 + 20 * row, 250, 170 + 20 * row);
}

QImage Bitmap(const QString& relative)
{
    return LoadSkinBitmap(ResolveSkinPath(relative));
}

} // namespace

void CMouseConfigurationDlg::LoadSkin()
{
    m_imgSkin = LoadSkinImage(ResolveSkinPath("/skins/main.png"))
                    .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    m_sizeSkin = m_imgSkin.size();
    setFixedSize(m_sizeSkin.isEmpty() ? QSize(1, 1) : m_sizeSkin);
    g_nAssignmentPanelHeight =
        GetSkinPictureSize(ResolveSkinPath("/skins/ButtonAssignment/BK_ButtonAssignment.png"))
            .height();
}

void CMouseConfigurationDlg::CreateFonts()
{
    const QString face = QString::fromStdString(UiFaceName());
    m_font1 = QFont(face);
    m_font1.setPixelSize(13);
    m_font1.setWeight(QFont::Normal);
    m_font1.setStyleHint(QFont::SansSerif);
    m_font2 = m_font1; // weight 0: the face's default
}

CBitmapBtn* CMouseConfigurationDlg::MakeButton(const QRect& rect, const QString& normal,
                                               const QString& hover, const QString& pressed,
                                               const QString& disabled, int captionEntry, int align,
                                               int indent)
{
    auto* button = new CBitmapBtn(this);
    button->Create(QString(), rect, this);
    const QRect source(0, 0, rect.width(), rect.height());
    button->SetImages(source, Bitmap(normal), Bitmap(hover), Bitmap(pressed), Bitmap(disabled));
    if (captionEntry >= 0) {
        button->m_nCaptionHeight = 13;
        button->m_strCaptionFace = QString::fromStdString(UiFaceName());
        button->m_nCaptionAlign = align;
        button->m_nCaptionIndent = indent;
        button->SetCaption(UiText(captionEntry));
    }
    return button;
}

void CMouseConfigurationDlg::CreateControls()
{
    const QString cancelN = "\\skins\\button-cancel-normal.png";
    const QString cancelO = "\\skins\\button-cancel-over.png";
    const QString cancelL = "\\skins\\button-cancel-leave.png";
    const QString saveL = "\\skins\\button-save-leave.png";
    m_btnReset =
        MakeButton(RectLTRB(798, 604, 855, 634), cancelN, cancelO, cancelL, saveL, 9, 0, 0);
    m_btnCancel =
        MakeButton(RectLTRB(860, 604, 917, 634), cancelN, cancelO, cancelL, saveL, 10, 0, 0);
    m_btnApply =
        MakeButton(RectLTRB(923, 604, 980, 634), cancelN, cancelO, cancelL, saveL, 11, 0, 0);

    auto small = [this](const QRect& rect, const QString& stem) {
        const QString n = "\\skins\\" + stem + "-normal.png";
        return MakeButton(rect, n, "\\skins\\" + stem + "-over.png", n, n, -1, 0, 0);
    };
    m_btnClose = small(RectLTRB(979, 5, 994, 20), "button-close");
    m_btnMinimize = small(RectLTRB(958, 5, 973, 20), "button-min");
    m_btnHelp = small(RectLTRB(937, 5, 952, 20), "button-help");

    const QString configN = "\\skins\\button-config-normal.png";
    m_btnConfig = MakeButton(RectLTRB(18, 604, 90, 634), configN, "\\skins\\button-config-over.png",
                             configN, configN, 12, 1, 20);

    const QString mouseN = "\\skins\\button-mouse-normal.png";
    const QString mouseO = "\\skins\\button-mouse-over.png";
    const QString mouseL = "\\skins\\button-mouse-leave.png";
    m_btnTopView =
        MakeButton(RectLTRB(425, 527, 487, 556), mouseN, mouseO, mouseL, mouseN, 13, 0, 0);
    m_btnSideView =
        MakeButton(RectLTRB(500, 527, 562, 556), mouseN, mouseO, mouseL, mouseN, 14, 0, 0);
    m_btnBackView =
        MakeButton(RectLTRB(533, 527, 595, 556), mouseN, mouseO, mouseL, mouseN, 15, 0, 0);
    m_btnBackView->hide();

    const QString item = "\\skins\\ItemBK.png";
    const QString macro = "\\skins\\MacroManagementBK.png";
    m_btnAssignmentHeader =
        MakeButton(RectLTRB(20, 107, 262, 127), item, item, item, item, 16, 1, 0);
    m_btnMacroHeader =
        MakeButton(RectLTRB(20, 132, 262, 170), macro, macro, macro, macro, 17, 1, 0);
    m_btnSensitivityHeader =
        MakeButton(RectLTRB(20, 175, 262, 195), item, item, item, item, 18, 1, 0);

    const QString dropN = "\\skins\\ButtonAssignment\\DropdownBox-normal.png";
    const QString dropO = "\\skins\\ButtonAssignment\\DropdownBox-over.png";
    for (int i = 0; i < 12; ++i) {
        QRect rect = AssignmentRowRect(0);
        for (const AssignmentRow& row : g_AssignmentRows)
            if (row.buttonIndex == i)
                rect = AssignmentRowRect(row.row);
        m_btnAssignment[i] = MakeButton(rect, dropN, dropO, dropO, dropN, -1, 1, 0);
        m_btnAssignment[i]->m_nCaptionHeight = 13;
        m_btnAssignment[i]->m_strCaptionFace = QString::fromStdString(UiFaceName());
        m_btnAssignment[i]->m_nCaptionAlign = 1;
        m_btnAssignment[i]->hide();
    }

    const QImage track = Bitmap("\\skins\\XYSensitivity\\1.png");
    const QImage fill = Bitmap("\\skins\\XYSensitivity\\2.png");
    m_markerX = new CDMarker(this);
    m_markerX->Create(QRect(), this, IDC_MARKER_X);
    m_markerY = new CDMarker(this);
    m_markerY->Create(QRect(), this, IDC_MARKER_Y);
    for (CDMarker* marker : {m_markerX, m_markerY}) {
        marker->SetBitmaps(QRect(0, 0, 207, 14), track, fill);
        marker->m_nMin = 1;
        marker->m_nMax = 11;
    }

    // The page column; its pages arrive with the page container.
    m_pPageContainer = new QWidget(this);
    m_pPageContainer->setObjectName("PageContainer");
    m_pPageContainer->setGeometry(735, 32, 260, 561);
    m_pPageContainer->show();

    // Clicks.
    connect(m_btnApply, &QAbstractButton::clicked, this, &CMouseConfigurationDlg::OnApply);
    connect(m_btnCancel, &QAbstractButton::clicked, this, &CMouseConfigurationDlg::OnCancel);
    connect(m_btnReset, &QAbstractButton::clicked, this, &CMouseConfigurationDlg::OnReset);
    connect(m_btnMinimize, &QAbstractButton::clicked, this, &CMouseConfigurationDlg::OnMinimize);
    connect(m_btnClose, &QAbstractButton::clicked, this, &CMouseConfigurationDlg::OnClose);
    connect(m_btnHelp, &QAbstractButton::clicked, this, &CMouseConfigurationDlg::OnHelp);
    connect(m_btnTopView, &QAbstractButton::clicked, this, [this] { ShowView(1); });
    connect(m_btnSideView, &QAbstractButton::clicked, this, [this] { ShowView(2); });
    connect(m_btnBackView, &QAbstractButton::clicked, this, [this] { ShowView(3); });
    connect(m_btnAssignmentHeader, &QAbstractButton::clicked, this,
            &CMouseConfigurationDlg::OnAssignmentHeader);
    connect(m_btnMacroHeader, &QAbstractButton::clicked, this,
            &CMouseConfigurationDlg::OnMacroManagerHeader);
    connect(m_btnSensitivityHeader, &QAbstractButton::clicked, this,
            &CMouseConfigurationDlg::OnSensitivityHeader);
    connect(m_btnConfig, &QAbstractButton::clicked, this, &CMouseConfigurationDlg::OnConfig);
    for (int i = 0; i < 12; ++i)
        connect(m_btnAssignment[i], &QAbstractButton::clicked, this,
                [this, i] { OnAssignmentButton(i); });
}

void CMouseConfigurationDlg::UpdateSensitivityMarkers()
{
    if (!m_markerX)
        return;
    m_markerX->SetPos(g_ProfileRecord.SensitivityX);
    m_markerY->SetPos(g_ProfileRecord.SensitivityY);
}

void CMouseConfigurationDlg::RefreshButtonCaptions()
{
    for (int i = 0; i < 12 && m_btnAssignment[i]; ++i) {
        m_btnAssignment[i]->SetCaption(QString::fromStdString(g_strButtonLabel[i]));
        m_btnAssignment[i]->update();
    }
}

void CMouseConfigurationDlg::StoreButtonLabel(int b)
{
    if (b >= 0 && b < 12 && m_btnAssignment[b])
        g_strButtonLabel[b] = m_btnAssignment[b]->GetCaption().toStdString();
}

void CMouseConfigurationDlg::ClearButtonHighlight()
{
    for (CBitmapBtn* button : m_btnAssignment)
        if (button && button->m_bSelected)
            button->SetSelected(0);
    g_nHighlightedButton = -1;
    update(MOUSE_PICTURE_AREA);
}

void CMouseConfigurationDlg::ShowView(int view)
{
    ClearButtonHighlight();
    m_btnTopView->SetSelected(view == 1 ? 1 : 0);
    m_btnSideView->SetSelected(view == 2 ? 1 : 0);
    m_btnBackView->SetSelected(view == 3 ? 1 : 0);
    if (view == 1)
        ShowAssignmentList(0);
    else if (view == 2)
        ShowAssignmentList(1);
    g_nCurrentView = view;
}

void CMouseConfigurationDlg::ShowAssignmentList(int group)
{
    g_nAssignmentList = group;
    if (!m_bAssignmentCollapsed && g_pConfigDialog == nullptr) {
        setUpdatesEnabled(false);
        for (const AssignmentRow& row : g_AssignmentRows) {
            CBitmapBtn* button = m_btnAssignment[row.buttonIndex];
            if (button)
                button->setVisible(row.list == group);
        }
        setUpdatesEnabled(true);
    }
    update(MOUSE_PICTURE_AREA);
    update(LEFT_PANEL_AREA);
}

void CMouseConfigurationDlg::PlaceMarkers(int top)
{
    m_markerX->SetMarkerRect(RectLTRB(37, top, 245, top + 9));
    m_markerY->SetMarkerRect(RectLTRB(37, top + 60, 245, top + 69));
}

void CMouseConfigurationDlg::SetAssignmentPanel(int collapsed)
{
    if (collapsed != 0 && collapsed != 1) {
        update(LEFT_PANEL_AREA);
        return;
    }
    m_bAssignmentCollapsed = collapsed;
    const int h = g_nAssignmentPanelHeight;
    int bottom = 195;
    if (collapsed) {
        for (CBitmapBtn* button : m_btnAssignment)
            button->hide();
        m_btnMacroHeader->setGeometry(RectLTRB(20, 132, 262, 170));
        m_btnSensitivityHeader->setGeometry(RectLTRB(20, 175, 262, 195));
    } else {
        ShowAssignmentList(g_nAssignmentList);
        m_btnMacroHeader->setGeometry(RectLTRB(20, 132 + h, 262, 170 + h));
        m_btnSensitivityHeader->setGeometry(RectLTRB(20, 175 + h, 262, 195 + h));
        bottom = 195 + h;
    }
    PlaceMarkers(bottom + 40);
    update(LEFT_PANEL_AREA);
}

void CMouseConfigurationDlg::SetSensitivityPanel(int collapsed)
{
    if (collapsed != 0 && collapsed != 1) {
        update(LEFT_PANEL_AREA);
        return;
    }
    m_bSensitivityCollapsed = collapsed;
    if (collapsed) {
        m_markerX->hide();
        m_markerY->hide();
    } else {
        const int top = 195 + 40 + (m_bAssignmentCollapsed ? 0 : g_nAssignmentPanelHeight);
        PlaceMarkers(top);
        if (g_pConfigDialog == nullptr) {
            m_markerX->show();
            m_markerY->show();
        }
    }
    update(LEFT_PANEL_AREA);
    if (isVisible())
        repaint(LEFT_PANEL_AREA);
}

} // namespace zentro
