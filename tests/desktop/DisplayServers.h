#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// The servers the desktop tests run against, started and ended by the tests themselves.

namespace zentro::test {

// A child process that is ended (SIGTERM, then waited for) when the object goes, and with the
// test program should that end first.
class CChildProcess {
public:
    CChildProcess() = default;
    ~CChildProcess() { Stop(); }
    CChildProcess(const CChildProcess&) = delete;
    CChildProcess& operator=(const CChildProcess&) = delete;

    // Starts argv with its standard output on a pipe (ReadLine) and its errors to `errorFile`
    // ("" for /dev/null); false when it cannot start.
    bool Start(const std::vector<std::string>& argv, const std::string& errorFile = "");
    // One line of its output, waiting at most `timeoutMs`; false on timeout or end.
    bool ReadLine(std::string& line, int timeoutMs);
    bool Running();
    void Stop();
    pid_t Pid() const { return m_pid; }

private:
    pid_t m_pid = -1;
    int m_out = -1;
    std::string m_buffer;
};

// Starts Xvfb on a display of its own and points DISPLAY at it; false when it cannot run.
bool StartXvfb(CChildProcess& server);

// Presses or releases the key with X keycode `keycode` through XTest, as a keyboard would.
bool FakeKey(unsigned keycode, bool press);
// Sets the X server's keyboard layout (setxkbmap) and waits until it holds.
bool SetKeyboardLayout(const std::string& layout);

} // namespace zentro::test
