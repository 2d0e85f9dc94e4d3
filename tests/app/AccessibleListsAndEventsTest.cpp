// What a screen reader learns of the program's lists (the profile list, the macro manager's two
// lists and the macro drop-down), read through Qt's accessibility interfaces, and the events
// that tell it of changes made with the pointer: a switch toggled, a dial turned, a marker
// slider moved, a list's selection changed.

#include "macros/ui/MacroManagerFixture.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QTest>

#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <private/qguiapplication_p.h>

#include <functional>

#include "controls/ExMenu.h"
#include "controls/ListBoxEx.h"
#include "macros/ui/MacroProgramDialog.h"
#include "profile/ProfileRecord.h"
#include "profile/ui/ConfigDialog.h"
#include "settings/ui/DMarker.h"
#include "settings/ui/DlgAdvance.h"
#include "settings/ui/HalfDialLayout.h"
#include "settings/ui/PageColumnPart.h"
#include "settings/ui/SensitivityPanel.h"
#include "text/LanguageTexts.h"
#include "text/UiTextIds.h"

namespace zentro::test {
namespace {

QString Program(int id)
{
    return QString::fromStdString(ProgramText(id));
}

// ---- lists ----

struct ListCase {
    const char* name;
    const char* language;
    int nameId;                                             // ProgramTextId of the list's name
    std::function<QListWidget*(MacroManagerFixture&)> open; // opens it, gives the list
};

class AccessibleLists : public MacroManagerFixture, public ::testing::WithParamInterface<ListCase> {
public:
    CMacroProgramDialog* Manager() { return m_manager.get(); }
    void Open() { OpenManager(); }
    void Click(const QPoint& point) { ClickAt(point); }
    CMouseConfigurationDlg* Window() { return m_dlg.get(); }
};

QListWidget* ProfileList(MacroManagerFixture& f)
{
    auto& self = static_cast<AccessibleLists&>(f);
    self.Click(QPoint(54, 619)); // Config
    auto* popup = self.Window()->findChild<CConfigDialog*>();
    if (popup == nullptr)
        return nullptr;
    QTest::mouseClick(popup, Qt::LeftButton, Qt::NoModifier, CConfigDialog::NEW_AREA.center());
    return popup->List();
}

QListWidget* MacroNames(MacroManagerFixture& f)
{
    auto& self = static_cast<AccessibleLists&>(f);
    self.Open();
    return self.Manager()->m_lbSelMacro;
}

QListWidget* MacroSteps(MacroManagerFixture& f)
{
    auto& self = static_cast<AccessibleLists&>(f);
    self.Open();
    return self.Manager()->m_lbItems;
}

const ListCase kLists[] = {
    {"ProfilesEN", "EN", IDP_PROFILE_LIST, ProfileList},
    {"ProfilesDE", "DE", IDP_PROFILE_LIST, ProfileList},
    {"MacroNamesEN", "EN", IDP_MACRO_LIST, MacroNames},
    {"MacroNamesDE", "DE", IDP_MACRO_LIST, MacroNames},
    {"MacroStepsEN", "EN", IDP_MACRO_STEPS, MacroSteps},
    {"MacroStepsDE", "DE", IDP_MACRO_STEPS, MacroSteps},
};

// Each list is a List named in the window's language; its entries are ListItems named by their
// text, in order, selected as the list shows, found where they are drawn.
TEST_P(AccessibleLists, AreNamedListsOfNamedItems)
{
    const ListCase& c = GetParam();
    SetLanguage(c.language);
    CreateWindow();
    m_dlg->show();
    WriteMacros({{"First", "3", {"A   Dn", "120 ms", "A   Up"}}, {"Second", "1", {"B   Dn"}}});
    QListWidget* list = c.open(*this);
    ASSERT_NE(list, nullptr);
    Deliver();
    ASSERT_GE(list->count(), 2) << "a list to read";
    list->setCurrentRow(1);

    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(list);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::List);
    EXPECT_EQ(iface->text(QAccessible::Name), Program(c.nameId));
    EXPECT_FALSE(iface->text(QAccessible::Name).isEmpty());
    ASSERT_EQ(iface->childCount(), list->count());
    for (int row = 0; row < list->count(); ++row) {
        QAccessibleInterface* item = iface->child(row);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->role(), QAccessible::ListItem);
        EXPECT_EQ(item->text(QAccessible::Name), list->item(row)->text());
        EXPECT_EQ(item->parent(), iface);
        EXPECT_EQ(iface->indexOfChild(item), row);
        EXPECT_EQ(item->state().selected != 0, row == 1) << row;
        EXPECT_TRUE(item->state().selectable);
        const QPoint centre = item->rect().center();
        EXPECT_EQ(iface->childAt(centre.x(), centre.y()), item) << row;
    }
    EXPECT_EQ(iface->child(list->count()), nullptr);
}

// An entry renamed in place: the edit field over it is the list's child after the entries, so
// the focus a screen reader is told of lies inside the list.
TEST_F(AccessibleLists, TheRenameFieldIsAChildOfTheList)
{
    CreateWindow();
    m_dlg->show();
    WriteMacros({{"First", "1", {"A   Dn"}}, {"Second", "1", {"B   Dn"}}});
    OpenManager();
    CListBoxEx* list = m_manager->m_lbSelMacro;
    SelectMacro(1);
    ClickEntry(list, 1, true); // a second click on the selected name renames it
    Deliver();
    CLBEditorWnd* editor = OpenEditor(list);
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(editor->isVisible());

    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(list);
    ASSERT_EQ(iface->childCount(), list->count() + 1);
    QAccessibleInterface* field = iface->child(list->count());
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->object(), editor);
    EXPECT_EQ(field->role(), QAccessible::EditableText);
    EXPECT_EQ(field->parent(), iface);
    EXPECT_EQ(iface->indexOfChild(field), list->count());
    const QPoint centre = field->rect().center();
    EXPECT_EQ(iface->childAt(centre.x(), centre.y()), field) << "the field covers the entry";
}

INSTANTIATE_TEST_SUITE_P(Lists, AccessibleLists, ::testing::ValuesIn(kLists),
                         [](const auto& info) { return std::string(info.param.name); });

// Every language of the program has every program text (the lists' names among them), so no
// control is read out nameless in any language.
TEST(ProgramTexts, EveryLanguageHasEveryText)
{
    const std::string before = g_strLanguage;
    for (const char* language : {"EN", "DE", "CHS", "CHT"}) {
        g_strLanguage = language;
        for (int id = 0; id < PROGRAM_TEXT_COUNT; ++id)
            EXPECT_FALSE(ProgramText(id).empty()) << language << " " << id;
    }
    g_strLanguage = before;
}

// ---- events ----

struct Recorded {
    QAccessible::Event type;
    QAccessible::Role role;
    QString name;
    bool checkedChanged;
    QVariant value;
    bool selected;
};

std::vector<Recorded>* g_recorded = nullptr;

void RecordEvent(QAccessibleEvent* event)
{
    if (g_recorded == nullptr)
        return;
    QAccessibleInterface* iface = event->accessibleInterface();
    Recorded r{event->type(),
               iface != nullptr ? iface->role() : QAccessible::NoRole,
               iface != nullptr ? iface->text(QAccessible::Name) : QString(),
               false,
               QVariant(),
               iface != nullptr && iface->state().selected};
    if (event->type() == QAccessible::StateChanged)
        r.checkedChanged =
            static_cast<QAccessibleStateChangeEvent*>(event)->changedStates().checked;
    if (event->type() == QAccessible::ValueChanged)
        r.value = static_cast<QAccessibleValueChangeEvent*>(event)->value();
    g_recorded->push_back(r);
}

// Records the accessibility events posted while it lives, as the desktop's bridge would get
// them (accessibility switched on, as when a screen reader runs).
class CEventRecorder {
public:
    CEventRecorder()
    {
        QPlatformAccessibility* platform =
            QGuiApplicationPrivate::platformIntegration()->accessibility();
        if (platform != nullptr)
            platform->setActive(true);
        g_recorded = &m_events;
        m_previous = QAccessible::installUpdateHandler(&RecordEvent);
    }
    ~CEventRecorder()
    {
        QAccessible::installUpdateHandler(m_previous);
        g_recorded = nullptr;
        if (QPlatformAccessibility* platform =
                QGuiApplicationPrivate::platformIntegration()->accessibility())
            platform->setActive(false);
    }
    bool Active() const { return QAccessible::isActive(); }
    void Clear() { m_events.clear(); }
    std::vector<Recorded> Of(QAccessible::Event type, QAccessible::Role role) const
    {
        std::vector<Recorded> found;
        for (const Recorded& r : m_events)
            if (r.type == type && r.role == role)
                found.push_back(r);
        return found;
    }

private:
    std::vector<Recorded> m_events;
    QAccessible::UpdateHandler m_previous = nullptr;
};

class AccessibleEvents : public MacroManagerFixture {
protected:
    // The painted control of `page` with this role and name, or null.
    static QAccessibleInterface* Painted(QWidget* page, QAccessible::Role role, const QString& name)
    {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(page);
        for (int i = 0; iface != nullptr && i < iface->childCount(); ++i) {
            QAccessibleInterface* child = iface->child(i);
            if (child != nullptr && child->role() == role && child->text(QAccessible::Name) == name)
                return child;
        }
        return nullptr;
    }
    // Clicks `page` where a painted control is drawn.
    static void ClickControl(QWidget* page, QAccessibleInterface* control)
    {
        QTest::mouseClick(page, Qt::LeftButton, Qt::NoModifier,
                          page->mapFromGlobal(control->rect().center()));
    }
};

// Clicking a DPI stage's switch posts a change of its checked state; turning the mouse speed
// dial posts its new level; a marker slider posts each new position; a click on a list entry
// posts the selection and focus of that entry. Nothing is posted with no one listening.
TEST_F(AccessibleEvents, PointerChangesAreAnnounced)
{
    CreateWindow();
    m_dlg->show();
    m_dlg->activateWindow();
    CDlgadvance* column = m_dlg->Part<CPageColumnPart>()->Column();
    column->SetSectionCollapsed(1, 0);
    column->SetSectionCollapsed(4, 0);
    Deliver();
    QWidget* dpi = column->Page(1);
    QWidget* speed = column->Page(4);

    // no screen reader: nothing posted, nothing asked
    {
        std::vector<Recorded> none;
        g_recorded = &none;
        QAccessible::installUpdateHandler(&RecordEvent);
        QAccessibleInterface* stage2 =
            Painted(dpi, QAccessible::CheckBox, Program(IDP_DPI_STAGE).arg(2));
        ASSERT_NE(stage2, nullptr);
        ClickControl(dpi, stage2);
        QAccessible::installUpdateHandler(nullptr);
        g_recorded = nullptr;
        EXPECT_TRUE(none.empty());
    }

    CEventRecorder recorder;
    ASSERT_TRUE(recorder.Active()) << "the platform cannot switch accessibility on";

    // the switch, both ways
    const QString stage2Name = Program(IDP_DPI_STAGE).arg(2);
    for (int k = 0; k < 2; ++k) {
        recorder.Clear();
        const uint8_t before = g_ProfileRecord.DPIEnable[1];
        QAccessibleInterface* stage2 = Painted(dpi, QAccessible::CheckBox, stage2Name);
        ASSERT_NE(stage2, nullptr);
        ClickControl(dpi, stage2);
        ASSERT_NE(g_ProfileRecord.DPIEnable[1], before) << "the click did not toggle the switch";
        const auto changes = recorder.Of(QAccessible::StateChanged, QAccessible::CheckBox);
        ASSERT_EQ(changes.size(), 1u);
        EXPECT_EQ(changes[0].name, stage2Name);
        EXPECT_TRUE(changes[0].checkedChanged);
        EXPECT_EQ(Painted(dpi, QAccessible::CheckBox, stage2Name)->state().checked != 0,
                  g_ProfileRecord.DPIEnable[1] != 0);
    }

    // the half dial: the left end is level 1, straight up level 7
    const QString speedName = speed->accessibleName();
    QAccessibleInterface* dial = Painted(speed, QAccessible::Dial, speedName);
    ASSERT_NE(dial, nullptr);
    ASSERT_NE(dial->valueInterface(), nullptr);
    EXPECT_EQ(dial->valueInterface()->minimumValue().toInt(), 1);
    EXPECT_EQ(dial->valueInterface()->maximumValue().toInt(), 11);
    using HalfDialLayout::CENTRE;
    for (const auto& [dx, dy, level] : {std::tuple{-57, 0, 1}, std::tuple{0, -57, 7}}) {
        recorder.Clear();
        QTest::mouseClick(speed, Qt::LeftButton, Qt::NoModifier, CENTRE + QPoint(dx, dy));
        const auto values = recorder.Of(QAccessible::ValueChanged, QAccessible::Dial);
        const bool changed = dial->valueInterface()->currentValue().toInt() == level;
        ASSERT_TRUE(changed);
        if (values.empty()) {
            continue; // the dial was already there (only the first click may be)
        }
        ASSERT_EQ(values.size(), 1u);
        EXPECT_EQ(values[0].value.toInt(), level);
    }
    recorder.Clear();
    QTest::mouseClick(speed, Qt::LeftButton, Qt::NoModifier, CENTRE + QPoint(-57, 0));
    ASSERT_EQ(recorder.Of(QAccessible::ValueChanged, QAccessible::Dial).size(), 1u)
        << "from 7 to 1";
    recorder.Clear();
    QTest::mouseClick(speed, Qt::LeftButton, Qt::NoModifier, CENTRE + QPoint(-57, 0));
    EXPECT_TRUE(recorder.Of(QAccessible::ValueChanged, QAccessible::Dial).empty())
        << "a click that changes nothing announces nothing";

    // a marker slider set to a new position
    CMarkerSlider* slider = nullptr;
    for (CMarkerSlider* s : dpi->findChildren<CMarkerSlider*>())
        if (s->isVisible() && s->m_nMax > s->m_nMin)
            slider = s;
    ASSERT_NE(slider, nullptr);
    recorder.Clear();
    const int target = slider->GetPos() == slider->m_nMin ? slider->m_nMin + 1 : slider->m_nMin;
    slider->SetPos(target);
    const auto moved = recorder.Of(QAccessible::ValueChanged, QAccessible::Slider);
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0].value.toInt(), target);

    // a click on the second macro
    WriteMacros({{"First", "3", {"A   Dn", "120 ms", "A   Up"}}, {"Second", "1", {"B   Dn"}}});
    OpenManager();
    m_manager->activateWindow();
    recorder.Clear();
    SelectMacro(1);
    const auto added = recorder.Of(QAccessible::SelectionAdd, QAccessible::ListItem);
    ASSERT_FALSE(added.empty()) << "no selection event for the entry";
    EXPECT_EQ(added.back().name, "Second");
    EXPECT_TRUE(added.back().selected);
    const auto removed = recorder.Of(QAccessible::SelectionRemove, QAccessible::ListItem);
    ASSERT_FALSE(removed.empty());
    EXPECT_EQ(removed.back().name, "First");
    EXPECT_FALSE(removed.back().selected);

    column->SetSectionCollapsed(1, 1);
    column->SetSectionCollapsed(4, 1);
}

} // namespace
} // namespace zentro::test
