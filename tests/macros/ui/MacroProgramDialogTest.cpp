// The macro manager: its lists, item menu, delay and name editing, buttons and what OK and
// Cancel leave in record.ini and the profile.

#include <QDir>
#include <QFile>
#include <QTimer>

#include <cstring>

#include "controls/ExMenu.h"
#include "controls/LBEditorWnd.h"
#include "controls/SkinImage.h"
#include "macros/ui/MacroManagerFixture.h"
#include "macros/ui/MacroManagerPart.h"
#include "macros/ui/MacroRecorder.h"
#include "profile/ProfileRecord.h"
#include "text/LanguageTexts.h"
#include "text/UiTextIds.h"

using namespace zentro;
using namespace zentro::test;

namespace {

using Items = std::vector<std::string>;

class MacroProgramDialogTest : public MacroManagerFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        CreateWindow();
        WriteMacros({{"First", "3", {"A   Dn", "120 ms", "A   Up"}}, {"Second", "1", {"B   Dn"}}});
    }
    // Chooses `id` from the item menu opened by a right press on entry `row`.
    void ChooseFromItemMenu(int row, int id)
    {
        CListBoxEx* list = m_manager->m_lbItems;
        if (row >= 0)
            ClickEntry(list, row);
        const QPoint at = row >= 0 ? list->visualItemRect(list->item(row)).center() : QPoint(5, 5);
        QTest::mouseClick(list->viewport(), Qt::RightButton, Qt::NoModifier, at);
        CExMenu* menu = m_manager->m_pItemMenu;
        ASSERT_NE(menu, nullptr);
        ASSERT_EQ(menu->ItemCount(), 5);
        EXPECT_EQ(menu->m_nItemWidth, 140);
        EXPECT_EQ(menu->Items()[4].text, "Inset Delay");
        for (QAction* action : menu->actions())
            if (CExMenu::CommandId(action) == id)
                action->trigger();
        menu->hide();
        Deliver();
    }
    int SelectedItem() const
    {
        const auto selected = m_manager->m_lbItems->selectedItems();
        return selected.isEmpty() ? -1 : m_manager->m_lbItems->row(selected.front());
    }
};

} // namespace

TEST_F(MacroProgramDialogTest, OpensSizedToItsPictureWithTheFirstMacroLoaded)
{
    OpenManager();
    EXPECT_EQ(m_manager->size(), QSize(490, 434));
    EXPECT_EQ(m_manager->m_lbSelMacro->geometry(), MacroLayout::NAME_LIST);
    EXPECT_EQ(m_manager->m_lbItems->geometry(), MacroLayout::ITEM_LIST);
    EXPECT_EQ(m_manager->m_edLoop->geometry(), MacroLayout::LOOP_EDIT);
    EXPECT_EQ(ShownNames(), (Items{"First", "Second"}));
    EXPECT_EQ(ShownItems(), (Items{"A   Dn", "120 ms", "A   Up"}));
    EXPECT_EQ(m_manager->m_edLoop->text(), "3");
    EXPECT_TRUE(m_manager->m_edLoop->isEnabled()); // loop count above 1
    EXPECT_EQ(g_bLoopEnabled, 1);
    EXPECT_EQ(m_manager->SelectedMacroBytes(), 4u);
    SelectMacro(1);
    EXPECT_EQ(ShownItems(), Items{"B   Dn"});
    EXPECT_EQ(m_manager->m_edLoop->text(), "1");
    EXPECT_FALSE(m_manager->m_edLoop->isEnabled());
}

TEST_F(MacroProgramDialogTest, ItemMenuInsertsClicksAndDelaysAndSavesAtOnce)
{
    OpenManager();
    ChooseFromItemMenu(0, ID_INSERT_LBUTTON);
    const Items withClick = {"A   Dn", "L-Button   Dn", "L-Button   Up", "120 ms", "A   Up"};
    EXPECT_EQ(ShownItems(), withClick);
    EXPECT_EQ(SelectedItem(), 2);
    EXPECT_EQ(StoredItems("First"), withClick);

    ChooseFromItemMenu(1, ID_INSERT_DELAY); // before the click's press
    const Items withDelay = {"A   Dn",        "50 ms",  "L-Button   Dn",
                             "L-Button   Up", "120 ms", "A   Up"};
    EXPECT_EQ(StoredItems("First"), withDelay);
    EXPECT_EQ(SelectedItem(), 2);
    ChooseFromItemMenu(2, ID_INSERT_DELAY); // right after a delay: nothing
    EXPECT_EQ(StoredItems("First"), withDelay);

    ChooseFromItemMenu(1, ID_DELETE_ITEM);
    EXPECT_EQ(StoredItems("First"), withClick);

    // Without a selection a right press opens nothing and selects nothing.
    m_manager->m_lbItems->clearSelection();
    m_manager->m_pItemMenu = nullptr;
    QTest::mouseClick(m_manager->m_lbItems->viewport(), Qt::RightButton, Qt::NoModifier,
                      QPoint(10, 5));
    EXPECT_TRUE(m_manager->m_pItemMenu.isNull());
    EXPECT_EQ(SelectedItem(), -1);
}

TEST_F(MacroProgramDialogTest, SecondDoubleClickOnADelayEditsItAndCapsTheValue)
{
    OpenManager();
    CListBoxEx* list = m_manager->m_lbItems;
    ClickEntry(list, 1, true);
    EXPECT_EQ(OpenEditor(list), nullptr) << "the first double-click only marks";
    EXPECT_EQ(m_manager->m_cursel, 1);
    ClickEntry(list, 1, true);
    auto* editor = OpenEditor(list);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(g_nEditMode, EDIT_MODE_DELAY);
    editor->selectAll();
    QTest::keyClicks(editor, "70000");
    QTest::keyClick(editor, Qt::Key_Return);
    Deliver();
    EXPECT_EQ(list->item(1)->text(), "65535 ms");
    EXPECT_EQ(StoredItems("First"), (Items{"A   Dn", "65535 ms", "A   Up"}));
    EXPECT_EQ(Value("First", "MacroLoopTimes"), "3");
    EXPECT_TRUE(m_manager->isVisible()) << "Enter in the editor does not close the manager";
    // A key item never opens the editor.
    ClickEntry(list, 0, true);
    ClickEntry(list, 0, true);
    EXPECT_EQ(OpenEditor(list), nullptr);
}

TEST_F(MacroProgramDialogTest, RenameRefusesBlankAndTakenNamesAndMovesTheSection)
{
    OpenManager();
    struct Case {
        const char* typed;
        const char* shown;
        const char* message; // empty: accepted
    };
    const Case cases[] = {
        {"second", "First", "Macro name already exists"},
        {"   ", "First", "Macro name is blank"},
        {"Boss", "Boss", ""},
    };
    for (const Case& c : cases) {
        m_messageBox.asked.clear();
        ClickEntry(m_manager->m_lbSelMacro, 0, true);
        auto* editor = OpenEditor(m_manager->m_lbSelMacro);
        ASSERT_NE(editor, nullptr) << c.typed;
        editor->setText(c.typed);
        QTest::keyClick(editor, Qt::Key_Return);
        Deliver();
        EXPECT_EQ(ShownNames()[0], c.shown) << c.typed;
        if (*c.message) {
            ASSERT_EQ(m_messageBox.asked.size(), 1u) << c.typed;
            EXPECT_EQ(m_messageBox.asked[0].text, c.message);
            EXPECT_EQ(StoredItems("First"), (Items{"A   Dn", "120 ms", "A   Up"}));
        } else {
            EXPECT_TRUE(m_messageBox.asked.empty());
        }
    }
    EXPECT_EQ(Value("MacroName", "0"), "Boss");
    EXPECT_EQ(Value("First", "ItemCount"), "<none>");
    EXPECT_EQ(StoredItems("Boss"), (Items{"A   Dn", "120 ms", "A   Up"}));
    EXPECT_EQ(Value("Boss", "MacroLoopTimes"), "3");
    EXPECT_EQ(StoredItems("Second"), Items{"B   Dn"});
}

TEST_F(MacroProgramDialogTest, NewFollowsTheNamingRuleUpToTwelveMacros)
{
    OpenManager();
    PressCentre(MacroLayout::NEW_BUTTON);
    EXPECT_EQ(ShownNames().back(), "Macro_3");
    EXPECT_EQ(m_manager->m_lbSelMacro->currentRow(), 2);
    EXPECT_TRUE(ShownItems().empty());
    EXPECT_EQ(m_manager->m_edLoop->text(), "1");
    for (int i = 0; i < 9; ++i)
        PressCentre(MacroLayout::NEW_BUTTON);
    ASSERT_EQ(ShownNames().size(), 12u);
    EXPECT_EQ(ShownNames().back(), "Macro_12");
    EXPECT_TRUE(m_messageBox.asked.empty());
    PressCentre(MacroLayout::NEW_BUTTON);
    EXPECT_EQ(ShownNames().size(), 12u);
    EXPECT_EQ(Value("MacroName", "MacroCount"), "12");
    ASSERT_EQ(m_messageBox.asked.size(), 1u);
    EXPECT_EQ(m_messageBox.asked[0].text, "Up to 12 Macros Possible.");
    EXPECT_EQ(m_messageBox.asked[0].caption, "ATTENTION!");
}

TEST_F(MacroProgramDialogTest, LoopEditStoresTheCountAndTheCheckBoxOnlyEnablesIt)
{
    OpenManager();
    QLineEdit* edit = m_manager->m_edLoop;
    edit->setText("70000");
    EXPECT_EQ(edit->text(), "1");
    EXPECT_EQ(Value("First", "MacroLoopTimes"), "1");
    edit->setText("250");
    EXPECT_EQ(Value("First", "MacroLoopTimes"), "250");
    EXPECT_EQ(m_manager->WorkingSlots()[0][0], 0x00);
    EXPECT_EQ(m_manager->WorkingSlots()[0][1], 250);
    PressCentre(MacroLayout::LOOP_CHECK);
    EXPECT_EQ(g_bLoopEnabled, 0);
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_EQ(Value("First", "MacroLoopTimes"), "250");
}

TEST_F(MacroProgramDialogTest, KeysNeverCloseOrPressAnything)
{
    OpenManager();
    for (QWidget* target :
         {static_cast<QWidget*>(m_manager.get()), static_cast<QWidget*>(m_manager->m_lbSelMacro),
          static_cast<QWidget*>(m_manager->m_lbItems), static_cast<QWidget*>(m_manager->m_edLoop),
          static_cast<QWidget*>(m_manager->m_btnRecord)}) {
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Space,
                            Qt::Key_F1, Qt::Key_Super_L}) {
            QTest::keyClick(target, key);
            Deliver();
            EXPECT_TRUE(m_manager->isVisible()) << target->objectName().toStdString() << key;
        }
    }
    EXPECT_EQ(g_bRecording, 0);
    EXPECT_EQ(m_services.keyboardCapture.startCount, 0);
    EXPECT_EQ(ShownNames().size(), 2u);
}

TEST_F(MacroProgramDialogTest, CancelAfterDeleteKeepsTheDeleteAndTheProfileSlots)
{
    std::memset(g_ProfileRecord.MacroSlot, 0x5A, sizeof g_ProfileRecord.MacroSlot);
    ProfileRecord before = g_ProfileRecord;
    auto* part = m_dlg->Part<CMacroManagerPart>();
    ASSERT_NE(part, nullptr);
    bool sawManager = false;
    QTimer::singleShot(0, m_dlg.get(), [&] {
        CMacroProgramDialog* manager = part->Dialog();
        sawManager = manager != nullptr && manager->isVisible();
        if (manager == nullptr)
            return;
        QTest::mouseClick(manager, Qt::LeftButton, Qt::NoModifier,
                          MacroLayout::DELETE_BUTTON.center());
        QTest::mouseClick(manager, Qt::LeftButton, Qt::NoModifier,
                          MacroLayout::CANCEL_BUTTON.center());
    });
    QTest::mouseClick(m_dlg->Part<CMacroManagerPart>()->m_btnMacroHeader, Qt::LeftButton);
    Deliver();
    EXPECT_TRUE(sawManager);
    EXPECT_EQ(Value("MacroName", "MacroCount"), "1");
    EXPECT_EQ(Value("MacroName", "0"), "Second");
    EXPECT_EQ(Value("First", "ItemCount"), "<none>");
    EXPECT_EQ(std::memcmp(g_ProfileRecord.MacroSlot, before.MacroSlot, sizeof before.MacroSlot), 0);
}

TEST_F(MacroProgramDialogTest, OkThenApplySendsTheRecordedMacro)
{
    WriteMacros({});
    auto* part = m_dlg->Part<CMacroManagerPart>();
    ASSERT_NE(part, nullptr);
    QTimer::singleShot(0, m_dlg.get(), [&] {
        CMacroProgramDialog* manager = part->Dialog();
        if (manager == nullptr)
            return;
        QTest::mouseClick(manager, Qt::LeftButton, Qt::NoModifier,
                          MacroLayout::NEW_BUTTON.center());
        if (!g_bRecordDelays)
            QTest::mouseClick(manager, Qt::LeftButton, Qt::NoModifier,
                              MacroLayout::DELAY_CHECK.center());
        QTest::mouseClick(manager->m_btnRecord, Qt::LeftButton);
        m_services.keyboardCapture.Press(0x41);
        m_time.Advance(120);
        m_services.keyboardCapture.Release(0x41);
        QCoreApplication::sendPostedEvents();
        QTest::mouseClick(manager->m_btnRecord, Qt::LeftButton);
        QTest::mouseClick(manager, Qt::LeftButton, Qt::NoModifier, MacroLayout::OK_BUTTON.center());
    });
    QTest::mouseClick(m_dlg->Part<CMacroManagerPart>()->m_btnMacroHeader, Qt::LeftButton);
    Deliver();
    EXPECT_EQ(StoredItems("Macro_1"), (Items{"A   Dn", "120 ms", "A   Up"}));
    EXPECT_EQ(Value("Macro_1", "DelayTimeSelStatus"), "1");
    const uint8_t expected[] = {0x00, 0x01, 0x0C, 0x04, 0x85, 0x04, 0x00};
    EXPECT_EQ(std::memcmp(g_ProfileRecord.MacroSlot[0], expected, sizeof expected), 0);

    ClearTrace();
    QTest::mouseClick(m_dlg->Button(CMouseConfigurationDlg::FrameButton::Apply), Qt::LeftButton);
    Deliver();
    const auto block = m_mouse.Memory().macroBlocks[0];
    EXPECT_EQ(std::memcmp(block.data(), expected, sizeof expected), 0);
    // The first output report of macro block 1 carries the slot's first bytes.
    EXPECT_NE(Trace().find("write 00 00 01 0c 04 85 04 00"), std::string::npos) << Trace();
}

TEST_F(MacroProgramDialogTest, OkTellsWhichMacrosWereCutInTheCurrentLanguage)
{
    Items tooLong;
    for (int i = 0; i < 40; ++i) {
        tooLong.push_back("A   Dn");
        tooLong.push_back("A   Up");
    }
    WriteMacros({{"Long", "1", tooLong}, {"Short", "1", {"B   Dn", "B   Up"}}});
    OpenManager();
    EXPECT_EQ(m_manager->SelectedMacroBytes(), 160u);
    PressCentre(MacroLayout::OK_BUTTON);
    EXPECT_EQ(m_manager->result(), QDialog::Accepted);
    ASSERT_EQ(m_messageBox.asked.size(), 1u);
    EXPECT_EQ(m_messageBox.asked[0].caption, "ATTENTION!");
    EXPECT_EQ(m_messageBox.asked[0].text,
              QString::fromStdString(ProgramText(IDP_MACROS_CUT_HEADING)) +
                  "\nLong: 62 of 80 key events kept");
    ASSERT_EQ(m_manager->CutMacros().size(), 1u);
    // Nothing beyond the slot's 128 bytes was touched.
    EXPECT_EQ(m_manager->WorkingSlots()[1][2], 0x05);
}

namespace {

class MacroManagerScreenshots : public MacroManagerFixture,
                                public ::testing::WithParamInterface<const char*> {};

} // namespace

TEST_P(MacroManagerScreenshots, SavesTheManagerRecordingAndWithAFullList)
{
    SetLanguage(GetParam());
    CreateWindow();
    std::vector<MacroText> macros;
    for (int i = 1; i <= 12; ++i)
        macros.push_back({"Macro_" + std::to_string(i), "1", {"A   Dn", "A   Up"}});
    WriteMacros(macros);
    OpenManager();
    Record();
    m_services.keyboardCapture.Tap(0x41);
    m_time.Advance(300);
    m_services.keyboardCapture.Tap(0xA1);
    Deliver();
    EXPECT_EQ(m_manager->m_btnRecord->GetCaption(), m_manager->Texts().stopRecording);
    EXPECT_FALSE(m_manager->Texts().title.isEmpty());
    const QString dir = QStringLiteral(ZENTRO_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    const QImage shot = m_manager->grab().toImage();
    EXPECT_EQ(shot.size(), QSize(490, 434));
    EXPECT_TRUE(shot.save(dir + "/macro-manager-recording-" + GetParam() + ".png", "PNG"));
    Record();
    PressCentre(MacroLayout::NEW_BUTTON);
    ASSERT_EQ(m_messageBox.asked.size(), 1u);
    EXPECT_EQ(m_messageBox.asked[0].text, m_manager->Texts().limitMessage);
    EXPECT_TRUE(m_manager->grab().toImage().save(dir + "/macro-manager-full-" + GetParam() + ".png",
                                                 "PNG"));
}

INSTANTIATE_TEST_SUITE_P(Languages, MacroManagerScreenshots,
                         ::testing::Values("EN", "DE", "CHS", "CHT"));

namespace {

// Runs the macro manager from its header in the window: `inside` clicks in it, then OK.
template <typename Inside>
void RunManagerThenOk(MacroManagerFixture& fixture, CMouseConfigurationDlg* window, Inside inside)
{
    auto* part = window->Part<CMacroManagerPart>();
    ASSERT_NE(part, nullptr);
    QTimer::singleShot(0, window, [&] {
        CMacroProgramDialog* manager = part->Dialog();
        if (manager == nullptr)
            return;
        inside(manager);
        QTest::mouseClick(manager, Qt::LeftButton, Qt::NoModifier, MacroLayout::OK_BUTTON.center());
    });
    QTest::mouseClick(part->m_btnMacroHeader, Qt::LeftButton);
    (void)fixture;
}

} // namespace

TEST_F(MacroProgramDialogTest, RenamesTheFileCannotHoldAreRefusedAndTheKeysReachTheMouse)
{
    const struct {
        const char* typed;
        const char* message;
    } refused[] = {
        {"Buy [AK]",
         "A macro name cannot contain ] or control characters, or be enclosed in quotes"},
        {"'Sniper'",
         "A macro name cannot contain ] or control characters, or be enclosed in quotes"},
        {"macroname", "\"MacroName\" is reserved for the list of macros"},
    };
    RunManagerThenOk(*this, m_dlg.get(), [&](CMacroProgramDialog* manager) {
        for (const auto& c : refused) {
            m_messageBox.asked.clear();
            ClickEntry(manager->m_lbSelMacro, 0, true);
            auto* editor = OpenEditor(manager->m_lbSelMacro);
            ASSERT_NE(editor, nullptr);
            editor->setText(c.typed);
            QTest::keyClick(editor, Qt::Key_Return);
            QCoreApplication::sendPostedEvents();
            ASSERT_EQ(m_messageBox.asked.size(), 1u) << c.typed;
            EXPECT_EQ(m_messageBox.asked[0].text, c.message);
            EXPECT_EQ(manager->m_lbSelMacro->item(0)->text(), "First");
        }
        ClickEntry(manager->m_lbSelMacro, 0, true);
        auto* editor = OpenEditor(manager->m_lbSelMacro);
        ASSERT_NE(editor, nullptr);
        editor->setText("Buy (AK)");
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::sendPostedEvents();
    });
    Deliver();
    EXPECT_EQ(Value("MacroName", "0"), "Buy (AK)");
    EXPECT_EQ(StoredItems("Buy (AK)"), (Items{"A   Dn", "120 ms", "A   Up"}));
    QTest::mouseClick(m_dlg->Button(CMouseConfigurationDlg::FrameButton::Apply), Qt::LeftButton);
    Deliver();
    const uint8_t expected[] = {0x00, 0x03, 0x0C, 0x04, 0x85, 0x04, 0x00};
    EXPECT_EQ(std::memcmp(m_mouse.Memory().macroBlocks[0].data(), expected, sizeof expected), 0);
}

TEST_F(MacroProgramDialogTest, DeletingEveryMacroLeavesTheMouseWithoutMacros)
{
    // The profile's slots still hold both macros from an earlier OK.
    RunManagerThenOk(*this, m_dlg.get(), [](CMacroProgramDialog*) {});
    Deliver();
    QTest::mouseClick(m_dlg->Button(CMouseConfigurationDlg::FrameButton::Apply), Qt::LeftButton);
    Deliver();
    ASSERT_NE(m_mouse.Memory().macroBlocks[0][2], 0);

    RunManagerThenOk(*this, m_dlg.get(), [](CMacroProgramDialog* manager) {
        for (int i = 0; i < 2; ++i)
            QTest::mouseClick(manager, Qt::LeftButton, Qt::NoModifier,
                              MacroLayout::DELETE_BUTTON.center());
    });
    Deliver();
    EXPECT_EQ(Value("MacroName", "MacroCount"), "0");
    QTest::mouseClick(m_dlg->Button(CMouseConfigurationDlg::FrameButton::Apply), Qt::LeftButton);
    Deliver();
    for (size_t m = 0; m < 2; ++m)
        for (size_t b = 0; b < MACRO_BLOCK_SIZE; ++b)
            ASSERT_EQ(m_mouse.Memory().macroBlocks[m][b], 0) << "macro " << m << " byte " << b;
}

TEST_F(MacroProgramDialogTest, WithoutItsPictureOkKeepsTheProfilesMacros)
{
    std::memset(g_ProfileRecord.MacroSlot, 0x5A, sizeof g_ProfileRecord.MacroSlot);
    const ProfileRecord before = g_ProfileRecord;
    ASSERT_TRUE(QFile::remove(ResolveSkinPath("Skins/MacroManagement/MacroManagement.png")));
    ClearSkinImageCache();
    RunManagerThenOk(*this, m_dlg.get(), [](CMacroProgramDialog*) {});
    Deliver();
    EXPECT_EQ(std::memcmp(g_ProfileRecord.MacroSlot, before.MacroSlot, sizeof before.MacroSlot), 0);
}
