#include "cli/CliCommands.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>

#include "device/CommandProtocol.h"
#include "device/DeviceLink.h"
#include "device/hid/HidrawTransport.h"
#include "device/hid/SimulatedMouse.h"
#include "device/hid/TraceSession.h"
#include "device/hid/TransferTrace.h"
#include "platform/Clock.h"

namespace zentro {

namespace {

const char* kUsage =
    "usage: zentroctl [--device auto|simulated] [--trace FILE] [--dir DIR] COMMAND [ARGS]\n"
    "       zentroctl help | --help | --version\n"
    "commands:\n"
    "  list                  the HID interfaces of the mouse\n"
    "  info                  connect and show firmware version and function options\n"
    "  dump FILE.bin         decode a settings file\n"
    "  apply FILE.bin        send the settings of a file to the mouse (nothing is saved)\n"
    "  encode-macros FILE    show the macro slots built from a macro file (record.ini)\n"
    "  defaults FILE.bin     write a settings file holding the factory defaults\n"
    "  profile list          the profiles: number, name, \"(current)\" after the current one\n"
    "  profile select N [--apply]\n"
    "                        make profile N current (and send it to the mouse); a running\n"
    "                        window of this user does it itself\n"
    "  profile export N FILE.bin\n"
    "                        write profile N to FILE.bin and its labels to FILE.ini\n"
    "  profile import FILE.bin N\n"
    "                        read FILE.bin (1791 bytes) and FILE.ini into profile N\n"
    "  autostart on|off|status\n"
    "                        start the window program at login, or not\n"
    "N is a profile's number, the first column of `profile list` (0 to 5).\n"
    "--device simulated tries every command on a built-in simulated mouse.\n"
    "--dir DIR names the profile folder (default: the one the window uses, for an installed\n"
    "program ~/.config/zentro-mouse).\n"
    "Exit status: 0 done, 1 failed (one line on stderr says why), 2 wrong arguments.\n";

const char* kNoMouse = "zentroctl: no ZENTRO mouse (USB 04d9:a165) found; to try the commands "
                       "without it, add --device simulated\n";

const char* kUdevHint = "install the udev rule resources/70-zentro-mouse.rules (see README) and "
                        "plug the mouse in again";

} // namespace

struct CCliDeviceSession::Impl {
    std::unique_ptr<CSimulatedMouse> simulated;
    std::unique_ptr<CHidrawTransport> hidraw;
    std::unique_ptr<CVirtualTime> virtualTime;
    std::unique_ptr<CTraceSession> trace;
};

CCliDeviceSession::CCliDeviceSession(const CliContext& context) : m_impl(new Impl)
{
    IHidTransport* transport = nullptr;
    if (context.simulated) {
        m_impl->simulated = std::make_unique<CSimulatedMouse>();
        if (context.prepareSimulatedMouse)
            context.prepareSimulatedMouse(*m_impl->simulated);
        transport = m_impl->simulated.get();
        // The simulated mouse needs no pacing: waits are only recorded.
        m_impl->virtualTime = std::make_unique<CVirtualTime>();
        SetSleeper(m_impl->virtualTime.get());
    } else {
        m_impl->hidraw = std::make_unique<CHidrawTransport>();
        transport = m_impl->hidraw.get();
    }
    // Without a trace file the transfers are still counted, so that a failure is reported.
    m_impl->trace = std::make_unique<CTraceSession>(*transport, context.traceFile);
    if (!m_impl->trace->Ok()) {
        *context.err << "zentroctl: " << m_impl->trace->Error() << "\n";
        m_ok = false;
    }
    SetHidTransport(&m_impl->trace->Transport());
}

CCliDeviceSession::~CCliDeviceSession()
{
    ShutdownDeviceLink();
    SetHidTransport(nullptr);
    m_impl->trace.reset(); // gives back the sleeper it wrapped
    SetSleeper(nullptr);
    delete m_impl;
}

const CTransferTrace& CCliDeviceSession::Transfers() const
{
    return m_impl->trace->Trace();
}

int ReportTransferFailures(const CliContext& context, const CCliDeviceSession& session,
                           const char* command)
{
    const TransferSummary summary = session.Transfers().Summary();
    if (summary.failures == 0)
        return 0;
    std::string what = summary.firstFailureVerb;
    if (!summary.firstFailureCommand.empty())
        what += " of command " + summary.firstFailureCommand;
    *context.err << "zentroctl: " << command << " failed: " << summary.failures << " of "
                 << summary.transfers << " transfers to the mouse failed, the first was transfer "
                 << summary.firstFailure << " (" << what << "): " << summary.firstFailureError
                 << "\n";
    return EXIT_FAILED;
}

int ReportNoMouse(const CliContext& context)
{
    // Tell a missing mouse apart from one the user may not open.
    IHidTransport* transport = GetHidTransport();
    std::vector<HidInterfaceInfo> interfaces;
    if (transport && transport->Enumerate(interfaces)) {
        for (const auto& info : interfaces) {
            if (info.vendorId != ZENTRO_VENDOR_ID || info.productId != ZENTRO_PRODUCT_ID)
                continue;
            HidOpenError error = HidOpenError::None;
            HidOpenMode mode =
                info.usagePage == 0xFF00 ? HidOpenMode::ReadWrite : HidOpenMode::Read;
            if (auto handle = transport->Open(info.path, mode, &error))
                handle->Close();
            if (error == HidOpenError::PermissionDenied) {
                *context.err
                    << "zentroctl: the ZENTRO mouse is connected, but this user may not open "
                    << info.path << ": " << kUdevHint << "\n";
                return EXIT_FAILED;
            }
        }
    }
    *context.err << kNoMouse;
    return EXIT_FAILED;
}

int CmdList(const CliContext& context, const std::vector<std::string>& args)
{
    if (!args.empty()) {
        *context.err << "zentroctl: list takes no arguments\n";
        return EXIT_USAGE;
    }
    CCliDeviceSession session(context);
    if (!session.Ok())
        return EXIT_FAILED;
    IHidTransport* transport = GetHidTransport();
    std::vector<HidInterfaceInfo> interfaces;
    if (!transport->Enumerate(interfaces)) {
        *context.err << "zentroctl: the HID interfaces cannot be listed\n";
        return EXIT_FAILED;
    }
    bool found = false;
    bool denied = false;
    std::ostream& out = *context.out;
    for (const auto& info : interfaces) {
        if (info.vendorId != ZENTRO_VENDOR_ID || info.productId != ZENTRO_PRODUCT_ID)
            continue;
        found = true;
        HidOpenError error = HidOpenError::None;
        HidOpenMode mode = info.usagePage == 0xFF00 ? HidOpenMode::ReadWrite : HidOpenMode::Read;
        std::string access = "yes";
        if (auto handle = transport->Open(info.path, mode, &error)) {
            handle->Close();
        } else if (error == HidOpenError::PermissionDenied) {
            access = "no (permission denied)";
            denied = true;
        } else {
            access = "no";
        }
        char line[256];
        std::snprintf(
            line, sizeof line,
            "  usage page 0x%04x usage 0x%04x  input %u  output %u  feature %u  open: %s\n",
            info.usagePage, info.usage, info.inputReportByteLength, info.outputReportByteLength,
            info.featureReportByteLength, access.c_str());
        out << info.path << "\n" << line;
    }
    if (!found) {
        *context.err << kNoMouse;
        return EXIT_FAILED;
    }
    if (denied)
        out << "Some interfaces cannot be opened by this user: " << kUdevHint << ".\n";
    return 0;
}

int CmdInfo(const CliContext& context, const std::vector<std::string>& args)
{
    if (!args.empty()) {
        *context.err << "zentroctl: info takes no arguments\n";
        return EXIT_USAGE;
    }
    CCliDeviceSession session(context);
    if (!session.Ok())
        return EXIT_FAILED;
    if (!OpenDevice())
        return ReportNoMouse(context);
    // The connect exchange: firmware query, then the function-option refresh.
    ClearDeviceMirror();
    std::array<uint8_t, 2> version = GetFirmwareVersion();
    RefreshFunctionOptions();
    char line[128];
    std::snprintf(line, sizeof line, "Firmware version: %02x-%02x\n", version[0], version[1]);
    *context.out << line;
    std::snprintf(line, sizeof line, "Function options: %02x %02x %02x %02x\n", g_FunctionOption[0],
                  g_FunctionOption[1], g_FunctionOption[2], g_FunctionOption[3]);
    *context.out << line;
    return ReportTransferFailures(context, session, "info");
}

int RunZentroctl(int argc, char** argv, std::ostream& out, std::ostream& err)
{
    CliContext context;
    context.out = &out;
    context.err = &err;
    return RunZentroctlWith(context, argc, argv);
}

int RunZentroctlWith(CliContext& context, int argc, char** argv)
{
    std::ostream& out = *context.out;
    std::ostream& err = *context.err;
    int i = 1;
    for (; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--device" || a.rfind("--device=", 0) == 0) {
            std::string value;
            if (a == "--device") {
                if (i + 1 >= argc) {
                    err << "zentroctl: --device needs a value (auto or simulated)\n";
                    return EXIT_USAGE;
                }
                value = argv[++i];
            } else {
                value = a.substr(9);
            }
            if (value == "simulated") {
                context.simulated = true;
            } else if (value == "auto") {
                context.simulated = false;
            } else {
                err << "zentroctl: unknown device '" << value << "' (use auto or simulated)\n";
                return EXIT_USAGE;
            }
        } else if (a == "--trace" || a.rfind("--trace=", 0) == 0) {
            if (a == "--trace") {
                if (i + 1 >= argc) {
                    err << "zentroctl: --trace needs a file name\n";
                    return EXIT_USAGE;
                }
                context.traceFile = argv[++i];
            } else {
                context.traceFile = a.substr(8);
            }
        } else if (a == "--dir" || a.rfind("--dir=", 0) == 0) {
            if (a == "--dir") {
                if (i + 1 >= argc) {
                    err << "zentroctl: --dir needs a folder\n";
                    return EXIT_USAGE;
                }
                context.profileDir = argv[++i];
            } else {
                context.profileDir = a.substr(6);
            }
        } else if (a == "--help" || a == "-h") {
            out << kUsage;
            return 0;
        } else if (a == "--version") {
            out << "zentroctl " << ZENTRO_VERSION << "\n";
            return 0;
        } else if (!a.empty() && a[0] == '-') {
            err << "zentroctl: unknown option " << a << " (zentroctl help lists them)\n";
            return EXIT_USAGE;
        } else {
            break;
        }
    }
    if (i >= argc) {
        err << kUsage;
        return EXIT_USAGE;
    }
    std::string command = argv[i++];
    std::vector<std::string> args(argv + i, argv + argc);
    if (command == "help") {
        // Every command is on the one page; `help COMMAND` shows it too.
        out << kUsage;
        return 0;
    }
    if (command == "list")
        return CmdList(context, args);
    if (command == "info")
        return CmdInfo(context, args);
    if (command == "dump")
        return CmdDump(context, args);
    if (command == "apply")
        return CmdApply(context, args);
    if (command == "encode-macros")
        return CmdEncodeMacros(context, args);
    if (command == "defaults")
        return CmdDefaults(context, args);
    if (command == "profile")
        return CmdProfile(context, args);
    if (command == "autostart")
        return CmdAutostart(context, args);
    err << "zentroctl: unknown command '" << command << "' (zentroctl help lists them)\n";
    return EXIT_USAGE;
}

} // namespace zentro
