#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

// The commands of zentroctl. Each takes its arguments (after the command name), writes its
// output to `out` and its one-line errors to `err`, and returns the exit status.

namespace zentro {

// The exit statuses of every command: a command that could not do its work (no mouse, no
// such profile, a missing file or one of the wrong size, a folder or file that cannot be
// written) fails with EXIT_FAILED; a command line that is not one fails with EXIT_USAGE.
inline constexpr int EXIT_FAILED = 1;
inline constexpr int EXIT_USAGE = 2;

class CSimulatedMouse;
class CTransferTrace;

struct CliContext {
    bool simulated = false; // --device simulated
    std::string traceFile;  // --trace FILE (empty: no trace)
    std::string profileDir; // --dir DIR (empty: the folder the window uses)
    std::ostream* out = nullptr;
    std::ostream* err = nullptr;
    // Standard output is a terminal: listings may add a line for the reader.
    bool interactive = false;
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

// Why `path` cannot be taken as a settings file ("" when it can): missing, unreadable, not a
// file, or not exactly 1791 bytes. Every command that reads one says it in these words.
std::string SettingsFileFault(const std::string& path);

// The closing check of a command that talked to the mouse: 0 when every transfer went through,
// otherwise one line on stderr naming how many failed and the first one, and 1.
int ReportTransferFailures(const CliContext& context, const CCliDeviceSession& session,
                           const char* command);

// Parses the global options into the given context (its out and err set, and whether the
// output is a terminal) and runs the command; the program's main calls this.
int RunZentroctlWith(CliContext& context, int argc, char** argv);

// RunZentroctlWith with a default context writing to `out` and `err`.
int RunZentroctl(int argc, char** argv, std::ostream& out, std::ostream& err);

} // namespace zentro
