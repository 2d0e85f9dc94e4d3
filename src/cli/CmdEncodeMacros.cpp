#include "cli/CliCommands.h"

#include "macros/MacroEncoding.h"
#include "macros/MacroSlotText.h"
#include "profile/ProfileRecord.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>

namespace zentro {

namespace {

// "" when `path` is a readable regular file, else why not, worded as for a settings file.
std::string WhyUnreadable(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT)
            return "no such file";
        return std::string("cannot read the file: ") + std::strerror(errno);
    }
    if (S_ISDIR(st.st_mode)) {
        return "a folder, not a macro file";
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::string("cannot read the file: ") + std::strerror(errno);
    }
    ::close(fd);
    return std::string();
}

} // namespace

int CmdEncodeMacros(const CliContext& context, const std::vector<std::string>& args)
{
    std::ostream& out = *context.out;
    std::ostream& err = *context.err;
    if (args.size() != 1 || args[0].empty()) {
        err << "zentroctl: usage: zentroctl encode-macros FILE (a macro file, record.ini)\n";
        return EXIT_USAGE;
    }
    const std::string& path = args[0];
    const std::string why = WhyUnreadable(path);
    if (!why.empty()) {
        err << "zentroctl: " << path << ": " << why << '\n';
        return EXIT_FAILED;
    }

    // The slots as a profile load builds them into a record that held no macros.
    ProfileRecord record{};
    const std::vector<MacroOverflow> overflows = BuildMacroSlotsReport(record.MacroSlot, path);
    out << FormatMacroSlots(record.MacroSlot);
    for (const MacroOverflow& overflow : overflows) {
        out << FormatMacroOverflow(overflow) << '\n';
    }
    return 0;
}

} // namespace zentro
