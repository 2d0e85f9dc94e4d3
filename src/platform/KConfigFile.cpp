#include "platform/KConfigFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace zentro {

namespace {

// A group name as a header part: KDE writes "[" and "]" inside a name as "\x5b" and "\x5d".
std::string GroupHeader(const std::vector<std::string>& groups)
{
    std::string header;
    for (const std::string& group : groups) {
        header += '[';
        for (char c : group) {
            if (c == '[')
                header += "\\x5b";
            else if (c == ']')
                header += "\\x5d";
            else
                header += c;
        }
        header += ']';
    }
    return header;
}

std::string Trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return std::string();
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// The key of a `key=value` line (with any `[$i]`-style flags cut off), "" for other lines.
std::string KeyOf(const std::string& line)
{
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == '#' || trimmed[0] == '[')
        return std::string();
    const size_t eq = trimmed.find('=');
    if (eq == std::string::npos)
        return std::string();
    std::string key = Trim(trimmed.substr(0, eq));
    const size_t flags = key.find("[$");
    return flags == std::string::npos ? key : Trim(key.substr(0, flags));
}

bool IsHeader(const std::string& line)
{
    const std::string trimmed = Trim(line);
    return !trimmed.empty() && trimmed[0] == '[';
}

std::vector<std::string> ReadLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

bool MakeFolders(const std::string& path)
{
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string folder = path.substr(0, slash);
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

bool ReplaceFile(const std::string& path, const std::string& text)
{
    if (!MakeFolders(path))
        return false;
    const std::string temporary = path + ".zentro-new";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    bool ok = true;
    for (size_t done = 0; ok && done < text.size();) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            done += static_cast<size_t>(n);
    }
    // Keep the permissions the file had.
    struct stat st {};
    if (ok && ::stat(path.c_str(), &st) == 0)
        ::fchmod(fd, st.st_mode & 07777);
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (ok && ::rename(temporary.c_str(), path.c_str()) == 0)
        return true;
    ::unlink(temporary.c_str());
    return false;
}

} // namespace

bool WriteKConfigEntry(const std::string& path, const std::vector<std::string>& groups,
                       const std::string& key, const std::string& value)
{
    std::vector<std::string> lines = ReadLines(path);
    const std::string header = GroupHeader(groups);
    const std::string entry = key + '=' + value;
    size_t group = lines.size();
    for (size_t i = 0; i < lines.size(); ++i) {
        if (Trim(lines[i]) == header) {
            group = i;
            break;
        }
    }
    if (group == lines.size()) {
        if (!lines.empty() && !Trim(lines.back()).empty())
            lines.emplace_back();
        lines.push_back(header);
        lines.push_back(entry);
    } else {
        size_t end = group + 1;
        while (end < lines.size() && !IsHeader(lines[end]))
            ++end;
        size_t found = end;
        for (size_t i = group + 1; i < end; ++i)
            if (KeyOf(lines[i]) == key)
                found = i;
        if (found != end) {
            lines[found] = entry;
        } else {
            // After the group's last entry, before the blank lines that part it from the next.
            size_t at = end;
            while (at > group + 1 && Trim(lines[at - 1]).empty())
                --at;
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), entry);
        }
    }
    std::ostringstream text;
    for (const std::string& line : lines)
        text << line << '\n';
    return ReplaceFile(path, text.str());
}

std::string ReadKConfigEntry(const std::string& path, const std::vector<std::string>& groups,
                             const std::string& key)
{
    const std::string header = GroupHeader(groups);
    bool inGroup = false;
    std::string value;
    for (const std::string& line : ReadLines(path)) {
        if (IsHeader(line)) {
            inGroup = Trim(line) == header;
            continue;
        }
        if (inGroup && KeyOf(line) == key)
            value = Trim(line.substr(line.find('=') + 1));
    }
    return value;
}

} // namespace zentro
