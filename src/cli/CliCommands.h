#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

// The commands of zentroctl. Each takes its arguments (after the command name), writes its
// output to `out` and its one-line errors to `err`, and returns the exit status.

namespace zentro {

class CSimulatedMouse;
class CTransferTrace;

struct CliContext {
    bool simulated = false; // --device simulated
    std::string traceFile;  // --trace FILE (empty: no trace)
    std::string profileDir; // --dir DIR (empty: the folder the window uses)
    std::ostream* out = nullptr;
    std::ostream* err = nullptr;
    // Tests: called with the simulated mouse once it exists, before anything is sent, so that
    // failures can be injected.
    std::function<void(CSimulatedMouse&)> prepareSimulatedMouse;
};

// Opens the device of the context (hidraw or the simulated mouse, with the trace when asked)
// and installs it for the device link; undone by the destructor.
class CCliDeviceSession {
public:
    explicit CCliDeviceSession(const CliContext& context);
    ~CCliDeviceSession();
    CCliDeviceSession(const CCliDeviceSession&) = delete;
    CCliDeviceSession& operator=(const CCliDeviceSession&) = delete;
    // False when the trace file could not be opened (the message is already written).
    bool Ok() const { return m_ok; }
    // Every transfer of the command channel is counted here, traced to a file or not.
    const CTransferTrace& Transfers() const;

private:
    struct Impl;
    Impl* m_impl = nullptr;
    bool m_ok = true;
};

int CmdList(const CliContext& context, const std::vector<std::string>& args);
int CmdInfo(const CliContext& context, const std::vector<std::string>& args);
int CmdDump(const CliContext& context, const std::vector<std::string>& args);
int CmdApply(const CliContext& context, const std::vector<std::string>& args);
int CmdEncodeMacros(const CliContext& context, const std::vector<std::string>& args);
int CmdDefaults(const CliContext& context, const std::vector<std::string>& args);
// profile list | select N [--apply] | export N FILE.bin | import FILE.bin N
int CmdProfile(const CliContext& context, const std::vector<std::string>& args);
// autostart on | off | status
int CmdAutostart(const CliContext& context, const std::vector<std::string>& args);

// One line on stderr when no mouse can be opened: missing, or not permitted. Returns 1.
int ReportNoMouse(const CliContext& context);

// The closing check of a command that talked to the mouse: 0 when every transfer went through,
// otherwise one line on stderr naming how many failed and the first one, and 1.
int ReportTransferFailures(const CliContext& context, const CCliDeviceSession& session,
                           const char* command);

// Runs with the given context (its out and err set) and the command line after the program
// name; RunZentroctl parses into a default context and calls this.
int RunZentroctlWith(CliContext& context, int argc, char** argv);

// Parses the global options and runs the command; the program's main calls this.
int RunZentroctl(int argc, char** argv, std::ostream& out, std::ostream& err);

} // namespace zentro
