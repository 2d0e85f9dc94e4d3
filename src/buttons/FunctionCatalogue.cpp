#include "buttons/FunctionCatalogue.h"

#include <algorithm>

#include "buttons/KeyTable.h"
#include "text/CommandNames.h"
#include "text/LanguageTexts.h"

namespace zentro {

namespace {

// Text table entries of the menu.
constexpr int TXT_CLICK = 498;
constexpr int TXT_MENU = 499;
constexpr int TXT_SCROLL = 500;
constexpr int TXT_FORWARD = 501;
constexpr int TXT_BACK = 502;
constexpr int TXT_DPI_SUBMENU = 504;
constexpr int TXT_COMMAND_SUBMENU = 508;
constexpr int TXT_MEDIA_SUBMENU = 509;
constexpr int TXT_BASIC_SUBMENU = 510;
constexpr int TXT_KEYBOARD_KEY = 512;
constexpr int TXT_MACRO = 515;
constexpr int TXT_DEACTIVATED = 516;
constexpr int TXT_LEFT_TILT = 517;
constexpr int TXT_RIGHT_TILT = 518;
constexpr int TXT_DOUBLE_CLICK = 519;

// Consumer-control usages of the multimedia entries and keyboard usages of the letters of the
// basic commands (pressed with Left Control by the mouse).
constexpr uint8_t MEDIA_USAGES[MEDIA_NAME_COUNT] = {0x83, 0xB5, 0xB6, 0xB7, 0xCD, 0xE2, 0xE9, 0xEA};
constexpr uint8_t BASIC_USAGES[BASIC_NAME_COUNT] = {0x11, 0x1B, 0x06, 0x19, 0x16,
                                                    0x13, 0x09, 0x1C, 0x1D, 0x04};

std::vector<CatalogueEntry> BuildCatalogue()
{
    using P = CatalogueParam;
    using L = LabelSource;
    std::vector<CatalogueEntry> entries = {
        {ID_FN_CLICK, FN_CLICK, P::None, 0, L::UiText, TXT_CLICK},
        {ID_FN_MENU, FN_MENU, P::None, 0, L::UiText, TXT_MENU},
        {ID_FN_SCROLL, FN_SCROLL, P::None, 0, L::UiText, TXT_SCROLL},
        {ID_FN_FORWARD, FN_FORWARD, P::None, 0, L::UiText, TXT_FORWARD},
        {ID_FN_BACK, FN_BACK, P::None, 0, L::UiText, TXT_BACK},
        {ID_FN_DOUBLE_CLICK, FN_DOUBLE_CLICK, P::None, 0, L::UiText, TXT_DOUBLE_CLICK},
        {ID_FN_LEFT_TILT, FN_LEFT_TILT, P::None, 0, L::UiText, TXT_LEFT_TILT},
        {ID_FN_RIGHT_TILT, FN_RIGHT_TILT, P::None, 0, L::UiText, TXT_RIGHT_TILT},
        {ID_FN_KEYBOARD_KEY, FN_KEYBOARD_KEY, P::Key, 0, L::UiText, TXT_KEYBOARD_KEY},
        {ID_FN_MACRO, FN_MACRO, P::Macro, 0, L::UiText, TXT_MACRO},
        {ID_FN_DEACTIVATED, FN_DEACTIVATED, P::None, 0, L::UiText, TXT_DEACTIVATED},
    };
    for (int i = 0; i < 3; ++i)
        entries.push_back({ID_FN_DPI_UP + i, FN_DPI, P::DpiAction,
                           static_cast<uint8_t>(DPI_ACTION_UP + i), L::DpiName, i});
    for (int i = 0; i < static_cast<int>(COMMAND_NAME_COUNT); ++i)
        entries.push_back({ID_FN_COMMAND_FIRST + i, FN_ADDITIONAL_COMMAND, P::Command,
                           static_cast<uint8_t>(i), L::CommandName, i});
    for (int i = 0; i < static_cast<int>(MEDIA_NAME_COUNT); ++i)
        entries.push_back(
            {ID_FN_MEDIA_FIRST + i, FN_MULTIMEDIA, P::Media, MEDIA_USAGES[i], L::MediaName, i});
    for (int i = 0; i < static_cast<int>(BASIC_NAME_COUNT); ++i)
        entries.push_back(
            {ID_FN_BASIC_FIRST + i, FN_BASIC_COMMAND, P::Basic, BASIC_USAGES[i], L::BasicName, i});
    std::sort(entries.begin(), entries.end(),
              [](const CatalogueEntry& a, const CatalogueEntry& b) { return a.id < b.id; });
    return entries;
}

ButtonMenuSpec BuildMenu()
{
    ButtonMenuSpec menu;
    menu.itemWidth = 120;
    auto range = [](int first, int count) {
        std::vector<int> ids;
        for (int i = 0; i < count; ++i)
            ids.push_back(first + i);
        return ids;
    };
    menu.submenus = {
        {TXT_DPI_SUBMENU, 50, range(ID_FN_DPI_UP, 3)},
        {TXT_MEDIA_SUBMENU, 100, range(ID_FN_MEDIA_FIRST, MEDIA_NAME_COUNT)},
        {TXT_BASIC_SUBMENU, 100, range(ID_FN_BASIC_FIRST, BASIC_NAME_COUNT)},
        {TXT_COMMAND_SUBMENU, 120, range(ID_FN_COMMAND_FIRST, COMMAND_NAME_COUNT)},
    };
    for (int id = ID_FN_CLICK; id <= ID_FN_RIGHT_TILT; ++id)
        menu.items.push_back({id, -1});
    for (int s = 0; s < static_cast<int>(menu.submenus.size()); ++s)
        menu.items.push_back({0, s});
    for (int id : {ID_FN_KEYBOARD_KEY, ID_FN_MACRO, ID_FN_DEACTIVATED})
        menu.items.push_back({id, -1});
    return menu;
}

} // namespace

const std::vector<CatalogueEntry>& FunctionCatalogue()
{
    static const std::vector<CatalogueEntry> entries = BuildCatalogue();
    return entries;
}

const CatalogueEntry* FindCatalogueEntry(int id)
{
    const auto& entries = FunctionCatalogue();
    const auto it = std::lower_bound(entries.begin(), entries.end(), id,
                                     [](const CatalogueEntry& e, int v) { return e.id < v; });
    return it != entries.end() && it->id == id ? &*it : nullptr;
}

std::string CatalogueLabel(const CatalogueEntry& entry, const std::string& code)
{
    const auto index = static_cast<size_t>(entry.labelIndex);
    switch (entry.label) {
    case LabelSource::UiText:
        return index < g_strUiText.size() ? g_strUiText[index] : std::string();
    case LabelSource::DpiName:
        return index < g_strDpiActionNames.size() ? g_strDpiActionNames[index] : std::string();
    case LabelSource::MediaName:
        return MediaNamesFor(code).at(index);
    case LabelSource::BasicName:
        return BasicNamesFor(code).at(index);
    case LabelSource::CommandName:
        return CommandNamesFor(code).at(index);
    }
    return {};
}

const ButtonMenuSpec& ButtonMenuStructure()
{
    static const ButtonMenuSpec menu = BuildMenu();
    return menu;
}

bool IsLastClickButton(const ProfileRecord& record, size_t b)
{
    if (b >= BUTTON_COUNT || record.ButtonFunction[b] != FN_CLICK)
        return false;
    return std::count(std::begin(record.ButtonFunction), std::end(record.ButtonFunction),
                      FN_CLICK) == 1;
}

bool StoreCatalogueEntry(ProfileRecord& record, size_t b, int id)
{
    const CatalogueEntry* entry = FindCatalogueEntry(id);
    if (entry == nullptr || entry->NeedsDialog() || b >= BUTTON_COUNT)
        return false;
    switch (entry->param) {
    case CatalogueParam::DpiAction:
        record.ButtonDPIAction[b] = entry->value;
        break;
    case CatalogueParam::Media:
        record.Media(b) = entry->value;
        break;
    case CatalogueParam::Basic:
        record.Basic(b) = entry->value;
        break;
    case CatalogueParam::Command:
        record.Command(b) = entry->value;
        break;
    default:
        break;
    }
    record.ButtonFunction[b] = entry->function;
    return true;
}

bool StoreKeyboardKey(ProfileRecord& record, size_t b, const std::string& keyName)
{
    if (b >= BUTTON_COUNT)
        return false;
    record.Key(b) = KeyNameToUsage(keyName);
    record.ButtonFunction[b] = FN_KEYBOARD_KEY;
    return true;
}

bool StoreMacro(ProfileRecord& record, size_t b, int macroNumber, int runMode)
{
    if (b >= BUTTON_COUNT || macroNumber < 0 || macroNumber >= static_cast<int>(MACRO_SLOT_COUNT) ||
        runMode < 0 || runMode > 2)
        return false;
    record.Macro(b) = static_cast<uint8_t>(macroNumber);
    record.MacroMode(b) = static_cast<uint8_t>(runMode);
    record.ButtonFunction[b] = FN_MACRO;
    return true;
}

std::string KeyboardKeyLabel(const std::string& keyName)
{
    return g_strUiText[TXT_KEYBOARD_KEY] + "-" + keyName;
}

std::string MacroLabel(const std::string& macroName)
{
    return g_strUiText[TXT_MACRO] + ":" + macroName;
}

} // namespace zentro
