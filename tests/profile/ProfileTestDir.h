#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "CoreReset.h"
#include "../support/FileContents.h"
#include "../support/TempDir.h"
#include "platform/ExeDir.h"
#include "platform/PrivateProfile.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileRecord.h"
#include "text/LanguageTexts.h"

namespace zentro::test {

// A temporary program directory installed as the executable's directory, with the profile
// state and the text table back at their start values. Removed again on destruction.
class CProfileTestDir {
public:
    explicit CProfileTestDir(const std::string& language = "EN") : m_dir("profile")
    {
        ResetCoreStateForTest();
        SetExeDirOverride(m_dir.Path());
        LoadLanguageTexts(language);
    }
    ~CProfileTestDir() { ResetCoreStateForTest(); }
    CProfileTestDir(const CProfileTestDir&) = delete;
    CProfileTestDir& operator=(const CProfileTestDir&) = delete;

    std::string Path(const std::string& name) const { return m_dir.Path(name); }
    bool Exists(const std::string& name) const { return std::filesystem::exists(Path(name)); }

    void Write(const std::string& name, const std::string& content) const
    {
        std::ofstream(Path(name), std::ios::binary) << content;
        FlushPrivateProfileCache();
    }
    void Write(const std::string& name, const std::vector<uint8_t>& content) const
    {
        std::ofstream f(Path(name), std::ios::binary);
        f.write(reinterpret_cast<const char*>(content.data()),
                static_cast<std::streamsize>(content.size()));
    }
    std::vector<uint8_t> Read(const std::string& name) const
    {
        return test::ReadFileBytes(Path(name));
    }
    std::string ReadText(const std::string& name) const { return test::ReadFile(Path(name)); }
    // A settings file: flag byte, then `record` cut or padded to `size` bytes in all.
    void WriteSettings(const std::string& name, const ProfileRecord& record, size_t size = 1791,
                       uint8_t flag = 1) const
    {
        std::vector<uint8_t> bytes(size, 0xEE);
        if (size > 0)
            bytes[0] = flag;
        for (size_t i = 1; i < size && i <= PROFILE_RECORD_SIZE; ++i)
            bytes[i] = record.Bytes()[i - 1];
        Write(name, bytes);
    }
    // The profile list of str.ini.
    void WriteList(const std::vector<std::string>& items, const std::string& current,
                   const std::string& countText = "") const
    {
        std::string text = "[Profile]\nItemCount=" +
                           (countText.empty() ? std::to_string(items.size()) : countText) + "\n";
        for (size_t i = 0; i < items.size(); ++i)
            text += "Item" + std::to_string(i) + "=" + items[i] + "\n";
        text += "CurProfileName=" + current + "\n";
        Write("str.ini", text);
    }
    std::string Ini(const std::string& file, const std::string& section,
                    const std::string& key) const
    {
        FlushPrivateProfileCache();
        return GetPrivateProfileString(section, key, "<missing>", Path(file));
    }

private:
    CTempDir m_dir;
};

// A record whose every byte is its offset (mod 251), so misplaced bytes show.
inline ProfileRecord PatternRecord(uint8_t salt = 0)
{
    ProfileRecord r{};
    for (size_t i = 0; i < PROFILE_RECORD_SIZE; ++i)
        r.Bytes()[i] = static_cast<uint8_t>((i + salt) % 251);
    return r;
}

// Three listed profiles A, B (current), C: each profile's settings file holds
// PatternRecord(10 * n + 1) and its INI the label "Label<n>"; config.bin holds PatternRecord(99).
inline void WriteThreeListedProfiles(CProfileTestDir& dir)
{
    dir.Write("str.ini", "[Profile]\nItemCount=3\nItem0=A\nItem1=B\nItem2=C\n"
                         "CurProfileName=B\n\n[Skins]\nLan=EN\n\n[Setting-EN]\nItem1=Default\n");
    dir.WriteSettings("config.bin", PatternRecord(99));
    for (int n = 0; n < 3; ++n) {
        const std::string number = std::to_string(n);
        dir.WriteSettings("config" + number + ".bin",
                          PatternRecord(static_cast<uint8_t>(10 * n + 1)));
        dir.Write("str" + number + ".ini",
                  "[Profile]\nIsDefault=Y\n[Setting-EN]\nItem1=Label" + number + "\n");
    }
}

} // namespace zentro::test
