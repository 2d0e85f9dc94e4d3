// The page column: sections opening and closing, scrolling by bar and wheel, clicks that clear
// the main window's highlight, and screenshots of the column in each language.

#include "controls/MainWindowPart.h"
#include "support/PageColumnFixture.h"

#include "settings/ui/DlgAdvanceLayout.h"

#include <QDir>
#include <QWheelEvent>

using namespace zentro;
using namespace zentro::test;

namespace {

class PageColumnTest : public PageColumnFixture {
protected:
    // A wheel turn over the column. (Over a page the window system's event reaches the
    // column by Qt's propagation; a synthesized one does not propagate, so it goes straight
    // to the column.)
    void Wheel(int delta)
    {
        const QPoint at(120, 300);
        QWheelEvent event(QPointF(at), QPointF(m_column->mapToGlobal(at)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_column, &event);
    }
};

} // namespace

TEST_F(PageColumnTest, StartsWithSevenClosedTitleBarsAndNothingToScroll)
{
    EXPECT_EQ(g_nContentHeight, 140);
    for (int k = 1; k <= 7; ++k) {
        EXPECT_EQ(m_column->TitleBar(k)->geometry(), AdvanceLayout::TitleBarRect(k));
        EXPECT_EQ(m_column->TitleBar(k)->GetCaption(), UiText(18 + k));
        EXPECT_FALSE(m_column->Page(k)->isVisible());
    }
    EXPECT_EQ(m_column->TitleBar(7)->geometry(), RectLTRB(0, 152, 242, 172));
    EXPECT_EQ(m_column->Page(1)->size(), QSize(242, 232));
    EXPECT_EQ(m_column->Page(6)->size(), QSize(242, 70));
    EXPECT_EQ(m_column->TitleBar(1)->GetCaption(), "DPI Setting");

    // The bar shows a range barely larger than its page; it moves nothing.
    CSkinScrollBar* bar = m_part.Frame()->m_sbVert;
    EXPECT_EQ(bar->GetScrollInfo().nMax, 562);
    EXPECT_EQ(bar->GetScrollInfo().nPage, 561);
    EXPECT_EQ(m_part.Frame()->geometry(), QRect(735, 32, 260, 561));
    EXPECT_EQ(bar->geometry(), QRect(247, 0, 13, 561));
    m_column->OnVScroll(SB_LINEDOWN, 0);
    m_column->OnVScroll(SB_PAGEDOWN, 0);
    m_column->OnVScroll(SB_THUMBPOSITION, 1);
    Wheel(-120);
    EXPECT_EQ(m_column->m_nScrollPos, 0);
    EXPECT_EQ(BarTop(1), 2);
}

TEST_F(PageColumnTest, OpeningASectionMovesTheBarsBelowAndClosingPutsThemBack)
{
    ClickTitleBar(1);
    EXPECT_TRUE(m_column->Page(1)->isVisible());
    EXPECT_EQ(m_column->Page(1)->geometry(), QRect(0, 22, 242, 232));
    EXPECT_EQ(BarTop(2), 22 + 232 + 5);
    EXPECT_EQ(BarTop(7), 259 + 5 * 25);
    EXPECT_EQ(g_nContentHeight, 140 + 242);
    EXPECT_EQ(m_column->TitleBar(2)->geometry(), RectLTRB(0, 259, 242, 279));
    ClickTitleBar(1);
    EXPECT_FALSE(m_column->Page(1)->isVisible());
    for (int k = 2; k <= 7; ++k)
        EXPECT_EQ(BarTop(k), 2 + 25 * (k - 1));
    EXPECT_EQ(g_nContentHeight, 140);
}

TEST_F(PageColumnTest, SectionOpenedUnderAnOpenSectionLeavesTheOnesAboveInPlace)
{
    ClickTitleBar(2);
    EXPECT_EQ(m_column->Page(2)->pos(), QPoint(0, 47));
    EXPECT_EQ(BarTop(3), 47 + 112 + 5);
    ClickTitleBar(3);
    EXPECT_EQ(BarTop(1), 2);
    EXPECT_EQ(BarTop(2), 27);
    EXPECT_EQ(m_column->Page(2)->pos(), QPoint(0, 47));
    EXPECT_EQ(m_column->Page(3)->pos(), QPoint(0, 184));
    EXPECT_EQ(BarTop(4), 184 + 133 + 5);
    EXPECT_EQ(BarTop(5), 322 + 25);
    // Closing the upper one carries the open one below along.
    ClickTitleBar(2);
    EXPECT_EQ(BarTop(3), 52);
    EXPECT_EQ(m_column->Page(3)->pos(), QPoint(0, 72));
}

TEST_F(PageColumnTest, WheelNotchesScrollByTheLinesTheProgramApplied)
{
    OpenAll();
    ASSERT_EQ(g_nContentHeight, 1035);
    struct Case {
        uint32_t applied; // what ApplyWindowsPointerSettings handed the desktop last
        int lines;        // Qt's wheel setting, which the window sets from the same value
        std::vector<int> deltas;
        int expected;
    };
    const Case cases[] = {
        // The applied count wins over Qt's; Qt's is read only while nothing is applied.
        {3, 10, {-120}, 60},
        {10, 1, {-120}, 180},
        {3, 10, {-240}, 120},   // two notches: 6 lines, 2 steps
        {1, 10, {-120}, 60},    // fewer than 6 lines: always one step
        {3, 1, {-60, -60}, 60}, // half notches add up to one
        {3, 10, {-60}, 0},
        {3, 10, {0}, 0},                    // a sideways turn does not scroll down
        {WHEEL_PAGESCROLL, 3, {-120}, 474}, // one page (561), stopped at the end
        {0, 10, {-120}, 180},               // nothing applied yet: Qt's setting
        {0, 3, {-120}, 60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "applied " << c.applied << " first " << c.deltas[0]);
        m_column->OnVScroll(SB_THUMBPOSITION, 0);
        g_uAppliedWheelScrollLines = c.applied;
        QApplication::setWheelScrollLines(c.lines);
        for (int delta : c.deltas)
            Wheel(delta);
        EXPECT_EQ(m_column->m_nScrollPos, c.expected);
        EXPECT_EQ(BarTop(1), 2 - c.expected);
        EXPECT_EQ(m_part.Frame()->m_sbVert->GetScrollInfo().nPos, c.expected);
        Wheel(120 * 20);
    }
    QApplication::setWheelScrollLines(3);
}

TEST_F(PageColumnTest, ScrollingStopsAtBothEnds)
{
    OpenAll();
    EXPECT_EQ(m_column->m_cyScrollExtent, 1035);
    EXPECT_EQ(m_column->m_nVisibleHeight, 561);
    m_column->OnVScroll(SB_LINEUP, 0);
    EXPECT_EQ(m_column->m_nScrollPos, 0);
    for (int i = 0; i < 20; ++i)
        m_column->OnVScroll(SB_LINEDOWN, 0);
    EXPECT_EQ(m_column->m_nScrollPos, 1035 - 561);
    EXPECT_EQ(BarTop(7), 919 - 474); // 919 unscrolled, below six open pages
    m_column->OnVScroll(SB_PAGEUP, 0);
    EXPECT_EQ(m_column->m_nScrollPos, 0); // a page up from 474 stops at the top
    m_column->OnVScroll(SB_THUMBTRACK, 300);
    EXPECT_EQ(m_column->m_nScrollPos, 300);
    m_column->OnVScroll(SB_THUMBPOSITION, 5000);
    EXPECT_EQ(m_column->m_nScrollPos, 474);
    m_column->OnVScroll(SB_ENDSCROLL, 0);
    EXPECT_EQ(m_column->m_nScrollPos, 474);
}

TEST_F(PageColumnTest, ScrollBarArrowScrollsTheColumn)
{
    OpenAll();
    CSkinScrollBar* bar = m_part.Frame()->m_sbVert;
    EXPECT_TRUE(bar->isEnabled());
    ClickAt(bar->mapTo(&m_host, QPoint(6, 555)));
    EXPECT_EQ(m_column->m_nScrollPos, 60);
    EXPECT_EQ(bar->GetScrollInfo().nPos, 60);
    EXPECT_EQ(BarTop(1), 2 - 60);
    // Closing everything brings the content back into view.
    m_part.OnRestore();
    EXPECT_EQ(g_nContentHeight, 140);
    EXPECT_LE(m_column->m_nScrollPos, 1);
    for (int k = 1; k <= 7; ++k)
        EXPECT_EQ(m_column->m_bSectionCollapsed[k - 1], 1);
}

TEST_F(PageColumnTest, ClicksOnTheBackgroundAndTitleBarsClearTheWindowsHighlight)
{
    ClickTitleBar(4);
    EXPECT_EQ(m_host.Of(WM_CLEAR_HIGHLIGHT).size(), 1u);
    m_host.messages.clear();
    ClickAt(m_column->mapTo(&m_host, QPoint(120, 500)));
    EXPECT_EQ(m_host.Of(WM_CLEAR_HIGHLIGHT).size(), 1u);
    m_host.messages.clear();
    ClickPage(4, QPoint(200, 100)); // inside a page: the page's own click
    EXPECT_TRUE(m_host.Of(WM_CLEAR_HIGHLIGHT).empty());
}

TEST_F(PageColumnTest, KeysThatCloseOrHelpAreSwallowedInTheColumnAndItsPages)
{
    OpenSection(6);
    for (QWidget* target : {static_cast<QWidget*>(m_column), static_cast<QWidget*>(m_column->Page(6))}) {
        for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space, Qt::Key_F1}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            press.ignore();
            QApplication::sendEvent(target, &press);
            EXPECT_TRUE(press.isAccepted()) << key;
        }
        QKeyEvent other(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
        other.ignore();
        QApplication::sendEvent(target, &other);
        EXPECT_FALSE(other.isAccepted());
    }
}

namespace {

class PageColumnScreenshots : public PageColumnFixture,
                              public ::testing::WithParamInterface<const char*> {
protected:
    std::string Language() const override { return GetParam(); }
};

} // namespace

TEST_P(PageColumnScreenshots, SavesTheColumnWithEverySectionOpen)
{
    OpenAll();
    const QString dir = QStringLiteral(ZENTRO_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    for (int pos : {0, 474}) {
        m_column->OnVScroll(SB_THUMBPOSITION, pos);
        const QImage shot = m_part.Frame()->grab().toImage();
        ASSERT_EQ(shot.size(), QSize(260, 561));
        // The column is drawn: the background picture shows where no section covers it.
        const QString file =
            dir + QString("/page-column-%1-%2.png").arg(GetParam()).arg(pos == 0 ? "top" : "end");
        EXPECT_TRUE(shot.save(file, "PNG")) << file.toStdString();
    }
    // Stage 3's value box opened for typing.
    m_column->OnVScroll(SB_THUMBPOSITION, 0);
    ClickPage(1, QPoint(80, 187));
    const QString edit = dir + QString("/page-column-%1-dpi-edit.png").arg(GetParam());
    EXPECT_TRUE(m_part.Frame()->grab(QRect(0, 0, 260, 260)).save(edit, "PNG"));
    EXPECT_EQ(g_nEditingStage, 2);
    EXPECT_EQ(m_column->TitleBar(3)->GetCaption(), UiText(21));
    EXPECT_FALSE(UiText(21).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Languages, PageColumnScreenshots,
                         ::testing::Values("EN", "DE", "CHS", "CHT"));
