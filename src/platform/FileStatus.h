#pragma once

#include <cstdint>
#include <string>

// What is at a path, asked of the file system without reading it: whether anything is there,
// a file or a folder, a missing file told apart from one that cannot be looked at. The rest of
// the program asks here instead of calling stat itself.

namespace zentro {

enum class FileKind {
    Missing,      // nothing there (ENOENT); an empty path too
    Unreadable,   // the look itself failed (no search permission on a folder on the way, a
                  // file where a folder should be, a link loop, ...): `error` says why
    Regular,      // a file
    Directory,    // a folder
    SymbolicLink, // a link (only from LinkStatusOf)
    Other,        // a device, pipe or socket
};

struct FileStatus {
    FileKind kind = FileKind::Missing;
    int error = 0;          // the errno of a failed look (Missing, Unreadable), else 0
    int64_t size = 0;       // bytes; for a link, the length of its target
    int64_t modifiedNs = 0; // last modification, nanoseconds since the epoch
    uint64_t inode = 0;

    // Something is there.
    bool Exists() const { return kind != FileKind::Missing && kind != FileKind::Unreadable; }
};

// What `path` names, following symbolic links: a link to a file is a Regular file, a dangling
// link is Missing.
FileStatus StatusOf(const std::string& path);
// The same without following a last symbolic link: a link is a SymbolicLink, dangling or not.
FileStatus LinkStatusOf(const std::string& path);

// Something (a file, a folder, ...) is at `path`, through links.
bool FileExists(const std::string& path);
// A file is at `path`, through links.
bool IsRegularFile(const std::string& path);
// A folder is at `path`, through links.
bool IsDirectory(const std::string& path);

// The target of the symbolic link `path`, as written in the link. False with the errno
// (EINVAL for no link) in *error when given.
bool ReadSymbolicLink(const std::string& path, std::string& target, int* error = nullptr);

// 0 when the program may open `path` for reading, else the errno opening it gives. Never
// waits: a pipe is opened without waiting for a writer, and closed again at once.
int ReadAccessError(const std::string& path);
// The program may run the file at `path`.
bool IsExecutable(const std::string& path);

} // namespace zentro
