#include "DisplayServers.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/ProcessRunner.h"

namespace zentro::test {

bool CChildProcess::Start(const std::vector<std::string>& argv, const std::string& errorFile)
{
    Stop();
    int fds[2];
    if (argv.empty() || ::pipe2(fds, O_CLOEXEC) != 0)
        return false;
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    m_pid = ::fork();
    if (m_pid == 0) {
        ::dup2(fds[1], 1);
        const int err = ::open(errorFile.empty() ? "/dev/null" : errorFile.c_str(),
                               O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (err >= 0)
            ::dup2(err, 2);
        ::setpgid(0, 0);
        // A test that crashes leaves no server behind.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    ::close(fds[1]);
    if (m_pid < 0) {
        ::close(fds[0]);
        return false;
    }
    m_out = fds[0];
    return true;
}

bool CChildProcess::ReadLine(std::string& line, int timeoutMs)
{
    for (;;) {
        const size_t end = m_buffer.find('\n');
        if (end != std::string::npos) {
            line = m_buffer.substr(0, end);
            m_buffer.erase(0, end + 1);
            return true;
        }
        pollfd p{m_out, POLLIN, 0};
        if (m_out < 0 || ::poll(&p, 1, timeoutMs) <= 0)
            return false;
        char chunk[512];
        const ssize_t n = ::read(m_out, chunk, sizeof chunk);
        if (n <= 0)
            return false;
        m_buffer.append(chunk, static_cast<size_t>(n));
    }
}

bool CChildProcess::Running()
{
    if (m_pid <= 0)
        return false;
    int status = 0;
    if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_pid = -1;
        return false;
    }
    return true;
}

void CChildProcess::Stop()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        int status = 0;
        while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    m_pid = -1;
    if (m_out >= 0)
        ::close(m_out);
    m_out = -1;
    m_buffer.clear();
}

bool StartXvfb(CChildProcess& server)
{
    if (!ProgramInPath("Xvfb"))
        return false;
    // Xvfb writes the number of the display it took to fd 1 once it accepts clients.
    if (!server.Start(
            {"Xvfb", "-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1280x1024x24"}))
        return false;
    std::string number;
    if (!server.ReadLine(number, 15000) || number.empty()) {
        server.Stop();
        return false;
    }
    ::setenv("DISPLAY", (":" + number).c_str(), 1);
    return true;
}

bool FakeKey(unsigned keycode, bool press)
{
    static Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return false;
    const bool ok = XTestFakeKeyEvent(display, keycode, press ? True : False, CurrentTime) != 0;
    XSync(display, False);
    return ok;
}

bool SetKeyboardLayout(const std::string& layout)
{
    const char* display = std::getenv("DISPLAY");
    return display != nullptr &&
           RunCommand({"setxkbmap", "-display", display, "-layout", layout}) == 0;
}

} // namespace zentro::test
