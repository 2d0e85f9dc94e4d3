#include "macros/MacroEncoding.h"

#include "buttons/KeyTable.h"
#include "macros/MacroFile.h"
#include "macros/MacroItem.h"
#include "macros/MacroKeyNames.h"
#include "platform/DebugLog.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace zentro {

namespace {

constexpr size_t EVENT_AREA_START = 2;
constexpr size_t EVENT_AREA_END = MACRO_BLOCK_SIZE; // one past the last byte written
constexpr int SHORT_RECORD_MAX_DELAY = 1270;
constexpr uint8_t RELEASE_FLAG = 0x80;

// One event record in device form: 2 bytes for pauses up to 1270 ms, 6 bytes above.
struct EventRecord {
    std::array<uint8_t, 6> bytes{};
    size_t size = 0;
};

EventRecord MakeEventRecord(bool release, uint8_t code, int delayMs)
{
    const uint8_t flag = release ? RELEASE_FLAG : 0;
    const unsigned d = static_cast<unsigned>(std::max(delayMs, MACRO_DEFAULT_DELAY_MS));
    EventRecord record;
    if (d <= static_cast<unsigned>(SHORT_RECORD_MAX_DELAY)) {
        record.bytes = {static_cast<uint8_t>(flag | ((d / 10) & 0x7F)), code};
        record.size = 2;
    } else {
        const unsigned hundreds = d / 100; // only its low 16 bits go to the mouse
        record.bytes = {static_cast<uint8_t>(flag | ((d % 100) & 0x7F)),
                        code,
                        0x00,
                        0x03,
                        static_cast<uint8_t>((hundreds >> 8) & 0xFF),
                        static_cast<uint8_t>(hundreds & 0xFF)};
        record.size = 6;
    }
    return record;
}

// Which keys the mouse holds down after the records so far, so an overflowing macro can be cut
// where none is. A key is either down or up, as in a keyboard report: a second press of a key
// that is down changes nothing and one release lets it go. Code 0 (a name without a device
// code) is no key at all and is never held.
class CHeldKeys {
public:
    void Press(uint8_t code)
    {
        if (code != 0 && !m_down[code]) {
            m_down[code] = true;
            ++m_count;
        }
    }
    void Release(uint8_t code)
    {
        if (code != 0 && m_down[code]) {
            m_down[code] = false;
            --m_count;
        }
    }
    bool None() const { return m_count == 0; }

private:
    std::array<bool, 256> m_down{};
    size_t m_count = 0;
};

// The pause after the event in line j: taken from line j + 1 when that is a delay line, else
// the default. Lines past the end of the macro do not exist.
int PauseAfter(const std::string& nextItem)
{
    if (nextItem.find(MACRO_DELAY_MARK) == std::string::npos) {
        return MACRO_DEFAULT_DELAY_MS;
    }
    return ReadProfileInt(RemoveAll(nextItem, MACRO_DELAY_SUFFIX));
}

std::vector<MacroOverflow> EncodeListedMacros(MacroSlotArray& slots, const std::string& path,
                                              MacroKeyCodeFunc keyCode, const char* who)
{
    std::vector<MacroOverflow> overflows;
    const int listed = std::max(ReadMacroCount(path), 0);
    // A slot no listed macro fills holds a deleted macro: it must not reach the mouse again.
    for (size_t m = static_cast<size_t>(listed); m < MACRO_SLOT_COUNT; ++m) {
        std::memset(slots[m], 0, MACRO_BLOCK_SIZE);
    }
    if (listed == 0) {
        return overflows;
    }
    if (static_cast<size_t>(listed) > MAX_MACRO_COUNT) {
        DebugPrintf("%s: %d macros listed, only the first %zu are encoded\n", who, listed,
                    MAX_MACRO_COUNT);
    }
    const size_t count = std::min(static_cast<size_t>(listed), MAX_MACRO_COUNT);
    for (size_t m = 0; m < count; ++m) {
        const std::string name = ReadMacroName(path, static_cast<int>(m));
        DebugPrintf("%s macro %zu: %s\n", who, m, name.c_str());
        const MacroEncodeResult result = EncodeMacroItems(slots[m], path, name, keyCode);
        if (!result.Fits()) {
            DebugPrintf("%s: macro %s does not fit its slot, %zu of %zu key events encoded\n", who,
                        name.c_str(), result.encodedEvents,
                        result.encodedEvents + result.droppedEvents);
            overflows.push_back({m, name, result.encodedEvents, result.droppedEvents});
        }
    }
    return overflows;
}

} // namespace

MacroEncodeResult EncodeMacroItemList(MacroSlotBytes& slot, unsigned loops,
                                      const std::vector<std::string>& items,
                                      MacroKeyCodeFunc keyCode)
{
    MacroEncodeResult result;
    slot[0] = static_cast<uint8_t>(loops >> 8);
    slot[1] = static_cast<uint8_t>(loops & 0xFF);
    std::memset(slot + EVENT_AREA_START, 0, EVENT_AREA_END - EVENT_AREA_START);

    size_t pos = EVENT_AREA_START; // where the next record goes
    size_t events = 0;             // records written
    size_t events_total = 0;       // key events seen
    bool full = false;
    CHeldKeys held;
    size_t cleanPos = pos; // end of the last prefix with no key held
    size_t cleanEvents = 0;

    for (size_t j = 0; j < items.size(); ++j) {
        const std::string& item = items[j];
        const bool press = item.find(MACRO_PRESS_SUFFIX) != std::string::npos;
        const bool release = !press && item.find(MACRO_RELEASE_SUFFIX) != std::string::npos;
        if (!press && !release) {
            continue;
        }
        ++events_total;
        const std::string keyName =
            RemoveAll(item, press ? MACRO_PRESS_SUFFIX : MACRO_RELEASE_SUFFIX);
        const uint8_t code = keyCode ? keyCode(keyName) : 0;
        const EventRecord record = MakeEventRecord(
            release, code, PauseAfter(j + 1 < items.size() ? items[j + 1] : std::string()));
        result.requiredBytes += record.size;
        if (full) {
            continue;
        }
        if (pos + record.size > EVENT_AREA_END) {
            full = true;
            continue;
        }
        std::memcpy(slot + pos, record.bytes.data(), record.size);
        pos += record.size;
        ++events;
        if (press) {
            held.Press(code);
        } else {
            held.Release(code);
        }
        if (held.None()) {
            cleanPos = pos;
            cleanEvents = events;
        }
    }

    if (full) {
        std::memset(slot + cleanPos, 0, EVENT_AREA_END - cleanPos);
        events = cleanEvents;
    }
    result.encodedEvents = events;
    result.droppedEvents = events_total - events;
    return result;
}

MacroEncodeResult EncodeMacroItems(MacroSlotBytes& slot, const std::string& recordIniPath,
                                   const std::string& macroName, MacroKeyCodeFunc keyCode)
{
    const unsigned loops =
        ClampLoopCount(ReadProfileInt(ReadMacroValue(recordIniPath, macroName, MACRO_LOOP_KEY)));
    const int itemCount =
        ReadProfileInt(ReadMacroValue(recordIniPath, macroName, MACRO_ITEM_COUNT_KEY));
    if (itemCount == 0) {
        std::memset(slot, 0, MACRO_BLOCK_SIZE);
        return {};
    }
    std::vector<std::string> items;
    const int n = std::max(0, std::min(itemCount, MAX_MACRO_ITEMS_READ));
    items.reserve(static_cast<size_t>(n));
    for (int j = 0; j < n; ++j) {
        items.push_back(ReadMacroValue(recordIniPath, macroName, MacroItemKey(j)));
    }
    // A negative count keeps the loop count and leaves the event area empty.
    return EncodeMacroItemList(slot, loops, items, keyCode);
}

std::vector<MacroOverflow> BuildMacroSlotsReport(MacroSlotArray& slots,
                                                 const std::string& recordIniPath)
{
    if (!MacroFileExists(recordIniPath)) {
        return {};
    }
    return EncodeListedMacros(slots, recordIniPath, &KeyNameToUsage, "BuildMacroSlots");
}

void BuildMacroSlots(MacroSlotArray& slots, const std::string& recordIniPath)
{
    BuildMacroSlotsReport(slots, recordIniPath);
}

std::vector<MacroOverflow> EncodeMacroSaveSlots(MacroSlotArray& slots,
                                                const std::string& recordIniPath, int listCount,
                                                int curSel)
{
    if (!MacroFileExists(recordIniPath) || listCount <= 0) {
        // The manager listed no macro: every slot is empty now (bytes 128-129 stay).
        for (auto& slot : slots) {
            std::memset(slot, 0, MACRO_BLOCK_SIZE);
        }
        return {};
    }
    DebugPrintf("OnBnMacroSave m_lbSelMacro.GetCount()=%d,m_lbSelMacro.GetCurSel()=%d\n", listCount,
                curSel);
    // Bytes 128-129 are not the mouse's and stay as they are.
    for (auto& slot : slots) {
        std::memset(slot, 0, MACRO_BLOCK_SIZE);
    }
    return EncodeListedMacros(slots, recordIniPath, &MacroKeyNameToUsage, "OnBnMacroSave");
}

} // namespace zentro
