#include "GuiTestSupport.h"

#include "controls/BitmapBtn.h"

#include <QSignalSpy>
#include <QTest>

using namespace zentro;
using namespace zentro::test;

namespace {

constexpr QRgb kNormal = qRgb(10, 10, 10);
constexpr QRgb kHover = qRgb(20, 200, 20);
constexpr QRgb kPressed = qRgb(200, 20, 20);
constexpr QRgb kDisabled = qRgb(90, 90, 90);

class BitmapBtnTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_parent.ShowActive();
        m_button = new CBitmapBtn();
        m_button->Create(QString(), RectLTRB(100, 50, 160, 80), &m_parent);
        m_button->SetImages(QRect(0, 0, 60, 30), SolidImage(60, 30, kNormal),
                            SolidImage(60, 30, kHover), SolidImage(60, 30, kPressed),
                            SolidImage(60, 30, kDisabled));
        // Qt drops a move to the cursor's last position; start every test from a fresh one.
        QTest::mouseMove(Window(), QPoint(5, 5));
        DeliverPosted();
        m_parent.messages.clear();
    }

    // The colour the button shows at its top-left corner (clear of any caption).
    QRgb Shown() { return m_button->grab().toImage().pixel(1, 1) | 0xFF000000u; }

    QWindow* Window() { return m_parent.windowHandle(); }
    static QPoint OnButton() { return QPoint(130, 65); }
    static QPoint OffButton() { return QPoint(20, 20); }

    CMessageRecorder m_parent;
    CBitmapBtn* m_button = nullptr;
};

} // namespace

TEST_F(BitmapBtnTest, DefaultsMatchTheSkinnedButton)
{
    CBitmapBtn button;
    EXPECT_EQ(button.m_nCaptionHeight, 14);
    EXPECT_EQ(button.m_nCaptionIndent, 0);
    EXPECT_EQ(button.m_nCaptionAlign, 1);
    EXPECT_EQ(button.m_bSelected, 0);
    EXPECT_EQ(button.m_bHover, 0);
    for (const QColor& c : {button.m_crCaption, button.m_crCaptionHover, button.m_crCaptionDisabled,
                            button.m_crCaptionPressed}) {
        EXPECT_EQ(c, QColor(253, 253, 253));
    }
    EXPECT_TRUE(button.m_strCaption.isEmpty());
}

TEST_F(BitmapBtnTest, HoverLightsOnMoveAndPostsScreenPositionToTheParent)
{
    EXPECT_EQ(Shown(), kNormal);
    QTest::mouseMove(Window(), OnButton());
    EXPECT_EQ(m_button->m_bHover, 1);
    EXPECT_EQ(Shown(), kHover);

    DeliverPosted();
    const auto moves = m_parent.Of(WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].wParam, 0u);
    EXPECT_EQ(PointFromLParam(moves[0].lParam), m_button->mapToGlobal(QPoint(30, 15)));

    QTest::mouseMove(Window(), OffButton());
    EXPECT_EQ(m_button->m_bHover, 0);
    EXPECT_FALSE(m_button->HoldsCapture());
    EXPECT_EQ(Shown(), kNormal);
}

TEST_F(BitmapBtnTest, DragStartedElsewhereDoesNotLightTheButton)
{
    QTest::mousePress(Window(), Qt::LeftButton, Qt::NoModifier, OffButton());
    QTest::mouseMove(Window(), OnButton());
    EXPECT_EQ(m_button->m_bHover, 0);
    EXPECT_EQ(Shown(), kNormal);

    // Even a move delivered straight to the button with the left button held stays dark.
    QMouseEvent move(QEvent::MouseMove, QPointF(30, 15), m_button->mapToGlobal(QPointF(30, 15)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_button, &move);
    EXPECT_EQ(m_button->m_bHover, 0);
    QTest::mouseRelease(Window(), Qt::LeftButton, Qt::NoModifier, OnButton());

    DeliverPosted();
    EXPECT_TRUE(m_parent.Of(WM_MOUSEMOVE).empty());
    EXPECT_TRUE(m_parent.Of(WM_LBUTTONUP).empty());
}

TEST_F(BitmapBtnTest, ClickSignalsAndPostsButtonUp)
{
    QSignalSpy clicks(m_button, &QAbstractButton::clicked);
    QTest::mouseMove(Window(), OnButton());
    QTest::mousePress(Window(), Qt::LeftButton, Qt::NoModifier, OnButton());
    EXPECT_EQ(Shown(), kPressed);
    QTest::mouseRelease(Window(), Qt::LeftButton, Qt::NoModifier, OnButton());
    EXPECT_EQ(clicks.count(), 1);

    DeliverPosted();
    const auto ups = m_parent.Of(WM_LBUTTONUP);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_EQ(ups[0].wParam, 0u);
    EXPECT_EQ(ups[0].lParam, 0);
    // Still under the cursor, so still lit.
    EXPECT_EQ(Shown(), kHover);
}

TEST_F(BitmapBtnTest, PressDraggedOutPostsFlagsAndClearsHoverWithoutClick)
{
    QSignalSpy clicks(m_button, &QAbstractButton::clicked);
    QTest::mouseMove(Window(), OnButton());
    QTest::mousePress(Window(), Qt::LeftButton, Qt::NoModifier, OnButton());
    DeliverPosted();
    m_parent.messages.clear();

    QTest::mouseMove(Window(), OffButton());
    EXPECT_EQ(m_button->m_bHover, 0);
    DeliverPosted();
    const auto moves = m_parent.Of(WM_MOUSEMOVE);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].wParam, MK_LBUTTON);

    QTest::mouseRelease(Window(), Qt::LeftButton, Qt::NoModifier, OffButton());
    EXPECT_EQ(clicks.count(), 0);
    DeliverPosted();
    EXPECT_EQ(m_parent.Of(WM_LBUTTONUP).size(), 1u); // every release is reported
}

TEST_F(BitmapBtnTest, PictureChoiceFollowsStatePriority)
{
    QTest::mouseMove(Window(), OnButton());
    ASSERT_EQ(m_button->m_bHover, 1);
    m_button->SetSelected(1);
    EXPECT_EQ(Shown(), kPressed); // selection beats hover
    m_button->setEnabled(false);
    EXPECT_EQ(Shown(), kDisabled); // disabled beats selection
    m_button->setEnabled(true);
    m_button->SetSelected(0);
    EXPECT_EQ(Shown(), kHover);
}

TEST_F(BitmapBtnTest, CaptionlessButtonNeverCreatesAFont)
{
    const uint64_t before = CBitmapBtn::CaptionFontsCreated();
    Shown();
    QTest::mouseMove(Window(), OnButton());
    Shown();
    EXPECT_EQ(CBitmapBtn::CaptionFontsCreated(), before);

    m_button->SetCaption("Apply");
    Shown();
    EXPECT_GT(CBitmapBtn::CaptionFontsCreated(), before);
}

TEST_F(BitmapBtnTest, CaptionIsDrawnInTheStateColour)
{
    m_button->SetCaption("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"); // long: elided, fills the width
    m_button->m_crCaption = QColor(255, 255, 0);
    m_button->m_crCaptionHover = QColor(0, 255, 255);
    m_button->m_nCaptionAlign = 0;

    auto contains = [](const QImage& image, QRgb colour) {
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if ((image.pixel(x, y) | 0xFF000000u) == colour) {
                    return true;
                }
            }
        }
        return false;
    };
    QImage rest = m_button->grab().toImage();
    EXPECT_TRUE(contains(rest, qRgb(255, 255, 0)));
    // Nothing is drawn in the 5-pixel left margin.
    for (int y = 0; y < rest.height(); ++y) {
        EXPECT_EQ(rest.pixel(4, y) | 0xFF000000u, kNormal);
    }

    QTest::mouseMove(Window(), OnButton());
    QImage hovered = m_button->grab().toImage();
    EXPECT_TRUE(contains(hovered, qRgb(0, 255, 255)));
    EXPECT_FALSE(contains(hovered, qRgb(255, 255, 0)));
}

TEST_F(BitmapBtnTest, SetImagesCopiesOnlyTheSourceRectangle)
{
    QImage sheet(100, 40, QImage::Format_ARGB32);
    sheet.fill(qRgba(1, 2, 3, 0)); // alpha plays no part in button pictures
    sheet.setPixel(1, 1, qRgb(50, 60, 70));
    m_button->SetImages(QRect(0, 0, 60, 30), sheet, sheet, sheet, sheet);
    EXPECT_EQ(m_button->m_bmpNormal.size(), QSize(60, 30));
    EXPECT_EQ(Shown(), qRgb(50, 60, 70));
    EXPECT_EQ(m_button->grab().toImage().pixel(5, 5) | 0xFF000000u, qRgb(1, 2, 3));
}

TEST_F(BitmapBtnTest, FocusLossAndHidingClearTheHover)
{
    m_button->setFocus();
    QTest::mouseMove(Window(), OnButton());
    ASSERT_EQ(m_button->m_bHover, 1);
    m_button->clearFocus();
    EXPECT_EQ(m_button->m_bHover, 0);

    QTest::mouseMove(Window(), OffButton());
    QTest::mouseMove(Window(), OnButton());
    ASSERT_EQ(m_button->m_bHover, 1);
    m_button->hide();
    m_button->show();
    EXPECT_EQ(Shown(), kNormal);
}

TEST_F(BitmapBtnTest, KeysNeverClick)
{
    QSignalSpy clicks(m_button, &QAbstractButton::clicked);
    m_button->setFocus();
    QTest::keyClick(m_button, Qt::Key_Space);
    QTest::keyClick(m_button, Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 0);
}
