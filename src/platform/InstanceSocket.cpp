#include "platform/InstanceSocket.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/DebugLog.h"
#include "platform/ProgramFolder.h"

namespace zentro {

bool IsOwnDirectory(const std::string& path, bool followLink)
{
    struct stat st {};
    const int got = followLink ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st);
    return got == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid();
}

bool IsPrivateDirectory(const std::string& path, bool followLink)
{
    struct stat st {};
    const int got = followLink ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st);
    return got == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
           (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

std::string SingleInstanceDirectory()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/' && IsPrivateDirectory(runtime, true))
        return runtime;
    // The user's runtime folder even where the environment does not name it (cron, sudo -u).
    const std::string userRuntime = "/run/user/" + std::to_string(::getuid());
    if (IsPrivateDirectory(userRuntime, false))
        return userRuntime;
    // /tmp is shared: a folder of that name made by someone else (or a link, or one others
    // may write into) is not used.
    const std::string dir = "/tmp/zentro-" + std::to_string(::getuid());
    ::mkdir(dir.c_str(), 0700);
    if (IsPrivateDirectory(dir, false))
        return dir;
    const ProgramFolderInputs inputs = ProgramFolderInputs::FromEnvironment();
    if (inputs.home.empty() && (inputs.xdgConfigHome.empty() || inputs.xdgConfigHome[0] != '/')) {
        DebugPrintf("Single instance: %s is not a private folder of this user and there is no "
                    "home folder; no single-instance socket\n",
                    dir.c_str());
        return {};
    }
    const std::string own = ConfigHome(inputs) + "zentro-mouse-runtime";
    int error = 0;
    if (!MakeFolders(own, &error) || !IsPrivateDirectory(own, false)) {
        DebugPrintf("Single instance: neither %s nor %s is a private folder of this user\n",
                    dir.c_str(), own.c_str());
        return {};
    }
    return own;
}

std::string SingleInstanceSocketPath(const std::string& directory)
{
    const std::string dir = directory.empty() ? SingleInstanceDirectory() : directory;
    return dir.empty() ? std::string() : dir + "/" + SINGLE_INSTANCE_NAME;
}

std::string RunningWindowFolder(const std::string& socketPath, int timeoutMs)
{
    std::string answer;
    if (socketPath.empty() ||
        HandOverToWindow(socketPath, "folder\n", timeoutMs, &answer) != HandOverResult::Refused ||
        answer.rfind("folder ", 0) != 0)
        return {};
    return answer.substr(7);
}

std::string FormatProfileSelectRequest(const ProfileSelectRequest& request)
{
    return "select " + std::to_string(request.profile) + " " + (request.apply ? "1" : "0") + " " +
           request.folder + "\n";
}

bool ParseProfileSelectRequest(const std::string& lineIn, ProfileSelectRequest& request)
{
    std::string line = lineIn;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    if (line.rfind("select ", 0) != 0)
        return false;
    size_t pos = 7;
    const size_t numberEnd = line.find(' ', pos);
    if (numberEnd == std::string::npos || numberEnd == pos || numberEnd - pos > 2)
        return false;
    int profile = 0;
    for (size_t i = pos; i < numberEnd; ++i) {
        if (line[i] < '0' || line[i] > '9')
            return false;
        profile = profile * 10 + (line[i] - '0');
    }
    pos = numberEnd + 1;
    if (pos + 1 >= line.size() || (line[pos] != '0' && line[pos] != '1') || line[pos + 1] != ' ')
        return false;
    request.profile = profile;
    request.apply = line[pos] == '1';
    request.folder = line.substr(pos + 2);
    return !request.folder.empty();
}

HandOverResult HandOverToWindow(const std::string& socketPath, const std::string& request,
                                int timeoutMs, std::string* answer)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath.empty() || socketPath.size() >= sizeof address.sun_path)
        return HandOverResult::NoWindow;
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);

    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return HandOverResult::NoWindow;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        // No socket file, or one a finished window left behind: nobody is listening.
        ::close(fd);
        return HandOverResult::NoWindow;
    }

    size_t sent = 0;
    while (sent < request.size()) {
        const ssize_t n = ::send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ::close(fd);
            return HandOverResult::NoAnswer;
        }
        sent += static_cast<size_t>(n);
    }

    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    bool complete = false;
    while (!complete) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0)
            break;
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        char buffer[512];
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        line.append(buffer, static_cast<size_t>(n));
        const size_t end = line.find('\n');
        if (end != std::string::npos) {
            line.resize(end);
            complete = true;
        }
    }
    ::close(fd);
    if (!complete) {
        DebugOutput("The running window did not answer the request.\n");
        return HandOverResult::NoAnswer;
    }
    if (answer)
        *answer = line;
    if (line == "ok")
        return HandOverResult::Done;
    if (line.rfind("other-folder", 0) == 0) {
        if (answer)
            *answer = line.size() > 13 ? line.substr(13) : std::string();
        return HandOverResult::OtherFolder;
    }
    if (answer && line.rfind("error ", 0) == 0)
        *answer = line.substr(6);
    return HandOverResult::Refused;
}

} // namespace zentro
