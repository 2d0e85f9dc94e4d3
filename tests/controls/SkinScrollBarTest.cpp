// The skinned scroll bar: geometry, hit test, cells, repeat, dragging; and its frame.

#include "support/GuiTestSupport.h"

#include "controls/SkinScrollBar.h"
#include "controls/SkinScrollWnd.h"
#include "settings/ui/PageColumnPart.h"

#include <QTest>

using namespace zentro;
using namespace zentro::test;

namespace {

// A 117 x 48 cell bitmap like resource 129: cell (c, r) filled with a colour naming it.
QImage CellBitmap()
{
    QImage image(117, 48, QImage::Format_RGB32);
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 3; ++r)
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 13; ++x)
                    image.setPixel(c * 13 + x, r * 16 + y, qRgb(c * 20, r * 80, y == 0 ? 255 : 9));
    return image;
}

class SkinScrollBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_parent.resize(400, 700);
        m_parent.ShowActive();
        m_bar = new CSkinScrollBar(Qt::Vertical, &m_parent);
        m_bar->SetBitmap(CellBitmap());
        m_bar->setGeometry(10, 10, 13, 561);
        m_bar->show();
        SetInfo(0, 1034, 561, 0);
        m_parent.messages.clear();
    }
    void SetInfo(int min, int max, int page, int pos)
    {
        SkinScrollInfo info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMin = min;
        info.nMax = max;
        info.nPage = page;
        info.nPos = pos;
        m_bar->SetScrollInfo(info, true);
    }
    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (const auto& m : m_parent.Of(WM_VSCROLL))
            codes.push_back(ScrollCode(m.wParam));
        return codes;
    }
    void Press(QPoint p) { QTest::mousePress(m_bar, Qt::LeftButton, Qt::NoModifier, p); }
    void Release(QPoint p) { QTest::mouseRelease(m_bar, Qt::LeftButton, Qt::NoModifier, p); }

    CMessageRecorder m_parent;
    CSkinScrollBar* m_bar = nullptr;
};

} // namespace

TEST(SkinScrollBarCells, ResourceIsBuiltInWith13By16Cells)
{
    const QImage cells = CPageColumnPart::ScrollBarSkin();
    ASSERT_FALSE(cells.isNull());
    EXPECT_EQ(cells.size(), QSize(117, 48));
    CSkinScrollBar bar(Qt::Vertical);
    bar.setGeometry(0, 0, 40, 200);
    bar.SetBitmap(cells);
    EXPECT_EQ(bar.m_nCellWidth, 13);
    EXPECT_EQ(bar.m_nCellHeight, 16);
    EXPECT_EQ(bar.width(), 13); // thickness W, place kept
    EXPECT_EQ(bar.height(), 200);
    EXPECT_EQ(bar.GetImageRect(SB_LINEDOWN, 2), QRect(13, 32, 13, 16));
    EXPECT_EQ(bar.GetImageRect(SB_PAGEDOWN, 0), QRect(39, 0, 13, 16));
    CSkinScrollBar horz(Qt::Horizontal);
    horz.SetBitmap(cells);
    EXPECT_EQ(horz.GetImageRect(SB_THUMBTRACK, 1), QRect(78, 16, 13, 16));
}

TEST_F(SkinScrollBarTest, PartsFollowLengthRangePageAndPosition)
{
    struct Case {
        int length, max, page, pos;
        int arrow, thumbStart, thumbLength;
    };
    const Case cases[] = {
        // T = 535: thumb 535 * 561 / 1035 = 289 at 0, at 474 * 246 / 474 = 246 at the end.
        {561, 1034, 561, 0, 13, 13, 289},
        {561, 1034, 561, 474, 13, 13 + 246, 289},
        {561, 1034, 561, 237, 13, 13 + 123, 289},
        // A range barely larger than the page: the thumb nearly fills the track.
        {561, 562, 561, 0, 13, 13, 533},
        // A tiny page still gets a 12-pixel thumb.
        {561, 100000, 10, 0, 13, 13, 12},
        // 2W + 12 = 38: one shorter has no thumb; exactly that has one.
        {37, 1034, 561, 0, 13, 0, 0},
        {38, 1034, 561, 0, 13, 13, 12},
        // Shorter than 2W: two half-length arrows, no track.
        {20, 1034, 561, 0, 10, 0, 0},
        // Nothing to scroll (page larger than the range): no thumb.
        {561, 100, 561, 0, 13, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "length " << c.length << " pos " << c.pos);
        m_bar->resize(13, c.length);
        SetInfo(0, c.max, c.page, c.pos);
        EXPECT_EQ(m_bar->GetPartRect(SB_LINEUP), QRect(0, 0, 13, c.arrow));
        EXPECT_EQ(m_bar->GetPartRect(SB_LINEDOWN), QRect(0, c.length - c.arrow, 13, c.arrow));
        EXPECT_EQ(m_bar->ThumbLength(), c.thumbLength);
        if (c.thumbLength > 0) {
            EXPECT_EQ(m_bar->GetPartRect(SB_THUMBTRACK), QRect(0, c.thumbStart, 13, c.thumbLength));
            EXPECT_EQ(m_bar->HitTest({5, c.thumbStart}), SB_THUMBTRACK);
            EXPECT_EQ(m_bar->HitTest({5, c.thumbStart + c.thumbLength - 1}), SB_THUMBTRACK);
        }
        EXPECT_EQ(m_bar->HitTest({5, -1}), -1);
        EXPECT_EQ(m_bar->HitTest({5, 0}), SB_LINEUP);
        EXPECT_EQ(m_bar->HitTest({5, c.length - 1}), SB_LINEDOWN);
    }
}

TEST_F(SkinScrollBarTest, HitTestDividesTheTrackAroundTheThumb)
{
    SetInfo(0, 1034, 561, 237); // thumb 136-425
    const std::pair<int, int> cases[] = {
        {12, SB_LINEUP},      {13, SB_PAGEUP},      {135, SB_PAGEUP},
        {136, SB_THUMBTRACK}, {424, SB_THUMBTRACK}, {425, SB_PAGEDOWN},
        {547, SB_PAGEDOWN},   {548, SB_LINEDOWN},   {560, SB_LINEDOWN}};
    for (const auto& [y, part] : cases)
        EXPECT_EQ(m_bar->HitTest({3, y}), part) << "y " << y;
}

TEST_F(SkinScrollBarTest, HeldDownArrowRepeatsEvery100msAfter500AndStopsAtTheEnd)
{
    SetInfo(0, 1034, 561, 290);
    Press({5, 555});
    EXPECT_EQ(Codes(), std::vector<int>{SB_LINEDOWN}); // at once
    EXPECT_TRUE(m_bar->IsTimerRunning(CSkinScrollBar::TIMER_FIRST_REPEAT));
    EXPECT_FALSE(m_bar->IsTimerRunning(CSkinScrollBar::TIMER_REPEAT));
    EXPECT_EQ(m_bar->PartState(SB_LINEDOWN), 2);

    m_bar->OnTimer(CSkinScrollBar::TIMER_FIRST_REPEAT); // 500 ms: the first repeat
    EXPECT_FALSE(m_bar->IsTimerRunning(CSkinScrollBar::TIMER_FIRST_REPEAT));
    EXPECT_TRUE(m_bar->IsTimerRunning(CSkinScrollBar::TIMER_REPEAT));
    EXPECT_TRUE(m_bar->m_bAutoRepeat);
    EXPECT_EQ(Codes().size(), 2u);

    // The window scrolls 60 a line; the bar follows until the last position, 474.
    int pos = 290;
    while (m_bar->IsTimerRunning(CSkinScrollBar::TIMER_REPEAT) && Codes().size() < 20) {
        pos = std::min(pos + 60, 474);
        SetInfo(0, 1034, 561, pos);
        m_bar->OnTimer(CSkinScrollBar::TIMER_REPEAT);
    }
    EXPECT_EQ(pos, 474);
    EXPECT_FALSE(m_bar->IsTimerRunning(CSkinScrollBar::TIMER_REPEAT));
    const auto codes = Codes();
    EXPECT_EQ(codes.size(), 5u); // press, 500 ms, then three more until 474
    for (int code : codes)
        EXPECT_EQ(code, SB_LINEDOWN);

    Release({5, 555});
    EXPECT_EQ(m_bar->m_nPressedPart, -1);
    EXPECT_FALSE(m_bar->m_bAutoRepeat);
}

TEST_F(SkinScrollBarTest, HeldUpArrowStopsAtTheTopAndPausesWhileThePointerIsOff)
{
    SetInfo(0, 1034, 561, 60);
    Press({5, 3});
    m_bar->OnTimer(CSkinScrollBar::TIMER_FIRST_REPEAT);
    EXPECT_EQ(Codes(), (std::vector<int>{SB_LINEUP, SB_LINEUP}));
    QTest::mouseMove(m_bar, {5, 300}); // off the arrow: no requests, drawn normal
    EXPECT_TRUE(m_bar->m_bPointerOutside);
    m_bar->OnTimer(CSkinScrollBar::TIMER_REPEAT);
    EXPECT_EQ(Codes().size(), 2u);
    QTest::mouseMove(m_bar, {5, 4});
    SetInfo(0, 1034, 561, 0);
    m_bar->OnTimer(CSkinScrollBar::TIMER_REPEAT);
    EXPECT_EQ(Codes().size(), 2u);
    EXPECT_FALSE(m_bar->IsTimerRunning(CSkinScrollBar::TIMER_REPEAT));
    Release({5, 4});
}

TEST_F(SkinScrollBarTest, HeldTrackPagesUntilTheThumbReachesThePointer)
{
    SetInfo(0, 1034, 561, 0); // thumb 13-302
    Press({5, 500});
    EXPECT_EQ(Codes(), std::vector<int>{SB_PAGEDOWN});
    SetInfo(0, 1034, 561, 474); // the window paged to the end: thumb 259-548 covers 500
    m_bar->OnTimer(CSkinScrollBar::TIMER_FIRST_REPEAT);
    EXPECT_EQ(Codes().size(), 1u);
    EXPECT_FALSE(m_bar->IsTimerRunning(CSkinScrollBar::TIMER_REPEAT));
    Release({5, 500});
}

TEST_F(SkinScrollBarTest, DraggingTheThumbTracksAndEndsWithThePosition)
{
    SetInfo(0, 1034, 561, 0); // thumb 13-302, free run T - G = 246 for 474 positions
    Press({5, 100});
    EXPECT_TRUE(m_bar->IsDragging());
    EXPECT_TRUE(Codes().empty());
    QTest::mouseMove(m_bar, {5, 223}); // 123 pixels: 123 * 474 / 246 = 237
    QTest::mouseMove(m_bar, {5, 900}); // past the end: the last position
    const auto tracks = m_parent.Of(WM_VSCROLL);
    ASSERT_EQ(tracks.size(), 2u);
    EXPECT_EQ(ScrollCode(tracks[0].wParam), SB_THUMBTRACK);
    EXPECT_EQ(ScrollPos(tracks[0].wParam), 237);
    EXPECT_EQ(ScrollPos(tracks[1].wParam), 474);
    EXPECT_EQ(m_bar->GetScrollInfo(SIF_TRACKPOS).nTrackPos, 474);
    EXPECT_EQ(m_bar->GetPartRect(SB_THUMBTRACK).top(), 13 + 246); // drawn where dragged
    Release({5, 900});
    const auto all = m_parent.Of(WM_VSCROLL);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(ScrollCode(all[2].wParam), SB_THUMBPOSITION);
    EXPECT_EQ(ScrollPos(all[2].wParam), 474);
    EXPECT_EQ(m_bar->m_nTrackPos, -1);
}

TEST_F(SkinScrollBarTest, DraggingPastEitherEndStopsAtTheFirstAndLastPosition)
{
    struct Case {
        int min, max, page;
        int last;
    };
    const Case cases[] = {
        {0, 1034, 561, 474},
        {0, 100, 0, 100}, // no page: the last position is nMax itself
        {10, 110, 20, 91},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.min) + ".." + std::to_string(c.max) + " page " +
                     std::to_string(c.page));
        SetInfo(c.min, c.max, c.page, c.min);
        m_parent.messages.clear();
        const QPoint thumb = m_bar->GetPartRect(SB_THUMBTRACK).center();
        Press(thumb);
        ASSERT_TRUE(m_bar->IsDragging());
        QTest::mouseMove(m_bar, {5, 900});
        EXPECT_EQ(m_bar->GetScrollInfo(SIF_TRACKPOS).nTrackPos, c.last);
        QTest::mouseMove(m_bar, {5, -500});
        EXPECT_EQ(m_bar->GetScrollInfo(SIF_TRACKPOS).nTrackPos, c.min);
        Release({5, -500});
        for (const auto& m : m_parent.Of(WM_VSCROLL)) {
            EXPECT_GE(ScrollPos(m.wParam), c.min);
            EXPECT_LE(ScrollPos(m.wParam), c.last);
        }
    }
}

TEST_F(SkinScrollBarTest, HoverLightsArrowsAndThumbOnly)
{
    QTest::mouseMove(m_bar, {5, 3});
    EXPECT_EQ(m_bar->m_nHoverPart, SB_LINEUP);
    EXPECT_EQ(m_bar->PartState(SB_LINEUP), 1);
    QTest::mouseMove(m_bar, {5, 400});
    EXPECT_EQ(m_bar->m_nHoverPart, SB_PAGEDOWN);
    EXPECT_EQ(m_bar->PartState(SB_LINEUP), 0);
    EXPECT_EQ(m_bar->PartState(SB_PAGEDOWN), 0);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(m_bar, &leave);
    EXPECT_EQ(m_bar->m_nHoverPart, -1);
}

TEST_F(SkinScrollBarTest, PaintsArrowThumbAndTrackFromTheirCells)
{
    SetInfo(0, 1034, 561, 0);
    const QImage shot = m_bar->grab().toImage();
    // Column 0 row 0 at the top (the arrow is stretched 16 -> 13 rows), the thumb cell
    // (column 2) at 13, the track cell (column 3) below the thumb.
    EXPECT_EQ(qRed(shot.pixel(5, 6)), 0);
    EXPECT_EQ(qRed(shot.pixel(5, 20)), 40);
    EXPECT_EQ(qRed(shot.pixel(5, 400)), 60);
    EXPECT_EQ(qGreen(shot.pixel(5, 400)), 0);
}

namespace {

// A window with a vertical scroll state it changes on requests, as the page column does.
class CScrolledWindow : public QWidget, public ISkinScrollable {
public:
    bool HasScrollBar(Qt::Orientation o) const override { return o == Qt::Vertical; }
    SkinScrollInfo GetScrollInfo(Qt::Orientation) const override { return info; }
    bool IsScrollBarEnabled(Qt::Orientation) const override { return enabled; }
    void OnScrollRequest(Qt::Orientation, int code, int pos) override
    {
        requests.push_back({code, pos});
        if (code == SB_LINEDOWN)
            SetPos(info.nPos + 60);
        if (code == SB_THUMBPOSITION)
            SetPos(pos);
    }
    void SetPos(int pos)
    {
        info.nPos = std::min(pos, info.nMax - info.nPage + 1);
        NotifyScrollInfoChanged();
    }
    SkinScrollInfo info{SIF_ALL, 0, 1034, 561, 0, 0};
    bool enabled = true;
    std::vector<std::pair<int, int>> requests;
};

} // namespace

TEST(SkinScrollWndTest, FrameTakesThePlaceAndTheBarFollowsTheWindow)
{
    QWidget host;
    host.resize(1000, 648);
    auto* window = new CScrolledWindow();
    window->setParent(&host);
    window->setGeometry(735, 32, 260, 561);
    host.show();
    CSkinScrollWnd* frame = AttachSkinScrollBars(window, window, CellBitmap());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->parentWidget(), &host);
    EXPECT_EQ(frame->geometry(), QRect(735, 32, 260, 561));
    EXPECT_EQ(window->geometry(), QRect(0, 0, 247, 561));
    EXPECT_EQ(frame->m_sbVert->geometry(), QRect(247, 0, 13, 561));
    EXPECT_TRUE(frame->m_sbVert->isVisible());
    EXPECT_FALSE(frame->m_sbHorz->isVisible());
    EXPECT_EQ(frame->m_sbVert->GetScrollInfo().nMax, 1034);

    // A press on the down arrow reaches the window; the bar shows the new position.
    QTest::mousePress(frame->m_sbVert, Qt::LeftButton, Qt::NoModifier, {5, 555});
    QTest::mouseRelease(frame->m_sbVert, Qt::LeftButton, Qt::NoModifier, {5, 555});
    ASSERT_EQ(window->requests.size(), 1u);
    EXPECT_EQ(window->requests[0].first, SB_LINEDOWN);
    EXPECT_EQ(frame->m_sbVert->GetScrollInfo().nPos, 60);

    // A change of the window's own reaches the bar at once (no polling).
    window->SetPos(300);
    EXPECT_EQ(frame->m_sbVert->GetScrollInfo().nPos, 300);

    // Nothing to scroll: disabled, not hidden.
    window->enabled = false;
    window->SetPos(0);
    EXPECT_FALSE(frame->m_sbVert->isEnabled());
    EXPECT_TRUE(frame->m_sbVert->isVisible());
    window->enabled = true;
    window->info.nPage = 2000; // nMax < nPage
    window->SetPos(0);
    EXPECT_FALSE(frame->m_sbVert->isEnabled());

    // Resizing the frame resizes the window inside it.
    frame->resize(300, 400);
    EXPECT_EQ(window->geometry(), QRect(0, 0, 287, 400));

    // Detached, the window is back in the host at the frame's place.
    EXPECT_TRUE(frame->Detach());
    EXPECT_EQ(window->parentWidget(), &host);
    EXPECT_EQ(window->geometry(), QRect(735, 32, 300, 400));
    delete frame;
}

TEST(SkinScrollWndTest, DraggingIsNotOverwrittenByTheWindowsState)
{
    QWidget host;
    auto* window = new CScrolledWindow();
    window->setParent(&host);
    window->setGeometry(0, 0, 260, 561);
    host.show();
    CSkinScrollWnd* frame = AttachSkinScrollBars(window, window, CellBitmap());
    CSkinScrollBar* bar = frame->m_sbVert;
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, {5, 100});
    QTest::mouseMove(bar, {5, 223});
    window->SetPos(60); // the window changes meanwhile
    EXPECT_EQ(bar->GetScrollInfo(SIF_TRACKPOS).nTrackPos, 237);
    EXPECT_EQ(bar->GetScrollInfo().nPos, 0);
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, {5, 223});
    EXPECT_EQ(window->requests.back(), std::make_pair(SB_THUMBPOSITION, 237));
    EXPECT_EQ(bar->GetScrollInfo().nPos, 237);
    delete window; // the frame goes with its window
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
