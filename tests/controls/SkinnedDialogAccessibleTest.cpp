// The painted buttons of a skinned dialog, read through Qt's accessibility interfaces.

#include "support/GuiTestSupport.h"

#include "controls/SkinnedDialog.h"
#include "text/LanguageTexts.h"

#include <QAccessible>

using namespace zentro;

namespace {

class CTwoButtonDialog : public CSkinnedDialog {
public:
    CTwoButtonDialog()
    {
        setFixedSize(200, 100);
        AddButton(QRect(180, 4, 15, 15), "Skins/button-close-normal.png",
                  "Skins/button-close-over.png");
        AddButton(QRect(20, 60, 60, 25), "Skins/MacroManagement/button-new-normal.png",
                  "Skins/MacroManagement/button-new-over.png", "OK");
    }
};

struct DialogLanguage {
    const char* code;
    const char* close;
};

class SkinnedDialogAccessible : public ::testing::TestWithParam<DialogLanguage> {};

TEST_P(SkinnedDialogAccessible, PaintedButtonsArePushButtonsNamedInTheLanguage)
{
    LoadLanguageTexts(GetParam().code);
    g_strLanguage = GetParam().code;
    {
        CTwoButtonDialog dialog;
        dialog.show();
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&dialog);
        ASSERT_NE(iface, nullptr);
        EXPECT_EQ(iface->role(), QAccessible::Dialog);
        ASSERT_EQ(iface->childCount(), 2);
        const QString expected[] = {QString::fromUtf8(GetParam().close), "OK"};
        for (int i = 0; i < 2; ++i) {
            QAccessibleInterface* button = iface->child(i);
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->role(), QAccessible::Button);
            EXPECT_EQ(button->text(QAccessible::Name), expected[i]);
            EXPECT_EQ(button->parent(), iface);
            const QPoint centre = button->rect().center();
            EXPECT_EQ(iface->childAt(centre.x(), centre.y()), button) << i;
        }
        // nothing painted under a point between the buttons
        const QPoint empty = dialog.mapToGlobal(QPoint(120, 40));
        EXPECT_EQ(iface->childAt(empty.x(), empty.y()), nullptr);
    }
    ResetTextTablesForTest();
}

INSTANTIATE_TEST_SUITE_P(Languages, SkinnedDialogAccessible,
                         ::testing::Values(DialogLanguage{"EN", "Close"},
                                           DialogLanguage{"DE", "Schließen"},
                                           DialogLanguage{"CHT", "關閉"}),
                         [](const auto& info) { return std::string(info.param.code); });

} // namespace
