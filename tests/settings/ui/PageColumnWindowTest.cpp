// The page column in the running main window: edits made at the pages' points reach the mouse
// only with Apply, and the window's refresh path closes and refreshes the column.

#include "support/MainWindowFixture.h"

#include <QDir>
#include <QLineEdit>
#include <QTest>

#include "controls/BitmapBtn.h"
#include "controls/SkinKit.h"
#include "controls/SkinScrollWnd.h"
#include "profile/ApplyProfile.h"
#include "profile/ProfileRecord.h"
#include "settings/PointerSettings.h"
#include "settings/ui/DMarker.h"
#include "settings/ui/DlgAdvance.h"
#include "settings/ui/DlgDPISetting.h"
#include "settings/ui/DlgLighting.h"
#include "settings/ui/DpiSettingLayout.h"
#include "settings/ui/PageColumnState.h"

namespace zentro::test {
namespace {

const QPoint COLUMN(735, 32);

class PageColumnInWindow : public MainWindowFixture {
protected:
    CDlgadvance* Column() const { return m_dlg->findChild<CDlgadvance*>(); }
    QPoint TitleBarPoint(int k) const
    {
        return Column()->TitleBar(k)->mapTo(m_dlg.get(), QPoint(100, 10));
    }
    QPoint PagePoint(int k, QPoint p) const { return Column()->Page(k)->mapTo(m_dlg.get(), p); }
    void OpenAllFromTheBottom()
    {
        for (int k = 7; k >= 1; --k)
            ClickAt(TitleBarPoint(k));
    }
};

} // namespace

TEST_F(PageColumnInWindow, EditsOnEveryPageReachTheMouseOnlyWithApply)
{
    CreateWindow();
    ASSERT_NE(Column(), nullptr);
    OpenAllFromTheBottom();
    ASSERT_EQ(g_nContentHeight, 1035);
    ClearTrace();
    ClearPackets();
    m_pointer.calls.clear();
    m_services.colorChooser.answers = {QColor(10, 20, 30)};

    // DPI: stage 2 typed 2400, stage 4 off, stage 1 recoloured.
    ClickAt(PagePoint(1, DpiLayout::ValueRect(2).center()));
    QLineEdit* edit = Column()->m_pageDPI->m_edits[1];
    edit->clear();
    QTest::keyClicks(edit, "2400");
    QTest::keyClick(edit, Qt::Key_Return);
    ClickAt(PagePoint(1, DpiLayout::SwitchRect(4).center()));
    ClickAt(PagePoint(1, DpiLayout::SwatchRect(1).center()));
    // Lighting: Standard. Polling rate: 1000 Hz.
    ClickAt(PagePoint(2, QPoint(15, 24)));
    ClickAt(PagePoint(3, QPoint(150, 40)));
    // The lower pages: scroll the column to the end with the wheel's rule, then click.
    for (int i = 0; i < 10; ++i)
        Column()->OnVScroll(SB_LINEDOWN, 0);
    ASSERT_EQ(Column()->m_nScrollPos, 474);
    ClickAt(PagePoint(4, QPoint(121 + 60, 91))); // pointer speed 11
    ClickAt(PagePoint(5, QPoint(121 - 60, 91))); // double-click 1
    ClickAt(PagePoint(6, QPoint(10, 55)));       // one screen per notch
    ClickAt(PagePoint(7, QPoint(30, 35)));       // angle snapping on
    Deliver();

    EXPECT_EQ(Trace(), "") << "the pages send nothing";
    EXPECT_TRUE(m_pointer.calls.empty());
    const ProfileRecord edited = g_ProfileRecord;
    EXPECT_EQ(edited.DPIValue[1], 23);
    EXPECT_EQ(edited.DPIEnable[3], 0);
    EXPECT_EQ(edited.DPIColor[0], 10);
    EXPECT_EQ(edited.LightMode, 1);
    EXPECT_EQ(edited.ReportRate, 1);
    EXPECT_EQ(edited.PointerSpeed, 11);
    EXPECT_EQ(edited.DoubleClickSpeed, 1);
    EXPECT_EQ(edited.ScrollOneScreen, 1);
    EXPECT_EQ(edited.AngleSnap, 1);

    ClickAt(APPLY);
    Deliver();
    const std::string trace = Trace();
    EXPECT_NE(trace.find("set-feature 00 01 01 "), std::string::npos) << trace;
    const SimulatedMouseMemory memory = m_mouse.Memory();
    EXPECT_EQ(memory.pollingRate, 1);
    EXPECT_EQ(memory.dpiStages, BuildDpiBlock(edited));
    EXPECT_EQ(memory.dpiStages[1], 23);
    EXPECT_EQ(memory.dpiStages[3] & 0x80, 0x80); // the stage that is off
    EXPECT_EQ(memory.dpiColors, BuildColorBlock(edited));
    EXPECT_EQ(memory.dpiColors[0], 10);
    const auto light = LightingBytes(edited);
    EXPECT_TRUE(std::equal(light.begin(), light.end(), memory.lighting.begin()));
    // The desktop gets the pointer values; the column's wheel now pages.
    const std::vector<CRecordingPointerSettings::Call> expected = {
        {"SetMouse", {0, 0, 0}},
        {"SetMouseSpeed", {20}},
        {"SetWheelScrollLines", {int64_t(WHEEL_PAGESCROLL)}},
        {"SetDoubleClickTime", {900}},
    };
    EXPECT_EQ(m_pointer.calls, expected);
    EXPECT_EQ(CDlgadvance::WheelScrollLines(), WHEEL_PAGESCROLL);
    EXPECT_EQ(std::memcmp(&g_AppliedProfileRecord, &edited, PROFILE_RECORD_SIZE), 0);
}

TEST_F(PageColumnInWindow, ResetClosesTheSectionsAndShowsTheDefaults)
{
    CreateWindow();
    ClickAt(TitleBarPoint(2));
    ClickAt(TitleBarPoint(1));
    ClickAt(PagePoint(2, QPoint(15, 53))); // Respiration
    ASSERT_EQ(g_ProfileRecord.LightMode, 2);
    m_services.messageBox.answers = {MessageBoxAnswer::Ok};
    ClickAt(QPoint(826, 619)); // Reset
    Deliver();
    EXPECT_EQ(g_nContentHeight, 140);
    for (int k = 1; k <= 7; ++k)
        EXPECT_EQ(Column()->m_bSectionCollapsed[k - 1], 1);
    EXPECT_EQ(g_ProfileRecord.LightMode, 3);
    EXPECT_TRUE(Column()->m_pageLighting->m_sliders[2]->isEnabled());
    EXPECT_FALSE(Column()->m_pageLighting->m_sliders[1]->isEnabled());
}

TEST_F(PageColumnInWindow, ClickIntoTheColumnClearsTheButtonHighlight)
{
    CreateWindow();
    g_nHighlightedButton = 3;
    ClickAt(COLUMN + QPoint(120, 400));
    EXPECT_EQ(g_nHighlightedButton, -1);
    g_nHighlightedButton = 3;
    ClickAt(TitleBarPoint(5));
    EXPECT_EQ(g_nHighlightedButton, -1);
}

class PageColumnWindowScreenshots : public MainWindowFixture,
                                    public ::testing::WithParamInterface<const char*> {};

TEST_P(PageColumnWindowScreenshots, SavesTheWindowWithEverySectionOpenAndScrolled)
{
    SetLanguage(GetParam());
    CreateWindow();
    auto* column = m_dlg->findChild<CDlgadvance*>();
    ASSERT_NE(column, nullptr);
    for (int k = 7; k >= 1; --k)
        column->SetSectionCollapsed(k, 0);
    column->OnVScroll(SB_THUMBPOSITION, 200);
    const QImage shot = m_dlg->grab().toImage();
    const QString dir = QStringLiteral(ZENTRO_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    const QString file = dir + "/main-window-pages-" + GetParam() + ".png";
    EXPECT_TRUE(shot.save(file, "PNG")) << file.toStdString();
    EXPECT_EQ(column->TitleBar(6)->GetCaption(), UiText(IDS_SCROLL_SPEED));
}

INSTANTIATE_TEST_SUITE_P(Languages, PageColumnWindowScreenshots,
                         ::testing::Values("EN", "DE", "CHS", "CHT"));

} // namespace zentro::test
