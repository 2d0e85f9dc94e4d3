#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

// Stand-in for GetPrivateProfileStringW / WritePrivateProfileStringW: INI files read and
// written one key at a time with the Windows semantics. Section and key names compare without
// regard to ASCII case, the first matching section and key win, values are trimmed and lose
// one pair of surrounding quotes, and a value is cut at 1023 characters (the 1024-character
// buffers of the program). Files may be UTF-8 (with or without BOM) or UTF-16LE with BOM;
// strings here are UTF-8; a write keeps the file's encoding and every other line, and replaces
// the file atomically.

namespace zentro {

constexpr size_t PRIVATE_PROFILE_BUFFER = 1024;

// The value of key in section of file, or `defaultValue` when the file, section or key is
// missing. Never longer than 1023 characters (the cut never splits a UTF-8 sequence).
std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, const std::string& file);

// Sets key in section to value, creating the file, the section and the key as needed.
// False when the file could not be written.
bool WritePrivateProfileString(const std::string& section, const std::string& key,
                               const std::string& value, const std::string& file);

// The same for several keys of one section, in order, with one replacement of the file: the
// result is that of one WritePrivateProfileString per pair, up to the first pair that would be
// refused (that pair and the ones after it are not written, and the result is false).
bool WritePrivateProfileStrings(const std::string& section,
                                const std::vector<std::pair<std::string, std::string>>& pairs,
                                const std::string& file);

// Removes the key (every copy of it in the first matching section). True when the file is
// as asked afterwards (also when there was nothing to delete).
bool DeletePrivateProfileKey(const std::string& section, const std::string& key,
                             const std::string& file);

// Removes the whole section (its header and every line up to the next section).
bool DeletePrivateProfileSection(const std::string& section, const std::string& file);

// Whether `section` can be written as a section name and found again under the same name:
// not blank, no line break, no "]" (it would end the header early), no blanks around it (the
// reader drops them), and at most 1023 characters (the program's buffers).
bool IsStorableSectionName(const std::string& section);

// Whether `value` reads back exactly as written: no line break, no blanks around it (the
// reader trims them), not wrapped in one pair of the same quotes (the reader drops them), and
// within the 1023-character buffers.
bool IsStorableValue(const std::string& value);

struct IniFile;

// Several changes of one INI file made as one replacement of the file: all of them reach the
// disk, or none does (the file stays as it was). Changes that could not be read back are
// refused (false) and spoil the edit, so that Commit writes nothing.
class CPrivateProfileEdit {
public:
    explicit CPrivateProfileEdit(std::string path);
    ~CPrivateProfileEdit();
    CPrivateProfileEdit(const CPrivateProfileEdit&) = delete;
    CPrivateProfileEdit& operator=(const CPrivateProfileEdit&) = delete;

    bool SetKey(const std::string& section, const std::string& key, const std::string& value);
    void DeleteKey(const std::string& section, const std::string& key);
    void DeleteSection(const std::string& section);
    // The section's keys become exactly `pairs` (the section is created where missing).
    bool ReplaceSection(const std::string& section,
                        const std::vector<std::pair<std::string, std::string>>& pairs);

    // The bytes of the changed file (in its own encoding and line ends).
    std::string Render() const;
    // Replaces the file atomically. False (file unchanged) when a change was refused or the
    // write failed; *error then holds the errno (EINVAL for a refused change).
    bool Commit(int* error = nullptr);

private:
    std::string m_path;
    std::unique_ptr<IniFile> m_file;
    bool m_refused = false;
};

// Tests: forget any cached parse of files.
void FlushPrivateProfileCache();

} // namespace zentro
