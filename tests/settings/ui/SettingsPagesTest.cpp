// The seven pages, clicked at their points inside the running column: every edit lands in the
// live record, and only there.

#include "support/PageColumnFixture.h"

#include "platform/DebugLog.h"
#include "settings/ui/DMarker.h"
#include "settings/ui/DlgDPISetting.h"
#include "settings/ui/DlgLighting.h"
#include "settings/ui/DlgMouseWheelSpeed.h"
#include "settings/ui/DpiSettingLayout.h"

#include <QLineEdit>

using namespace zentro;
using namespace zentro::test;

namespace {

class SettingsPagesTest : public PageColumnFixture {
protected:
    CDlgDPISetting* Dpi() const { return m_column->m_pageDPI; }
    QLineEdit* Edit(int n) const { return Dpi()->m_edits[n - 1]; }
    // Opens stage n's edit box, types `text` and presses Enter.
    void TypeDpi(int n, const QString& text)
    {
        ClickPage(1, DpiLayout::ValueRect(n).center());
        ASSERT_TRUE(Edit(n)->isVisible());
        Edit(n)->clear();
        QTest::keyClicks(Edit(n), text);
        QTest::keyClick(Edit(n), Qt::Key_Return);
        DeliverPosted();
    }
};

} // namespace

TEST_F(SettingsPagesTest, DpiValueBoxesShowTheTableLabels)
{
    OpenSection(1);
    g_ProfileRecord.DPIValue[6] = 50;
    const char* expected[] = {"500", "1000", "2000", "3000", "4000", "5000", "5200"};
    for (int n = 1; n <= 7; ++n) {
        ClickPage(1, DpiLayout::ValueRect(n).center());
        EXPECT_EQ(Edit(n)->text(), expected[n - 1]) << "stage " << n;
        EXPECT_TRUE(Edit(n)->isVisible());
    }
    EXPECT_EQ(g_nEditingStage, 6);
}

TEST(DpiTypedValues, TurnIntoTheTableEntryAtOrBelow)
{
    const std::pair<const char*, int> cases[] = {
        {"200", 1},   {"5000", 49}, {"5200", 50},  {"6000", 54}, {"250", 1},
        {"1999", 18}, {"5100", 49}, {"5399", 50},  {"5999", 53}, {"100", 1},
        {"", 1},      {"0", 1},     {"99999", 54}, {"12ab", 1},  {"5800", 53},
    };
    for (const auto& [text, index] : cases)
        EXPECT_EQ(CDlgDPISetting::DpiIndexFromText(text), index) << text;
}

TEST_F(SettingsPagesTest, SameNumberTypedIntoTwoStagesSetsBoth)
{
    OpenSection(1);
    TypeDpi(1, "1600");
    EXPECT_EQ(g_ProfileRecord.DPIValue[0], 15);
    EXPECT_FALSE(Edit(1)->isVisible());
    EXPECT_EQ(Dpi()->m_sliders[0]->GetPos(), 15);
    TypeDpi(2, "1600");
    EXPECT_EQ(g_ProfileRecord.DPIValue[1], 15);
    // The click after an Enter commits the same text again: nothing changes.
    g_ProfileRecord.DPIValue[1] = 33;
    ClickPage(1, QPoint(230, 100));
    EXPECT_EQ(g_ProfileRecord.DPIValue[1], 33);
    // After the slider moved the stage, the same number typed again is taken.
    g_ProfileRecord.DPIValue[0] = 15;
    const QRect slider = DpiLayout::SliderRect(1);
    DragAt(OnPage(1, slider.center()), OnPage(1, QPoint(slider.center().x(), slider.top())));
    EXPECT_EQ(g_ProfileRecord.DPIValue[0], 54);
    TypeDpi(1, "1600");
    EXPECT_EQ(g_ProfileRecord.DPIValue[0], 15);
}

TEST_F(SettingsPagesTest, SliderSwitchesAStageOnAndTheSwitchBoxToggles)
{
    OpenSection(1);
    g_ProfileRecord.DPIEnable[2] = 0;
    const QRect slider = DpiLayout::SliderRect(3);
    // Released 85 pixels above the bottom: 1 + 53 * 85 / 170 = 27.
    DragAt(OnPage(1, slider.center()), OnPage(1, QPoint(slider.center().x(), 173 - 85)));
    EXPECT_EQ(g_ProfileRecord.DPIValue[2], 27);
    EXPECT_EQ(g_ProfileRecord.DPIEnable[2], 1);
    ClickPage(1, DpiLayout::SwitchRect(3).center());
    EXPECT_EQ(g_ProfileRecord.DPIEnable[2], 0);
    EXPECT_EQ(g_ProfileRecord.DPIValue[2], 27);
    g_ProfileRecord.DPIEnable[4] = 2; // shown on; a click turns it off
    ClickPage(1, DpiLayout::SwitchRect(5).center());
    EXPECT_EQ(g_ProfileRecord.DPIEnable[4], 0);
}

TEST_F(SettingsPagesTest, SwatchOpensTheChooserOnlyForAStageSwitchedOnExactly)
{
    OpenSection(1);
    const std::array<uint8_t, 21> before = std::to_array(g_ProfileRecord.DPIColor);
    struct Case {
        int stage;
        uint8_t enable;
        std::optional<QColor> answer;
        bool asks;
    };
    const Case cases[] = {
        {2, 0, QColor(1, 2, 3), false},
        {3, 2, QColor(1, 2, 3), false},
        {4, 1, std::nullopt, true}, // cancelled: colour kept
        {5, 1, QColor(10, 20, 30), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stage);
        g_ProfileRecord.DPIEnable[c.stage - 1] = c.enable;
        m_chooser.answers = {c.answer};
        m_chooser.initials.clear();
        ClickPage(1, DpiLayout::SwatchRect(c.stage).center());
        EXPECT_EQ(m_chooser.initials.size(), c.asks ? 1u : 0u);
        const uint8_t* rgb = &g_ProfileRecord.DPIColor[3 * (c.stage - 1)];
        if (c.asks && c.answer) {
            EXPECT_EQ(m_chooser.initials[0], QColor(0, 0, 0));
            EXPECT_EQ(QColor(rgb[0], rgb[1], rgb[2]), *c.answer);
        } else {
            EXPECT_EQ(QColor(rgb[0], rgb[1], rgb[2]),
                      QColor(before[3 * (c.stage - 1)], before[3 * (c.stage - 1) + 1],
                             before[3 * (c.stage - 1) + 2]));
        }
    }
}

TEST_F(SettingsPagesTest, LightingModesAndTheirSliders)
{
    OpenSection(2);
    CDlgLighting* page = m_column->m_pageLighting;
    ASSERT_EQ(g_ProfileRecord.LightMode, 3);
    EXPECT_FALSE(page->m_sliders[0]->isEnabled());
    EXPECT_TRUE(page->m_sliders[2]->isEnabled());
    EXPECT_EQ(page->m_sliders[0]->GetPos(), 2);
    EXPECT_EQ(page->m_sliders[2]->GetPos(), 4);
    ClickPage(2, QPoint(15, 40)); // between two boxes
    EXPECT_EQ(g_ProfileRecord.LightMode, 3);
    ClickPage(2, QPoint(15, 24)); // Standard
    EXPECT_EQ(g_ProfileRecord.LightMode, 1);
    EXPECT_TRUE(page->m_sliders[0]->isEnabled());
    EXPECT_FALSE(page->m_sliders[2]->isEnabled());
    DragAt(OnPage(2, QPoint(150, 23)), OnPage(2, QPoint(100, 23)));
    EXPECT_EQ(g_ProfileRecord.LightParam1, 1);
    EXPECT_EQ(g_ProfileRecord.LightParam3, 4);
    // A disabled slider ignores the pointer.
    DragAt(OnPage(2, QPoint(150, 81)), OnPage(2, QPoint(226, 81)));
    EXPECT_EQ(g_ProfileRecord.LightParam3, 4);
}

TEST_F(SettingsPagesTest, LightingParametersOutOfRangeShowAtTheNearestEnd)
{
    const struct {
        uint8_t param;
        int shown;
    } cases[] = {{0, 1}, {3, 3}, {7, 6}, {0xFF, 6}};
    OpenSection(2);
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.param));
        ProfileRecord replaced = g_ProfileRecord;
        replaced.LightParam1 = replaced.LightParam2 = replaced.LightParam3 = c.param;
        g_ProfileRecord = replaced;
        m_part.OnRecordReplaced();
        for (CDMarker* slider : m_column->m_pageLighting->m_sliders)
            EXPECT_EQ(slider->GetPos(), c.shown);
        EXPECT_EQ(g_ProfileRecord.LightParam2, c.param) << "shown, not rewritten";
    }
}

TEST_F(SettingsPagesTest, PollingRateDialQuarters)
{
    OpenSection(3);
    struct Case {
        QPoint point;
        uint8_t expected;
    };
    const Case cases[] = {
        {{150, 40}, 1},           {{150, 90}, 2}, {{90, 90}, 4}, {{90, 40}, 8},
        {{121, 66}, 8},           // the centre
        {{121, 20}, 8},           // on the vertical axis
        {{170, 66}, 8},           // on the horizontal axis
        {{121 + 20, 66 + 20}, 8}, // inside the ring
    };
    for (const Case& c : cases) {
        ClickPage(3, c.point);
        EXPECT_EQ(g_ProfileRecord.ReportRate, c.expected) << c.point.x() << "," << c.point.y();
    }
}

TEST_F(SettingsPagesTest, PollingRateOfZeroIsRepairedWhenThePageShows)
{
    g_ProfileRecord.ReportRate = 0;
    OpenSection(3);
    m_column->Page(3)->grab();
    EXPECT_EQ(g_ProfileRecord.ReportRate, 2);
}

TEST_F(SettingsPagesTest, HalfDialsSetPointerAndDoubleClickLevels)
{
    struct Case {
        QPoint point;
        uint8_t before;
        uint8_t expected;
    };
    const Case cases[] = {
        {{121 + 60, 91}, 6, 11},                        // right end
        {{121, 31}, 6, 7},                              // straight above
        {{121 - 60, 91}, 6, 1},                         // left end: 180 counts as 185
        {{121 - 60, 90}, 6, 1},                         // 179 degrees
        {{121 + 42, 91 - 42}, 6, 9},                    // 45 degrees: 12 - 2.5
        {{121, 95}, 6, 6},                              // below the centre: nothing at all
        {{121, 95}, 0, 0},           {{121, 80}, 6, 6}, // inside the inner circle: kept
        {{121, 80}, 0, 1},                              // ... but limited
        {{121, 80}, 200, 11},
    };
    for (int k : {4, 5}) {
        OpenSection(k);
        uint8_t& field = k == 4 ? g_ProfileRecord.PointerSpeed : g_ProfileRecord.DoubleClickSpeed;
        for (const Case& c : cases) {
            field = c.before;
            ClickPage(k, c.point);
            EXPECT_EQ(field, c.expected)
                << "page " << k << " at " << c.point.x() << "," << c.point.y();
        }
    }
}

TEST_F(SettingsPagesTest, DoubleClickDialWritesItsAngle)
{
    OpenSection(5);
    CDebugLogCapture log;
    ClickPage(5, QPoint(121, 31));
    EXPECT_EQ(log.Text(), "angle/18:angle=90.000000,angle/18=5\n");
    log.Clear();
    ClickPage(5, QPoint(121, 80));
    OpenSection(4);
    ClickPage(4, QPoint(121, 31));
    EXPECT_EQ(log.Text(), "");
}

TEST_F(SettingsPagesTest, WheelLinesArrowsOptionsAndTyping)
{
    OpenSection(6);
    CDlgMouseWheelSpeed* page = m_column->m_pageWheel;
    ASSERT_EQ(g_ProfileRecord.ScrollOneScreen, 0);
    ASSERT_EQ(g_ProfileRecord.WheelLines, 3);
    EXPECT_EQ(page->m_editLines->text(), "3");
    ClickPage(6, QPoint(195, 17));
    EXPECT_EQ(g_ProfileRecord.WheelLines, 4);
    EXPECT_EQ(page->m_editLines->text(), "4");
    ClickPage(6, QPoint(195, 26));
    ClickPage(6, QPoint(195, 26));
    EXPECT_EQ(g_ProfileRecord.WheelLines, 2);

    ClickPage(6, QPoint(10, 55)); // one screen per notch
    EXPECT_EQ(g_ProfileRecord.ScrollOneScreen, 1);
    EXPECT_FALSE(page->m_editLines->isEnabled());
    ClickPage(6, QPoint(195, 17)); // arrows do nothing now
    EXPECT_EQ(g_ProfileRecord.WheelLines, 2);
    page->LoadFromRecord();
    EXPECT_EQ(page->m_editLines->text(), "0"); // display only
    EXPECT_EQ(g_ProfileRecord.WheelLines, 2);
    ClickPage(6, QPoint(10, 22)); // back to lines: the previous count
    EXPECT_EQ(g_ProfileRecord.ScrollOneScreen, 0);
    EXPECT_EQ(page->m_editLines->text(), "2");

    page->m_editLines->selectAll();
    QTest::keyClicks(page->m_editLines, "150");
    EXPECT_EQ(page->m_editLines->text(), "1");
    EXPECT_EQ(g_ProfileRecord.WheelLines, 1);
    page->m_editLines->selectAll();
    QTest::keyClicks(page->m_editLines, "42");
    EXPECT_EQ(g_ProfileRecord.WheelLines, 42);
    for (int i = 0; i < 70; ++i)
        ClickPage(6, QPoint(195, 17));
    EXPECT_EQ(g_ProfileRecord.WheelLines, 100);
}

TEST_F(SettingsPagesTest, AngleSnappingOnAndOff)
{
    OpenSection(7);
    g_ProfileRecord.AngleSnapLevel = 77;
    ClickPage(7, QPoint(30, 35));
    EXPECT_EQ(g_ProfileRecord.AngleSnap, 1);
    ClickPage(7, QPoint(100, 35));
    EXPECT_EQ(g_ProfileRecord.AngleSnap, 1);
    ClickPage(7, QPoint(145, 35));
    EXPECT_EQ(g_ProfileRecord.AngleSnap, 0);
    EXPECT_EQ(g_ProfileRecord.AngleSnapLevel, 77);
}

TEST_F(SettingsPagesTest, RefreshShowsAReplacedRecord)
{
    OpenSection(1);
    ClickPage(1, DpiLayout::ValueRect(2).center());
    ProfileRecord replaced = g_ProfileRecord;
    replaced.DPIValue[0] = 30;
    replaced.LightMode = 2;
    replaced.ScrollOneScreen = 1;
    g_ProfileRecord = replaced;
    m_part.OnRecordReplaced();
    EXPECT_EQ(Dpi()->m_sliders[0]->GetPos(), 30);
    EXPECT_FALSE(Edit(2)->isVisible());
    EXPECT_TRUE(m_column->m_pageLighting->m_sliders[1]->isEnabled());
    EXPECT_FALSE(m_column->m_pageWheel->m_editLines->isEnabled());
    EXPECT_EQ(m_column->m_bSectionCollapsed[0], 0); // stays open: only a restore closes
    m_part.OnRestore();
    EXPECT_EQ(m_column->m_bSectionCollapsed[0], 1);
}
