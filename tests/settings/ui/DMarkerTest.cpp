#include "support/GuiTestSupport.h"

#include "settings/ui/DMarker.h"

#include <QTest>

using namespace zentro;
using namespace zentro::test;

namespace {

constexpr QRgb kTrack = qRgb(30, 30, 30);
constexpr QRgb kFill = qRgb(0, 200, 255);

QRgb PixelOf(QWidget* widget, int x, int y)
{
    return widget->grab().toImage().pixel(x, y) | 0xFF000000u;
}

// Presses inside the slider and releases at `release` (window coordinates); returns what the
// parent was told.
std::vector<RecordedMessage> PressAndRelease(CMessageRecorder& parent, QPoint press, QPoint release)
{
    DeliverPosted();
    parent.messages.clear();
    QTest::mousePress(parent.windowHandle(), Qt::LeftButton, Qt::NoModifier, press);
    QTest::mouseRelease(parent.windowHandle(), Qt::LeftButton, Qt::NoModifier, release);
    DeliverPosted();
    return parent.Of(WM_MARKER_CHANGED);
}

} // namespace

// DPI-stage slider: vertical, range 1-54, 7 x 170 at 50, 20.
class VerticalMarkerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_parent.ShowActive();
        m_marker = new CDMarkerV();
        m_marker->Create(RectLTRB(50, 20, 57, 190), &m_parent, 3);
        m_marker->m_nMin = 1;
        m_marker->m_nMax = 54;
        m_marker->SetBitmaps(QRect(0, 0, 7, 175), SolidImage(7, 175, kTrack),
                             SolidImage(7, 175, kFill));
    }
    CMessageRecorder m_parent;
    CDMarkerV* m_marker = nullptr;
};

TEST_F(VerticalMarkerTest, ReleaseReportsPositionFromThePointer)
{
    struct Case {
        int releaseY; // window coordinates
        int expected;
    };
    const Case cases[] = {
        {20, 54},       // top edge
        {0, 54},        // above the slider
        {190 - 85, 27}, // 1 + 53 * 85 / 170
        {189, 1},       // bottom row
        {250, 1},       // below the slider
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.releaseY);
        const auto reports = PressAndRelease(m_parent, QPoint(53, 100), QPoint(53, c.releaseY));
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].wParam, static_cast<uintptr_t>(c.expected));
        EXPECT_EQ(reports[0].lParam, 3);
        EXPECT_EQ(m_marker->m_nPos, c.expected);
    }
}

TEST_F(VerticalMarkerTest, BarGrowsFromTheBottom)
{
    m_marker->SetPos(27); // f = 170 * 26 / 52 = 85
    EXPECT_EQ(m_marker->FillExtent(), 85);
    EXPECT_EQ(PixelOf(m_marker, 3, 169), kFill);
    EXPECT_EQ(PixelOf(m_marker, 3, 170 - 85), kFill);
    EXPECT_EQ(PixelOf(m_marker, 3, 170 - 86), kTrack);

    m_marker->SetPos(1);
    EXPECT_EQ(PixelOf(m_marker, 3, 169), kTrack);

    m_marker->SetPos(54); // beyond the slider: cut off, full bar
    EXPECT_EQ(PixelOf(m_marker, 3, 0), kFill);
}

TEST_F(VerticalMarkerTest, OutOfRangePositionBecomesTheMinimumWithoutReport)
{
    m_marker->SetPos(0);
    EXPECT_EQ(m_marker->m_nPos, 1);
    m_marker->SetPos(55);
    EXPECT_EQ(m_marker->m_nPos, 1);
    m_marker->SetPos(54);
    EXPECT_EQ(m_marker->m_nPos, 54);
    DeliverPosted();
    EXPECT_TRUE(m_parent.Of(WM_MARKER_CHANGED).empty());
}

TEST_F(VerticalMarkerTest, DragFollowsThePointerButReportsOnlyOnRelease)
{
    QWindow* window = m_parent.windowHandle();
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, QPoint(53, 185));
    EXPECT_EQ(m_marker->m_nPos, 0); // the press itself does not move it
    EXPECT_EQ(m_marker->m_bTracking, 1);

    QTest::mouseMove(window, QPoint(53, 105));
    EXPECT_EQ(m_marker->m_nPos, 27);
    EXPECT_EQ(PixelOf(m_marker, 3, 170 - 85), kFill);
    QTest::mouseMove(window, QPoint(53, 20));
    EXPECT_EQ(m_marker->m_nPos, 54);
    DeliverPosted();
    EXPECT_TRUE(m_parent.Of(WM_MARKER_CHANGED).empty());

    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, QPoint(53, 105));
    EXPECT_EQ(m_marker->m_bTracking, 0);
    DeliverPosted();
    const auto reports = m_parent.Of(WM_MARKER_CHANGED);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].wParam, 27u);
}

TEST_F(VerticalMarkerTest, LosingFocusEndsTheDragWithoutReport)
{
    m_marker->setFocus();
    QTest::mousePress(m_parent.windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(53, 100));
    ASSERT_EQ(m_marker->m_bTracking, 1);
    m_marker->clearFocus();
    EXPECT_EQ(m_marker->m_bTracking, 0);
    QTest::mouseMove(m_parent.windowHandle(), QPoint(53, 20));
    EXPECT_EQ(m_marker->m_nPos, 0);
    DeliverPosted();
    EXPECT_TRUE(m_parent.Of(WM_MARKER_CHANGED).empty());
    QTest::mouseRelease(m_parent.windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(53, 20));
}

TEST_F(VerticalMarkerTest, WithoutTheInputFlagAPressDoesNotTrackButTheReleaseStillReports)
{
    m_marker->m_bInputEnabled = 0;
    QWindow* window = m_parent.windowHandle();
    DeliverPosted();
    m_parent.messages.clear();
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, QPoint(53, 185));
    EXPECT_EQ(m_marker->m_bTracking, 0);
    QTest::mouseMove(window, QPoint(53, 20));
    EXPECT_EQ(m_marker->m_nPos, 0); // no drag without tracking
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, QPoint(53, 105));
    DeliverPosted();
    const auto reports = m_parent.Of(WM_MARKER_CHANGED);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].wParam, 27u);
    EXPECT_EQ(reports[0].lParam, 3);
}

// Lighting slider: horizontal, range 1-6, 127 x 11 at 30, 40.
class HorizontalMarkerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_parent.ShowActive();
        m_marker = new CDMarker();
        m_marker->Create(RectLTRB(30, 40, 157, 51), &m_parent, 1042);
        m_marker->m_nMin = 1;
        m_marker->m_nMax = 6;
        m_marker->SetBitmaps(QRect(0, 0, 128, 11), SolidImage(128, 11, kTrack),
                             SolidImage(128, 11, kFill));
    }
    CMessageRecorder m_parent;
    CDMarker* m_marker = nullptr;
};

TEST_F(HorizontalMarkerTest, ReleaseReportsPositionFromThePointer)
{
    struct Case {
        int releaseX; // window coordinates
        int expected;
    };
    const Case cases[] = {
        {30, 1},  // left edge
        {5, 1},   // left of the slider
        {156, 5}, // last pixel: 5 * 126 / 127 + 1
        {157, 6}, // right edge
        {300, 6}, // beyond it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.releaseX);
        const auto reports = PressAndRelease(m_parent, QPoint(90, 45), QPoint(c.releaseX, 45));
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].wParam, static_cast<uintptr_t>(c.expected));
        EXPECT_EQ(reports[0].lParam, 1042);
    }
}

TEST_F(HorizontalMarkerTest, FillUsesTheDivisorOneBelowTheRange)
{
    m_marker->SetPos(5); // 127 * 4 / 4: full one position below the maximum
    EXPECT_EQ(m_marker->FillExtent(), 127);
    EXPECT_EQ(PixelOf(m_marker, 126, 5), kFill);

    m_marker->SetPos(3); // 127 * 2 / 4 = 63
    EXPECT_EQ(PixelOf(m_marker, 62, 5), kFill);
    EXPECT_EQ(PixelOf(m_marker, 63, 5), kTrack);

    m_marker->SetPos(6); // 158 columns: cut off at the edge
    EXPECT_EQ(PixelOf(m_marker, 126, 5), kFill);
}

TEST_F(HorizontalMarkerTest, DisabledSliderIgnoresTheMouseButStillPaints)
{
    m_marker->SetPos(3);
    m_marker->setEnabled(false);
    const auto reports = PressAndRelease(m_parent, QPoint(90, 45), QPoint(150, 45));
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(m_marker->m_nPos, 3);
    EXPECT_EQ(PixelOf(m_marker, 62, 5), kFill);
}

TEST(MarkerFill, ShortRangesDoNotDivideByZero)
{
    EXPECT_EQ(CMarkerSlider::ComputeFill(100, 0, 0, 1), 0);
    EXPECT_EQ(CMarkerSlider::ComputeFill(100, 1, 0, 1), 100);
    EXPECT_EQ(CMarkerSlider::ComputeFill(100, 0, 0, 0), 0);
    EXPECT_EQ(CMarkerSlider::ComputeFill(170, 54, 1, 54), 173);
}

TEST(MarkerCreate, ResetsRangeAndPosition)
{
    CMessageRecorder parent;
    CDMarker marker;
    marker.m_nMin = 4;
    marker.m_nPos = 9;
    marker.Create(RectLTRB(1, 2, 11, 12), &parent, 2025);
    EXPECT_EQ(marker.m_nMin, 0);
    EXPECT_EQ(marker.m_nMax, 10);
    EXPECT_EQ(marker.m_nPos, 0);
    EXPECT_EQ(marker.m_nID, 2025);
    EXPECT_EQ(marker.m_rcMarker, QRect(1, 2, 10, 10));
    EXPECT_EQ(marker.m_pParent, &parent);
    marker.setParent(nullptr);
}
