// zentroctl dump, apply and defaults: the settings-file commands.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "device/DeviceLink.h"
#include "platform/FileStatus.h"
#include "profile/ApplyProfile.h"
#include "profile/ProfileFields.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileRecord.h"

namespace zentro {

namespace {

// Reads a whole settings file: exactly 1791 bytes, anything else is refused with one line.
bool LoadWholeSettingsFile(const CliContext& context, const std::string& path,
                           ProfileRecord& record, uint8_t& flag)
{
    std::ostream& err = *context.err;
    const std::string fault = SettingsFileFault(path);
    if (!fault.empty()) {
        err << "zentroctl: " << fault << "\n";
        return false;
    }
    record = ProfileRecord{};
    if (ReadSettingsFile(path, record, &flag) != static_cast<int>(PROFILE_RECORD_SIZE)) {
        err << "zentroctl: " << path << ": cannot read the file: " << std::strerror(errno) << "\n";
        return false;
    }
    return true;
}

bool OneFileArgument(const CliContext& context, const std::vector<std::string>& args,
                     const char* command)
{
    if (args.size() == 1 && !args[0].empty())
        return true;
    *context.err << "zentroctl: usage: zentroctl " << command << " FILE.bin\n";
    return false;
}

} // namespace

std::string SettingsFileFault(const std::string& path)
{
    const FileStatus status = StatusOf(path);
    if (status.kind == FileKind::Missing)
        return path + ": no such file";
    if (status.kind == FileKind::Unreadable)
        return path + ": cannot read the file: " + std::strerror(status.error);
    if (status.kind == FileKind::Directory)
        return path + ": a folder, not a settings file";
    if (status.kind != FileKind::Regular)
        return path + ": not a settings file";
    if (status.size != static_cast<int64_t>(SETTINGS_FILE_SIZE))
        return path + ": a settings file is " + std::to_string(SETTINGS_FILE_SIZE) +
               " bytes, this one is " + std::to_string(status.size);
    if (const int error = ReadAccessError(path))
        return path + ": cannot read the file: " + std::strerror(error);
    return std::string();
}

int CmdDump(const CliContext& context, const std::vector<std::string>& args)
{
    if (!OneFileArgument(context, args, "dump"))
        return EXIT_USAGE;
    ProfileRecord record{};
    uint8_t flag = 0;
    if (!LoadWholeSettingsFile(context, args[0], record, flag))
        return EXIT_FAILED;

    std::ostream& out = *context.out;
    out << "Flag = " << unsigned(flag) << "\n";
    const uint8_t* bytes = record.Bytes();
    for (const ProfileFieldInfo& field : ProfileFields()) {
        if (std::strcmp(field.name, "MacroSlot") == 0)
            continue;
        out << field.name << " =";
        for (size_t i = 0; i < field.width; ++i)
            out << ' ' << unsigned(bytes[field.offset + i]);
        out << "\n";
    }
    for (size_t k = 0; k < MACRO_SLOT_COUNT; ++k) {
        out << "MacroSlot[" << k << "] =";
        char hex[4];
        for (size_t i = 0; i < MACRO_SLOT_SIZE; ++i) {
            std::snprintf(hex, sizeof hex, " %02x", record.MacroSlot[k][i]);
            out << hex;
        }
        out << "\n";
    }
    return 0;
}

int CmdApply(const CliContext& context, const std::vector<std::string>& args)
{
    if (!OneFileArgument(context, args, "apply"))
        return EXIT_USAGE;
    ProfileRecord record{};
    uint8_t flag = 0;
    // The file is checked before the mouse is touched.
    if (!LoadWholeSettingsFile(context, args[0], record, flag))
        return EXIT_FAILED;

    CCliDeviceSession session(context);
    if (!session.Ok())
        return EXIT_FAILED;
    if (!ConnectAtStartup())
        return ReportNoMouse(context);
    const ProfileRecord snapshot = BeginApplyProfile(record);
    SendProfileToDevice(snapshot);
    // The sequence runs to its end whatever the mouse answers; only then is it judged.
    if (ReportTransferFailures(context, session, "apply") != 0)
        return EXIT_FAILED;
    *context.out << "applied " << args[0] << "\n";
    return 0;
}

int CmdDefaults(const CliContext& context, const std::vector<std::string>& args)
{
    if (!OneFileArgument(context, args, "defaults"))
        return EXIT_USAGE;
    ProfileRecord record{};
    LoadDefaults(record);
    int error = 0;
    if (!WriteSettingsFile(args[0], record, &error)) {
        *context.err << "zentroctl: " << args[0]
                     << ": cannot write the file: " << std::strerror(error) << "\n";
        return EXIT_FAILED;
    }
    return 0;
}

} // namespace zentro
