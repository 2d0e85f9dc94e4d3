#pragma once

#include <cstddef>
#include <string>

// Replacing a file so that a crash or a full disk never leaves it half-written: the new
// content goes to a temporary file beside it, is flushed to disk, and then renamed over the
// old one. Readers see either the old file or the new one, never a mix.

namespace zentro {

// Writes `size` bytes as the new content of `path` (creating it when missing; an existing
// file keeps its permission bits). A symbolic link stays a link: the file it points to is
// replaced. A file its user made read-only (no write permission bit) or that the program may
// not write is refused with EACCES, as opening it for writing would be. False, with the
// original untouched, on any failure; then *errorCode (when given) holds the errno of the
// failing step.
bool WriteFileAtomically(const std::string& path, const void* data, size_t size,
                         int* errorCode = nullptr);

// The file a chain of symbolic links ends in (it may not exist yet); `path` itself when it is
// no link. False with ELOOP for a loop, or with the errno of a failing lstat/readlink.
bool FollowLinks(const std::string& path, std::string& target, int& error);

} // namespace zentro
