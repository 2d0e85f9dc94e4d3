// zentroctl autostart on | off | status: the window program started at login, through the
// desktop's autostart folder ($XDG_CONFIG_HOME/autostart, ~/.config/autostart).

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <ostream>
#include <string>
#include <unistd.h>

#include "cli/CliCommands.h"
#include "platform/AtomicFile.h"
#include "platform/ExeDir.h"
#include "platform/FileStatus.h"
#include "platform/ProgramFolder.h"

namespace zentro {

namespace {

std::string AutostartFolder()
{
    return ConfigHome(ProgramFolderInputs::FromEnvironment()) + "autostart";
}

// One argument of an Exec line, written as the desktop-entry rules want it: an argument with a
// reserved character is put in double quotes, where `"`, `` ` ``, `$` and `\` take a backslash;
// a literal `%` is doubled (the launchers expand `%%` inside quotes as well); then the value
// as a whole gets the string escapes of every key, so each backslash is written twice.
std::string DesktopExecArgument(const std::string& argument)
{
    static const std::string kReserved(" \t\n\"'\\><~|&;$*?#()`");
    const bool quoted = argument.find_first_of(kReserved) != std::string::npos;
    std::string unescaped = quoted ? "\"" : "";
    for (char c : argument) {
        if (c == '%') {
            unescaped += "%%";
            continue;
        }
        if (quoted && (c == '"' || c == '`' || c == '$' || c == '\\'))
            unescaped += '\\';
        unescaped += c;
    }
    if (quoted)
        unescaped += '"';
    std::string value;
    for (char c : unescaped) {
        switch (c) {
        case '\\':
            value += "\\\\";
            break;
        case '\n':
            value += "\\n";
            break;
        case '\t':
            value += "\\t";
            break;
        case '\r':
            value += "\\r";
            break;
        default:
            value += c;
        }
    }
    return value;
}

// The window program beside this zentroctl, or the one on the PATH.
std::string WindowProgram()
{
    const std::string beside = GetExeDir() + "zentro-mouse";
    if (!IsExecutable(beside))
        return "zentro-mouse";
    return DesktopExecArgument(beside);
}

std::string Trimmed(const std::string& s)
{
    const size_t first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// True when the entry's [Desktop Entry] group switches it off: Hidden=true, or the GNOME
// session's X-GNOME-Autostart-enabled=false. The desktops then do not start it.
bool EntryDisabled(const std::string& file)
{
    std::ifstream in(file);
    std::string line;
    bool inEntryGroup = false;
    bool disabled = false;
    while (std::getline(in, line)) {
        line = Trimmed(line);
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '[') {
            inEntryGroup = line == "[Desktop Entry]";
            continue;
        }
        const size_t equals = line.find('=');
        if (!inEntryGroup || equals == std::string::npos)
            continue;
        const std::string key = Trimmed(line.substr(0, equals));
        const std::string value = Trimmed(line.substr(equals + 1));
        if ((key == "Hidden" && value == "true") ||
            (key == "X-GNOME-Autostart-enabled" && value == "false"))
            disabled = true;
    }
    return disabled;
}

} // namespace

int CmdAutostart(const CliContext& context, const std::vector<std::string>& args)
{
    if (args.size() != 1 || (args[0] != "on" && args[0] != "off" && args[0] != "status")) {
        *context.err << "usage: zentroctl autostart on|off|status\n";
        return 2;
    }
    const std::string folder = AutostartFolder();
    const std::string file = folder + "/zentro-mouse.desktop";
    const bool present = FileExists(file);
    if (args[0] == "status") {
        if (!present)
            *context.out << "off\n";
        else if (EntryDisabled(file))
            *context.out << "off (disabled: " << file << ")\n";
        else
            *context.out << "on (" << file << ")\n";
        return 0;
    }
    if (args[0] == "off") {
        if (present && ::unlink(file.c_str()) != 0) {
            *context.err << "zentroctl: cannot remove " << file << ": " << std::strerror(errno)
                         << "\n";
            return 1;
        }
        *context.out << "autostart off\n";
        return 0;
    }
    int code = 0;
    if (!MakeFolders(folder, &code)) {
        *context.err << "zentroctl: cannot create " << folder << ": " << std::strerror(code)
                     << "\n";
        return 1;
    }
    const std::string entry = "[Desktop Entry]\n"
                              "Type=Application\n"
                              "Name=ZENTRO gaming mouse\n"
                              "Comment=Waits for the ZENTRO gaming mouse in the notification area\n"
                              "Exec=" +
                              WindowProgram() +
                              "\n"
                              "Icon=zentro-mouse\n"
                              "Terminal=false\n"
                              "X-GNOME-Autostart-enabled=true\n";
    int error = 0;
    if (!WriteFileAtomically(file, entry.data(), entry.size(), &error)) {
        *context.err << "zentroctl: cannot write " << file << ": "
                     << std::strerror(error ? error : EIO) << "\n";
        return 1;
    }
    *context.out << "autostart on: " << file << "\n";
    return 0;
}

} // namespace zentro
