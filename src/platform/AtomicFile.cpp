#include "platform/AtomicFile.h"

#include "platform/FileStatus.h"
#include "platform/FileSteps.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zentro {

namespace {

constexpr int MAX_LINK_HOPS = 40; // as the kernel's own limit (ELOOP)

std::string DirectoryOf(const std::string& path)
{
    auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

bool FollowLinks(const std::string& path, std::string& target, int& error)
{
    target = path;
    for (int hop = 0; hop <= MAX_LINK_HOPS; ++hop) {
        const FileStatus status = LinkStatusOf(target);
        if (status.kind == FileKind::Missing)
            return true;
        if (status.kind == FileKind::Unreadable) {
            error = status.error;
            return false;
        }
        if (status.kind != FileKind::SymbolicLink)
            return true;
        std::string next;
        if (!ReadSymbolicLink(target, next, &error))
            return false;
        target = next.empty() || next[0] == '/' ? next : DirectoryOf(target) + "/" + next;
    }
    error = ELOOP;
    return false;
}

bool WriteFileAtomically(const std::string& linkOrPath, const void* data, size_t size,
                         int* errorCode)
{
    auto fail = [&](int error, int fd, const std::string& temp) {
        if (fd >= 0)
            ::close(fd);
        if (!temp.empty())
            ::unlink(temp.c_str());
        if (errorCode)
            *errorCode = error;
        return false;
    };

    // Renaming over a link would replace the link itself with a plain file.
    std::string path;
    int linkError = 0;
    if (!FollowLinks(linkOrPath, path, linkError))
        return fail(linkError, -1, {});

    mode_t mode = 0644;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            return fail(EISDIR, -1, {});
        mode = st.st_mode & 07777;
        // The rename needs only the directory's permission; the file's own say counts. The
        // permission bits are checked as well because access() lets a privileged user write
        // anything.
        if ((mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0)
            return fail(EACCES, -1, {});
    }

    if (const int fault = FileStepFault(FileStep::Write, path))
        return fail(fault, -1, {});
    const std::string pattern = path + ".tmp-XXXXXX";
    std::vector<char> name;
    int fd;
    do {
        name.assign(pattern.begin(), pattern.end());
        name.push_back('\0');
        fd = ::mkstemp(name.data());
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return fail(errno, -1, {});
    std::string temp(name.data());

    const char* p = static_cast<const char*>(data);
    size_t left = size;
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(errno, fd, temp);
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    if (::fchmod(fd, mode) != 0)
        return fail(errno, fd, temp);
    if (const int fault = FileStepFault(FileStep::Sync, path))
        return fail(fault, fd, temp);
    // A signal (a timer of the host program, a debugger) may interrupt the flush: try again.
    int synced;
    while ((synced = ::fsync(fd)) != 0 && errno == EINTR) {
    }
    if (synced != 0)
        return fail(errno, fd, temp);
    // On Linux the descriptor is released even when close reports EINTR, and the data is
    // already flushed: only a real error counts.
    if (::close(fd) != 0 && errno != EINTR)
        return fail(errno, -1, temp);
    if (const int fault = FileStepFault(FileStep::Rename, path))
        return fail(fault, -1, temp);
    int renamed;
    while ((renamed = ::rename(temp.c_str(), path.c_str())) != 0 && errno == EINTR) {
    }
    if (renamed != 0)
        return fail(errno, -1, temp);

    // Make the rename itself durable.
    const std::string dir = DirectoryOf(path);
    int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    if (errorCode)
        *errorCode = 0;
    return true;
}

} // namespace zentro
