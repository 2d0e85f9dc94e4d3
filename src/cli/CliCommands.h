#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The commands of zentroctl. Each takes its arguments (after the command name), writes its
// output to `out` and its one-line errors to `err`, and returns the exit status.

namespace zentro {

struct CliContext {
    bool simulated = false; // --device simulated
    std::string traceFile;  // --trace FILE (empty: no trace)
    std::string profileDir; // --dir DIR (empty: the folder the window uses)
    std::ostream* out = nullptr;
    std::ostream* err = nullptr;
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

// Parses the global options and runs the command; the program's main calls this.
int RunZentroctl(int argc, char** argv, std::ostream& out, std::ostream& err);

} // namespace zentro
