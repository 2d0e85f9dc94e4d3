// The profile list popup in the running window: opening it with the Config button, its
// entries, the editor, the context menu, confirming, and the switch, import and export it
// asks the window for. Files are read back from the program directory.

#include "support/MainWindowFixture.h"

#include "macros/ui/MacroManagerPart.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <cstring>

#include "controls/BitmapBtn.h"
#include "controls/ExMenu.h"
#include "controls/LBEditorWnd.h"
#include "controls/ListBoxEx.h"
#include "controls/SkinImage.h"
#include "platform/PrivateProfile.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileOperations.h"
#include "profile/ProfileRecord.h"
#include "profile/ui/ConfigDialog.h"
#include "profile/ui/ProfileListPart.h"
#include "settings/ui/DMarker.h"
#include "text/LanguageTexts.h"

namespace zentro::test {
namespace {

const QPoint CONFIG(54, 619);
const QPoint RESET(826, 619);

class ProfileListWindow : public MainWindowFixture {
protected:
    std::string File(const std::string& name) const
    {
        return (ProgramDir() + QString::fromStdString(name)).toStdString();
    }
    std::string ListKey(const std::string& key) const
    {
        FlushPrivateProfileCache();
        return GetPrivateProfileString("Profile", key, "<missing>", File("str.ini"));
    }
    // The settings of profile n as written here: the factory settings with the first DPI
    // stage 10 + n and the x sensitivity 2 + n.
    static ProfileRecord SettingsOf(int n)
    {
        ProfileRecord record = Factory();
        record.DPIValue[0] = static_cast<uint8_t>(10 + n);
        record.SensitivityX = static_cast<uint8_t>(2 + n);
        return record;
    }
    static ProfileRecord Factory()
    {
        ProfileRecord record{};
        ReadSettingsFile(std::string(ZENTRO_PROGRAM_DIR) + "/config.bin", record, nullptr);
        return record;
    }
    ProfileRecord Stored(int n) const
    {
        ProfileRecord record{};
        EXPECT_EQ(ReadSettingsFile(File(SettingsFileName(n)), record, nullptr), 1790) << n;
        return record;
    }
    static bool Same(const ProfileRecord& a, const ProfileRecord& b)
    {
        return std::memcmp(&a, &b, PROFILE_RECORD_SIZE) == 0;
    }
    // Profiles with the names given, each with its own settings and first label
    // ("<name> L"); `current` is CurProfileName.
    void WriteProfiles(const std::vector<std::string>& names, const std::string& current,
                       const std::string& language = "EN")
    {
        DeletePrivateProfileSection("Profile", File("str.ini"));
        std::vector<std::pair<std::string, std::string>> keys{
            {"ItemCount", std::to_string(names.size())}, {"CurProfileName", current}};
        for (size_t i = 0; i < names.size(); ++i)
            keys.emplace_back("Item" + std::to_string(i), names[i]);
        ASSERT_TRUE(WritePrivateProfileStrings("Profile", keys, File("str.ini")));
        for (int n = 0; n < static_cast<int>(names.size()); ++n) {
            int error = 0;
            ASSERT_TRUE(WriteSettingsFile(File(SettingsFileName(n)), SettingsOf(n), &error));
            const std::string ini = File(ProfileIniFileName(n));
            QFile::remove(QString::fromStdString(ini));
            WritePrivateProfileString("Profile", "IsDefault", "Y", ini);
            WritePrivateProfileString("Skins", "Lan", language, ini);
            WritePrivateProfileString("Setting-" + language, "Item1",
                                      names[static_cast<size_t>(n)] + " L", ini);
        }
        FlushPrivateProfileCache();
    }

    CConfigDialog* Popup() const { return m_dlg->findChild<CConfigDialog*>(); }
    CProfileListPart* Profiles() const { return m_dlg->Part<CProfileListPart>(); }
    CConfigDialog* OpenPopup()
    {
        ClickAt(CONFIG);
        CConfigDialog* popup = Popup();
        EXPECT_NE(popup, nullptr);
        return popup;
    }
    void ClickPopup(const QPoint& point)
    {
        QTest::mouseClick(Popup(), Qt::LeftButton, Qt::NoModifier, point);
        Deliver();
    }
    void Confirm() { ClickPopup(CConfigDialog::CLOSE_RECT.center()); }
    QPoint EntryPoint(int index) const
    {
        CListBoxEx* list = Popup()->List();
        return list->viewport()->mapFrom(list, list->ItemRect(index).center());
    }
    void ClickEntry(int index)
    {
        QTest::mouseClick(Popup()->List()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          EntryPoint(index));
        Deliver();
    }
    void DoubleClickEntry(int index)
    {
        // A double click is a click and then the double-click event.
        QWidget* viewport = Popup()->List()->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, EntryPoint(index));
        QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, EntryPoint(index));
        Deliver();
    }
    // The menu opens on the press; the release (kept in QTest's button state otherwise) goes
    // to the list.
    void RightClickEntry(int index)
    {
        QWidget* viewport = Popup()->List()->viewport();
        QTest::mousePress(viewport, Qt::RightButton, Qt::NoModifier, EntryPoint(index));
        QTest::mouseRelease(viewport, Qt::RightButton, Qt::NoModifier, EntryPoint(index));
    }
    // Right-clicks the entry and chooses the command from the context menu.
    void ChooseFromMenu(int index, int id)
    {
        RightClickEntry(index);
        CExMenu* menu = Popup()->ContextMenu();
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(menu->isVisible());
        for (QAction* action : menu->actions())
            if (CExMenu::CommandId(action) == id)
                action->trigger();
        menu->hide();
        Deliver();
    }
    QStringList Names() const
    {
        QStringList names;
        for (int i = 0; i < Popup()->List()->count(); ++i)
            names << Popup()->List()->item(i)->text();
        return names;
    }
    CLBEditorWnd* Editor() const
    {
        for (CLBEditorWnd* editor : Popup()->List()->findChildren<CLBEditorWnd*>())
            if (!editor->m_bEnded)
                return editor;
        return nullptr;
    }
    QString Caption(int button) const
    {
        return Assignment()->m_btnAssignment[button]->GetCaption();
    }
};

TEST_F(ProfileListWindow, OpensOverTheLeftColumnAndConfirmingBringsItBack)
{
    WriteProfiles({"Profile 1", "Profile 2"}, "Profile 1");
    CreateWindow();
    Assignment()->SetAssignmentPanel(0);
    Sensitivity()->SetSensitivityPanel(0);

    CConfigDialog* popup = OpenPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(g_pConfigDialog, popup);
    EXPECT_EQ(popup->geometry(),
              QRect(CProfileListPart::POPUP_LEFT, CProfileListPart::POPUP_TOP, 263, 598));
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(Names(), QStringList({"Profile 1", "Profile 2"}));
    EXPECT_EQ(popup->SelectedIndex(), 0);
    EXPECT_EQ(g_nSelectedProfile, 0);
    // What stood in the left column is hidden.
    EXPECT_FALSE(Assignment()->m_btnAssignmentHeader->isVisible());
    EXPECT_FALSE(m_dlg->Part<CMacroManagerPart>()->m_btnMacroHeader->isVisible());
    EXPECT_FALSE(Sensitivity()->m_btnSensitivityHeader->isVisible());
    EXPECT_FALSE(Sensitivity()->m_markerX->isVisible());
    EXPECT_FALSE(Sensitivity()->m_markerY->isVisible());
    for (CBitmapBtn* button : Assignment()->m_btnAssignment)
        EXPECT_FALSE(button->isVisible());
    ClickAt(CONFIG); // a second popup never opens
    EXPECT_EQ(m_dlg->findChildren<CConfigDialog*>().size(), 1);
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Escape, Qt::Key_F1}) {
        QTest::keyClick(popup->List(), key);
        QTest::keyClick(popup, key);
    }
    Deliver();
    EXPECT_EQ(Popup(), popup); // no key closes or confirms it
    EXPECT_EQ(popup->SelectedIndex(), 0);
    EXPECT_EQ(Editor(), nullptr);

    Confirm();
    EXPECT_EQ(Popup(), nullptr);
    EXPECT_EQ(g_pConfigDialog, nullptr);
    EXPECT_TRUE(Assignment()->m_btnAssignmentHeader->isVisible());
    EXPECT_TRUE(m_dlg->Part<CMacroManagerPart>()->m_btnMacroHeader->isVisible());
    EXPECT_TRUE(Sensitivity()->m_markerX->isVisible());
    EXPECT_TRUE(Assignment()->m_btnAssignment[0]->isVisible());   // top-view list
    EXPECT_FALSE(Assignment()->m_btnAssignment[11]->isVisible()); // side-view list
    EXPECT_EQ(ListKey("CurProfileName"), "Profile 1");
    EXPECT_EQ(ListKey("ItemCount"), "2");
}

TEST_F(ProfileListWindow, NewNamesTheEntryAfterTheLastAndSixIsTheLimit)
{
    WriteProfiles({"Profile 1"}, "Profile 1");
    CreateWindow();
    struct Case {
        std::vector<std::string> names;
        const char* added;
    };
    const Case cases[] = {
        {{"Profile 1", "Profile 2"}, "Profile 3"},
        {{"Work"}, "Work 1"},
        {{"My Setup"}, "Profile 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.added);
        WriteProfiles(c.names, c.names[0]);
        OpenPopup();
        ClickPopup(CConfigDialog::NEW_AREA.center());
        ASSERT_EQ(Names().size(), static_cast<int>(c.names.size()) + 1);
        EXPECT_EQ(Names().back(), c.added);
        EXPECT_EQ(Popup()->SelectedIndex(), static_cast<int>(c.names.size())); // selected
        Profiles()->CloseProfileList(); // unconfirmed: nothing written
        EXPECT_EQ(ListKey("ItemCount"), std::to_string(c.names.size()));
    }
    EXPECT_TRUE(m_messageBox.asked.empty());

    WriteProfiles({"A", "B", "C", "D", "E", "F"}, "A");
    OpenPopup();
    ClickPopup(CConfigDialog::NEW_AREA.center());
    ChooseFromMenu(2, ID_PROFILE_COPY);
    EXPECT_EQ(Names().size(), 6);
    ASSERT_EQ(m_messageBox.asked.size(), 2u);
    for (const auto& question : m_messageBox.asked) {
        EXPECT_EQ(question.text, "Up to 6 Profiles Possible.");
        EXPECT_EQ(question.caption, "ATTENTION!");
        EXPECT_EQ(question.buttons, MessageBoxButtons::Ok);
    }
}

TEST_F(ProfileListWindow, ANewProfileConfirmedAndAppliedHasTheFactorySettings)
{
    // An earlier profile 2 left its files behind.
    int error = 0;
    ProfileRecord stale = SettingsOf(5);
    ASSERT_TRUE(WriteSettingsFile(File("config1.bin"), stale, &error));
    WritePrivateProfileString("Profile", "IsDefault", "Y", File("str1.ini"));
    WritePrivateProfileString("Setting-EN", "Item1", "Stale", File("str1.ini"));
    SetLanguage("EN");
    CreateWindow();
    const QString defaultLabel = Caption(0);

    OpenPopup();
    ClickPopup(CConfigDialog::NEW_AREA.center());
    Confirm();
    EXPECT_EQ(Popup(), nullptr);
    EXPECT_EQ(ListKey("ItemCount"), "2");
    EXPECT_EQ(ListKey("Item1"), "Profile 2");
    EXPECT_EQ(ListKey("CurProfileName"), "Profile 2");
    EXPECT_EQ(CurrentProfileNumber, 1);
    ProfileRecord expected = Factory();
    LoadDefaults(expected);
    expected.ProfileSlot = g_ProfileRecord.ProfileSlot;
    EXPECT_TRUE(Same(g_ProfileRecord, expected));
    EXPECT_EQ(Caption(0), defaultLabel);

    ClickAt(APPLY);
    expected.ProfileSlot = 0;
    EXPECT_TRUE(Same(Stored(1), expected));
    FlushPrivateProfileCache();
    EXPECT_EQ(GetPrivateProfileString("Profile", "IsDefault", "", File("str1.ini")), "Y");
    EXPECT_EQ(GetPrivateProfileString("Setting-EN", "Item1", "", File("str1.ini")),
              defaultLabel.toStdString());
}

TEST_F(ProfileListWindow, DeletingTheMiddleOfThreeKeepsTheThirdsSettings)
{
    WriteProfiles({"P1", "P2", "P3"}, "P1");
    CreateWindow();
    OpenPopup();
    ClickEntry(1);
    ClickPopup(CConfigDialog::DELETE_AREA.center());
    EXPECT_EQ(Names(), QStringList({"P1", "P3"}));
    Confirm();
    EXPECT_TRUE(Same(g_ProfileRecord, SettingsOf(0))); // nothing selected: entry 0, loaded
    EXPECT_EQ(ListKey("ItemCount"), "2");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(File("config2.bin"))));

    OpenPopup();
    ClickEntry(1);
    Confirm();
    EXPECT_EQ(ListKey("CurProfileName"), "P3");
    EXPECT_TRUE(Same(g_ProfileRecord, SettingsOf(2)));
    EXPECT_EQ(Caption(0), "P3 L");
    EXPECT_EQ(Sensitivity()->m_markerX->GetPos(), 4);

    // Down to one entry; the last one cannot be deleted.
    OpenPopup();
    ClickPopup(CConfigDialog::DELETE_AREA.center()); // P3 is selected
    EXPECT_EQ(Names(), QStringList({"P1"}));
    ClickEntry(0);
    ClickPopup(CConfigDialog::DELETE_AREA.center());
    EXPECT_EQ(Names(), QStringList({"P1"}));
}

TEST_F(ProfileListWindow, ACopyHoldsTheCopiedSettings)
{
    WriteProfiles({"P1", "P2"}, "P1");
    CreateWindow();
    OpenPopup();
    ChooseFromMenu(1, ID_PROFILE_COPY);
    EXPECT_EQ(Names(), QStringList({"P1", "P2", "Copy P2"}));
    EXPECT_EQ(Popup()->SelectedIndex(), 1); // the right click selected P2
    Confirm();
    EXPECT_EQ(ListKey("CurProfileName"), "P2");
    EXPECT_TRUE(Same(g_ProfileRecord, SettingsOf(1)));

    OpenPopup();
    ClickEntry(2);
    Confirm();
    EXPECT_EQ(CurrentProfileNumber, 2);
    EXPECT_TRUE(Same(g_ProfileRecord, SettingsOf(1)));
    EXPECT_EQ(Caption(0), "P2 L");
}

TEST_F(ProfileListWindow, ConfirmingTheOpenedProfileKeepsChangesAndAnotherIsLoaded)
{
    WriteProfiles({"P1", "P2"}, "P1");
    CreateWindow();
    g_ProfileRecord.DPIValue[0] = 0x33; // not applied
    OpenPopup();
    Confirm();
    EXPECT_EQ(g_ProfileRecord.DPIValue[0], 0x33);

    OpenPopup();
    ClickPopup(CConfigDialog::NEW_AREA.center()); // New, then a click back on P1
    ClickEntry(0);
    Confirm();
    EXPECT_EQ(g_ProfileRecord.DPIValue[0], 0x33);
    EXPECT_EQ(ListKey("ItemCount"), "3");

    OpenPopup();
    ClickEntry(1);
    Confirm();
    EXPECT_TRUE(Same(g_ProfileRecord, SettingsOf(1)));
    EXPECT_EQ(Caption(0), "P2 L");
    EXPECT_EQ(Sensitivity()->m_markerX->GetPos(), 3);
    EXPECT_EQ(ListKey("CurProfileName"), "P2");
}

TEST_F(ProfileListWindow, ThePrefixSearchSelectsEntryOneAndConfirmingLoadsIt)
{
    WriteProfiles({"Profile 1", "Profile 2", "Profile 3"}, "Profile");
    CreateWindow();
    EXPECT_TRUE(Same(g_ProfileRecord, SettingsOf(0))); // no name matches: profile 0 loaded
    CConfigDialog* popup = OpenPopup();
    EXPECT_EQ(popup->SelectedIndex(), 1);
    Confirm();
    EXPECT_EQ(ListKey("CurProfileName"), "Profile 2");
    EXPECT_TRUE(Same(g_ProfileRecord, SettingsOf(1))); // the window shows what the list names
}

TEST_F(ProfileListWindow, EntriesAreRenamedInPlace)
{
    WriteProfiles({"P1", "P2"}, "P1");
    CreateWindow();
    OpenPopup();
    DoubleClickEntry(0);
    CLBEditorWnd* editor = Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "P1");
    editor->selectAll();
    QTest::keyClicks(editor, "Work Mouse"); // the window's key filter leaves Space alone
    QTest::keyClick(editor, Qt::Key_Return);
    Deliver();
    EXPECT_EQ(Names(), QStringList({"Work Mouse", "P2"}));

    struct Case {
        const char* typed;
        Qt::Key end;
        const char* expected;
    };
    const Case cases[] = {
        {"Other", Qt::Key_Escape, "P2"},      // cancelled
        {"   ", Qt::Key_Return, "P2"},        // blank names are refused
        {"Work Mouse", Qt::Key_Return, "P2"}, // so are names another entry has
        {" Spare ", Qt::Key_Return, "Spare"},
    };
    ClickEntry(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        // Edit, as the context menu gives it (the offscreen desktop hands the activation back
        // to the window only after a menu's command, which would end a fresh editor).
        Popup()->OnCommand(ID_PROFILE_EDIT);
        editor = Editor();
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, c.typed);
        QTest::keyClick(editor, c.end);
        Deliver();
        EXPECT_EQ(Names().at(1), c.expected);
    }
    Confirm();
    EXPECT_EQ(ListKey("Item0"), "Work Mouse");
    EXPECT_EQ(ListKey("Item1"), "Spare");
    EXPECT_EQ(ListKey("CurProfileName"), "Spare");
    EXPECT_TRUE(Same(Stored(0), SettingsOf(0))); // renaming moves no files
    EXPECT_TRUE(Same(g_ProfileRecord, SettingsOf(1)));
}

TEST_F(ProfileListWindow, ImportTakesWholeFilesAndLabelsAndApplySavesThem)
{
    WriteProfiles({"P1", "P2"}, "P1");
    CreateWindow();
    QTemporaryDir outside;
    auto writeFile = [&](const QString& name, size_t size, const char* label) {
        const QString path = outside.path() + "/" + name;
        std::vector<uint8_t> bytes(size, 0x5A);
        bytes[0] = 1;
        const ProfileRecord imported = SettingsOf(7);
        std::memcpy(bytes.data() + 1, &imported, std::min(size - 1, PROFILE_RECORD_SIZE));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(size));
        QString ini = path;
        ini.replace(".bin", ".ini").replace(".BIN", ".ini");
        WritePrivateProfileString("Setting-EN", "Item1", label, ini.toStdString());
        return path;
    };
    struct Case {
        const char* what;
        std::optional<QString> chosen;
        bool settingsTaken;
        const char* caption;
        int pending;
    };
    const Case cases[] = {
        {"cancelled", std::nullopt, false, "P1 L", 0},
        {"upper-case BIN", writeFile("upper.BIN", 1791, "Upper"), false, "P1 L", 0},
        {"1790 bytes", writeFile("short.bin", 1790, "Short"), false, "Short", 1},
        {"1792 bytes", writeFile("long.bin", 1792, "Long"), false, "Long", 1},
        {"1791 bytes", writeFile("whole.bin", 1791, "Whole"), true, "Whole", 1},
    };
    OpenPopup();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_services.fileDialogs.openAnswers = {c.chosen};
        ChooseFromMenu(0, ID_PROFILE_LOAD);
        ASSERT_FALSE(m_services.fileDialogs.requests.empty());
        const auto& request = m_services.fileDialogs.requests.back();
        EXPECT_FALSE(request.save);
        EXPECT_EQ(request.filter, "Gaming Mouse Profile(*.bin)");
        EXPECT_TRUE(Same(g_ProfileRecord, c.settingsTaken ? SettingsOf(7) : SettingsOf(0)));
        EXPECT_EQ(Caption(0), c.caption);
        EXPECT_EQ(g_bImportPending, c.pending);
        EXPECT_NE(Popup(), nullptr); // the popup stays open
    }
    EXPECT_EQ(m_services.fileDialogs.requests.front().initialName,
              QString::fromStdString(File("config0.bin")));

    Confirm(); // after an import the confirming selection does not reload
    EXPECT_EQ(Popup(), nullptr);
    EXPECT_EQ(g_bImportPending, 0);
    EXPECT_TRUE(Same(g_ProfileRecord, SettingsOf(7)));
    ClickAt(APPLY);
    ProfileRecord saved = SettingsOf(7);
    saved.ProfileSlot = 0;
    EXPECT_TRUE(Same(Stored(0), saved));
    FlushPrivateProfileCache();
    EXPECT_EQ(GetPrivateProfileString("Setting-EN", "Item1", "", File("str0.ini")), "Whole");
    EXPECT_TRUE(Same(Stored(1), SettingsOf(1)));
}

TEST_F(ProfileListWindow, ExportWritesTheFilePairAndTheSavedProfileReturns)
{
    WriteProfiles({"P1", "P2"}, "P1");
    CreateWindow();
    g_ProfileRecord.DPIValue[0] = 0x44; // exported, then dropped
    QTemporaryDir outside;
    m_services.fileDialogs.saveAnswers = {outside.path() + "/mine"};
    OpenPopup();
    ChooseFromMenu(0, ID_PROFILE_SAVE);
    ASSERT_EQ(m_services.fileDialogs.requests.size(), 1u);
    EXPECT_TRUE(m_services.fileDialogs.requests[0].save);
    EXPECT_EQ(m_services.fileDialogs.requests[0].filter, "Gaming Mouse Profile(*.bin)");

    QFile bin(outside.path() + "/mine.bin");
    ASSERT_TRUE(bin.open(QIODevice::ReadOnly));
    const QByteArray bytes = bin.readAll();
    ASSERT_EQ(bytes.size(), 1791);
    EXPECT_EQ(bytes[0], 1);
    ProfileRecord exported = SettingsOf(0);
    exported.DPIValue[0] = 0x44;
    exported.ProfileSlot = g_AppliedProfileRecord.ProfileSlot;
    EXPECT_EQ(std::memcmp(bytes.constData() + 1, &exported, 1), 0);
    EXPECT_EQ(std::memcmp(bytes.constData() + 2, reinterpret_cast<const char*>(&exported) + 1,
                          PROFILE_RECORD_SIZE - 1),
              0);
    FlushPrivateProfileCache();
    EXPECT_EQ(GetPrivateProfileString("Setting-EN", "Item1", "",
                                      (outside.path() + "/mine.ini").toStdString()),
              "P1 L");
    EXPECT_TRUE(Same(g_ProfileRecord, Stored(0))); // the saved profile again
    EXPECT_EQ(Sensitivity()->m_markerX->GetPos(), 2);
    EXPECT_NE(Popup(), nullptr);
}

TEST_F(ProfileListWindow, ResetClosesThePopupAndTheHeadersReturn)
{
    WriteProfiles({"P1", "P2"}, "P1");
    CreateWindow();
    Assignment()->SetAssignmentPanel(0);
    OpenPopup();
    ClickEntry(1);
    m_messageBox.answers = {MessageBoxAnswer::Ok};
    ClickAt(RESET);
    EXPECT_EQ(Popup(), nullptr);
    EXPECT_EQ(g_pConfigDialog, nullptr);
    EXPECT_TRUE(Assignment()->m_btnAssignmentHeader->isVisible());
    EXPECT_TRUE(Sensitivity()->m_btnSensitivityHeader->isVisible());
    EXPECT_FALSE(Assignment()->m_btnAssignment[0]->isVisible()); // the panels are closed
    EXPECT_EQ(ListKey("CurProfileName"), "P1");                  // the popup wrote nothing
}

TEST_F(ProfileListWindow, WithoutItsBackgroundPictureThePopupSaysSoAndStaysClosed)
{
    CreateWindow();
    ASSERT_TRUE(QFile::remove(ResolveSkinPath("skins/Config/Config.png")));
    ClearSkinImageCache();
    ClickAt(CONFIG);
    EXPECT_EQ(Popup(), nullptr);
    EXPECT_EQ(g_pConfigDialog, nullptr);
    ASSERT_EQ(m_messageBox.asked.size(), 1u);
    EXPECT_EQ(m_messageBox.asked[0].text, "error");
    EXPECT_EQ(m_messageBox.asked[0].caption, "Config Dialog Load background image failed!!!");
    EXPECT_TRUE(Assignment()->m_btnAssignmentHeader->isVisible());
}

TEST_F(ProfileListWindow, AnUnusableListIsRepairedFromTheFilesAndNewKeepsEveryProfile)
{
    WriteProfiles({"P1", "P2"}, "P2");
    WritePrivateProfileString("Profile", "ItemCount", "7", File("str.ini"));
    for (int n = 2; n < MAX_PROFILE_COUNT; ++n) {
        QFile::remove(QString::fromStdString(File(SettingsFileName(n))));
        QFile::remove(QString::fromStdString(File(ProfileIniFileName(n))));
    }
    CreateWindow();
    // The window starts with a profile as saved, never with an empty record.
    EXPECT_TRUE(Same(g_ProfileRecord, SettingsOf(1)));
    OpenPopup();
    EXPECT_EQ(Names(), QStringList({"P1", "P2"}));
    EXPECT_EQ(ListKey("ItemCount"), "2");

    ClickPopup(CConfigDialog::NEW_AREA.center());
    Confirm();
    EXPECT_EQ(ListKey("ItemCount"), "3");
    EXPECT_EQ(ListKey("Item0"), "P1");
    EXPECT_EQ(ListKey("Item1"), "P2");
    EXPECT_EQ(ListKey("Item2"), "P2 2"); // the naming rule after "P2"
    EXPECT_TRUE(Same(Stored(0), SettingsOf(0)));
    EXPECT_TRUE(Same(Stored(1), SettingsOf(1)));
    FlushPrivateProfileCache();
    EXPECT_EQ(GetPrivateProfileString("Setting-EN", "Item1", "", File("str0.ini")), "P1 L");
    EXPECT_EQ(GetPrivateProfileString("Setting-EN", "Item1", "", File("str1.ini")), "P2 L");
}

TEST_F(ProfileListWindow, ACancelledLoadOrSaveChangesNoProfile)
{
    WriteProfiles({"P1", "P2"}, "P1");
    CreateWindow();
    g_ProfileRecord.DPIValue[0] = 0x33; // an unapplied change of P1
    OpenPopup();
    for (const int command : {ID_PROFILE_LOAD, ID_PROFILE_SAVE}) {
        m_services.fileDialogs.openAnswers = {std::nullopt};
        m_services.fileDialogs.saveAnswers = {std::nullopt};
        const size_t asked = m_services.fileDialogs.requests.size();
        ClickEntry(1);
        ChooseFromMenu(1, command);
        EXPECT_EQ(m_services.fileDialogs.requests.size(), asked + 1) << command;
        EXPECT_EQ(CurrentProfileNumber, 0) << command;
    }
    ClickEntry(0);
    Confirm();
    ClickAt(APPLY);
    EXPECT_TRUE(Same(Stored(1), SettingsOf(1))); // P2 is untouched
    EXPECT_EQ(Stored(0).DPIValue[0], 0x33);
}

TEST_F(ProfileListWindow, NewAndCopyNeverRepeatAName)
{
    WriteProfiles({"Profile 2", "Copy Profile 2"}, "Profile 2");
    WritePrivateProfileString("Profile", "Item1", "Profile 1", File("str.ini"));
    FlushPrivateProfileCache();
    CreateWindow();
    OpenPopup();
    ASSERT_EQ(Names(), QStringList({"Profile 2", "Profile 1"}));
    ClickPopup(CConfigDialog::NEW_AREA.center()); // the rule gives "Profile 2" again
    ClickEntry(0);
    ChooseFromMenu(0, ID_PROFILE_COPY);
    ChooseFromMenu(0, ID_PROFILE_COPY);
    EXPECT_EQ(Names(), QStringList({"Profile 2", "Profile 1", "Profile 2 (2)", "Copy Profile 2",
                                    "Copy Profile 2 (2)"}));
}

class ProfileListScreenshots : public ProfileListWindow,
                               public ::testing::WithParamInterface<const char*> {};

TEST_P(ProfileListScreenshots, SavesThePopupWithSixEntriesAndWithTheEditor)
{
    const std::string language = GetParam();
    WriteProfiles({"Profile 1", "Profile 2", "Work", "Game 4", "My Setup", "Copy Work"},
                  "Profile 2", language);
    CreateWindow();
    ASSERT_EQ(g_strLanguage, language);
    CConfigDialog* popup = OpenPopup();
    ASSERT_NE(popup, nullptr);
    const ProfileListTexts& texts = ProfileListTextsFor(language);
    EXPECT_EQ(&popup->Texts(), &texts);
    RightClickEntry(1);
    ASSERT_NE(popup->ContextMenu(), nullptr);
    QStringList menuTexts;
    for (QAction* action : popup->ContextMenu()->actions())
        menuTexts << action->text();
    EXPECT_EQ(menuTexts, QStringList({texts.deleteText, texts.editText, texts.copyText,
                                      texts.loadText, texts.saveText}));
    popup->ContextMenu()->hide();
    Deliver();

    const QString dir = QStringLiteral(ZENTRO_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    const QString suffix = QString::fromStdString(language) + ".png";
    EXPECT_TRUE(m_dlg->grab().toImage().save(dir + "/profile-list-" + suffix, "PNG"));
    popup->OnCommand(ID_PROFILE_EDIT);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_TRUE(m_dlg->grab().toImage().save(dir + "/profile-list-editor-" + suffix, "PNG"));
    QTest::keyClick(Editor(), Qt::Key_Escape);
    Deliver();
}

INSTANTIATE_TEST_SUITE_P(Languages, ProfileListScreenshots,
                         ::testing::Values("EN", "DE", "CHS", "CHT"));

} // namespace
} // namespace zentro::test
