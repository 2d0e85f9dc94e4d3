#pragma once

#include "../support/TempDir.h"
#include "platform/PrivateProfile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace zentro::test {

// A record.ini in a fresh temporary directory, written as text.
class CTempMacroFile {
public:
    CTempMacroFile() : m_dir("macros"), m_path(m_dir.Path("record.ini")) {}
    ~CTempMacroFile() { FlushPrivateProfileCache(); }
    CTempMacroFile(const CTempMacroFile&) = delete;
    CTempMacroFile& operator=(const CTempMacroFile&) = delete;

    const std::string& Path() const { return m_path; }

    void Write(const std::string& text)
    {
        std::ofstream(m_path, std::ios::binary | std::ios::trunc) << text;
        FlushPrivateProfileCache();
    }

private:
    CTempDir m_dir;
    std::string m_path;
};

struct MacroText {
    std::string name;
    std::string loops;
    std::vector<std::string> items;
    std::string itemCount = "auto"; // "auto": the number of items
};

// The text of a record.ini that lists `macros` in order.
inline std::string MakeRecordIni(const std::vector<MacroText>& macros)
{
    std::string text = "[MacroName]\nMacroCount=" + std::to_string(macros.size()) + "\n";
    for (size_t i = 0; i < macros.size(); ++i) {
        text += std::to_string(i) + "=" + macros[i].name + "\n";
    }
    for (const MacroText& m : macros) {
        text += "[" + m.name + "]\nDelayTimeSelStatus=1\nMacroLoopTimes=" + m.loops + "\n";
        text +=
            "ItemCount=" + (m.itemCount == "auto" ? std::to_string(m.items.size()) : m.itemCount) +
            "\n";
        for (size_t j = 0; j < m.items.size(); ++j) {
            text += "Item" + std::to_string(j) + "=" + m.items[j] + "\n";
        }
    }
    return text;
}

// `pairs` press/release pairs of key `key`, each event followed by `delay`.
inline std::vector<std::string> KeyTaps(const std::string& key, size_t pairs,
                                        const std::string& delay = "")
{
    std::vector<std::string> items;
    for (size_t i = 0; i < pairs; ++i) {
        items.push_back(key + "   Dn");
        if (!delay.empty()) {
            items.push_back(delay);
        }
        items.push_back(key + "   Up");
        if (!delay.empty()) {
            items.push_back(delay);
        }
    }
    return items;
}

} // namespace zentro::test
