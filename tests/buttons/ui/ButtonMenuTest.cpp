// The button function menu in the running window: the assignment panel opened, assignment
// buttons clicked where the layout puts them, functions chosen with the mouse and the keyboard,
// the key and macro dialogs answered, and Apply.

#include "support/MainWindowFixture.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTest>
#include <QTimer>

#include <functional>

#include "controls/MainWindowLayout.h"
#include "buttons/ui/AssignmentPanel.h"
#include "buttons/ui/ButtonMenu.h"
#include "controls/BitmapBtn.h"
#include "controls/ExMenu.h"
#include "controls/SkinKit.h"
#include "macros/ui/MacroDialog.h"
#include "macros/ui/SingleDialog.h"
#include "platform/PrivateProfile.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileRecord.h"
#include "text/LanguageTexts.h"

namespace zentro::test {
namespace {

// Row centres of the assignment lists (x 120-250, rows 20 apart from y 154).
QPoint RowPoint(int row)
{
    return {185, 154 + 20 * (row - 1) + 8};
}

class ButtonMenuTest : public MainWindowFixture {
protected:
    void OpenPanel()
    {
        ClickAt(QPoint(60, 117)); // Button Assignment header
        ASSERT_FALSE(Assignment()->IsCollapsed());
    }
    CButtonMenu* Menu() const { return Assignment()->ButtonMenu(); }
    CExMenu* WaitMenu()
    {
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return Menu()->OpenMenu() && Menu()->OpenMenu()->isVisible(); }));
        return Menu()->OpenMenu();
    }
    // Chooses through the keyboard: Down `downs` times, then Right and `subDowns` more in the
    // submenu when asked, then Enter.
    void ChooseByKeys(int downs, int subDowns = -1)
    {
        CExMenu* menu = WaitMenu();
        ASSERT_NE(menu, nullptr);
        for (int i = 0; i < downs; ++i)
            QTest::keyClick(menu, Qt::Key_Down);
        QWidget* target = menu;
        if (subDowns >= 0) {
            QTest::keyClick(menu, Qt::Key_Right);
            QMenu* sub = menu->activeAction()->menu();
            ASSERT_TRUE(QTest::qWaitFor([&] { return sub->isVisible(); }));
            for (int i = 0; i < subDowns; ++i)
                QTest::keyClick(sub, Qt::Key_Down);
            target = sub;
        }
        QTest::keyClick(target, Qt::Key_Return);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Menu()->OpenMenu() == nullptr; }));
    }
    // Runs `act` on the modal dialog once it shows.
    // (Polled, never waited for: the dialog's own loop runs inside whatever handler opens it.)
    void OnModal(std::function<void(QWidget*)> act)
    {
        auto* timer = new QTimer(m_dlg.get());
        QObject::connect(timer, &QTimer::timeout, [timer, act] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr)
                return;
            timer->stop();
            timer->deleteLater();
            act(modal);
        });
        timer->start(5);
    }
    CBitmapBtn* Btn(int b) const { return Assignment()->m_btnAssignment[b]; }
};

TEST_F(ButtonMenuTest, LastClickButtonWarnsAndOpensNoMenuUntilAnotherTakesClick)
{
    CreateWindow();
    OpenPanel();
    ClickAt(RowPoint(1)); // index 0, the only Click button
    ASSERT_EQ(m_messageBox.asked.size(), 1u);
    EXPECT_EQ(m_messageBox.asked[0].text,
              "At least one button must be set as the \"click\" function.");
    EXPECT_EQ(m_messageBox.asked[0].caption, "ATTENTION!!");
    EXPECT_EQ(m_messageBox.asked[0].buttons, MessageBoxButtons::Ok);
    EXPECT_EQ(Menu()->OpenMenu(), nullptr);
    EXPECT_EQ(g_nHighlightedButton, -1);

    ClickAt(RowPoint(3)); // index 2
    CExMenu* menu = WaitMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(g_nHighlightedButton, 2);
    EXPECT_EQ(Btn(2)->m_bSelected, 1);
    // Beside the button's right edge + 5, level with its top.
    EXPECT_EQ(menu->pos(), Btn(2)->mapToGlobal(QPoint(Btn(2)->width() + 5, 0)));
    EXPECT_EQ(menu->width(), 126);
    EXPECT_EQ(menu->actions().size(), 15);
    const QPoint first = menu->actionGeometry(menu->actions()[0]).center();
    QTest::mouseMove(menu, first);
    QTest::mouseClick(menu, Qt::LeftButton, {}, first);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Menu()->OpenMenu() == nullptr; }));
    EXPECT_EQ(g_ProfileRecord.ButtonFunction[2], FN_CLICK);
    EXPECT_EQ(Btn(2)->GetCaption(), "Click");
    EXPECT_EQ(g_nHighlightedButton, -1);
    EXPECT_EQ(Btn(2)->m_bSelected, 0);

    ClickAt(RowPoint(1));
    EXPECT_NE(WaitMenu(), nullptr);
    EXPECT_EQ(m_messageBox.asked.size(), 1u);
    QTest::keyClick(Menu()->OpenMenu(), Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Menu()->OpenMenu() == nullptr; }));
    EXPECT_EQ(g_ProfileRecord.ButtonFunction[0], FN_CLICK);
}

TEST_F(ButtonMenuTest, SubmenuChosenWithTheKeyboardStoresMediaAndLabel)
{
    CreateWindow();
    OpenPanel();
    const ProfileRecord before = g_ProfileRecord;
    ClickAt(RowPoint(2)); // index 1
    ChooseByKeys(10, 0);  // Multimedia Commands + -> Open Media Player
    EXPECT_EQ(g_ProfileRecord.ButtonFunction[1], FN_MULTIMEDIA);
    EXPECT_EQ(g_ProfileRecord.Media(1), 0x83);
    EXPECT_EQ(Btn(1)->GetCaption(), "Open Media Player");
    EXPECT_EQ(g_strButtonLabel[1], "Open Media Player");
    // Nothing else of the record changed.
    int changed = 0;
    for (size_t i = 0; i < PROFILE_RECORD_SIZE; ++i)
        changed += g_ProfileRecord.Bytes()[i] != before.Bytes()[i];
    EXPECT_EQ(changed, 2);
}

TEST_F(ButtonMenuTest, KeyDialogStoresTheKeyAndCancelChangesNothing)
{
    CreateWindow();
    OpenPanel();
    ClickAt(RowPoint(7)); // index 3
    OnModal([this](QWidget* w) {
        auto* dialog = qobject_cast<CSingleDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(m_services.keyboardCapture.IsCapturing());
        m_services.keyboardCapture.Tap(0x41);
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(dialog->m_strKeyName, "A");
        QTest::mouseClick(dialog, Qt::LeftButton, {}, QPoint(276, 262)); // OK
    });
    ChooseByKeys(13); // Assign Keyboard Key
    EXPECT_FALSE(m_services.keyboardCapture.IsCapturing());
    EXPECT_EQ(g_ProfileRecord.ButtonFunction[3], FN_KEYBOARD_KEY);
    EXPECT_EQ(g_ProfileRecord.Key(3), 0x04);
    EXPECT_EQ(Btn(3)->GetCaption(), "Assign Keyboard Key-A");

    // The former key is offered again; Cancel keeps everything.
    ClickAt(RowPoint(7));
    QString offered;
    OnModal([&offered](QWidget* w) {
        auto* dialog = qobject_cast<CSingleDialog*>(w);
        offered = dialog->m_strKeyName;
        QTest::mouseClick(dialog, Qt::LeftButton, {}, QPoint(340, 262)); // Cancel
    });
    ChooseByKeys(13);
    EXPECT_EQ(offered, "A");
    EXPECT_EQ(g_ProfileRecord.Key(3), 0x04);
    EXPECT_EQ(Btn(3)->GetCaption(), "Assign Keyboard Key-A");
}

// The Windows keys and keys a US keyboard lacks are stored by their usage, and the dialog
// offers them again by the same name.
TEST_F(ButtonMenuTest, KeyDialogStoresWindowsKeysAndKeysOfOtherLayouts)
{
    struct Case {
        CapturedKey key;
        uint8_t usage;
        const char* name;
    };
    const Case cases[] = {
        {{0x5B, true, false, 0xE3}, 0xE3, "Left Windows"},
        {{0x5C, true, false, 0xE7}, 0xE7, "Right Windows"},
        {{0x5B, true, false}, 0xE3, "Left Windows"}, // no position known: by the code
        {{0x00, false, false, 0x64}, 0x64, "Non-US \\"},
        {{0x00, false, false, 0x89}, 0x89, "Yen"},
    };
    CreateWindow();
    OpenPanel();
    for (const Case& c : cases) {
        ClickAt(RowPoint(7));
        OnModal([&](QWidget* w) {
            auto* dialog = qobject_cast<CSingleDialog*>(w);
            ASSERT_NE(dialog, nullptr);
            m_services.keyboardCapture.Send(c.key);
            QCoreApplication::sendPostedEvents();
            QTest::mouseClick(dialog, Qt::LeftButton, {}, QPoint(276, 262)); // OK
        });
        ChooseByKeys(13);
        EXPECT_EQ(g_ProfileRecord.Key(3), c.usage) << c.name;
        EXPECT_EQ(Btn(3)->GetCaption(), QString("Assign Keyboard Key-") + c.name);
        ClickAt(RowPoint(7));
        QString offered;
        OnModal([&offered](QWidget* w) {
            auto* dialog = qobject_cast<CSingleDialog*>(w);
            offered = dialog->m_strKeyName;
            QTest::mouseClick(dialog, Qt::LeftButton, {}, QPoint(340, 262)); // Cancel
        });
        ChooseByKeys(13);
        EXPECT_EQ(offered, c.name);
    }
}

TEST_F(ButtonMenuTest, MacroDialogStoresNumberModeAndLabel)
{
    CreateWindow();
    const std::string ini = ProgramDir().toStdString() + "record.ini";
    WritePrivateProfileString("MacroName", "MacroCount", "3", ini);
    WritePrivateProfileString("MacroName", "0", "First", ini);
    WritePrivateProfileString("MacroName", "1", "Second", ini);
    WritePrivateProfileString("MacroName", "2", "Third", ini);
    OpenPanel();
    ClickAt(RowPoint(4)); // index 5
    OnModal([](QWidget* w) {
        auto* dialog = qobject_cast<CMacroDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        QTest::mouseClick(dialog, Qt::LeftButton, {}, QPoint(100, 136)); // drop-down
        QListWidget* list = dialog->DropDownList();
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->count(), 3);
        // The first row, which the list makes current when it takes the focus, is chosen by a
        // single click too.
        const bool blocked = list->blockSignals(true);
        list->setCurrentRow(0);
        list->blockSignals(blocked);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(dialog->DropDownList(), nullptr);
        QTest::mouseClick(dialog, Qt::LeftButton, {}, QPoint(228, 186)); // mode 2 mark
        QTest::mouseClick(dialog, Qt::LeftButton, {}, QPoint(279, 262)); // OK
    });
    ChooseByKeys(14); // Macro
    EXPECT_EQ(g_ProfileRecord.ButtonFunction[5], FN_MACRO);
    EXPECT_EQ(g_ProfileRecord.Macro(5), 0);
    EXPECT_EQ(g_ProfileRecord.MacroMode(5), 2);
    EXPECT_EQ(Btn(5)->GetCaption(), "Macro:First");

    // OK without a macro chosen leaves the button as it was.
    ClickAt(RowPoint(5)); // index 6
    const uint8_t function = g_ProfileRecord.ButtonFunction[6];
    const QString caption = Btn(6)->GetCaption();
    OnModal([](QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(279, 262)); });
    ChooseByKeys(14);
    EXPECT_EQ(g_ProfileRecord.ButtonFunction[6], function);
    EXPECT_EQ(Btn(6)->GetCaption(), caption);
}

// Buttons 8-11 (side view) keep their parameters in their own record bytes; Apply sends the
// right codes in their slots (8, 9, 10, 7).
TEST_F(ButtonMenuTest, SideButtonsSendEveryParameterKindThroughApply)
{
    CreateWindow();
    OpenPanel();
    ClickAt(MainLayout::SIDE_VIEW.center());
    ASSERT_EQ(g_nAssignmentList, 1);
    // Rows of the side list: 1 -> index 11, 2 -> 10, 3 -> 9, 4 -> 8.
    ClickAt(RowPoint(4));
    ChooseByKeys(10, 7); // index 8: Volume Down
    ClickAt(RowPoint(3));
    ChooseByKeys(11, 1); // index 9: Basic, Cut
    ClickAt(RowPoint(2));
    ChooseByKeys(12, 5); // index 10: Additional, Show desktop
    ClickAt(RowPoint(1));
    OnModal([this](QWidget* w) {
        m_services.keyboardCapture.Tap(0x0D, true); // keypad Enter
        QCoreApplication::sendPostedEvents();
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(276, 262));
    });
    ChooseByKeys(13); // index 11: key
    EXPECT_EQ(Btn(11)->GetCaption(), "Assign Keyboard Key-Num Enter");
    ClearTrace();
    ClickAt(MainLayout::APPLY.center());
    Deliver();
    const auto memory = m_mouse.Memory();
    const auto& block = memory.buttonBlocks[0];
    auto slot = [&](int s) {
        return std::vector<uint8_t>(block.begin() + 4 * s, block.begin() + 4 * s + 4);
    };
    EXPECT_EQ(slot(8), (std::vector<uint8_t>{0x03, 0x00, 0xEA, 0x00}));
    EXPECT_EQ(slot(9), (std::vector<uint8_t>{0x00, 0x00, 0xE0, 0x1B}));
    EXPECT_EQ(slot(10), (std::vector<uint8_t>{0x00, 0x00, 0xE3, 0x07}));
    EXPECT_EQ(slot(7), (std::vector<uint8_t>{0x00, 0x00, 0x58, 0x00}));
    EXPECT_NE(Trace().find("write 00 " + std::string("01 00 f0 00")), std::string::npos) << Trace();
    // The labels were saved with the profile.
    EXPECT_EQ(g_strButtonLabel[8], "Volume Down");
}

class ButtonMenuScreenshots : public ButtonMenuTest,
                              public ::testing::WithParamInterface<const char*> {};

TEST_P(ButtonMenuScreenshots, SavesTheOpenMenuWithASubmenu)
{
    SetLanguage(GetParam());
    CreateWindow();
    OpenPanel();
    ClickAt(RowPoint(2));
    CExMenu* menu = WaitMenu();
    ASSERT_NE(menu, nullptr);
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Right);
    QMenu* sub = menu->activeAction()->menu();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sub->isVisible(); }));
    EXPECT_EQ(menu->actions()[0]->text(), QString::fromStdString(g_strUiText[498]));
    QImage shot = m_dlg->grab().toImage();
    {
        QPainter painter(&shot);
        const QPoint origin = m_dlg->mapToGlobal(QPoint(0, 0));
        painter.drawPixmap(menu->pos() - origin, menu->grab());
        painter.drawPixmap(sub->pos() - origin, sub->grab());
    }
    const QString dir = QStringLiteral(ZENTRO_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    EXPECT_TRUE(shot.save(dir + "/button-menu-" + GetParam() + ".png", "PNG"));
    QTest::keyClick(sub, Qt::Key_Escape);
    QTest::keyClick(menu, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Menu()->OpenMenu() == nullptr; }));
}

INSTANTIATE_TEST_SUITE_P(Languages, ButtonMenuScreenshots,
                         ::testing::Values("EN", "DE", "CHS", "CHT"));

} // namespace
} // namespace zentro::test
