#pragma once

#include <cstddef>

// Hints to the system about how memory will be used; they never change what the memory holds.

namespace zentro {

// The whole pages inside [data, data + bytes) may be backed by huge pages: a large buffer that
// is about to be filled at once then costs a few page faults instead of thousands. Does
// nothing where the system has no such pages.
void AdviseHugePages(void* data, size_t bytes);

} // namespace zentro
