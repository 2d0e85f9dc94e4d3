#include "controls/VirtualKeyTranslation.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "app/QtKeyboardCapture.h"
#include "buttons/KeyTable.h"
#include "macros/MacroKeyNames.h"

namespace zentro {
namespace {

struct KeyRow {
    int qtKey;
    bool keypad;
    uint32_t keysym; // X11 keysym of the event, 0 when none
    uint32_t vk;     // what the hook procedures name (keypad Enter already 0x6C)
    bool extended;
    const char* name; // GetKeyStr of vk
};

// Keys as a person presses them, with the name the key dialog and the recorder show.
const KeyRow kKeys[] = {
    {Qt::Key_A, false, 0x61, 0x41, false, "A"},
    {Qt::Key_Z, false, 0x7A, 0x5A, false, "Z"},
    {Qt::Key_0, false, 0x30, 0x30, false, "0"},
    {Qt::Key_7, false, 0x37, 0x37, false, "7"},
    {Qt::Key_Exclam, false, 0x21, 0x31, false, "1"}, // Shift+1 is still the 1 key
    {Qt::Key_Underscore, false, 0x5F, 0xBD, false, "-"},
    {Qt::Key_F1, false, 0xFFBE, 0x70, false, "F1"},
    {Qt::Key_F12, false, 0xFFC9, 0x7B, false, "F12"},
    {Qt::Key_0, true, 0xFFB0, 0x60, false, "Num 0"},
    {Qt::Key_9, true, 0xFFB9, 0x69, false, "Num 9"},
    {Qt::Key_Asterisk, true, 0xFFAA, 0x6A, false, "Num *"},
    {Qt::Key_Plus, true, 0xFFAB, 0x6B, false, "Num +"},
    {Qt::Key_Minus, true, 0xFFAD, 0x6D, false, "Num -"},
    {Qt::Key_Period, true, 0xFFAE, 0x6E, false, "Num Del"},
    {Qt::Key_Slash, true, 0xFFAF, 0x6F, true, "Num /"},
    {Qt::Key_Enter, true, 0xFF8D, 0x6C, true, "Num Enter"},
    {Qt::Key_Return, false, 0xFF0D, 0x0D, false, "Enter"},
    {Qt::Key_Home, true, 0xFF95, 0x24, false, "Home"}, // keypad with Num Lock off
    {Qt::Key_Home, false, 0xFF50, 0x24, true, "Home"},
    {Qt::Key_Left, false, 0xFF51, 0x25, true, "Left"},
    {Qt::Key_Delete, false, 0xFFFF, 0x2E, true, "Delete"},
    {Qt::Key_Print, false, 0xFF61, 0x2C, true, "Prnt Scrn"},
    {Qt::Key_NumLock, false, 0xFF7F, 0x90, true, "Num Lock"},
    {Qt::Key_Escape, false, 0xFF1B, 0x1B, false, "Esc"},
    {Qt::Key_Space, false, 0x20, 0x20, false, "Space"},
    {Qt::Key_Shift, false, 0xFFE1, 0xA0, false, "Shift"},
    {Qt::Key_Shift, false, 0xFFE2, 0xA1, false, "Right Shift"},
    {Qt::Key_Control, false, 0xFFE3, 0xA2, false, "Ctrl"},
    {Qt::Key_Control, false, 0xFFE4, 0xA3, true, "Right Ctrl"},
    {Qt::Key_Alt, false, 0xFFE9, 0xA4, false, "Alt"},
    {Qt::Key_Alt, false, 0xFFEA, 0xA5, true, "Right Alt"},
    {Qt::Key_AltGr, false, 0xFE03, 0xA5, true, "Right Alt"},
    {Qt::Key_Shift, false, 0, 0xA0, false, "Shift"}, // no keysym: the left key
    {Qt::Key_Meta, false, 0xFFEB, 0x5B, true, "Left Windows"},
    {Qt::Key_Super_R, false, 0xFFEC, 0x5C, true, "Right Windows"},
    {Qt::Key_Menu, false, 0xFF67, 0x5D, true, "App"},
    {Qt::Key_VolumeUp, false, 0x1008FF13, 0xAF, true, ""}, // a key without a name
    {Qt::Key_LaunchMail, false, 0x1008FF19, 0x00, false, ""},
};

TEST(VirtualKeyTranslation, KeysGiveTheirCodeFlagsAndName)
{
    for (const KeyRow& row : kKeys) {
        for (bool released : {false, true}) {
            const Qt::KeyboardModifiers mods = row.keypad ? Qt::KeypadModifier : Qt::NoModifier;
            const QKeyEvent event(released ? QEvent::KeyRelease : QEvent::KeyPress, row.qtKey, mods,
                                  0, row.keysym, 0);
            const CapturedKey key = TranslateKeyEvent(event);
            const std::string what =
                std::string(row.name) + " key 0x" + QString::number(row.qtKey, 16).toStdString();
            EXPECT_EQ(HookKeyCode(key), row.vk) << what;
            EXPECT_EQ(key.extended, row.extended) << what;
            EXPECT_EQ(key.released, released) << what;
            EXPECT_EQ(GetKeyStr(HookKeyCode(key)), row.name) << what;
        }
    }
    EXPECT_TRUE(IsWindowsKey(0x5B));
    EXPECT_TRUE(IsWindowsKey(0x5C));
    EXPECT_FALSE(IsWindowsKey(0x5D));
}

// Every key the capture takes by its position: its usage has names on both sides that store
// that usage, each key has a hook code of its own (the recorder's repeat filter tells them
// apart), and where the recorder named the key by its code before, the name is unchanged, so
// recordings made on a US layout read the same as ever.
TEST(VirtualKeyTranslation, KeysTakenByPositionKeepTheirUsageThroughTheStoredNames)
{
    std::set<uint32_t> codes;
    int positions = 0;
    for (uint32_t keycode = 0; keycode < 300; ++keycode) {
        const uint8_t usage = UsageOfXkbKeycode(keycode);
        if (usage == 0)
            continue;
        ++positions;
        const std::string what = "keycode " + std::to_string(keycode);
        EXPECT_EQ(XkbKeycodeOfUsage(usage), keycode) << what;
        // The symbol Qt reports does not matter, only the place of the key.
        const CapturedKey key = TranslateQtKey(Qt::Key_unknown, Qt::NoModifier, 0, false, keycode);
        EXPECT_EQ(key.usage, usage) << what;
        const std::string recorded = MacroKeyNameForUsage(usage);
        ASSERT_FALSE(recorded.empty()) << what;
        EXPECT_EQ(MacroKeyNameToUsage(recorded), usage) << what << " " << recorded;
        EXPECT_EQ(KeyNameToUsage(KeyUsageToName(usage)), usage) << what;
        const uint32_t code = HookKeyCode(key);
        EXPECT_TRUE(codes.insert(code).second) << what << " shares code " << code;
        if (!GetKeyStr(code).empty())
            EXPECT_EQ(GetKeyStr(code), recorded) << what;
        else
            EXPECT_TRUE(key.vkCode == 0 || key.vkCode >= 0x7C) << what; // F13-F24 were unnamed
    }
    EXPECT_GE(positions, 120);
    // Outside the table, or without a keycode, the symbol decides as before.
    for (uint32_t keycode : {0u, 7u, 8u + 240u, 100000u})
        EXPECT_EQ(TranslateQtKey(Qt::Key_A, Qt::NoModifier, 0x61, false, keycode),
                  (CapturedKey{0x41, false, false, 0}))
            << keycode;
}

// The capture as it runs where no keyboard grab exists: the owner's window listens, every key
// goes to the sink and none to a widget; auto-repeat gives presses only.
TEST(QtKeyboardCapture, KeysOfTheOwnerGoToTheSinkOnly)
{
    QWidget owner;
    auto* edit = new QLineEdit(&owner);
    owner.show();
    edit->setFocus();
    CQtKeyboardCapture capture;
    std::vector<CapturedKey> keys;
    int error = 0;
    ASSERT_TRUE(capture.Start(
        &owner, [&](const CapturedKey& k) { keys.push_back(k); }, &error));
    EXPECT_TRUE(capture.IsCapturing());
    EXPECT_FALSE(capture.IsExclusive()); // offscreen: no grab

    QTest::keyClick(edit, Qt::Key_B);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, QString(), true);
    QKeyEvent repeatUp(QEvent::KeyRelease, Qt::Key_B, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(edit, &repeat);
    QApplication::sendEvent(edit, &repeatUp);
    EXPECT_EQ(edit->text(), "");
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0], (CapturedKey{0x42, false, false}));
    EXPECT_EQ(keys[1], (CapturedKey{0x42, false, true}));
    EXPECT_EQ(keys[2], (CapturedKey{0x42, false, false}));

    // Another window keeps its keys.
    QLineEdit other;
    other.show();
    QTest::keyClick(&other, Qt::Key_C);
    EXPECT_EQ(other.text(), "c");
    EXPECT_EQ(keys.size(), 3u);

    capture.Stop();
    EXPECT_FALSE(capture.IsCapturing());
    QTest::keyClick(edit, Qt::Key_D);
    EXPECT_EQ(edit->text(), "d");
    EXPECT_EQ(keys.size(), 3u);

    EXPECT_FALSE(capture.Start(
        nullptr, [](const CapturedKey&) {}, &error));
    EXPECT_EQ(error, CQtKeyboardCapture::ERROR_NO_OWNER);
}

} // namespace
} // namespace zentro
