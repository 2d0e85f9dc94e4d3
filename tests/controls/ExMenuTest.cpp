#include "controls/ExMenu.h"

#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

#include "controls/SkinKit.h"

namespace zentro {
namespace {

const QColor kBack(0x6F, 0x29, 0x29);
const QColor kSelBack(0x8F, 0x20, 0x20);

QColor PixelAt(QWidget* w, int x, int y)
{
    return w->grab().toImage().pixelColor(x, y);
}

void WaitShown(QWidget* w)
{
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
}

class ExMenuTest : public ::testing::Test {
protected:
    void SetUp() override { m_font = SkinFont("Arial", 13); }
    void TearDown() override { QTest::qWait(1); }
    QFont m_font;
};

TEST_F(ExMenuTest, ItemsHaveTheirWidthAndHeightInsideTheFrame)
{
    CExMenu menu(&m_font);
    menu.m_nItemWidth = 120;
    for (int i = 0; i < 8; ++i)
        menu.AddItem(3000 + i, QString("Item %1").arg(i));
    menu.popup(QPoint(10, 10));
    WaitShown(&menu);
    EXPECT_EQ(menu.size(), QSize(120 + 6, 8 * 20 + 6));
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(menu.actionGeometry(menu.actions()[i]), QRect(3, 3 + 20 * i, 120, 20));
    EXPECT_EQ(menu.ItemCount(), 8);
    EXPECT_EQ(menu.Items()[7].number, 8);

    // A separator is 5 high, an item with ID 1 takes no room.
    CExMenu mixed(&m_font);
    mixed.m_nItemWidth = 50;
    mixed.AddItem(3001, "a");
    mixed.AddItem(CExMenu::SEPARATOR_ID, "");
    mixed.AddItem(1, "hidden");
    mixed.AddItem(3002, "b");
    mixed.popup(QPoint(10, 10));
    WaitShown(&mixed);
    EXPECT_EQ(mixed.size(), QSize(56, 20 + 5 + 0 + 20 + 6));
    mixed.hide();
    menu.hide();
}

TEST_F(ExMenuTest, FrameBackgroundAndHighlightColours)
{
    CExMenu menu(&m_font);
    menu.m_nItemWidth = 100;
    menu.AddItem(3001, "One");
    menu.AddItem(3002, "Two");
    menu.popup(QPoint(0, 0));
    WaitShown(&menu);
    const QImage image = menu.grab().toImage();
    EXPECT_EQ(image.pixelColor(0, 0), kSelBack); // outer line of the frame
    EXPECT_EQ(image.pixelColor(1, 1), kBack);    // two lines of background
    EXPECT_EQ(image.pixelColor(2, 20), kBack);
    EXPECT_EQ(image.pixelColor(105, 42), kSelBack);
    EXPECT_EQ(image.pixelColor(90, 12), kBack); // an item without highlight
    QTest::keyClick(&menu, Qt::Key_Down);
    QAction* active = menu.activeAction();
    ASSERT_NE(active, nullptr);
    const QRect r = menu.actionGeometry(active);
    EXPECT_EQ(PixelAt(&menu, r.right() - 2, r.center().y()), kSelBack);
    // White text is drawn inside the item.
    const QImage after = menu.grab().toImage();
    bool white = false;
    for (int x = r.left(); x < r.left() + 40; ++x)
        for (int y = r.top(); y <= r.bottom(); ++y)
            white = white || after.pixelColor(x, y).green() > 200;
    EXPECT_TRUE(white);
    menu.hide();
}

TEST_F(ExMenuTest, KeyboardChoosesThroughASubmenuAndTheResultComesAfterClosing)
{
    auto* menu = new CExMenu(&m_font);
    menu->m_nItemWidth = 120;
    auto* sub = new CExMenu(&m_font, menu);
    sub->m_nItemWidth = 50;
    menu->AddItem(2001, "Click");
    menu->AddItem(2002, "Menu");
    sub->AddItem(2020, "DPI +");
    sub->AddItem(2021, "DPI -");
    menu->AddItem(0, "DPI Setting +", sub);
    menu->AddItem(2013, "Deactivated");

    std::optional<int> chosen;
    bool visibleWhenDone = true;
    menu->Track(QPoint(50, 50), [&](int id) {
        chosen = id;
        visibleWhenDone = menu->isVisible() || sub->isVisible();
    });
    WaitShown(menu);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Right);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sub->isVisible(); }));
    // Beside the parent's right edge, level with its entry.
    EXPECT_NEAR(sub->x(), menu->mapToGlobal(QPoint(menu->width(), 0)).x(), 3);
    EXPECT_EQ(sub->y(),
              menu->mapToGlobal(menu->actionGeometry(menu->actions()[2]).topLeft()).y() - 3);
    // Right opened it on its first entry.
    QTest::keyClick(sub, Qt::Key_Down);
    QTest::keyClick(sub, Qt::Key_Return);
    EXPECT_FALSE(chosen.has_value()); // handed on from the event loop, not inside the menu
    ASSERT_TRUE(QTest::qWaitFor([&] { return chosen.has_value(); }));
    EXPECT_EQ(*chosen, 2021);
    EXPECT_FALSE(visibleWhenDone);

    // Escape dismisses: 0.
    chosen.reset();
    menu->Track(QPoint(50, 50), [&](int id) { chosen = id; });
    WaitShown(menu);
    QTest::keyClick(menu, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return chosen.has_value(); }));
    EXPECT_EQ(*chosen, 0);

    // A click with the right button chooses too.
    chosen.reset();
    menu->Track(QPoint(50, 50), [&](int id) { chosen = id; });
    WaitShown(menu);
    const QPoint second = menu->actionGeometry(menu->actions()[1]).center();
    QTest::mouseMove(menu, second);
    QTest::mouseClick(menu, Qt::RightButton, {}, second);
    ASSERT_TRUE(QTest::qWaitFor([&] { return chosen.has_value(); }));
    EXPECT_EQ(*chosen, 2002);
    delete menu;
}

TEST_F(ExMenuTest, DrawingItemsCreatesNoFont)
{
    CExMenu menu(&m_font);
    menu.m_nItemWidth = 120;
    menu.AddItem(3001, "Plain");
    menu.AddItem(3002, "Marked", nullptr, 1, 1);
    QImage image(120, 20, QImage::Format_ARGB32);
    {
        QPainter warm(&image);
        for (QAction* a : menu.actions())
            menu.DrawItem(warm, QRect(0, 0, 120, 20), a, false);
    }
    const int fonts = SkinFontsCreated();
    QPainter painter(&image);
    for (int i = 0; i < 50; ++i)
        for (QAction* a : menu.actions())
            menu.DrawItem(painter, QRect(0, 0, 120, 20), a, i % 2 == 0);
    EXPECT_EQ(SkinFontsCreated(), fonts);
    // Option A draws the text in the highlight red (8F 20 20) instead of white. On a black
    // item background every inked pixel is a blend of black and the ink: white ink would give
    // grey pixels, whose green is as high as their red.
    menu.m_crBackground = Qt::black;
    menu.DrawItem(painter, QRect(0, 0, 120, 20), menu.actions()[1], false);
    int inked = 0;
    int strong = 0;
    for (int x = 0; x < 120; ++x)
        for (int y = 0; y < 20; ++y) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() == 0 && c.green() == 0 && c.blue() == 0)
                continue;
            ++inked;
            EXPECT_LE(c.green(), 0x20) << x << "," << y;
            EXPECT_LE(c.blue(), 0x20) << x << "," << y;
            strong += c.red() >= 0x60 ? 1 : 0;
        }
    EXPECT_GT(inked, 0);
    EXPECT_GT(strong, 0);
}

} // namespace
} // namespace zentro
