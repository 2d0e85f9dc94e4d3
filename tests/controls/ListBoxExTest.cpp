#include "controls/LBEditorWnd.h"
#include "controls/ListBoxEx.h"

#include <QTest>

#include <gtest/gtest.h>

#include "support/GuiTestSupport.h"

namespace zentro {
namespace {

using test::CMessageRecorder;

TEST(ListEditor, DelayRuleTakesLeadingDigitsCappedAt65535)
{
    const std::pair<const char*, const char*> rows[] = {
        {"70000", "65535 ms"}, {"65535", "65535 ms"},
        {"120", "120 ms"},     {"", "0 ms"},
        {"abc", "0 ms"},       {"12ab", "12 ms"},
        {"00042", "42 ms"},    {"99999999999999999999", "65535 ms"},
    };
    for (const auto& [typed, entry] : rows)
        EXPECT_EQ(FormatDelayEntry(typed), entry) << typed;
}

class ListEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetListEditorStateForTest();
        m_list = new CListBoxEx(&m_owner);
        m_list->setGeometry(10, 10, 150, 120);
        m_list->SetItemHeight(16);
        for (const char* text : {"A   Dn", "100 ms", "A   Up"})
            m_list->addItem(text);
        m_owner.ShowActive();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_owner));
    }
    void TearDown() override { ResetListEditorStateForTest(); }

    CLBEditorWnd* StartEditor(int index, bool digits)
    {
        m_list->setCurrentRow(index);
        auto* editor = new CLBEditorWnd(m_list);
        EXPECT_TRUE(editor->Start(index, digits));
        return editor;
    }
    std::vector<test::RecordedMessage> EndMessages()
    {
        test::DeliverPosted();
        return m_owner.Of(WM_LEBEDIT_END);
    }

    CMessageRecorder m_owner;
    CListBoxEx* m_list = nullptr;
};

TEST_F(ListEditorTest, EnterCommitsADelayCappedAndKeepsTheEntrySelected)
{
    g_nEditMode = EDIT_MODE_DELAY;
    CLBEditorWnd* editor = StartEditor(1, true);
    EXPECT_EQ(editor->geometry(), m_list->ItemRect(1).adjusted(-1, -1, 1, 1));
    EXPECT_EQ(editor->selectedText(), "100 ms");
    QTest::keyClicks(editor, "7x0000"); // the x is refused by the digits-only field
    EXPECT_EQ(editor->text(), "70000");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(m_list->item(1)->text(), "65535 ms");
    EXPECT_EQ(m_list->currentRow(), 1);
    EXPECT_EQ(m_list->count(), 3);
    const auto ends = EndMessages();
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].wParam, 1u);
    EXPECT_EQ(ends[0].lParam, 1);
}

TEST_F(ListEditorTest, EndingsCommitOrNotAndAlwaysReportOnce)
{
    struct Row {
        const char* how;
        bool committed;
    };
    const Row rows[] = {
        {"escape", false}, {"tab", true}, {"click outside", true}, {"focus lost", true}};
    for (const Row& row : rows) {
        m_owner.messages.clear();
        g_nEditMode = EDIT_MODE_MACRO_NAME;
        m_list->item(0)->setText("old");
        CLBEditorWnd* editor = StartEditor(0, false);
        QTest::keyClicks(editor, "new name");
        const std::string how = row.how;
        if (how == "escape") {
            QTest::keyClick(editor, Qt::Key_Escape);
        } else if (how == "tab") {
            QTest::keyClick(editor, Qt::Key_Tab);
        } else if (how == "click outside") {
            // The editor holds the mouse; the press arrives at it outside its rectangle.
            QTest::mouseClick(editor, Qt::LeftButton, {}, QPoint(-20, 60));
        } else {
            editor->End(true); // what the focus-out handler calls
            QTest::keyClick(m_list, Qt::Key_Escape);
        }
        EXPECT_EQ(m_list->item(0)->text(), row.committed ? "new name" : "old") << row.how;
        EXPECT_EQ(EndMessages().size(), 1u) << row.how;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(ListEditorTest, FocusLossCommitsAndRefusedTextsLeaveTheEntry)
{
    g_nEditMode = EDIT_MODE_PROFILE_NAME;
    auto* other = new QLineEdit(&m_owner);
    other->setGeometry(200, 10, 80, 20);
    other->show();
    CLBEditorWnd* editor = StartEditor(2, false);
    QTest::keyClicks(editor, "Profile X");
    other->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(m_list->item(2)->text(), "Profile X");
    EXPECT_EQ(EndMessages().size(), 1u);

    m_owner.messages.clear();
    editor = StartEditor(2, false);
    editor->m_fnAccept = [](const QString& text) { return !text.trimmed().isEmpty(); };
    QTest::keyClicks(editor, "   ");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(m_list->item(2)->text(), "Profile X");
    EXPECT_EQ(EndMessages().size(), 1u);
}

TEST_F(ListEditorTest, StartOutsideTheListFailsWithoutMessage)
{
    for (int index : {-1, 3, 100}) {
        auto* editor = new CLBEditorWnd(m_list);
        EXPECT_FALSE(editor->Start(index, false));
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(EndMessages().empty());
    EXPECT_TRUE(m_list->findChildren<CLBEditorWnd*>().isEmpty());
}

TEST_F(ListEditorTest, SelectedEntryIsDrawnInTheOwnersColoursAndDeleteItemRemovesIt)
{
    m_list->setCurrentRow(1);
    const QImage image = m_list->grab().toImage();
    const QRect r = m_list->ItemRect(1);
    EXPECT_EQ(image.pixelColor(r.right() - 3, r.center().y()), QColor(72, 24, 24));
    const QRect r0 = m_list->ItemRect(0);
    EXPECT_EQ(image.pixelColor(r0.right() - 3, r0.center().y()),
              m_list->palette().color(QPalette::Base));
    m_list->DeleteItem(0);
    m_list->DeleteItem(7);
    EXPECT_EQ(m_list->count(), 2);
    EXPECT_EQ(m_list->item(0)->text(), "100 ms");
}

} // namespace
} // namespace zentro
