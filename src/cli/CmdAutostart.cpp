// zentroctl autostart on | off | status: the window program started at login, through the
// desktop's autostart folder ($XDG_CONFIG_HOME/autostart, ~/.config/autostart).

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "cli/CliCommands.h"
#include "platform/AtomicFile.h"
#include "platform/ExeDir.h"
#include "platform/ProgramFolder.h"

namespace zentro {

namespace {

std::string AutostartFolder()
{
    return ConfigHome(ProgramFolderInputs::FromEnvironment()) + "autostart";
}

// The window program beside this zentroctl, or the one on the PATH.
std::string WindowProgram()
{
    const std::string beside = GetExeDir() + "zentro-mouse";
    if (::access(beside.c_str(), X_OK) != 0)
        return "zentro-mouse";
    if (beside.find_first_of(" \t\"'\\$`") == std::string::npos)
        return beside;
    std::string quoted = "\"";
    for (char c : beside) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
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
    struct stat st {};
    const bool present = ::stat(file.c_str(), &st) == 0;
    if (args[0] == "status") {
        *context.out << (present ? "on (" + file + ")" : std::string("off")) << "\n";
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
