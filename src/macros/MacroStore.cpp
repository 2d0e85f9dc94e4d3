#include "macros/MacroStore.h"

#include <algorithm>
#include <cerrno>
#include <cctype>
#include <cstring>
#include <utility>

#include "macros/MacroEncoding.h"
#include "macros/MacroFile.h"
#include "platform/PrivateProfile.h"

namespace zentro {

int g_nCurrentMacro = -1;
int g_bRecordDelays = 0;
int g_bLoopEnabled = 0;
std::vector<std::string> g_loadedItems;
std::vector<std::string> g_recordedItems;

void ResetMacroStateForTest()
{
    g_nCurrentMacro = -1;
    g_bRecordDelays = 0;
    g_bLoopEnabled = 0;
    g_loadedItems.clear();
    g_recordedItems.clear();
}

namespace {

using KeyValues = std::vector<std::pair<std::string, std::string>>;

std::string Trimmed(const std::string& text)
{
    const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
    auto first = std::find_if_not(text.begin(), text.end(), blank);
    auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
    return first < last ? std::string(first, last) : std::string();
}

// Section names are compared without regard to case, as the INI functions do.
bool SameSection(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool NameInList(const std::vector<std::string>& names, const std::string& name, int except = -1)
{
    for (size_t i = 0; i < names.size(); ++i)
        if (static_cast<int>(i) != except && SameSection(names[i], name))
            return true;
    return false;
}

} // namespace

MacroStoreResult CheckMacroNameText(const std::string& raw)
{
    const std::string name = Trimmed(raw);
    if (name.empty())
        return MacroStoreResult::BlankName;
    if (SameSection(name, MACRO_LIST_SECTION))
        return MacroStoreResult::ReservedName;
    for (const char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return MacroStoreResult::BadName;
    // The name is the list's value and the section's header: both must read back as typed.
    // A "]" would end the header early; the reader takes one pair of enclosing quotes off a
    // value, but not off a header.
    const bool quoted = name.size() >= 2 && (name.front() == '"' || name.front() == '\'') &&
                        name.back() == name.front();
    if (quoted || name.find(']') != std::string::npos)
        return MacroStoreResult::BadName;
    if (!IsStorableValue(name) || !IsStorableSectionName(name))
        return MacroStoreResult::NameTooLong;
    return MacroStoreResult::Done;
}

CMacroStore::CMacroStore(std::string recordIniPath) : m_strPath(std::move(recordIniPath))
{
}

bool CMacroStore::HasSelection() const
{
    return g_nCurrentMacro >= 0 && static_cast<size_t>(g_nCurrentMacro) < m_names.size();
}

void CMacroStore::ClearWorkingSlot(int index)
{
    if (index >= 0 && static_cast<size_t>(index) < MACRO_SLOT_COUNT)
        std::memset(m_macroSlots[index], 0, MACRO_BLOCK_SIZE);
}

bool CMacroStore::Commit(CPrivateProfileEdit& edit)
{
    int error = 0;
    const bool ok = edit.Commit(&error);
    m_nLastWriteError = ok ? 0 : (error ? error : EIO);
    return ok;
}

void CMacroStore::WriteNameList(CPrivateProfileEdit& edit) const
{
    // The whole section is replaced, so the keys of names that are gone go with it.
    KeyValues keys;
    if (m_names.empty()) {
        keys = {{MACRO_COUNT_KEY, "0"}, {"0", ""}};
    } else {
        keys.emplace_back(MACRO_COUNT_KEY, std::to_string(m_names.size()));
        for (size_t i = 0; i < m_names.size(); ++i)
            keys.emplace_back(std::to_string(i), m_names[i]);
    }
    edit.ReplaceSection(MACRO_LIST_SECTION, keys);
}

void CMacroStore::WriteSection(CPrivateProfileEdit& edit, const std::string& name,
                               bool withDelayOption, const std::string& loopText) const
{
    // Replacing the section guarantees that no item beyond the new count survives.
    KeyValues keys;
    if (withDelayOption)
        keys.emplace_back(MACRO_DELAY_STATUS_KEY, g_bRecordDelays ? "1" : "0");
    keys.emplace_back(MACRO_LOOP_KEY, loopText);
    keys.emplace_back(MACRO_ITEM_COUNT_KEY, std::to_string(m_items.size()));
    for (size_t i = 0; i < m_items.size(); ++i)
        keys.emplace_back(MacroItemKey(static_cast<int>(i)), m_items[i]);
    edit.ReplaceSection(name, keys);
}

bool CMacroStore::LoadMacroList()
{
    m_names.clear();
    m_items.clear();
    g_nCurrentMacro = -1;
    if (!MacroFileExists(m_strPath))
        return false;
    // A damaged MacroCount (billions) must not turn the load into endless lookups of missing
    // keys. The cap is not MAX_MACRO_COUNT: names after the twelfth are never encoded but stay
    // listed, so a rename or delete that rewrites the list keeps them.
    m_names = ReadMacroNames(m_strPath, static_cast<size_t>(MAX_MACRO_ITEMS_READ));
    if (!m_names.empty())
        SelectMacro(0);
    return true;
}

bool CMacroStore::SelectMacro(int index)
{
    if (index < 0 || static_cast<size_t>(index) >= m_names.size())
        return false;
    g_nCurrentMacro = index;
    const std::string& name = m_names[static_cast<size_t>(index)];
    g_loadedItems.clear();
    g_loadedItems.push_back(name);
    const std::string loop = ReadMacroValue(m_strPath, name, MACRO_LOOP_KEY);
    g_loadedItems.push_back(loop);
    // The loop edit takes the text; a change runs its handler, which stores the clamped value.
    if (loop != m_strLoopText) {
        m_strLoopText = loop;
        StoreLoopCount(loop);
    }
    const int count =
        std::min(ReadProfileInt(ReadMacroValue(m_strPath, name, MACRO_ITEM_COUNT_KEY)),
                 MAX_MACRO_ITEMS_READ);
    m_items.clear();
    for (int i = 0; i < count; ++i) {
        m_items.push_back(ReadMacroValue(m_strPath, name, MacroItemKey(i)));
        g_loadedItems.push_back(m_items.back());
    }
    const std::string delays = ReadMacroValue(m_strPath, name, MACRO_DELAY_STATUS_KEY);
    if (delays == "1")
        g_bRecordDelays = 1;
    else if (delays == "0" || delays.empty())
        g_bRecordDelays = 0;
    g_bLoopEnabled = ReadProfileInt(m_strLoopText) > 1 ? 1 : 0;
    return true;
}

bool CMacroStore::WriteSelectedMacro()
{
    if (m_names.empty())
        return false;
    CPrivateProfileEdit edit(m_strPath);
    WriteNameList(edit);
    if (!HasSelection())
        return Commit(edit);
    const std::string& name = m_names[static_cast<size_t>(g_nCurrentMacro)];
    if (m_items.empty()) {
        edit.DeleteSection(name);
        if (!Commit(edit))
            return false;
        ClearWorkingSlot(g_nCurrentMacro);
        return true;
    }
    WriteSection(edit, name, true, m_strLoopText);
    return Commit(edit);
}

bool CMacroStore::WriteRecordedMacro(const std::vector<std::string>& recorded)
{
    if (recorded.size() < 3)
        return false;
    CPrivateProfileEdit edit(m_strPath);
    WriteNameList(edit);
    KeyValues keys = {{MACRO_DELAY_STATUS_KEY, recorded[1]},
                      {MACRO_LOOP_KEY, recorded[2]},
                      {MACRO_ITEM_COUNT_KEY, std::to_string(recorded.size() - 3)}};
    for (size_t i = 3; i < recorded.size(); ++i)
        keys.emplace_back(MacroItemKey(static_cast<int>(i - 3)), recorded[i]);
    edit.ReplaceSection(recorded[0], keys);
    return Commit(edit);
}

MacroStoreResult CMacroStore::CheckName(int index, const std::string& name) const
{
    const MacroStoreResult text = CheckMacroNameText(name);
    if (text != MacroStoreResult::Done)
        return text;
    const std::string trimmed = Trimmed(name);
    // Two entries of one name would share one section, and the second would overwrite the
    // first one's items.
    if (NameInList(m_names, trimmed, index))
        return MacroStoreResult::NameTaken;
    return MacroStoreResult::Done;
}

MacroStoreResult CMacroStore::RenameMacro(const std::string& newName)
{
    if (!HasSelection())
        return MacroStoreResult::NoSelection;
    const MacroStoreResult check = CheckName(g_nCurrentMacro, newName);
    if (check != MacroStoreResult::Done)
        return check;
    const std::string name = Trimmed(newName);
    const size_t index = static_cast<size_t>(g_nCurrentMacro);
    const std::string oldName = m_names[index];
    m_names[index] = name;
    // One replacement of the file: the old section goes first (a new name that differs only
    // in case is the same section), then the new one is written with the renamed list.
    CPrivateProfileEdit edit(m_strPath);
    edit.DeleteSection(oldName);
    WriteNameList(edit);
    WriteSection(edit, name, false, m_strLoopText);
    if (!Commit(edit)) {
        m_names[index] = oldName;
        return MacroStoreResult::WriteFailed;
    }
    if (!g_loadedItems.empty())
        g_loadedItems[0] = name;
    return MacroStoreResult::Done;
}

bool CMacroStore::WriteMacroRename()
{
    if (m_names.empty() || !HasSelection())
        return false;
    // The loop count as the loop edit holds it now: one changed since the macro was selected
    // must not go back to the value read then.
    CPrivateProfileEdit edit(m_strPath);
    WriteNameList(edit);
    WriteSection(edit, m_names[static_cast<size_t>(g_nCurrentMacro)], false, m_strLoopText);
    return Commit(edit);
}

MacroStoreResult CMacroStore::DeleteMacro()
{
    if (!HasSelection())
        return MacroStoreResult::NoSelection;
    const size_t index = static_cast<size_t>(g_nCurrentMacro);
    const std::string removed = m_names[index];
    m_names.erase(m_names.begin() + static_cast<std::ptrdiff_t>(index));
    CPrivateProfileEdit edit(m_strPath);
    WriteNameList(edit);
    edit.DeleteSection(removed);
    if (!Commit(edit)) {
        m_names.insert(m_names.begin() + static_cast<std::ptrdiff_t>(index), removed);
        return MacroStoreResult::WriteFailed;
    }
    m_items.clear();
    g_nCurrentMacro = m_names.empty() ? -1 : static_cast<int>(std::min(index, m_names.size() - 1));
    if (g_nCurrentMacro >= 0)
        SelectMacro(g_nCurrentMacro);
    return MacroStoreResult::Done;
}

std::string CMacroStore::NewMacroName(const std::vector<std::string>& names,
                                      const std::string& word)
{
    long long number = static_cast<long long>(names.size()) + 1;
    if (!names.empty()) {
        const std::string& last = names.back();
        const size_t underscore = last.find('_');
        if (underscore != std::string::npos)
            number = static_cast<long long>(ReadProfileInt(last.substr(underscore + 1))) + 1;
    }
    std::string name = word + "_" + std::to_string(number);
    // A name that is already there would share its section with the other macro.
    while (NameInList(names, name))
        name = word + "_" + std::to_string(++number);
    return name;
}

MacroStoreResult CMacroStore::CreateMacro(const std::string& word)
{
    if (m_names.size() >= MAX_MACRO_COUNT)
        return MacroStoreResult::LimitReached;
    m_names.push_back(NewMacroName(m_names, word));
    // The new name goes into the file at once, so that the file is current after every step
    // (a Cancel right after New keeps the macro, as it keeps every other step).
    CPrivateProfileEdit edit(m_strPath);
    WriteNameList(edit);
    if (!Commit(edit)) {
        m_names.pop_back();
        return MacroStoreResult::WriteFailed;
    }
    g_nCurrentMacro = static_cast<int>(m_names.size()) - 1;
    m_items.clear();
    if (m_strLoopText != "1") {
        m_strLoopText = "1";
        StoreLoopCount("1");
    }
    SelectMacro(g_nCurrentMacro);
    return MacroStoreResult::Done;
}

bool CMacroStore::StoreLoopCount(const std::string& text)
{
    if (m_names.empty())
        return false;
    long long value = ReadProfileInt(text);
    if (value < 1 || value > static_cast<long long>(MAX_MACRO_LOOP_COUNT))
        value = 1;
    m_strLoopText = std::to_string(value);
    if (!HasSelection())
        return false;
    if (static_cast<size_t>(g_nCurrentMacro) < MACRO_SLOT_COUNT) {
        m_macroSlots[g_nCurrentMacro][0] = static_cast<uint8_t>(value >> 8);
        m_macroSlots[g_nCurrentMacro][1] = static_cast<uint8_t>(value & 0xFF);
    }
    CPrivateProfileEdit edit(m_strPath);
    edit.SetKey(m_names[static_cast<size_t>(g_nCurrentMacro)], MACRO_LOOP_KEY, m_strLoopText);
    return Commit(edit);
}

std::vector<MacroOverflow> CMacroStore::EncodeWorkingSlots()
{
    return EncodeMacroSaveSlots(m_macroSlots, m_strPath, static_cast<int>(m_names.size()),
                                g_nCurrentMacro);
}

} // namespace zentro
