// zentroctl profile list | select N [--apply] | export N FILE.bin | import FILE.bin N: the
// profiles of the same folder the window uses (or of --dir DIR).

#include <cstdio>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "device/DeviceLink.h"
#include "platform/ExeDir.h"
#include "platform/InstanceSocket.h"
#include "platform/PrivateProfile.h"
#include "platform/ProgramFolder.h"
#include "profile/ApplyProfile.h"
#include "profile/ProfileFiles.h"
#include "profile/ProfileOperations.h"
#include "profile/ProfileRecord.h"
#include "settings/PointerSettings.h"
#include "text/LanguageTexts.h"

namespace zentro {

namespace {

// An apply takes about 7 s of pacing; the window answers when it is done.
constexpr int HAND_OVER_APPLY_TIMEOUT_MS = 60000;
constexpr int HAND_OVER_TIMEOUT_MS = 10000;

const char* kProfileUsage =
    "usage: zentroctl [--dir DIR] profile list\n"
    "       zentroctl [--dir DIR] profile select N [--apply]\n"
    "       zentroctl [--dir DIR] profile export N FILE.bin\n"
    "       zentroctl [--dir DIR] profile import FILE.bin N\n"
    "N is a profile's number: the first column of profile list, as in the files\n"
    "config0.bin ... config5.bin (0 to 5).\n";

int Usage(const CliContext& context)
{
    *context.err << kProfileUsage;
    return EXIT_USAGE;
}

int Failed(const CliContext& context, const std::string& message)
{
    *context.err << "zentroctl: " << message << "\n";
    return EXIT_FAILED;
}

// Profile `text` of the list of str.ini: a number of its first column. Anything else is
// refused with the same one line as a number past its end.
bool ResolveProfileNumber(const CliContext& context, const std::string& text, int& n)
{
    std::vector<ProfileListEntry> list;
    std::string reason;
    if (!ReadProfileList(list, &reason)) {
        Failed(context, reason);
        return false;
    }
    const bool digits = !text.empty() && text.size() <= 3 &&
                        text.find_first_not_of("0123456789") == std::string::npos;
    n = digits ? std::stoi(text) : -1;
    if (n < 0 || n >= static_cast<int>(list.size())) {
        Failed(context, NoSuchProfileMessage(text, list.size()));
        return false;
    }
    return true;
}

// The folder of --dir, or the one the window uses (seeded at the first run). Then the
// current profile's language, so labels are read from and written to its section.
bool OpenProfileFolder(const CliContext& context, const std::string& dir)
{
    std::string error;
    const bool ok = dir.empty() ? SetUpProgramFolder(&error) : UseProfileFolder(dir, &error);
    if (!ok) {
        Failed(context, error);
        return false;
    }
    LoadProfileSettings();
    g_strLanguage = ReadProfileLanguageCode();
    LoadLanguageTexts(std::string(g_strLanguage));
    return true;
}

std::string ProfileName(int n)
{
    std::vector<ProfileListEntry> list;
    if (!ReadProfileList(list) || n < 0 || n >= static_cast<int>(list.size()))
        return std::string();
    return list[static_cast<size_t>(n)].name;
}

int ProfileList(const CliContext& context)
{
    std::vector<ProfileListEntry> list;
    std::string reason;
    if (!ReadProfileList(list, &reason))
        return Failed(context, reason);
    for (const ProfileListEntry& entry : list)
        *context.out << entry.number << " " << entry.name << (entry.current ? " (current)" : "")
                     << "\n";
    // Scripts read the lines as they are; a person is told what the first column is for.
    if (context.interactive)
        *context.out << "(profile select N makes the profile numbered N current)\n";
    return 0;
}

int SelectHere(const CliContext& context, int n, bool apply)
{
    std::unique_ptr<CCliDeviceSession> session;
    if (apply) {
        // The mouse first: without one nothing is changed.
        session = std::make_unique<CCliDeviceSession>(context);
        if (!session->Ok())
            return EXIT_FAILED;
        if (!ConnectAtStartup())
            return ReportNoMouse(context);
    }
    std::string reason;
    if (!SelectProfile(n, &reason))
        return Failed(context, reason);
    if (apply) {
        if (!ApplyAndSaveProfile({}))
            return Failed(context, "profile select --apply: profile " + std::to_string(n) +
                                       " was sent to the mouse, but cannot write " +
                                       ProgramFilePath(SettingsFileName(n)) + " and " +
                                       ProgramFilePath(ProfileIniFileName(n)));
        ApplyWindowsPointerSettings();
        WaitForPointerSettings(); // set before the command reports it done
        // The profile is current either way; a mouse that did not take it all is said.
        if (ReportTransferFailures(context, *session, "profile select --apply") != 0)
            return EXIT_FAILED;
    }
    *context.out << "profile " << n << " (" << ProfileName(n) << ") is current"
                 << (apply ? " and applied" : "") << "\n";
    return 0;
}

int ProfileSelect(const CliContext& context, int n, bool apply)
{
    std::string reason;
    if (!CanSelectProfile(n, &reason))
        return Failed(context, reason);

    // A running window of this user does it itself, so that it never disagrees with the files
    // and never talks to the mouse at the same time as this program.
    ProfileSelectRequest request;
    request.profile = n;
    request.apply = apply;
    request.folder = GetExeDir();
    std::string answer;
    const HandOverResult result =
        HandOverToWindow(SingleInstanceSocketPath(), FormatProfileSelectRequest(request),
                         apply ? HAND_OVER_APPLY_TIMEOUT_MS : HAND_OVER_TIMEOUT_MS, &answer);
    switch (result) {
    case HandOverResult::Done:
        *context.out << "profile " << n << " (" << ProfileName(n) << ") is current"
                     << (apply ? " and applied" : "") << " (done by the running window)\n";
        if (!context.traceFile.empty())
            *context.err << "zentroctl: the running window talked to the mouse; its transfers are "
                            "not in "
                         << context.traceFile << "\n";
        return 0;
    case HandOverResult::Refused:
        return Failed(context, "the running window refused: " + answer);
    case HandOverResult::NoAnswer:
        return Failed(context, "the running window did not answer; nothing was changed here");
    case HandOverResult::OtherFolder:
        if (apply)
            return Failed(context, "the running window uses the profile folder " + answer +
                                       " and holds the mouse; close it or use --dir " + answer);
        break; // its files are not these: switch here
    case HandOverResult::NoWindow:
        break;
    }
    return SelectHere(context, n, apply);
}

int ProfileExport(const CliContext& context, int n, const std::string& file)
{
    std::string reason;
    if (!CanSelectProfile(n, &reason))
        return Failed(context, reason);
    const std::string settings = ProgramFilePath(SettingsFileName(n));
    const long long size = SettingsFileSize(settings);
    if (size != static_cast<long long>(SETTINGS_FILE_SIZE))
        return Failed(context, settings + " is " + std::to_string(size) + " bytes, not " +
                                   std::to_string(SETTINGS_FILE_SIZE) + "; not exported");
    // Profile n as saved, with its labels, without making it current.
    LoadProfileByNumber(static_cast<uint8_t>(n));
    ReadProfileTexts();
    std::string written;
    if (!ExportProfileFile(file, &reason, &written))
        return Failed(context, reason);
    *context.out << "exported profile " << n << " to " << written << " and "
                 << ProfileIniPartner(written) << "\n";
    return 0;
}

// True when a running window of this user owns the profile folder in use here: it keeps the
// profile in memory and would write it over what this program changed.
bool WindowOwnsThisFolder()
{
    const std::string windowFolder =
        RunningWindowFolder(SingleInstanceSocketPath(), HAND_OVER_TIMEOUT_MS);
    if (windowFolder.empty())
        return false;
    namespace fs = std::filesystem;
    std::error_code ignored;
    return fs::weakly_canonical(fs::path(windowFolder), ignored).lexically_normal() ==
           fs::weakly_canonical(fs::path(GetExeDir()), ignored).lexically_normal();
}

int ProfileImport(const CliContext& context, const std::string& file, int n)
{
    if (WindowOwnsThisFolder())
        return Failed(context, "the running window has the profile folder " + GetExeDir() +
                                   " open; import the file there (Config, Load) or close the "
                                   "window first; nothing was imported");
    std::string reason;
    if (!CanSelectProfile(n, &reason))
        return Failed(context, reason);
    const size_t slash = file.rfind('/');
    const std::string name = slash == std::string::npos ? file : file.substr(slash + 1);
    if (name.find(".bin") == std::string::npos)
        return Failed(context, file + ": a profile file's name must contain .bin");
    if (const std::string fault = SettingsFileFault(file); !fault.empty())
        return Failed(context, fault);

    // Profile n's own labels, kept when the file has no .ini partner.
    LoadProfileByNumber(static_cast<uint8_t>(n));
    ReadProfileTexts();
    const auto ownLabels = g_strButtonLabel;
    const bool hasPartner = SettingsFileSize(ProfileIniPartner(file)) >= 0;
    if (!ImportProfileFile(file, &reason))
        return Failed(context, reason);
    g_bImportPending = 0;
    if (!hasPartner)
        g_strButtonLabel = ownLabels;

    // Saved into profile n's files; which profile is current does not change.
    const std::string settingsFile = ProgramFilePath(SettingsFileName(n));
    const std::string iniFile = ProgramFilePath(ProfileIniFileName(n));
    // Both files in one change, initialised now: its first load must not replace the import
    // with the defaults.
    if (!WriteProfilePair(settingsFile, g_ProfileRecord, iniFile, LabelSectionName(), true,
                          &reason))
        return Failed(context, reason + "; profile " + std::to_string(n) + " is unchanged");
    *context.out << "imported " << file << " into profile " << n << " (" << ProfileName(n) << ")"
                 << (hasPartner ? "" : "; no .ini partner, the labels were kept") << "\n";
    return 0;
}

} // namespace

int CmdProfile(const CliContext& context, const std::vector<std::string>& argsIn)
{
    // --dir may also follow the command.
    std::string dir = context.profileDir;
    bool apply = false;
    std::vector<std::string> args;
    for (size_t i = 0; i < argsIn.size(); ++i) {
        const std::string& a = argsIn[i];
        if (a == "--dir") {
            if (i + 1 >= argsIn.size())
                return Usage(context);
            dir = argsIn[++i];
        } else if (a.rfind("--dir=", 0) == 0) {
            dir = a.substr(6);
        } else if (a == "--apply") {
            apply = true;
        } else if (a.size() > 1 && a[0] == '-') {
            *context.err << "zentroctl: unknown option " << a << "\n";
            return Usage(context);
        } else {
            args.push_back(a);
        }
    }
    if (args.empty())
        return Usage(context);
    const std::string sub = args[0];
    // The profile number is checked against the list once the folder is open.
    std::string number;
    if (sub == "list") {
        if (args.size() != 1 || apply)
            return Usage(context);
    } else if (sub == "select") {
        if (args.size() != 2)
            return Usage(context);
        number = args[1];
    } else if (sub == "export") {
        if (args.size() != 3 || apply)
            return Usage(context);
        number = args[1];
    } else if (sub == "import") {
        if (args.size() != 3 || apply)
            return Usage(context);
        number = args[2];
    } else {
        *context.err << "zentroctl: unknown profile command '" << sub
                     << "' (zentroctl help lists them)\n";
        return EXIT_USAGE;
    }

    if (!OpenProfileFolder(context, dir))
        return EXIT_FAILED;
    int n = -1;
    if (sub != "list" && !ResolveProfileNumber(context, number, n))
        return EXIT_FAILED;
    if (sub == "list")
        return ProfileList(context);
    if (sub == "select")
        return ProfileSelect(context, n, apply);
    if (sub == "export")
        return ProfileExport(context, n, args[2]);
    return ProfileImport(context, args[1], n);
}

} // namespace zentro
