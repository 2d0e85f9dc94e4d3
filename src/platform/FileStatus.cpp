#include "platform/FileStatus.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zentro {

namespace {

FileStatus FromStat(int result, const struct stat& st)
{
    FileStatus status;
    if (result != 0) {
        status.error = errno;
        status.kind = status.error == ENOENT ? FileKind::Missing : FileKind::Unreadable;
        return status;
    }
    if (S_ISREG(st.st_mode))
        status.kind = FileKind::Regular;
    else if (S_ISDIR(st.st_mode))
        status.kind = FileKind::Directory;
    else if (S_ISLNK(st.st_mode))
        status.kind = FileKind::SymbolicLink;
    else
        status.kind = FileKind::Other;
    status.size = static_cast<int64_t>(st.st_size);
    status.modifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    status.inode = static_cast<uint64_t>(st.st_ino);
    return status;
}

} // namespace

FileStatus StatusOf(const std::string& path)
{
    struct stat st {};
    const int result = ::stat(path.c_str(), &st);
    return FromStat(result, st);
}

FileStatus LinkStatusOf(const std::string& path)
{
    struct stat st {};
    const int result = ::lstat(path.c_str(), &st);
    return FromStat(result, st);
}

bool FileExists(const std::string& path)
{
    return StatusOf(path).Exists();
}

bool IsRegularFile(const std::string& path)
{
    return StatusOf(path).kind == FileKind::Regular;
}

bool IsDirectory(const std::string& path)
{
    return StatusOf(path).kind == FileKind::Directory;
}

bool ReadSymbolicLink(const std::string& path, std::string& target, int* error)
{
    // A link's length as lstat gives it may change before readlink runs; a full buffer is
    // taken as cut short, and read again with more room.
    constexpr size_t MAX_TARGET = 1 << 16;
    for (size_t room = 256; room <= MAX_TARGET; room *= 2) {
        std::vector<char> buffer(room);
        const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (n < 0) {
            if (error)
                *error = errno;
            return false;
        }
        if (static_cast<size_t>(n) < buffer.size()) {
            target.assign(buffer.data(), static_cast<size_t>(n));
            return true;
        }
    }
    if (error)
        *error = ENAMETOOLONG;
    return false;
}

int ReadAccessError(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return errno;
    ::close(fd);
    return 0;
}

bool IsExecutable(const std::string& path)
{
    return ::access(path.c_str(), X_OK) == 0;
}

} // namespace zentro
