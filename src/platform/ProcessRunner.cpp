#include "platform/ProcessRunner.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zentro {

namespace {

// Starts argv[0] with its standard output on `outFd` (or /dev/null for -1) and its errors on
// /dev/null; the child's pid, or -1.
pid_t Start(const std::vector<std::string>& argv, int outFd, int closeFd)
{
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    // Between fork and exec only async-signal-safe calls: another thread may have held the
    // allocator's lock at the fork, and the child would wait for it for ever.
    // Keep the child quiet: its output is not the program's.
    const int null = ::open("/dev/null", O_WRONLY);
    if (null >= 0) {
        ::dup2(outFd >= 0 ? outFd : null, 1);
        ::dup2(null, 2);
    }
    if (closeFd >= 0)
        ::close(closeFd);
    ::execvp(args[0], args.data());
    ::_exit(127);
}

int Wait(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

int RunCommandOutput(const std::vector<std::string>& argv, std::string& output)
{
    output.clear();
    if (argv.empty())
        return -1;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return -1;
    const pid_t pid = Start(argv, fds[1], fds[0]);
    ::close(fds[1]);
    if (pid < 0) {
        ::close(fds[0]);
        return -1;
    }
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        output.append(buffer, static_cast<size_t>(n));
    }
    ::close(fds[0]);
    return Wait(pid);
}

int RunCommand(const std::vector<std::string>& argv)
{
    if (argv.empty())
        return -1;
    const pid_t pid = Start(argv, -1, -1);
    if (pid < 0)
        return -1;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool ProgramInPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    if (!path)
        return false;
    std::string all(path);
    size_t start = 0;
    while (start <= all.size()) {
        size_t end = all.find(':', start);
        std::string dir =
            all.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!dir.empty()) {
            std::string candidate = dir + "/" + name;
            if (::access(candidate.c_str(), X_OK) == 0)
                return true;
        }
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return false;
}

} // namespace zentro
