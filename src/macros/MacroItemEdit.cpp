#include "macros/MacroItemEdit.h"

#include <algorithm>

#include "macros/MacroEncoding.h"
#include "macros/MacroFile.h"
#include "macros/MacroItem.h"

namespace zentro {

namespace {

bool InList(const std::vector<std::string>& items, int index)
{
    return index >= 0 && static_cast<size_t>(index) < items.size();
}

} // namespace

MacroItemEdit DeleteMacroItem(std::vector<std::string>& items, int selection)
{
    if (!InList(items, selection))
        return {};
    items.erase(items.begin() + selection);
    return {true, -1, true};
}

MacroItemEdit InsertMacroClick(std::vector<std::string>& items, int selection,
                               const std::string& buttonName)
{
    const std::string press = MakeKeyItem(buttonName, false);
    const std::string release = MakeKeyItem(buttonName, true);
    if (items.empty()) {
        items = {press, release};
        return {true, -1, true};
    }
    if (!InList(items, selection))
        return {false, selection, true};
    const bool afterDelay = IsDelayItem(items[static_cast<size_t>(selection)]);
    const auto at = items.begin() + selection + 1;
    items.insert(at, {press, release});
    return {true, afterDelay ? selection + 1 : selection + 2, true};
}

MacroItemEdit InsertMacroDelay(std::vector<std::string>& items, int selection)
{
    if (!InList(items, selection) || selection == 0 ||
        IsDelayItem(items[static_cast<size_t>(selection)]) ||
        IsDelayItem(items[static_cast<size_t>(selection) - 1]))
        return {false, selection, false};
    items.insert(items.begin() + selection, MakeDelayItem(MACRO_DEFAULT_DELAY_MS));
    return {true, selection + 1, true};
}

size_t MacroItemsDeviceBytes(const std::vector<std::string>& items)
{
    // The encoder itself decides, so this count and what OK writes cannot disagree.
    MacroSlotBytes scratch{};
    return EncodeMacroItemList(scratch, 1, items, nullptr).requiredBytes;
}

} // namespace zentro
