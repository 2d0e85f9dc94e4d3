#include "platform/PrivateProfile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>
#include <mutex>
#include <sstream>
#include <sys/stat.h>
#include <unordered_map>
#include <vector>

#include "platform/AtomicFile.h"

namespace zentro {

enum class Encoding { Utf8, Utf8Bom, Utf16LeBom };

// One INI file as lines of UTF-8 text, with what it takes to write it back the same way.
struct IniFile {
    Encoding encoding = Encoding::Utf8;
    std::string eol = "\r\n"; // new files get Windows line ends, like the Windows program writes
    bool finalEol = true;
    std::vector<std::string> lines;

    // Lookup index: first section of each name, first key of each name inside it.
    struct Section {
        size_t header = 0; // line index of the header
        std::unordered_map<std::string, std::string> values;
    };
    std::unordered_map<std::string, Section> sections;
};

namespace {

struct CacheEntry {
    time_t mtimeSec = 0;
    long mtimeNsec = 0;
    off_t size = 0;
    ino_t inode = 0;
    std::shared_ptr<const IniFile> file;
};

std::mutex g_cacheMutex;
std::unordered_map<std::string, CacheEntry> g_cache;

std::string Lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string Trim(const std::string& s)
{
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r'))
        --e;
    return s.substr(b, e - b);
}

void AppendUtf8(std::string& out, uint32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// UTF-16LE to UTF-8; unpaired surrogates become U+FFFD, an odd trailing byte is dropped.
std::string Utf16LeToUtf8(const std::string& bytes, size_t start)
{
    std::string out;
    out.reserve(bytes.size() / 2);
    const auto unit = [&](size_t i) {
        return static_cast<uint16_t>(static_cast<uint8_t>(bytes[i]) |
                                     (static_cast<uint8_t>(bytes[i + 1]) << 8));
    };
    for (size_t i = start; i + 1 < bytes.size(); i += 2) {
        uint32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size()) {
            uint32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        if (u >= 0xD800 && u <= 0xDFFF)
            u = 0xFFFD;
        AppendUtf8(out, u);
    }
    return out;
}

// Decodes one UTF-8 sequence at s[i]; invalid bytes count as one character of their own.
uint32_t NextCodePoint(const std::string& s, size_t& i)
{
    auto b = static_cast<uint8_t>(s[i]);
    size_t len = b < 0x80           ? 1
                 : (b >> 5) == 0x6  ? 2
                 : (b >> 4) == 0xE  ? 3
                 : (b >> 3) == 0x1E ? 4
                                    : 0;
    if (len == 0 || i + len > s.size()) {
        ++i;
        return 0xFFFD;
    }
    uint32_t cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
    for (size_t k = 1; k < len; ++k) {
        auto c = static_cast<uint8_t>(s[i + k]);
        if ((c & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    i += len;
    return cp;
}

std::string Utf8ToUtf16Le(const std::string& s)
{
    std::string out;
    out.reserve(s.size() * 2);
    auto put = [&](uint32_t u) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>((u >> 8) & 0xFF);
    };
    for (size_t i = 0; i < s.size();) {
        uint32_t cp = NextCodePoint(s, i);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            put(0xD800 + (cp >> 10));
            put(0xDC00 + (cp & 0x3FF));
        } else {
            put(cp);
        }
    }
    return out;
}

// At most 1023 UTF-16 code units, the room of the program's 1024-character buffers; the cut
// never splits a character.
std::string CutToBuffer(const std::string& s)
{
    size_t units = 0;
    size_t i = 0;
    while (i < s.size()) {
        size_t start = i;
        uint32_t cp = NextCodePoint(s, i);
        size_t need = cp >= 0x10000 ? 2 : 1;
        if (units + need > PRIVATE_PROFILE_BUFFER - 1)
            return s.substr(0, start);
        units += need;
    }
    return s;
}

std::string Unquote(const std::string& v)
{
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

bool IsSectionHeader(const std::string& trimmed, std::string& name)
{
    if (trimmed.size() < 2 || trimmed.front() != '[')
        return false;
    size_t close = trimmed.find(']');
    if (close == std::string::npos)
        return false;
    name = Trim(trimmed.substr(1, close - 1));
    return true;
}

// Splits "key = value"; false for lines that hold no key.
bool SplitKeyLine(const std::string& trimmed, std::string& key, std::string& value)
{
    if (trimmed.empty() || trimmed[0] == ';')
        return false;
    size_t eq = trimmed.find('=');
    if (eq == std::string::npos)
        return false;
    key = Trim(trimmed.substr(0, eq));
    value = Trim(trimmed.substr(eq + 1));
    return !key.empty();
}

void BuildIndex(IniFile& file)
{
    file.sections.clear();
    IniFile::Section* current = nullptr;
    for (size_t i = 0; i < file.lines.size(); ++i) {
        std::string trimmed = Trim(file.lines[i]);
        std::string name, key, value;
        if (IsSectionHeader(trimmed, name)) {
            auto [it, inserted] = file.sections.try_emplace(Lower(name));
            if (inserted) {
                it->second.header = i;
                current = &it->second;
            } else {
                current = nullptr; // a repeated section: the first one wins
            }
            continue;
        }
        if (current && SplitKeyLine(trimmed, key, value))
            current->values.try_emplace(Lower(key), CutToBuffer(Unquote(value)));
    }
}

IniFile ParseBytes(const std::string& bytes)
{
    IniFile file;
    std::string text;
    if (bytes.size() >= 2 && static_cast<uint8_t>(bytes[0]) == 0xFF &&
        static_cast<uint8_t>(bytes[1]) == 0xFE) {
        file.encoding = Encoding::Utf16LeBom;
        text = Utf16LeToUtf8(bytes, 2);
    } else if (bytes.size() >= 3 && static_cast<uint8_t>(bytes[0]) == 0xEF &&
               static_cast<uint8_t>(bytes[1]) == 0xBB && static_cast<uint8_t>(bytes[2]) == 0xBF) {
        file.encoding = Encoding::Utf8Bom;
        text = bytes.substr(3);
    } else {
        text = bytes;
    }
    size_t firstNl = text.find('\n');
    if (firstNl != std::string::npos)
        file.eol = firstNl > 0 && text[firstNl - 1] == '\r' ? "\r\n" : "\n";
    file.finalEol = text.empty() || text.back() == '\n';
    size_t start = 0;
    while (start < text.size()) {
        size_t nl = text.find('\n', start);
        size_t end = nl == std::string::npos ? text.size() : nl;
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        file.lines.push_back(std::move(line));
        if (nl == std::string::npos)
            break;
        start = nl + 1;
    }
    BuildIndex(file);
    return file;
}

bool StatFile(const std::string& path, struct stat& st)
{
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The parsed file, from the cache while the file on disk is unchanged. Null when missing.
std::shared_ptr<const IniFile> Load(const std::string& path)
{
    struct stat st {};
    if (!StatFile(path, st)) {
        std::lock_guard<std::mutex> lock(g_cacheMutex);
        g_cache.erase(path);
        return nullptr;
    }
    {
        std::lock_guard<std::mutex> lock(g_cacheMutex);
        auto it = g_cache.find(path);
        if (it != g_cache.end() && it->second.mtimeSec == st.st_mtim.tv_sec &&
            it->second.mtimeNsec == st.st_mtim.tv_nsec && it->second.size == st.st_size &&
            it->second.inode == st.st_ino)
            return it->second.file;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return nullptr;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    auto file = std::make_shared<const IniFile>(ParseBytes(buffer.str()));
    std::lock_guard<std::mutex> lock(g_cacheMutex);
    g_cache[path] = {st.st_mtim.tv_sec, st.st_mtim.tv_nsec, st.st_size, st.st_ino, file};
    return file;
}

std::string Serialize(const IniFile& file)
{
    std::string text;
    for (size_t i = 0; i < file.lines.size(); ++i) {
        text += file.lines[i];
        if (i + 1 < file.lines.size() || file.finalEol)
            text += file.eol;
    }
    switch (file.encoding) {
    case Encoding::Utf16LeBom:
        return std::string("\xFF\xFE", 2) + Utf8ToUtf16Le(text);
    case Encoding::Utf8Bom:
        return "\xEF\xBB\xBF" + text;
    case Encoding::Utf8:
        break;
    }
    return text;
}

bool Store(const std::string& path, IniFile& file, int* error = nullptr)
{
    BuildIndex(file);
    std::string bytes = Serialize(file);
    if (!WriteFileAtomically(path, bytes.data(), bytes.size(), error)) {
        std::lock_guard<std::mutex> lock(g_cacheMutex);
        g_cache.erase(path);
        return false;
    }
    // The next read re-checks the file's stamp; keeping our own parse saves the re-read.
    struct stat st {};
    std::lock_guard<std::mutex> lock(g_cacheMutex);
    if (StatFile(path, st))
        g_cache[path] = {st.st_mtim.tv_sec, st.st_mtim.tv_nsec, st.st_size, st.st_ino,
                         std::make_shared<const IniFile>(file)};
    else
        g_cache.erase(path);
    return true;
}

// The line range [header + 1, end) of the first section named `section`.
bool FindSection(const IniFile& file, const std::string& section, size_t& header, size_t& end)
{
    auto it = file.sections.find(Lower(Trim(section)));
    if (it == file.sections.end())
        return false;
    header = it->second.header;
    end = file.lines.size();
    for (size_t i = header + 1; i < file.lines.size(); ++i) {
        std::string name;
        if (IsSectionHeader(Trim(file.lines[i]), name)) {
            end = i;
            break;
        }
    }
    return true;
}

bool IsKeyLine(const std::string& line, const std::string& lowerKey)
{
    std::string key, value;
    return SplitKeyLine(Trim(line), key, value) && Lower(key) == lowerKey;
}

bool ValidName(const std::string& s)
{
    return s.find('\n') == std::string::npos && s.find('\r') == std::string::npos;
}

// The value of key in section of a parsed file, as the readers give it.
std::string LookUp(const IniFile* file, const std::string& section, const std::string& key,
                   const std::string& defaultValue)
{
    if (file) {
        auto s = file->sections.find(Lower(Trim(section)));
        if (s != file->sections.end()) {
            auto v = s->second.values.find(Lower(Trim(key)));
            if (v != s->second.values.end())
                return v->second;
        }
    }
    return CutToBuffer(defaultValue);
}

} // namespace

std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, const std::string& file)
{
    return LookUp(Load(file).get(), section, key, defaultValue);
}

namespace {

bool ValidPair(const std::string& section, const std::string& key, const std::string& value)
{
    // Names that could not be read back are refused rather than written: a line break makes
    // a different file, "]" ends the section header early, "=" ends the key, and a key that
    // starts with ";" reads as a comment, one like "[x]" as a section header.
    const std::string k = Trim(key);
    return !Trim(section).empty() && !k.empty() && ValidName(section) && ValidName(key) &&
           ValidName(value) && section.find(']') == std::string::npos &&
           key.find('=') == std::string::npos && k[0] != ';' &&
           !(k[0] == '[' && k.find(']') != std::string::npos);
}

// Sets key in section of the parsed file, as WritePrivateProfileString describes.
void SetKeyIn(IniFile& file, const std::string& section, const std::string& key,
              const std::string& value)
{
    const std::string line = Trim(key) + "=" + value;
    size_t header = 0, end = 0;
    if (FindSection(file, section, header, end)) {
        const std::string lowerKey = Lower(Trim(key));
        for (size_t i = header + 1; i < end; ++i) {
            if (IsKeyLine(file.lines[i], lowerKey)) {
                file.lines[i] = line; // no line moves: the index stays right
                return;
            }
        }
        // After the section's last non-blank line.
        size_t at = end;
        while (at > header + 1 && Trim(file.lines[at - 1]).empty())
            --at;
        file.lines.insert(file.lines.begin() + static_cast<long>(at), line);
    } else {
        if (!file.lines.empty() && !file.finalEol)
            file.finalEol = true;
        file.lines.push_back("[" + Trim(section) + "]");
        file.lines.push_back(line);
        file.finalEol = true;
    }
    // Lines moved or a section was added: the next change needs a fresh index.
    BuildIndex(file);
}

} // namespace

bool WritePrivateProfileString(const std::string& section, const std::string& key,
                               const std::string& value, const std::string& path)
{
    if (!ValidPair(section, key, value))
        return false;
    auto parsed = Load(path);
    IniFile file = parsed ? *parsed : IniFile{};
    SetKeyIn(file, section, key, value);
    return Store(path, file);
}

bool WritePrivateProfileStrings(const std::string& section,
                                const std::vector<std::pair<std::string, std::string>>& pairs,
                                const std::string& path)
{
    auto parsed = Load(path);
    IniFile file = parsed ? *parsed : IniFile{};
    bool allValid = true;
    for (const auto& [key, value] : pairs) {
        if (!ValidPair(section, key, value)) {
            allValid = false;
            break;
        }
        SetKeyIn(file, section, key, value);
    }
    return Store(path, file) && allValid;
}

namespace {

bool DeleteKeyIn(IniFile& file, const std::string& section, const std::string& key)
{
    size_t header = 0, end = 0;
    if (!FindSection(file, section, header, end))
        return false;
    const std::string lowerKey = Lower(Trim(key));
    bool changed = false;
    for (size_t i = end; i > header + 1; --i) {
        if (IsKeyLine(file.lines[i - 1], lowerKey)) {
            file.lines.erase(file.lines.begin() + static_cast<long>(i - 1));
            changed = true;
        }
    }
    if (changed)
        BuildIndex(file);
    return changed;
}

bool DeleteSectionIn(IniFile& file, const std::string& section)
{
    size_t header = 0, end = 0;
    if (!FindSection(file, section, header, end))
        return false;
    file.lines.erase(file.lines.begin() + static_cast<long>(header),
                     file.lines.begin() + static_cast<long>(end));
    BuildIndex(file);
    return true;
}

} // namespace

bool DeletePrivateProfileKey(const std::string& section, const std::string& key,
                             const std::string& path)
{
    auto parsed = Load(path);
    if (!parsed)
        return true;
    IniFile file = *parsed;
    return DeleteKeyIn(file, section, key) ? Store(path, file) : true;
}

bool DeletePrivateProfileSection(const std::string& section, const std::string& path)
{
    auto parsed = Load(path);
    if (!parsed)
        return true;
    IniFile file = *parsed;
    return DeleteSectionIn(file, section) ? Store(path, file) : true;
}

bool IsStorableSectionName(const std::string& section)
{
    return !section.empty() && Trim(section) == section && ValidName(section) &&
           section.find(']') == std::string::npos && CutToBuffer(section) == section &&
           section.find_first_not_of(" \t") != std::string::npos;
}

bool IsStorableValue(const std::string& value)
{
    return ValidName(value) && Trim(value) == value && Unquote(value) == value &&
           CutToBuffer(value) == value;
}

CPrivateProfileEdit::CPrivateProfileEdit(std::string path) : m_path(std::move(path))
{
    auto parsed = Load(m_path);
    m_file = std::make_unique<IniFile>(parsed ? *parsed : IniFile{});
}

CPrivateProfileEdit::~CPrivateProfileEdit() = default;

bool CPrivateProfileEdit::SetKey(const std::string& section, const std::string& key,
                                 const std::string& value)
{
    if (!ValidPair(section, key, value)) {
        m_refused = true;
        return false;
    }
    SetKeyIn(*m_file, section, key, value);
    return true;
}

void CPrivateProfileEdit::DeleteKey(const std::string& section, const std::string& key)
{
    DeleteKeyIn(*m_file, section, key);
}

void CPrivateProfileEdit::DeleteSection(const std::string& section)
{
    DeleteSectionIn(*m_file, section);
}

bool CPrivateProfileEdit::ReplaceSection(
    const std::string& section, const std::vector<std::pair<std::string, std::string>>& pairs)
{
    for (const auto& [key, value] : pairs) {
        if (!ValidPair(section, key, value)) {
            m_refused = true;
            return false;
        }
    }
    DeleteSectionIn(*m_file, section);
    for (const auto& [key, value] : pairs)
        SetKeyIn(*m_file, section, key, value);
    return true;
}

std::string CPrivateProfileEdit::Render() const
{
    return Serialize(*m_file);
}

bool CPrivateProfileEdit::Commit(int* error)
{
    if (m_refused) {
        if (error)
            *error = EINVAL;
        return false;
    }
    return Store(m_path, *m_file, error);
}

void FlushPrivateProfileCache()
{
    std::lock_guard<std::mutex> lock(g_cacheMutex);
    g_cache.clear();
}

} // namespace zentro
