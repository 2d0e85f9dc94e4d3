// Controls of the main window's frame, their places, the views, and the parts.

#include "app/MouseConfigurationDlg.h"

#include "controls/MainWindowLayout.h"
#include "controls/BitmapBtn.h"
#include "controls/SkinImage.h"
#include "controls/SkinKit.h"
#include "text/LanguageTexts.h"

namespace zentro {

void CMouseConfigurationDlg::AddPart(std::unique_ptr<IMainWindowPart> part)
{
    if (part)
        m_parts.push_back(std::move(part));
}

void CMouseConfigurationDlg::LoadSkin()
{
    // On a high-density screen the largest pictures of the first paint are decoded beside
    // this thread while the window is built; the background is decoded here meanwhile, for
    // the screen's ratio only.
    const qreal ratio = devicePixelRatioF();
    PrefetchSkinPictures({"Skins/BK_MainMid.png", "Skins/Mouse/Front/MouseFront.png",
                          "Skins/BK_MainLeft.png", "Skins/BK_MainRight.png"},
                         ratio);
    m_imgSkin = LoadSkinPicture("/skins/main.png", ratio);
    m_sizeSkin = m_imgSkin.deviceIndependentSize().toSize();
    setFixedSize(m_sizeSkin.isEmpty() ? QSize(1, 1) : m_sizeSkin);
    // The transfer bar is drawn with the sensitivity track's pictures, as plain bitmaps.
    m_bmpTransferTrack = SkinBitmap("\\skins\\XYSensitivity\\1.png");
    m_bmpTransferFill = SkinBitmap("\\skins\\XYSensitivity\\2.png");
}

void CMouseConfigurationDlg::CreateControls()
{
    using namespace MainLayout;
    const QString cancelN = "\\skins\\button-cancel-normal.png";
    const QString cancelO = "\\skins\\button-cancel-over.png";
    const QString cancelL = "\\skins\\button-cancel-leave.png";
    const QString saveL = "\\skins\\button-save-leave.png";
    auto make = [this](const QRect& rect, const QString& n, const QString& o, const QString& l,
                       const QString& d, int caption, int align, int indent) {
        return CBitmapBtn::CreateSkinned(this, rect, n, o, l, d, caption, align, indent);
    };
    m_btnReset = make(RESET, cancelN, cancelO, cancelL, saveL, IDS_RESET, 0, 0);
    m_btnCancel = make(CANCEL, cancelN, cancelO, cancelL, saveL, IDS_CANCEL, 0, 0);
    m_btnApply = make(APPLY, cancelN, cancelO, cancelL, saveL, IDS_APPLY, 0, 0);

    auto small = [&make](const QRect& rect, const QString& stem) {
        const QString n = "\\skins\\" + stem + "-normal.png";
        return make(rect, n, "\\skins\\" + stem + "-over.png", n, n, -1, 0, 0);
    };
    m_btnClose = small(CLOSE, "button-close");
    m_btnMinimize = small(MINIMIZE, "button-min");
    m_btnHelp = small(HELP, "button-help");
    // They show no text: a screen reader reads what they do.
    m_btnClose->setAccessibleName(QString::fromStdString(ProgramText(IDP_CLOSE)));
    m_btnMinimize->setAccessibleName(QString::fromStdString(ProgramText(IDP_MINIMIZE)));
    m_btnHelp->setAccessibleName(QString::fromStdString(ProgramText(IDP_HELP)));

    const QString configN = "\\skins\\button-config-normal.png";
    m_btnConfig = make(CONFIG, configN, "\\skins\\button-config-over.png", configN, configN,
                       IDS_CONFIG, 1, 20);

    const QString mouseN = "\\skins\\button-mouse-normal.png";
    const QString mouseO = "\\skins\\button-mouse-over.png";
    const QString mouseL = "\\skins\\button-mouse-leave.png";
    m_btnTopView = make(TOP_VIEW, mouseN, mouseO, mouseL, mouseN, IDS_TOP_VIEW, 0, 0);
    m_btnSideView = make(SIDE_VIEW, mouseN, mouseO, mouseL, mouseN, IDS_SIDE_VIEW, 0, 0);
    m_btnBackView = make(BACK_VIEW, mouseN, mouseO, mouseL, mouseN, IDS_BACK_VIEW, 0, 0);
    m_btnBackView->hide();

    // Clicks.
    connect(m_btnApply, &QAbstractButton::clicked, this, &CMouseConfigurationDlg::OnApply);
    connect(m_btnCancel, &QAbstractButton::clicked, this, &CMouseConfigurationDlg::OnCancel);
    connect(m_btnReset, &QAbstractButton::clicked, this, &CMouseConfigurationDlg::OnReset);
    connect(m_btnMinimize, &QAbstractButton::clicked, this, &CMouseConfigurationDlg::OnMinimize);
    connect(m_btnClose, &QAbstractButton::clicked, this, &CMouseConfigurationDlg::OnClose);
    connect(m_btnHelp, &QAbstractButton::clicked, this, &CMouseConfigurationDlg::OnHelp);
    connect(m_btnTopView, &QAbstractButton::clicked, this, [this] { ShowView(VIEW_TOP); });
    connect(m_btnSideView, &QAbstractButton::clicked, this, [this] { ShowView(VIEW_SIDE); });
    connect(m_btnBackView, &QAbstractButton::clicked, this, [this] { ShowView(VIEW_BACK); });
    connect(m_btnConfig, &QAbstractButton::clicked, this, &CMouseConfigurationDlg::OnConfig);

    for (const auto& part : m_parts)
        part->CreateControls(*this, m_services.ui);
}

CBitmapBtn* CMouseConfigurationDlg::Button(FrameButton which) const
{
    switch (which) {
    case FrameButton::Reset:
        return m_btnReset;
    case FrameButton::Cancel:
        return m_btnCancel;
    case FrameButton::Apply:
        return m_btnApply;
    case FrameButton::Close:
        return m_btnClose;
    case FrameButton::Minimize:
        return m_btnMinimize;
    case FrameButton::Help:
        return m_btnHelp;
    case FrameButton::Config:
        return m_btnConfig;
    case FrameButton::TopView:
        return m_btnTopView;
    case FrameButton::SideView:
        return m_btnSideView;
    case FrameButton::BackView:
        return m_btnBackView;
    }
    return nullptr;
}

void CMouseConfigurationDlg::SetLeftColumnShift(int shift)
{
    for (const auto& part : m_parts)
        part->OnLeftColumnMoved(shift);
    update(MainLayout::LEFT_PANEL_AREA);
}

void CMouseConfigurationDlg::SetLeftColumnCovered(bool covered)
{
    m_bLeftColumnCovered = covered;
    for (const auto& part : m_parts)
        part->OnLeftColumnCovered(covered);
    update(MainLayout::LEFT_PANEL_AREA);
}

void CMouseConfigurationDlg::RefreshFromRecord(bool collapse)
{
    if (collapse)
        for (const auto& part : m_parts)
            part->OnRestore();
    for (const auto& part : m_parts)
        part->OnRecordReplaced();
    update();
}

void CMouseConfigurationDlg::ClearButtonHighlight()
{
    for (const auto& part : m_parts)
        part->OnClearHighlight();
    update(MainLayout::MOUSE_PICTURE_AREA);
}

void CMouseConfigurationDlg::ShowView(int view)
{
    ClearButtonHighlight();
    m_btnTopView->SetSelected(view == VIEW_TOP ? 1 : 0);
    m_btnSideView->SetSelected(view == VIEW_SIDE ? 1 : 0);
    m_btnBackView->SetSelected(view == VIEW_BACK ? 1 : 0);
    for (const auto& part : m_parts)
        part->OnViewChanged(view);
    g_nCurrentView = view;
    update(MainLayout::MOUSE_PICTURE_AREA);
}

} // namespace zentro
