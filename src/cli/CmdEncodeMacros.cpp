#include "cli/CliCommands.h"

#include "macros/MacroEncoding.h"
#include "macros/MacroSlotText.h"
#include "platform/FileStatus.h"
#include "profile/ProfileRecord.h"

#include <cstring>
#include <ostream>

namespace zentro {

namespace {

// "" when `path` is a readable regular file, else why not, worded as for a settings file.
std::string WhyUnreadable(const std::string& path)
{
    const FileStatus status = StatusOf(path);
    if (status.kind == FileKind::Missing)
        return "no such file";
    if (status.kind == FileKind::Unreadable)
        return std::string("cannot read the file: ") + std::strerror(status.error);
    if (status.kind == FileKind::Directory) {
        return "a folder, not a macro file";
    }
    if (const int error = ReadAccessError(path)) {
        return std::string("cannot read the file: ") + std::strerror(error);
    }
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
