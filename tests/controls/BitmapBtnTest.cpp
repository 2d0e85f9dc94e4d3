#include "support/GuiTestSupport.h"

#include "controls/SkinKit.h"

#include "controls/BitmapBtn.h"

#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <cstdlib>

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
    const int before = SkinFontsCreated();
    Shown();
    QTest::mouseMove(Window(), OnButton());
    Shown();
    EXPECT_EQ(SkinFontsCreated(), before);

    m_button->SetCaption("Apply");
    Shown();
    EXPECT_GT(SkinFontsCreated(), before);
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

namespace {

// Columns and rows of the button's picture that the caption touched.
struct InkBox {
    int left = -1, right = -1, top = -1, bottom = -1;
    bool Empty() const { return left < 0; }
};

InkBox InkOf(const QImage& image, QRgb background)
{
    InkBox box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) | 0xFF000000u) == background) {
                continue;
            }
            if (box.Empty()) {
                box = {x, x, y, y};
            }
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x);
            box.top = std::min(box.top, y);
            box.bottom = std::max(box.bottom, y);
        }
    }
    return box;
}

} // namespace

TEST_F(BitmapBtnTest, CaptionMarginCountsTheIndentOnlyWhenLeftAlignedAndPositive)
{
    struct Case {
        int align;
        int indent;
        int left; // where the text rectangle begins
    };
    const Case cases[] = {
        {1, 0, 5}, {1, 1, 6}, {1, 12, 17}, {1, -4, 5}, {0, 12, 5},
    };
    m_button->m_crCaption = QColor(255, 255, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "align " << c.align << " indent " << c.indent);
        m_button->m_nCaptionAlign = c.align;
        m_button->m_nCaptionIndent = c.indent;
        // Long enough to be cut with an ellipsis, so it fills the text rectangle from its left.
        m_button->SetCaption("HHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHH");
        const InkBox ink = InkOf(m_button->grab().toImage(), kNormal);
        ASSERT_FALSE(ink.Empty());
        EXPECT_GE(ink.left, c.left);
        EXPECT_LE(ink.left, c.left + 2);
        EXPECT_LE(ink.right, 59);
    }
}

TEST_F(BitmapBtnTest, ShortCaptionIsCentredOrLeftAlignedAndVerticallyCentred)
{
    m_button->m_crCaption = QColor(255, 255, 0);
    m_button->SetCaption("HH");

    m_button->m_nCaptionAlign = 1;
    const InkBox left = InkOf(m_button->grab().toImage(), kNormal);
    ASSERT_FALSE(left.Empty());
    EXPECT_LE(left.left, 7);
    // One line in the middle of the 30-pixel button.
    EXPECT_LE(std::abs((left.top + left.bottom) - 29), 3);

    m_button->m_nCaptionAlign = 0;
    const InkBox centred = InkOf(m_button->grab().toImage(), kNormal);
    ASSERT_FALSE(centred.Empty());
    // Centred in the text rectangle 5..60.
    EXPECT_LE(std::abs((centred.left + centred.right + 1) - (5 + 60)), 3);
    EXPECT_EQ(centred.top, left.top);
}

TEST_F(BitmapBtnTest, CaptionColourFollowsHoverThenDisabledThenPressed)
{
    const QColor rest(255, 255, 0), hover(0, 255, 255), disabled(255, 0, 255), pressed(0, 0, 255);
    m_button->m_crCaption = rest;
    m_button->m_crCaptionHover = hover;
    m_button->m_crCaptionDisabled = disabled;
    m_button->m_crCaptionPressed = pressed;
    m_button->SetCaption("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");

    struct Case {
        const char* name;
        int hover, selected;
        bool enabled;
        QColor expected;
    };
    const Case cases[] = {
        {"at rest", 0, 0, true, rest},
        {"hovered", 1, 0, true, hover},
        {"hovered and selected", 1, 1, true, hover},
        {"hovered and disabled", 1, 0, false, hover},
        {"disabled", 0, 0, false, disabled},
        {"disabled and selected", 0, 1, false, disabled},
        {"selected", 0, 1, true, pressed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_button->setEnabled(c.enabled);
        m_button->m_bHover = c.hover;
        m_button->m_bSelected = c.selected;
        EXPECT_EQ(m_button->CurrentCaptionColor(), c.expected);
        const QImage shown = m_button->grab().toImage();
        bool found = false;
        for (int y = 0; y < shown.height() && !found; ++y) {
            for (int x = 0; x < shown.width() && !found; ++x) {
                found = (shown.pixel(x, y) | 0xFF000000u) == c.expected.rgb();
            }
        }
        EXPECT_TRUE(found);
    }
    m_button->setEnabled(true);
    m_button->m_bHover = 0;
    m_button->m_bSelected = 0;

    // Pressed by the mouse: the pressed colour too.
    QTest::mousePress(Window(), Qt::LeftButton, Qt::NoModifier, OnButton());
    m_button->m_bHover = 0;
    EXPECT_EQ(m_button->CurrentCaptionColor(), pressed);
    QTest::mouseRelease(Window(), Qt::LeftButton, Qt::NoModifier, OnButton());
}

TEST_F(BitmapBtnTest, ForwardedMoveCarriesEveryKeyStateFlag)
{
    QTest::mouseMove(Window(), OnButton());
    ASSERT_EQ(m_button->m_bHover, 1);
    struct Case {
        Qt::MouseButtons buttons;
        Qt::KeyboardModifiers modifiers;
        uintptr_t expected;
    };
    const Case cases[] = {
        {Qt::NoButton, Qt::NoModifier, 0},
        {Qt::LeftButton, Qt::NoModifier, MK_LBUTTON},
        {Qt::RightButton, Qt::ShiftModifier, MK_RBUTTON | MK_SHIFT},
        {Qt::MiddleButton, Qt::ControlModifier, MK_MBUTTON | MK_CONTROL},
        {Qt::XButton1, Qt::NoModifier, MK_XBUTTON1},
        {Qt::XButton2 | Qt::LeftButton, Qt::NoModifier, MK_XBUTTON2 | MK_LBUTTON},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        DeliverPosted();
        m_parent.messages.clear();
        QMouseEvent move(QEvent::MouseMove, QPointF(20, 10), m_button->mapToGlobal(QPointF(20, 10)),
                         Qt::NoButton, c.buttons, c.modifiers);
        QCoreApplication::sendEvent(m_button, &move);
        DeliverPosted();
        const auto moves = m_parent.Of(WM_MOUSEMOVE);
        ASSERT_EQ(moves.size(), 1u);
        EXPECT_EQ(moves[0].wParam, c.expected);
        EXPECT_EQ(PointFromLParam(moves[0].lParam), m_button->mapToGlobal(QPoint(20, 10)));
    }
}
