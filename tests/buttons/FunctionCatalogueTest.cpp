#include "buttons/FunctionCatalogue.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "profile/ProfileRecord.h"
#include "text/LanguageTexts.h"

namespace zentro {
namespace {

class FunctionCatalogueTest : public ::testing::Test {
protected:
    void SetUp() override { ResetTextTablesForTest(); }
    void TearDown() override { ResetTextTablesForTest(); }
};

enum class Arr { None, Dpi, Media, Basic, Command };

struct SimpleRow {
    int id;
    uint8_t function;
    Arr array;
    uint8_t value;
    const char* english;
    const char* german;
};

// Every entry that stores without a dialog, with its labels in English and German.
const SimpleRow kSimple[] = {
    {2001, 0, Arr::None, 0, "Click", "Klick"},
    {2002, 1, Arr::None, 0, "Menu", "Menü"},
    {2003, 2, Arr::None, 0, "Scroll ", "Scrollen"},
    {2004, 3, Arr::None, 0, "Forward", "Vorwärts"},
    {2005, 4, Arr::None, 0, "Back", "Zurück"},
    {2006, 5, Arr::None, 0, "Double-Click", "Doppelklick"},
    {2007, 15, Arr::None, 0, "Left Tilt Scroll", "Left Tilt Scroll"},
    {2008, 16, Arr::None, 0, "Right Tilt Scroll", "Right Tilt Scroll"},
    {2013, 13, Arr::None, 0, "Deactivated", "Deaktiviert"},
    {2020, 6, Arr::Dpi, 1, "DPI +", "DPI +"},
    {2021, 6, Arr::Dpi, 2, "DPI -", "DPI -"},
    {2022, 6, Arr::Dpi, 3, "DPI Loop", "DPI Schleife"},
    {2050, 7, Arr::Media, 0x83, "Open Media Player", "Mediaplayer öffnen"},
    {2051, 7, Arr::Media, 0xB5, "Next Track", "Nächster Titel"},
    {2052, 7, Arr::Media, 0xB6, "Previous Track", "Vorheriger Titel"},
    {2053, 7, Arr::Media, 0xB7, "Stop", "Stopp"},
    {2054, 7, Arr::Media, 0xCD, "Play/Pause", "Play/Pause"},
    {2055, 7, Arr::Media, 0xE2, "Mute", "Stumm"},
    {2056, 7, Arr::Media, 0xE9, "Volume Up", "Lautstärke +"},
    {2057, 7, Arr::Media, 0xEA, "Volume Down", "Lautstärke -"},
    {2060, 8, Arr::Basic, 0x11, "New", "Neu"},
    {2061, 8, Arr::Basic, 0x1B, "Cut", "Ausschneiden"},
    {2062, 8, Arr::Basic, 0x06, "Copy", "Kopieren"},
    {2063, 8, Arr::Basic, 0x19, "Paste", "Einfügen"},
    {2064, 8, Arr::Basic, 0x16, "Save", "Speichern"},
    {2065, 8, Arr::Basic, 0x13, "Print", "Drucken"},
    {2066, 8, Arr::Basic, 0x09, "Find", "Suchen"},
    {2067, 8, Arr::Basic, 0x1C, "Redo", "Wiederherstellen"},
    {2068, 8, Arr::Basic, 0x1D, "Undo", "Rückgängig machen"},
    {2069, 8, Arr::Basic, 0x04, "Select All", "Alles auswählen"},
    {2030, 9, Arr::Command, 0, "My computer", "Arbeitsplatz"},
    {2031, 9, Arr::Command, 1, "Web Home", "Web: Startseite"},
    {2032, 9, Arr::Command, 2, "Search Computer", "Computer durchsuchen"},
    {2033, 9, Arr::Command, 3, "Maximize", "Maximieren"},
    {2034, 9, Arr::Command, 4, "Minimize", "Minimieren"},
    {2035, 9, Arr::Command, 5, "Show desktop", "Desktop anzeigen"},
    {2036, 9, Arr::Command, 6, "Run", "Ausführen"},
};

uint8_t ArrayByte(const ProfileRecord& r, Arr array, size_t b)
{
    switch (array) {
    case Arr::Dpi:
        return r.ButtonDPIAction[b];
    case Arr::Media:
        return r.Media(b);
    case Arr::Basic:
        return r.Basic(b);
    case Arr::Command:
        return r.Command(b);
    default:
        return 0;
    }
}

// Each simple entry, on every button index: ButtonFunction and its own parameter are written
// (buttons 8-11 into their own bytes), every other byte of the record stays as it was.
TEST_F(FunctionCatalogueTest, SimpleEntriesStoreFunctionAndOnlyTheirOwnParameter)
{
    for (const SimpleRow& row : kSimple) {
        for (size_t b = 0; b < BUTTON_COUNT; ++b) {
            ProfileRecord record;
            std::memset(&record, 0x5A, sizeof record);
            const ProfileRecord before = record;
            ASSERT_TRUE(StoreCatalogueEntry(record, b, row.id)) << row.id;
            EXPECT_EQ(record.ButtonFunction[b], row.function) << row.id << " b" << b;
            if (row.array != Arr::None) {
                EXPECT_EQ(ArrayByte(record, row.array, b), row.value) << row.id << " b" << b;
            }
            // Exactly the function byte and (at most) one parameter byte changed.
            int changed = 0;
            for (size_t i = 0; i < PROFILE_RECORD_SIZE; ++i)
                changed += record.Bytes()[i] != before.Bytes()[i];
            EXPECT_EQ(changed, row.array == Arr::None ? 1 : 2) << row.id << " b" << b;
        }
    }
}

TEST_F(FunctionCatalogueTest, LabelsFollowTheLanguage)
{
    for (const char* code : {"EN", "DE"}) {
        LoadLanguageTexts(code);
        g_strLanguage = code;
        for (int i = 0; i < 3; ++i)
            g_strDpiActionNames[i] = g_strUiText[40 + i];
        for (const SimpleRow& row : kSimple) {
            const CatalogueEntry* entry = FindCatalogueEntry(row.id);
            ASSERT_NE(entry, nullptr) << row.id;
            EXPECT_EQ(CatalogueLabel(*entry, code),
                      std::string(code) == "EN" ? row.english : row.german)
                << row.id;
        }
    }
    LoadLanguageTexts("EN");
    EXPECT_EQ(KeyboardKeyLabel("A"), "Assign Keyboard Key-A");
    EXPECT_EQ(MacroLabel("Combo"), "Macro:Combo");
    LoadLanguageTexts("CHS");
    EXPECT_EQ(CatalogueLabel(*FindCatalogueEntry(2050), "CHS"), "多媒体播放器");
    EXPECT_EQ(MacroLabel("m1"), "宏:m1");
}

TEST_F(FunctionCatalogueTest, DialogEntriesAndUnknownIdsStoreNothing)
{
    for (int id : {2011, 2012, 1001, 2009, 2014, 2023, 2037, 2058, 2070, 4000}) {
        ProfileRecord record{};
        EXPECT_FALSE(StoreCatalogueEntry(record, 0, id)) << id;
        EXPECT_EQ(record.ButtonFunction[0], 0) << id;
    }
    ProfileRecord record{};
    EXPECT_FALSE(StoreCatalogueEntry(record, 12, 2002));
    EXPECT_TRUE(FindCatalogueEntry(2011)->NeedsDialog());
    EXPECT_TRUE(FindCatalogueEntry(2012)->NeedsDialog());
}

TEST_F(FunctionCatalogueTest, MenuHasTheCatalogueInOrderWithSubmenuWidths)
{
    const ButtonMenuSpec& menu = ButtonMenuStructure();
    EXPECT_EQ(menu.itemWidth, 120);
    std::vector<int> top;
    for (const MenuItemSpec& item : menu.items)
        top.push_back(item.submenu >= 0 ? -menu.submenus[item.submenu].titleEntry : item.id);
    EXPECT_EQ(top, (std::vector<int>{2001, 2002, 2003, 2004, 2005, 2006, 2007, 2008, -504, -509,
                                     -510, -508, 2011, 2012, 2013}));
    ASSERT_EQ(menu.submenus.size(), 4u);
    EXPECT_EQ(menu.submenus[0].itemWidth, 50);
    EXPECT_EQ(menu.submenus[0].ids, (std::vector<int>{2020, 2021, 2022}));
    EXPECT_EQ(menu.submenus[1].itemWidth, 100);
    EXPECT_EQ(menu.submenus[1].ids.front(), 2050);
    EXPECT_EQ(menu.submenus[1].ids.size(), 8u);
    EXPECT_EQ(menu.submenus[2].itemWidth, 100);
    EXPECT_EQ(menu.submenus[2].ids.front(), 2060);
    EXPECT_EQ(menu.submenus[2].ids.size(), 10u);
    EXPECT_EQ(menu.submenus[3].itemWidth, 120);
    EXPECT_EQ(menu.submenus[3].ids.front(), 2030);
    EXPECT_EQ(menu.submenus[3].ids.size(), 7u);
    // Every command of the menu is in the catalogue and none is offered twice.
    std::set<int> seen;
    for (const MenuItemSpec& item : menu.items) {
        if (item.submenu < 0) {
            EXPECT_TRUE(seen.insert(item.id).second);
        }
    }
    for (const SubmenuSpec& sub : menu.submenus) {
        for (int id : sub.ids) {
            EXPECT_TRUE(seen.insert(id).second);
        }
    }
    EXPECT_EQ(seen.size(), FunctionCatalogue().size());
    for (int id : seen)
        EXPECT_NE(FindCatalogueEntry(id), nullptr) << id;
}

TEST_F(FunctionCatalogueTest, LastClickButtonIsTheOnlyClickButton)
{
    ProfileRecord record{};
    std::memset(record.ButtonFunction, FN_DEACTIVATED, sizeof record.ButtonFunction);
    record.ButtonFunction[0] = FN_CLICK;
    EXPECT_TRUE(IsLastClickButton(record, 0));
    EXPECT_FALSE(IsLastClickButton(record, 1));
    record.ButtonFunction[2] = FN_CLICK;
    EXPECT_FALSE(IsLastClickButton(record, 0));
    EXPECT_FALSE(IsLastClickButton(record, 2));
    record.ButtonFunction[0] = FN_MENU;
    EXPECT_TRUE(IsLastClickButton(record, 2));
    EXPECT_FALSE(IsLastClickButton(record, 12));
}

TEST_F(FunctionCatalogueTest, KeyAndMacroStoreTheirCodesAndRefuseOutOfRange)
{
    for (size_t b : {size_t{1}, size_t{11}}) {
        ProfileRecord record{};
        record.Macro(b) = 7;
        ASSERT_TRUE(StoreKeyboardKey(record, b, "A"));
        EXPECT_EQ(record.Key(b), 0x04);
        EXPECT_EQ(record.ButtonFunction[b], FN_KEYBOARD_KEY);
        EXPECT_EQ(record.Macro(b), 7); // other kinds' parameters stay
        ASSERT_TRUE(StoreKeyboardKey(record, b, "Volume"));
        EXPECT_EQ(record.Key(b), 0);
        ASSERT_TRUE(StoreMacro(record, b, 2, 2));
        EXPECT_EQ(record.Macro(b), 2);
        EXPECT_EQ(record.MacroMode(b), 2);
        EXPECT_EQ(record.ButtonFunction[b], FN_MACRO);
        EXPECT_EQ(record.Key(b), 0);
    }
    ProfileRecord record{};
    for (auto [number, mode] : {std::pair{-1, 0}, {12, 0}, {0, 3}, {0, -1}}) {
        EXPECT_FALSE(StoreMacro(record, 0, number, mode));
        EXPECT_EQ(record.ButtonFunction[0], 0);
    }
    EXPECT_FALSE(StoreKeyboardKey(record, 12, "A"));
}

} // namespace
} // namespace zentro
