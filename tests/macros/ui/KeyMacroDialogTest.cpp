// The key and macro dialogs on their own: keys through the capture, the capture failing, keys
// that never close a dialog, moving by the background, hover pictures and the texts of each
// language (screenshots).

#include "support/MainWindowFixture.h"

#include <QDir>
#include <QTest>

#include "controls/SkinImage.h"
#include "macros/ui/MacroDialog.h"
#include "platform/PrivateProfile.h"
#include "macros/ui/SingleDialog.h"
#include "text/LanguageTexts.h"

namespace zentro::test {
namespace {

class KeyDialogTest : public MainWindowFixture {
protected:
    void UseLanguage(const char* code)
    {
        g_strLanguage = code;
        LoadLanguageTexts(code);
    }
    void Show(QDialog& dialog)
    {
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }
    void SaveShot(QWidget& w, const QString& name)
    {
        const QString dir = QStringLiteral(ZENTRO_SCREENSHOT_DIR);
        QDir().mkpath(dir);
        EXPECT_TRUE(w.grab().save(dir + "/" + name + ".png", "PNG"));
    }
};

TEST_F(KeyDialogTest, ShowsTheLastKeyEventByItsName)
{
    UseLanguage("EN");
    CSingleDialog dialog(m_services.Bundle());
    dialog.m_strKeyName = "B";
    Show(dialog);
    EXPECT_EQ(dialog.size(), QSize(390, 290));
    auto& keys = m_services.keyboardCapture;
    ASSERT_TRUE(keys.IsCapturing());
    struct Step {
        std::vector<CapturedKey> events;
        const char* shown;
    };
    const Step steps[] = {
        {{{0x0D, true, false}}, "Num Enter"},
        {{{0x0D, false, false}}, "Enter"},
        {{{0xA4, false, false}}, "Alt"},
        // Ctrl+C pressed and released in the usual order ends with Ctrl.
        {{{0xA2, false, false}, {0x43, false, false}, {0x43, false, true}, {0xA2, false, true}},
         "Ctrl"},
        {{{0xAF, true, false}}, ""},             // a media key has no name
        {{{0x5B, true, false}}, "Left Windows"}, // the Windows keys can be assigned
        {{{0x5C, true, false, 0xE7}}, "Right Windows"},
        // Keys taken by their position are named by their usage: the German "z" is the US "y"
        // key, the ISO key beside left Shift has no Windows code, the menu key is the key
        // table's "Application".
        {{{0x59, false, false, 0x1C}}, "Y"},
        {{{0x00, false, false, 0x64}}, "Non-US \\"},
        {{{0x5D, true, false, 0x65}}, "Application"},
        {{{0x1B, false, false}, {0x20, false, false}}, "Space"}, // Esc does not close
    };
    for (const Step& step : steps) {
        for (const CapturedKey& key : step.events)
            keys.Send(key);
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(dialog.m_strKeyName, step.shown);
    }
    // Keys that reach the dialog itself (no capture on the way) close nothing.
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_F1})
        QTest::keyClick(&dialog, key);
    EXPECT_TRUE(dialog.isVisible());
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(276, 262)); // OK
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(keys.IsCapturing());
}

// Where the capture cannot take the whole keyboard (Wayland), the dialog says that it reads
// keys only while it is active.
TEST_F(KeyDialogTest, SaysWhenKeysAreReadOnlyWhileActive)
{
    struct Case {
        const char* language;
        bool exclusive;
        const char* note;
    };
    const Case cases[] = {
        {"EN", true, ""},
        {"EN", false, "Keys are read only while this window is active."},
        {"DE", false, "Tasten werden nur gelesen, solange dieses Fenster aktiv ist."},
    };
    for (const Case& c : cases) {
        UseLanguage(c.language);
        m_services.keyboardCapture.exclusive = c.exclusive;
        CSingleDialog dialog(m_services.Bundle());
        Show(dialog);
        EXPECT_EQ(dialog.FocusNote().toStdString(), c.note);
        if (!c.exclusive)
            SaveShot(dialog, QString("single-key-focus-note-") + c.language);
        dialog.reject();
    }
}

TEST_F(KeyDialogTest, CaptureThatCannotStartIsReportedAndTheNameStays)
{
    UseLanguage("EN");
    m_services.keyboardCapture.failWith = 5;
    CSingleDialog dialog(m_services.Bundle());
    dialog.m_strKeyName = "F5";
    Show(dialog);
    ASSERT_EQ(m_messageBox.asked.size(), 1u);
    EXPECT_EQ(m_messageBox.asked[0].text, "JournalRecordHook Install error code :5\n");
    EXPECT_EQ(m_messageBox.asked[0].caption, "");
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(276, 262));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_strKeyName, "F5");
}

TEST_F(KeyDialogTest, HoverPicturesAndMovingByTheBackground)
{
    UseLanguage("EN");
    CSingleDialog dialog(m_services.Bundle());
    Show(dialog);
    QTest::mouseMove(&dialog, QPoint(276, 262));
    EXPECT_TRUE(dialog.IsButtonHover(CSingleDialog::BTN_OK));
    QTest::mouseMove(&dialog, QPoint(340, 262));
    EXPECT_FALSE(dialog.IsButtonHover(CSingleDialog::BTN_OK));
    EXPECT_TRUE(dialog.IsButtonHover(CSingleDialog::BTN_CANCEL));
    QTest::mouseMove(&dialog, QPoint(100, 40));
    EXPECT_FALSE(dialog.IsButtonHover(CSingleDialog::BTN_CANCEL));
    const QPoint before = dialog.pos();
    QTest::mousePress(&dialog, Qt::LeftButton, {}, QPoint(100, 40));
    QMouseEvent move(QEvent::MouseMove, QPointF(130, 60), dialog.mapToGlobal(QPointF(130, 60)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &move);
    QTest::mouseRelease(&dialog, Qt::LeftButton, {}, QPoint(130, 60));
    EXPECT_EQ(dialog.pos(), before + QPoint(30, 20));
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(360, 14)); // close
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(KeyDialogTest, MissingBackgroundIsReported)
{
    UseLanguage("EN");
    QFile::remove(ProgramDir() + "Skins/single-key.png");
    QFile::remove(ProgramDir() + "Skins/macro-key.png");
    ClearSkinImageCache();
    CSingleDialog single(m_services.Bundle());
    CMacroDialog macro(m_services.Bundle());
    ASSERT_EQ(m_messageBox.asked.size(), 2u);
    EXPECT_EQ(m_messageBox.asked[0].text, "Single Key Dialog Load background image failed!!!");
    EXPECT_EQ(m_messageBox.asked[1].text, "Macro Key Dialog Load background image failed!!!");
    EXPECT_EQ(m_messageBox.asked[1].caption, "error");
    Show(single);
    EXPECT_FALSE(m_services.keyboardCapture.IsCapturing());
    QTest::mouseClick(&single, Qt::LeftButton, {}, QPoint(340, 262));
    EXPECT_EQ(single.result(), QDialog::Rejected);
}

class DialogScreenshots : public KeyDialogTest,
                          public ::testing::WithParamInterface<const char*> {};

TEST_P(DialogScreenshots, SavesBothDialogsWithTheirTexts)
{
    UseLanguage(GetParam());
    const std::string ini = ProgramDir().toStdString() + "record.ini";
    WritePrivateProfileString("MacroName", "MacroCount", "2", ini);
    WritePrivateProfileString("MacroName", "0", "Combo", ini);
    WritePrivateProfileString("MacroName", "1", "Reload", ini);
    CSingleDialog single(m_services.Bundle());
    single.m_strKeyName = "Num Enter";
    Show(single);
    EXPECT_FALSE(single.PromptText().isEmpty());
    SaveShot(single, QStringLiteral("single-key-") + GetParam());
    CMacroDialog macro(m_services.Bundle());
    Show(macro);
    EXPECT_FALSE(macro.ModeText(2).isEmpty());
    QTest::mouseClick(&macro, Qt::LeftButton, {}, QPoint(300, 136)); // mode 1 text
    EXPECT_EQ(macro.m_nRunMode, 1);
    QTest::mouseClick(&macro, Qt::LeftButton, {}, QPoint(100, 136)); // open the list
    ASSERT_NE(macro.DropDownList(), nullptr);
    EXPECT_EQ(macro.DropDownList()->count(), 2);
    QTest::mouseMove(&macro, QPoint(279, 262));
    SaveShot(macro, QStringLiteral("macro-key-") + GetParam());
    QTest::mouseClick(&macro, Qt::LeftButton, {}, QPoint(30, 200)); // elsewhere: closes it
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(macro.DropDownList(), nullptr);
    EXPECT_EQ(macro.m_nMacro, -1);
}

INSTANTIATE_TEST_SUITE_P(Languages, DialogScreenshots, ::testing::Values("EN", "DE", "CHS", "CHT"));

} // namespace
} // namespace zentro::test
