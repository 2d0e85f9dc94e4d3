// What a screen reader learns of the main window, read through Qt's accessibility interfaces
// (what the AT-SPI bridge hands to the desktop): every control's role and name, in the language
// of the window.

#include "support/MainWindowFixture.h"

#include <QAccessible>
#include <QAccessibleValueInterface>

#include <functional>
#include <map>
#include <set>

#include "controls/SkinKit.h"
#include "profile/ProfileRecord.h"
#include "settings/ui/DlgAdvance.h"
#include "settings/ui/PageColumnPart.h"

namespace zentro::test {
namespace {

struct Node {
    QAccessible::Role role;
    QString name;
    QString value;
    bool checked;
    bool invisible;
};

// The tree under `root`, depth first.
std::vector<Node> Walk(QAccessibleInterface* root)
{
    std::vector<Node> nodes;
    std::function<void(QAccessibleInterface*, int)> visit = [&](QAccessibleInterface* iface,
                                                                int depth) {
        if (iface == nullptr || depth > 12)
            return;
        const QAccessible::State state = iface->state();
        nodes.push_back({iface->role(), iface->text(QAccessible::Name),
                         iface->text(QAccessible::Value), state.checked != 0,
                         state.invisible != 0});
        for (int i = 0; i < iface->childCount(); ++i) {
            QAccessibleInterface* child = iface->child(i);
            EXPECT_NE(child, nullptr);
            if (child != nullptr) {
                EXPECT_EQ(child->parent(), iface) << "a child that does not know its parent";
                EXPECT_EQ(iface->indexOfChild(child), i);
            }
            visit(child, depth + 1);
        }
    };
    visit(root, 0);
    return nodes;
}

struct Language {
    const char* code;
    // Names that must be read, as the window of that language shows or means them.
    std::vector<QString> buttons;
    QString dpiStage1;
    QString ySensitivity;
};

const Language kLanguages[] = {
    {"EN",
     {"Apply", "Cancel", "Reset", "Config", "Top View", "Side View", "DPI Setting", "Lighting",
      "Close", "Minimize", "Help"},
     "DPI stage 1",
     "y-Axis sensitivity"},
    {"DE",
     {"Anwenden", "Abbrechen", "Zurücksetzen", "Spiel-Profile", "Top view", "Side View",
      "DPI-Einstellung", "Polling-Rate", "Schließen", "Minimieren", "Hilfe"},
     "DPI-Stufe 1",
     "Empfindlichkeit y-Achse"},
};

class MainWindowAccessibility : public MainWindowFixture,
                                public ::testing::WithParamInterface<Language> {};

TEST_P(MainWindowAccessibility, EveryControlHasARoleAndANameInTheWindowsLanguage)
{
    const Language& lang = GetParam();
    SetLanguage(lang.code);
    CreateWindow();
    m_dlg->show();
    CDlgadvance* column = m_dlg->Part<CPageColumnPart>()->Column();
    ASSERT_NE(column, nullptr);
    for (int k = 1; k <= 7; ++k)
        column->SetSectionCollapsed(k, 0);
    Deliver();

    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(m_dlg.get());
    ASSERT_NE(window, nullptr);
    const std::vector<Node> nodes = Walk(window);

    std::multiset<QString> buttons;
    int unnamed = 0;
    std::map<QAccessible::Role, int> roles;
    for (const Node& n : nodes) {
        ++roles[n.role];
        if (n.role == QAccessible::Button) {
            buttons.insert(n.name);
            unnamed += n.name.trimmed().isEmpty();
        }
    }
    EXPECT_GE(buttons.size(), 32u);
    EXPECT_EQ(unnamed, 0) << "push buttons without a name";
    for (const QString& name : lang.buttons)
        EXPECT_TRUE(buttons.count(name)) << "no button named " << name.toStdString();
    // the seven page title bars, in the window's language
    for (int k = 1; k <= 7; ++k)
        EXPECT_TRUE(buttons.count(UiText(IDS_DPI_SETTING + k - 1))) << "title bar " << k;

    // sliders: named, with their value
    std::set<QString> sliders;
    for (const Node& n : nodes)
        if (n.role == QAccessible::Slider) {
            EXPECT_FALSE(n.name.isEmpty()) << "a slider without a name";
            EXPECT_FALSE(n.value.isEmpty()) << n.name.toStdString();
            sliders.insert(n.name);
        }
    EXPECT_EQ(sliders.size(), 7u + 3u + 2u) << "DPI stages, lighting modes and both axes";
    EXPECT_TRUE(sliders.count(lang.dpiStage1));
    EXPECT_TRUE(sliders.count(lang.ySensitivity));

    // painted controls of the pages
    EXPECT_EQ(roles[QAccessible::Dial], 3) << "polling rate, mouse speed, double-click speed";
    EXPECT_EQ(roles[QAccessible::CheckBox], 7) << "one switch per DPI stage";
    EXPECT_EQ(roles[QAccessible::RadioButton], 3 + 2 + 2)
        << "lighting modes, scroll choice, angle snapping on and off";
    int dialsNamed = 0;
    for (const Node& n : nodes)
        if (n.role == QAccessible::Dial) {
            EXPECT_FALSE(n.value.isEmpty()) << n.name.toStdString();
            dialsNamed += n.name == UiText(IDS_POLLING_RATE) || n.name == UiText(IDS_MOUSE_SPEED) ||
                          n.name == UiText(IDS_DOUBLE_CLICK_SPEED);
        }
    EXPECT_EQ(dialsNamed, 3);

    for (int k = 1; k <= 7; ++k)
        column->SetSectionCollapsed(k, 1);
}

// The painted check boxes follow the record and sit where they are drawn.
TEST_P(MainWindowAccessibility, PaintedSwitchesReportTheirStateAndPlace)
{
    SetLanguage(GetParam().code);
    CreateWindow();
    m_dlg->show();
    CDlgadvance* column = m_dlg->Part<CPageColumnPart>()->Column();
    column->SetSectionCollapsed(1, 0);
    Deliver();
    QWidget* page = column->Page(1);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(page);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->text(QAccessible::Name), UiText(IDS_DPI_SETTING));
    const int stage = 2;
    const uint8_t before = g_ProfileRecord.DPIEnable[stage - 1];
    for (uint8_t enabled : {uint8_t(0), uint8_t(1)}) {
        g_ProfileRecord.DPIEnable[stage - 1] = enabled;
        QAccessibleInterface* found = nullptr;
        for (int i = 0; i < iface->childCount(); ++i) {
            QAccessibleInterface* child = iface->child(i);
            if (child->role() == QAccessible::CheckBox &&
                child->text(QAccessible::Name) == QString(GetParam().dpiStage1).replace("1", "2"))
                found = child;
        }
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->state().checked != 0, enabled != 0);
        EXPECT_TRUE(found->state().checkable);
        // the screen reader's pointer query finds it where it is painted
        const QPoint centre = found->rect().center();
        EXPECT_EQ(iface->childAt(centre.x(), centre.y()), found);
    }
    g_ProfileRecord.DPIEnable[stage - 1] = before;
    column->SetSectionCollapsed(1, 1);
}

INSTANTIATE_TEST_SUITE_P(Languages, MainWindowAccessibility, ::testing::ValuesIn(kLanguages),
                         [](const auto& info) { return std::string(info.param.code); });

} // namespace
} // namespace zentro::test
